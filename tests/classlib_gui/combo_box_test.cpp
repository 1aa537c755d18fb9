// The combo box: its item list (clearing, whole-text search, appending) and the completion of
// typed text.
#include "GuiTesting.h"
#include "SampleForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using guitest::Ansi;

namespace {

class ComboBox : public SampleFormTest
{
protected:
    TComboBox* const box = form->cbProtNum;

    void Fill(std::initializer_list<const char*> utf8Entries)
    {
        for (const char* entry : utf8Entries)
            box->Items->Add(Ansi(entry));
    }

    // The edit field's selection as [start, end).
    std::pair<DWORD, DWORD> Selection() const
    {
        DWORD start = 0, end = 0;
        SendMessageA(box->EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    AnsiString Text() const { return box->Text; }
};

}  // namespace

TEST_F(ComboBox, ClearingTheListKeepsTheEditText)
{
    Fill({u8"A-100", u8"B-200"});
    box->Text = Ansi(u8"ručně psaný text");
    box->Items->Clear();
    EXPECT_EQ(0, box->Items->Count);
    EXPECT_EQ(Ansi(u8"ručně psaný text"), Text());
    // Also when the text was picked from the list.
    Fill({u8"C-300"});
    SendMessageA(box->Handle, CB_SETCURSEL, 0, 0);
    EXPECT_EQ("C-300", Text());
    box->Items->Clear();
    EXPECT_EQ(0, box->Items->Count);
    EXPECT_EQ("C-300", Text());
}

TEST_F(ComboBox, AppendingKeepsTheOrderAndTheSpelling)
{
    Fill({u8"zeta", u8"Alfa", u8"Škoda"});
    ASSERT_EQ(3, box->Items->Count);
    EXPECT_EQ("zeta", box->Items->Strings[0]);
    EXPECT_EQ("Alfa", (*box->Items)[1]);
    EXPECT_EQ(Ansi(u8"Škoda"), box->Items->Strings[2]);
    EXPECT_THROW(box->Items->Strings[3], Exception);
    EXPECT_EQ(18, box->ItemHeight);
}

TEST_F(ComboBox, WholeTextSearchIgnoresLetterCase)
{
    Fill({u8"Skoda", u8"ŠKODA", u8"Ford Focus"});
    EXPECT_EQ(0, box->Items->IndexOf("SKODA"));
    EXPECT_EQ(0, box->Items->IndexOf("skoda"));
    EXPECT_EQ(2, box->Items->IndexOf("ford focus"));
    EXPECT_EQ(-1, box->Items->IndexOf("Ford"));          // a prefix is not the whole text
    EXPECT_EQ(-1, box->Items->IndexOf("Ford Focus "));   // nor is a longer text
    EXPECT_EQ(1, box->Items->IndexOf(Ansi(u8"škoda")));  // the control folds Czech letters too
}

TEST_F(ComboBox, ARefusedEntryRaisesUnableToInsertALine)
{
    // The control runs out of room: stand in for it by answering CB_ADDSTRING with CB_ERRSPACE.
    struct Refuse
    {
        static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR)
        {
            return m == CB_ADDSTRING ? CB_ERRSPACE : DefSubclassProc(w, m, wp, lp);
        }
    };
    Fill({u8"first"});
    ASSERT_TRUE(SetWindowSubclass(box->Handle, Refuse::Proc, 77, 0));
    try {
        box->Items->Add("second");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ("Unable to insert a line", e.Message);
    }
    RemoveWindowSubclass(box->Handle, Refuse::Proc, 77);
    EXPECT_EQ(1, box->Items->Count);
}

TEST_F(ComboBox, TypingCompletesFromTheFirstMatchingEntryAndSelectsTheRest)
{
    Fill({u8"KX-1000", u8"KX-2000", u8"Ford"});
    guitest::TypeText(box, "kx-2");
    EXPECT_EQ("kx-2000", Text());  // typed characters stay as typed
    EXPECT_EQ((std::pair<DWORD, DWORD>{4, 7}), Selection());
    // The next key replaces the selected rest and completes again.
    guitest::TypeText(box, "0");
    EXPECT_EQ("kx-2000", Text());
    EXPECT_EQ((std::pair<DWORD, DWORD>{5, 7}), Selection());

    box->Text = "";
    guitest::TypeText(box, "k");
    EXPECT_EQ("kX-1000", Text());  // the first entry that matches wins
    EXPECT_EQ((std::pair<DWORD, DWORD>{1, 7}), Selection());
}

TEST_F(ComboBox, CompletionFoldsCzechLetters)
{
    Fill({u8"Čížek Jan", u8"Šťastný Petr"});
    guitest::TypeText(box, Ansi(u8"čí"));
    EXPECT_EQ(Ansi(u8"čížek Jan"), Text());
    EXPECT_EQ((std::pair<DWORD, DWORD>{2, 9}), Selection());
    box->Text = "";
    guitest::TypeText(box, Ansi(u8"ŠŤ"));
    EXPECT_EQ(Ansi(u8"ŠŤastný Petr"), Text());
}

TEST_F(ComboBox, NoCompletionWhereItWouldSurpriseTheOperator)
{
    Fill({u8"Ford Focus", u8"Ford"});
    // Nothing matches: the text stays as typed.
    guitest::TypeText(box, "Opel");
    EXPECT_EQ("Opel", Text());
    EXPECT_EQ((std::pair<DWORD, DWORD>{4, 4}), Selection());

    // Backspace removes the selected rest and completes nothing.
    box->Text = "";
    guitest::TypeText(box, "For");
    ASSERT_EQ("Ford Focus", Text());
    guitest::PressKey(box, VK_BACK);
    EXPECT_EQ("For", Text());
    guitest::PressKey(box, VK_BACK);
    EXPECT_EQ("Fo", Text());

    // Delete neither.
    guitest::TypeText(box, "r");
    ASSERT_EQ("Ford Focus", Text());
    guitest::PressKey(box, VK_DELETE);
    EXPECT_EQ("For", Text());

    // A whole entry typed: nothing to add, nothing selected.
    box->Text = "";
    guitest::TypeText(box, "ford focus");
    EXPECT_EQ("ford focus", Text());
    EXPECT_EQ((std::pair<DWORD, DWORD>{10, 10}), Selection());

    // Typing in the middle of the text leaves the rest alone.
    box->Text = "Frd";
    SendMessageA(box->EditHandle(), EM_SETSEL, 1, 1);
    guitest::TypeText(box, "o");
    EXPECT_EQ("Ford", Text());
    EXPECT_EQ((std::pair<DWORD, DWORD>{2, 2}), Selection());
}

TEST_F(ComboBox, CompletionCanBeSwitchedOff)
{
    Fill({u8"Ford Focus"});
    box->AutoComplete = false;
    guitest::TypeText(box, "Fo");
    EXPECT_EQ("Fo", Text());
}
