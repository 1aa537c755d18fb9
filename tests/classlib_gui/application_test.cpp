// The application object: exception box, the loop going on after a handler failed, showing,
// closing, message boxes, the common controls from the manifest.
#include "BoxCatcher.h"
#include "GuiTesting.h"
#include "SampleForm.h"

#include "FormatSettings.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using guitest::BoxCatcher;
using guitest::BoxIcon;
using guitest::Ansi;

TEST(ExceptionBox, AddsAFullStopOnlyAfterCharactersThatSortAfterIt)
{
    Application->Title = Ansi(u8"Zkušební titul");
    struct Case
    {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Chyba", "Chyba."},
        {"Hotovo.", "Hotovo."},
        {"Pozor!", "Pozor!"},            // '!' sorts before '.'
        {"cesta a/", "cesta a/."},       // '/' sorts right after '.'
        {"Soubor \xC8", "Soubor \xC8."}, // a Czech letter is a byte above 0x7F, not a negative char
        {"", ""},
        {"1,5", "1,5."},
        {"x,", "x,"},
    };
    for (const Case& c : cases) {
        BoxCatcher boxes;
        Application->ShowException(Exception(c.message));
        ASSERT_EQ(1u, boxes.Count()) << c.message;
        EXPECT_EQ(c.shown, boxes[0].Text);
        EXPECT_EQ(Ansi(u8"Zkušební titul"), boxes[0].Caption);
        EXPECT_EQ(BoxIcon::Stop, boxes[0].Icon) << guitest::IconName(boxes[0].Icon);
        EXPECT_EQ(std::vector<int>{IDOK}, boxes[0].Buttons);
    }
    Application->Title = "Tabulon test";
}

TEST(ExceptionBox, ForeignExceptionsShowTheGenericTextNeverTheirOwn)
{
    BoxCatcher boxes;
    try {
        throw std::runtime_error("secret detail of another library");
    } catch (...) {
        Application->ShowCurrentException();
    }
    try {
        throw 42;
    } catch (...) {
        Application->ShowCurrentException();
    }
    try {
        throw ERegistryException("Invalid data type for 'Path'");
    } catch (...) {
        Application->ShowCurrentException();
    }
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_EQ(ForeignExceptionText, boxes[0].Text);
    EXPECT_EQ(ForeignExceptionText, boxes[1].Text);
    // Derived classes keep their text; a closing quote sorts before "." and gets no full stop.
    EXPECT_EQ("Invalid data type for 'Path'", boxes[2].Text);
}

TEST(MessageLoop, AnExceptionInAClickHandlerEndsThatHandlerOnly)
{
    TSampleForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_EQ(form, Application->MainForm());
    auto reached = std::make_shared<int>(0);
    form->onSearch = [reached] {
        ++*reached;
        throw Exception(Ansi(u8"Hledání selhalo"));
    };
    // A failing click queued for the loop; the close follows once its box is dismissed (posted
    // earlier, the box's own loop would handle it, as the operator never could).
    PostMessageA(form->btnSearch->Handle, BM_CLICK, 0, 0);
    HWND close = form->btnClose->Handle;
    BoxCatcher boxes([close](const guitest::CaughtBox&) {
        PostMessageA(close, BM_CLICK, 0, 0);
        return IDOK;
    });
    Application->Run();

    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(Ansi(u8"Hledání selhalo."), boxes[0].Text);
    EXPECT_EQ(1, *reached);
    // The close was handled after the failure, and Run destroyed the form it made.
    EXPECT_EQ(nullptr, Application->MainForm());
    EXPECT_TRUE(Application->Terminated());
}

TEST(MessageLoop, AForeignExceptionInAHandlerShowsTheGenericText)
{
    TSampleForm* form = nullptr;
    Application->CreateForm(form);
    form->onSearch = [] { throw std::out_of_range("vector::at"); };
    HWND search = form->btnSearch->Handle;
    HWND close = form->btnClose->Handle;
    PostMessageA(search, BM_CLICK, 0, 0);
    int seen = 0;
    BoxCatcher boxes([&seen, search, close](const guitest::CaughtBox&) {
        PostMessageA(++seen == 1 ? search : close, BM_CLICK, 0, 0);
        return IDOK;
    });
    Application->Run();
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(ForeignExceptionText, boxes[0].Text);
    EXPECT_EQ(ForeignExceptionText, boxes[1].Text);
}

TEST(MessageLoop, OnShowRunsOnceAndAFailureThereLetsTheShowingGoOn)
{
    TSampleForm form(nullptr);
    form.onShow = [] { throw Exception(Ansi(u8"Databáze nenalezena")); };
    {
        BoxCatcher boxes;
        form.Show();
        guitest::Pump();
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(Ansi(u8"Databáze nenalezena."), boxes[0].Text);
    }
    EXPECT_EQ(1, form.shows);
    EXPECT_TRUE(IsWindowVisible(form.Handle));
    // The form works on: its buttons still answer.
    EXPECT_TRUE(guitest::Click(form.btnSearch));
    EXPECT_EQ(1, form.searchClicks);
    form.Show();
    EXPECT_EQ(1, form.shows);
}

TEST(MessageLoop, ProcessMessagesHandlesWhatIsWaitingAndReturns)
{
    guitest::ShownForm<TSampleForm> form;
    PostMessageA(form->btnSearch->Handle, BM_CLICK, 0, 0);
    PostMessageA(form->btnSearch->Handle, BM_CLICK, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(2, form->searchClicks);
}

TEST(Closing, EveryCloseRequestAsksOnCloseQuery)
{
    guitest::ShownForm<TSampleForm> form;
    form->allowClose = false;
    SendMessageA(form->Handle, WM_CLOSE, 0, 0);  // the close box and Alt+F4 end here
    form->Close();
    guitest::Click(form->btnClose);
    EXPECT_EQ(3, form->closeQueries);
    EXPECT_TRUE(IsWindowVisible(form->Handle));

    form->allowClose = true;
    SendMessageA(form->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    guitest::Pump();
    EXPECT_EQ(4, form->closeQueries);
    EXPECT_FALSE(IsWindowVisible(form->Handle));
    // Not the main form: the application's loop is not asked to end.
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(Closing, ClosingTheMainFormEndsTheLoopFromOnShow)
{
    // As the browser does without databases: a box in OnShow, then Close.
    TSampleForm* form = nullptr;
    Application->CreateForm(form);
    form->onShow = [form] {
        Application->MessageBox(Ansi(u8"Nebyly nalezeny žádné datové soubory.\nAplikace bude ukončena."),
                                "Informace", MB_OK | MB_ICONEXCLAMATION);
        form->Close();
    };
    BoxCatcher boxes;
    Application->Run();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Informace", boxes[0].Caption);
    EXPECT_EQ(BoxIcon::Exclamation, boxes[0].Icon);
    EXPECT_EQ(nullptr, Application->MainForm());
}

TEST(MessageBoxes, AreOwnedByTheActiveFormAndReturnThePressedButton)
{
    guitest::ShownForm<TSampleForm> form;
    HWND active = GetActiveWindow();
    EXPECT_EQ(form->Handle(), active);
    {
        BoxCatcher boxes;
        EXPECT_EQ(IDOK, Application->MessageBox(Ansi(u8"Nepodařilo se vytvořit soubor protokolu."), "Chyba",
                                                MB_ICONEXCLAMATION));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(Ansi(u8"Nepodařilo se vytvořit soubor protokolu."), boxes[0].Text);
        EXPECT_EQ("Chyba", boxes[0].Caption);
        EXPECT_EQ(BoxIcon::Exclamation, boxes[0].Icon);
        EXPECT_EQ(active, boxes[0].Owner);
        EXPECT_EQ(std::vector<int>{IDOK}, boxes[0].Buttons);
    }
    {
        BoxCatcher boxes([](const guitest::CaughtBox&) { return IDNO; });
        EXPECT_EQ(IDNO, Application->MessageBoxA(Ansi(u8"Pokračovat?"), Ansi(u8"Otázka"), MB_YESNO | MB_ICONQUESTION));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(BoxIcon::Question, boxes[0].Icon);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO}), boxes[0].Buttons);
    }
    {
        // A catcher asked for no button, or for one the box lacks, presses one it has.
        BoxCatcher boxes([](const guitest::CaughtBox&) { return IDCANCEL; });
        EXPECT_EQ(IDYES, Application->MessageBox("?", "", MB_YESNO));
    }
    {
        BoxCatcher boxes;
        Application->ShowMessageBox(Ansi(u8"Tiskový modul hlásí chybu"), "Chyba", MB_ICONSTOP);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(BoxIcon::Stop, boxes[0].Icon);
    }
}

TEST(Manifest, CommonControlsComeFromTheSideBySideStore)
{
    const std::string path = guitest::CommonControlsPath();
    EXPECT_NE(std::string::npos, path.find("\\winsxs\\")) << path;
}

TEST(RegionalSettings, ASettingChangeReachingTheMainFormReloadsThem)
{
    char saved[80] = {};
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, sizeof saved), 0);
    const AnsiString before = FormatSettings().ShortDateFormat;
    TSampleForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, "yyyy/MM/dd"));
    EXPECT_EQ(before, FormatSettings().ShortDateFormat);  // read again only when told
    SendMessageA(form->Handle, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_EQ("yyyy/MM/dd", FormatSettings().ShortDateFormat);
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
    SendMessageA(form->Handle, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_EQ(AnsiString(saved), FormatSettings().ShortDateFormat);
    delete form;
}
