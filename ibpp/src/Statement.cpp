// Statement objects: prepare, execute and fetch over the DSQL calls; each fetched row is copied
// into a Row of its own.
#include "Impl.h"

#include <cstring>

namespace IBPP {

namespace detail {

namespace {

const unsigned short sqldaVersion = SQLDA_VERSION1;
const short initialColumns = 32;
const ISC_STATUS endOfCursor = 100;

XSQLDA* sqlda(std::vector<char>& storage)
{
    return reinterpret_cast<XSQLDA*>(storage.data());
}

// Room for an XSQLDA of `columns` columns.
void allocate(std::vector<char>& storage, short columns)
{
    storage.assign(XSQLDA_LENGTH(columns), 0);
    XSQLDA* da = sqlda(storage);
    da->version = SQLDA_VERSION1;
    da->sqln = columns;
}

size_t alignUp(size_t offset, size_t alignment)
{
    return (offset + alignment - 1) / alignment * alignment;
}

} // namespace

StatementImpl::StatementImpl(Database db, Transaction tr)
    : dbHolder_(db), trHolder_(tr),
      db_(databaseOf(db)), tr_(transactionOf(tr))
{
}

StatementImpl::~StatementImpl()
{
    if (handle_ && db_.Connected()) {
        ISC_STATUS_ARRAY status;
        db_.fb().dsql_free_statement(status, &handle_, DSQL_drop);
    }
}

void StatementImpl::Prepare(const std::string& sql)
{
    if (sql.size() > 65535)
        throw Exception("The statement text is longer than 65535 bytes.");
    if (!db_.Connected())
        throw Exception("The statement cannot be prepared: the database is not connected.");
    isc_tr_handle* tr = tr_.started("Prepare");
    Close();
    ISC_STATUS_ARRAY status;
    if (!handle_) {
        db_.fb().dsql_allocate_statement(status, db_.handle(), &handle_);
        check(status);
    }
    prepared_ = false;
    layout_.reset();
    allocate(output_, initialColumns);
    db_.fb().dsql_prepare(status, tr, &handle_, static_cast<unsigned short>(sql.size()),
                          sql.data(), SQL_DIALECT_V6, sqlda(output_));
    check(status);
    if (sqlda(output_)->sqld > sqlda(output_)->sqln) {
        allocate(output_, sqlda(output_)->sqld);
        db_.fb().dsql_describe(status, &handle_, sqldaVersion, sqlda(output_));
        check(status);
    }
    describe();
    prepared_ = true;
}

// Lays the output columns out in one row buffer and points the XSQLDA at it.
void StatementImpl::describe()
{
    auto layout = std::make_shared<Layout>();
    XSQLDA* da = sqlda(output_);
    size_t offset = 0;
    for (short i = 0; i < da->sqld; ++i) {
        const XSQLVAR& var = da->sqlvar[i];
        Column column;
        column.name.assign(var.aliasname, static_cast<size_t>(var.aliasname_length));
        column.type = static_cast<short>(var.sqltype & ~1);
        column.scale = var.sqlscale;
        column.length = var.sqllen;
        size_t size = static_cast<unsigned short>(var.sqllen);
        if (column.type == SQL_VARYING)
            size += 2;
        column.data = offset = alignUp(offset, 8);
        offset += size;
        column.indicator = offset = alignUp(offset, alignof(short));
        offset += sizeof(short);
        layout->columns.push_back(std::move(column));
    }
    layout->size = alignUp(offset, 8);
    buffer_.assign(layout->size, 0);
    for (short i = 0; i < da->sqld; ++i) {
        XSQLVAR& var = da->sqlvar[i];
        const Column& column = layout->columns[static_cast<size_t>(i)];
        var.sqldata = buffer_.data() + column.data;
        var.sqlind = reinterpret_cast<short*>(buffer_.data() + column.indicator);
    }
    layout_ = std::move(layout);
}

void StatementImpl::Execute(const std::string& sql)
{
    if (!sql.empty())
        Prepare(sql);
    if (!prepared_)
        throw Exception("Execute: no statement has been prepared.");
    isc_tr_handle* tr = tr_.started("Execute");
    Close();
    ISC_STATUS_ARRAY status;
    db_.fb().dsql_execute(status, tr, &handle_, sqldaVersion, nullptr);
    check(status);
    if (!layout_->columns.empty()) {
        open_ = true;
        atEnd_ = false;
        openedIn_ = tr_.generation();
    }
}

bool StatementImpl::Fetch(Row& row)
{
    if (!open_)
        throw Exception("Fetch: the statement has no open result set.");
    if (!tr_.Started() || tr_.generation() != openedIn_)
        throw Exception("Fetch: the transaction of the result set has ended.");
    if (atEnd_)
        return false;
    std::memset(buffer_.data(), 0, buffer_.size());
    ISC_STATUS_ARRAY status;
    const ISC_STATUS result = db_.fb().dsql_fetch(status, &handle_, sqldaVersion, sqlda(output_));
    if (result == endOfCursor) {
        atEnd_ = true;
        return false;
    }
    check(status);
    row = Row(new RowImpl(layout_, buffer_.data()));
    return true;
}

void StatementImpl::Close()
{
    if (!open_)
        return;
    open_ = false;
    atEnd_ = false;
    // The end of its transaction has closed the cursor already.
    if (!tr_.Started() || tr_.generation() != openedIn_ || !db_.Connected())
        return;
    ISC_STATUS_ARRAY status;
    db_.fb().dsql_free_statement(status, &handle_, DSQL_close);
    check(status);
}

} // namespace detail

Statement StatementFactory(Database db, Transaction tr, const std::string& sql)
{
    Statement statement(new detail::StatementImpl(db, tr));
    if (!sql.empty())
        statement->Prepare(sql);
    return statement;
}

} // namespace IBPP
