// The export of a stored protocol, by the real window against storage databases in the data
// folder: the file's layout and seal (checked with CryptoAPI), its name, and every way an export
// can fail without leaving a protocol that looks printable.
#include "ExportExpectations.h"
#include "KelvarTesting.h"

#include "BoxCatcher.h"
#include "GuiTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using A = TfrmSearchMainTestAccess;
using exporttest::ExportFolder;
using exporttest::FilesIn;
using exporttest::ReadFile;
using exporttest::Sealed;
using guitest::RunUnix;
using guitest::UnixPath;
using kelvartest::Model;

namespace {

const std::string md5Name = "3f2a9c0d41b7e8f65a0c1d2e3f4a5b6c";

fixtures::Protocol Row(int id, std::optional<std::string> name, std::vector<std::string> segments)
{
    fixtures::Protocol row = kelvartest::MakeProtocol(id, "P-1", "TMBJJ7NE8J0123456");
    row.protMd5 = std::move(name);
    row.protData = std::move(segments);
    return row;
}

// Segments of the given inflated lengths cut from one document, which is returned in `document`.
std::vector<std::string> Pieces(const std::vector<size_t>& lengths, std::string& document)
{
    size_t total = 0;
    for (size_t length : lengths)
        total += length;
    document = exporttest::Document(total, 7);
    std::vector<std::string> segments;
    size_t at = 0;
    for (size_t length : lengths) {
        segments.push_back(fixtures::zlibSegment(document.substr(at, length)));
        at += length;
    }
    return segments;
}

// A Unix link to /dev/full while the object lives (Wine cannot delete a device's link itself).
class LinkToFullDevice {
public:
    explicit LinkToFullDevice(const std::string& unixPath) : path_(unixPath)
    {
        EXPECT_TRUE(RunUnix("/bin/ln -sfn /dev/full " + path_));
    }
    ~LinkToFullDevice() { RunUnix("/bin/rm -f " + path_); }
    LinkToFullDevice(const LinkToFullDevice&) = delete;
    LinkToFullDevice& operator=(const LinkToFullDevice&) = delete;

private:
    std::string path_;
};

class Export : public ::testing::Test {
protected:
    void SetUp() override
    {
        kelvartest::ResetPrefixState();
        exporttest::ClearExportFolder();
    }
    void TearDown() override { exporttest::ClearExportFolder(); }

    // A KX40 database with the rows, the window shown on it, then `body`.
    void WithWindow(const std::vector<fixtures::Protocol>& rows,
                    const std::function<void(TfrmSearchMain&)>& body,
                    const kelvartest::StorageInPlace::Prepare& prepare = nullptr)
    {
        kelvartest::StorageInPlace storage(Model::KX40, rows, prepare);
        guitest::BoxCatcher boxes;
        {
            kelvartest::Window window;
            ASSERT_EQ(1, A::currentModel(*window));
            body(*window);
        }
        EXPECT_EQ(0u, boxes.Count()) << "the export itself shows no box";
    }

    AnsiString ExportOne(const std::vector<fixtures::Protocol>& rows, int id)
    {
        AnsiString path;
        WithWindow(rows, [&](TfrmSearchMain& f) { path = A::ExportProtocol(f, id); });
        return path;
    }
};

}  // namespace

TEST_F(Export, SegmentsFollowTheSealOfTheDocumentAndSuffix)
{
    std::string document;
    std::vector<std::string> segments = Pieces({1024, 1, 0, 700, 1024, 55, 1023, 64}, document);
    // Bytes after the end of a segment's stream are not part of the document.
    segments[3] += fixtures::zlibSegment("not part of the protocol");

    const AnsiString path = ExportOne({Row(5, md5Name, segments)}, 5);
    ASSERT_EQ(ExportFolder() + md5Name + ".xml", path);
    const std::string file = ReadFile(path);
    ASSERT_EQ(16 + document.size(), file.size());
    EXPECT_EQ(Sealed(document), file);
    EXPECT_EQ(std::string::npos, file.find("OSKEV"));
    EXPECT_EQ(std::string::npos, file.find("not part"));
}

TEST_F(Export, SegmentsOfDifferentStoredSizesAreReadOneAtATime)
{
    // Text and noise compress to very different sizes: the read buffer is the largest segment,
    // and no read may run into the next segment.
    std::string document = exporttest::Document(150000, 3);
    for (size_t i = 40000; i < 60000; ++i)
        document[i] = static_cast<char>((i * 2654435761u) >> 13);
    const AnsiString path = ExportOne({Row(9, md5Name, fixtures::zlibSegments(document))}, 9);
    EXPECT_EQ(Sealed(document), ReadFile(path));
}

TEST_F(Export, AProtocolWithoutContentIsJustTheSeal)
{
    const AnsiString path = ExportOne({Row(1, md5Name, {fixtures::zlibSegment("")})}, 1);
    EXPECT_EQ(Sealed(""), ReadFile(path));
}

TEST_F(Export, NoRowGivesNoFile)
{
    std::string document;
    EXPECT_EQ("", ExportOne({Row(1, md5Name, Pieces({100}, document))}, 2));
    EXPECT_TRUE(FilesIn(ExportFolder()).empty());
}

TEST_F(Export, AnExistingFileIsReplacedAndTheSameProtocolGivesTheSameBytes)
{
    std::string document;
    const auto rows = {Row(3, md5Name, Pieces({1024, 1024, 500}, document))};
    exporttest::WriteFile(ExportFolder() + md5Name + ".xml", std::string(100000, 'x'));
    WithWindow(rows, [&](TfrmSearchMain& f) {
        const AnsiString first = A::ExportProtocol(f, 3);
        const std::string bytes = ReadFile(first);
        EXPECT_EQ(Sealed(document), bytes);
        const AnsiString second = A::ExportProtocol(f, 3);
        EXPECT_EQ(first, second);
        EXPECT_EQ(bytes, ReadFile(second));
    });
}

TEST_F(Export, ANullNameGivesDotXml)
{
    std::string document;
    const AnsiString path = ExportOne({Row(4, std::nullopt, Pieces({300}, document))}, 4);
    EXPECT_EQ(ExportFolder() + ".xml", path);
    EXPECT_EQ(Sealed(document), ReadFile(path));
}

TEST_F(Export, SeveralRowsOfOneIdEachGetTheirFileAndTheLastIsReturned)
{
    std::string first, second;
    const AnsiString path =
        ExportOne({Row(6, "first", Pieces({200}, first)), Row(6, "second", Pieces({900}, second))},
                  6);
    EXPECT_EQ(ExportFolder() + "second.xml", path);
    EXPECT_EQ(Sealed(second), ReadFile(path));
    EXPECT_EQ(Sealed(first), ReadFile(ExportFolder() + "first.xml"));
}

TEST_F(Export, ANameThatLeavesTheExportFolderMakesNoFile)
{
    const std::string documents = ExportFolder().substr(0, ExportFolder().size() - 8);
    std::string document;
    const auto segments = Pieces({100}, document);
    for (const char* name : {"..\\escaped", "../escaped", "sub\\escaped", "C:escaped", ".", ".."}) {
        SCOPED_TRACE(name);
        EXPECT_EQ("", ExportOne({Row(1, std::string(name), segments)}, 1));
        EXPECT_TRUE(FilesIn(ExportFolder()).empty());
        EXPECT_FALSE(exporttest::Exists(documents + "escaped.xml"));
        DeleteFileA((documents + "escaped.xml").c_str());
    }
}

TEST_F(Export, ASegmentThatDoesNotInflateLeavesNoFile)
{
    std::string document;
    const auto good = Pieces({1024, 1024}, document);
    std::string damaged = good[1];
    damaged[damaged.size() / 2] ^= 0x55;
    const std::string tooLong = fixtures::zlibSegment(std::string(1025, 'a'));
    const std::string cut = good[1].substr(0, good[1].size() - 4);

    for (const std::string& bad : {damaged, tooLong, cut, std::string("not zlib")}) {
        // A file of that name from an earlier export must not survive as if it were this one.
        exporttest::WriteFile(ExportFolder() + md5Name + ".xml", Sealed(document));
        EXPECT_EQ("", ExportOne({Row(2, md5Name, {good[0], bad, good[1]})}, 2));
        EXPECT_TRUE(FilesIn(ExportFolder()).empty());
    }
}

TEST_F(Export, AFileHeldOpenByAnotherProgramIsLeftAlone)
{
    const std::string path = ExportFolder() + md5Name + ".xml";
    exporttest::WriteFile(path, "another program's file");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string document;
    EXPECT_EQ("", ExportOne({Row(1, md5Name, Pieces({500}, document))}, 1));
    CloseHandle(held);
    EXPECT_EQ("another program's file", ReadFile(path));
}

TEST_F(Export, AWriteThatFailsGivesNoPath)
{
    // The export file is a link to Linux's /dev/full, where every write fails with a full disk.
    const std::string unixPath = UnixPath(ExportFolder() + md5Name + ".xml");
    ASSERT_FALSE(unixPath.empty());
    LinkToFullDevice link(unixPath);

    std::string document;
    EXPECT_EQ("", ExportOne({Row(1, md5Name, Pieces({1000, 1000}, document))}, 1));
}

TEST_F(Export, ADatabaseErrorInTheMiddleRemovesTheFileAndGoesOn)
{
    // A blob without segments: the read of its largest segment (0 bytes) is refused by the
    // database layer after the file has been made.
    WithWindow({Row(8, md5Name, {})}, [&](TfrmSearchMain& f) {
        EXPECT_THROW(A::ExportProtocol(f, 8), IBPP::Exception);
    });
    EXPECT_TRUE(FilesIn(ExportFolder()).empty());

    // A NULL document and a failing fetch stop the export before any file.
    std::string document;
    fixtures::Protocol nullDocument = Row(8, md5Name, {});
    nullDocument.protData.reset();
    WithWindow({nullDocument}, [&](TfrmSearchMain& f) {
        EXPECT_THROW(A::ExportProtocol(f, 8), IBPP::Exception);
    });
    WithWindow(
        {Row(8, md5Name, Pieces({100}, document))},
        [&](TfrmSearchMain& f) { EXPECT_THROW(A::ExportProtocol(f, 8), IBPP::Exception); },
        [](fixtures::StorageDatabase& db) { db.failAtRow(8, "PROT_MD5"); });
    EXPECT_TRUE(FilesIn(ExportFolder()).empty());
}
