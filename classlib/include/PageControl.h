// TPageControl with its TTabSheet pages. The page control is a window of ours holding a tab
// strip (a SysTabControl32) and the sheets; only the active sheet is shown. A sheet whose tab is
// hidden (TabVisible false) has no tab in the strip at all, so the operator cannot select it;
// code can still make it the active page (a page control whose tabs are all hidden shows just
// the active page).
#pragma once

#include "Control.h"

#include <vector>

class TPageControl;

class TTabSheet : public TWinControl
{
    AnsiString GetCaption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    bool GetTabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);

protected:
    bool GetVisible() const override { return visible_; }
    void SetVisible(bool visible) override;

public:
    // Text of the sheet's tab.
    Property<TTabSheet, AnsiString, &TTabSheet::GetCaption, &TTabSheet::SetCaption> Caption{this};
    // Whether the sheet has a tab in the strip.
    Property<TTabSheet, bool, &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible> TabVisible{this};
    // (Visible, inherited: whether the sheet may show; it shows while it is the active page.)

    TPageControl* PageControl() const { return pageControl_; }

protected:
    void CreateHandle(const TCreateContext& context) override;

private:
    friend class TPageControl;

    TPageControl* pageControl_ = nullptr;
    AnsiString caption_;
    bool tabVisible_ = true;
    bool visible_ = true;
};

class TPageControl : public TWinControl
{
    TTabSheet* GetActivePage() const { return active_; }
    void SetActivePage(TTabSheet* sheet);

public:
    // The page shown. Setting it from code raises no OnChange.
    Property<TPageControl, TTabSheet*, &TPageControl::GetActivePage, &TPageControl::SetActivePage>
        ActivePage{this};
    // Raised after the operator selected another tab (not when code sets ActivePage).
    TNotifyEvent OnChange;

    // The sheets in their order.
    const std::vector<TTabSheet*>& Sheets() const { return sheets_; }
    // The tab strip, and the position of a sheet's tab in it (-1: the sheet has no tab).
    HWND TabsHandle() const { return tabs_; }
    int TabIndexOf(const TTabSheet* sheet) const;

protected:
    void CreateHandle(const TCreateContext& context) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND FocusTarget() const override;
    void Detach() override;

private:
    friend class TTabSheet;

    void AddSheet(TTabSheet* sheet);
    // Rebuilds the strip from the sheets' TabVisible and captions, places and shows the sheets.
    void Refresh();
    RECT PageRect() const;

    HWND tabs_ = nullptr;
    TTabStyle style_ = tsTabs;
    std::vector<TTabSheet*> sheets_;
    TTabSheet* active_ = nullptr;
};
