#include "WinePaths.h"

#include "Files.h"

#include <windows.h>

namespace support {

std::string WindowsPath(const std::string& linuxPath)
{
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string UnixPath(const std::string& windowsPath)
{
    using Convert = char*(__cdecl*)(const WCHAR*);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return std::string();
    std::wstring wide(windowsPath.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    char* unix = convert(wide.c_str());
    std::string result = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool RunUnix(const std::string& command, std::string* output)
{
    // Wine starts a Linux program without a process handle to wait on: the shell around the
    // command writes its exit status to a file, which appears (renamed into place) once it is
    // done.
    char folder[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    if (!GetTempPathA(sizeof folder, folder) || !GetTempFileNameA(folder, "unx", 0, file))
        return false;
    const std::string status = file;
    const std::string unixStatus = UnixPath(status);
    DeleteFileA(status.c_str());
    if (unixStatus.empty())
        return false;
    std::string line = "/bin/sh -c \"" + command + " >'" + unixStatus + ".out' 2>&1; echo $? >'" +
                       unixStatus + ".new'; mv '" + unixStatus + ".new' '" + unixStatus + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    for (HANDLE handle : {process.hThread, process.hProcess})
        if (handle)
            CloseHandle(handle);
    std::string code;
    for (int waited = 0; waited < 30000 && code.empty(); waited += 10) {
        Sleep(10);
        code = ReadFile(status);
    }
    if (output)
        *output = ReadFile(status + ".out");
    DeleteFileA(status.c_str());
    DeleteFileA((status + ".out").c_str());
    return code == "0\n";
}

}  // namespace support
