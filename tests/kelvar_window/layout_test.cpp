// The search window as made from its description, before it is shown: geometry, fonts, tab
// order, control styles and the fields after construction.
#include "KelvarTesting.h"

#include "GuiTesting.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using guitest::Ansi;
using kelvartest::Window;
using A = TfrmSearchMainTestAccess;

namespace {

// A window's rectangle in the client coordinates of another window.
RECT RectIn(HWND window, HWND reference)
{
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTA FontOf(HWND window)
{
    LOGFONTA font = {};
    auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof font, &font);
    return font;
}

std::string Describe(const LOGFONTA& f)
{
    return std::string(f.lfFaceName) + " " + std::to_string(f.lfHeight) + " charset " +
           std::to_string(f.lfCharSet) + " weight " + std::to_string(f.lfWeight);
}

std::string Describe(HWND window)
{
    return Describe(FontOf(window));
}

LONG StyleOf(HWND window)
{
    return GetWindowLongA(window, GWL_STYLE);
}

}  // namespace

TEST(Layout, FieldsAfterConstruction)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    EXPECT_EQ(0, A::sortColumn(f));
    EXPECT_EQ(1, A::sortState(f));
    EXPECT_FALSE(A::dbKX40(f));
    EXPECT_FALSE(A::dbKX60(f));
    EXPECT_FALSE(A::currentDb(f));
    EXPECT_EQ(0, A::currentModel(f));
    EXPECT_EQ(nullptr, A::hPrintKX40(f));
    EXPECT_EQ(nullptr, A::hPrintKX60(f));
    EXPECT_EQ(nullptr, A::PrintProtocolKX40(f));
    EXPECT_EQ(nullptr, A::PrintProtocolKX60(f));
    EXPECT_EQ(nullptr, A::GetLastErrorMsgKX40(f));
    EXPECT_EQ(nullptr, A::GetLastErrorMsgKX60(f));
}

TEST(Layout, WindowFrame)
{
    Window window(Window::NotShown);
    HWND form = window->Handle;
    char caption[64] = {};
    GetWindowTextA(form, caption, sizeof caption);
    EXPECT_STREQ("Tabulon", caption);
    RECT client = {};
    GetClientRect(form, &client);
    EXPECT_EQ(891, client.right);
    EXPECT_EQ(678, client.bottom);
    // A fixed dialogue frame: no sizing border, no maximise box.
    EXPECT_EQ(0, StyleOf(form) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    EXPECT_NE(0, StyleOf(form) & WS_CAPTION);
    // Centred on the desktop.
    RECT frame = {};
    GetWindowRect(form, &frame);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (frame.left + frame.right) / 2, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (frame.top + frame.bottom) / 2, 1);
}

TEST(Layout, ControlsOfTheWindowLieWhereDesignedInTabOrder)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    struct Expected
    {
        TControl* control;
        const char* name;
        int left, top, width, height;
        int tabOrder;
    };
    // Combo boxes: their closed field decides the height, so only position and width count.
    const Expected table[] = {
        {f.chxFrom, "chxFrom", 22, 62, 16, 17, 12},
        {f.dpFrom, "dpFrom", 192, 57, 240, 26, 11},
        {f.chxTo, "chxTo", 460, 62, 17, 17, 13},
        {f.dpTo, "dpTo", 626, 57, 240, 26, 10},
        {f.cbProtNum, "cbProtNum", 192, 100, 240, -1, 3},
        {f.cbVIN, "cbVIN", 192, 142, 240, -1, 8},
        {f.cbRegPlate, "cbRegPlate", 192, 187, 240, -1, 9},
        {f.cbCarMark, "cbCarMark", 626, 100, 240, -1, 4},
        {f.cbCarModel, "cbCarModel", 626, 142, 240, -1, 5},
        {f.cbOwner, "cbOwner", 626, 187, 240, -1, 6},
        {f.btnSearch, "btnSearch", 735, 227, 131, 49, 7},
        {f.lvProtocols, "lvProtocols", 22, 295, 844, 209, 0},
        {f.btnPrint, "btnPrint", 735, 516, 131, 49, 1},
        {f.btnClose, "btnClose", 388, 614, 131, 49, 14},
        {f.pcApplications, "pcApplications", 8, 39, 875, 569, 2},
        {f.Image2, "Image2", 761, 7, 122, 29, -1},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.name);
        HWND handle = e.control->Handle;
        // Children of the window itself, not of a sheet: one set of inputs for both models.
        EXPECT_EQ(static_cast<HWND>(f.Handle), GetParent(handle));
        RECT r = RectIn(handle, f.Handle);
        EXPECT_EQ(e.left, r.left);
        EXPECT_EQ(e.top, r.top);
        EXPECT_EQ(e.width, r.right - r.left);
        if (e.height > 0) {
            EXPECT_EQ(e.height, r.bottom - r.top);
        }
        EXPECT_EQ(e.tabOrder, e.control->TabOrder);
    }
    // The inputs lie above the page control.
    HWND below = f.pcApplications->Handle;
    EXPECT_EQ(nullptr, GetWindow(below, GW_HWNDNEXT));
}

TEST(Layout, EachSheetCarriesItsEightLabels)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    struct Expected
    {
        TLabel* onKX40;
        TLabel* onKX60;
        const char* text;
        int left, top;
    };
    const Expected table[] = {
        {f.Label13, f.Label16, u8"Datum protokolu od", 32, 18},
        {f.Label14, f.Label15, u8"Datum protokolu do", 474, 18},
        {f.Label1, f.Label7, u8"Číslo protokolu", 12, 60},
        {f.Label3, f.Label10, u8"VIN", 12, 102},
        {f.Label2, f.Label11, u8"Registrační značka", 12, 147},
        {f.Label4, f.Label8, u8"Značka vozidla", 450, 60},
        {f.Label5, f.Label9, u8"Model vozidla", 450, 102},
        {f.Label6, f.Label12, u8"Majitel", 450, 147},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.text);
        for (auto [label, sheet] : {std::pair{e.onKX40, f.shtKX40}, std::pair{e.onKX60, f.shtKX60}}) {
            EXPECT_EQ(static_cast<HWND>(sheet->Handle), GetParent(label->Handle));
            EXPECT_EQ(Ansi(e.text), label->Caption());
            RECT r = RectIn(label->Handle, sheet->Handle);
            EXPECT_EQ(e.left, r.left);
            EXPECT_EQ(e.top, r.top);
            // The whole text fits its label.
            HDC dc = GetDC(label->Handle);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label->Handle, WM_GETFONT, 0, 0)));
            SIZE extent = {};
            AnsiString text = label->Caption;
            GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &extent);
            SelectObject(dc, old);
            ReleaseDC(label->Handle, dc);
            EXPECT_LE(extent.cx, r.right - r.left);
            EXPECT_LE(extent.cy, r.bottom - r.top);
            EXPECT_EQ(-1, label->TabOrder);
        }
    }
}

TEST(Layout, FontsOfTheControls)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    const std::string arial16 = "Arial -16 charset 238 weight 400";
    const std::string arial16Bold = "Arial -16 charset 238 weight 700";
    for (TControl* c : std::initializer_list<TControl*>{
             f.cbProtNum, f.cbVIN, f.cbRegPlate, f.cbCarMark, f.cbCarModel, f.cbOwner, f.chxFrom,
             f.chxTo, f.dpFrom, f.dpTo, f.btnClose, f.Label1, f.Label16})
        EXPECT_EQ(arial16, Describe(c->Handle));
    EXPECT_EQ(arial16Bold, Describe(f.btnSearch->Handle));
    EXPECT_EQ(arial16Bold, Describe(f.btnPrint->Handle));
    EXPECT_EQ("Arial -15 charset 238 weight 400", Describe(f.lvProtocols->Handle));
    EXPECT_EQ(arial16, Describe(f.pcApplications->TabsHandle()));
}

TEST(Layout, CaptionsAndInitialStates)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    EXPECT_EQ(Ansi(u8"Vyhledat"), f.btnSearch->Caption());
    EXPECT_EQ("Tisk", f.btnPrint->Caption());
    EXPECT_EQ(Ansi(u8"Ukončit"), f.btnClose->Caption());
    EXPECT_EQ("Datum protokolu od", f.chxFrom->Caption());
    EXPECT_EQ("Datum protokolu do", f.chxTo->Caption());
    EXPECT_FALSE(f.btnPrint->Enabled);
    EXPECT_TRUE(f.btnSearch->Enabled);
    EXPECT_FALSE(f.dpFrom->Enabled);
    EXPECT_FALSE(f.dpTo->Enabled);
    EXPECT_FALSE(f.chxFrom->Checked);
    EXPECT_FALSE(f.chxTo->Checked);
    EXPECT_EQ(0, f.lvProtocols->Items->Count);

    EXPECT_EQ("KX40", f.shtKX40->Caption());
    EXPECT_EQ("KX60", f.shtKX60->Caption());
    EXPECT_EQ(f.shtKX60, f.pcApplications->ActivePage());
    EXPECT_NE(0, StyleOf(f.pcApplications->TabsHandle()) & TCS_BOTTOM);
}

TEST(Layout, SearchFieldsAreEditableDropDownsWithoutEntries)
{
    Window window(Window::NotShown);
    TfrmSearchMain& f = *window;
    for (TComboBox* box : {f.cbProtNum, f.cbVIN, f.cbRegPlate, f.cbCarMark, f.cbCarModel, f.cbOwner}) {
        EXPECT_EQ(CBS_DROPDOWN, StyleOf(box->Handle) & 3);
        EXPECT_EQ(0, StyleOf(box->Handle) & CBS_SORT);
        EXPECT_EQ(18, box->ItemHeight);
        EXPECT_EQ(0, box->Items->Count);
        EXPECT_EQ("", box->Text());
        EXPECT_NE(nullptr, box->EditHandle());
    }
}

TEST(Layout, ResultListIsAReadOnlySingleSelectionReport)
{
    Window window(Window::NotShown);
    TListView* list = window->lvProtocols;
    HWND handle = list->Handle;
    LONG style = StyleOf(handle);
    EXPECT_EQ(LVS_REPORT, style & LVS_TYPEMASK);
    EXPECT_NE(0, style & LVS_SINGLESEL);
    EXPECT_NE(0, style & LVS_SHOWSELALWAYS);
    EXPECT_EQ(0, style & (LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_NE(0, SendMessageA(handle, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);

    const char* captions[] = {u8"Datum", u8"Číslo protokolu", u8"VIN", u8"Jméno"};
    const int widths[] = {150, 150, 150, 300};
    ASSERT_EQ(4, list->Columns->Count);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(handle, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(Ansi(captions[i]), std::string(text));
        EXPECT_EQ(widths[i], column.cx);
        EXPECT_EQ(widths[i], list->Columns->Items[i]->MinWidth);
    }
}

TEST(Manifest, CommonControlsSixComeFromTheSideBySideStore)
{
    // This program carries kelvar's own resources, the manifest included.
    Window window(Window::NotShown);
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(nullptr, comctl);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, MAX_PATH);
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(std::string::npos, lower.find("\\winsxs\\x86_microsoft.windows.common-controls_6"))
        << path;
}
