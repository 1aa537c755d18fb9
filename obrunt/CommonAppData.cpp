// SHGetFolderPathA for CSIDL_COMMON_APPDATA.
#include "CommonAppData.h"

#include <shlobj.h>

AnsiString CommonAppDataFolder()
{
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return AnsiString();
    folder[MAX_PATH - 1] = '\0';
    return AnsiString(folder);
}
