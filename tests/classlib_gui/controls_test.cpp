// The form as its description lays it out, and the small controls: check box, date picker,
// button, label; keyboard order.
#include "DateFormat.h"
#include "DateTime.h"
#include "GuiTesting.h"
#include "SampleForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using guitest::Ansi;

namespace {

class Controls : public SampleFormTest
{
protected:
    static LOGFONTA FontOf(HWND window)
    {
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font;
    }
};

}  // namespace

TEST_F(Controls, TheFormTakesItsDescription)
{
    EXPECT_EQ(Ansi(u8"Ukázka – příliš žluťoučký kůň"), form->Caption());
    RECT client;
    GetClientRect(form->Handle, &client);
    EXPECT_EQ(640, client.right);
    EXPECT_EQ(500, client.bottom);
    RECT frame;
    GetWindowRect(form->Handle, &frame);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (frame.left + frame.right) / 2, 1);
    LONG style = GetWindowLongA(form->Handle, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);  // a dialogue frame is not resizable
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);      // but has its close box

    RECT button;
    GetWindowRect(form->btnSearch->Handle, &button);
    MapWindowPoints(nullptr, form->Handle, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(480, button.left);
    EXPECT_EQ(26, button.top);
    EXPECT_EQ(131, button.right - button.left);
    EXPECT_EQ(49, button.bottom - button.top);
}

TEST_F(Controls, FontsAreMadeAsDescribed)
{
    LOGFONTA bold = FontOf(form->btnSearch->Handle);
    EXPECT_STREQ("Arial", bold.lfFaceName);
    EXPECT_EQ(-16, bold.lfHeight);
    EXPECT_EQ(FW_BOLD, bold.lfWeight);
    EXPECT_EQ(EASTEUROPE_CHARSET, bold.lfCharSet);
    LOGFONTA list = FontOf(form->lvProtocols->Handle);
    EXPECT_EQ(-15, list.lfHeight);
    EXPECT_EQ(FW_NORMAL, list.lfWeight);
    LOGFONTA own = FontOf(form->btnClose->Handle);
    EXPECT_STREQ("Tahoma", own.lfFaceName);
    EXPECT_EQ(-19, own.lfHeight);
    // Controls with the same font share one handle; the form made it.
    EXPECT_EQ(SendMessageA(form->lblFirst->Handle, WM_GETFONT, 0, 0),
              SendMessageA(form->cbProtNum->Handle, WM_GETFONT, 0, 0));
}

TEST_F(Controls, LabelsShowTheirCzechCaptions)
{
    EXPECT_EQ(Ansi(u8"Registrační značka"), form->lblSecond->Caption());
    form->lblSecond->Caption = Ansi(u8"Značka vozidla");
    char shown[64] = {};
    GetWindowTextA(form->lblSecond->Handle, shown, sizeof shown);
    EXPECT_EQ(Ansi(u8"Značka vozidla"), std::string(shown));
    EXPECT_EQ(Ansi(u8"Druhá"), form->shtSecond->Caption());
}

TEST_F(Controls, TheCheckBoxRaisesOnClickForTheOperatorOnly)
{
    EXPECT_FALSE(form->chxFrom->Checked);
    EXPECT_FALSE(form->dpFrom->Enabled);
    ASSERT_TRUE(guitest::Click(form->chxFrom));
    EXPECT_TRUE(form->chxFrom->Checked);
    EXPECT_EQ(1, form->checkClicks);
    EXPECT_TRUE(form->dpFrom->Enabled);

    form->chxFrom->Checked = false;
    EXPECT_FALSE(form->chxFrom->Checked);
    EXPECT_EQ(1, form->checkClicks);

    // Space on the focused box is a click too.
    SetFocus(form->chxFrom->Handle);
    SendMessageA(form->chxFrom->Handle, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(form->chxFrom->Handle, WM_KEYUP, VK_SPACE, 0xC0000001);
    guitest::Pump();
    EXPECT_TRUE(form->chxFrom->Checked);
    EXPECT_EQ(2, form->checkClicks);
}

TEST_F(Controls, TheDatePickerKeepsTheDatePart)
{
    const TDateTime day = EncodeDate(2016, 6, 3);
    form->dpFrom->Date = day + 0.75;
    EXPECT_EQ(double(day), double(form->dpFrom->Date()));
    form->dpFrom->Date = Date();
    EXPECT_EQ(double(Date()), double(form->dpFrom->Date()));
    form->dpFrom->Date = EncodeDate(2024, 2, 29);
    EXPECT_EQ(double(EncodeDate(2024, 2, 29)), double(form->dpFrom->Date()));

    form->dpFrom->Enabled = true;
    EXPECT_TRUE(IsWindowEnabled(form->dpFrom->Handle));
    form->dpFrom->Enabled = false;
    EXPECT_FALSE(IsWindowEnabled(form->dpFrom->Handle));
}

TEST_F(Controls, ADisabledButtonCannotBePressed)
{
    form->btnSearch->Enabled = false;
    EXPECT_FALSE(guitest::Click(form->btnSearch));
    EXPECT_EQ(0, form->searchClicks);
    form->btnSearch->Enabled = true;
    EXPECT_TRUE(guitest::Click(form->btnSearch));
    EXPECT_EQ(1, form->searchClicks);
    EXPECT_EQ("Vyhledat", form->btnSearch->Caption());
}

TEST_F(Controls, TabFollowsTheTabOrderAndSkipsWhatCannotTakeTheFocus)
{
    // The list comes first; the disabled date picker and the labels are passed over.
    const HWND expected[] = {form->pcPages->TabsHandle(), form->cbProtNum->Handle(),
                             form->chxFrom->Handle(), form->btnSearch->Handle(),
                             form->btnClose->Handle(), form->lvProtocols->Handle()};
    EXPECT_EQ(form->lvProtocols->Handle(), GetFocus());
    for (HWND next : expected) {
        ASSERT_TRUE(form->SelectNext(true));
        HWND focus = GetFocus();
        EXPECT_TRUE(focus == next || IsChild(next, focus));
    }
    ASSERT_TRUE(form->SelectNext(false));
    EXPECT_EQ(form->btnClose->Handle(), GetFocus());
}

namespace {

class TOrderless : public TForm
{
public:
    explicit TOrderless(TComponent* Owner) : TForm(Owner)
    {
        using F = TOrderless;
        static const TFormResource<F> resource = TFormResource<F>().Components({
            Component(&F::Label1).In(&F::Sheet1).Bounds(1, 1, 10, 10),  // its sheet comes later
            Component(&F::Pages).Bounds(0, 0, 100, 100),
            Component(&F::Sheet1).In(&F::Pages),
        });
        CreateFromResource(resource);
    }
    TLabel* Label1 = nullptr;
    TPageControl* Pages = nullptr;
    TTabSheet* Sheet1 = nullptr;
};

}  // namespace

TEST(FormDescription, AParentMustComeBeforeItsChildren)
{
    EXPECT_THROW(TOrderless form(nullptr), Exception);
}

TEST_F(Controls, HandlersReadAndWritePropertiesLikeFields)
{
    TSampleForm* f = form;
    f->cbProtNum->Text = "A-1";
    AnsiString text = f->cbProtNum->Text;
    EXPECT_EQ("A-1", text);
    EXPECT_TRUE(f->cbProtNum->Text != "");
    EXPECT_FALSE(f->cbProtNum->Text().IsEmpty());
    EXPECT_EQ(AnsiString("A-1") + "'", f->cbProtNum->Text() + "'");

    f->chxFrom->Checked = true;
    f->dpFrom->Enabled = f->chxFrom->Checked;  // one property from another
    EXPECT_TRUE(f->dpFrom->Enabled);
    if (f->chxFrom->Checked)
        f->dpFrom->Date = Date();
    EXPECT_EQ(DateToStr(Date()), DateToStr(f->dpFrom->Date));

    f->pcPages->ActivePage = f->shtFirst;
    EXPECT_TRUE(f->pcPages->ActivePage == f->shtFirst);
    EXPECT_TRUE(f->pcPages->ActivePage != f->shtSecond);
    f->shtSecond->Visible = false;
    f->shtSecond->TabVisible = false;
    EXPECT_FALSE(f->shtSecond->Visible);

    int record = 5;
    TListItem* item = f->lvProtocols->Items->Add();
    item->Caption = DateTimeToStr(EncodeDate(2016, 6, 3) + EncodeTime(10, 15, 0, 0));
    item->SubItems->Add("2016-100");
    item->Data = &record;
    for (int i = 0; i < f->lvProtocols->Items->Count; ++i)
        EXPECT_EQ(5, *static_cast<int*>(f->lvProtocols->Items->Item[i]->Data));
    HWND header = ListView_GetHeader(f->lvProtocols->Handle);
    EXPECT_NE(nullptr, header);
    EXPECT_EQ(4, SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}
