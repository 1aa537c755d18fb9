// Transactions: what is committed stays, what is released without commit is rolled back.
#include "IbppTestSupport.h"

using namespace ibpptest;

namespace {

class Transactions : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fixture = fixtures::StorageDatabase::create(testFile());
        fixtures::Protocol p;
        p.id = 1;
        p.vin = "ORIGINAL";
        fixture.add(p);
        fixture.close();
        db_ = connect(testFile());
    }

    int rows()
    {
        int n = -1;
        select(db_, "SELECT COUNT(*) AS N FROM EMISSIONS")[0]->Get("N", n);
        return n;
    }

    void run(IBPP::Transaction tr, const std::string& sql)
    {
        IBPP::StatementFactory(db_, tr)->Execute(sql);
    }

    IBPP::Database db_;
};

} // namespace

TEST_F(Transactions, ChangeReleasedWithoutCommitIsGone)
{
    {
        IBPP::Transaction tr = IBPP::TransactionFactory(db_);
        tr->Start();
        EXPECT_TRUE(tr->Started());
        run(tr, "INSERT INTO EMISSIONS (ID, VIN) VALUES (2, 'ADDED')");
        IBPP::Statement st = IBPP::StatementFactory(db_, tr, "SELECT ID FROM EMISSIONS");
        st->Execute();
        IBPP::Row row;
        int seen = 0;
        while (st->Fetch(row))
            ++seen;
        EXPECT_EQ(seen, 2);   // visible inside its own transaction
    }
    EXPECT_EQ(rows(), 1);
}

TEST_F(Transactions, CommitKeepsAndRollbackDiscards)
{
    IBPP::Transaction tr = IBPP::TransactionFactory(db_);
    tr->Start();
    run(tr, "INSERT INTO EMISSIONS (ID) VALUES (2)");
    tr->Commit();
    EXPECT_FALSE(tr->Started());
    EXPECT_EQ(rows(), 2);

    tr->Start();   // the same object runs a new transaction
    run(tr, "DELETE FROM EMISSIONS");
    tr->Rollback();
    EXPECT_EQ(rows(), 2);

    EXPECT_THROW(tr->Commit(), IBPP::Exception);
    EXPECT_THROW(tr->Rollback(), IBPP::Exception);
}

TEST_F(Transactions, ParametersReachTheEngine)
{
    IBPP::Transaction reader = IBPP::TransactionFactory(db_, IBPP::amRead);
    reader->Start();
    EXPECT_THROW(run(reader, "INSERT INTO EMISSIONS (ID) VALUES (3)"), IBPP::Exception);

    // A second writer of the same row fails at once instead of waiting.
    IBPP::Transaction first = IBPP::TransactionFactory(db_);
    first->Start();
    run(first, "UPDATE EMISSIONS SET VIN = 'FIRST'");
    IBPP::Transaction second =
        IBPP::TransactionFactory(db_, IBPP::amWrite, IBPP::ilConcurrency, IBPP::lrNoWait);
    second->Start();
    EXPECT_THROW(run(second, "UPDATE EMISSIONS SET VIN = 'SECOND'"), IBPP::Exception);
}

TEST_F(Transactions, NeedAConnectedDatabase)
{
    IBPP::Transaction tr = IBPP::TransactionFactory(db_);
    db_->Disconnect();
    EXPECT_THROW(tr->Start(), IBPP::Exception);
    EXPECT_FALSE(tr->Started());
    EXPECT_THROW(IBPP::TransactionFactory(IBPP::Database()), IBPP::Exception);
}
