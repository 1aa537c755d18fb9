// Dates and times as Windows itself writes them for a locale: the references that the class
// library's and the browser's date texts are held to.
//
//   const SYSTEMTIME st = support::SystemTimeAt(2016, 6, 3, 13, 5, 9);
//   EXPECT_EQ(support::WindowsDateTime(GetThreadLocale(), st), DateTimeToStr(...));
#pragma once

#include <windows.h>

#include <string>

namespace support {

// A SYSTEMTIME of that moment (no milliseconds; the day of the week is left 0).
SYSTEMTIME SystemTimeAt(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// The locale's short date, or the date in a picture ("ddd").
std::string WindowsDate(LCID locale, const SYSTEMTIME& when, const char* picture = nullptr);
// The locale's long time.
std::string WindowsTime(LCID locale, const SYSTEMTIME& when);
// The short date alone at midnight, else the date, one blank and the long time.
std::string WindowsDateTime(LCID locale, const SYSTEMTIME& when);

}  // namespace support
