// The search: statement from the search fields, result list filled from its rows; and the
// small handlers of the search inputs.
#include "frmMain.h"

#include "DateFormat.h"
#include "SearchStatement.h"

#include <memory>
#include <optional>

namespace {

// The test's date and time to the whole second (fractions dropped, not rounded).
TDateTime CheckDateOf(const IBPP::Timestamp& stamp)
{
    return EncodeDate(stamp.Year(), stamp.Month(), stamp.Day()) +
           EncodeTime(stamp.Hours(), stamp.Minutes(), stamp.Seconds(), 0);
}

}  // namespace

// Runs the search of the current database and lists its rows in database order. The list is
// emptied only once the statement has run, so that a statement that fails leaves the previous
// result in place.
void TfrmSearchMain::SearchProtocols()
{
    IBPP::Transaction transaction = IBPP::TransactionFactory(currentDb);
    transaction->Start();
    IBPP::Statement statement = IBPP::StatementFactory(currentDb, transaction);

    const TSearchFields fields{cbProtNum->Text, cbVIN->Text,      cbRegPlate->Text,
                               cbCarMark->Text, cbCarModel->Text, cbOwner->Text};
    std::optional<TDateTime> fromDate, toDate;
    if (chxFrom->Checked)
        fromDate = dpFrom->Date;
    if (chxTo->Checked)
        toDate = dpTo->Date;
    statement->Prepare(BuildSearchStatement(fields, fromDate, toDate));
    statement->Execute();

    // Redrawing the list at every line would cost far more than the search itself.
    TListUpdateLock lock(lvProtocols->Items);
    ClearProtocolList();
    IBPP::Row row;
    while (statement->Fetch(row)) {
        auto data = std::make_unique<tglvData>();
        row->Get("PROT_NUM", data->protNum);
        row->Get("VIN", data->vin);
        row->Get("REG_PLATE", data->regPlate);
        row->Get("VEH_MARK", data->vehMark);
        row->Get("VEH_MODEL", data->vehModel);
        row->Get("OWN_NAME", data->ownName);
        IBPP::Timestamp stamp;
        const bool noDate = row->Get("CHECK_DATE", stamp);
        if (!noDate)
            data->checkDate = CheckDateOf(stamp);
        int id = 0;
        data->hasId = !row->Get("ID", id);  // a row without ID keeps 0
        data->id = id;

        TListItem* line = lvProtocols->Items->Add();
        line->Caption = noDate ? AnsiString() : DateTimeToStr(data->checkDate);
        line->SubItems->Add(data->protNum);
        line->SubItems->Add(data->vin);
        line->SubItems->Add(data->ownName);
        line->Data = data.release();
    }
}

// "Vyhledat".
void TfrmSearchMain::btnSearchClick(TObject* Sender)
{
    SearchProtocols();
}

// Any change of the selection makes "Tisk" available, also when a line loses it.
void TfrmSearchMain::lvProtocolsSelectItem(TObject* Sender, TListItem* Item, bool Selected)
{
    btnPrint->Enabled = true;
}

// The date pickers follow their check boxes.
void TfrmSearchMain::chxFromClick(TObject* Sender)
{
    dpFrom->Enabled = chxFrom->Checked;
}

void TfrmSearchMain::chxToClick(TObject* Sender)
{
    dpTo->Enabled = chxTo->Checked;
}
