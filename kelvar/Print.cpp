// TfrmSearchMain::btnPrintClick: the selected protocol exported and handed to the print module
// of the current instrument model.
#include "frmMain.h"

#include "Application.h"
#include "Encoding.h"

// "Tisk": prints the selected line (the list allows one) and removes its export file.
void TfrmSearchMain::btnPrintClick(TObject* Sender)
{
    // The count is read anew at every step.
    for (int index = 0; index < lvProtocols->Items->Count; ++index) {
        TListItem* line = lvProtocols->Items->Item[index];
        if (!line->Selected)
            continue;

        // A row stored without ID cannot be read again by its key: asking for its id 0 could
        // print another vehicle's protocol, the one really stored with ID 0.
        const auto* record = static_cast<const tglvData*>(line->Data);
        const AnsiString path = record && record->hasId ? ExportProtocol(record->id) : AnsiString();
        if (path.IsEmpty()) {
            Application->MessageBox(Utf8ToAnsi(u8"Nepodařilo se vytvořit soubor protokolu."),
                                    "Chyba", MB_ICONEXCLAMATION);
            continue;
        }

        if (currentModel == 1 || currentModel == 2) {
            const bool kx40 = currentModel == 1;
            const TPrintProtocolProc print = kx40 ? PrintProtocolKX40 : PrintProtocolKX60;
            const TGetLastErrorMsgProc lastError = kx40 ? GetLastErrorMsgKX40 : GetLastErrorMsgKX60;
            if (!print) {
                // The file stays: the next export of this protocol replaces it.
                Application->MessageBox(Utf8ToAnsi(u8"Nepodařilo se inicializovat tiskový modul."),
                                        "Chyba", MB_ICONEXCLAMATION);
                return;
            }
            if (!print(path.c_str(), 1, 1, 1, 0, 0)) {
                // A module without its error-text entry point gets a box without text.
                const char* text = lastError ? lastError() : nullptr;
                Application->MessageBox(AnsiString(text), "Chyba", MB_ICONSTOP);
            }
        }
        DeleteFileA(path.c_str());
    }
}
