// Date and time texts. The regional pictures are rendered by Windows itself (GetDateFormatA /
// GetTimeFormatA for the locale the settings were read for), so that the texts equal the
// system's own; our own small format serves FormatDateTime.
#include "DateFormat.h"

#include "Exception.h"
#include "FormatSettings.h"

#include <windows.h>

#include <cctype>
#include <string>

namespace {

// Windows formats dates from 1601 on. The Gregorian calendar repeats every 400 years (weekdays
// included), so an earlier date is formatted 400·k years later, with its full year (a run of
// three or more 'y' outside quotes) written into the picture as literal text. Runs of one or
// two 'y' already come out right: 400·k keeps the last two digits.
const int firstSystemYear = 1601;

AnsiString WithFullYear(const AnsiString& picture, int year)
{
    char digits[8];
    wsprintfA(digits, "%04d", year);
    AnsiString out;
    bool quoted = false;
    for (size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            quoted = !quoted;
            out += c;
            ++i;
            continue;
        }
        size_t run = 1;
        while (!quoted && c == 'y' && i + run < picture.size() && picture[i + run] == 'y')
            ++run;
        if (!quoted && c == 'y' && run >= 3)
            out += AnsiString("'") + digits + "'";
        else
            out.append(picture, i, run);
        i += run;
    }
    return out;
}

struct SystemDate
{
    SYSTEMTIME time{};
    AnsiString datePicture;
};

// The value as a SYSTEMTIME that Windows accepts, with the date picture to render it with.
SystemDate ToSystemDate(TDateTime value, const AnsiString& datePicture)
{
    int year, month, day, hour, minute, second, ms;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, ms);
    SystemDate d;
    d.datePicture = datePicture;
    int shownYear = year;
    if (year < firstSystemYear) {
        shownYear = year + (firstSystemYear - year + 399) / 400 * 400;
        d.datePicture = WithFullYear(datePicture, year);
    }
    d.time.wYear = static_cast<WORD>(shownYear);
    d.time.wMonth = static_cast<WORD>(month);
    d.time.wDay = static_cast<WORD>(day);
    d.time.wDayOfWeek = static_cast<WORD>(DayOfTheWeek(value) % 7);
    d.time.wHour = static_cast<WORD>(hour);
    d.time.wMinute = static_cast<WORD>(minute);
    d.time.wSecond = static_cast<WORD>(second);
    d.time.wMilliseconds = static_cast<WORD>(ms);
    return d;
}

// An empty picture (the locale gave none) leaves the choice to the locale's defaults.
const char* PictureOrDefault(const AnsiString& picture) { return picture.empty() ? nullptr : picture.c_str(); }

// Asks the system for the length first, then for the text (a user's picture may be long).
template <class Format>
AnsiString SystemText(Format format, const SYSTEMTIME& time, const AnsiString& picture, const char* what)
{
    const LCID locale = FormatSettings().Locale;
    const int size = format(locale, 0, &time, PictureOrDefault(picture), nullptr, 0);
    std::string text(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size <= 0 || format(locale, 0, &time, PictureOrDefault(picture), &text[0], size) <= 0)
        throw Exception(AnsiString("Cannot format the ") + what);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

AnsiString FormatDatePart(const SystemDate& d) { return SystemText(GetDateFormatA, d.time, d.datePicture, "date"); }

AnsiString FormatTimePart(const SystemDate& d)
{
    return SystemText(GetTimeFormatA, d.time, FormatSettings().LongTimeFormat, "time");
}

AnsiString Digits(int value, int width)
{
    AnsiString text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

AnsiString DateToStr(TDateTime value)
{
    return FormatDatePart(ToSystemDate(value, FormatSettings().ShortDateFormat));
}

AnsiString DateTimeToStr(TDateTime value)
{
    const SystemDate d = ToSystemDate(value, FormatSettings().ShortDateFormat);
    AnsiString text = FormatDatePart(d);
    if (d.time.wHour != 0 || d.time.wMinute != 0 || d.time.wSecond != 0)
        text += " " + FormatTimePart(d);
    return text;
}

AnsiString FormatDateTime(const AnsiString& format, TDateTime value)
{
    const TFormatSettings& s = FormatSettings();
    int year, month, day, hour, minute, second, ms;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, ms);

    AnsiString out;
    bool afterHour = false;  // an m right after h means minutes
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'' || c == '"') {
            const size_t end = format.find(c, i + 1);
            const size_t stop = end == AnsiString::npos ? format.size() : end;
            out.append(format, i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        size_t run = 1;
        while (i + run < format.size() &&
               std::tolower(static_cast<unsigned char>(format[i + run])) == letter)
            ++run;
        switch (letter) {
        case 'd':
            out += run >= 3 ? s.ShortDayNames[DayOfTheWeek(value) - 1] : Digits(day, static_cast<int>(run));
            afterHour = false;
            break;
        case 'm':
            out += Digits(afterHour ? minute : month, run >= 2 ? 2 : 1);
            afterHour = false;
            break;
        case 'y':
            out += run <= 2 ? Digits(year % 100, 2) : Digits(year, 4);
            afterHour = false;
            break;
        case 'h':
            out += Digits(hour, run >= 2 ? 2 : 1);
            afterHour = true;
            break;
        case 'n':
            out += Digits(minute, run >= 2 ? 2 : 1);
            afterHour = false;
            break;
        case 's':
            out += Digits(second, run >= 2 ? 2 : 1);
            afterHour = false;
            break;
        case '/':
            out += s.DateSeparator;
            run = 1;
            break;
        case ':':
            out += s.TimeSeparator;
            run = 1;
            break;
        default:
            out += c;
            run = 1;
            break;
        }
        i += run;
    }
    return out;
}
