#include "GuiTesting.h"

#include "Application.h"
#include "Encoding.h"

#include <commctrl.h>

#include <cstdio>

namespace guitest {

void Pump(int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        Application->ProcessMessages();
        Sleep(5);
    }
    Application->ProcessMessages();
}

void TypeText(TComboBox* box, const AnsiString& text)
{
    HWND edit = box->EditHandle();
    SetFocus(edit);
    for (unsigned char c : text)
        SendMessageA(edit, WM_CHAR, c, 1);
    Pump(1);
}

void PressKey(TComboBox* box, UINT virtualKey)
{
    HWND edit = box->EditHandle();
    SetFocus(edit);
    SendMessageA(edit, WM_KEYDOWN, virtualKey, 1);
    if (virtualKey == VK_BACK)
        SendMessageA(edit, WM_CHAR, 0x08, 1);  // what TranslateMessage makes of it
    SendMessageA(edit, WM_KEYUP, virtualKey, 0xC0000001);
    Pump(1);
}

namespace {

bool Clickable(HWND window)
{
    return window && IsWindowVisible(window) && IsWindowEnabled(window);
}

bool ClickControl(HWND window)
{
    if (!Clickable(window))
        return false;
    SendMessageA(window, BM_CLICK, 0, 0);
    Pump(1);
    return true;
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

bool Click(TButton* button)
{
    return ClickControl(button->Handle);
}

bool Click(TCheckBox* box)
{
    return ClickControl(box->Handle);
}

void ClickAt(HWND window, POINT client)
{
    LPARAM where = MAKELPARAM(client.x, client.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
    Pump();
}

bool PickTab(TPageControl* pages, TTabSheet* sheet)
{
    int index = pages->TabIndexOf(sheet);
    if (index < 0)
        return false;
    RECT tab = {};
    SendMessageA(pages->TabsHandle(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tab));
    ClickAt(pages->TabsHandle(), Centre(tab));
    return true;
}

void ClickHeader(TListView* list, int column)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list->Handle, LVM_GETHEADER, 0, 0));
    RECT item = {};
    SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
    ClickAt(header, Centre(item));
}

void ClickLine(TListView* list, int index)
{
    RECT line = {};
    line.left = LVIR_LABEL;
    SendMessageA(list->Handle, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&line));
    ClickAt(list->Handle, {line.left + 4, (line.top + line.bottom) / 2});
}

void ClickEmptySpace(TListView* list)
{
    RECT client = {};
    GetClientRect(list->Handle, &client);
    ClickAt(list->Handle, {client.right / 2, client.bottom - 4});
}

AnsiString Ansi(const char* utf8)
{
    return Utf8ToAnsi(utf8);
}

// Test programs run side by side on one display, and focus and the active window would pass
// between them. Each takes a virtual desktop of its own (a size given for its name makes Wine
// draw it as one window) before it makes any window.
void UseOwnDesktop()
{
    const std::string name = "tabulon-test-" + std::to_string(GetCurrentProcessId());
    HKEY sizes = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &sizes, nullptr) == ERROR_SUCCESS) {
        const char size[] = "1280x1024";
        RegSetValueExA(sizes, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(size), sizeof size);
    }
    HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop || !SetThreadDesktop(desktop))
        std::fprintf(stderr, "no desktop of its own (%lu): tests share the display's focus\n",
                     GetLastError());
    GetDesktopWindow();  // the desktop is made now, with its size
    if (sizes) {
        RegDeleteValueA(sizes, name.c_str());
        RegCloseKey(sizes);
    }
}

std::string WindowsPath(const std::string& linuxPath)
{
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

namespace {

// The bytes of a file; empty text when it cannot be read.
std::string ReadWholeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty() && !ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr))
        got = 0;
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

}  // namespace

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
    std::string line = "/bin/sh -c \"" + command + " >'" + unixStatus + ".out' 2>&1; echo $? >'" + unixStatus +
                       ".new'; mv '" + unixStatus + ".new' '" + unixStatus + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    for (HANDLE handle : {process.hThread, process.hProcess})
        if (handle)
            CloseHandle(handle);
    std::string code;
    for (int waited = 0; waited < 30000 && code.empty(); waited += 10) {
        Sleep(10);
        code = ReadWholeFile(status);
    }
    if (output)
        *output = ReadWholeFile(status + ".out");
    DeleteFileA(status.c_str());
    DeleteFileA((status + ".out").c_str());
    return code == "0\n";
}

}  // namespace guitest
