#include "CryptoApiMd5.h"

#include <windows.h>
#include <wincrypt.h>

namespace cryptomd5 {

std::optional<std::string> digest(const std::string& bytes)
{
    // A verify-only provider and one hash object, released in reverse order.
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    BYTE value[16] = {};
    DWORD size = sizeof value;
    const bool ok =
        CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
        CryptCreateHash(provider, CALG_MD5, 0, 0, &hash) &&
        (bytes.empty() || CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                                        static_cast<DWORD>(bytes.size()), 0)) &&
        CryptGetHashParam(hash, HP_HASHVAL, value, &size, 0) && size == 16;
    if (hash)
        CryptDestroyHash(hash);
    if (provider)
        CryptReleaseContext(provider, 0);
    if (!ok)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(value), 16);
}

} // namespace cryptomd5
