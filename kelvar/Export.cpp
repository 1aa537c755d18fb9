// TfrmSearchMain::ExportProtocol: one stored protocol into a sealed file in the export folder.
#include "frmMain.h"

#include "ExportFile.h"
#include "ExportFileName.h"
#include "ExportWriter.h"
#include "Paths.h"
#include "StoredSegments.h"

#include <cstdio>
#include <string>

// Called by btnPrintClick for the selected line. Returns the path of the complete, closed file,
// or empty text when none was made; a file that cannot be finished is removed again. Errors of
// the database library pass on (the file made so far is removed on the way out).
AnsiString TfrmSearchMain::ExportProtocol(int32_t id)
{
    char sql[64];
    std::snprintf(sql, sizeof sql, "SELECT * FROM EMISSIONS WHERE ID=%d", static_cast<int>(id));

    IBPP::Transaction transaction = IBPP::TransactionFactory(currentDb);
    transaction->Start();
    IBPP::Statement statement = IBPP::StatementFactory(currentDb, transaction);
    statement->Prepare(sql);
    statement->Execute();
    IBPP::Blob blob = IBPP::BlobFactory(currentDb, transaction);

    IBPP::Row row;
    std::string name;  // a NULL PROT_MD5 keeps the name of the row before (none: ".xml")
    AnsiString path;
    while (statement->Fetch(row)) {
        row->Get("PROT_MD5", name);
        row->Get("PROT_DATA", blob);
        blob->Open();
        int size = 0, largest = 0, segments = 0;
        blob->GetInfo(&size, &largest, &segments);

        if (!IsPlainFileName(name))
            return AnsiString();
        path = GetExportFolder() + name + ".xml";
        CExportFile file;
        if (!file.Create(path))
            return AnsiString();

        CExportWriter writer(file);
        if (!writer.Begin() || !AppendStoredSegments(blob, largest, segments, writer) || !writer.Seal())
            return AnsiString();
        blob->Close();
        if (!file.Keep())
            return AnsiString();
    }
    statement->Close();
    transaction->Commit();
    return path;
}
