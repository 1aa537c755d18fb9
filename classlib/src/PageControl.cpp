#include "PageControl.h"

#include "Encoding.h"
#include "Exception.h"
#include "Form.h"
#include "GuiInternal.h"

#include <commctrl.h>

namespace {
const char* const PageControlClass = "TabulonPageControl";
const char* const SheetClass = "TabulonSheet";
}  // namespace

// ---- TTabSheet ----

void TTabSheet::CreateHandle(const TCreateContext& context)
{
    auto* pages = dynamic_cast<TPageControl*>(&context.Parent);
    if (!pages)
        throw Exception("A tab sheet must lie in a page control");
    pageControl_ = pages;
    caption_ = Utf8ToAnsi(context.Props.Caption);
    tabVisible_ = context.Props.TabVisible;
    visible_ = context.Props.Visible;
    RECT page = pages->PageRect();
    // Created hidden: the page control shows the active sheet only.
    HWND window = CreateContainer(SheetClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  WS_EX_CONTROLPARENT, pages->handle_, page, caption_.c_str());
    Attach(window, context);
    pages->AddSheet(this);
}

void TTabSheet::SetCaption(const AnsiString& caption)
{
    caption_ = caption;
    SetText(caption);
    if (pageControl_)
        pageControl_->Refresh();
}

void TTabSheet::SetTabVisible(bool visible)
{
    tabVisible_ = visible;
    if (pageControl_)
        pageControl_->Refresh();
}

void TTabSheet::SetVisible(bool visible)
{
    visible_ = visible;
    if (pageControl_)
        pageControl_->Refresh();
}

// ---- TPageControl ----

void TPageControl::CreateHandle(const TCreateContext& context)
{
    const TComponentProps& props = context.Props;
    style_ = props.TabStyle;
    DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (props.Visible ? WS_VISIBLE : 0);
    HWND window = CreateContainer(PageControlClass, style, WS_EX_CONTROLPARENT,
                                  context.Parent.Handle(), context.Bounds, "");
    Attach(window, context);

    DWORD tabStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSONBUTTONDOWN;
    if (props.TabOrder >= 0)
        tabStyle |= WS_TABSTOP;
    if (props.TabPosition == tpBottom)
        tabStyle |= TCS_BOTTOM;
    if (style_ == tsButtons)
        tabStyle |= TCS_BUTTONS;
    if (style_ == tsFlatButtons)
        tabStyle |= TCS_BUTTONS | TCS_FLATBUTTONS;
    RECT client;
    GetClientRect(handle_, &client);
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", tabStyle, 0, 0, client.right, client.bottom,
                            handle_, reinterpret_cast<HMENU>(NextControlId()),
                            GetModuleHandleA(nullptr), nullptr);
    if (!tabs_)
        throw Exception("Cannot create the tab strip of a page control");
    SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(context.Font), FALSE);
}

void TPageControl::Detach()
{
    tabs_ = nullptr;
    TWinControl::Detach();
}

HWND TPageControl::FocusTarget() const
{
    return (tabs_ && SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0) > 0) ? tabs_ : nullptr;
}

void TPageControl::AddSheet(TTabSheet* sheet)
{
    sheets_.push_back(sheet);
    if (!active_)
        active_ = sheet;
    Refresh();
}

int TPageControl::TabIndexOf(const TTabSheet* sheet) const
{
    if (!tabs_ || !sheet)
        return -1;
    int count = static_cast<int>(SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        if (SendMessageA(tabs_, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item)) &&
            reinterpret_cast<const TTabSheet*>(item.lParam) == sheet)
            return i;
    }
    return -1;
}

RECT TPageControl::PageRect() const
{
    RECT client = {};
    GetClientRect(handle_, &client);
    bool anyTab = false;
    for (const TTabSheet* sheet : sheets_)
        anyTab = anyTab || sheet->tabVisible_;
    // Buttons without any button visible leave the whole control to the page.
    if (!anyTab && style_ != tsTabs)
        return client;
    RECT page = client;
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    return page;
}

void TPageControl::Refresh()
{
    if (!handle_ || !tabs_)
        return;
    SendMessageA(tabs_, TCM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (TTabSheet* sheet : sheets_) {
        if (!sheet->tabVisible_)
            continue;
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(sheet->caption_.c_str());
        item.lParam = reinterpret_cast<LPARAM>(sheet);
        SendMessageA(tabs_, TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
    }
    RECT page = PageRect();
    for (TTabSheet* sheet : sheets_)
        if (sheet->handle_)
            SetWindowPos(sheet->handle_, HWND_TOP, page.left, page.top, page.right - page.left,
                         page.bottom - page.top, SWP_NOACTIVATE);
    SetActivePage(active_);
}

void TPageControl::SetActivePage(TTabSheet* sheet)
{
    if (sheet && sheet->pageControl_ != this)
        return;
    TTabSheet* previous = active_;
    active_ = sheet;
    for (TTabSheet* each : sheets_)
        if (each->handle_)
            ShowWindow(each->handle_, (each == active_ && each->visible_) ? SW_SHOWNA : SW_HIDE);
    if (tabs_)
        SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(TabIndexOf(active_)), 0);
    // The focus must not stay on a control of a sheet that went away.
    HWND focus = GetFocus();
    if (previous && previous != active_ && previous->handle_ && focus &&
        IsChild(previous->handle_, focus) && form_)
        form_->SelectNext(true);
}

LRESULT TPageControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
            int index = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
            TCITEMA item = {};
            item.mask = TCIF_PARAM;
            if (index >= 0 && SendMessageA(tabs_, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) {
                SetActivePage(reinterpret_cast<TTabSheet*>(item.lParam));
                if (OnChange)
                    OnChange(this);
            }
            return 0;
        }
        if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGING)
            return FALSE;
    }
    return TWinControl::WindowProc(message, wParam, lParam);
}
