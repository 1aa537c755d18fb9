// The due rule over the schedule in the prefix's registry, and where the databases are looked for.
#include "Bckeng.h"
#include "ObruntTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace obtest;

namespace {

// The two checks are the same rule over two pairs of values.
struct Pair
{
    const char* period;
    const char* last;
    bool (CEmissionBackup::*check)();
    bool (CEmissionBackup::*other)();
};
const Pair pairs[] = {
    {"ShortPeriod", "ShortPeriodLast", &CEmissionBackup::IsShortPeriodElapsed,
     &CEmissionBackup::IsLongPeriodElapsed},
    {"LongPeriod", "LongPeriodLast", &CEmissionBackup::IsLongPeriodElapsed,
     &CEmissionBackup::IsShortPeriodElapsed},
};

class Schedule : public testing::TestWithParam<Pair>
{
protected:
    void SetUp() override { DeleteScheduleKey(); }
    void TearDown() override { DeleteScheduleKey(); }

    bool Due()
    {
        CEmissionBackup engine;
        return (engine.*GetParam().check)();
    }
    bool OtherDue()
    {
        CEmissionBackup engine;
        return (engine.*GetParam().other)();
    }
    void Set(int period, double last)
    {
        SetDword(GetParam().period, static_cast<DWORD>(period));
        SetDay(GetParam().last, last);
    }
};

std::string Bytes(const void* data, size_t size)
{
    return std::string(static_cast<const char*>(data), size);
}

}  // namespace

TEST_P(Schedule, AWeeklyPeriodFallsDueOnTheSeventhDay)
{
    const double today = Today();
    for (int daysAgo = 0; daysAgo <= 9; ++daysAgo) {
        Set(7, today - daysAgo);
        EXPECT_EQ(daysAgo >= 7, Due()) << "recorded " << daysAgo << " days ago";
    }
}

TEST_P(Schedule, PeriodZeroAndMinusOne)
{
    const double today = Today();
    Set(0, today);
    EXPECT_TRUE(Due());
    Set(0, today - 1);
    EXPECT_TRUE(Due());
    Set(0, today + 0.5);  // later today: not yet
    EXPECT_FALSE(Due());
    // 0xFFFFFFFF is -1, not some four billion days.
    Set(static_cast<int>(0xFFFFFFFFu), today);
    EXPECT_TRUE(Due());
    Set(static_cast<int>(0xFFFFFFFFu), today + 0.5);
    EXPECT_TRUE(Due());
}

TEST_P(Schedule, ARecordedDayWithATimeOfDayCountsFromThatTime)
{
    const double today = Today();
    Set(1, today - 1 + 0.5);  // next day: today at noon, later than today's midnight
    EXPECT_FALSE(Due());
    Set(1, today - 2 + 0.5);
    EXPECT_TRUE(Due());
}

TEST_P(Schedule, ARecordedDayAfterTodayOrNotFiniteIsDue)
{
    const double today = Today();
    // A clock that was set ahead and then put right, or a damaged value.
    const struct
    {
        const char* what;
        double day;
    } days[] = {
        {"tomorrow", today + 1},
        {"in 30 days", today + 30},
        {"31.12.9999", 2958465.0},
        {"DBL_MAX", std::numeric_limits<double>::max()},
        {"+Inf", std::numeric_limits<double>::infinity()},
        {"-Inf", -std::numeric_limits<double>::infinity()},
        {"NaN", std::numeric_limits<double>::quiet_NaN()},
    };
    for (const auto& day : days) {
        Set(7, day.day);
        EXPECT_TRUE(Due()) << day.what;
    }
    // Today, also with a time of day, still waits for the period.
    Set(7, today);
    EXPECT_FALSE(Due());
    Set(7, today + 0.99);
    EXPECT_FALSE(Due());
}

TEST_P(Schedule, TheRecordedDayIsALittleEndianDouble)
{
    // 1 January 2020 is 43831.0, stored as 00 00 00 00 E0 66 E5 40.
    const double today = Today();
    const int sinceThen = static_cast<int>(today - 43831.0);
    SetValue(GetParam().last, REG_BINARY, std::string("\x00\x00\x00\x00\xE0\x66\xE5\x40", 8));
    SetDword(GetParam().period, static_cast<DWORD>(sinceThen));
    EXPECT_TRUE(Due());
    SetDword(GetParam().period, static_cast<DWORD>(sinceThen + 1));
    EXPECT_FALSE(Due());
}

TEST_P(Schedule, AnUnreadableValueMakesOnlyItsOwnCheckDue)
{
    const Pair& pair = GetParam();
    const double today = Today();
    const DWORD seven = 7;
    const std::string eight = Bytes(&today, 8);
    const unsigned long long wide = static_cast<unsigned long long>(today);
    struct Damage
    {
        const char* what;
        const char* name;
        DWORD type;  // REG_NONE with empty data: delete the value
        std::string data;
    } damages[] = {
        {"period missing", pair.period, REG_NONE, {}},
        {"day missing", pair.last, REG_NONE, {}},
        {"period as text", pair.period, REG_SZ, std::string("7", 2)},
        {"period as 4 binary bytes", pair.period, REG_BINARY, Bytes(&seven, 4)},
        {"period as 8 dword bytes", pair.period, REG_DWORD, Bytes(&seven, 4) + std::string(4, '\0')},
        {"day as 4 binary bytes", pair.last, REG_BINARY, eight.substr(0, 4)},
        {"day as 16 binary bytes", pair.last, REG_BINARY, eight + eight},
        {"day as a qword", pair.last, REG_QWORD, Bytes(&wide, 8)},
        {"day as text", pair.last, REG_SZ, std::string("43831", 6)},
    };
    for (const Damage& damage : damages) {
        for (const Pair& each : pairs) {
            SetDword(each.period, 7);
            SetDay(each.last, today);
        }
        ASSERT_FALSE(Due()) << "before: " << damage.what;
        if (damage.type == REG_NONE)
            DeleteValue(damage.name);
        else
            SetValue(damage.name, damage.type, damage.data);
        EXPECT_TRUE(Due()) << damage.what;
        EXPECT_FALSE(OtherDue()) << damage.what;
    }
}

INSTANTIATE_TEST_SUITE_P(ShortAndLong, Schedule, testing::ValuesIn(pairs),
                         [](const testing::TestParamInfo<Pair>& info) {
                             return std::string(std::strcmp(info.param.period, "ShortPeriod") ? "Long" : "Short");
                         });

TEST(ScheduleKey, WithoutTheKeyBothAreDueAndTheChecksCreateNothing)
{
    DeleteScheduleKey();
    CEmissionBackup engine;
    EXPECT_TRUE(engine.IsShortPeriodElapsed());
    EXPECT_TRUE(engine.IsLongPeriodElapsed());
    EXPECT_TRUE(engine.IsShortPeriodElapsed());
    EXPECT_FALSE(ScheduleKeyExists());
}

TEST(ScheduleKey, AnEmptyKeyMakesBothDue)
{
    DeleteScheduleKey();
    SetValue("Unrelated", REG_SZ, std::string("x", 2));
    CEmissionBackup engine;
    EXPECT_TRUE(engine.IsShortPeriodElapsed());
    EXPECT_TRUE(engine.IsLongPeriodElapsed());
    DeleteScheduleKey();
}

TEST(StoragePaths, BothModelsUnderTheDataFolderAndNothingElse)
{
    CEmissionBackup engine;
    EXPECT_EQ("C:\\ProgramData\\Trevant\\KX40\\KX40Storage.GDB", engine.GetStorageFilePath(0));
    EXPECT_EQ("C:\\ProgramData\\Trevant\\KX60\\KX60Storage.GDB", engine.GetStorageFilePath(1));
    EXPECT_EQ("", engine.GetStorageFilePath(2));
    EXPECT_EQ("", engine.GetStorageFilePath(-1));
    EXPECT_EQ("", engine.GetRotationBackupPath(2));
    EXPECT_EQ(nullptr, engine.m_hOwner);
}
