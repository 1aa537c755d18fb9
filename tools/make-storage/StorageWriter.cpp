// Storage databases written over the Firebird client's C API.
#include "StorageWriter.h"

#include "AnsiPath.h"

#include <IbppClient.h>

#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace storage {

const char* const storageUser = "sysdba";
const char* const storagePassword = "vlnokresb";
const char* const storageColumns =
    "ID, PROT_NUM, VIN, REG_PLATE, VEH_MARK, VEH_MODEL, OWN_NAME, CHECK_DATE, PROT_MD5, PROT_DATA";

namespace fs = std::filesystem;

std::string storageTableDefinition(const std::string& name)
{
    return "CREATE TABLE " + name +
           " (ID INTEGER, PROT_NUM VARCHAR(255), VIN VARCHAR(255), REG_PLATE VARCHAR(255),"
           " VEH_MARK VARCHAR(255), VEH_MODEL VARCHAR(255), OWN_NAME VARCHAR(255),"
           " CHECK_DATE TIMESTAMP, PROT_MD5 VARCHAR(255), PROT_DATA BLOB SUB_TYPE 0)";
}

namespace {

using IBPP::detail::check;
using IBPP::detail::Client;

const short textLength = 255;

// Appends a numeric item to a database parameter buffer.
void addNumber(std::string& dpb, char item, unsigned value, int bytes)
{
    dpb += item;
    dpb += static_cast<char>(bytes);
    for (int i = 0; i < bytes; ++i)
        dpb += static_cast<char>(value >> (8 * i) & 0xFF);
}

void addText(std::string& dpb, char item, const char* value)
{
    dpb += item;
    dpb += static_cast<char>(std::strlen(value));
    dpb += value;
}

// A started transaction, rolled back unless committed.
class Transaction {
public:
    Transaction(const Client& fb, isc_db_handle* db) : fb_(fb)
    {
        static const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_concurrency,
                                   isc_tpb_wait};
        IBPP::detail::TransactionEntry entry{db, sizeof tpb, tpb};
        ISC_STATUS_ARRAY status;
        fb_.start_multiple(status, &handle_, 1, &entry);
        check(status);
    }
    ~Transaction()
    {
        if (handle_) {
            ISC_STATUS_ARRAY status;
            fb_.rollback_transaction(status, &handle_);
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    isc_tr_handle* handle() { return &handle_; }
    void commit()
    {
        ISC_STATUS_ARRAY status;
        fb_.commit_transaction(status, &handle_);
        check(status);
        handle_ = 0;
    }

private:
    const Client& fb_;
    isc_tr_handle handle_ = 0;
};

// One input parameter of the prepared insert, with room for its value.
struct Parameter {
    std::vector<char> value;
    short indicator = 0;
};

} // namespace

void makeParentFolders(const std::string& path)
{
    const fs::path parent = ansipath::toPath(path).parent_path();
    if (!parent.empty())
        fs::create_directories(parent);
}

struct StorageDatabase::Connection {
    const Client& fb;
    isc_db_handle handle = 0;
};

std::string zlibSegment(const std::string& inflated)
{
    uLongf size = compressBound(static_cast<uLong>(inflated.size()));
    std::string stream(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&stream[0]), &size,
                  reinterpret_cast<const Bytef*>(inflated.data()),
                  static_cast<uLong>(inflated.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress a segment");
    stream.resize(size);
    return stream;
}

std::vector<std::string> zlibSegments(const std::string& document, size_t chunk)
{
    if (chunk == 0)
        throw std::invalid_argument("zlibSegments: the chunk size must not be 0");
    std::vector<std::string> segments;
    for (size_t at = 0; at < document.size(); at += chunk)
        segments.push_back(zlibSegment(document.substr(at, chunk)));
    return segments;
}

std::string win1250(const std::string& utf8)
{
    if (utf8.empty())
        return utf8;
#ifdef _WIN32
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                               static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength <= 0)
        throw std::runtime_error("win1250: the text is not UTF-8");
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                        wideLength);
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                           nullptr, 0, nullptr, &lossy);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &result[0], length,
                        nullptr, &lossy);
    if (length <= 0 || lossy)
        throw std::runtime_error("win1250: a character is not in code page 1250: " + utf8);
    return result;
#else
    iconv_t converter = iconv_open("CP1250", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("win1250: iconv lacks CP1250");
    std::string result(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = &result[0];
    size_t outLeft = result.size();
    const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (done == static_cast<size_t>(-1) || inLeft != 0)
        throw std::runtime_error("win1250: a character is not in code page 1250: " + utf8);
    result.resize(result.size() - outLeft);
    return result;
#endif
}

StorageDatabase::StorageDatabase(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)), table_("EMISSIONS")
{
}

StorageDatabase::StorageDatabase(StorageDatabase&& other) noexcept
    : connection_(std::move(other.connection_)), path_(std::move(other.path_)),
      table_(std::move(other.table_))
{
}

StorageDatabase::~StorageDatabase()
{
    try {
        close();
    } catch (...) {
    }
}

StorageDatabase StorageDatabase::create(const std::string& path)
{
    const Client& fb = IBPP::detail::client();
    std::error_code ignored;
    fs::remove(ansipath::toPath(path), ignored);
    makeParentFolders(path);

    std::string dpb(1, static_cast<char>(isc_dpb_version1));
    addText(dpb, isc_dpb_user_name, storageUser);
    addText(dpb, isc_dpb_password, storagePassword);
    addNumber(dpb, isc_dpb_sql_dialect, SQL_DIALECT_V6, 1);
    addNumber(dpb, isc_dpb_page_size, 8192, 4);
    // Test databases need no synchronous writes; they make filling many times slower.
    addNumber(dpb, isc_dpb_force_write, 0, 1);

    auto connection = std::unique_ptr<Connection>(new Connection{fb});
    ISC_STATUS_ARRAY status;
    fb.create_database(status, static_cast<short>(path.size()), path.c_str(), &connection->handle,
                       static_cast<short>(dpb.size()), dpb.data(), 0);
    check(status);
    StorageDatabase db(std::move(connection));
    db.path_ = path;
    db.execute(storageTableDefinition("EMISSIONS"));
    return db;
}

void StorageDatabase::close()
{
    if (!connection_ || !connection_->handle)
        return;
    ISC_STATUS_ARRAY status;
    connection_->fb.detach_database(status, &connection_->handle);
    connection_->handle = 0;
    check(status);
}

void StorageDatabase::execute(const std::string& sql)
{
    if (!connection_ || !connection_->handle)
        throw std::runtime_error("StorageDatabase: the database is closed");
    const Client& fb = connection_->fb;
    Transaction tr(fb, &connection_->handle);
    ISC_STATUS_ARRAY status;
    fb.dsql_execute_immediate(status, &connection_->handle, tr.handle(),
                              static_cast<unsigned short>(sql.size()), sql.c_str(),
                              SQL_DIALECT_V6, nullptr);
    check(status);
    tr.commit();
}

void StorageDatabase::add(const Protocol& row)
{
    insert({&row});
}

void StorageDatabase::add(const std::vector<Protocol>& rows)
{
    std::vector<const Protocol*> pointers;
    pointers.reserve(rows.size());
    for (const Protocol& row : rows)
        pointers.push_back(&row);
    insert(pointers);
}

void StorageDatabase::insert(const std::vector<const Protocol*>& rows)
{
    if (!connection_ || !connection_->handle)
        throw std::runtime_error("StorageDatabase: the database is closed");
    const Client& fb = connection_->fb;
    isc_db_handle* db = &connection_->handle;
    Transaction tr(fb, db);
    ISC_STATUS_ARRAY status;

    isc_stmt_handle statement = 0;
    fb.dsql_allocate_statement(status, db, &statement);
    check(status);
    struct Drop {
        const Client& fb;
        isc_stmt_handle* statement;
        ~Drop()
        {
            ISC_STATUS_ARRAY ignored;
            fb.dsql_free_statement(ignored, statement, DSQL_drop);
        }
    } drop{fb, &statement};
    const std::string sql = "INSERT INTO " + table_ + " (" + storageColumns +
                            ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    fb.dsql_prepare(status, tr.handle(), &statement, static_cast<unsigned short>(sql.size()),
                    sql.c_str(), SQL_DIALECT_V6, nullptr);
    check(status);

    // The parameters in column order: ID, six texts, CHECK_DATE, PROT_MD5, PROT_DATA.
    const int count = 10;
    std::vector<char> storage(XSQLDA_LENGTH(count), 0);
    XSQLDA* in = reinterpret_cast<XSQLDA*>(storage.data());
    in->version = SQLDA_VERSION1;
    in->sqln = in->sqld = count;
    std::vector<Parameter> parameters(count);
    auto bind = [&](int i, short type, short length) {
        XSQLVAR& var = in->sqlvar[i];
        var.sqltype = static_cast<short>(type | 1);
        var.sqllen = length;
        parameters[i].value.assign(static_cast<size_t>(length) + (type == SQL_VARYING ? 2 : 0),
                                   0);
        var.sqldata = parameters[i].value.data();
        var.sqlind = &parameters[i].indicator;
    };
    bind(0, SQL_LONG, sizeof(ISC_LONG));
    for (int i = 1; i <= 6; ++i)
        bind(i, SQL_VARYING, textLength);
    bind(7, SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP));
    bind(8, SQL_VARYING, textLength);
    bind(9, SQL_BLOB, sizeof(ISC_QUAD));

    auto setText = [&](int i, const std::optional<std::string>& text) {
        parameters[i].indicator = text ? 0 : -1;
        if (!text)
            return;
        if (text->size() > static_cast<size_t>(textLength))
            throw std::runtime_error("StorageDatabase: a text is longer than 255 bytes");
        const unsigned short length = static_cast<unsigned short>(text->size());
        std::memcpy(parameters[i].value.data(), &length, 2);
        std::memcpy(parameters[i].value.data() + 2, text->data(), text->size());
    };

    for (const Protocol* row : rows) {
        parameters[0].indicator = row->id ? 0 : -1;
        const ISC_LONG id = row->id.value_or(0);
        std::memcpy(parameters[0].value.data(), &id, sizeof id);
        setText(1, row->protNum);
        setText(2, row->vin);
        setText(3, row->regPlate);
        setText(4, row->vehMark);
        setText(5, row->vehModel);
        setText(6, row->ownName);
        parameters[7].indicator = row->checkDate ? 0 : -1;
        if (row->checkDate) {
            const ISC_TIMESTAMP stamp = IBPP::detail::encodeTimestamp(*row->checkDate);
            std::memcpy(parameters[7].value.data(), &stamp, sizeof stamp);
        }
        setText(8, row->protMd5);
        parameters[9].indicator = row->protData ? 0 : -1;
        if (row->protData) {
            ISC_QUAD blobId{};
            isc_blob_handle blob = 0;
            fb.create_blob2(status, db, tr.handle(), &blob, &blobId, 0, nullptr);
            check(status);
            for (const std::string& segment : *row->protData) {
                if (segment.size() > 65535) {
                    fb.close_blob(status, &blob);
                    throw std::runtime_error("StorageDatabase: a segment is longer than 65535 bytes");
                }
                fb.put_segment(status, &blob, static_cast<unsigned short>(segment.size()),
                               segment.data());
                if (status[0] == 1 && status[1]) {
                    ISC_STATUS_ARRAY ignored;
                    fb.close_blob(ignored, &blob);
                    check(status);
                }
            }
            fb.close_blob(status, &blob);
            check(status);
            std::memcpy(parameters[9].value.data(), &blobId, sizeof blobId);
        }
        fb.dsql_execute(status, tr.handle(), &statement, SQLDA_VERSION1, in);
        check(status);
    }
    tr.commit();
}

} // namespace storage
