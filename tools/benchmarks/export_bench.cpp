// Export throughput for a large protocol: the export as the browser runs it, beside zlib
// inflate plus MD5 over the same stored segments in memory. Windows build: the window's own
// ExportProtocol on a KX40 storage database in the data folder, which it replaces and removes
// again (run it alone). Native build: the same database reads and export writer over a POSIX
// file in a folder of its own. Not a test: prints its figures.
//   export_bench [megabytes (5)] [runs (5)]
#include "ExportWriter.h"
#include "HashMD5.h"
#include "InflateSegment.h"
#include "StoredSegments.h"

#include <StorageWriter.h>
#include <ibpp.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include "Application.h"
#include "BenchAccess.h"
#include "Paths.h"
#else
#include "PosixFileSink.h"

#include <unistd.h>
#endif

namespace {

// A protocol document as a station writes them: XML lines of measurements.
std::string Document(size_t length)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<protocol>\r\n";
    unsigned value = 1;
    while (text.size() < length) {
        value = value * 1103515245u + 12345u;
        text += "<measurement n=\"" + std::to_string(value % 9973) + "\" t=\"" +
                std::to_string(value % 86400) + "\">CO " + std::to_string(value % 100) +
                " HC " + std::to_string((value >> 8) % 1000) + " lambda 1." +
                std::to_string((value >> 4) % 1000) + "</measurement>\r\n";
    }
    text.resize(length);
    return text;
}

// Median seconds of `runs` runs of `work`.
double Median(int runs, const std::function<void()>& work)
{
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

// zlib inflate plus MD5 of every segment, all in memory: the floor under any export.
void InflateAndDigest(const std::vector<std::string>& segments)
{
    CHashMD5 md5;
    Md5Context context;
    md5.Init(context);
    unsigned char out[1024];
    for (const std::string& segment : segments) {
        const int32_t n = InflateSegment(segment.data(), static_cast<int32_t>(segment.size()),
                                         out, sizeof out);
        if (n < 0)
            std::abort();
        md5.Update(context, out, static_cast<std::uint32_t>(n));
    }
    unsigned char digest[16];
    md5.Final(context, digest);
}

void Report(const char* what, double seconds, size_t bytes)
{
    std::printf("%-44s %9.1f ms %9.1f MB/s\n", what, seconds * 1000.0,
                static_cast<double>(bytes) / seconds / 1e6);
}

#ifndef _WIN32
// The browser's export steps, natively: the row read again by ID, its stored segments read as
// the browser reads them, the export writer over a POSIX file.
size_t NativeExport(IBPP::Database db, const std::string& path)
{
    IBPP::Transaction tr = IBPP::TransactionFactory(db);
    tr->Start();
    IBPP::Statement st = IBPP::StatementFactory(db, tr);
    st->Prepare("SELECT * FROM EMISSIONS WHERE ID=1");
    st->Execute();
    IBPP::Blob blob = IBPP::BlobFactory(db, tr);
    IBPP::Row row;
    size_t written = 0;
    while (st->Fetch(row)) {
        std::string name;
        row->Get("PROT_MD5", name);
        row->Get("PROT_DATA", blob);
        blob->Open();
        int size = 0, largest = 0, count = 0;
        blob->GetInfo(&size, &largest, &count);
        PosixFileSink file(path);
        CExportWriter writer(file);
        if (!file.valid() || !writer.Begin() || !AppendStoredSegments(blob, largest, count, writer) ||
            !writer.Seal())
            std::abort();
        blob->Close();
        written = 16 + writer.DocumentLength();
    }
    st->Close();
    tr->Commit();
    return written;
}
#endif

}  // namespace

int main(int argc, char** argv)
{
    const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 5;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string document = Document(megabytes * 1000 * 1000);
    const std::vector<std::string> segments = storage::zlibSegments(document);
    size_t stored = 0;
    for (const std::string& segment : segments)
        stored += segment.size();
    std::printf("protocol: %zu bytes inflated, %zu segments, %zu bytes stored; median of %d runs\n",
                document.size(), segments.size(), stored, runs);

    storage::Protocol row;
    row.id = 1;
    row.protMd5 = "bench";
    row.protData = segments;

    Report("inflate + MD5 in memory", Median(runs, [&] { InflateAndDigest(segments); }),
           document.size());

    try {
#ifdef _WIN32
        const std::string database = GetStoragePath("KX40\\KX40Storage.gdb");
        storage::StorageDatabase::create(database).add(row);
        Application->Initialize();
        Application->CreateForm(frmSearchMain);
        frmSearchMain->Show();
        Application->ProcessMessages();
        AnsiString path;
        const double seconds = Median(runs, [&] {
            path = TfrmSearchMainBenchAccess::ExportProtocol(*frmSearchMain, 1);
        });
        frmSearchMain->Close();
        Application->Run();  // the window has closed: the application destroys it
        DeleteFileA(database.c_str());
        if (path.IsEmpty())
            std::abort();
        Report("ExportProtocol (database to sealed file)", seconds, document.size());
        DeleteFileA(path.c_str());
#else
        namespace fs = std::filesystem;
        const fs::path folder =
            fs::temp_directory_path() / ("tabulon-export_bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        const std::string database = (folder / "KX40Storage.gdb").string();
        storage::StorageDatabase::create(database).add(row);
        IBPP::Database db = IBPP::DatabaseFactory("", database, storage::storageUser,
                                                  storage::storagePassword, "", "", "");
        db->Connect();
        size_t written = 0;
        const double seconds = Median(runs, [&] {
            written = NativeExport(db, (folder / "bench.xml").string());
        });
        db->Disconnect();
        fs::remove_all(folder);
        if (written != 16 + document.size())
            std::abort();
        Report("export (database to sealed file)", seconds, document.size());
#endif
    } catch (const std::exception& error) {
        std::printf("failed: %s\n", error.what());
        return 1;
    }
    std::fflush(stdout);
    return 0;
}
