// The Wine bench: Czech ANSI code page, documents folder kept inside the build, a display.
#include <gtest/gtest.h>

#include "WinePaths.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

TEST(WineBench, AnsiCodePageIsCentralEuropean)
{
    EXPECT_EQ(1250u, GetACP());
    EXPECT_EQ(0x405u, GetThreadLocale() & 0xFFFF);
}

TEST(WineBench, CzechLettersSurviveTheRoundTrip)
{
    const wchar_t wide[] = L"\x010C\x0161\x017E";  // Č š ž
    char ansi[8] = {};
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, 3, ansi, sizeof ansi, nullptr, &lossy);
    ASSERT_EQ(3, n);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(std::string("\xC8\x9A\x9E"), std::string(ansi, 3));
}

TEST(WineBench, DocumentsFolderLiesInTheBuild)
{
    char docs[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, docs));
    const std::string probe = std::string(docs) + "\\bench-probe.txt";
    HANDLE f = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    CloseHandle(f);
    // The same file seen through Wine's Z: drive at the build's scratch home.
    const std::string inBuild = support::WindowsPath(TABULON_WINEHOME "/bench-probe.txt");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(inBuild.c_str())) << docs << " vs " << inBuild;
    DeleteFileA(probe.c_str());
}

TEST(WineBench, HasADisplay)
{
    HWND w = CreateWindowA("STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, w);
    DestroyWindow(w);
}
