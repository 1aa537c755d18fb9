// DirectoryExists and ForceDirectories on the prefix's real file system.
#include <gtest/gtest.h>

#include "Folders.h"

#include <windows.h>

#include <string>

namespace {

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

void MakeFile(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f) << path;
    CloseHandle(f);
}

bool IsDirectory(const std::string& path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

class Folders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        base = std::string(temp) + "tabulon-folders-" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveTree(base);
        ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(base); }

    std::string base;
};

TEST_F(Folders, DirectoryExistsOnlyForDirectories)
{
    MakeFile(base + "\\file.txt");
    EXPECT_TRUE(DirectoryExists(base));
    EXPECT_TRUE(DirectoryExists(base + "\\"));
    EXPECT_FALSE(DirectoryExists(base + "\\file.txt"));
    EXPECT_FALSE(DirectoryExists(base + "\\missing"));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST_F(Folders, ForceDirectoriesMakesTheWholeMissingTree)
{
    const std::string leaf = base + "\\Trevant\\Backup\\st";
    EXPECT_TRUE(ForceDirectories(leaf + "\\"));
    EXPECT_TRUE(IsDirectory(base + "\\Trevant"));
    EXPECT_TRUE(IsDirectory(base + "\\Trevant\\Backup"));
    EXPECT_TRUE(IsDirectory(leaf));

    // Existing: succeeds at once, with or without the trailing backslash, keeping what is inside.
    MakeFile(leaf + "\\KX40Storage.GDB");
    EXPECT_TRUE(ForceDirectories(leaf));
    EXPECT_TRUE(ForceDirectories(leaf + "\\\\"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((leaf + "\\KX40Storage.GDB").c_str()));

    // Czech folder names of code page 1250.
    EXPECT_TRUE(ForceDirectories(base + "\\\xFAt\\\xE8t"));
    EXPECT_TRUE(IsDirectory(base + "\\\xFAt\\\xE8t"));
}

TEST_F(Folders, AFileInTheWayFails)
{
    MakeFile(base + "\\Trevant");
    EXPECT_FALSE(ForceDirectories(base + "\\Trevant\\Backup\\po\\"));
    EXPECT_FALSE(IsDirectory(base + "\\Trevant\\Backup"));
    EXPECT_FALSE(ForceDirectories(base + "\\Trevant"));
    EXPECT_FALSE(ForceDirectories(base + "\\Trevant\\"));
}

TEST_F(Folders, NothingToMakeFails)
{
    EXPECT_FALSE(ForceDirectories(""));
    // A drive that does not exist has no parent to make: false, not endless recursion.
    const DWORD drives = GetLogicalDrives();
    char letter = 0;
    for (char c = 'Q'; c <= 'Y' && !letter; ++c)
        if (!(drives & (1u << (c - 'A'))))
            letter = c;
    ASSERT_NE(0, letter);
    EXPECT_FALSE(ForceDirectories(std::string(1, letter) + ":\\a\\b"));
    EXPECT_FALSE(ForceDirectories(std::string(1, letter) + ":\\"));
    // A path too long for the system.
    EXPECT_FALSE(ForceDirectories(base + "\\" + std::string(300, 'x')));
}
