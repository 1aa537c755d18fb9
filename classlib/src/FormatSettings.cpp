// Reading the regional settings of a locale.
#include "FormatSettings.h"

#include <string>

namespace {

TFormatSettings current;
bool loaded = false;

// One locale text in the locale's ANSI code page; empty when the locale gives none.
AnsiString LocaleText(LCID locale, LCTYPE type)
{
    const int size = GetLocaleInfoA(locale, type, nullptr, 0);
    if (size <= 0)
        return AnsiString();
    std::string text(static_cast<size_t>(size), '\0');
    const int n = GetLocaleInfoA(locale, type, &text[0], size);
    text.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return text;
}

}  // namespace

TFormatSettings ReadFormatSettings(LCID locale)
{
    static const char* const englishDays[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    TFormatSettings s;
    s.Locale = locale;
    s.ShortDateFormat = LocaleText(locale, LOCALE_SSHORTDATE);
    s.LongTimeFormat = LocaleText(locale, LOCALE_STIMEFORMAT);
    s.DateSeparator = LocaleText(locale, LOCALE_SDATE);
    s.TimeSeparator = LocaleText(locale, LOCALE_STIME);
    for (int i = 0; i < 7; ++i) {
        s.ShortDayNames[i] = LocaleText(locale, LOCALE_SABBREVDAYNAME1 + i);
        if (s.ShortDayNames[i].empty())
            s.ShortDayNames[i] = englishDays[i];
    }
    return s;
}

const TFormatSettings& FormatSettings()
{
    if (!loaded)
        ReloadFormatSettings();
    return current;
}

void ReloadFormatSettings()
{
    current = ReadFormatSettings(GetThreadLocale());
    loaded = true;
}
