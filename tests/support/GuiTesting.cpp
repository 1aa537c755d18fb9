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

bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    while (!condition()) {
        if (static_cast<LONG>(GetTickCount() - until) >= 0)
            return false;
        Pump(1);
        Sleep(10);
    }
    return true;
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

std::string CellText(TListView* list, int line, int column)
{
    char text[512] = {};
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = sizeof text;
    SendMessageA(list->Handle, LVM_GETITEMTEXTA, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&cell));
    return text;
}

AnsiString Ansi(const char* utf8)
{
    return Utf8ToAnsi(utf8);
}

std::vector<std::string> AnsiTexts(std::initializer_list<const char*> utf8)
{
    std::vector<std::string> texts;
    for (const char* text : utf8)
        texts.push_back(Ansi(text));
    return texts;
}

std::string CommonControlsPath()
{
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    char path[MAX_PATH] = {};
    if (!comctl || !GetModuleFileNameA(comctl, path, MAX_PATH))
        return std::string();
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return lower;
}

HWND FindVisibleChild(HWND parent, const std::string& text, DWORD waitMilliseconds)
{
    struct Search
    {
        const std::string& text;
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND window, LPARAM self)
        {
            auto* s = reinterpret_cast<Search*>(self);
            char shown[256] = {};
            GetWindowTextA(window, shown, sizeof shown);
            if (IsWindowVisible(window) && s->text == shown) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        }
    };
    Search search{text};
    PumpUntil([&] {
        EnumChildWindows(parent, Search::Visit, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, waitMilliseconds);
    return search.found;
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

}  // namespace guitest
