// The browser's paths: storage databases under the data folder, the export folder, and the
// print modules as the registry's Path values name their folders.
#include "KelvarTesting.h"

#include "Files.h"
#include "GuiTesting.h"
#include "Paths.h"
#include "Registry.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using guitest::Ansi;
using kelvartest::Model;
using kelvartest::RegistryPath;

namespace {

std::string ShellFolder(int csidl)
{
    char folder[MAX_PATH] = {};
    EXPECT_GE(SHGetFolderPathA(nullptr, csidl, nullptr, 0, folder), 0);
    return folder;
}

class Paths : public kelvartest::BrowserTest
{
};

}  // namespace

TEST_F(Paths, StoragePathsLieUnderTheDataFolderWhetherOrNotTheFileExists)
{
    const std::string common = ShellFolder(CSIDL_COMMON_APPDATA);
    EXPECT_EQ("C:\\ProgramData", common);
    EXPECT_EQ(common + "\\Trevant\\KX60\\KX60Storage.gdb", GetStoragePath("KX60\\KX60Storage.gdb"));
    EXPECT_EQ(common + "\\Trevant\\KX40\\KX40Storage.gdb", GetStoragePath("KX40\\KX40Storage.gdb"));
    // Nothing was made on the way.
    EXPECT_FALSE(support::FolderExists(common + "\\Trevant"));
}

TEST_F(Paths, ExportFolderIsMadeOnceAndKept)
{
    const std::string folder = ShellFolder(CSIDL_PERSONAL) + "\\Trevant\\";
    // A fresh machine: no folder yet (a test before may have left an empty one).
    RemoveDirectoryA(folder.c_str());
    ASSERT_FALSE(support::FolderExists(folder)) << "the export folder is not empty: " << folder;

    EXPECT_EQ(folder, GetExportFolder());
    ASSERT_TRUE(support::FolderExists(folder));
    // The second call finds the folder and leaves what is in it.
    const std::string marker = folder + "marker.txt";
    support::WriteFile(marker, "");
    EXPECT_EQ(folder, GetExportFolder());
    EXPECT_TRUE(support::FileExists(marker));

    DeleteFileA(marker.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(Paths, ModulePathIsThePathValueFollowedDirectlyByTheFileName)
{
    struct Case
    {
        const char* name;
        const char* stored;  // UTF-8
        DWORD type;
        const char* expected;
    };
    const Case cases[] = {
        {"with backslash", u8"C:\\Moduly\\", REG_SZ, u8"C:\\Moduly\\PrintKX40CZE.dll"},
        {"without backslash", u8"C:\\Tools", REG_SZ, u8"C:\\ToolsPrintKX40CZE.dll"},
        {"empty", u8"", REG_SZ, u8"PrintKX40CZE.dll"},
        {"Czech letters", u8"C:\\Tiskové moduly\\", REG_SZ, u8"C:\\Tiskové moduly\\PrintKX40CZE.dll"},
        {"expandable, unexpanded", u8"%SystemRoot%\\Moduly\\", REG_EXPAND_SZ,
         u8"%SystemRoot%\\Moduly\\PrintKX40CZE.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryPath path(Model::KX40, Ansi(c.stored), c.type);
        EXPECT_EQ(Ansi(c.expected), GetPrintModulePathKX40());
    }
    {
        // Text up to the first zero byte.
        RegistryPath path(Model::KX40, std::string("C:\\A\\\0C:\\B\\", 11));
        EXPECT_EQ("C:\\A\\PrintKX40CZE.dll", GetPrintModulePathKX40());
    }
}

TEST_F(Paths, MissingKeyOrValueGivesTheBareFileName)
{
    EXPECT_EQ("PrintKX40CZE.dll", GetPrintModulePathKX40());
    EXPECT_EQ("PrintKX60CZE.dll", GetPrintModulePathKX60());
    RegistryPath key40(Model::KX40);
    RegistryPath key60(Model::KX60);
    EXPECT_EQ("PrintKX40CZE.dll", GetPrintModulePathKX40());
    EXPECT_EQ("PrintKX60CZE.dll", GetPrintModulePathKX60());
}

TEST_F(Paths, AnEmptyPathOfAnyTypeGivesTheBareFileName)
{
    for (DWORD type : {REG_BINARY, REG_NONE}) {
        SCOPED_TRACE(type);
        RegistryPath path(Model::KX40, "", type);
        EXPECT_EQ("PrintKX40CZE.dll", GetPrintModulePathKX40());
    }
}

TEST_F(Paths, EachModelReadsItsOwnKey)
{
    RegistryPath path40(Model::KX40, "C:\\Ctyricet\\");
    RegistryPath path60(Model::KX60, "D:\\Sedesat\\");
    EXPECT_EQ("C:\\Ctyricet\\PrintKX40CZE.dll", GetPrintModulePathKX40());
    EXPECT_EQ("D:\\Sedesat\\PrintKX60CZE.dll", GetPrintModulePathKX60());
}

TEST_F(Paths, APathStoredAsANumberRaisesTheRegistryError)
{
    RegistryPath path40(Model::KX40, DWORD(1));
    RegistryPath path60(Model::KX60, DWORD(0));
    for (auto lookup : {&GetPrintModulePathKX40, &GetPrintModulePathKX60}) {
        try {
            lookup();
            ADD_FAILURE() << "no error";
        } catch (const ERegistryException& error) {
            EXPECT_EQ("Invalid data type for 'Path'", error.Message);
        }
    }
}
