// The MD5 digest against Windows CryptoAPI's MD5 over random data of many lengths, fed in
// random pieces.
#include <gtest/gtest.h>

#include "HashMD5.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

class CryptoMd5 {
public:
    CryptoMd5()
    {
        if (!CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
            provider_ = 0;
    }
    ~CryptoMd5()
    {
        if (provider_)
            CryptReleaseContext(provider_, 0);
    }
    CryptoMd5(const CryptoMd5&) = delete;
    CryptoMd5& operator=(const CryptoMd5&) = delete;

    bool ready() const { return provider_ != 0; }

    // Returns false when CryptoAPI fails.
    bool digest(const unsigned char* data, DWORD length, unsigned char out[16]) const
    {
        HCRYPTHASH hash = 0;
        if (!CryptCreateHash(provider_, CALG_MD5, 0, 0, &hash))
            return false;
        DWORD size = 16;
        const bool ok = (length == 0 || CryptHashData(hash, data, length, 0))
                     && CryptGetHashParam(hash, HP_HASHVAL, out, &size, 0) && size == 16;
        CryptDestroyHash(hash);
        return ok;
    }

private:
    HCRYPTPROV provider_ = 0;
};

} // namespace

TEST(Md5AgainstCryptoApi, RandomDataOfManyLengthsInRandomPieces)
{
    CryptoMd5 reference;
    ASSERT_TRUE(reference.ready());

    std::mt19937 random(20240611);
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 300; ++n)
        lengths.push_back(n);
    for (std::size_t n : {511, 512, 513, 1023, 1024, 1025, 4096, 65535, 65536, 65537, 1000003})
        lengths.push_back(n);
    for (int i = 0; i < 40; ++i)
        lengths.push_back(random() % 20000);

    CHashMD5 md5;
    for (std::size_t length : lengths) {
        std::vector<unsigned char> data(length + 1);
        for (auto& byte : data)
            byte = static_cast<unsigned char>(random());
        const unsigned char* start = data.data() + (length % 2);  // odd and even addresses

        unsigned char expected[16];
        ASSERT_TRUE(reference.digest(start, static_cast<DWORD>(length), expected));

        Md5Context context;
        md5.Init(context);
        std::size_t at = 0;
        while (at < length) {
            const std::size_t piece = std::min<std::size_t>(random() % 300, length - at);
            md5.Update(context, start + at, static_cast<std::uint32_t>(piece));
            at += piece;
        }
        unsigned char actual[16];
        md5.Final(context, actual);
        ASSERT_EQ(0, std::memcmp(expected, actual, 16)) << "length " << length;
    }
}
