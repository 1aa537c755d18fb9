// TDateTime: a point in time as days since 30 December 1899, the time of day as the fraction
// (1 January 2020 12:00 is 43831.5). A date alone is a whole number of days.
#pragma once

class TDateTime
{
public:
    TDateTime() = default;
    TDateTime(double value) : Val(value) {}

    // Arithmetic and comparison go through double: date + 1 is the next day.
    operator double() const { return Val; }
    TDateTime& operator+=(double days) { Val += days; return *this; }
    TDateTime& operator-=(double days) { Val -= days; return *this; }

    double Val = 0.0;
};

// Today's local date at midnight, a whole number (Windows build only, as Now).
TDateTime Date();
// The local date and time, to the millisecond.
TDateTime Now();

// A date from year (1..9999), month (1..12) and day; raises Exception when it does not exist.
TDateTime EncodeDate(int year, int month, int day);
// A time of day (hour 0..23, minute and second 0..59, millisecond 0..999) as the fraction of
// a day; raises Exception on a value out of range.
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// The parts of a value. The date is the whole day at or before the value (also before 1899,
// so that EncodeDate + EncodeTime decodes back), times are rounded to the millisecond.
// Values outside the years 1..9999 (or not finite) raise Exception.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
// 1 = Monday .. 7 = Sunday.
int DayOfTheWeek(TDateTime value);
