// TfrmSearchMain: construction, start-up (FormShow), the change of model tab, emptying the
// result list, closing, and the binding of the print modules.
#include "frmMain.h"

#include "Application.h"
#include "Encoding.h"
#include "frmMainForm.h"
#include "Paths.h"

TfrmSearchMain* frmSearchMain = nullptr;

namespace {

// The fixed connection of both storage databases.
const char* const StorageUser = "sysdba";
const char* const StoragePassword = "vlnokresb";

// Opens one model's storage database and shows its sheet, or hides the sheet when anything
// fails; a failure is not reported. The handle stays when only the connection failed.
void OpenStorage(IBPP::Database& db, const AnsiString& path, TTabSheet* sheet,
                 TPageControl* pages, bool activate)
{
    try {
        db = IBPP::DatabaseFactory("", path, StorageUser, StoragePassword, "", "", "");
        db->Connect();
        sheet->Visible = true;
        sheet->TabVisible = true;
        if (activate)
            pages->ActivePage = sheet;
    } catch (...) {
        sheet->Visible = false;
        sheet->TabVisible = false;
    }
}

// Loads a print module and looks up its two entry points, which stay null when the module does
// not load or lacks them. The registry lookup of the module's folder may raise.
void BindPrintModule(AnsiString (*modulePath)(), const char* printName, const char* errorName,
                     HMODULE& module, TPrintProtocolProc& print, TGetLastErrorMsgProc& errorText)
{
    print = nullptr;
    errorText = nullptr;
    module = LoadLibraryA(modulePath().c_str());
    if (!module)
        return;
    // Through void(*)(): the one function pointer type others convert from without complaint.
    print = reinterpret_cast<TPrintProtocolProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, printName)));
    errorText = reinterpret_cast<TGetLastErrorMsgProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, errorName)));
}

// Unloads a print module bound by BindPrintModule and forgets it.
void UnbindPrintModule(HMODULE& module, TPrintProtocolProc& print, TGetLastErrorMsgProc& errorText)
{
    if (module)
        FreeLibrary(module);
    module = nullptr;
    print = nullptr;
    errorText = nullptr;
}

// Disconnects a storage database that is connected; a handle never made is skipped. Closing
// must not fail: a database that will not detach cleanly is let go with its last handle.
void DisconnectStorage(IBPP::Database& db)
{
    try {
        if (db && db->Connected())
            db->Disconnect();
    } catch (...) {
    }
}

}  // namespace

TfrmSearchMain::TfrmSearchMain(TComponent* Owner) : TForm(Owner)
{
    CreateFromResource(frmSearchMainResource());
}

TfrmSearchMain::~TfrmSearchMain()
{
    // Lines still listed (the window destroyed without being closed) take their records along.
    try {
        ClearProtocolList();
    } catch (...) {
    }
    currentDb.clear();
    dbKX60.clear();
    dbKX40.clear();
    // Nor may the print modules stay loaded after the window that bound them.
    UnbindPrintModule(hPrintKX40, PrintProtocolKX40, GetLastErrorMsgKX40);
    UnbindPrintModule(hPrintKX60, PrintProtocolKX60, GetLastErrorMsgKX60);
}

void TfrmSearchMain::FormShow(TObject* Sender)
{
    const AnsiString pathKX40 = GetStoragePath("KX40\\KX40Storage.gdb");
    const AnsiString pathKX60 = GetStoragePath("KX60\\KX60Storage.gdb");
    currentModel = 0;
    OpenStorage(dbKX40, pathKX40, shtKX40, pcApplications, true);
    OpenStorage(dbKX60, pathKX60, shtKX60, pcApplications, false);

    // The sheets' visibility records which database opened; KX40 comes first.
    if (shtKX40->Visible) {
        currentDb = dbKX40;
        currentModel = 1;
    } else if (shtKX60->Visible) {
        currentDb = dbKX60;
        currentModel = 2;
    }
    if (currentModel == 0) {
        Application->MessageBox(
            Utf8ToAnsi(u8"Nebyly nalezeny žádné datové soubory.\nAplikace bude ukončena."),
            "Informace", MB_ICONEXCLAMATION);
        Close();
        return;
    }

    FillSearchLists();
    dpFrom->Date = ::Date();
    dpTo->Date = ::Date();
    BindPrintModule(GetPrintModulePathKX40, "_PrintProtocolKX40", "_GetLastErrorMsgKX40",
                    hPrintKX40, PrintProtocolKX40, GetLastErrorMsgKX40);
    BindPrintModule(GetPrintModulePathKX60, "_PrintProtocolKX60", "_GetLastErrorMsgKX60",
                    hPrintKX60, PrintProtocolKX60, GetLastErrorMsgKX60);
}

void TfrmSearchMain::pcApplicationsChange(TObject* Sender)
{
    if (pcApplications->ActivePage == shtKX40) {
        currentDb = dbKX40;
        currentModel = 1;
    }
    if (pcApplications->ActivePage == shtKX60) {
        currentDb = dbKX60;
        currentModel = 2;
    }
    ClearProtocolList();
    FillSearchLists();
}

void TfrmSearchMain::ClearProtocolList()
{
    TListItems* lines = lvProtocols->Items;
    TListUpdateLock lock(lines);
    const int count = lines->Count;
    for (int i = 0; i < count; ++i) {
        TListItem* line = lines->Item[i];
        delete static_cast<tglvData*>(line->Data);
        line->Data = nullptr;
    }
    lines->Clear();
    btnPrint->Enabled = false;
}

void TfrmSearchMain::btnCloseClick(TObject* Sender)
{
    Close();
}

void TfrmSearchMain::FormCloseQuery(TObject* Sender, bool& CanClose)
{
    ClearProtocolList();
    DisconnectStorage(dbKX40);
    DisconnectStorage(dbKX60);
    UnbindPrintModule(hPrintKX40, PrintProtocolKX40, GetLastErrorMsgKX40);
    UnbindPrintModule(hPrintKX60, PrintProtocolKX60, GetLastErrorMsgKX60);
}
