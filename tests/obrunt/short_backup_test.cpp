// The short backup on the prefix's data folder and registry.
#include "Bckeng.h"
#include "ObruntTesting.h"

#include "DateFormat.h"
#include "DateTime.h"
#include "Folders.h"
#include "GuiTesting.h"
#include "StorageFixture.h"
#include "WinePaths.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace obtest;

namespace {

class ShortBackup : public PrefixStateTest
{
protected:
    static void Run()
    {
        CEmissionBackup engine;
        engine.RunShortBackup();
    }
    // Today's rotation folder in the regional settings in force.
    static std::string TodaysFolder() { return RotationFolder(FormatDateTime("ddd", Date())); }
};

// A tmpfs of some KiB mounted on a folder of the prefix while the object lives, so that copies
// into the folder run out of room. Mounting needs root; Why() says what failed.
class SmallVolume
{
public:
    SmallVolume(const std::string& folder, int kib) : unixPath_(support::UnixPath(folder))
    {
        std::string output;
        mounted_ = support::RunUnix("/bin/mount -t tmpfs -o size=" + std::to_string(kib) + "k tabulon '" +
                                        unixPath_ + "'",
                                    &output);
        ULARGE_INTEGER total = {};
        if (!mounted_)
            why_ = "no tmpfs (mounting needs root): " + output;
        else if (!GetDiskFreeSpaceExA((folder + "\\").c_str(), nullptr, &total, nullptr) ||
                 total.QuadPart > 2u * kib * 1024u)
            why_ = "the tmpfs on " + unixPath_ + " is not seen";
    }
    ~SmallVolume()
    {
        if (mounted_) {
            EXPECT_TRUE(support::RunUnix("/bin/umount '" + unixPath_ + "'"));
        }
    }
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    bool Unmounted() const { return !why_.empty(); }
    const std::string& Why() const { return why_; }

private:
    std::string unixPath_;
    bool mounted_ = false;
    std::string why_;
};

void MarkReadOnly(const std::string& path)
{
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << path;
}

bool IsReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

TEST_F(ShortBackup, TheFirstRunMakesTheFoldersAndCopiesBothDatabasesByteForByte)
{
    // Only the model folders exist, as the station's software leaves them.
    const std::string kx40 = SampleDatabase(0);
    const std::string kx60 = SampleDatabase(1);
    WriteFile(StoragePath(0), kx40);
    WriteFile(StoragePath(1), kx60);
    ASSERT_FALSE(FolderExists(DataFolder() + "\\Backup"));

    Run();

    const std::string folder = TodaysFolder();
    ASSERT_TRUE(FolderExists(folder)) << folder;
    std::vector<std::string> names = FolderEntries(folder);
    std::sort(names.begin(), names.end());
    // The copies take the backup's own names, upper-case extension included.
    EXPECT_EQ((std::vector<std::string>{"KX40Storage.GDB", "KX60Storage.GDB"}), names);
    EXPECT_TRUE(ReadFile(folder + "\\KX40Storage.GDB") == kx40);
    EXPECT_TRUE(ReadFile(folder + "\\KX60Storage.GDB") == kx60);
    EXPECT_EQ(1u, FolderEntries(DataFolder() + "\\Backup").size());
    // The key is made by the first copy; the day is today, a whole number.
    ASSERT_TRUE(ScheduleKeyExists());
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
    EXPECT_FALSE(ReadValue("LongPeriodLast").Exists);
    EXPECT_FALSE(ReadValue("ShortPeriod").Exists);
}

TEST_F(ShortBackup, OnlyTheKX60DatabaseIsCopiedWhenTheKX40OneIsMissing)
{
    WriteFile(StoragePath(1), SampleDatabase(1));
    Run();
    EXPECT_EQ(std::vector<std::string>{"KX60Storage.GDB"}, FolderEntries(TodaysFolder()));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
}

TEST_F(ShortBackup, WithoutDatabasesTheFolderIsMadeButNothingRecorded)
{
    Run();
    EXPECT_TRUE(FolderExists(TodaysFolder()));
    EXPECT_TRUE(FolderEntries(TodaysFolder()).empty());
    EXPECT_FALSE(ScheduleKeyExists());
    // So it is still due at the next start.
    CEmissionBackup engine;
    EXPECT_TRUE(engine.IsShortPeriodElapsed());
}

TEST_F(ShortBackup, ASecondRunReplacesTheCopiesAndTheRecordedDay)
{
    PutBothDatabases();
    Run();
    // Another weekday's folder from an earlier week stays as it is.
    const std::string otherDay = RotationFolder("older") + "\\KX40Storage.GDB";
    WriteFile(otherDay, "last week");
    WriteFile(StoragePath(0), SampleDatabase(0, 1));
    WriteFile(StoragePath(1), SampleDatabase(1, 1));
    // An earlier value of another type is replaced by the 8-byte day.
    SetValue("ShortPeriodLast", REG_SZ, std::string("2020-01-01", 11));

    Run();

    EXPECT_TRUE(ReadFile(TodaysFolder() + "\\KX40Storage.GDB") == SampleDatabase(0, 1));
    EXPECT_TRUE(ReadFile(TodaysFolder() + "\\KX60Storage.GDB") == SampleDatabase(1, 1));
    EXPECT_EQ("last week", ReadFile(otherDay));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
}

TEST_F(ShortBackup, TheRecordedDayMakesTheNextCheckWaitForThePeriod)
{
    WriteFile(StoragePath(0), SampleDatabase(0));
    SetDword("ShortPeriod", 1);
    SetDay("ShortPeriodLast", Today() - 40);
    CEmissionBackup engine;
    ASSERT_TRUE(engine.IsShortPeriodElapsed());
    engine.RunShortBackup();
    EXPECT_FALSE(engine.IsShortPeriodElapsed());
}

TEST_F(ShortBackup, ARotationFolderThatCannotBeMadeGivesNoPathAndNoCopy)
{
    WriteFile(StoragePath(0), SampleDatabase(0));
    // A file where the backup folder should be.
    WriteFile(DataFolder() + "\\Backup", "in the way");
    CEmissionBackup engine;
    EXPECT_EQ("", engine.GetRotationBackupPath(0));
    engine.RunShortBackup();
    EXPECT_FALSE(ScheduleKeyExists());
    EXPECT_EQ("in the way", ReadFile(DataFolder() + "\\Backup"));
}

TEST_F(ShortBackup, TheWeekdayFolderFollowsTheThreadsLocale)
{
    WriteFile(StoragePath(0), SampleDatabase(0));
    const int weekday = DayOfTheWeek(Date());  // 1 = Monday
    static const char* const english[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const czech[7] = {u8"po", u8"út", u8"st", u8"čt", u8"pá", u8"so", u8"ne"};
    {
        ThreadLocale locale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
        CEmissionBackup engine;
        EXPECT_EQ(RotationFolder(english[weekday - 1]) + "\\KX40Storage.GDB", engine.GetRotationBackupPath(0));
        engine.RunShortBackup();
    }
    {
        ThreadLocale locale(MAKELCID(MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT), SORT_DEFAULT));
        Run();
    }
    const std::string czechFolder = RotationFolder(guitest::Ansi(czech[weekday - 1]));
    EXPECT_TRUE(FileExists(RotationFolder(english[weekday - 1]) + "\\KX40Storage.GDB"));
    EXPECT_TRUE(FileExists(czechFolder + "\\KX40Storage.GDB")) << czechFolder;
    EXPECT_EQ(2u, FolderEntries(DataFolder() + "\\Backup").size());
}

TEST_F(ShortBackup, ARealFirebirdDatabaseIsCopiedUnchanged)
{
    {
        auto database = fixtures::StorageDatabase::create(StoragePath(0));
        fixtures::Protocol protocol;
        protocol.id = 1;
        protocol.vin = "TMBJJ7NE8J0123456";
        protocol.ownName = fixtures::win1250(u8"Jiří Novák");
        protocol.protData = fixtures::zlibSegments(std::string(5000, 'x'));
        database.add(protocol);
        database.close();
    }
    const std::string original = ReadFile(StoragePath(0));
    ASSERT_GT(original.size(), 4096u);
    Run();
    EXPECT_TRUE(ReadFile(TodaysFolder() + "\\KX40Storage.GDB") == original);
    EXPECT_TRUE(ReadFile(StoragePath(0)) == original);
}

TEST_F(ShortBackup, OnAFullVolumeLastWeeksCopyStaysAndTheDayWaitsForEveryCopy)
{
    // English day names keep the folder's Linux path plain.
    ThreadLocale english(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
    const std::string folder = TodaysFolder();
    ASSERT_TRUE(ForceDirectories(folder.c_str()));
    SmallVolume volume(folder, 400);
    if (volume.Unmounted())
        GTEST_SKIP() << volume.Why();
    // Last week's copies of 60 KiB each. Beside them the new KX40 copy (100 KiB) fits, the KX60
    // one (300 KiB) does not.
    const std::string old40 = SampleDatabase(0, 3).substr(0, 60 * 1024);
    const std::string old60 = SampleDatabase(1, 3).substr(0, 60 * 1024);
    const std::string new40 = SampleDatabase(0).substr(0, 100 * 1024);
    WriteFile(folder + "\\KX40Storage.GDB", old40);
    WriteFile(folder + "\\KX60Storage.GDB", old60);
    WriteFile(StoragePath(0), new40);
    WriteFile(StoragePath(1), SampleDatabase(1));
    SetDay("ShortPeriodLast", Today() - 7);

    Run();

    EXPECT_TRUE(ReadFile(folder + "\\KX60Storage.GDB") == old60);
    EXPECT_TRUE(ReadFile(folder + "\\KX40Storage.GDB") == new40);
    std::vector<std::string> names = FolderEntries(folder);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"KX40Storage.GDB", "KX60Storage.GDB"}), names);
    EXPECT_EQ(Today() - 7, RecordedDay("ShortPeriodLast"));

    // With room for each new copy beside its old one, both are replaced and the day recorded.
    const std::string new60 = SampleDatabase(1).substr(0, 200 * 1024);
    WriteFile(StoragePath(1), new60);
    Run();
    EXPECT_TRUE(ReadFile(folder + "\\KX40Storage.GDB") == new40);
    EXPECT_TRUE(ReadFile(folder + "\\KX60Storage.GDB") == new60);
    EXPECT_EQ(2u, FolderEntries(folder).size());
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
}

TEST_F(ShortBackup, NoReadOnlyMarkReachesTheCopyOrStopsTheRotation)
{
    // A read-only database, last week's copy made read-only, and a read-only temporary left by
    // an interrupted run.
    PutBothDatabases();
    const std::string copy = TodaysFolder() + "\\KX40Storage.GDB";
    WriteFile(copy, "last week");
    WriteFile(copy + ".new", "interrupted");
    for (const std::string& path : {StoragePath(0), copy, copy + ".new"})
        MarkReadOnly(path);
    SetDay("ShortPeriodLast", Today() - 7);

    Run();

    EXPECT_TRUE(ReadFile(copy) == SampleDatabase(0));
    EXPECT_FALSE(IsReadOnly(copy));
    EXPECT_EQ((std::vector<std::string>{"KX40Storage.GDB", "KX60Storage.GDB"}), FolderEntries(TodaysFolder()));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
    EXPECT_TRUE(IsReadOnly(StoragePath(0)));
}
