// SHBrowseForFolderA with its callback.
#include "FolderPicker.h"

#include "Application.h"

#include <shlobj.h>

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    // Called from inside the shell's dialogue: nothing may unwind into it.
    try {
        if (uMsg == BFFM_INITIALIZED)
            SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, lpData);
    } catch (...) {
        Application->ShowCurrentException();
    }
    return 0;
}

std::string BrowseForFolder(std::string initialPath)
{
    BROWSEINFOA info = {};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = "";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallbackProc;
    info.lParam = reinterpret_cast<LPARAM>(initialPath.c_str());
    info.iImage = 0;

    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen)
        return std::string();

    char path[MAX_PATH] = {};
    // A choice without a file-system path (the shell's own "computer" folder) counts as none.
    if (!SHGetPathFromIDListA(chosen, path))
        path[0] = '\0';
    path[MAX_PATH - 1] = '\0';

    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(chosen);
        allocator->Release();
    }
    return std::string(path);
}
