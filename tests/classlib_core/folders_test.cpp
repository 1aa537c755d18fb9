// DirectoryExists and ForceDirectories on the prefix's real file system.
#include <gtest/gtest.h>

#include "Files.h"
#include "Folders.h"

#include <windows.h>

#include <string>

namespace {

// Each case in a folder of its own.
class Folders : public ::testing::Test
{
protected:
    support::ScratchFolder scratch{std::string("folders-") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const std::string base = scratch.Path();
};

}  // namespace

TEST_F(Folders, DirectoryExistsOnlyForDirectories)
{
    support::WriteFile(base + "\\file.txt", "");
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
    EXPECT_TRUE(support::FolderExists(base + "\\Trevant"));
    EXPECT_TRUE(support::FolderExists(base + "\\Trevant\\Backup"));
    EXPECT_TRUE(support::FolderExists(leaf));

    // Existing: succeeds at once, with or without the trailing backslash, keeping what is inside.
    support::WriteFile(leaf + "\\KX40Storage.GDB", "");
    EXPECT_TRUE(ForceDirectories(leaf));
    EXPECT_TRUE(ForceDirectories(leaf + "\\\\"));
    EXPECT_TRUE(support::FileExists(leaf + "\\KX40Storage.GDB"));

    // Czech folder names of code page 1250.
    EXPECT_TRUE(ForceDirectories(base + "\\\xFAt\\\xE8t"));
    EXPECT_TRUE(support::FolderExists(base + "\\\xFAt\\\xE8t"));
}

TEST_F(Folders, AFileInTheWayFails)
{
    support::WriteFile(base + "\\Trevant", "");
    EXPECT_FALSE(ForceDirectories(base + "\\Trevant\\Backup\\po\\"));
    EXPECT_FALSE(support::FolderExists(base + "\\Trevant\\Backup"));
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
