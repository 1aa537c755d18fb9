// CryptoAPI's MD5 keeps the check independent of the browser's own digest code.
#include "SealCheck.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstring>

namespace {

const char sealSuffix[] = "OSKEV";

// One verify-only provider and one hash object, released in reverse order.
class Md5Hash {
public:
    Md5Hash()
    {
        if (CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)
            && !CryptCreateHash(provider_, CALG_MD5, 0, 0, &hash_))
            hash_ = 0;
    }
    ~Md5Hash()
    {
        if (hash_)
            CryptDestroyHash(hash_);
        if (provider_)
            CryptReleaseContext(provider_, 0);
    }
    Md5Hash(const Md5Hash&) = delete;
    Md5Hash& operator=(const Md5Hash&) = delete;

    bool add(const char* data, std::size_t length)
    {
        return hash_ && (length == 0
                         || CryptHashData(hash_, reinterpret_cast<const BYTE*>(data),
                                          static_cast<DWORD>(length), 0));
    }
    bool finish(unsigned char digest[16])
    {
        DWORD size = 16;
        return hash_ && CryptGetHashParam(hash_, HP_HASHVAL, digest, &size, 0) && size == 16;
    }

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTHASH hash_ = 0;
};

} // namespace

SealResult checkSeal(const std::string& file)
{
    if (file.size() < 16)
        return SealResult::Mismatch;
    Md5Hash md5;
    unsigned char digest[16];
    if (!md5.add(file.data() + 16, file.size() - 16) || !md5.add(sealSuffix, 5) || !md5.finish(digest))
        return SealResult::NoDigest;
    return std::memcmp(digest, file.data(), 16) == 0 ? SealResult::Valid : SealResult::Mismatch;
}
