// A form with every control kind the class library offers, Czech captions included, built from
// a description like the programs' windows. The tests drive it and count its events.
#pragma once

#include "Gui.h"
#include "GuiTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class TSampleForm : public TForm
{
public:
    explicit TSampleForm(TComponent* Owner);

    TPageControl* pcPages = nullptr;
    TTabSheet* shtFirst = nullptr;
    TTabSheet* shtSecond = nullptr;
    TTabSheet* shtHidden = nullptr;
    TLabel* lblFirst = nullptr;
    TLabel* lblSecond = nullptr;
    TLabel* lblHidden = nullptr;
    TImage* imgIcon = nullptr;
    TImage* imgAlpha = nullptr;
    TImage* imgKeyed = nullptr;
    TComboBox* cbProtNum = nullptr;
    TCheckBox* chxFrom = nullptr;
    TDateTimePicker* dpFrom = nullptr;
    TButton* btnSearch = nullptr;
    TListView* lvProtocols = nullptr;
    TButton* btnClose = nullptr;

    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void pcPagesChange(TObject* Sender);
    void chxFromClick(TObject* Sender);
    void btnSearchClick(TObject* Sender);
    void btnCloseClick(TObject* Sender);
    void lvProtocolsSelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void lvProtocolsColumnClick(TObject* Sender, TListColumn* Column);
    void lvProtocolsCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);

    // What the handlers saw.
    int shows = 0;
    int closeQueries = 0;
    int pageChanges = 0;
    int checkClicks = 0;
    int searchClicks = 0;
    std::vector<int> columnClicks;
    struct Selection
    {
        TListItem* Item;
        bool Selected;
    };
    std::vector<Selection> selections;

    // What the handlers do beyond counting (set by a test).
    std::function<void()> onShow;
    std::function<void()> onSearch;
    std::function<void(TListItem*, TListItem*, int&)> onCompare;
    bool allowClose = true;
};

// The fixture of the cases on one sample form, made and shown before each case.
class SampleFormTest : public testing::Test
{
protected:
    guitest::ShownForm<TSampleForm> shown_;
    TSampleForm* const form = shown_.get();
};
