// Dates and times, and their conversion from and to Firebird's stored form.
#include "IbppClient.h"

#include <string>

namespace IBPP {

namespace {

bool leapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day)
{
    long long y = year - (month <= 2);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The date `days` after 1 January 1970.
void civilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

// Firebird counts days from 17 November 1858.
const long long firebirdEpoch = 40587;
const unsigned ticksPerSecond = 10000;

} // namespace

Date::Date(int year, int month, int day)
{
    SetDate(year, month, day);
}

void Date::SetDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        throw Exception("Invalid date " + std::to_string(year) + "-" + std::to_string(month) +
                        "-" + std::to_string(day) + ".");
    year_ = year;
    month_ = month;
    day_ = day;
}

Time::Time(int hours, int minutes, int seconds, int subSeconds)
{
    SetTime(hours, minutes, seconds, subSeconds);
}

void Time::SetTime(int hours, int minutes, int seconds, int subSeconds)
{
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59 ||
        subSeconds < 0 || subSeconds > 9999)
        throw Exception("Invalid time " + std::to_string(hours) + ":" + std::to_string(minutes) +
                        ":" + std::to_string(seconds) + "." + std::to_string(subSeconds) + ".");
    hours_ = hours;
    minutes_ = minutes;
    seconds_ = seconds;
    subSeconds_ = subSeconds;
}

namespace detail {

ISC_TIMESTAMP encodeTimestamp(const Timestamp& value)
{
    ISC_TIMESTAMP stored;
    stored.timestamp_date = static_cast<ISC_DATE>(
        daysFromCivil(value.Year(), value.Month(), value.Day()) + firebirdEpoch);
    stored.timestamp_time = static_cast<ISC_TIME>(
        ((value.Hours() * 60u + value.Minutes()) * 60u + value.Seconds()) * ticksPerSecond +
        value.SubSeconds());
    return stored;
}

Timestamp decodeDate(ISC_DATE value)
{
    int year, month, day;
    civilFromDays(static_cast<long long>(value) - firebirdEpoch, year, month, day);
    return Timestamp(year, month, day);
}

Timestamp decodeTimestamp(const ISC_TIMESTAMP& value)
{
    Timestamp result = decodeDate(value.timestamp_date);
    const unsigned ticks = value.timestamp_time;
    const unsigned seconds = ticks / ticksPerSecond;
    result.SetTime(static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                   static_cast<int>(seconds % 60), static_cast<int>(ticks % ticksPerSecond));
    return result;
}

} // namespace detail

} // namespace IBPP
