// The long backup with the shell's folder picker driven as the operator would.
#include "Bckeng.h"
#include "FolderPicker.h"
#include "LongBackup.h"
#include "ObruntTesting.h"

#include "DateFormat.h"
#include "DateTime.h"
#include "GuiTesting.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace obtest;

namespace {

class LongBackup : public PrefixStateTest
{
protected:
    static std::string Dated(const std::string& folder)
    {
        return folder + "\\" + std::string(FormatDateTime("yyyy-mm-dd", Date()));
    }
    static std::vector<std::string> Sorted(std::vector<std::string> names)
    {
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchFolder scratch{"long-backup"};
};

const std::vector<std::string> bothCopies = {"KX40Storage.GDB", "KX60Storage.GDB"};

BackupResult RunLong(PickerDriver& picker, HWND owner = nullptr)
{
    CEmissionBackup engine;
    engine.m_hOwner = owner;
    return engine.RunLongBackup();
}

}  // namespace

TEST(LongBackupFolder, TheDateFollowsTheChosenFolderWithOneSeparator)
{
    const TDateTime day = EncodeDate(2016, 6, 3);
    EXPECT_EQ("E:\\2016-06-03", LongBackupFolder("E:\\", day));
    EXPECT_EQ("E:\\Backups\\2016-06-03", LongBackupFolder("E:\\Backups", day));
    EXPECT_EQ("\\\\server\\share\\2016-06-03", LongBackupFolder("\\\\server\\share\\", day));
    // Digits and hyphens whatever the regional settings.
    ThreadLocale english(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
    EXPECT_EQ("E:\\2016-12-31", LongBackupFolder("E:\\", EncodeDate(2016, 12, 31)));
}

TEST(FolderPicker, StartsWithoutOwnerAndGivesTheChosenPath)
{
    ScratchFolder scratch("picker");
    PickerDriver picker({PickerAnswer::Choosing(scratch.Path()), PickerAnswer::Cancelling()});
    EXPECT_EQ(scratch.Path(), BrowseForFolder(std::string()));
    EXPECT_EQ("", BrowseForFolder(scratch.Path()));
    EXPECT_EQ(2, picker.PickersShown());
    EXPECT_FALSE(picker.AnyPickerOwned());
}

TEST(FolderPicker, TheInitialPathIsSelectedWhenThePickerOpens)
{
    ScratchFolder scratch("picker");
    PickerDriver picker({PickerAnswer::Accepting()});
    EXPECT_EQ(scratch.Path(), BrowseForFolder(scratch.Path()));
}

TEST(FolderPicker, AChoiceWithoutAFileSystemPathCountsAsNone)
{
    // With empty text for the initial path the picker starts on the computer's own folder,
    // which has no path; OK on it gives nothing.
    PickerDriver picker({PickerAnswer::Accepting()});
    EXPECT_EQ("", BrowseForFolder(std::string()));
    EXPECT_EQ(1, picker.PickersShown());
}

TEST_F(LongBackup, CancellingThePickerTouchesNeitherDiskNorRegistry)
{
    PutBothDatabases();
    SetDword("LongPeriod", 30);
    SetDay("LongPeriodLast", Today() - 40);
    PickerDriver picker({PickerAnswer::Cancelling()});
    EXPECT_EQ(brCancelled, RunLong(picker));
    EXPECT_TRUE(FolderEntries(scratch.Path()).empty());
    EXPECT_EQ(Today() - 40, RecordedDay("LongPeriodLast"));
    EXPECT_EQ(1, picker.PickersShown());
}

TEST_F(LongBackup, OkOnTheComputerFolderCountsAsCancelled)
{
    PutBothDatabases();
    PickerDriver picker({PickerAnswer::Accepting()});
    EXPECT_EQ(brCancelled, RunLong(picker));
    EXPECT_FALSE(ScheduleKeyExists());
}

TEST_F(LongBackup, AChosenFolderGetsADatedFolderWithBothCopies)
{
    PutBothDatabases();
    PickerDriver picker({PickerAnswer::Choosing(scratch.Path())});
    EXPECT_EQ(brDone, RunLong(picker));
    const std::string target = Dated(scratch.Path());
    EXPECT_EQ(std::vector<std::string>{std::string(FormatDateTime("yyyy-mm-dd", Date()))},
              FolderEntries(scratch.Path()));
    EXPECT_EQ(bothCopies, Sorted(FolderEntries(target)));
    EXPECT_TRUE(ReadFile(target + "\\KX40Storage.GDB") == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(target + "\\KX60Storage.GDB") == SampleDatabase(1));
    // The key did not exist: the first copy made it.
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
    EXPECT_FALSE(ReadValue("ShortPeriodLast").Exists);
    EXPECT_TRUE(picker.OtherBoxes().empty());
}

TEST_F(LongBackup, ADriveRootGetsTheDateRightBehindIt)
{
    // T: is the scratch drive of the Wine bench, mapped onto a build folder.
    const std::string root = "T:\\";
    ASSERT_TRUE(FolderExists(root)) << "drive T: is not mapped";
    const std::string target = "T:\\" + std::string(FormatDateTime("yyyy-mm-dd", Date()));
    RemoveTree(target);
    PutBothDatabases();
    PickerDriver picker({PickerAnswer::Choosing(root)});
    EXPECT_EQ(brDone, RunLong(picker));
    EXPECT_EQ(bothCopies, Sorted(FolderEntries(target)));
    RemoveTree(target);
}

TEST_F(LongBackup, OneModelsDatabaseMissingIsStillASuccess)
{
    WriteFile(StoragePath(1), SampleDatabase(1));
    PickerDriver picker({PickerAnswer::Choosing(scratch.Path())});
    EXPECT_EQ(brDone, RunLong(picker));
    EXPECT_EQ(std::vector<std::string>{"KX60Storage.GDB"}, FolderEntries(Dated(scratch.Path())));
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
}

TEST_F(LongBackup, NoDatabaseCopiedIsAFailureAndKeepsTheRecordedDay)
{
    SetDay("LongPeriodLast", Today() - 100);
    PickerDriver picker({PickerAnswer::Choosing(scratch.Path())});
    EXPECT_EQ(brFailed, RunLong(picker));
    EXPECT_TRUE(FolderEntries(Dated(scratch.Path())).empty());
    EXPECT_EQ(Today() - 100, RecordedDay("LongPeriodLast"));
}

TEST_F(LongBackup, ADatabaseThatExistsButCannotBeCopiedIsAFailure)
{
    PutBothDatabases();
    // The station's software holds the KX40 database open without sharing it.
    HANDLE held = CreateFileA(StoragePath(0).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    PickerDriver picker({PickerAnswer::Choosing(scratch.Path())});
    const BackupResult result = RunLong(picker);
    CloseHandle(held);
    EXPECT_EQ(brFailed, result);
    // The copy that succeeded is kept and recorded.
    EXPECT_TRUE(ReadFile(Dated(scratch.Path()) + "\\KX60Storage.GDB") == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
}

TEST_F(LongBackup, AFileInPlaceOfTheDatedFolderIsNeitherOverwrittenNorASuccess)
{
    PutBothDatabases();
    const std::string target = Dated(scratch.Path());
    WriteFile(target, "the operator's own file");
    PickerDriver picker({PickerAnswer::Choosing(scratch.Path())});
    EXPECT_EQ(brFailed, RunLong(picker));
    EXPECT_EQ("the operator's own file", ReadFile(target));
    EXPECT_FALSE(ScheduleKeyExists());
    EXPECT_TRUE(picker.OtherBoxes().empty());
}

TEST_F(LongBackup, PathsTooLongForTheShellsBuffersAreRefused)
{
    PutBothDatabases();
    // A chosen folder of 250 characters: with the date the target needs 261.
    std::string chosen = scratch.Path();
    if (chosen.size() > 200)
        GTEST_SKIP() << "the build folder's path is too long for this case";
    while (chosen.size() < 240)
        chosen += "\\abcdefghi";
    chosen += "\\" + std::string(249 - chosen.size(), 'x');
    ASSERT_EQ(250u, chosen.size());
    for (size_t at = scratch.Path().size() + 1; at != std::string::npos; at = chosen.find('\\', at + 1))
        CreateDirectoryA(chosen.substr(0, at).c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr) || FolderExists(chosen)) << GetLastError();

    PickerDriver picker({PickerAnswer::Choosing(chosen)});
    EXPECT_EQ(brFailed, RunLong(picker));
    EXPECT_FALSE(ScheduleKeyExists());

    // The limit itself: a path of 258 characters fits a shell list, one of 259 does not.
    const std::string source = StoragePath(0);
    const std::string shortTarget = scratch.Path() + "\\fits";
    ASSERT_TRUE(CreateDirectoryA(shortTarget.c_str(), nullptr));
    EXPECT_FALSE(ShellCopy(nullptr, source, shortTarget + "\\" + std::string(258 - shortTarget.size(), 'y')));
    EXPECT_FALSE(ShellCopy(nullptr, source + std::string(259 - source.size(), 'z'), shortTarget));
    EXPECT_TRUE(ShellCopy(nullptr, source, shortTarget));
    EXPECT_TRUE(FileExists(shortTarget + "\\KX40Storage.gdb"));
}

TEST_F(LongBackup, TheShellsQuestionsBelongToTheOwnerWindow)
{
    PutBothDatabases();
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    PickerDriver first({PickerAnswer::Choosing(scratch.Path())});
    EXPECT_EQ(brDone, RunLong(first, owner));
    // The same folder again on the same day: the shell asks before it replaces each copy.
    WriteFile(StoragePath(0), SampleDatabase(0, 2));
    PickerDriver second({PickerAnswer::Choosing(scratch.Path())});
    EXPECT_EQ(brDone, RunLong(second, owner));
    EXPECT_FALSE(second.OtherBoxes().empty());
    for (const guitest::CaughtBox& box : second.OtherBoxes())
        EXPECT_EQ(owner, box.Owner) << box.Caption;
    EXPECT_TRUE(ReadFile(Dated(scratch.Path()) + "\\KX40Storage.GDB") == SampleDatabase(0, 2));
    EXPECT_FALSE(second.AnyPickerOwned());
    DestroyWindow(owner);
}
