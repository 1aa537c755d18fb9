// The standard controls: push button, label, check box and combo box.
#pragma once

#include "Control.h"
#include "Strings.h"
#include "UpdateLock.h"

#include <memory>

// A push button. Its caption takes the control's font (bold included); the text is drawn in
// the system's button text colour, which is black.
class TButton : public TControl
{
public:
    Property<TButton, AnsiString, &TButton::GetText, &TButton::SetText> Caption{this};
    // Raised when the button is pressed (mouse, Space, Enter while it has the focus, BM_CLICK).
    TNotifyEvent OnClick;

protected:
    void CreateHandle(const TCreateContext& context) override;
    bool HandleCommand(WORD code) override;
};

// A line of static text drawn in the font's colour on its parent's background.
class TLabel : public TControl
{
public:
    Property<TLabel, AnsiString, &TLabel::GetText, &TLabel::SetText> Caption{this};

protected:
    void CreateHandle(const TCreateContext& context) override;
    HBRUSH HandleCtlColor(UINT message, HDC dc) override;
};

class TCheckBox : public TControl
{
    bool GetChecked() const;
    void SetChecked(bool checked);

public:
    Property<TCheckBox, AnsiString, &TCheckBox::GetText, &TCheckBox::SetText> Caption{this};
    // Setting it from code raises no OnClick.
    Property<TCheckBox, bool, &TCheckBox::GetChecked, &TCheckBox::SetChecked> Checked{this};
    // Raised when the operator toggles the box (mouse, Space, BM_CLICK).
    TNotifyEvent OnClick;

protected:
    void CreateHandle(const TCreateContext& context) override;
    bool HandleCommand(WORD code) override;
    HBRUSH HandleCtlColor(UINT message, HDC dc) override;
};

class TComboBox;

// The item list of a combo box, kept by the control itself.
class TComboBoxItems : public TStrings
{
public:
    explicit TComboBoxItems(TComboBox& box) : box_(box) {}

    // Appends at the end of the (unsorted) list; raises Exception("Unable to insert a line")
    // when the control refuses the entry.
    int Add(const AnsiString& text) override;
    // Empties the list; the edit text stays as it was.
    void Clear() override;
    // The first entry equal to text as a whole, without regard to letter case (the control's
    // CB_FINDSTRINGEXACT from the start of the list); -1 when there is none.
    int IndexOf(const AnsiString& text) const override;
    // Redrawing off while many entries are added (nested calls count); TUpdateLock holds it.
    void BeginUpdate();
    void EndUpdate();

protected:
    int GetCount() const override;
    AnsiString Get(int index) const override;

private:
    TComboBox& box_;
    int updates_ = 0;
};

// An editable drop-down list. While the operator types, the text is completed from the list:
// the first entry that begins with the typed text (without regard to case, Czech letters
// included) supplies the rest, which is appended after the typed characters and selected, so
// that the next key typed replaces it. Backspace and Delete complete nothing.
class TComboBox : public TControl
{
    int GetItemHeight() const;
    void SetItemHeight(int height);

public:
    TComboBox() : Items(&items_) {}

    // The edit text.
    Property<TComboBox, AnsiString, &TComboBox::GetText, &TComboBox::SetText> Text{this};
    TComboBoxItems* const Items;
    // Height of the entries in the drop-down list, in pixels.
    Property<TComboBox, int, &TComboBox::GetItemHeight, &TComboBox::SetItemHeight> ItemHeight{this};
    // The completion of typed text; on unless switched off.
    bool AutoComplete = true;

    // The edit field inside the combo box (null for csDropDownList).
    HWND EditHandle() const { return edit_; }

protected:
    void CreateHandle(const TCreateContext& context) override;
    void Detach() override;

private:
    friend class TComboBoxItems;
    // Completes the edit text after a typed character; from the edit's window procedure.
    void CompleteTypedText();
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    TComboBoxItems items_{*this};
    HWND edit_ = nullptr;
};
