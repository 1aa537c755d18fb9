// Transaction objects: started with isc_start_multiple, rolled back when released unfinished.
#include "Impl.h"

namespace IBPP {

namespace detail {

DatabaseImpl& databaseOf(const Database& db)
{
    if (!db)
        nullHandle();
    return static_cast<DatabaseImpl&>(*db.intf());
}

TransactionImpl& transactionOf(const Transaction& tr)
{
    if (!tr)
        nullHandle();
    return static_cast<TransactionImpl&>(*tr.intf());
}

TransactionImpl::TransactionImpl(Database db, TAM am, TIL il, TLR lr, TFF flags)
    : holder_(db), db_(databaseOf(db))
{
    tpb_ += static_cast<char>(isc_tpb_version3);
    tpb_ += static_cast<char>(am == amRead ? isc_tpb_read : isc_tpb_write);
    switch (il) {
    case ilConcurrency:
        tpb_ += static_cast<char>(isc_tpb_concurrency);
        break;
    case ilReadDirty:
        tpb_ += static_cast<char>(isc_tpb_read_committed);
        tpb_ += static_cast<char>(isc_tpb_rec_version);
        break;
    case ilReadCommitted:
        tpb_ += static_cast<char>(isc_tpb_read_committed);
        tpb_ += static_cast<char>(isc_tpb_no_rec_version);
        break;
    case ilConsistency:
        tpb_ += static_cast<char>(isc_tpb_consistency);
        break;
    }
    tpb_ += static_cast<char>(lr == lrNoWait ? isc_tpb_nowait : isc_tpb_wait);
    if (flags & tfIgnoreLimbo)
        tpb_ += static_cast<char>(isc_tpb_ignore_limbo);
    if (flags & tfAutoCommit)
        tpb_ += static_cast<char>(isc_tpb_autocommit);
    if (flags & tfNoAutoUndo)
        tpb_ += static_cast<char>(isc_tpb_no_auto_undo);
}

TransactionImpl::~TransactionImpl()
{
    if (handle_) {
        ISC_STATUS_ARRAY status;
        db_.fb().rollback_transaction(status, &handle_);
    }
}

void TransactionImpl::Start()
{
    if (handle_)
        return;
    if (!db_.Connected())
        throw Exception("The transaction cannot start: the database is not connected.");
    TransactionEntry entry{db_.handle(), static_cast<ISC_LONG>(tpb_.size()), tpb_.data()};
    ISC_STATUS_ARRAY status;
    db_.fb().start_multiple(status, &handle_, 1, &entry);
    if (status[0] == 1 && status[1]) {
        handle_ = 0;
        check(status);
    }
    ++generation_;
}

void TransactionImpl::Commit()
{
    isc_tr_handle* handle = started("Commit");
    ISC_STATUS_ARRAY status;
    db_.fb().commit_transaction(status, handle);
    check(status);
    handle_ = 0;
}

void TransactionImpl::Rollback()
{
    isc_tr_handle* handle = started("Rollback");
    ISC_STATUS_ARRAY status;
    db_.fb().rollback_transaction(status, handle);
    check(status);
    handle_ = 0;
}

isc_tr_handle* TransactionImpl::started(const char* operation)
{
    if (!handle_)
        throw Exception(std::string(operation) + ": the transaction has not been started.");
    return &handle_;
}

} // namespace detail

Transaction TransactionFactory(Database db, TAM am, TIL il, TLR lr, TFF flags)
{
    return Transaction(new detail::TransactionImpl(db, am, il, lr, flags));
}

} // namespace IBPP
