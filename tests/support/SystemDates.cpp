#include "SystemDates.h"

namespace support {

SYSTEMTIME SystemTimeAt(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME when = {};
    when.wYear = static_cast<WORD>(year);
    when.wMonth = static_cast<WORD>(month);
    when.wDay = static_cast<WORD>(day);
    when.wHour = static_cast<WORD>(hour);
    when.wMinute = static_cast<WORD>(minute);
    when.wSecond = static_cast<WORD>(second);
    return when;
}

std::string WindowsDate(LCID locale, const SYSTEMTIME& when, const char* picture)
{
    char text[128] = {};
    GetDateFormatA(locale, picture ? 0 : DATE_SHORTDATE, &when, picture, text, sizeof text);
    return text;
}

std::string WindowsTime(LCID locale, const SYSTEMTIME& when)
{
    char text[128] = {};
    GetTimeFormatA(locale, 0, &when, nullptr, text, sizeof text);
    return text;
}

std::string WindowsDateTime(LCID locale, const SYSTEMTIME& when)
{
    const std::string date = WindowsDate(locale, when);
    if (when.wHour == 0 && when.wMinute == 0 && when.wSecond == 0)
        return date;
    return date + " " + WindowsTime(locale, when);
}

}  // namespace support
