// kelvar.exe as the operator starts it: its own process, its manifest, its boxes, its exit code.
#include "KelvarTesting.h"

#include "BoxCatcher.h"
#include "Files.h"
#include "GuiTesting.h"
#include "ProgramProcess.h"
#include "WinePaths.h"

#include <gtest/gtest.h>

using guitest::Ansi;
using kelvartest::Model;

namespace {

class Program : public kelvartest::BrowserTest
{
};

}  // namespace

TEST_F(Program, CarriesItsManifest)
{
    std::string exe = support::WindowsPath(KELVAR_EXE);
    HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, image);
    HRSRC resource = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(nullptr, resource);
    const char* data = static_cast<const char*>(LockResource(LoadResource(image, resource)));
    std::string embedded(data, SizeofResource(image, resource));
    FreeLibrary(image);
    EXPECT_EQ(support::ReadFile(support::WindowsPath(KELVAR_MANIFEST)), embedded);
}

TEST_F(Program, WithoutDatabasesItSaysSoAndEndsWithExitCodeZero)
{
    guitest::ProgramProcess kelvar(KELVAR_EXE);
    ASSERT_TRUE(kelvar.Started());
    HWND box = kelvar.WaitForWindow("Informace", "#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(Ansi(u8"Nebyly nalezeny žádné datové soubory.\nAplikace bude ukončena."),
              guitest::DescribeBox(box).Text);
    // The program's window stands behind the box, drawn with version 6 of the common controls.
    const std::string comctl = kelvar.ModulePath("comctl32.dll");
    EXPECT_NE(std::string::npos, comctl.find("\\winsxs\\x86_microsoft.windows.common-controls_6")) << comctl;
    guitest::PressBoxButton(box, IDOK);
    EXPECT_EQ(0, kelvar.WaitForExit());
}

TEST_F(Program, AnErrorAtStartUpIsShownUnderTheTitleAndTheProgramGoesOn)
{
    Store(Model::KX40, {kelvartest::MakeProtocol(1, u8"P-1")});
    UsePathValue(Model::KX40, 3);
    guitest::ProgramProcess kelvar(KELVAR_EXE);
    ASSERT_TRUE(kelvar.Started());
    HWND box = kelvar.WaitForWindow("Tabulon", "#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Invalid data type for 'Path'", guitest::DescribeBox(box).Text);
    guitest::PressBoxButton(box, IDOK);
    HWND window = kelvar.WaitForWindow("Tabulon", "TabulonForm");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, kelvar.WaitForExit());
}
