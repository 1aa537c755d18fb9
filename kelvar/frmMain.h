// TfrmSearchMain: the browser's one window. It owns the two storage databases, the print modules
// and the record kept with each line of the result list; its methods are spread over files by
// job: frmMain.cpp (start-up, tabs, close), SearchLists.cpp, Search.cpp, Sorting.cpp, Export.cpp,
// Print.cpp; the window's layout is in frmMainForm.cpp.
#pragma once

#include "AnsiString.h"
#include "DateTime.h"
#include "Form.h"
#include "DatePicker.h"
#include "Image.h"
#include "ListView.h"
#include "PageControl.h"
#include "StandardControls.h"

#include <ibpp.h>

#include <windows.h>

#include <cstdint>

// The record kept with each line of lvProtocols as its data pointer; freed only by
// ClearProtocolList.
struct tglvData
{
    TDateTime checkDate = 0.0;
    AnsiString protNum;
    AnsiString vin;
    AnsiString regPlate;
    AnsiString vehMark;
    AnsiString vehModel;
    AnsiString ownName;
    int32_t id = 0;
    bool hasId = false;  // false for a row stored without ID, which cannot be read again
};

// Entry points of a print module (C calling convention; the print call returns a one-byte bool).
using TPrintProtocolProc = bool(__cdecl*)(const char* path, int32_t, int32_t, int32_t, int32_t,
                                          int32_t);
using TGetLastErrorMsgProc = const char*(__cdecl*)();

class TfrmSearchMain : public TForm
{
public:
    explicit TfrmSearchMain(TComponent* Owner);
    ~TfrmSearchMain() override;

    // Published components, filled from the form description.
    TListView* lvProtocols = nullptr;
    TButton* btnPrint = nullptr;
    TPageControl* pcApplications = nullptr;
    TTabSheet* shtKX40 = nullptr;
    TTabSheet* shtKX60 = nullptr;
    TComboBox* cbProtNum = nullptr;
    TComboBox* cbCarMark = nullptr;
    TComboBox* cbCarModel = nullptr;
    TComboBox* cbOwner = nullptr;
    TButton* btnSearch = nullptr;
    TComboBox* cbVIN = nullptr;
    TComboBox* cbRegPlate = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label11 = nullptr;
    TLabel* Label12 = nullptr;
    TDateTimePicker* dpTo = nullptr;
    TDateTimePicker* dpFrom = nullptr;
    TCheckBox* chxFrom = nullptr;
    TCheckBox* chxTo = nullptr;
    TLabel* Label13 = nullptr;
    TLabel* Label14 = nullptr;
    TLabel* Label15 = nullptr;
    TLabel* Label16 = nullptr;
    TButton* btnClose = nullptr;
    TImage* Image2 = nullptr;

    // Published handlers, bound by the form description.
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void pcApplicationsChange(TObject* Sender);
    void btnCloseClick(TObject* Sender);
    void btnSearchClick(TObject* Sender);
    void lvProtocolsSelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void chxFromClick(TObject* Sender);
    void chxToClick(TObject* Sender);
    void lvProtocolsColumnClick(TObject* Sender, TListColumn* Column);
    void lvProtocolsCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data,
                            int& Compare);
    void btnPrintClick(TObject* Sender);

private:
    // Tests look at the private state through one friend, the benchmark programs through another.
    friend struct TfrmSearchMainTestAccess;
    friend struct TfrmSearchMainBenchAccess;

    void ClearProtocolList();
    void FillSearchLists();
    void SearchProtocols();
    AnsiString ExportProtocol(int32_t id);

    int32_t sortColumn = 0;
    uint8_t sortState = 1;
    IBPP::Database dbKX40;
    IBPP::Database dbKX60;
    IBPP::Database currentDb;
    uint8_t currentModel = 0;
    HMODULE hPrintKX40 = nullptr;
    HMODULE hPrintKX60 = nullptr;
    TPrintProtocolProc PrintProtocolKX40 = nullptr;
    TPrintProtocolProc PrintProtocolKX60 = nullptr;
    TGetLastErrorMsgProc GetLastErrorMsgKX40 = nullptr;
    TGetLastErrorMsgProc GetLastErrorMsgKX60 = nullptr;
};

extern TfrmSearchMain* frmSearchMain;
