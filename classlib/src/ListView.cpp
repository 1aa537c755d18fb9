#include "ListView.h"

#include "Application.h"
#include "Encoding.h"
#include "GuiInternal.h"

#include <commctrl.h>

#include <exception>
#include <string>
#include <unordered_map>

namespace {

// What LVM_SORTITEMS hands each comparison.
struct SortContext
{
    TListView* View;
    int Data;
    std::exception_ptr Error;  // the first exception of OnCompare, raised again after the sort
};

Exception IndexOutOfBounds(int index)
{
    return Exception("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

// ---- TListSubItems ----

int TListSubItems::Add(const AnsiString& text)
{
    texts_.push_back(text);
    int column = static_cast<int>(texts_.size());
    item_.view_.SetLineText(item_.index_, column, text);
    return column - 1;
}

void TListSubItems::Clear()
{
    for (size_t column = 1; column <= texts_.size(); ++column)
        item_.view_.SetLineText(item_.index_, static_cast<int>(column), AnsiString());
    texts_.clear();
}

int TListSubItems::IndexOf(const AnsiString& text) const
{
    for (size_t i = 0; i < texts_.size(); ++i)
        if (texts_[i] == text)
            return static_cast<int>(i);
    return -1;
}

AnsiString TListSubItems::Get(int index) const
{
    if (index < 0 || index >= static_cast<int>(texts_.size()))
        throw IndexOutOfBounds(index);
    return texts_[static_cast<size_t>(index)];
}

// ---- TListItem ----

void TListItem::SetCaption(const AnsiString& caption)
{
    caption_ = caption;
    view_.SetLineText(index_, 0, caption);
}

bool TListItem::GetSelected() const
{
    if (!view_.handle_ || index_ < 0)
        return false;
    return (SendMessageA(view_.handle_, LVM_GETITEMSTATE, static_cast<WPARAM>(index_), LVIS_SELECTED) &
            LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool selected)
{
    if (!view_.handle_ || index_ < 0)
        return;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(view_.handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(index_),
                 reinterpret_cast<LPARAM>(&state));
}

// ---- TListItems ----

TListItem* TListItems::GetItem(int index) const
{
    if (index < 0 || index >= static_cast<int>(lines_.size()))
        throw IndexOutOfBounds(index);
    return lines_[static_cast<size_t>(index)].get();
}

TListItem* TListItems::Add()
{
    lines_.push_back(std::make_unique<TListItem>(view_));
    TListItem* item = lines_.back().get();
    item->index_ = static_cast<int>(lines_.size()) - 1;
    LVITEMA line = {};
    line.mask = LVIF_TEXT | LVIF_PARAM;
    line.iItem = item->index_;
    line.pszText = const_cast<char*>("");
    line.lParam = reinterpret_cast<LPARAM>(item);
    LRESULT index = SendMessageA(view_.handle_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&line));
    if (index != item->index_) {
        lines_.pop_back();
        throw Exception("Unable to insert an item");
    }
    return item;
}

void TListItems::Clear()
{
    TListUpdateLock lock(this);
    view_.clearing_ = true;
    SendMessageA(view_.handle_, LVM_DELETEALLITEMS, 0, 0);
    view_.clearing_ = false;
    lines_.clear();
}

void TListItems::BeginUpdate()
{
    if (updates_++ == 0 && view_.handle_)
        SendMessageA(view_.handle_, WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate()
{
    if (updates_ > 0 && --updates_ == 0 && view_.handle_) {
        SendMessageA(view_.handle_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(view_.handle_, nullptr, TRUE);
    }
}

// ---- columns ----

int TListColumn::GetWidth() const
{
    return static_cast<int>(SendMessageA(view_.handle_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index_), 0));
}

TListColumn* TListColumns::GetItem(int index) const
{
    if (index < 0 || index >= static_cast<int>(columns_.size()))
        throw IndexOutOfBounds(index);
    return columns_[static_cast<size_t>(index)].get();
}

// ---- TListView ----

void TListView::CreateHandle(const TCreateContext& context)
{
    const TComponentProps& props = context.Props;
    static const DWORD viewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    DWORD style = viewStyles[props.ViewStyle];
    if (!props.ReadOnly)
        style |= LVS_EDITLABELS;
    if (!props.MultiSelect)
        style |= LVS_SINGLESEL;
    if (!props.HideSelection)
        style |= LVS_SHOWSELALWAYS;
    Attach(CreateChild(context, WC_LISTVIEWA, style, WS_EX_CLIENTEDGE, ""), context);
    if (props.RowSelect)
        SendMessageA(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    for (size_t i = 0; i < props.Columns.size(); ++i) {
        const TColumnDesc& desc = props.Columns[i];
        AnsiString caption = Utf8ToAnsi(desc.Caption);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = desc.Width;
        column.pszText = const_cast<char*>(caption.c_str());
        column.iSubItem = static_cast<int>(i);
        SendMessageA(handle_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        columns_.columns_.push_back(
            std::make_unique<TListColumn>(*this, static_cast<int>(i), caption, desc.MinWidth));
    }
    // Our procedure in front of the control's own one, put in its place directly: a subclass
    // through SetWindowSubclass costs a server round trip per message under Wine, and filling
    // the list sends several messages a line.
    WNDPROC own = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc)));
    if (own != &ListProc)
        ControlProc() = own;
}

WNDPROC& TListView::ControlProc()
{
    static WNDPROC proc = nullptr;  // the list view class's, the same for every list
    return proc;
}

void TListView::Detach()
{
    if (handle_)
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc()));
    TControl::Detach();
}

void TListView::SetLineText(int index, int column, const AnsiString& text)
{
    if (!handle_ || index < 0)
        return;
    LVITEMA line = {};
    line.iSubItem = column;
    line.pszText = const_cast<char*>(text.c_str());
    SendMessageA(handle_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
}

bool TListView::HandleNotify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case LVN_ITEMCHANGED: {
        auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        const int count = static_cast<int>(items_.lines_.size());
        if (!clearing_ && (change->uChanged & LVIF_STATE) &&
            ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) && change->iItem >= 0 &&
            change->iItem < count && OnSelectItem) {
            TListItem* item = items_.lines_[static_cast<size_t>(change->iItem)].get();
            OnSelectItem(this, item, (change->uNewState & LVIS_SELECTED) != 0);
        }
        result = 0;
        return true;
    }
    case LVN_COLUMNCLICK: {
        auto* click = reinterpret_cast<NMLISTVIEW*>(header);
        if (click->iSubItem >= 0 && click->iSubItem < static_cast<int>(columns_.columns_.size()) &&
            OnColumnClick)
            OnColumnClick(this, columns_.columns_[static_cast<size_t>(click->iSubItem)].get());
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void TListView::Sort(int Data)
{
    if (!OnCompare || !handle_)
        return;
    SortContext context{this, Data, nullptr};
    SendMessageA(handle_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
                 reinterpret_cast<LPARAM>(&CompareLines));
    Renumber();
    if (context.Error)
        std::rethrow_exception(context.Error);
}

int CALLBACK TListView::CompareLines(LPARAM item1, LPARAM item2, LPARAM sort)
{
    auto* context = reinterpret_cast<SortContext*>(sort);
    if (context->Error)
        return 0;
    // The exception cannot pass through the list control: keep it for Sort to raise.
    try {
        int compare = 0;
        context->View->OnCompare(context->View, reinterpret_cast<TListItem*>(item1),
                                 reinterpret_cast<TListItem*>(item2), context->Data, compare);
        return compare;
    } catch (...) {
        context->Error = std::current_exception();
        return 0;
    }
}

void TListView::Renumber()
{
    auto& lines = items_.lines_;
    std::unordered_map<TListItem*, size_t> oldPlace;
    for (size_t i = 0; i < lines.size(); ++i)
        oldPlace[lines[i].get()] = i;
    std::vector<std::unique_ptr<TListItem>> ordered;
    ordered.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        LVITEMA line = {};
        line.mask = LVIF_PARAM;
        line.iItem = static_cast<int>(i);
        if (!SendMessageA(handle_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&line)))
            continue;
        auto found = oldPlace.find(reinterpret_cast<TListItem*>(line.lParam));
        if (found != oldPlace.end() && lines[found->second])
            ordered.push_back(std::move(lines[found->second]));
    }
    for (auto& rest : lines)  // the control lost none, but never let a line leak
        if (rest)
            ordered.push_back(std::move(rest));
    lines = std::move(ordered);
    for (size_t i = 0; i < lines.size(); ++i)
        lines[i]->index_ = static_cast<int>(i);
}

LRESULT CALLBACK TListView::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        auto* view = static_cast<TListView*>(TControl::FromHandle(window));
        if (message == WM_NOTIFY && view) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            // A column may not become narrower than its minimum width, by dragging or by code.
            if ((header->code == HDN_ITEMCHANGINGA || header->code == HDN_ITEMCHANGINGW) &&
                header->hwndFrom == reinterpret_cast<HWND>(SendMessageA(window, LVM_GETHEADER, 0, 0))) {
                auto* change = reinterpret_cast<NMHEADERA*>(lParam);
                const auto& columns = view->columns_.columns_;
                if (change->pitem && (change->pitem->mask & HDI_WIDTH) && change->iItem >= 0 &&
                    change->iItem < static_cast<int>(columns.size()) &&
                    change->pitem->cxy < columns[static_cast<size_t>(change->iItem)]->MinWidth)
                    return TRUE;
            }
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc()));
            RegisterControlWindow(window, nullptr);  // as a window property would go with it
        }
    } catch (...) {
        Application->ShowCurrentException();
        return 0;
    }
    return CallWindowProcW(ControlProc(), window, message, wParam, lParam);
}
