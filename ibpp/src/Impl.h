// The objects behind the layer's handles. Each owns one Firebird handle and closes it in its
// destructor, ignoring errors there.
#pragma once

#include "IbppClient.h"

#include <memory>
#include <string>
#include <vector>

namespace IBPP::detail {

class DatabaseImpl;
class TransactionImpl;

// The objects behind handles; each raises Exception for a null handle.
DatabaseImpl& databaseOf(const Database& db);
TransactionImpl& transactionOf(const Transaction& tr);

class DatabaseImpl final : public IDatabase {
public:
    DatabaseImpl(const Client& client, std::string name, std::string user, std::string password,
                 std::string role, std::string charset);
    ~DatabaseImpl() override;

    void Connect() override;
    bool Connected() const override { return handle_ != 0; }
    void Disconnect() override;

    isc_db_handle* handle() { return &handle_; }
    const Client& fb() const { return fb_; }

private:
    const Client& fb_;
    std::string name_;
    std::string dpb_;
    isc_db_handle handle_ = 0;
};

class TransactionImpl final : public ITransaction {
public:
    TransactionImpl(Database db, TAM am, TIL il, TLR lr, TFF flags);
    ~TransactionImpl() override;

    void Start() override;
    void Commit() override;
    void Rollback() override;
    bool Started() const override { return handle_ != 0; }

    // The handle of the started transaction; raises when it has not been started.
    isc_tr_handle* started(const char* operation);
    // Counts the starts, so that a statement knows whether its cursor outlived its transaction.
    unsigned generation() const { return generation_; }

private:
    Database holder_;
    DatabaseImpl& db_;
    std::string tpb_;
    isc_tr_handle handle_ = 0;
    unsigned generation_ = 0;
};

// Where each output column lies in a row's buffer, shared by the statement and its rows.
struct Column {
    std::string name;
    short type;        // SQL type without the NULL flag
    short scale;
    short length;      // sqllen as described
    size_t data;       // offset of the value
    size_t indicator;  // offset of the NULL indicator
};

struct Layout {
    std::vector<Column> columns;
    size_t size = 0;

    // The column of that name, by whole name without regard to ASCII letter case; raises when
    // there is none.
    const Column& find(const std::string& name) const;
};

class RowImpl final : public IRow {
public:
    RowImpl(std::shared_ptr<const Layout> layout, const char* buffer);

    bool Get(const std::string& column, std::string& value) const override;
    bool Get(const std::string& column, int& value) const override;
    bool Get(const std::string& column, Timestamp& value) const override;
    bool Get(const std::string& column, Blob& value) const override;

private:
    // The column, its value and whether it is NULL.
    const Column& column(const std::string& name, const char*& value, bool& null) const;

    std::shared_ptr<const Layout> layout_;
    std::vector<char> buffer_;
};

class StatementImpl final : public IStatement {
public:
    StatementImpl(Database db, Transaction tr);
    ~StatementImpl() override;

    void Prepare(const std::string& sql) override;
    void Execute(const std::string& sql) override;
    bool Fetch(Row& row) override;
    void Close() override;

private:
    void describe();

    Database dbHolder_;
    Transaction trHolder_;
    DatabaseImpl& db_;
    TransactionImpl& tr_;
    isc_stmt_handle handle_ = 0;
    bool prepared_ = false;
    bool open_ = false;
    bool atEnd_ = false;
    unsigned openedIn_ = 0;      // generation of the transaction that opened the cursor
    std::vector<char> output_;   // XSQLDA of the output columns
    std::shared_ptr<const Layout> layout_;
    std::vector<char> buffer_;   // the row being fetched
};

class BlobImpl final : public IBlob {
public:
    BlobImpl(Database db, Transaction tr);
    ~BlobImpl() override;

    void Open() override;
    void Close() override;
    void GetInfo(int* size, int* largest, int* segments) override;
    int Read(void* buffer, int size) override;

    // Given by a row: the blob id of its column, or none for NULL.
    void assign(const ISC_QUAD* id);

private:
    Database dbHolder_;
    Transaction trHolder_;
    DatabaseImpl& db_;
    TransactionImpl& tr_;
    ISC_QUAD id_{};
    bool hasId_ = false;
    isc_blob_handle handle_ = 0;
};

} // namespace IBPP::detail
