// The MD5 digest against Windows CryptoAPI's MD5 over random data of many lengths, fed in
// random pieces.
#include <gtest/gtest.h>

#include "CryptoMd5.h"
#include "HashMD5.h"

#include <cstring>
#include <random>
#include <string>
#include <vector>

TEST(Md5AgainstCryptoApi, RandomDataOfManyLengthsInRandomPieces)
{
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

        const std::string expected = support::CryptoMd5(std::string(reinterpret_cast<const char*>(start), length));

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
        ASSERT_EQ(0, std::memcmp(expected.data(), actual, 16)) << "length " << length;
    }
}
