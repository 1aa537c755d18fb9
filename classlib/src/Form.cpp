#include "Form.h"

#include "Application.h"
#include "Encoding.h"
#include "FormatSettings.h"
#include "GuiInternal.h"
#include "PageControl.h"
#include "StandardControls.h"

#include <commctrl.h>

#include <algorithm>

namespace {
const char* const FormClass = "TabulonForm";
}  // namespace

TForm::TForm(TComponent* owner)
{
    Owner = owner;
    form_ = this;
}

TForm::~TForm()
{
    Application->FormDestroyed(this);
    // No event may reach the derived form (already gone) while the windows are destroyed.
    for (auto& component : components_)
        component->Detach();
    HWND window = handle_;
    TWinControl::Detach();
    if (window)
        DestroyWindow(window);
}

TForm* TForm::FromHandle(HWND window)
{
    return dynamic_cast<TForm*>(TControl::FromHandle(window));
}

void TForm::CreateFormWindow(const TFormProps& props)
{
    fontDesc_ = props.Font;
    background_ = TBrushHandle(props.Color);

    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (props.BorderStyle) {
    case bsNone:
        style |= WS_POPUP;
        break;
    case bsSingle:
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsSizeable:
        style |= WS_OVERLAPPEDWINDOW;
        break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;
        break;
    }
    RECT frame = {0, 0, props.ClientWidth, props.ClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int left = props.Left;
    int top = props.Top;
    if (props.Position == poDesktopCenter) {
        left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    RECT bounds = {left, top, left + width, top + height};
    AnsiString caption = Utf8ToAnsi(props.Caption);
    CreateContainer(FormClass, style, exStyle, nullptr, bounds, caption.c_str());
    // The form's own entry: lookups from its window lead here as from any control's.
    RegisterControlWindow(handle_, this);
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(fontDesc_)), FALSE);
}

HFONT TForm::FontFor(const TFontDesc& desc)
{
    for (const auto& entry : fonts_)
        if (entry.first.SameFace(desc))
            return entry.second.Get();
    fonts_.emplace_back(desc, TFontHandle(desc));
    return fonts_.back().second.Get();
}

TControl* TForm::AddComponent(std::unique_ptr<TControl> component, TWinControl* parent,
                              const TComponentProps& props)
{
    if (!parent || !parent->handle_)
        throw Exception("A component's parent must be described before it");
    TControl* control = component.get();
    components_.push_back(std::move(component));

    const TFontDesc& font = props.Font ? *props.Font : fontDesc_;
    RECT bounds = {props.Left, props.Top, props.Left + props.Width, props.Top + props.Height};
    if (props.Align == alClient)
        GetClientRect(parent->handle_, &bounds);
    TCreateContext context{*this, *parent, props, FontFor(font), font.Color, bounds};
    control->CreateHandle(context);
    return control;
}

void TForm::FinishCreation()
{
    // The form's own inputs lie over its page controls, which show through only where no
    // input is.
    for (TControl* child : children_)
        if (dynamic_cast<TPageControl*>(child))
            SetWindowPos(child->handle_, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::Show()
{
    if (!handle_)
        return;
    bool first = !shown_;
    shown_ = true;
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    if (first) {
        std::vector<TControl*> sequence = TabSequence();
        if (!sequence.empty())
            SetFocus(sequence.front()->FocusTarget());
        if (OnShow) {
            try {
                OnShow(this);
            } catch (...) {
                Application->ShowCurrentException();
            }
        }
    }
    if (handle_)
        UpdateWindow(handle_);
}

void TForm::Close()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    if (handle_)
        ShowWindow(handle_, SW_HIDE);
    if (Application->MainForm() == this)
        Application->Terminate();
}

LRESULT TForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SETTINGCHANGE:
        // Dates are written with the regional settings in force at the moment.
        if (Application->MainForm() == this)
            ReloadFormatSettings();
        break;
    case WM_ACTIVATE: {
        // A box or another window took the focus away: give it back where it was.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            savedFocus_ = (focus && IsChild(handle_, focus)) ? focus : nullptr;
        } else if (savedFocus_ && IsChild(handle_, savedFocus_) && IsWindowVisible(savedFocus_)) {
            SetFocus(savedFocus_);
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return TWinControl::WindowProc(message, wParam, lParam);
}

void TForm::CollectTabStops(const TWinControl& container, std::vector<TControl*>& out) const
{
    std::vector<TControl*> children = container.children_;
    std::stable_sort(children.begin(), children.end(),
                     [](const TControl* a, const TControl* b) { return a->tabOrder_ < b->tabOrder_; });
    for (TControl* child : children) {
        if (!child->handle_ || !IsWindowVisible(child->handle_) || !IsWindowEnabled(child->handle_))
            continue;
        HWND target = child->FocusTarget();
        if (child->tabOrder_ >= 0 && target && IsWindowVisible(target))
            out.push_back(child);
        if (auto* inner = dynamic_cast<const TWinControl*>(child))
            CollectTabStops(*inner, out);
    }
}

std::vector<TControl*> TForm::TabSequence() const
{
    std::vector<TControl*> sequence;
    CollectTabStops(*this, sequence);
    return sequence;
}

bool TForm::SelectNext(bool forward)
{
    std::vector<TControl*> sequence = TabSequence();
    if (sequence.empty())
        return false;
    const int count = static_cast<int>(sequence.size());
    HWND focus = GetFocus();
    int position = -1;
    for (int i = 0; i < count; ++i) {
        HWND target = sequence[i]->FocusTarget();
        if (focus && (focus == target || IsChild(target, focus)))
            position = i;
    }
    int next = position < 0 ? (forward ? 0 : count - 1)
                            : (position + (forward ? 1 : count - 1)) % count;
    HWND target = sequence[next]->FocusTarget();
    SetFocus(target);
    if (dynamic_cast<TComboBox*>(sequence[next]))
        SendMessageA(target, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return true;
}

bool TForm::HandleDialogKey(WPARAM key)
{
    if (key == VK_TAB) {
        if (GetKeyState(VK_CONTROL) < 0)
            return false;
        SelectNext(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    if (key == VK_RETURN) {
        // Enter presses the focused button, as in a dialogue.
        if (auto* button = dynamic_cast<TButton*>(TControl::FromHandle(GetFocus()))) {
            SendMessageA(button->handle_, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}
