// Date texts in the regional settings of Czech and English (and German for its separators),
// checked against Windows' own formatting of the same locale.
#include <gtest/gtest.h>

#include "DateFormat.h"
#include "DateTime.h"
#include "Exception.h"
#include "FormatSettings.h"
#include "SystemDates.h"
#include "ThreadLocale.h"

#include <windows.h>

#include <cmath>
#include <string>

using support::SystemTimeAt;
using support::WindowsDate;
using support::WindowsDateTime;

namespace {

const LCID czech = 0x405, english = 0x409, german = 0x407;

TDateTime Value(const SYSTEMTIME& st)
{
    return EncodeDate(st.wYear, st.wMonth, st.wDay) + EncodeTime(st.wHour, st.wMinute, st.wSecond, 0);
}

}  // namespace

class EachLocale : public ::testing::TestWithParam<LCID>
{
};

TEST_P(EachLocale, DateTextsEqualTheSystemsOwn)
{
    const LCID locale = GetParam();
    support::ThreadLocale in(locale);
    EXPECT_EQ(locale, FormatSettings().Locale);
    const SYSTEMTIME samples[] = {SystemTimeAt(2020, 1, 1), SystemTimeAt(2016, 6, 3, 13, 5, 9),
                                  SystemTimeAt(1999, 12, 31, 23, 59, 59), SystemTimeAt(2024, 2, 29, 0, 0, 1),
                                  SystemTimeAt(1601, 1, 1, 7, 0, 0)};
    for (const SYSTEMTIME& st : samples) {
        EXPECT_EQ(WindowsDate(locale, st), DateToStr(Value(st)));
        // Midnight gives the date alone; any other time the date, one blank and the time.
        EXPECT_EQ(WindowsDateTime(locale, st), DateTimeToStr(Value(st)));
    }
}

TEST_P(EachLocale, AbbreviatedDayNamesAreTheLocales)
{
    const LCID locale = GetParam();
    support::ThreadLocale in(locale);
    for (int day = 1; day <= 7; ++day) {  // 1 June 2020 was a Monday
        const SYSTEMTIME st = SystemTimeAt(2020, 6, day);
        EXPECT_EQ(WindowsDate(locale, st, "ddd"), FormatDateTime("ddd", Value(st))) << day;
    }
}

TEST_P(EachLocale, IsoDateIsDigitsAndHyphensEverywhere)
{
    support::ThreadLocale in(GetParam());
    EXPECT_EQ("2016-06-03", FormatDateTime("yyyy-mm-dd", EncodeDate(2016, 6, 3) + 0.75));
    EXPECT_EQ("2020-12-31", FormatDateTime("yyyy-mm-dd", EncodeDate(2020, 12, 31)));
    EXPECT_EQ("0001-01-01", FormatDateTime("yyyy-mm-dd", EncodeDate(1, 1, 1)));
}

INSTANTIATE_TEST_SUITE_P(Locales, EachLocale, ::testing::Values(czech, english, german));

TEST(DateText, EnglishUnitedStates)
{
    support::ThreadLocale in(english);
    EXPECT_EQ("1/1/2020", DateToStr(43831.0));
    EXPECT_EQ("1/1/2020", DateTimeToStr(43831.0));
    EXPECT_EQ("6/3/2016 1:05:09 PM", DateTimeToStr(Value(SystemTimeAt(2016, 6, 3, 13, 5, 9))));
    // The date part alone, whatever the time of day.
    EXPECT_EQ("6/3/2016", DateToStr(Value(SystemTimeAt(2016, 6, 3, 13, 5, 9))));
}

TEST(DateText, CzechDayNamesInCodePage1250)
{
    support::ThreadLocale in(czech);
    const char* const expected[7] = {"po", "\xFAt", "st", "\xE8t", "p\xE1", "so", "ne"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(expected[day], FormatDateTime("ddd", EncodeDate(2020, 6, 1 + day)));
    // Fractions of a second never show, nor make a midnight look like a time.
    EXPECT_EQ(DateToStr(43831.0), DateTimeToStr(43831.0 + EncodeTime(0, 0, 0, 400)));
}

TEST(DateText, DatesBeforeWindowsCalendarKeepTheirYearAndWeekday)
{
    support::ThreadLocale in(english);
    EXPECT_EQ("12/30/1899", DateToStr(0));
    EXPECT_EQ("12/30/1899", DateTimeToStr(0));
    EXPECT_EQ("Sat", FormatDateTime("ddd", 0));
    EXPECT_EQ("12/29/1899 6:00:00 AM", DateTimeToStr(EncodeDate(1899, 12, 29) + EncodeTime(6, 0, 0, 0)));
    EXPECT_EQ("1/1/0001", DateToStr(EncodeDate(1, 1, 1)));
    EXPECT_EQ("2/29/1600", DateToStr(EncodeDate(1600, 2, 29)));
    EXPECT_THROW(DateToStr(NAN), Exception);
}

TEST(FormatDateTime, OwnSpecifiers)
{
    support::ThreadLocale in(german);  // separators "." and ":"
    const TDateTime t = EncodeDate(2005, 3, 4) + EncodeTime(7, 8, 9, 0);
    EXPECT_EQ("4.3.05 7:08:09", FormatDateTime("d/m/yy h:nn:ss", t));
    EXPECT_EQ("04.03.2005 07:08", FormatDateTime("dd/mm/yyyy hh:mm", t));  // m after h: minutes
    EXPECT_EQ("YYYY 2005-03", FormatDateTime("'YYYY' YYYY-MM", t));
    EXPECT_EQ("x\"q", FormatDateTime("x'\"'q", t));
}

TEST(FormatSettingsTest, LocaleWithoutDayNamesGetsEnglishAbbreviations)
{
    const TFormatSettings s = ReadFormatSettings(0x7FFF);  // no such locale
    const char* const expected[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(expected[day], s.ShortDayNames[day]);
}

// Changes the user's short date format in the prefix and puts it back.
class UserShortDate
{
public:
    explicit UserShortDate(const char* picture)
    {
        char buffer[128] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, sizeof buffer);
        before_ = buffer;
        EXPECT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture));
    }
    ~UserShortDate() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, before_.c_str()); }

private:
    std::string before_;
};

TEST(UserSettings, AChangeTakesEffectWhenTheSettingsAreReadAgain)
{
    ASSERT_EQ(GetUserDefaultLCID(), GetThreadLocale());
    ReloadFormatSettings();
    const std::string before = DateToStr(43831.0);
    {
        UserShortDate changed("yyyy|MM|dd");
        EXPECT_EQ(before, DateToStr(43831.0));  // read at start, kept until told
        ReloadFormatSettings();
        EXPECT_EQ("2020|01|01", DateToStr(43831.0));
        EXPECT_EQ("2020|01|01 13:05:09", DateTimeToStr(43831.0 + EncodeTime(13, 5, 9, 0)));
        EXPECT_EQ("1899|12|30", DateToStr(0));
    }
    ReloadFormatSettings();
    EXPECT_EQ(before, DateToStr(43831.0));
}
