// TListView: a list view (report style for the browser) with its lines (TListItems, TListItem)
// and columns (TListColumns, TListColumn). Each line's texts are kept in its TListItem as well as
// in the control, and each line's LPARAM is its TListItem*, so that sorting and comparing never
// read texts back from the control.
#pragma once

#include "Control.h"
#include "Strings.h"
#include "UpdateLock.h"

#include <functional>
#include <memory>
#include <vector>

class TListView;
class TListItem;

// The texts of a line's columns 1, 2, ...
class TListSubItems : public TStrings
{
public:
    explicit TListSubItems(TListItem& item) : item_(item) {}

    int Add(const AnsiString& text) override;
    void Clear() override;
    // Exact, case-sensitive search.
    int IndexOf(const AnsiString& text) const override;

protected:
    int GetCount() const override { return static_cast<int>(texts_.size()); }
    AnsiString Get(int index) const override;

private:
    TListItem& item_;
    std::vector<AnsiString> texts_;
};

class TListItem : public TObject
{
    AnsiString GetCaption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    bool GetSelected() const;
    void SetSelected(bool selected);
    int GetIndex() const { return index_; }

public:
    explicit TListItem(TListView& view) : SubItems(&subItems_), view_(view) {}

    // Text of column 0.
    Property<TListItem, AnsiString, &TListItem::GetCaption, &TListItem::SetCaption> Caption{this};
    TListSubItems* const SubItems;
    // The caller's pointer kept with the line; the list never touches what it points to.
    void* Data = nullptr;
    Property<TListItem, bool, &TListItem::GetSelected, &TListItem::SetSelected> Selected{this};
    // Position of the line in the list (0 = top), after sorting too.
    ReadOnlyProperty<TListItem, int, &TListItem::GetIndex> Index{this};

    TListView* ListView() const { return &view_; }

private:
    friend class TListItems;
    friend class TListSubItems;
    friend class TListView;

    TListSubItems subItems_{*this};
    TListView& view_;
    AnsiString caption_;
    int index_ = -1;
};

class TListItems
{
    int GetCount() const { return static_cast<int>(lines_.size()); }
    TListItem* GetItem(int index) const;

public:
    explicit TListItems(TListView& view) : view_(view) {}
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    ReadOnlyProperty<TListItems, int, &TListItems::GetCount> Count{this};
    // The line at an index; raises Exception for an index out of range.
    IndexedProperty<TListItems, TListItem*, &TListItems::GetItem> Item{this};

    // A new line at the end of the list, with an empty caption and no sub-items.
    TListItem* Add();
    // Removes every line (with the update lock held).
    void Clear();

    // The update lock: redrawing is off from the first BeginUpdate to the matching EndUpdate.
    // Adding or removing many lines of a visible list costs about 10 ms a line under Wine
    // with redrawing on, microseconds with it off.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;

    TListView& view_;
    std::vector<std::unique_ptr<TListItem>> lines_;  // in display order
    int updates_ = 0;
};

// Holds the update lock of a list for one scope, also when an exception leaves it.
using TListUpdateLock = TUpdateLock<TListItems>;

class TListColumn : public TObject
{
    int GetIndex() const { return index_; }
    int GetWidth() const;

public:
    TListColumn(TListView& view, int index, const AnsiString& caption, int minWidth)
        : Caption(caption), MinWidth(minWidth), view_(view), index_(index) {}

    ReadOnlyProperty<TListColumn, int, &TListColumn::GetIndex> Index{this};
    const AnsiString Caption;
    ReadOnlyProperty<TListColumn, int, &TListColumn::GetWidth> Width{this};
    const int MinWidth;

private:
    TListView& view_;
    int index_;
};

class TListColumns
{
    int GetCount() const { return static_cast<int>(columns_.size()); }
    TListColumn* GetItem(int index) const;

public:
    TListColumns() = default;
    TListColumns(const TListColumns&) = delete;
    TListColumns& operator=(const TListColumns&) = delete;

    ReadOnlyProperty<TListColumns, int, &TListColumns::GetCount> Count{this};
    IndexedProperty<TListColumns, TListColumn*, &TListColumns::GetItem> Items{this};

private:
    friend class TListView;
    std::vector<std::unique_ptr<TListColumn>> columns_;
};

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent =
    std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;

class TListView : public TControl
{
public:
    TListView() : Items(&items_), Columns(&columns_) {}

    TListItems* const Items;
    TListColumns* const Columns;

    // A line became selected or unselected (by the operator or by code).
    TLVSelectItemEvent OnSelectItem;
    // The operator clicked a column header.
    TLVColumnClickEvent OnColumnClick;
    // Orders a pair of lines for Sort: Compare < 0 puts Item1 first, > 0 after Item2.
    TLVCompareEvent OnCompare;

    // Sorts the lines through OnCompare (LVM_SORTITEMS), passing Data to every comparison.
    // Without OnCompare the order stays. An exception raised by OnCompare ends the sort and is
    // raised again from here.
    void Sort(int Data = 0);

protected:
    void CreateHandle(const TCreateContext& context) override;
    bool HandleNotify(NMHDR* header, LRESULT& result) override;
    void Detach() override;

private:
    friend class TListItems;
    friend class TListItem;
    friend class TListSubItems;
    friend class TListColumn;

    void SetLineText(int index, int column, const AnsiString& text);
    void Renumber();
    static int CALLBACK CompareLines(LPARAM item1, LPARAM item2, LPARAM sort);
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WNDPROC& ControlProc();

    TListItems items_{*this};
    TListColumns columns_;
    bool clearing_ = false;  // lines being removed raise no OnSelectItem
};
