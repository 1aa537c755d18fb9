// Calendar arithmetic of TDateTime: proleptic Gregorian days counted from 30 December 1899.
#include "DateTime.h"

#include "Exception.h"

#include <cmath>
#include <string>

namespace {

const long long msPerDay = 86400000;
// Day numbers of 1 January 0001 and of the day after 31 December 9999.
const long long firstDay = -693593;
const long long endDay = 2958466;

// Days from 1 January 1970 to the civil date (valid for any year).
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(era * 400 + yoe + (month <= 2));
}

const long long daysTo1970 = 25569;  // 30 December 1899 .. 1 January 1970

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// The value as a whole day and the milliseconds into it, the time rounded to the millisecond.
void Split(TDateTime value, long long& dayNumber, long long& msOfDay)
{
    const double v = value.Val;
    if (!std::isfinite(v) || v < firstDay - 1 || v > endDay + 1)
        throw Exception("Invalid date value " + std::to_string(v));
    const long long total = std::llround(v * static_cast<double>(msPerDay));
    dayNumber = total / msPerDay;
    msOfDay = total % msPerDay;
    if (msOfDay < 0) {
        msOfDay += msPerDay;
        --dayNumber;
    }
    if (dayNumber < firstDay || dayNumber >= endDay)
        throw Exception("Invalid date value " + std::to_string(v));
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw Exception("Invalid date " + std::to_string(year) + "-" + std::to_string(month) + "-" +
                        std::to_string(day));
    return static_cast<double>(DaysFromCivil(year, month, day) + daysTo1970);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        throw Exception("Invalid time " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
                        std::to_string(second) + "." + std::to_string(millisecond));
    const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / static_cast<double>(msPerDay);
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    long long dayNumber = 0, ms = 0;
    Split(value, dayNumber, ms);
    CivilFromDays(dayNumber - daysTo1970, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    long long dayNumber = 0, ms = 0;
    Split(value, dayNumber, ms);
    millisecond = static_cast<int>(ms % 1000);
    second = static_cast<int>(ms / 1000 % 60);
    minute = static_cast<int>(ms / 60000 % 60);
    hour = static_cast<int>(ms / 3600000);
}

int DayOfTheWeek(TDateTime value)
{
    long long dayNumber = 0, ms = 0;
    Split(value, dayNumber, ms);
    // Day 0, 30 December 1899, was a Saturday.
    long long r = (dayNumber + 5) % 7;
    if (r < 0)
        r += 7;
    return static_cast<int>(r) + 1;
}
