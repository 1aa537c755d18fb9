#include "Control.h"

#include "Application.h"
#include "Encoding.h"
#include "Form.h"
#include "GuiInternal.h"

#include <commctrl.h>

#include <set>
#include <string>
#include <unordered_map>

namespace {
// Window to control object, for the notifications that a parent hands on to its children. Not a
// window property: under Wine every property lookup is a round trip to the server, and a list
// view sends its parent a notification for every line added or removed.
std::unordered_map<HWND, TControl*>& ControlsByWindow()
{
    static std::unordered_map<HWND, TControl*> controls;
    return controls;
}
}  // namespace

void RegisterControlWindow(HWND window, TControl* control)
{
    if (!window)
        return;
    if (control)
        ControlsByWindow()[window] = control;
    else
        ControlsByWindow().erase(window);
}

void EnsureCommonControls()
{
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                  ICC_DATE_CLASSES | ICC_TAB_CLASSES |
                                                  ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    done = true;
}

UINT_PTR NextControlId()
{
    static UINT_PTR next = 1000;
    return ++next;
}

// ---- TControl ----

TControl::~TControl() = default;

bool TControl::GetEnabled() const
{
    return handle_ && IsWindowEnabled(handle_);
}

void TControl::SetEnabled(bool enabled)
{
    if (handle_)
        EnableWindow(handle_, enabled);
}

bool TControl::GetVisible() const
{
    return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE);
}

void TControl::SetVisible(bool visible)
{
    if (handle_)
        ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

AnsiString TControl::GetText() const
{
    if (!handle_)
        return AnsiString();
    int length = GetWindowTextLengthA(handle_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(handle_, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return AnsiString(std::move(text));
}

void TControl::SetText(const AnsiString& text)
{
    if (handle_)
        SetWindowTextA(handle_, text.c_str());
}

TControl* TControl::FromHandle(HWND window)
{
    if (!window)
        return nullptr;
    const auto& controls = ControlsByWindow();
    auto found = controls.find(window);
    return found != controls.end() ? found->second : nullptr;
}

void TControl::Detach()
{
    RegisterControlWindow(handle_, nullptr);
    handle_ = nullptr;
}

void TControl::Attach(HWND window, const TCreateContext& context)
{
    handle_ = window;
    RegisterControlWindow(window, this);
    form_ = &context.Form;
    parent_ = &context.Parent;
    tabOrder_ = context.Props.TabOrder;
    fontColor_ = context.FontColor;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(context.Font), FALSE);
    if (!context.Props.Enabled)
        EnableWindow(window, FALSE);
    context.Parent.children_.push_back(this);
}

HWND TControl::CreateChild(const TCreateContext& context, const char* windowClass, DWORD style,
                           DWORD exStyle, const char* text)
{
    EnsureCommonControls();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (context.Props.Visible)
        style |= WS_VISIBLE;
    if (context.Props.TabOrder >= 0)
        style |= WS_TABSTOP;
    AnsiString caption = text ? AnsiString(text) : Utf8ToAnsi(context.Props.Caption);
    const RECT& r = context.Bounds;
    HWND window = CreateWindowExA(exStyle, windowClass, caption.c_str(), style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, context.Parent.handle_,
                                  reinterpret_cast<HMENU>(NextControlId()),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window)
        throw Exception(AnsiString("Cannot create a window of class ") + windowClass);
    return window;
}

// ---- TWinControl ----

LRESULT TWinControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam) {
            if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
                if (child->HandleCommand(HIWORD(wParam)))
                    return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (TControl* child = FromHandle(header->hwndFrom)) {
            LRESULT result = 0;
            if (child->HandleNotify(header, result))
                return result;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->HandleCtlColor(message, reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
        return 1;
    }
    default:
        break;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

HBRUSH TWinControl::BackgroundBrush() const
{
    return GetSysColorBrush(COLOR_BTNFACE);
}

void TWinControl::Detach()
{
    if (handle_)
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    TControl::Detach();
}

void TWinControl::RegisterContainerClass(const char* name)
{
    static std::set<std::string> registered;
    if (registered.count(name))
        return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ContainerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    wc.lpszClassName = name;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception(AnsiString("Cannot register the window class ") + name);
    registered.insert(name);
}

HWND TWinControl::CreateContainer(const char* windowClass, DWORD style, DWORD exStyle, HWND parent,
                                  const RECT& bounds, const char* text)
{
    EnsureCommonControls();
    RegisterContainerClass(windowClass);
    HMENU id = (style & WS_CHILD) ? reinterpret_cast<HMENU>(NextControlId()) : nullptr;
    HWND window = CreateWindowExA(exStyle, windowClass, text ? text : "", style, bounds.left,
                                  bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                  parent, id, GetModuleHandleA(nullptr), this);
    if (!window)
        throw Exception(AnsiString("Cannot create a window of class ") + windowClass);
    return window;
}

LRESULT CALLBACK TWinControl::ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // No exception may unwind into user32: whatever a handler raises ends here.
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            auto* self = static_cast<TWinControl*>(create->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            if (self)
                self->handle_ = window;
        }
        auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            RegisterControlWindow(window, nullptr);
        }
        if (self && self->handle_ == window)
            return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        Application->ShowCurrentException();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
