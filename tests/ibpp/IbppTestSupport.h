// Shared by the database layer's tests: a database file of each test's own, and the fixed
// connection of the storage databases.
#pragma once

#include <ibpp.h>

#include "Files.h"
#include "StorageFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ibpptest {

// The scratch folder of this test program, removed when it ends.
inline support::ScratchFolder& scratch()
{
    static support::ScratchFolder folder("ibpp");
    return folder;
}

// A file name of the running test's own, so that no two tests share a database.
inline std::string testFile(const std::string& extension = ".gdb")
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return scratch().File(std::string(test->test_suite_name()) + "." + test->name() + extension);
}

inline IBPP::Database storageHandle(const std::string& path)
{
    return IBPP::DatabaseFactory("", path, fixtures::storageUser, fixtures::storagePassword, "", "", "");
}

// Attached with the fixed connection.
using fixtures::connect;

// Runs `sql` on `db` in a fresh transaction and returns the rows it delivers.
inline std::vector<IBPP::Row> select(IBPP::Database db, const std::string& sql)
{
    IBPP::Transaction tr = IBPP::TransactionFactory(db);
    tr->Start();
    IBPP::Statement st = IBPP::StatementFactory(db, tr);
    st->Prepare(sql);
    st->Execute();
    std::vector<IBPP::Row> rows;
    IBPP::Row row;
    while (st->Fetch(row))
        rows.push_back(row);
    return rows;
}

} // namespace ibpptest
