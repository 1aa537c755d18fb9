#include "StandardControls.h"

#include "Application.h"
#include "Encoding.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace {

// Drop-down lists open this many entries tall.
constexpr int DropDownCount = 8;

// The text in capitals by the ANSI code page's own letter pairs (Č for č, not just A to Z).
std::string Upper(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

// ---- TComboBoxItems ----

int TComboBoxItems::Add(const AnsiString& text)
{
    LRESULT index = SendMessageA(box_.handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE)
        throw Exception("Unable to insert a line");
    return static_cast<int>(index);
}

void TComboBoxItems::Clear()
{
    // CB_RESETCONTENT empties the edit field too: the operator's text must survive.
    AnsiString text = box_.GetText();
    SendMessageA(box_.handle_, CB_RESETCONTENT, 0, 0);
    box_.SetText(text);
}

int TComboBoxItems::IndexOf(const AnsiString& text) const
{
    LRESULT index = SendMessageA(box_.handle_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str()));
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBoxItems::BeginUpdate()
{
    if (updates_++ == 0 && box_.handle_)
        SendMessageA(box_.handle_, WM_SETREDRAW, FALSE, 0);
}

void TComboBoxItems::EndUpdate()
{
    if (updates_ > 0 && --updates_ == 0 && box_.handle_) {
        SendMessageA(box_.handle_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(box_.handle_, nullptr, TRUE);
    }
}

int TComboBoxItems::GetCount() const
{
    if (!box_.handle_)
        return 0;
    return static_cast<int>(SendMessageA(box_.handle_, CB_GETCOUNT, 0, 0));
}

AnsiString TComboBoxItems::Get(int index) const
{
    LRESULT length = SendMessageA(box_.handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (!box_.handle_ || length == CB_ERR)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(box_.handle_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
    return AnsiString(std::move(text));
}

// ---- TComboBox ----

void TComboBox::CreateHandle(const TCreateContext& context)
{
    const TComponentProps& props = context.Props;
    DWORD style = WS_VSCROLL | CBS_AUTOHSCROLL |
                  (props.ComboStyle == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    // A combo box's window height is the height of the open list; the field keeps its own.
    TCreateContext open = context;
    int entry = std::max(props.ItemHeight, 16);
    open.Bounds.bottom += DropDownCount * entry + 2;
    AnsiString text = Utf8ToAnsi(props.Caption);
    Attach(CreateChild(open, "COMBOBOX", style, 0, ""), context);
    if (props.ItemHeight > 0)
        SetItemHeight(props.ItemHeight);
    if (!text.empty())
        SetText(text);

    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (props.ComboStyle == csDropDown && GetComboBoxInfo(handle_, &info) && info.hwndItem) {
        edit_ = info.hwndItem;
        SetWindowSubclass(edit_, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

void TComboBox::Detach()
{
    if (edit_)
        RemoveWindowSubclass(edit_, EditProc, 1);
    edit_ = nullptr;
    TControl::Detach();
}

int TComboBox::GetItemHeight() const
{
    return static_cast<int>(SendMessageA(handle_, CB_GETITEMHEIGHT, 0, 0));
}

void TComboBox::SetItemHeight(int height)
{
    SendMessageA(handle_, CB_SETITEMHEIGHT, 0, height);
    // Wine's combo box passes the height on to its list only when it draws its own items.
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetItemHeight() != height && GetComboBoxInfo(handle_, &info) && info.hwndList)
        SendMessageA(info.hwndList, LB_SETITEMHEIGHT, 0, height);
}

void TComboBox::CompleteTypedText()
{
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    int length = GetWindowTextLengthA(edit_);
    std::string typed(static_cast<size_t>(length) + 1, '\0');
    typed.resize(static_cast<size_t>(std::max(0, GetWindowTextA(edit_, &typed[0], length + 1))));
    // Only typing at the end of the text completes; an edit in the middle stays as it is.
    if (typed.empty() || start != end || end != typed.size())
        return;

    const std::string key = Upper(typed);
    const int count = Items->Count;
    for (int i = 0; i < count; ++i) {
        AnsiString entry = Items->Strings[i];
        if (entry.size() < typed.size() || Upper(entry.substr(0, typed.size())) != key)
            continue;
        if (entry.size() == typed.size())
            return;  // nothing to add
        std::string completed = typed + entry.substr(typed.size());
        SetWindowTextA(edit_, completed.c_str());
        SendMessageA(edit_, EM_SETSEL, typed.size(), completed.size());
        return;
    }
}

LRESULT CALLBACK TComboBox::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self)
{
    try {
        if (message == WM_CHAR) {
            LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            // Printable characters only: Backspace, Ctrl+Backspace and control keys complete
            // nothing (Delete sends no character at all).
            auto* box = reinterpret_cast<TComboBox*>(self);
            if (wParam >= 0x20 && wParam != 0x7F && box->AutoComplete && box->edit_ == window)
                box->CompleteTypedText();
            return result;
        }
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(window, EditProc, id);
    } catch (...) {
        Application->ShowCurrentException();
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
