// The search window as made from its description: what the description alone does not make
// sure of. Which window each control belongs to, what lies over what, the order of the Tab key,
// and texts that fit their controls. (That a description's bounds, fonts and styles reach the
// controls is the class library's to show, in tests/classlib_gui.)
#include "KelvarTesting.h"

#include "GuiTesting.h"
#include "Screenshot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>

using guitest::Ansi;
using guitest::TextExtent;
using guitest::TextFits;
using kelvartest::Window;

TEST(Layout, InputsBelongToTheWindowOverThePagesAndEachSheetCarriesItsLabels)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    // Children of the window itself, not of a sheet: one set of inputs for both models.
    for (TControl* input : std::initializer_list<TControl*>{
             f.chxFrom, f.dpFrom, f.chxTo, f.dpTo, f.cbProtNum, f.cbVIN, f.cbRegPlate,
             f.cbCarMark, f.cbCarModel, f.cbOwner, f.btnSearch, f.lvProtocols, f.btnPrint,
             f.btnClose, f.pcApplications, f.Image2})
        EXPECT_EQ(static_cast<HWND>(f.Handle), GetParent(input->Handle));
    // The inputs lie over the page control, which is at the bottom.
    EXPECT_EQ(nullptr, GetWindow(f.pcApplications->Handle, GW_HWNDNEXT));

    // Each sheet shows the same eight labels, its own.
    const struct
    {
        TLabel* onKX40;
        TLabel* onKX60;
        const char* text;
    } labels[] = {
        {f.Label13, f.Label16, u8"Datum protokolu od"},
        {f.Label14, f.Label15, u8"Datum protokolu do"},
        {f.Label1, f.Label7, u8"Číslo protokolu"},
        {f.Label3, f.Label10, u8"VIN"},
        {f.Label2, f.Label11, u8"Registrační značka"},
        {f.Label4, f.Label8, u8"Značka vozidla"},
        {f.Label5, f.Label9, u8"Model vozidla"},
        {f.Label6, f.Label12, u8"Majitel"},
    };
    for (const auto& e : labels) {
        SCOPED_TRACE(e.text);
        for (auto [label, sheet] : {std::pair{e.onKX40, f.shtKX40}, std::pair{e.onKX60, f.shtKX60}}) {
            EXPECT_EQ(static_cast<HWND>(sheet->Handle), GetParent(label->Handle));
            EXPECT_EQ(Ansi(e.text), label->Caption());
        }
    }
}

TEST(Layout, TabGoesThroughTheInputsInTheirOrder)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    // On the screen without FormShow (which wants the databases), every input enabled, so that
    // the Tab key passes none over.
    ShowWindow(f.Handle, SW_SHOW);
    f.btnPrint->Enabled = true;
    f.dpFrom->Enabled = true;
    f.dpTo->Enabled = true;
    guitest::Pump();

    const HWND order[] = {f.lvProtocols->Handle(), f.btnPrint->Handle(),
                          f.pcApplications->TabsHandle(), f.cbProtNum->Handle(),
                          f.cbCarMark->Handle(), f.cbCarModel->Handle(), f.cbOwner->Handle(),
                          f.btnSearch->Handle(), f.cbVIN->Handle(), f.cbRegPlate->Handle(),
                          f.dpTo->Handle(), f.dpFrom->Handle(), f.chxFrom->Handle(),
                          f.chxTo->Handle(), f.btnClose->Handle(), f.lvProtocols->Handle()};
    SetFocus(f.btnClose->Handle);
    for (size_t step = 0; step < std::size(order); ++step) {
        ASSERT_TRUE(f.SelectNext(true));
        const HWND focus = GetFocus();
        EXPECT_TRUE(focus == order[step] || IsChild(order[step], focus)) << "Tab " << step + 1;
    }
}

TEST(Layout, TextsFitTheirControls)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    for (TLabel* label : {f.Label1, f.Label2, f.Label3, f.Label4, f.Label5, f.Label6, f.Label7,
                          f.Label8, f.Label9, f.Label10, f.Label11, f.Label12, f.Label13,
                          f.Label14, f.Label15, f.Label16})
        EXPECT_TRUE(TextFits(label->Handle, label->Caption())) << label->Caption();
    for (TButton* button : {f.btnSearch, f.btnPrint, f.btnClose})
        EXPECT_TRUE(TextFits(button->Handle, button->Caption())) << button->Caption();

    // The column captions in the header's font, within their columns.
    HWND list = f.lvProtocols->Handle;
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_EQ(4, f.lvProtocols->Columns->Count);
    for (int i = 0; i < 4; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        SCOPED_TRACE(text);
        EXPECT_GT(std::string(text).size(), 0u);
        EXPECT_LE(TextExtent(header, text).cx, SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
    }
}

TEST(Manifest, CommonControlsSixComeFromTheSideBySideStore)
{
    // This program carries kelvar's own resources, the manifest included.
    Window window(Window::NotShown);
    const std::string path = guitest::CommonControlsPath();
    EXPECT_NE(std::string::npos, path.find("\\winsxs\\x86_microsoft.windows.common-controls_6")) << path;
}
