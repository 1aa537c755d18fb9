#include "DatePicker.h"

#include "Exception.h"

#include <commctrl.h>

void TDateTimePicker::CreateHandle(const TCreateContext& context)
{
    Attach(CreateChild(context, DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT, 0, ""), context);
    SendMessageA(handle_, DTM_SETMCFONT, reinterpret_cast<WPARAM>(context.Font), FALSE);
}

TDateTime TDateTimePicker::GetDate() const
{
    SYSTEMTIME shown = {};
    if (!handle_ ||
        SendMessageA(handle_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)) != GDT_VALID)
        return TDateTime();
    return EncodeDate(shown.wYear, shown.wMonth, shown.wDay);
}

void TDateTimePicker::SetDate(const TDateTime& date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    SYSTEMTIME shown = {};
    shown.wYear = static_cast<WORD>(year);
    shown.wMonth = static_cast<WORD>(month);
    shown.wDay = static_cast<WORD>(day);
    shown.wDayOfWeek = static_cast<WORD>(DayOfTheWeek(date) % 7);  // Sunday is 0 here
    if (!handle_ ||
        !SendMessageA(handle_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown)))
        throw Exception("Failed to set the date of a date picker");
}
