// The question window: its pages as drawn, and as the operator goes through them.
#include "frmBckMain.h"
#include "ObruntTesting.h"

#include "DateFormat.h"
#include "DateTime.h"
#include "GuiTesting.h"
#include "Screenshot.h"
#include "WinePaths.h"

#include <gtest/gtest.h>
#include <vector>

using namespace obtest;
using guitest::Ansi;

namespace {

std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class QuestionWindow : public PrefixStateTest
{
protected:
    void SetUp() override
    {
        PrefixStateTest::SetUp();
        form = new TForm2(nullptr);
        form->Show();
        guitest::Pump();
    }
    void TearDown() override
    {
        delete form;
        PrefixStateTest::TearDown();
    }

    TTabSheet* Page() const { return form->PageControl1->ActivePage; }

    TForm2* form = nullptr;
    ScratchFolder scratch{"window"};
};

}  // namespace

TEST_F(QuestionWindow, EachPageCarriesItsControlsAndTheirTextsFit)
{
    const struct
    {
        TControl* control;
        TTabSheet* page;
        const char* text;  // null: an image
    } controls[] = {
        {form->Image1, form->shtBackupRequest, nullptr},
        {form->Label1, form->shtBackupRequest, u8"Je vhodné provést zálohu dat emisních zařízení."},
        {form->Label6, form->shtBackupRequest, u8"Použijte prosím externí úložiště (USB Flash disk)"},
        {form->Label2, form->shtBackupRequest, u8"Chcete ji nyní spustit ?"},
        {form->Button1, form->shtBackupRequest, u8"Ano"},
        {form->Button2, form->shtBackupRequest, u8"Ne"},
        {form->Image2, form->shtBackupSuccess, nullptr},
        {form->Label3, form->shtBackupSuccess, u8"Zálohování úspěšně dokončeno"},
        {form->Button3, form->shtBackupSuccess, u8"Ukončit"},
        {form->Image3, form->shtBackupFailed, nullptr},
        {form->Label4, form->shtBackupFailed, u8"Zálohu dat emisních zařízení se nepodařila"},
        {form->Label5, form->shtBackupFailed, u8"Chcete ji opětovně spustit ?"},
        {form->Button4, form->shtBackupFailed, u8"Ano"},
        {form->Button5, form->shtBackupFailed, u8"Ne"},
    };
    for (const auto& e : controls) {
        ASSERT_NE(nullptr, e.control);
        SCOPED_TRACE(e.text ? Ansi(e.text) : std::string("an image"));
        EXPECT_EQ(e.page, e.control->Parent());
        if (!e.text)
            continue;
        const std::string text = WindowText(e.control->Handle);
        EXPECT_EQ(Ansi(e.text), text);
        EXPECT_TRUE(guitest::TextFits(e.control->Handle, text));
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
    PutBothDatabases();
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

TEST_F(QuestionWindow, EveryPageDrawsItsPictureTextsAndButtons)
{
    // The pictures are kept for looking at: build/win/screenshots/obrunt-1.png to -3.png.
    const std::string folder = support::WindowsPath(TABULON_SCREENSHOT_DIR);
    const struct
    {
        TTabSheet* page;
        const char* file;
        TImage* image;
        std::vector<TLabel*> labels;
        std::vector<TButton*> buttons;
    } pages[] = {
        {form->shtBackupRequest, "\\obrunt-1.png", form->Image1, {form->Label1, form->Label6, form->Label2},
         {form->Button1, form->Button2}},
        {form->shtBackupSuccess, "\\obrunt-2.png", form->Image2, {form->Label3}, {form->Button3}},
        {form->shtBackupFailed, "\\obrunt-3.png", form->Image3, {form->Label4, form->Label5},
         {form->Button4, form->Button5}},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.file);
        form->PageControl1->ActivePage = p.page;
        guitest::Pump();
        guitest::WindowPicture picture;
        ASSERT_TRUE(guitest::TakePicture(form->Handle, picture));
        EXPECT_TRUE(guitest::SavePng(picture, folder + p.file));
        EXPECT_TRUE(picture.ShowsSomethingIn(p.image->Handle));
        for (TLabel* label : p.labels) {
            // Where the label's text goes.
            const SIZE extent = guitest::TextExtent(label->Handle, label->Caption());
            EXPECT_TRUE(picture.ShowsSomethingIn(label->Handle, {0, 0, extent.cx, extent.cy}))
                << WindowText(label->Handle);
        }
        for (TButton* button : p.buttons) {
            // Inside the border and the focus frame: the caption.
            RECT caption;
            GetClientRect(button->Handle, &caption);
            InflateRect(&caption, -8, -8);
            EXPECT_TRUE(picture.ShowsSomethingIn(button->Handle, caption)) << WindowText(button->Handle);
        }
    }
}
