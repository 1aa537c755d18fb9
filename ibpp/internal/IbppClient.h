// Inside the database layer: the run-time loaded Firebird client and what turns its status
// vectors into Exception. The test fixtures use it too, to write databases through the same
// client; products use only <ibpp.h>.
#pragma once

#include <ibpp.h>

#include <ibase.h>

namespace IBPP::detail {

// The client functions the layer and the test fixtures call, with the client's own signatures.
struct Client {
    decltype(&isc_attach_database) attach_database;
    decltype(&isc_create_database) create_database;
    decltype(&isc_detach_database) detach_database;
    decltype(&isc_start_multiple) start_multiple;
    decltype(&isc_commit_transaction) commit_transaction;
    decltype(&isc_rollback_transaction) rollback_transaction;
    decltype(&isc_dsql_allocate_statement) dsql_allocate_statement;
    decltype(&isc_dsql_prepare) dsql_prepare;
    decltype(&isc_dsql_describe) dsql_describe;
    decltype(&isc_dsql_execute) dsql_execute;
    decltype(&isc_dsql_execute_immediate) dsql_execute_immediate;
    decltype(&isc_dsql_fetch) dsql_fetch;
    decltype(&isc_dsql_free_statement) dsql_free_statement;
    decltype(&isc_create_blob2) create_blob2;
    decltype(&isc_open_blob2) open_blob2;
    decltype(&isc_blob_info) blob_info;
    decltype(&isc_get_segment) get_segment;
    decltype(&isc_put_segment) put_segment;
    decltype(&isc_close_blob) close_blob;
    decltype(&fb_interpret) interpret;
};

// The loaded client; loads it on first need and keeps it. Raises Exception when it is missing
// or lacks one of the functions (and tries again on the next call).
const Client& client();

// Tests only: the file name the next load tries instead of the platform's client library.
void setClientLibraryForTesting(const char* name);

// Raises Exception with the interpreted text when `status` reports an error.
void check(const ISC_STATUS* status);

// One entry of the transaction parameter array of isc_start_multiple.
struct TransactionEntry {
    isc_db_handle* db;
    ISC_LONG tpbLength;
    const char* tpb;
};

// Firebird's stored date and time (days since 17 November 1858, ten-thousandths of a second).
ISC_TIMESTAMP encodeTimestamp(const Timestamp& value);
Timestamp decodeTimestamp(const ISC_TIMESTAMP& value);
Timestamp decodeDate(ISC_DATE value);

} // namespace IBPP::detail
