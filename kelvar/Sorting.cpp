// Sorting the result list by a clicked column, with the direction shown as the header's arrow.
#include "frmMain.h"

#include "TextCompare.h"

#include <commctrl.h>

namespace {

// One header item's format and image, read and written back together.
HDITEMA ReadHeaderItem(HWND header, int index)
{
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item;
}

void WriteHeaderItem(HWND header, int index, HDITEMA& item)
{
    item.mask = HDI_FORMAT | HDI_IMAGE;
    SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The line's text in a column: the caption for column 0, else its sub-item.
AnsiString ColumnText(TListItem* line, int column)
{
    if (column == 0)
        return line->Caption;
    TListSubItems* texts = line->SubItems;
    return column <= texts->Count ? texts->Strings[column - 1] : AnsiString();
}

TDateTime CheckDateOf(TListItem* line)
{
    const tglvData* data = static_cast<const tglvData*>(line->Data);
    return data ? data->checkDate : TDateTime();
}

}  // namespace

// A header click: every arrow goes, the clicked column gets the arrow of the direction that
// sortState gives, and the direction alternates from click to click, whichever column.
void TfrmSearchMain::lvProtocolsColumnClick(TObject* Sender, TListColumn* Column)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(lvProtocols->Handle, LVM_GETHEADER, 0, 0));
    const int columns = lvProtocols->Columns->Count;
    for (int index = 0; index < columns; ++index) {
        HDITEMA item = ReadHeaderItem(header, index);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        WriteHeaderItem(header, index, item);
    }

    HDITEMA item = ReadHeaderItem(header, Column->Index);
    sortColumn = Column->Index;
    if (sortState == 1) {
        item.fmt |= HDF_SORTUP;
        sortState = 2;
    } else if (sortState == 2) {
        item.fmt |= HDF_SORTDOWN;
        sortState = 1;
    }
    WriteHeaderItem(header, Column->Index, item);

    lvProtocols->Sort(0);
}

// Orders two lines by the sort column: the date column by date and time (equal ones as equal,
// so that the order stays well defined), the others by their texts; reversed when sortState
// is 2, i.e. after a click that asked for ascending order.
void TfrmSearchMain::lvProtocolsCompare(TObject* Sender, TListItem* Item1, TListItem* Item2,
                                        int Data, int& Compare)
{
    if (sortColumn == 0) {
        const double difference = CheckDateOf(Item2) - CheckDateOf(Item1);
        Compare = difference > 0.0 ? 1 : difference < 0.0 ? -1 : 0;
    } else {
        Compare = CompareText(ColumnText(Item2, sortColumn), ColumnText(Item1, sortColumn));
    }
    if (sortState == 2)
        Compare = -Compare;
}
