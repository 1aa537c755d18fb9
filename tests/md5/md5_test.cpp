// The MD5 digest against known digests, and the context's count, buffer and padding rules.
#include <gtest/gtest.h>

#include "HashMD5.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string toHex(const unsigned char digest[16])
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < 16; ++i) {
        text += digits[digest[i] >> 4];
        text += digits[digest[i] & 15];
    }
    return text;
}

std::string finish(Md5Context& context)
{
    unsigned char digest[16];
    CHashMD5().Final(context, digest);
    return toHex(digest);
}

std::string md5Of(const void* data, std::size_t length)
{
    CHashMD5 md5;
    Md5Context context;
    md5.Init(context);
    md5.Update(context, static_cast<const unsigned char*>(data), static_cast<std::uint32_t>(length));
    return finish(context);
}

std::string md5Of(const std::string& text) { return md5Of(text.data(), text.size()); }

// Feeds the data in pieces whose sizes cycle through the given list.
std::string md5InPieces(const std::vector<unsigned char>& data, const std::vector<std::size_t>& sizes)
{
    CHashMD5 md5;
    Md5Context context;
    md5.Init(context);
    std::size_t at = 0;
    for (std::size_t i = 0; at < data.size(); ++i) {
        const std::size_t n = std::min(sizes[i % sizes.size()], data.size() - at);
        md5.Update(context, data.data() + at, static_cast<std::uint32_t>(n));
        at += n;
    }
    return finish(context);
}

std::vector<unsigned char> pattern(std::size_t length)
{
    std::vector<unsigned char> data(length);
    for (std::size_t i = 0; i < length; ++i)
        data[i] = static_cast<unsigned char>(i * 7 + 3);
    return data;
}

const char* const patternDigest5000 = "33d9712cc5eb0bf18a41ed54a908e412";

} // namespace

TEST(Md5KnownDigests, RfcTestSuite)
{
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", md5Of(""));
    EXPECT_EQ("0cc175b9c0f1b6a831c399e269772661", md5Of("a"));
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", md5Of("abc"));
    EXPECT_EQ("f96b697d7cb7938d525a2f31aaf161d0", md5Of("message digest"));
    EXPECT_EQ("c3fcd3d76192e4007dfb496cca67e13b", md5Of("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ("d174ab98d277d9f5a5611c2c9f419d9f",
              md5Of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"));
    EXPECT_EQ("57edf4a22be3c955ac49da2e2107b67a",
              md5Of("12345678901234567890123456789012345678901234567890123456789012345678901234567890"));
}

TEST(Md5KnownDigests, AMillionLettersInPiecesOf1024)
{
    const std::vector<unsigned char> data(1000000, 'a');
    EXPECT_EQ("7707d6ae4e027c70eea2a935c2296f21", md5InPieces(data, {1024}));
}

TEST(Md5EmptyMessage, InitThenFinal)
{
    Md5Context context;
    CHashMD5().Init(context);
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", finish(context));
}

TEST(Md5EmptyMessage, OnlyZeroLengthUpdates)
{
    CHashMD5 md5;
    Md5Context context;
    md5.Init(context);
    const unsigned char byte = 'x';
    md5.Update(context, &byte, 0);
    md5.Update(context, nullptr, 0);
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", finish(context));
}

TEST(Md5EmptyMessage, InitLeavesTheBufferAloneAndFinalDoesNotReset)
{
    CHashMD5 md5;
    Md5Context context;
    std::memset(context.buffer, 0x5a, sizeof context.buffer);
    md5.Init(context);
    EXPECT_EQ(0u, context.count[0]);
    EXPECT_EQ(0u, context.count[1]);
    EXPECT_EQ(0x5a, context.buffer[63]);
    finish(context);
    // The padding block and the length bytes are counted too.
    EXPECT_EQ(64u, context.count[0]);
}

TEST(Md5ZeroLengthUpdate, ChangesNothingMidBlockOrOnABoundary)
{
    CHashMD5 md5;
    const std::vector<unsigned char> data = pattern(128);
    for (std::uint32_t fed : {10u, 64u}) {
        Md5Context context;
        std::memset(&context, 0, sizeof context);
        md5.Init(context);
        md5.Update(context, data.data(), fed);
        Md5Context before;
        std::memcpy(&before, &context, sizeof context);
        md5.Update(context, data.data() + fed, 0);
        EXPECT_EQ(0, std::memcmp(&before, &context, sizeof context)) << fed << " bytes fed";
    }
}

TEST(Md5SplitFeeding, EveryWayOfCuttingGivesTheSameDigest)
{
    const std::vector<unsigned char> data = pattern(5000);
    EXPECT_EQ(patternDigest5000, md5Of(data.data(), data.size()));
    EXPECT_EQ(patternDigest5000, md5InPieces(data, {1}));
    EXPECT_EQ(patternDigest5000, md5InPieces(data, {1024}));
    // Pieces that end just before, on and just after block boundaries, and span several blocks.
    EXPECT_EQ(patternDigest5000, md5InPieces(data, {63, 1, 64, 65, 127, 3, 200, 0, 61}));
    EXPECT_EQ(patternDigest5000, md5InPieces(data, {10, 54, 130}));
}

TEST(Md5SplitFeeding, CompletedBlockGoesThroughTheBufferWholeBlocksDoNot)
{
    CHashMD5 md5;
    Md5Context context;
    md5.Init(context);
    const std::vector<unsigned char> data = pattern(210);
    md5.Update(context, data.data(), 10);
    md5.Update(context, data.data() + 10, 200);

    EXPECT_EQ(210u, context.count[0]);
    // The 18 bytes after the last whole block wait at the start of the buffer...
    EXPECT_EQ(0, std::memcmp(context.buffer, data.data() + 192, 18));
    // ...and behind them still lie the bytes that completed the first block: the blocks
    // in between were transformed from the caller's data, not copied through the buffer.
    EXPECT_EQ(0, std::memcmp(context.buffer + 18, data.data() + 18, 46));

    EXPECT_EQ(md5Of(data.data(), data.size()), finish(context));
}

TEST(Md5SplitFeeding, OddAddressesGiveTheSameDigest)
{
    const std::vector<unsigned char> data = pattern(5000);
    std::vector<unsigned char> shifted(data.size() + 8);
    for (std::size_t offset : {1, 2, 3, 5}) {
        std::memcpy(shifted.data() + offset, data.data(), data.size());
        EXPECT_EQ(patternDigest5000, md5Of(shifted.data() + offset, data.size())) << offset;
    }
}

TEST(Md5Padding, LengthsAroundTheLengthField)
{
    // total length, digest of that many 'a', bytes Final adds (padding + 8 length bytes)
    struct Case { std::size_t length; const char* digest; std::uint32_t added; };
    const Case cases[] = {
        {0,   "d41d8cd98f00b204e9800998ecf8427e", 64},
        {55,  "ef1772b6dff9a122358552954ad0df65", 9},    // 0x80 alone, one block
        {56,  "3b0c8ac703f828b04c6c197006d17218", 72},   // runs into a second block
        {63,  "b06521f39153d618550606be297466d5", 65},
        {64,  "014842d480b571495a4a0363793f7367", 64},   // empty buffer: a whole extra block
        {65,  "c743a45e0d2e6a95cb859adae0248435", 63},
        {119, "8a7bd0732ed6a28ce75f6dabc90e1613", 9},
        {120, "5f61c0ccad4cac44c75ff505e1f1e537", 72},
        {127, "020406e1d05cdc2aa287641f7ae2cc39", 65},
        {128, "e510683b3f5ffe4093d021808bc6ff70", 64},
    };
    CHashMD5 md5;
    for (const Case& c : cases) {
        const std::string text(c.length, 'a');
        Md5Context context;
        md5.Init(context);
        md5.Update(context, reinterpret_cast<const unsigned char*>(text.data()),
                   static_cast<std::uint32_t>(text.size()));
        EXPECT_EQ(c.digest, finish(context)) << c.length;
        EXPECT_EQ(c.length + c.added, context.count[0]) << c.length;
        EXPECT_EQ(0u, context.count[0] % 64) << c.length;
    }
}

namespace {

// A context that claims `total` bytes were fed, with the incomplete block's bytes in the buffer.
Md5Context contextWithCount(std::uint64_t total)
{
    Md5Context context;
    CHashMD5().Init(context);
    context.count[0] = static_cast<std::uint32_t>(total);
    context.count[1] = static_cast<std::uint32_t>(total >> 32);
    for (int i = 0; i < 64; ++i)
        context.buffer[i] = static_cast<unsigned char>(0xa0 + i);
    return context;
}

// The digest the RFC prescribes for such a context, with the tail blocks built by hand.
std::string expectedFinal(std::uint64_t total)
{
    Md5Context context = contextWithCount(total);
    const std::size_t left = total % 64;
    std::vector<unsigned char> tail(context.buffer, context.buffer + left);
    tail.push_back(0x80);
    while (tail.size() % 64 != 56)
        tail.push_back(0);
    const std::uint64_t bits = total * 8;  // modulo 2^64
    for (int i = 0; i < 8; ++i)
        tail.push_back(static_cast<unsigned char>(bits >> (8 * i)));
    CHashMD5 md5;
    for (std::size_t at = 0; at < tail.size(); at += 64)
        md5.Transform(context, tail.data() + at);
    unsigned char digest[16];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            digest[4 * i + j] = static_cast<unsigned char>(context.state[i] >> (8 * j));
    return toHex(digest);
}

} // namespace

TEST(Md5HighCount, UpdateCarriesIntoTheHighWord)
{
    CHashMD5 md5;
    Md5Context context = contextWithCount(0xFFFFFFF0u);  // 48 bytes waiting
    const std::uint32_t stateBefore = context.state[0];
    const std::vector<unsigned char> data = pattern(32);
    md5.Update(context, data.data(), 32);
    EXPECT_EQ(0x10u, context.count[0]);
    EXPECT_EQ(1u, context.count[1]);
    EXPECT_NE(stateBefore, context.state[0]);  // the completed block was transformed
    EXPECT_EQ(0, std::memcmp(context.buffer, data.data() + 16, 16));
}

TEST(Md5HighCount, BitLengthIsTheByteCountTimesEightModulo2To64)
{
    const std::uint64_t totals[] = {
        0x100000005ull,          // just past 2^32
        0xE0000000ull,           // low word bits that move into the high length word
        0xFFFFFFF8ull,           // the padding itself carries into the high count word
        0x1FFFFFFFFFFFFFFFull,   // the largest count whose bit length fits 64 bits
        0xFFFFFFFFFFFFFFFFull,   // bits above 2^64 are dropped
        0x0123456789ABCDEFull,
    };
    for (std::uint64_t total : totals) {
        Md5Context context = contextWithCount(total);
        EXPECT_EQ(expectedFinal(total), finish(context)) << std::hex << total;
    }
}

TEST(Md5HighCount, FinalCountIncludesThePaddingAcrossTheCarry)
{
    Md5Context context = contextWithCount(0xFFFFFFF8u);
    finish(context);
    EXPECT_EQ(0x40u, context.count[0]);
    EXPECT_EQ(1u, context.count[1]);
}
