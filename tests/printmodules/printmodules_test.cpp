// The substitute print modules, loaded like the browser loads them: by path, entry points by
// their exported names.
#include <gtest/gtest.h>

#include "HashMD5.h"
#include "PrintModulePaths.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

typedef bool(__cdecl* PrintFunction)(const char*, int, int, int, int, int);
typedef const char*(__cdecl* ErrorTextFunction)();

// The modules' own texts (code page 1250).
const std::string badSealText = "Pe\xE8" "e\x9D souboru protokolu nesouhlas\xED.";
const std::string unreadableText = "Soubor protokolu nelze p\xF8" "e\xE8\xED" "st.";
const std::string noPathText = "Nebyla zad\xE1" "na cesta k souboru protokolu.";

const std::string document =
    "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"
    "<protocol><vin>TMBJJ7NE8F0123456</vin><owner>\x8Akoda \xC8" "ech</owner></protocol>\r\n";

// The export file as the browser seals it: MD5(document + "OSKEV"), then the document.
std::string sealed(const std::string& doc)
{
    CHashMD5 md5;
    Md5Context context;
    md5.Init(context);
    md5.Update(context, reinterpret_cast<const unsigned char*>(doc.data()),
               static_cast<std::uint32_t>(doc.size()));
    md5.Update(context, reinterpret_cast<const unsigned char*>("OSKEV"), 5);
    unsigned char digest[16];
    md5.Final(context, digest);
    return std::string(reinterpret_cast<const char*>(digest), 16) + doc;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Each test copies a module into a fresh folder of its own and loads that copy, so the record
// files it reads are its own.
class PrintModuleTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
        removeFolder();
    }

    void load(const std::string& sourceFolder, const std::string& model)
    {
        folder_ = std::string(TEST_WORK_DIR) + ::testing::UnitTest::GetInstance()->current_test_info()->name()
                + "\\";
        removeFolder();
        CreateDirectoryA(TEST_WORK_DIR, nullptr);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        moduleName_ = "Print" + model + "CZE";
        const std::string copy = folder_ + moduleName_ + ".dll";
        ASSERT_TRUE(CopyFileA((sourceFolder + moduleName_ + ".dll").c_str(), copy.c_str(), FALSE));
        module_ = LoadLibraryA(copy.c_str());
        ASSERT_NE(nullptr, module_) << copy;
        print_ = reinterpret_cast<PrintFunction>(
            reinterpret_cast<void*>(GetProcAddress(module_, ("_PrintProtocol" + model).c_str())));
        errorText_ = reinterpret_cast<ErrorTextFunction>(
            reinterpret_cast<void*>(GetProcAddress(module_, ("_GetLastErrorMsg" + model).c_str())));
        ASSERT_NE(nullptr, print_);
    }

    // A file in the test's folder; for a module's record file pass e.g. ".calls.txt".
    std::string path(const std::string& name) const { return folder_ + name; }
    std::string record(const std::string& suffix) const { return folder_ + moduleName_ + suffix; }

    bool printFile(const std::string& bytes, const std::string& name = "0123abcd.xml")
    {
        writeFile(path(name), bytes);
        return print_(path(name).c_str(), 1, 1, 1, 0, 0);
    }

    std::string errorText() const { return errorText_ ? std::string(errorText_()) : "<no entry point>"; }

    void removeFolder()
    {
        if (folder_.empty())
            return;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((folder_ + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string folder_;
    std::string moduleName_;
    HMODULE module_ = nullptr;
    PrintFunction print_ = nullptr;
    ErrorTextFunction errorText_ = nullptr;
};

} // namespace

TEST_F(PrintModuleTest, RecordsEveryCallsPathNumbersAndBytes)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    const std::string first = sealed(std::string("bin\0ary\x1A\r\n\xFF", 12));
    writeFile(path("first.xml"), first);
    EXPECT_TRUE(print_(path("first.xml").c_str(), 1, 1, 1, 0, 0));
    EXPECT_EQ(first, readFile(record(".last.bin")));

    const std::string second = sealed(document);
    writeFile(path("second.xml"), second);
    EXPECT_TRUE(print_(path("second.xml").c_str(), 7, -2, 3, 0, INT_MAX));

    EXPECT_EQ(path("first.xml") + "\t1\t1\t1\t0\t0\r\n" + path("second.xml") + "\t7\t-2\t3\t0\t2147483647\r\n",
              readFile(record(".calls.txt")));
    EXPECT_EQ(second, readFile(record(".last.bin")));
}

TEST_F(PrintModuleTest, GoodSealPrintsTheDocument)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    EXPECT_TRUE(printFile(sealed(document)));
    EXPECT_EQ("", errorText());
    EXPECT_EQ("protocol:\r\n  vin: TMBJJ7NE8F0123456\r\n  owner: \x8Akoda \xC8" "ech\r\n",
              readFile(record(".printed.txt")));
    // An empty document is sealed too.
    EXPECT_TRUE(printFile(sealed("")));
}

TEST_F(PrintModuleTest, BrokenSealFailsWithATextAndPrintsNothing)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    const std::string good = sealed(document);

    std::string changedDocument = good;
    changedDocument[20] ^= 1;
    std::string changedDigest = good;
    changedDigest[15] ^= 0x80;
    // The digest of the document alone, without the suffix.
    std::string withoutSuffix = sealed(document);
    {
        CHashMD5 md5;
        Md5Context context;
        md5.Init(context);
        md5.Update(context, reinterpret_cast<const unsigned char*>(document.data()),
                   static_cast<std::uint32_t>(document.size()));
        md5.Final(context, reinterpret_cast<unsigned char*>(&withoutSuffix[0]));
    }
    const std::string cases[] = {changedDocument, changedDigest, withoutSuffix, good.substr(0, 15), ""};
    for (const std::string& bytes : cases) {
        EXPECT_FALSE(printFile(bytes)) << bytes.size() << " bytes";
        EXPECT_EQ(badSealText, errorText());
        EXPECT_FALSE(exists(record(".printed.txt")));
        EXPECT_EQ(bytes, readFile(record(".last.bin")));
    }
    // The text describes the last call only.
    EXPECT_TRUE(printFile(good));
    EXPECT_EQ("", errorText());
}

TEST_F(PrintModuleTest, MissingFileOrPathFailsButIsRecorded)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    EXPECT_TRUE(printFile(sealed(document)));

    EXPECT_FALSE(print_(path("missing.xml").c_str(), 1, 1, 1, 0, 0));
    EXPECT_EQ(unreadableText, errorText());
    EXPECT_FALSE(exists(record(".last.bin")));
    EXPECT_FALSE(exists(record(".printed.txt")));

    EXPECT_FALSE(print_(nullptr, 1, 1, 1, 0, 0));
    EXPECT_EQ(noPathText, errorText());

    const std::string calls = readFile(record(".calls.txt"));
    EXPECT_NE(std::string::npos, calls.find(path("missing.xml") + "\t1\t1\t1\t0\t0\r\n"));
    EXPECT_NE(std::string::npos, calls.find("\r\n\t1\t1\t1\t0\t0\r\n"));
}

TEST_F(PrintModuleTest, FailFileMakesItFailWithThatText)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    // "Tiskárna není připravena." in code page 1250, with the line break an editor leaves.
    const std::string text = "Tisk\xE1rna nen\xED p\xF8ipravena.";
    writeFile(record(".fail.txt"), text + "\r\n");
    const std::string good = sealed(document);
    EXPECT_FALSE(printFile(good));
    EXPECT_EQ(text, errorText());
    EXPECT_EQ(good, readFile(record(".last.bin")));
    EXPECT_FALSE(exists(record(".printed.txt")));

    // An empty fail file fails with empty text.
    writeFile(record(".fail.txt"), "");
    EXPECT_FALSE(printFile(good));
    EXPECT_EQ("", errorText());

    DeleteFileA(record(".fail.txt").c_str());
    EXPECT_TRUE(printFile(good));
}

TEST_F(PrintModuleTest, Kx60ModuleHasItsOwnNamesAndFiles)
{
    load(TABULON_PRINTMODULES_DIR, "KX60");
    EXPECT_NE(nullptr, errorText_);
    EXPECT_EQ(nullptr, GetProcAddress(module_, "_PrintProtocolKX40"));
    EXPECT_EQ(nullptr, GetProcAddress(module_, "PrintProtocolKX60"));
    EXPECT_TRUE(printFile(sealed(document), "kx60.xml"));
    EXPECT_EQ(path("kx60.xml") + "\t1\t1\t1\t0\t0\r\n", readFile(path("PrintKX60CZE.calls.txt")));
    EXPECT_FALSE(exists(path("PrintKX40CZE.calls.txt")));
}

TEST_F(PrintModuleTest, VariantWithoutErrorTextStillPrints)
{
    load(TABULON_PRINTMODULES_NOERRTEXT_DIR, "KX40");
    EXPECT_EQ(nullptr, errorText_);
    EXPECT_TRUE(printFile(sealed(document)));
    EXPECT_FALSE(printFile("not sealed"));
    EXPECT_TRUE(exists(record(".calls.txt")));
}
