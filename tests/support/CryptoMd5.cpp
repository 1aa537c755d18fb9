#include "CryptoMd5.h"

#include <windows.h>
#include <wincrypt.h>

#include <stdexcept>

namespace support {

std::string CryptoMd5(const std::string& bytes)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    BYTE digest[16] = {};
    DWORD size = sizeof digest;
    const bool ok =
        CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
        CryptCreateHash(provider, CALG_MD5, 0, 0, &hash) &&
        (bytes.empty() || CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                                        static_cast<DWORD>(bytes.size()), 0)) &&
        CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0) && size == 16;
    if (hash)
        CryptDestroyHash(hash);
    if (provider)
        CryptReleaseContext(provider, 0);
    if (!ok)
        throw std::runtime_error("CryptoAPI gives no MD5");
    return std::string(reinterpret_cast<const char*>(digest), 16);
}

}  // namespace support
