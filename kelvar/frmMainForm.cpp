// The search window as designed: positions and sizes in pixels at 96 dpi, client coordinates of
// the parent. The inputs, the list and the buttons belong to the window itself and lie over the
// page control, so that one set of inputs serves both models' sheets; each sheet carries only
// its labels.
#include "frmMainForm.h"

#include "res/ResourceIds.h"

namespace {

const TFontDesc windowFont = {"Tahoma", -11, DEFAULT_CHARSET, 0, clWindowText};
const TFontDesc arial16 = {"Arial", -16, EASTEUROPE_CHARSET, 0, clWindowText};
const TFontDesc arial16Bold = {"Arial", -16, EASTEUROPE_CHARSET, fsBold, clWindowText};
const TFontDesc arial16BoldBlack = {"Arial", -16, EASTEUROPE_CHARSET, fsBold, clBlack};
const TFontDesc arial15 = {"Arial", -15, EASTEUROPE_CHARSET, 0, clWindowText};

// A label's box: wide and tall enough for its text in Arial 16 px.
constexpr int LabelWidth = 150;
constexpr int LabelHeight = 19;

}  // namespace

const TFormResource<TfrmSearchMain>& frmSearchMainResource()
{
    using F = TfrmSearchMain;
    // One label of a sheet.
    auto label = [](TLabel* F::*field, TTabSheet* F::*sheet, const char* caption, int left, int top) {
        return Component(field).In(sheet).Bounds(left, top, LabelWidth, LabelHeight)
            .Caption(caption).Font(arial16);
    };
    // One of the six search fields.
    auto combo = [](TComboBox* F::*field, int left, int top, int tabOrder) {
        return Component(field).Bounds(left, top, 240, 26).Font(arial16).TabOrder(tabOrder)
            .Style(csDropDown).ItemHeight(18);
    };

    static const TFormResource<F> resource =
        TFormResource<F>()
            .Caption(u8"Tabulon")
            .BorderStyle(bsDialog)
            .ClientSize(891, 678)
            .Position(poDesktopCenter)
            .Color(clBtnFace)
            .Font(windowFont)
            .OnShow(&F::FormShow)
            .OnCloseQuery(&F::FormCloseQuery)
            .Components({
                Component(&F::lvProtocols).Bounds(22, 295, 844, 209).Font(arial15).TabOrder(0)
                    .ViewStyle(vsReport).ReadOnly(true).RowSelect(true).MultiSelect(false)
                    .HideSelection(false).ShowWorkAreas(true)
                    .Column(u8"Datum", 150, 150)
                    .Column(u8"Číslo protokolu", 150, 150)
                    .Column(u8"VIN", 150, 150)
                    .Column(u8"Jméno", 300, 300)
                    .OnSelectItem(&F::lvProtocolsSelectItem)
                    .OnColumnClick(&F::lvProtocolsColumnClick)
                    .OnCompare(&F::lvProtocolsCompare),
                Component(&F::btnPrint).Bounds(735, 516, 131, 49).Caption(u8"Tisk")
                    .Font(arial16Bold).TabOrder(1).Enabled(false).OnClick(&F::btnPrintClick),
                Component(&F::pcApplications).Bounds(8, 39, 875, 569).Font(arial16).TabOrder(2)
                    .TabPosition(tpBottom).ActivePage(&F::shtKX60)
                    .OnChange(&F::pcApplicationsChange),
                Component(&F::shtKX40).In(&F::pcApplications).Caption(u8"KX40").Font(arial16),
                Component(&F::shtKX60).In(&F::pcApplications).Caption(u8"KX60").Font(arial16),
                combo(&F::cbProtNum, 192, 100, 3),
                combo(&F::cbCarMark, 626, 100, 4),
                combo(&F::cbCarModel, 626, 142, 5),
                combo(&F::cbOwner, 626, 187, 6),
                Component(&F::btnSearch).Bounds(735, 227, 131, 49).Caption(u8"Vyhledat")
                    .Font(arial16BoldBlack).TabOrder(7).OnClick(&F::btnSearchClick),
                combo(&F::cbVIN, 192, 142, 8),
                combo(&F::cbRegPlate, 192, 187, 9),
                label(&F::Label1, &F::shtKX40, u8"Číslo protokolu", 12, 60),
                label(&F::Label3, &F::shtKX40, u8"VIN", 12, 102),
                label(&F::Label2, &F::shtKX40, u8"Registrační značka", 12, 147),
                label(&F::Label4, &F::shtKX40, u8"Značka vozidla", 450, 60),
                label(&F::Label5, &F::shtKX40, u8"Model vozidla", 450, 102),
                label(&F::Label6, &F::shtKX40, u8"Majitel", 450, 147),
                label(&F::Label7, &F::shtKX60, u8"Číslo protokolu", 12, 60),
                label(&F::Label8, &F::shtKX60, u8"Značka vozidla", 450, 60),
                label(&F::Label9, &F::shtKX60, u8"Model vozidla", 450, 102),
                label(&F::Label10, &F::shtKX60, u8"VIN", 12, 102),
                label(&F::Label11, &F::shtKX60, u8"Registrační značka", 12, 147),
                label(&F::Label12, &F::shtKX60, u8"Majitel", 450, 147),
                Component(&F::dpTo).Bounds(626, 57, 240, 26).Font(arial16).TabOrder(10)
                    .Enabled(false),
                Component(&F::dpFrom).Bounds(192, 57, 240, 26).Font(arial16).TabOrder(11)
                    .Enabled(false),
                Component(&F::chxFrom).Bounds(22, 62, 16, 17).Caption(u8"Datum protokolu od")
                    .Font(arial16).TabOrder(12).OnClick(&F::chxFromClick),
                Component(&F::chxTo).Bounds(460, 62, 17, 17).Caption(u8"Datum protokolu do")
                    .Font(arial16).TabOrder(13).OnClick(&F::chxToClick),
                label(&F::Label13, &F::shtKX40, u8"Datum protokolu od", 32, 18),
                label(&F::Label14, &F::shtKX40, u8"Datum protokolu do", 474, 18),
                label(&F::Label15, &F::shtKX60, u8"Datum protokolu do", 474, 18),
                label(&F::Label16, &F::shtKX60, u8"Datum protokolu od", 32, 18),
                Component(&F::btnClose).Bounds(388, 614, 131, 49).Caption(u8"Ukončit")
                    .Font(arial16).TabOrder(14).OnClick(&F::btnCloseClick),
                Component(&F::Image2).Bounds(761, 7, 122, 29).Font(arial16).Picture(IDB_LOGO)
                    .Transparent(true),
            });
    return resource;
}
