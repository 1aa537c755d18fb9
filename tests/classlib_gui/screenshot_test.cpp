// A picture of the sample form with every control kind, for looking at the Czech texts and the
// layout: build/.../tests/classlib_gui/screenshots/classlib-sample-form.png.
#include "GuiTesting.h"
#include "SampleForm.h"
#include "Screenshot.h"
#include "WinePaths.h"

#include <gtest/gtest.h>

#include <string>

using guitest::Ansi;

TEST(Screenshot, SampleFormWithEveryControlKind)
{
    TSampleForm form(nullptr);
    form.Show();
    guitest::Pump();
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

    const std::string path = std::string(TABULON_SCREENSHOT_DIR) + "/classlib-sample-form.png";
    ASSERT_TRUE(guitest::SaveWindowPng(form.Handle, support::WindowsPath(path)));
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    ASSERT_TRUE(GetFileAttributesExA(support::WindowsPath(path).c_str(), GetFileExInfoStandard, &file));
    EXPECT_GT(file.nFileSizeLow, 2000u);
}
