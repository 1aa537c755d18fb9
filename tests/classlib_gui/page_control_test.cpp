// The page control: the operator's tab change, pages set from code, hidden tabs, the form's
// inputs lying over the pages.
#include "GuiTesting.h"
#include "SampleForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class PageControl : public SampleFormTest
{
protected:
    int TabCount() const
    {
        return static_cast<int>(SendMessageA(form->pcPages->TabsHandle(), TCM_GETITEMCOUNT, 0, 0));
    }
};

}  // namespace

TEST_F(PageControl, StartsOnThePageTheDescriptionNames)
{
    EXPECT_EQ(form->shtSecond, form->pcPages->ActivePage);
    EXPECT_TRUE(IsWindowVisible(form->shtSecond->Handle));
    EXPECT_FALSE(IsWindowVisible(form->shtFirst->Handle));
    EXPECT_TRUE(IsWindowVisible(form->lblSecond->Handle));
    EXPECT_EQ(1, form->pcPages->TabIndexOf(form->shtSecond));
    EXPECT_EQ(1, SendMessageA(form->pcPages->TabsHandle(), TCM_GETCURSEL, 0, 0));
}

TEST_F(PageControl, OnChangeFollowsTheOperatorNotTheCode)
{
    ASSERT_TRUE(guitest::PickTab(form->pcPages, form->shtFirst));
    EXPECT_EQ(1, form->pageChanges);
    EXPECT_EQ(form->shtFirst, form->pcPages->ActivePage);
    EXPECT_TRUE(IsWindowVisible(form->shtFirst->Handle));
    EXPECT_FALSE(IsWindowVisible(form->shtSecond->Handle));

    form->pcPages->ActivePage = form->shtSecond;
    EXPECT_EQ(1, form->pageChanges);
    EXPECT_EQ(form->shtSecond, form->pcPages->ActivePage);
    EXPECT_TRUE(IsWindowVisible(form->shtSecond->Handle));
    EXPECT_EQ(1, SendMessageA(form->pcPages->TabsHandle(), TCM_GETCURSEL, 0, 0));

    // A click on the tab already shown changes nothing.
    ASSERT_TRUE(guitest::PickTab(form->pcPages, form->shtSecond));
    EXPECT_EQ(1, form->pageChanges);
}

TEST_F(PageControl, AHiddenTabIsNotInTheStripAndCannotBePicked)
{
    EXPECT_EQ(2, TabCount());
    EXPECT_EQ(-1, form->pcPages->TabIndexOf(form->shtHidden));
    EXPECT_FALSE(guitest::PickTab(form->pcPages, form->shtHidden));

    form->shtFirst->TabVisible = false;
    form->shtFirst->Visible = false;
    EXPECT_EQ(1, TabCount());
    EXPECT_FALSE(form->shtFirst->TabVisible);
    EXPECT_FALSE(form->shtFirst->Visible);
    EXPECT_FALSE(guitest::PickTab(form->pcPages, form->shtFirst));
    // The one tab left is the current page's, which the strip still shows selected.
    EXPECT_EQ(0, form->pcPages->TabIndexOf(form->shtSecond));
    EXPECT_EQ(0, SendMessageA(form->pcPages->TabsHandle(), TCM_GETCURSEL, 0, 0));
    // Clicking all along the strip never reaches a hidden page.
    RECT strip;
    GetClientRect(form->pcPages->TabsHandle(), &strip);
    RECT tab = {};
    SendMessageA(form->pcPages->TabsHandle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    for (int x = 2; x < strip.right; x += 20)
        guitest::ClickAt(form->pcPages->TabsHandle(), {x, (tab.top + tab.bottom) / 2});
    EXPECT_EQ(form->shtSecond, form->pcPages->ActivePage);
    EXPECT_EQ(0, form->pageChanges);

    form->shtFirst->TabVisible = true;
    form->shtFirst->Visible = true;
    EXPECT_EQ(2, TabCount());
    EXPECT_EQ(0, form->pcPages->TabIndexOf(form->shtFirst));
    ASSERT_TRUE(guitest::PickTab(form->pcPages, form->shtFirst));
    EXPECT_EQ(form->shtFirst, form->pcPages->ActivePage);
}

TEST_F(PageControl, CodeCanShowAPageWithoutATab)
{
    form->pcPages->ActivePage = form->shtHidden;
    EXPECT_EQ(form->shtHidden, form->pcPages->ActivePage);
    EXPECT_TRUE(IsWindowVisible(form->shtHidden->Handle));
    EXPECT_TRUE(IsWindowVisible(form->lblHidden->Handle));
    EXPECT_EQ(-1, SendMessageA(form->pcPages->TabsHandle(), TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(0, form->pageChanges);
}

TEST_F(PageControl, AnInvisibleSheetDoesNotShowEvenAsTheActivePage)
{
    form->shtSecond->Visible = false;
    EXPECT_EQ(form->shtSecond, form->pcPages->ActivePage);
    EXPECT_FALSE(IsWindowVisible(form->shtSecond->Handle));
    form->shtSecond->Visible = true;
    EXPECT_TRUE(IsWindowVisible(form->shtSecond->Handle));
}

TEST_F(PageControl, TheFormsInputsLieOverThePages)
{
    // The page control is the bottom child of the form, so every input of the form that lies on
    // it is drawn over it and gets its mouse clicks.
    EXPECT_EQ(nullptr, GetWindow(form->pcPages->Handle, GW_HWNDNEXT));
    for (HWND input : {form->cbProtNum->Handle(), form->chxFrom->Handle(), form->dpFrom->Handle()}) {
        RECT r;
        GetWindowRect(input, &r);
        POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(form->Handle, &centre);
        EXPECT_EQ(input, ChildWindowFromPointEx(form->Handle, centre, CWP_SKIPINVISIBLE));
    }
    // The sheet's label shows beside them, on the sheet shown.
    RECT label;
    GetWindowRect(form->lblSecond->Handle, &label);
    POINT corner = {label.left + 3, label.top + 3};
    ScreenToClient(form->shtSecond->Handle, &corner);
    EXPECT_EQ(form->lblSecond->Handle(),
              ChildWindowFromPointEx(form->shtSecond->Handle, corner, CWP_SKIPINVISIBLE));
}

namespace {

// Pages without tabs, each with its own buttons, filling the form.
class TPagedForm : public TForm
{
public:
    explicit TPagedForm(TComponent* Owner);

    TPageControl* PageControl1 = nullptr;
    TTabSheet* shtRequest = nullptr;
    TTabSheet* shtDone = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;

    void Button1Click(TObject* Sender) { PageControl1->ActivePage = shtDone; }
    void Button2Click(TObject* Sender) { ++noClicks; }
    void Button3Click(TObject* Sender) { Close(); }
    int noClicks = 0;
};

TPagedForm::TPagedForm(TComponent* Owner) : TForm(Owner)
{
    using F = TPagedForm;
    static const TFormResource<F> resource =
        TFormResource<F>()
            .Caption(u8"Upozornění").BorderStyle(bsDialog).ClientSize(502, 182)
            .Position(poDesktopCenter)
            .Components({
                Component(&F::PageControl1).Align(alClient).TabStyle(tsFlatButtons)
                    .ActivePage(&F::shtRequest),
                Component(&F::shtRequest).In(&F::PageControl1).TabVisible(false),
                Component(&F::shtDone).In(&F::PageControl1).TabVisible(false),
                Component(&F::Button1).In(&F::shtRequest).Bounds(131, 123, 99, 40)
                    .Caption(u8"Ano").TabOrder(0).OnClick(&F::Button1Click),
                Component(&F::Button2).In(&F::shtRequest).Bounds(262, 123, 99, 40)
                    .Caption(u8"Ne").TabOrder(1).OnClick(&F::Button2Click),
                Component(&F::Button3).In(&F::shtDone).Bounds(197, 123, 99, 40)
                    .Caption(u8"Ukončit").TabOrder(0).OnClick(&F::Button3Click),
            });
    CreateFromResource(resource);
}

}  // namespace

TEST(PagesWithoutTabs, FillThePageControlAndKeepTheFocusOnTheShownPage)
{
    guitest::ShownForm<TPagedForm> form;
    RECT client, page, pages;
    GetClientRect(form->Handle, &client);
    GetClientRect(form->PageControl1->Handle, &pages);
    GetClientRect(form->shtRequest->Handle, &page);
    EXPECT_EQ(client.right, pages.right);    // alClient
    EXPECT_EQ(client.bottom, pages.bottom);
    EXPECT_EQ(pages.right, page.right);      // no tab strip takes room
    EXPECT_EQ(pages.bottom, page.bottom);

    // The first button in tab order has the focus; Tab moves on within the page.
    EXPECT_EQ(form->Button1->Handle(), GetFocus());
    EXPECT_TRUE(form->SelectNext(true));
    EXPECT_EQ(form->Button2->Handle(), GetFocus());
    EXPECT_TRUE(form->SelectNext(true));
    EXPECT_EQ(form->Button1->Handle(), GetFocus());

    // A button on a sheet reaches its handler; the new page's button takes the focus.
    ASSERT_TRUE(guitest::Click(form->Button1));
    EXPECT_EQ(form->shtDone, form->PageControl1->ActivePage);
    EXPECT_TRUE(IsWindowVisible(form->Button3->Handle));
    EXPECT_FALSE(IsWindowVisible(form->Button1->Handle));
    EXPECT_EQ(form->Button3->Handle(), GetFocus());
    EXPECT_FALSE(guitest::Click(form->Button2));  // on the hidden page: nobody can press it
    EXPECT_EQ(0, form->noClicks);
}

TEST(PagesWithoutTabs, EnterPressesTheFocusedButtonAndTabGoesRound)
{
    guitest::ShownForm<TPagedForm> form;
    HWND focus = GetFocus();
    ASSERT_EQ(form->Button1->Handle(), focus);
    // Keys as the loop receives them from the keyboard.
    PostMessageA(focus, WM_KEYDOWN, VK_TAB, 1);
    guitest::Pump();
    EXPECT_EQ(form->Button2->Handle(), GetFocus());
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    guitest::Pump();
    EXPECT_EQ(1, form->noClicks);
}
