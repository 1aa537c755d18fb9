// TfrmSearchMain::FillSearchLists: the six search fields offer every distinct stored text of
// their column.
#include "frmMain.h"

#include "SearchListIndex.h"

#include <vector>

void TfrmSearchMain::FillSearchLists()
{
    TComboBox* const lists[] = {cbProtNum, cbVIN, cbRegPlate, cbCarMark, cbCarModel, cbOwner};
    static const char* const columns[] = {"PROT_NUM", "VIN", "REG_PLATE",
                                          "VEH_MARK", "VEH_MODEL", "OWN_NAME"};
    constexpr int ListCount = 6;

    // The old entries go before the database is touched; the typed texts stay.
    for (TComboBox* list : lists)
        list->Items->Clear();

    // "Already listed" is looked up in an index instead of searching each whole list for each
    // value, which grew with the square of the table.
    std::vector<TSearchListIndex> listed;
    for (TComboBox* list : lists)
        listed.emplace_back(list);
    // Redrawing a box at every entry costs more than reading the rows.
    TUpdateLock<TComboBoxItems> locks[] = {
        TUpdateLock<TComboBoxItems>(cbProtNum->Items), TUpdateLock<TComboBoxItems>(cbVIN->Items),
        TUpdateLock<TComboBoxItems>(cbRegPlate->Items), TUpdateLock<TComboBoxItems>(cbCarMark->Items),
        TUpdateLock<TComboBoxItems>(cbCarModel->Items), TUpdateLock<TComboBoxItems>(cbOwner->Items)};

    IBPP::Transaction transaction = IBPP::TransactionFactory(currentDb);
    transaction->Start();
    IBPP::Statement statement = IBPP::StatementFactory(currentDb, transaction);
    statement->Prepare("SELECT PROT_NUM,VIN,REG_PLATE,VEH_MARK,VEH_MODEL,OWN_NAME FROM EMISSIONS");
    statement->Execute();
    IBPP::Row row;
    std::string values[ListCount];
    while (statement->Fetch(row)) {
        for (int i = 0; i < ListCount; ++i) {
            values[i].clear();  // a NULL column leaves the text empty
            row->Get(columns[i], values[i]);
        }
        for (int i = 0; i < ListCount; ++i)
            if (listed[i].Insert(values[i]))
                lists[i]->Items->Add(values[i]);
    }
    // Nothing was written: the transaction is rolled back as its last handle goes.
}
