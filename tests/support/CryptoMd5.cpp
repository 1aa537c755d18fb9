#include "CryptoMd5.h"

#include "CryptoApiMd5.h"

#include <stdexcept>

namespace support {

std::string CryptoMd5(const std::string& bytes)
{
    std::optional<std::string> digest = cryptomd5::digest(bytes);
    if (!digest)
        throw std::runtime_error("CryptoAPI gives no MD5");
    return *digest;
}

}  // namespace support
