#include "SampleForm.h"

#include "res/ResourceIds.h"

namespace {

const TFontDesc arial16 = {"Arial", -16, EASTEUROPE_CHARSET, 0, clWindowText};
const TFontDesc arial16Bold = {"Arial", -16, EASTEUROPE_CHARSET, fsBold, clBlack};
const TFontDesc arial15 = {"Arial", -15, EASTEUROPE_CHARSET, 0, clWindowText};
const TFontDesc tahoma19Bold = {"Tahoma", -19, DEFAULT_CHARSET, fsBold, clWindowText};

const TFormResource<TSampleForm>& SampleFormResource()
{
    using F = TSampleForm;
    static const TFormResource<F> resource =
        TFormResource<F>()
            .Caption(u8"Ukázka – příliš žluťoučký kůň")
            .BorderStyle(bsDialog)
            .ClientSize(640, 500)
            .Position(poDesktopCenter)
            .Color(clBtnFace)
            .Font({"Tahoma", -11})
            .OnShow(&F::FormShow)
            .OnCloseQuery(&F::FormCloseQuery)
            .Components({
                Component(&F::pcPages).Bounds(8, 8, 624, 260).Font(arial16).TabOrder(2)
                    .TabPosition(tpBottom).ActivePage(&F::shtSecond).OnChange(&F::pcPagesChange),
                Component(&F::shtFirst).In(&F::pcPages).Caption(u8"První"),
                Component(&F::shtSecond).In(&F::pcPages).Caption(u8"Druhá"),
                Component(&F::shtHidden).In(&F::pcPages).Caption(u8"Skrytá").TabVisible(false),
                Component(&F::lblFirst).In(&F::shtFirst).Bounds(12, 20, 170, 20)
                    .Caption(u8"Číslo protokolu").Font(arial16),
                Component(&F::lblSecond).In(&F::shtSecond).Bounds(12, 20, 170, 20)
                    .Caption(u8"Registrační značka").Font(arial16),
                Component(&F::lblHidden).In(&F::shtHidden).Bounds(12, 20, 170, 20)
                    .Caption(u8"Skrytý list").Font(arial16),
                Component(&F::imgIcon).In(&F::shtSecond).Bounds(12, 110, 64, 64).Icon(IDI_SAMPLE),
                Component(&F::imgAlpha).In(&F::shtSecond).Bounds(100, 130, 96, 24)
                    .Picture(IDB_SAMPLE_ALPHA).Transparent(true),
                Component(&F::imgKeyed).In(&F::shtSecond).Bounds(220, 130, 48, 24)
                    .Picture(IDB_SAMPLE_KEYED).Transparent(true),
                Component(&F::cbProtNum).Bounds(192, 26, 240, 26).Font(arial16).TabOrder(3)
                    .Style(csDropDown).ItemHeight(18),
                Component(&F::chxFrom).Bounds(22, 72, 16, 17).Caption(u8"Datum od").Font(arial16)
                    .TabOrder(4).OnClick(&F::chxFromClick),
                Component(&F::dpFrom).Bounds(192, 68, 240, 26).Font(arial16).TabOrder(5).Enabled(false),
                Component(&F::btnSearch).Bounds(480, 26, 131, 49).Caption(u8"Vyhledat")
                    .Font(arial16Bold).TabOrder(6).OnClick(&F::btnSearchClick),
                Component(&F::lvProtocols).Bounds(8, 280, 624, 160).Font(arial15).TabOrder(0)
                    .ViewStyle(vsReport).ReadOnly(true).RowSelect(true).HideSelection(false)
                    .ShowWorkAreas(true)
                    .Column(u8"Datum", 150, 150).Column(u8"Číslo protokolu", 150, 150)
                    .Column(u8"VIN", 150, 150).Column(u8"Jméno", 150, 150)
                    .OnSelectItem(&F::lvProtocolsSelectItem)
                    .OnColumnClick(&F::lvProtocolsColumnClick).OnCompare(&F::lvProtocolsCompare),
                Component(&F::btnClose).Bounds(254, 452, 131, 40).Caption(u8"Ukončit")
                    .Font(tahoma19Bold).TabOrder(7).OnClick(&F::btnCloseClick),
            });
    return resource;
}

}  // namespace

TSampleForm::TSampleForm(TComponent* Owner) : TForm(Owner)
{
    CreateFromResource(SampleFormResource());
}

void TSampleForm::FormShow(TObject* Sender)
{
    ++shows;
    if (onShow)
        onShow();
}

void TSampleForm::FormCloseQuery(TObject* Sender, bool& CanClose)
{
    ++closeQueries;
    CanClose = allowClose;
}

void TSampleForm::pcPagesChange(TObject* Sender)
{
    ++pageChanges;
}

void TSampleForm::chxFromClick(TObject* Sender)
{
    ++checkClicks;
    dpFrom->Enabled = chxFrom->Checked;
}

void TSampleForm::btnSearchClick(TObject* Sender)
{
    ++searchClicks;
    if (onSearch)
        onSearch();
}

void TSampleForm::btnCloseClick(TObject* Sender)
{
    Close();
}

void TSampleForm::lvProtocolsSelectItem(TObject* Sender, TListItem* Item, bool Selected)
{
    selections.push_back({Item, Selected});
}

void TSampleForm::lvProtocolsColumnClick(TObject* Sender, TListColumn* Column)
{
    columnClicks.push_back(Column->Index);
}

void TSampleForm::lvProtocolsCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data,
                                     int& Compare)
{
    if (onCompare)
        onCompare(Item1, Item2, Compare);
}
