// Today's date and the time of day from the system's local clock (Win32, unlike the rest of the
// calendar in DateTime.cpp).
#include "DateTime.h"

#include <windows.h>

TDateTime Date()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDate(st.wYear, st.wMonth, st.wDay);
}

TDateTime Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDate(st.wYear, st.wMonth, st.wDay).Val +
           EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds).Val;
}
