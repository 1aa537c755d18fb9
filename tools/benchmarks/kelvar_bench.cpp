// kelvar_bench: the browser's start-up and a search that lists every row, timed inside the
// Wine process on the storage databases in the data folder. Not a test: the ./run bench script
// runs it several times per database size and prints the medians.
//
// Prints one line of figures in seconds:
//   ready=<process creation to window shown and painted> show=<showing the window alone>
//   lists=<loading the search lists again> search=<"Vyhledat" until painted>
//   fetch=<the same rows fetched through the database layer alone> rows=<lines listed>
//   readyAt=<the moment the window was ready, as Unix time>
#include "Application.h"
#include "BenchAccess.h"
#include "Paths.h"
#include "StorageWriter.h"
#include "frmMain.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

namespace {

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// 100-nanosecond ticks of a FILETIME.
double Ticks(const FILETIME& time)
{
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime);
}

// Seconds since this process was created, by the system's clock.
double SinceProcessCreation(double& unixNow)
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    unixNow = (Ticks(now) - 116444736000000000.0) / 1e7;
    return (Ticks(now) - Ticks(created)) / 1e7;
}

// Every row of the current model's database through the database layer alone: what the search
// costs without the list.
double FetchEverything(const std::string& path, int& rows)
{
    const double start = Seconds();
    IBPP::Database db = IBPP::DatabaseFactory("", path, storage::storageUser,
                                              storage::storagePassword, "", "", "");
    db->Connect();
    IBPP::Transaction tr = IBPP::TransactionFactory(db);
    tr->Start();
    IBPP::Statement st = IBPP::StatementFactory(db, tr);
    st->Execute("SELECT * FROM EMISSIONS ");
    IBPP::Row row;
    std::string text;
    IBPP::Timestamp stamp;
    int id = 0;
    rows = 0;
    while (st->Fetch(row)) {
        for (const char* column : {"PROT_NUM", "VIN", "REG_PLATE", "VEH_MARK", "VEH_MODEL",
                                   "OWN_NAME"})
            row->Get(column, text);
        row->Get("CHECK_DATE", stamp);
        row->Get("ID", id);
        ++rows;
    }
    const double spent = Seconds() - start;
    st = nullptr;
    tr = nullptr;
    db->Disconnect();
    return spent;
}

}  // namespace

int main()
{
    try {
        Application->Initialize();
        Application->Title = "Tabulon";
        Application->CreateForm(frmSearchMain);

        // As the message loop starts: the main window is shown (FormShow opens the databases
        // and loads the search lists) and painted.
        const double showStart = Seconds();
        frmSearchMain->Show();
        Application->ProcessMessages();
        UpdateWindow(frmSearchMain->Handle);
        const double show = Seconds() - showStart;
        double readyAt = 0.0;
        const double ready = SinceProcessCreation(readyAt);
        if (TfrmSearchMainBenchAccess::currentModel(*frmSearchMain) != 1) {
            std::printf("error: the KX40 database did not open\n");
            return 1;
        }

        const double listsStart = Seconds();
        TfrmSearchMainBenchAccess::FillSearchLists(*frmSearchMain);
        const double lists = Seconds() - listsStart;

        // "Vyhledat" with every field empty: every protocol, listed and painted.
        const double searchStart = Seconds();
        frmSearchMain->btnSearchClick(frmSearchMain->btnSearch);
        Application->ProcessMessages();
        UpdateWindow(frmSearchMain->Handle);
        const double search = Seconds() - searchStart;
        const int listed = frmSearchMain->lvProtocols->Items->Count;

        int fetched = 0;
        const AnsiString kx40 = GetStoragePath("KX40\\KX40Storage.gdb");
        const double fetch = FetchEverything(kx40, fetched);

        std::printf("ready=%.4f show=%.4f lists=%.4f search=%.4f fetch=%.4f rows=%d fetched=%d "
                    "readyAt=%.4f\n",
                    ready, show, lists, search, fetch, listed, fetched, readyAt);
        std::fflush(stdout);

        frmSearchMain->Close();
        Application->Run();  // the window has closed: the application destroys it
        return 0;
    } catch (const std::exception& error) {
        std::printf("error: %s\n", error.what());
    } catch (...) {
        std::printf("error\n");
    }
    std::fflush(stdout);
    return 1;
}
