// The question window: its layout, and its pages as the operator goes through them.
#include "frmBckMain.h"
#include "ObruntTesting.h"

#include "DateFormat.h"
#include "DateTime.h"
#include "GuiTesting.h"
#include "Screenshot.h"

#include <commctrl.h>
#include <cstdio>
#include <gtest/gtest.h>

using namespace obtest;
using guitest::Ansi;

namespace {

RECT BoundsInParent(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class QuestionWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        DeleteScheduleKey();
        RemoveTree(DataFolder());
        form = new TForm2(nullptr);
        form->Show();
        guitest::Pump();
    }
    void TearDown() override
    {
        delete form;
        DeleteScheduleKey();
        RemoveTree(DataFolder());
    }

    TTabSheet* Page() const { return form->PageControl1->ActivePage; }

    TForm2* form = nullptr;
    ScratchFolder scratch{"window"};
};

}  // namespace

TEST_F(QuestionWindow, IsLaidOutAsDescribed)
{
    EXPECT_EQ(Ansi(u8"Upozornění"), WindowText(form->Handle));
    RECT client;
    GetClientRect(form->Handle, &client);
    EXPECT_EQ(502, client.right);
    EXPECT_EQ(182, client.bottom);
    const LONG style = GetWindowLongA(form->Handle, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    // No tabs: only the active page shows.
    EXPECT_EQ(0, SendMessageA(form->PageControl1->TabsHandle(), TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ((std::vector<TTabSheet*>{form->shtBackupRequest, form->shtBackupSuccess, form->shtBackupFailed}),
              form->PageControl1->Sheets());

    enum FontKind { Question, Success, FormFont, NoText };
    struct Expected
    {
        TControl* control;
        TTabSheet* page;
        RECT bounds;
        const char* text;
        FontKind font;
    } controls[] = {
        {form->Image1, form->shtBackupRequest, {16, 16, 80, 80}, nullptr, NoText},
        {form->Label1, form->shtBackupRequest, {98, 16, 465, 35}, u8"Je vhodné provést zálohu dat emisních zařízení.", Question},
        {form->Label6, form->shtBackupRequest, {98, 38, 468, 57}, u8"Použijte prosím externí úložiště (USB Flash disk)", Question},
        {form->Label2, form->shtBackupRequest, {98, 72, 271, 91}, u8"Chcete ji nyní spustit ?", Question},
        {form->Button1, form->shtBackupRequest, {131, 123, 230, 163}, u8"Ano", FormFont},
        {form->Button2, form->shtBackupRequest, {262, 123, 361, 163}, u8"Ne", FormFont},
        {form->Image2, form->shtBackupSuccess, {16, 16, 80, 80}, nullptr, NoText},
        {form->Label3, form->shtBackupSuccess, {128, 16, 427, 39}, u8"Zálohování úspěšně dokončeno", Success},
        {form->Button3, form->shtBackupSuccess, {197, 123, 296, 163}, u8"Ukončit", FormFont},
        {form->Image3, form->shtBackupFailed, {16, 16, 80, 80}, nullptr, NoText},
        {form->Label4, form->shtBackupFailed, {98, 16, 422, 35}, u8"Zálohu dat emisních zařízení se nepodařila", Question},
        {form->Label5, form->shtBackupFailed, {98, 45, 310, 64}, u8"Chcete ji opětovně spustit ?", Question},
        {form->Button4, form->shtBackupFailed, {131, 123, 230, 163}, u8"Ano", FormFont},
        {form->Button5, form->shtBackupFailed, {262, 123, 361, 163}, u8"Ne", FormFont},
    };
    for (const Expected& e : controls) {
        ASSERT_NE(nullptr, e.control);
        const std::string what = e.text ? Ansi(e.text) : std::string("an image");
        EXPECT_EQ(e.page, e.control->Parent()) << what;
        const RECT r = BoundsInParent(e.control->Handle);
        EXPECT_EQ(e.bounds.left, r.left) << what;
        EXPECT_EQ(e.bounds.top, r.top) << what;
        EXPECT_EQ(e.bounds.right, r.right) << what;
        EXPECT_EQ(e.bounds.bottom, r.bottom) << what;
        if (e.text) {
            EXPECT_EQ(Ansi(e.text), WindowText(e.control->Handle));
        }
        if (e.font == NoText)
            continue;
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(e.control->Handle, WM_GETFONT, 0, 0)), sizeof font, &font);
        switch (e.font) {
        case Question:
            EXPECT_STREQ("Arial", font.lfFaceName) << what;
            EXPECT_EQ(-16, font.lfHeight) << what;
            EXPECT_EQ(FW_BOLD, font.lfWeight) << what;
            EXPECT_EQ(EASTEUROPE_CHARSET, font.lfCharSet) << what;
            break;
        case Success:
            EXPECT_STREQ("Tahoma", font.lfFaceName) << what;
            EXPECT_EQ(-19, font.lfHeight) << what;
            EXPECT_EQ(FW_BOLD, font.lfWeight) << what;
            break;
        default:
            EXPECT_STREQ("Tahoma", font.lfFaceName) << what;
            EXPECT_EQ(-11, font.lfHeight) << what;
            EXPECT_EQ(FW_NORMAL, font.lfWeight) << what;
            break;
        }
    }
}

TEST_F(QuestionWindow, OpensOnTheRequestPageWithAnoFocusedThenNe)
{
    TForm2 other(nullptr);
    other.PageControl1->ActivePage = other.shtBackupFailed;
    other.Show();
    guitest::Pump();
    EXPECT_EQ(other.shtBackupRequest, other.PageControl1->ActivePage);
    EXPECT_TRUE(IsWindowVisible(other.Label1->Handle));
    EXPECT_FALSE(IsWindowVisible(other.Label4->Handle));
    EXPECT_EQ(other.Button1->Handle(), GetFocus());
    other.SelectNext(true);
    EXPECT_EQ(other.Button2->Handle(), GetFocus());
}

TEST_F(QuestionWindow, CancelStaysOnTheRequestPageAndAnoCanBePressedAgain)
{
    WriteFile(StoragePath(0), SampleDatabase(0));
    PickerDriver picker({PickerAnswer::Cancelling(), PickerAnswer::Choosing(scratch.Path())});
    ASSERT_TRUE(guitest::Click(form->Button1));
    EXPECT_EQ(form->shtBackupRequest, Page());
    EXPECT_TRUE(FolderEntries(scratch.Path()).empty());
    EXPECT_FALSE(ScheduleKeyExists());
    // A new press opens a new picker, and this time a folder is chosen.
    ASSERT_TRUE(guitest::Click(form->Button1));
    EXPECT_EQ(form->shtBackupSuccess, Page());
    EXPECT_EQ(2, picker.PickersShown());
    const std::string target = scratch.Path() + "\\" + std::string(FormatDateTime("yyyy-mm-dd", Date()));
    EXPECT_TRUE(ReadFile(target + "\\KX40Storage.GDB") == SampleDatabase(0));
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
    EXPECT_TRUE(IsWindowVisible(form->Button3->Handle));
    EXPECT_FALSE(IsWindowVisible(form->Button1->Handle));
}

TEST_F(QuestionWindow, AFailedBackupShowsTheFailurePageWhoseAnoTriesAgain)
{
    PickerDriver picker({PickerAnswer::Choosing(scratch.Path()), PickerAnswer::Choosing(scratch.Path())});
    ASSERT_TRUE(guitest::Click(form->Button1));
    EXPECT_EQ(form->shtBackupFailed, Page());
    EXPECT_TRUE(IsWindowVisible(form->Label4->Handle));
    EXPECT_FALSE(ScheduleKeyExists());

    WriteFile(StoragePath(1), SampleDatabase(1));
    ASSERT_TRUE(guitest::Click(form->Button4));
    EXPECT_EQ(form->shtBackupSuccess, Page());
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
}

TEST_F(QuestionWindow, ADeclinedReplacementShowsTheFailurePageAndAnAcceptedOneSucceeds)
{
    WriteFile(StoragePath(0), SampleDatabase(0));
    WriteFile(StoragePath(1), SampleDatabase(1));
    SetDay("LongPeriodLast", Today() - 40);
    const std::string target = scratch.Path() + "\\" + std::string(FormatDateTime("yyyy-mm-dd", Date()));
    // Older copies from an earlier backup today: first of the databases' sizes (the files grow
    // in whole pages), then of other sizes.
    std::string sameSize[2] = {SampleDatabase(0), SampleDatabase(1)};
    sameSize[0][4096] ^= 1;
    sameSize[1][8192] ^= 1;
    std::string otherSize[2] = {SampleDatabase(0, 1), SampleDatabase(1, 1)};
    TButton* ano = form->Button1;
    for (std::string* older : {sameSize, otherSize}) {
        WriteFile(target + "\\KX40Storage.GDB", older[0]);
        WriteFile(target + "\\KX60Storage.GDB", older[1]);
        PickerDriver declining({PickerAnswer::Choosing(scratch.Path())}, IDNO);
        ASSERT_TRUE(guitest::Click(ano));
        EXPECT_EQ(form->shtBackupFailed, Page());
        EXPECT_EQ(2u, declining.OtherBoxes().size());  // one replace question per database
        EXPECT_TRUE(ReadFile(target + "\\KX40Storage.GDB") == older[0]);
        EXPECT_TRUE(ReadFile(target + "\\KX60Storage.GDB") == older[1]);
        EXPECT_EQ(Today() - 40, RecordedDay("LongPeriodLast"));
        ano = form->Button4;
    }
    PickerDriver accepting({PickerAnswer::Choosing(scratch.Path())});
    ASSERT_TRUE(guitest::Click(ano));
    EXPECT_EQ(form->shtBackupSuccess, Page());
    EXPECT_EQ(2u, accepting.OtherBoxes().size());
    EXPECT_TRUE(ReadFile(target + "\\KX40Storage.GDB") == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(target + "\\KX60Storage.GDB") == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
}

TEST_F(QuestionWindow, NeAndUkoncitCloseTheWindow)
{
    ASSERT_TRUE(guitest::Click(form->Button2));
    EXPECT_FALSE(IsWindowVisible(form->Handle));

    TForm2 failed(nullptr);
    failed.Show();
    failed.PageControl1->ActivePage = failed.shtBackupFailed;
    ASSERT_TRUE(guitest::Click(failed.Button5));
    EXPECT_FALSE(IsWindowVisible(failed.Handle));

    TForm2 done(nullptr);
    done.Show();
    done.PageControl1->ActivePage = done.shtBackupSuccess;
    ASSERT_TRUE(guitest::Click(done.Button3));
    EXPECT_FALSE(IsWindowVisible(done.Handle));
}

TEST(QuestionWindowLoop, AsTheMainWindowItsNeEndsTheMessageLoop)
{
    Application->CreateForm(Form2);
    ASSERT_EQ(Form2, Application->MainForm());
    PostMessageA(Form2->Button2->Handle, BM_CLICK, 0, 0);
    Application->Run();
    EXPECT_EQ(nullptr, Application->MainForm());

    // The close box on the success page ends it as well.
    Application->CreateForm(Form2);
    Form2->Show();
    Form2->PageControl1->ActivePage = Form2->shtBackupSuccess;
    PostMessageA(Form2->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    Application->Run();
    EXPECT_EQ(nullptr, Application->MainForm());
}

TEST_F(QuestionWindow, Screenshots)
{
    const std::string folder = guitest::WindowsPath(TABULON_SCREENSHOT_DIR);
    for (TTabSheet* page : {form->shtBackupRequest, form->shtBackupSuccess, form->shtBackupFailed}) {
        form->PageControl1->ActivePage = page;
        guitest::Pump();
        char name[64];
        std::snprintf(name, sizeof name, "\\obrunt-%d.png", page == form->shtBackupRequest ? 1 : page == form->shtBackupSuccess ? 2 : 3);
        EXPECT_TRUE(guitest::SaveWindowPng(form->Handle, folder + name));
    }
}
