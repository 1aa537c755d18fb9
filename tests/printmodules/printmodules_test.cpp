// The substitute print modules, loaded like the browser loads them: by path, entry points by
// their exported names.
#include <gtest/gtest.h>

#include "CryptoMd5.h"
#include "ExportSeal.h"
#include "Files.h"
#include "PrintModulePaths.h"
#include "WinePaths.h"

#include <windows.h>

#include <climits>
#include <string>

using kelvartest::Sealed;
using support::FileExists;
using support::ReadFile;
using support::WriteFile;

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

// Each test copies a module into a fresh folder of its own and loads that copy, so the record
// files it reads are its own.
class PrintModuleTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    // Loads a copy of the model's module from a folder of PrintModulePaths.h.
    void load(const std::string& sourceFolder, const std::string& model)
    {
        moduleName_ = "Print" + model + "CZE";
        const std::string copy = path(moduleName_ + ".dll");
        const std::string source = support::WindowsPath(sourceFolder + moduleName_ + ".dll");
        ASSERT_TRUE(CopyFileA(source.c_str(), copy.c_str(), FALSE)) << source;
        module_ = LoadLibraryA(copy.c_str());
        ASSERT_NE(nullptr, module_) << copy;
        print_ = reinterpret_cast<PrintFunction>(
            reinterpret_cast<void*>(GetProcAddress(module_, ("_PrintProtocol" + model).c_str())));
        errorText_ = reinterpret_cast<ErrorTextFunction>(
            reinterpret_cast<void*>(GetProcAddress(module_, ("_GetLastErrorMsg" + model).c_str())));
        ASSERT_NE(nullptr, print_);
    }

    // A file in the test's folder; for a module's record file pass e.g. ".calls.txt".
    std::string path(const std::string& name) const { return folder_.File(name); }
    std::string record(const std::string& suffix) const { return path(moduleName_ + suffix); }

    bool printFile(const std::string& bytes, const std::string& name = "0123abcd.xml")
    {
        WriteFile(path(name), bytes);
        return print_(path(name).c_str(), 1, 1, 1, 0, 0);
    }

    std::string errorText() const { return errorText_ ? std::string(errorText_()) : "<no entry point>"; }

    // Made before and removed after the module loaded from it.
    support::ScratchFolder folder_{"printmodules"};
    std::string moduleName_;
    HMODULE module_ = nullptr;
    PrintFunction print_ = nullptr;
    ErrorTextFunction errorText_ = nullptr;
};

} // namespace

TEST_F(PrintModuleTest, RecordsEveryCallsPathNumbersAndBytes)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    const std::string first = Sealed(std::string("bin\0ary\x1A\r\n\xFF", 12));
    WriteFile(path("first.xml"), first);
    EXPECT_TRUE(print_(path("first.xml").c_str(), 1, 1, 1, 0, 0));
    EXPECT_EQ(first, ReadFile(record(".last.bin")));

    const std::string second = Sealed(document);
    WriteFile(path("second.xml"), second);
    EXPECT_TRUE(print_(path("second.xml").c_str(), 7, -2, 3, 0, INT_MAX));

    EXPECT_EQ(path("first.xml") + "\t1\t1\t1\t0\t0\r\n" + path("second.xml") + "\t7\t-2\t3\t0\t2147483647\r\n",
              ReadFile(record(".calls.txt")));
    EXPECT_EQ(second, ReadFile(record(".last.bin")));
}

TEST_F(PrintModuleTest, GoodSealPrintsTheDocument)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    EXPECT_TRUE(printFile(Sealed(document)));
    EXPECT_EQ("", errorText());
    EXPECT_EQ("protocol:\r\n  vin: TMBJJ7NE8F0123456\r\n  owner: \x8Akoda \xC8" "ech\r\n",
              ReadFile(record(".printed.txt")));
    // An empty document is sealed too.
    EXPECT_TRUE(printFile(Sealed("")));
}

TEST_F(PrintModuleTest, BrokenSealFailsWithATextAndPrintsNothing)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    const std::string good = Sealed(document);

    std::string changedDocument = good;
    changedDocument[20] ^= 1;
    std::string changedDigest = good;
    changedDigest[15] ^= 0x80;
    // The digest of the document alone, without the suffix.
    const std::string withoutSuffix = support::CryptoMd5(document) + document;
    const std::string cases[] = {changedDocument, changedDigest, withoutSuffix, good.substr(0, 15), ""};
    for (const std::string& bytes : cases) {
        EXPECT_FALSE(printFile(bytes)) << bytes.size() << " bytes";
        EXPECT_EQ(badSealText, errorText());
        EXPECT_FALSE(FileExists(record(".printed.txt")));
        EXPECT_EQ(bytes, ReadFile(record(".last.bin")));
    }
    // The text describes the last call only.
    EXPECT_TRUE(printFile(good));
    EXPECT_EQ("", errorText());
}

TEST_F(PrintModuleTest, MissingFileOrPathFailsButIsRecorded)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    EXPECT_TRUE(printFile(Sealed(document)));

    EXPECT_FALSE(print_(path("missing.xml").c_str(), 1, 1, 1, 0, 0));
    EXPECT_EQ(unreadableText, errorText());
    EXPECT_FALSE(FileExists(record(".last.bin")));
    EXPECT_FALSE(FileExists(record(".printed.txt")));

    EXPECT_FALSE(print_(nullptr, 1, 1, 1, 0, 0));
    EXPECT_EQ(noPathText, errorText());

    const std::string calls = ReadFile(record(".calls.txt"));
    EXPECT_NE(std::string::npos, calls.find(path("missing.xml") + "\t1\t1\t1\t0\t0\r\n"));
    EXPECT_NE(std::string::npos, calls.find("\r\n\t1\t1\t1\t0\t0\r\n"));
}

TEST_F(PrintModuleTest, FailFileMakesItFailWithThatText)
{
    load(TABULON_PRINTMODULES_DIR, "KX40");
    // "Tiskárna není připravena." in code page 1250, with the line break an editor leaves.
    const std::string text = "Tisk\xE1rna nen\xED p\xF8ipravena.";
    WriteFile(record(".fail.txt"), text + "\r\n");
    const std::string good = Sealed(document);
    EXPECT_FALSE(printFile(good));
    EXPECT_EQ(text, errorText());
    EXPECT_EQ(good, ReadFile(record(".last.bin")));
    EXPECT_FALSE(FileExists(record(".printed.txt")));

    // An empty fail file fails with empty text.
    WriteFile(record(".fail.txt"), "");
    EXPECT_FALSE(printFile(good));
    EXPECT_EQ("", errorText());

    support::RemoveTree(record(".fail.txt"));
    EXPECT_TRUE(printFile(good));
}

TEST_F(PrintModuleTest, Kx60ModuleHasItsOwnNamesAndFiles)
{
    load(TABULON_PRINTMODULES_DIR, "KX60");
    EXPECT_NE(nullptr, errorText_);
    EXPECT_EQ(nullptr, GetProcAddress(module_, "_PrintProtocolKX40"));
    EXPECT_EQ(nullptr, GetProcAddress(module_, "PrintProtocolKX60"));
    EXPECT_TRUE(printFile(Sealed(document), "kx60.xml"));
    EXPECT_EQ(path("kx60.xml") + "\t1\t1\t1\t0\t0\r\n", ReadFile(path("PrintKX60CZE.calls.txt")));
    EXPECT_FALSE(FileExists(path("PrintKX40CZE.calls.txt")));
}

TEST_F(PrintModuleTest, VariantWithoutErrorTextStillPrints)
{
    load(TABULON_PRINTMODULES_NOERRTEXT_DIR, "KX40");
    EXPECT_EQ(nullptr, errorText_);
    EXPECT_TRUE(printFile(Sealed(document)));
    EXPECT_FALSE(printFile("not sealed"));
    EXPECT_TRUE(FileExists(record(".calls.txt")));
}
