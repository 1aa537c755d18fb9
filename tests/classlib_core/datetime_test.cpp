// TDateTime arithmetic: encoding, decoding, weekdays; under Wine also today.
#include <gtest/gtest.h>

#include "DateTime.h"
#include "Exception.h"

#include <cmath>

#ifdef _WIN32
#include <windows.h>
#endif

TEST(EncodeDate, KnownDayNumbers)
{
    EXPECT_EQ(43831.0, EncodeDate(2020, 1, 1));
    EXPECT_EQ(0.0, EncodeDate(1899, 12, 30));
    EXPECT_EQ(2.0, EncodeDate(1900, 1, 1));
    EXPECT_EQ(-693593.0, EncodeDate(1, 1, 1));
    EXPECT_EQ(2958465.0, EncodeDate(9999, 12, 31));
    EXPECT_EQ(EncodeDate(2020, 3, 1) - 1, EncodeDate(2020, 2, 29));
    EXPECT_EQ(EncodeDate(2000, 3, 1) - 1, EncodeDate(2000, 2, 29));
}

TEST(EncodeDate, RejectsDaysThatDoNotExist)
{
    EXPECT_THROW(EncodeDate(2019, 2, 29), Exception);
    EXPECT_THROW(EncodeDate(1900, 2, 29), Exception);
    EXPECT_THROW(EncodeDate(2020, 4, 31), Exception);
    EXPECT_THROW(EncodeDate(2020, 13, 1), Exception);
    EXPECT_THROW(EncodeDate(2020, 0, 1), Exception);
    EXPECT_THROW(EncodeDate(2020, 1, 0), Exception);
    EXPECT_THROW(EncodeDate(0, 1, 1), Exception);
    EXPECT_THROW(EncodeDate(10000, 1, 1), Exception);
}

TEST(EncodeTime, FractionsOfTheDayAndRange)
{
    EXPECT_EQ(0.0, EncodeTime(0, 0, 0, 0));
    EXPECT_EQ(0.5, EncodeTime(12, 0, 0, 0));
    EXPECT_EQ(0.75, EncodeTime(18, 0, 0, 0));
    EXPECT_LT(EncodeTime(23, 59, 59, 999), 1.0);
    EXPECT_NEAR(1.0 / 86400000, EncodeTime(0, 0, 0, 1), 1e-15);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), Exception);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), Exception);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), Exception);
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), Exception);
}

TEST(DecodeDate, EveryDayOfFiveCenturiesAgreesWithACountedCalendar)
{
    // Walk day by day from 1 January 1800 (day -36522) and count the calendar independently,
    // so that a slip at any month, leap day or century shows, in either direction.
    static const int monthLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 1800, month = 1, day = 1;
    for (int number = -36522; number < -36522 + 146097 * 5 / 4; ++number) {
        int y = 0, m = 0, d = 0;
        DecodeDate(number, y, m, d);
        ASSERT_TRUE(y == year && m == month && d == day)
            << number << " decodes as " << y << "-" << m << "-" << d << ", counted " << year
            << "-" << month << "-" << day;
        ASSERT_EQ(number, EncodeDate(year, month, day)) << year << "-" << month << "-" << day;
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const int length = monthLengths[month - 1] + (month == 2 && leap ? 1 : 0);
        if (++day > length) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

TEST(DecodeTime, DateAndTimeAgreeAfterRounding)
{
    int h, n, s, ms, y, mo, d;
    DecodeTime(EncodeDate(2020, 1, 1) + EncodeTime(13, 37, 21, 0), h, n, s, ms);
    EXPECT_EQ(13, h);
    EXPECT_EQ(37, n);
    EXPECT_EQ(21, s);
    EXPECT_EQ(0, ms);

    // A hair before midnight rounds to the next day at 00:00:00, in both parts.
    const TDateTime almost = EncodeDate(2020, 1, 1) + 0.9999999999;
    DecodeTime(almost, h, n, s, ms);
    DecodeDate(almost, y, mo, d);
    EXPECT_EQ(0, h + n + s + ms);
    EXPECT_EQ(2, d);
}

TEST(DecodeDate, BeforeTheEpochTheDayIsTheOneAtOrBeforeTheValue)
{
    // 29 December 1899 06:00 is -1 + 0.25; it must not decode as 30 December.
    const TDateTime value = EncodeDate(1899, 12, 29) + EncodeTime(6, 0, 0, 0);
    EXPECT_EQ(-0.75, value);
    int y, m, d, h, n, s, ms;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, n, s, ms);
    EXPECT_EQ(1899, y);
    EXPECT_EQ(12, m);
    EXPECT_EQ(29, d);
    EXPECT_EQ(6, h);
    EXPECT_EQ(0, n);
}

TEST(DecodeDate, ValuesOutsideTheCalendarRaise)
{
    int y, m, d;
    EXPECT_THROW(DecodeDate(NAN, y, m, d), Exception);
    EXPECT_THROW(DecodeDate(INFINITY, y, m, d), Exception);
    EXPECT_THROW(DecodeDate(1e12, y, m, d), Exception);
    EXPECT_THROW(DecodeDate(EncodeDate(1, 1, 1) - 1, y, m, d), Exception);
    EXPECT_NO_THROW(DecodeDate(EncodeDate(9999, 12, 31) + 0.5, y, m, d));
}

TEST(DayOfTheWeek, MondayIsOne)
{
    EXPECT_EQ(3, DayOfTheWeek(EncodeDate(2020, 1, 1)));    // Wednesday
    EXPECT_EQ(6, DayOfTheWeek(0));                         // 30 December 1899, Saturday
    EXPECT_EQ(5, DayOfTheWeek(-1));                        // Friday
    EXPECT_EQ(1, DayOfTheWeek(EncodeDate(1600, 1, 3)));    // Monday
    EXPECT_EQ(7, DayOfTheWeek(EncodeDate(2016, 6, 5) + 0.99));  // Sunday evening
}

#ifdef _WIN32
// The clock is read through Win32: Windows build only.
TEST(Today, DateIsTheLocalDayAtMidnightAndNowFallsWithinIt)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    const TDateTime today = Date();
    const TDateTime now = Now();
    if (now - today >= 1.0)
        GTEST_SKIP() << "midnight passed during the test";
    EXPECT_EQ(std::floor(today.Val), today.Val);
    EXPECT_EQ(EncodeDate(st.wYear, st.wMonth, st.wDay), today);
    EXPECT_GE(now, today);
    EXPECT_LT(now - today, 1.0);
}
#endif
