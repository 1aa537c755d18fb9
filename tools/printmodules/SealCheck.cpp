// CryptoAPI's MD5 keeps the check independent of the browser's own digest code.
#include "SealCheck.h"

#include "CryptoApiMd5.h"

#include <cstring>

namespace {

const char sealSuffix[] = "OSKEV";

} // namespace

SealResult checkSeal(const std::string& file)
{
    if (file.size() < 16)
        return SealResult::Mismatch;
    const std::optional<std::string> digest = cryptomd5::digest(file.substr(16) + sealSuffix);
    if (!digest)
        return SealResult::NoDigest;
    return std::memcmp(digest->data(), file.data(), 16) == 0 ? SealResult::Valid : SealResult::Mismatch;
}
