// Dates and times as text, in the regional settings in force (FormatSettings.h).
#pragma once

#include "AnsiString.h"
#include "DateTime.h"

// The date in the short date format.
AnsiString DateToStr(TDateTime value);

// The date in the short date format; unless the time is 00:00:00, one blank and the time in
// the long time format.
AnsiString DateTimeToStr(TDateTime value);

// The value written by a format of our own (letters in either case):
//   d dd      day without / with leading zero     ddd   abbreviated day name
//   m mm      month (minutes right after h / hh)  yy    two-digit year   yyyy  four-digit year
//   h hh      hour 0..23                           n nn  minutes          s ss  seconds
//   /         the date separator                  :     the time separator
//   'x' "x"   literal text; any other character stands for itself.
// FormatDateTime("yyyy-mm-dd", d) gives digits and hyphens in every locale.
AnsiString FormatDateTime(const AnsiString& format, TDateTime value);
