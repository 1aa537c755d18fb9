// The export of a stored protocol, by the real window against storage databases in the data
// folder: the file's layout and seal (checked with CryptoAPI), its name, and every way an export
// can fail without leaving a protocol that looks printable.
#include "KelvarTesting.h"

#include "BoxCatcher.h"
#include "Files.h"
#include "WinePaths.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using A = TfrmSearchMainTestAccess;
using kelvartest::DocumentRow;
using kelvartest::ExportFile;
using kelvartest::ExportFolderEntries;
using kelvartest::Sealed;
using support::ReadFile;

namespace {

const std::string md5Name = "3f2a9c0d41b7e8f65a0c1d2e3f4a5b6c";

// Segments of the given inflated lengths cut from one document, which is returned in `document`.
std::vector<std::string> Pieces(const std::vector<size_t>& lengths, std::string& document)
{
    size_t total = 0;
    for (size_t length : lengths)
        total += length;
    document = kelvartest::Document(total, 7);
    std::vector<std::string> segments;
    size_t at = 0;
    for (size_t length : lengths) {
        segments.push_back(fixtures::zlibSegment(document.substr(at, length)));
        at += length;
    }
    return segments;
}

// A Unix link to a device while the object lives (Wine cannot delete a device's link itself).
class LinkToDevice {
public:
    LinkToDevice(const std::string& unixPath, const std::string& device) : path_(unixPath)
    {
        EXPECT_TRUE(support::RunUnix("/bin/ln -sfn " + device + " '" + path_ + "'"));
    }
    ~LinkToDevice() { support::RunUnix("/bin/rm -f '" + path_ + "'"); }
    LinkToDevice(const LinkToDevice&) = delete;
    LinkToDevice& operator=(const LinkToDevice&) = delete;

private:
    std::string path_;
};

class Export : public kelvartest::BrowserTest {
protected:
    // A KX40 database with the rows, the window shown on it, then `body`: each time a case of
    // its own.
    void WithWindow(const std::vector<fixtures::Protocol>& rows,
                    const std::function<void(TfrmSearchMain&)>& body,
                    const kelvartest::StorageInPlace::Prepare& prepare = nullptr)
    {
        Clear();
        guitest::BoxCatcher boxes;
        kelvartest::Window& window = ShowOn(rows, prepare);
        EXPECT_EQ(1, A::currentModel(*window));
        if (A::currentModel(*window) == 1)
            body(*window);
        Clear();
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

    const AnsiString path = ExportOne({DocumentRow(5, md5Name, segments)}, 5);
    ASSERT_EQ(ExportFile(md5Name), path);
    const std::string file = ReadFile(path);
    ASSERT_EQ(16 + document.size(), file.size());
    EXPECT_EQ(Sealed(document), file);
    EXPECT_EQ(std::string::npos, file.find(kelvartest::SealSuffix));
    EXPECT_EQ(std::string::npos, file.find("not part"));
}

TEST_F(Export, SegmentsOfDifferentStoredSizesAreReadOneAtATime)
{
    // Text and noise compress to very different sizes: the read buffer is the largest segment,
    // and no read may run into the next segment.
    std::string document = kelvartest::Document(150000, 3);
    for (size_t i = 40000; i < 60000; ++i)
        document[i] = static_cast<char>((i * 2654435761u) >> 13);
    const AnsiString path = ExportOne({DocumentRow(9, md5Name, fixtures::zlibSegments(document))}, 9);
    EXPECT_EQ(Sealed(document), ReadFile(path));
}

TEST_F(Export, AProtocolWithoutContentIsJustTheSeal)
{
    const AnsiString path = ExportOne({DocumentRow(1, md5Name, {fixtures::zlibSegment("")})}, 1);
    EXPECT_EQ(Sealed(""), ReadFile(path));
}

TEST_F(Export, NoRowGivesNoFile)
{
    std::string document;
    EXPECT_EQ("", ExportOne({DocumentRow(1, md5Name, Pieces({100}, document))}, 2));
    EXPECT_TRUE(ExportFolderEntries().empty());
}

TEST_F(Export, AnExistingFileIsReplacedAndTheSameProtocolGivesTheSameBytes)
{
    std::string document;
    const auto rows = {DocumentRow(3, md5Name, Pieces({1024, 1024, 500}, document))};
    support::WriteFile(ExportFile(md5Name), std::string(100000, 'x'));
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
    const AnsiString path = ExportOne({DocumentRow(4, std::nullopt, Pieces({300}, document))}, 4);
    EXPECT_EQ(ExportFile(""), path);
    EXPECT_EQ(Sealed(document), ReadFile(path));
}

TEST_F(Export, SeveralRowsOfOneIdEachGetTheirFileAndTheLastIsReturned)
{
    std::string first, second;
    const AnsiString path =
        ExportOne({DocumentRow(6, "first", Pieces({200}, first)),
                   DocumentRow(6, "second", Pieces({900}, second))},
                  6);
    EXPECT_EQ(ExportFile("second"), path);
    EXPECT_EQ(Sealed(second), ReadFile(path));
    EXPECT_EQ(Sealed(first), ReadFile(ExportFile("first")));
}

TEST_F(Export, ANameThatLeavesTheExportFolderMakesNoFile)
{
    const std::string exports = kelvartest::ExportFolder();
    const std::string documents = exports.substr(0, exports.size() - 8);
    std::string document;
    const auto segments = Pieces({100}, document);
    for (const char* name : {"..\\escaped", "../escaped", "sub\\escaped", "C:escaped", ".", ".."}) {
        SCOPED_TRACE(name);
        EXPECT_EQ("", ExportOne({DocumentRow(1, std::string(name), segments)}, 1));
        EXPECT_TRUE(ExportFolderEntries().empty());
        EXPECT_FALSE(support::FileExists(documents + "escaped.xml"));
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
        support::WriteFile(ExportFile(md5Name), Sealed(document));
        EXPECT_EQ("", ExportOne({DocumentRow(2, md5Name, {good[0], bad, good[1]})}, 2));
        EXPECT_TRUE(ExportFolderEntries().empty());
    }
}

TEST_F(Export, AnEmptyStoredSegmentAnywhereLeavesNoFile)
{
    // A stored segment of 0 bytes holds no zlib stream: the protocol is damaged there, and must
    // not be sealed cut short at it.
    std::string document;
    const auto good = Pieces({1024, 1024, 952}, document);
    const std::vector<std::pair<const char*, std::vector<std::string>>> blobs = {
        {"first", {"", good[0], good[1], good[2]}},
        {"middle", {good[0], good[1], "", good[2]}},
        {"last", {good[0], good[1], good[2], ""}}};
    for (const auto& [where, segments] : blobs) {
        SCOPED_TRACE(where);
        support::WriteFile(ExportFile(md5Name), Sealed(document));
        EXPECT_EQ("", ExportOne({DocumentRow(2, md5Name, segments)}, 2));
        EXPECT_TRUE(ExportFolderEntries().empty());
    }
}

TEST_F(Export, AFileHeldOpenByAnotherProgramIsLeftAlone)
{
    const std::string path = ExportFile(md5Name);
    support::WriteFile(path, "another program's file");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string document;
    EXPECT_EQ("", ExportOne({DocumentRow(1, md5Name, Pieces({500}, document))}, 1));
    CloseHandle(held);
    EXPECT_EQ("another program's file", ReadFile(path));
}

TEST_F(Export, AFileNameThatOpensADeviceGivesNoPath)
{
    // The export file is a link to a Linux device: /dev/null takes every write, /dev/full fails
    // them with a full disk. Neither is a file for a print module.
    const std::string unixPath = support::UnixPath(ExportFile(md5Name));
    ASSERT_FALSE(unixPath.empty());
    std::string document;
    const auto segments = Pieces({1000, 1000}, document);
    for (const char* device : {"/dev/null", "/dev/full"}) {
        SCOPED_TRACE(device);
        LinkToDevice link(unixPath, device);
        EXPECT_EQ("", ExportOne({DocumentRow(1, md5Name, segments)}, 1));
    }
}

TEST_F(Export, ADeviceNameMakesNoFile)
{
    std::string document;
    const auto segments = Pieces({100}, document);
    for (const char* name : {"NUL", "nul", "NUL ", "NUL.txt", "LPT1", "PRN", "CONOUT$"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ("", ExportOne({DocumentRow(1, std::string(name), segments)}, 1));
        EXPECT_TRUE(ExportFolderEntries().empty());
    }
}

TEST_F(Export, AControlByteInTheNameMakesNoFile)
{
    // CreateFileA would see a name only up to its NUL: "nul21" without ".xml", or the port COM1.
    std::string document;
    const auto segments = Pieces({100}, document);
    using namespace std::string_literals;
    for (const std::string& name : {"nul21\0"s, "nul21\0tail"s, "COM1\0more"s, "tab\tname"s, "\x1f"s}) {
        SCOPED_TRACE(testing::PrintToString(name));
        EXPECT_EQ("", ExportOne({DocumentRow(1, name, segments)}, 1));
        EXPECT_TRUE(ExportFolderEntries().empty());
    }
}

TEST_F(Export, ADatabaseErrorInTheMiddleRemovesTheFileAndGoesOn)
{
    // A blob without segments: the read of its largest segment (0 bytes) is refused by the
    // database layer after the file has been made.
    WithWindow({DocumentRow(8, md5Name, {})}, [&](TfrmSearchMain& f) {
        EXPECT_THROW(A::ExportProtocol(f, 8), IBPP::Exception);
    });
    EXPECT_TRUE(ExportFolderEntries().empty());

    // A NULL document and a failing fetch stop the export before any file.
    std::string document;
    fixtures::Protocol nullDocument = DocumentRow(8, md5Name, {});
    nullDocument.protData.reset();
    WithWindow({nullDocument}, [&](TfrmSearchMain& f) {
        EXPECT_THROW(A::ExportProtocol(f, 8), IBPP::Exception);
    });
    WithWindow(
        {DocumentRow(8, md5Name, Pieces({100}, document))},
        [&](TfrmSearchMain& f) { EXPECT_THROW(A::ExportProtocol(f, 8), IBPP::Exception); },
        [](fixtures::StorageDatabase& db) { db.failAtRow(8, "PROT_MD5"); });
    EXPECT_TRUE(ExportFolderEntries().empty());
}
