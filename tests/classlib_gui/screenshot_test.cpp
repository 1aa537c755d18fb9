// The sample form as drawn: every control kind shows its text or picture. The picture is kept
// for looking at the Czech texts and the layout: build/win/screenshots/classlib-sample-form.png.
#include "GuiTesting.h"
#include "SampleForm.h"
#include "Screenshot.h"
#include "WinePaths.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using guitest::Ansi;

TEST(Screenshot, EveryControlKindOfTheSampleFormIsDrawn)
{
    guitest::ShownForm<TSampleForm> shown;
    TSampleForm& form = *shown;
    form.cbProtNum->Items->Add(Ansi(u8"Čížek Jan"));
    guitest::TypeText(form.cbProtNum, Ansi(u8"čí"));
    guitest::Click(form.chxFrom);
    form.dpFrom->Date = EncodeDate(2016, 6, 3);
    const char* owners[] = {u8"Šťastný Petr", u8"Žlutý Kůň s.r.o.", u8"Řehoř Ďurďa"};
    for (int i = 0; i < 3; ++i) {
        TListItem* item = form.lvProtocols->Items->Add();
        item->Caption = "3.6.2016 1" + std::to_string(i) + ":15:00";
        item->SubItems->Add("2016-" + std::to_string(100 + i));
        item->SubItems->Add("TMBJJ7NE" + std::to_string(4000 + i));
        item->SubItems->Add(Ansi(owners[i]));
    }
    form.lvProtocols->Items->Item[1]->Selected = true;

    guitest::WindowPicture picture;
    ASSERT_TRUE(guitest::TakePicture(form.Handle, picture));
    const std::string path = std::string(TABULON_SCREENSHOT_DIR) + "/classlib-sample-form.png";
    EXPECT_TRUE(guitest::SavePng(picture, support::WindowsPath(path)));

    // Texts and pictures, each where nothing but its background would be without it.
    // Where the label's text goes (its box reaches under the combo box beside it).
    const SIZE label = guitest::TextExtent(form.lblSecond->Handle, form.lblSecond->Caption());
    EXPECT_TRUE(picture.ShowsSomethingIn(form.lblSecond->Handle, {0, 0, label.cx, label.cy}));
    EXPECT_TRUE(picture.ShowsSomethingIn(form.imgIcon->Handle));
    EXPECT_TRUE(picture.ShowsSomethingIn(form.imgAlpha->Handle));
    EXPECT_TRUE(picture.ShowsSomethingIn(form.imgKeyed->Handle));
    EXPECT_TRUE(picture.ShowsSomethingIn(form.cbProtNum->EditHandle()));
    EXPECT_TRUE(picture.ShowsSomethingIn(form.chxFrom->Handle));
    for (TButton* button : {form.btnSearch, form.btnClose}) {
        // Inside the border and the focus frame: the caption.
        RECT caption = {};
        GetClientRect(button->Handle, &caption);
        InflateRect(&caption, -8, -8);
        EXPECT_TRUE(picture.ShowsSomethingIn(button->Handle, caption)) << button->Caption();
    }
    // The date picker's text, left of its drop-down button.
    RECT date = {};
    GetClientRect(form.dpFrom->Handle, &date);
    date.right /= 2;
    EXPECT_TRUE(picture.ShowsSomethingIn(form.dpFrom->Handle, date));
    // A tab of the strip, and the list's lines.
    HWND tabs = form.pcPages->TabsHandle();
    RECT tab = {};
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab)));
    EXPECT_TRUE(picture.ShowsSomethingIn(tabs, tab));
    HWND list = form.lvProtocols->Handle;
    for (int line = 0; line < 3; ++line) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, line, reinterpret_cast<LPARAM>(&bounds)));
        EXPECT_TRUE(picture.ShowsSomethingIn(list, bounds)) << "line " << line;
    }
}
