// The storage writer: storage databases written through the same run-time loaded Firebird client
// as the database layer, natively and (through the bridge) under Wine. make-storage writes the
// demo's and the bench's databases with it; the tests' fixtures (tests/fixtures) build on it.
//
// A storage database holds the table EMISSIONS:
//   ID INTEGER, PROT_NUM, VIN, REG_PLATE, VEH_MARK, VEH_MODEL, OWN_NAME VARCHAR(255),
//   CHECK_DATE TIMESTAMP, PROT_MD5 VARCHAR(255), PROT_DATA BLOB SUB_TYPE 0 (segmented),
// no character set (texts are stored as the bytes given), no key: an ID may occur twice.
//
// Typical use:
//   auto db = storage::StorageDatabase::create(path);        // a new, empty EMISSIONS
//   storage::Protocol p;
//   p.id = 1; p.vin = "TMBJJ7NE8J0123456"; p.ownName = storage::win1250("Jiří Novák");
//   p.checkDate = IBPP::Timestamp(2021, 3, 4, 10, 22, 31, 1234);
//   p.protData = storage::zlibSegments(document);            // one zlib stream per 1024 bytes
//   db.add(p);                                               // or db.add(rows): one transaction
//   db.close();                                              // detach before the program opens it
//
// A Windows program passes a Windows path (e.g. C:\ProgramData\Trevant\KX40\KX40Storage.gdb); the
// bridge hands the engine the Unix path. Every function raises IBPP::Exception (Firebird errors)
// or std::runtime_error (files, texts) on failure.
#pragma once

#include <ibpp.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace storage {

// The fixed connection of the storage databases.
extern const char* const storageUser;
extern const char* const storagePassword;

// The columns of EMISSIONS in their order, as a list for SQL.
extern const char* const storageColumns;

// The statement that makes a table `name` with the columns of EMISSIONS.
std::string storageTableDefinition(const std::string& name);

// One row of EMISSIONS; an empty optional is NULL.
struct Protocol {
    std::optional<int> id;
    std::optional<std::string> protNum, vin, regPlate, vehMark, vehModel, ownName;
    std::optional<IBPP::Timestamp> checkDate;
    std::optional<std::string> protMd5;
    // The stored bytes of each PROT_DATA segment, in order (no segment at all is an empty blob).
    std::optional<std::vector<std::string>> protData;
};

// One complete zlib stream holding `inflated`.
std::string zlibSegment(const std::string& inflated);

// `document` cut into pieces of `chunk` bytes, each one zlib stream (an empty document gives no
// segment).
std::vector<std::string> zlibSegments(const std::string& document, size_t chunk = 1024);

// UTF-8 text (as written in the sources) in the Windows-1250 bytes the databases hold; raises
// for a character that code page lacks.
std::string win1250(const std::string& utf8);

// Makes the missing folders above `path`.
void makeParentFolders(const std::string& path);

// A database file with the table EMISSIONS, attached while the object lives.
class StorageDatabase {
public:
    // Makes a new database at `path` with an empty EMISSIONS table, replacing a file that is
    // there and making missing folders.
    static StorageDatabase create(const std::string& path);

    StorageDatabase(StorageDatabase&& other) noexcept;   // `other` is left closed
    StorageDatabase& operator=(StorageDatabase&&) = delete;
    StorageDatabase(const StorageDatabase&) = delete;
    ~StorageDatabase();   // detaches

    void add(const Protocol& row);
    // All rows in one transaction with one prepared insert (fast enough for 50,000 rows).
    void add(const std::vector<Protocol>& rows);

    // Runs any statement without result in a transaction of its own, committed.
    void execute(const std::string& sql);

    // Detaches now (before another engine or a program attaches the file).
    void close();

    const std::string& path() const { return path_; }

protected:
    // The table that add() writes to (EMISSIONS unless a derived class redirects it).
    const std::string& insertTable() const { return table_; }
    void insertInto(const std::string& table) { table_ = table; }

private:
    struct Connection;
    explicit StorageDatabase(std::unique_ptr<Connection> connection);
    void insert(const std::vector<const Protocol*>& rows);

    std::unique_ptr<Connection> connection_;
    std::string path_;
    std::string table_;    // the table the rows go to
};

} // namespace storage
