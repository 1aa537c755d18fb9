// The export file's content as the writer builds it over real files: layout, seal (checked
// with coreutils' md5sum, not our own MD5), and every way a segment or the file can fail.
#include <gtest/gtest.h>

#include "ExportSeal.h"
#include "ExportWriter.h"
#include "Files.h"
#include "PosixFileSink.h"

#include <zlib.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::string;

Bytes Deflate(const Bytes& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    Bytes packed(size, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(&packed[0]), &size,
                        reinterpret_cast<const Bytef*>(plain.data()),
                        static_cast<uLong>(plain.size()), Z_DEFAULT_COMPRESSION),
              Z_OK);
    packed.resize(size);
    return packed;
}

Bytes Document(std::size_t length, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes text;
    while (text.size() < length)
        text += "<value id=\"" + std::to_string(random() % 1000) + "\">"
                + std::string(random() % 7, char('a' + random() % 26)) + "</value>\n";
    text.resize(length);
    return text;
}

class ExportWriterTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return folder_.File(name); }

    // The raw digest of the bytes as coreutils' md5sum computes it.
    Bytes Md5sum(const Bytes& bytes) const
    {
        const std::string input = Path("md5-input");
        support::WriteFile(input, bytes);
        const std::string command = "md5sum '" + input + "'";
        FILE* pipe = popen(command.c_str(), "r");
        char hex[33] = {};
        const bool read = pipe && std::fscanf(pipe, "%32s", hex) == 1;
        if (pipe)
            pclose(pipe);
        EXPECT_TRUE(read);
        Bytes digest;
        for (int i = 0; i < 16; ++i)
            digest += static_cast<char>(std::stoi(std::string(hex + 2 * i, 2), nullptr, 16));
        return digest;
    }

    // Writes the segments into a file and returns the file's bytes.
    Bytes Export(const std::vector<Bytes>& segments)
    {
        const std::string path = Path("protocol.xml");
        {
            PosixFileSink sink(path);
            EXPECT_TRUE(sink.valid());
            CExportWriter writer(sink);
            EXPECT_TRUE(writer.Begin());
            for (const Bytes& segment : segments)
                EXPECT_TRUE(writer.AddSegment(segment.data(), static_cast<int32_t>(segment.size())));
            EXPECT_TRUE(writer.Seal());
        }
        return support::ReadFile(path);
    }

    support::ScratchFolder folder_{"export-writer"};
};

} // namespace

TEST_F(ExportWriterTest, SegmentsFollowTheSealWhichIsTheDigestOfDocumentAndSuffix)
{
    const std::vector<std::size_t> lengths = {1024, 1, 0, 1023, 1024, 700, 64, 55};
    std::vector<Bytes> segments;
    Bytes document;
    unsigned seed = 1;
    for (std::size_t length : lengths) {
        const Bytes plain = Document(length, seed++);
        document += plain;
        segments.push_back(Deflate(plain));
    }

    const Bytes file = Export(segments);
    ASSERT_EQ(file.size(), 16 + document.size());
    EXPECT_EQ(file.substr(16), document);
    EXPECT_EQ(file.substr(0, 16), Md5sum(document + kelvartest::SealSuffix));
    EXPECT_EQ(file.find(kelvartest::SealSuffix), Bytes::npos);
    EXPECT_NE(file.substr(0, 16), Bytes(16, '\0'));
}

TEST_F(ExportWriterTest, AProtocolWithoutContentIsJustTheSeal)
{
    const Bytes empty = Export({});
    EXPECT_EQ(empty, Md5sum(kelvartest::SealSuffix));
    // Streams that inflate to nothing add nothing to the file or the digest.
    EXPECT_EQ(Export({Deflate(""), Deflate("")}), empty);
}

TEST_F(ExportWriterTest, SegmentsThatDoNotInflateAreRefusedAndAddNothing)
{
    const Bytes good = Deflate(Document(800, 9));
    Bytes damaged = good;
    damaged[good.size() / 2] ^= 0x5A;
    const Bytes tooLong = Deflate(Document(1025, 10));
    const Bytes cut = good.substr(0, good.size() - 3);

    for (const Bytes& bad : {damaged, tooLong, cut, Bytes()}) {
        const std::string path = Path("bad.xml");
        {
            PosixFileSink sink(path);
            CExportWriter writer(sink);
            ASSERT_TRUE(writer.Begin());
            ASSERT_TRUE(writer.AddSegment(good.data(), static_cast<int32_t>(good.size())));
            EXPECT_FALSE(writer.AddSegment(bad.data(), static_cast<int32_t>(bad.size())));
            EXPECT_EQ(writer.DocumentLength(), 800u);
        }
        EXPECT_EQ(support::ReadFile(path).size(), 16u + 800u);
    }
}

TEST_F(ExportWriterTest, AFullDeviceFailsTheFirstWrite)
{
    PosixFileSink sink("/dev/full");
    ASSERT_TRUE(sink.valid());
    CExportWriter writer(sink);
    EXPECT_FALSE(writer.Begin());
}

// A file size limit makes the kernel cut a write short and then refuse the next one: the
// document stops in the middle of a segment, as on a disk that fills up.
TEST_F(ExportWriterTest, AWriteCutShortByAFullDiskIsReported)
{
    const Bytes plain = Document(1000, 4);
    const Bytes segment = Deflate(plain);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);

    bool began = false, first = false, second = false;
    {
        PosixFileSink sink(Path("limited.xml"));
        CExportWriter writer(sink);
        rlimit limit = saved;
        limit.rlim_cur = 16 + 1000 + 500;  // room for the seal, one segment and half of another
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        began = writer.Begin();
        first = writer.AddSegment(segment.data(), static_cast<int32_t>(segment.size()));
        second = writer.AddSegment(segment.data(), static_cast<int32_t>(segment.size()));
        setrlimit(RLIMIT_FSIZE, &saved);
    }
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_TRUE(began);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(support::ReadFile(Path("limited.xml")).size(), 16u + 1500u);
}

TEST_F(ExportWriterTest, AFileThatCannotSeekFailsTheSeal)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const Bytes segment = Deflate(Document(500, 2));
    bool began, added, sealed;
    {
        PosixFileSink sink = PosixFileSink::OverDescriptor(ends[1]);
        CExportWriter writer(sink);
        began = writer.Begin();
        added = writer.AddSegment(segment.data(), static_cast<int32_t>(segment.size()));
        sealed = writer.Seal();
    }
    close(ends[0]);
    close(ends[1]);
    EXPECT_TRUE(began);
    EXPECT_TRUE(added);
    EXPECT_FALSE(sealed);
}
