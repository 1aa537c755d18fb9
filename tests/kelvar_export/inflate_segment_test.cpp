// InflateSegment over streams made by zlib itself: the 1024-byte limit of a stored segment,
// empty streams, trailing bytes and every way a stream can be broken.
#include <gtest/gtest.h>

#include "InflateSegment.h"

#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Deflate(const Bytes& plain, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    Bytes packed(size);
    EXPECT_EQ(compress2(packed.data(), &size, plain.data(), static_cast<uLong>(plain.size()),
                        level),
              Z_OK);
    packed.resize(size);
    return packed;
}

// Deflate data with another wrapper (windowBits: negative = raw, +16 = gzip).
Bytes DeflateWrapped(const Bytes& plain, int windowBits)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8,
                           Z_DEFAULT_STRATEGY),
              Z_OK);
    Bytes packed(deflateBound(&stream, static_cast<uLong>(plain.size())) + 32);
    stream.next_in = const_cast<Bytef*>(plain.data());
    stream.avail_in = static_cast<uInt>(plain.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

Bytes Random(std::size_t length, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes data(length);
    for (auto& byte : data)
        byte = static_cast<unsigned char>(random());
    return data;
}

Bytes Text(std::size_t length)
{
    static const char sample[] = "<protocol><line>CO 0.12 % HC 35 ppm lambda 1.001</line>";
    Bytes data(length);
    for (std::size_t i = 0; i < length; ++i)
        data[i] = static_cast<unsigned char>(sample[i % (sizeof sample - 1)]);
    return data;
}

int32_t Inflate(const Bytes& packed, Bytes& out, int32_t capacity = 1024)
{
    out.assign(static_cast<std::size_t>(capacity) + 16, 0xEE);  // guard bytes behind the buffer
    const int32_t n = InflateSegment(packed.data(), static_cast<int32_t>(packed.size()),
                                     out.data(), capacity);
    for (std::size_t i = static_cast<std::size_t>(capacity); i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xEE) << "written past the buffer at " << i;
    return n;
}

} // namespace

TEST(InflateSegment, SegmentsUpToTheBufferSizeComeBackWhole)
{
    for (std::size_t length : {std::size_t{1}, std::size_t{100}, std::size_t{1023},
                               std::size_t{1024}}) {
        for (const Bytes& plain : {Random(length, static_cast<unsigned>(length)), Text(length)}) {
            for (int level : {0, 1, 9}) {
                Bytes out;
                ASSERT_EQ(Inflate(Deflate(plain, level), out), static_cast<int32_t>(length))
                    << "length " << length << " level " << level;
                EXPECT_TRUE(std::equal(plain.begin(), plain.end(), out.begin()));
            }
        }
    }
}

TEST(InflateSegment, OneByteMoreThanTheBufferIsRefused)
{
    for (const Bytes& plain : {Random(1025, 7), Text(1025), Text(100000)}) {
        Bytes out;
        EXPECT_EQ(Inflate(Deflate(plain), out), -1);
    }
    // The limit is the buffer given, not a fixed number.
    Bytes out;
    EXPECT_EQ(Inflate(Deflate(Text(1025)), out, 1025), 1025);
    EXPECT_EQ(Inflate(Deflate(Text(10)), out, 9), -1);
}

TEST(InflateSegment, AnEmptyStreamGivesNothing)
{
    Bytes out;
    EXPECT_EQ(Inflate(Deflate({}), out), 0);
    EXPECT_EQ(out[0], 0xEE);
    EXPECT_EQ(Inflate(Deflate({}), out, 0), 0);
}

TEST(InflateSegment, BytesAfterTheStreamAreIgnored)
{
    const Bytes first = Text(600);
    Bytes packed = Deflate(first);
    const Bytes second = Deflate(Text(900));
    packed.insert(packed.end(), second.begin(), second.end());
    Bytes out;
    ASSERT_EQ(Inflate(packed, out), 600);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), out.begin()));

    Bytes padded = Deflate({});
    padded.insert(padded.end(), 50, 0xFF);
    EXPECT_EQ(Inflate(padded, out), 0);
}

TEST(InflateSegment, DamagedStreamsAreRefused)
{
    const Bytes plain = Random(700, 3);
    const Bytes good = Deflate(plain);
    Bytes out;
    ASSERT_EQ(Inflate(good, out), 700);

    Bytes badHeader = good;
    badHeader[0] ^= 0x01;  // header check no longer holds
    EXPECT_EQ(Inflate(badHeader, out), -1);

    Bytes badChecksum = good;
    badChecksum.back() ^= 0x01;  // data intact, Adler-32 wrong
    EXPECT_EQ(Inflate(badChecksum, out), -1);

    // A damaged byte anywhere after the header makes the stream fail somewhere: in the block
    // structure, the lengths or at the latest in the checksum. (Whole bytes are inverted: a
    // single flipped bit may fall on the padding of a block and rightly go unnoticed.)
    for (const Bytes& stream : {good, Deflate(Text(1000))}) {
        for (std::size_t i = 2; i < stream.size(); ++i) {
            Bytes damaged = stream;
            damaged[i] ^= 0xFF;
            EXPECT_EQ(Inflate(damaged, out), -1) << "byte inverted at " << i;
        }
    }

    const Bytes garbage = Random(300, 11);
    EXPECT_EQ(Inflate(garbage, out), -1);
}

TEST(InflateSegment, StreamsCutShortAreRefused)
{
    for (const Bytes& plain : {Text(1024), Random(500, 5), Bytes{}}) {
        const Bytes good = Deflate(plain);
        Bytes out;
        for (std::size_t length = 0; length < good.size(); ++length) {
            const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_EQ(Inflate(cut, out), -1) << "cut to " << length << " of " << good.size();
        }
    }
}

TEST(InflateSegment, OnlyTheZlibWrapperIsAccepted)
{
    const Bytes plain = Text(400);
    Bytes out;
    EXPECT_EQ(Inflate(DeflateWrapped(plain, 15), out), 400);
    EXPECT_EQ(Inflate(DeflateWrapped(plain, -15), out), -1);  // raw deflate
    EXPECT_EQ(Inflate(DeflateWrapped(plain, 31), out), -1);   // gzip
}

TEST(InflateSegment, NegativeLengthsAreRefused)
{
    const Bytes packed = Deflate(Text(10));
    unsigned char out[1024];
    EXPECT_EQ(InflateSegment(packed.data(), -1, out, 1024), -1);
    EXPECT_EQ(InflateSegment(packed.data(), static_cast<int32_t>(packed.size()), out, -1), -1);
}
