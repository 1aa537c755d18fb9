// kelvar.exe as the operator starts it: its own process, its manifest, its boxes, its exit code.
#include "KelvarTesting.h"

#include "GuiTesting.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <fstream>
#include <iterator>

using guitest::Ansi;
using kelvartest::Model;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// kelvar.exe started on this thread's desktop, where the test can find its windows. Ended
// (killed, if need be) when the object goes.
class Kelvar
{
public:
    Kelvar()
    {
        char desktop[256] = {};
        DWORD length = 0;
        GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop,
                                  sizeof desktop, &length);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.lpDesktop = desktop;
        std::string exe = guitest::WindowsPath(KELVAR_EXE);
        started_ = CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_);
    }
    ~Kelvar()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool Started() const { return started_; }

    // The first top-level window of the program with this class and caption, waited for.
    HWND WaitForWindow(const char* windowClass, const char* caption, int seconds = 60) const
    {
        for (int i = 0; i < seconds * 20; ++i) {
            HWND window = nullptr;
            while ((window = FindWindowExA(nullptr, window, windowClass, caption))) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == process_.dwProcessId && IsWindowVisible(window))
                    return window;
            }
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    // The exit code once the program has ended, or -1 when it does not end in time.
    long WaitForExit(int seconds = 30) const
    {
        if (WaitForSingleObject(process_.hProcess, seconds * 1000) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

    // Where the program took comctl32.dll from.
    std::string ComctlPath() const
    {
        HMODULE modules[512] = {};
        DWORD needed = 0;
        if (!EnumProcessModules(process_.hProcess, modules, sizeof modules, &needed))
            return "";
        for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
            char path[MAX_PATH] = {};
            GetModuleFileNameExA(process_.hProcess, modules[i], path, MAX_PATH);
            std::string lower = Lower(path);
            if (lower.size() >= 12 && lower.compare(lower.size() - 12, 12, "comctl32.dll") == 0)
                return lower;
        }
        return "";
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

std::string BoxText(HWND box)
{
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

void PressOk(HWND box)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

class Program : public testing::Test
{
protected:
    void SetUp() override { kelvartest::ResetPrefixState(); }
    void TearDown() override { kelvartest::ResetPrefixState(); }
};

}  // namespace

TEST_F(Program, CarriesItsManifest)
{
    std::string exe = guitest::WindowsPath(KELVAR_EXE);
    HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, image);
    HRSRC resource = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(nullptr, resource);
    const char* data = static_cast<const char*>(LockResource(LoadResource(image, resource)));
    std::string embedded(data, SizeofResource(image, resource));
    FreeLibrary(image);
    EXPECT_EQ(ReadFile(KELVAR_MANIFEST), embedded);
}

TEST_F(Program, WithoutDatabasesItSaysSoAndEndsWithExitCodeZero)
{
    Kelvar kelvar;
    ASSERT_TRUE(kelvar.Started());
    HWND box = kelvar.WaitForWindow("#32770", "Informace");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(Ansi(u8"Nebyly nalezeny žádné datové soubory.\nAplikace bude ukončena."), BoxText(box));
    // The program's window stands behind the box, drawn with version 6 of the common controls.
    EXPECT_NE(std::string::npos,
              kelvar.ComctlPath().find("\\winsxs\\x86_microsoft.windows.common-controls_6"))
        << kelvar.ComctlPath();
    PressOk(box);
    EXPECT_EQ(0, kelvar.WaitForExit());
}

TEST_F(Program, AnErrorAtStartUpIsShownUnderTheTitleAndTheProgramGoesOn)
{
    kelvartest::StorageInPlace kx40(Model::KX40, {kelvartest::MakeProtocol(1, u8"P-1")});
    kelvartest::RegistryPath path40(Model::KX40, DWORD(3));
    Kelvar kelvar;
    ASSERT_TRUE(kelvar.Started());
    HWND box = kelvar.WaitForWindow("#32770", "Tabulon");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Invalid data type for 'Path'", BoxText(box));
    PressOk(box);
    HWND window = kelvar.WaitForWindow("TabulonForm", "Tabulon");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, kelvar.WaitForExit());
}
