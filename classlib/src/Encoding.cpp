#include "Encoding.h"

#include <windows.h>

#include <vector>

AnsiString Utf8ToAnsi(const char* utf8)
{
    if (!utf8 || !*utf8)
        return AnsiString();
    int wide = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (wide <= 0)
        return AnsiString(utf8);
    std::vector<wchar_t> buffer(wide);
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buffer.data(), wide);
    int narrow = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, buffer.data(), -1, nullptr, 0,
                                     nullptr, nullptr);
    if (narrow <= 0)
        return AnsiString();
    std::vector<char> out(narrow);
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, buffer.data(), -1, out.data(), narrow,
                        nullptr, nullptr);
    return AnsiString(out.data());
}
