// The regional settings that date texts are made with, read with GetLocaleInfoA for the
// thread's locale on first use and again by ReloadFormatSettings.
#pragma once

#include "AnsiString.h"

#include <windows.h>

struct TFormatSettings
{
    LCID Locale = 0;             // the locale the settings were read for
    AnsiString ShortDateFormat;  // Windows picture, e.g. "d.M.yyyy" or "M/d/yyyy"
    AnsiString LongTimeFormat;   // Windows picture, e.g. "H:mm:ss" or "h:mm:ss tt"
    AnsiString DateSeparator;
    AnsiString TimeSeparator;
    AnsiString ShortDayNames[7];  // Monday first; "Mon".."Sun" where the locale gives none
};

// The settings in force (read on first use).
const TFormatSettings& FormatSettings();

// Reads the settings again for GetThreadLocale(); called when Windows reports a change of
// settings (WM_SETTINGCHANGE) or after the thread's locale was changed.
void ReloadFormatSettings();

// Reads the settings of one locale, without making them the ones in force.
TFormatSettings ReadFormatSettings(LCID locale);
