// Statements: preparing, executing and fetching, and the errors on the way.
#include "IbppTestSupport.h"

using namespace ibpptest;

namespace {

class Statements : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture_.emplace(fixtures::StorageDatabase::create(testFile()));
        std::vector<fixtures::Protocol> rows;
        for (int id = 1; id <= 5; ++id) {
            fixtures::Protocol p;
            p.id = id;
            p.vin = "VIN" + std::to_string(id);
            p.checkDate = IBPP::Timestamp(2022, 1, id);
            rows.push_back(p);
        }
        fixture_->add(rows);
    }

    // Starts a transaction and a statement on a fresh attachment.
    void open()
    {
        fixture_->close();
        db_ = connect(testFile());
        tr_ = IBPP::TransactionFactory(db_);
        tr_->Start();
        st_ = IBPP::StatementFactory(db_, tr_);
    }

    // Fetches every row left; returns their IDs.
    std::vector<int> ids()
    {
        std::vector<int> result;
        IBPP::Row row;
        while (st_->Fetch(row)) {
            int id = 0;
            row->Get("ID", id);
            result.push_back(id);
        }
        return result;
    }

    std::optional<fixtures::StorageDatabase> fixture_;
    IBPP::Database db_;
    IBPP::Transaction tr_;
    IBPP::Statement st_;
};

} // namespace

TEST_F(Statements, FetchRunsToTheEndAndExecuteStartsOver)
{
    open();
    IBPP::Row row;
    EXPECT_THROW(st_->Fetch(row), IBPP::Exception);   // nothing executed yet
    st_->Prepare("SELECT ID FROM EMISSIONS");
    st_->Execute();
    for (int expected = 1; expected <= 5; ++expected) {
        ASSERT_TRUE(st_->Fetch(row));
        int id = 0;
        row->Get("ID", id);
        EXPECT_EQ(id, expected);
    }
    EXPECT_FALSE(st_->Fetch(row));
    EXPECT_FALSE(st_->Fetch(row));
    int last = 0;
    row->Get("ID", last);   // the handle still names the last row
    EXPECT_EQ(last, 5);
    st_->Execute();
    EXPECT_EQ(ids().size(), 5u);
    st_->Execute("SELECT ID FROM EMISSIONS WHERE ID > 3");
    EXPECT_EQ(ids(), (std::vector<int>{4, 5}));
    st_->Close();
    st_->Close();
    EXPECT_THROW(st_->Fetch(row), IBPP::Exception);
}

TEST_F(Statements, ErrorsOfPreparingCarryFirebirdsText)
{
    open();
    try {
        st_->Prepare("SELECT * FROM NO_SUCH_TABLE");
        FAIL() << "prepared a query of a missing table";
    } catch (const IBPP::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("NO_SUCH_TABLE"), std::string::npos) << e.what();
    }
    EXPECT_THROW(st_->Prepare("SELEKT"), IBPP::Exception);
    // The text's length travels in 16 bits; a longer one must not be cut into another statement.
    EXPECT_THROW(st_->Prepare("SELECT ID FROM EMISSIONS" + std::string(65536, ' ')),
                 IBPP::Exception);
    EXPECT_THROW(st_->Execute(), IBPP::Exception);   // nothing prepared
    tr_->Commit();
    EXPECT_THROW(st_->Prepare("SELECT ID FROM EMISSIONS"), IBPP::Exception);
    EXPECT_THROW(IBPP::StatementFactory(db_, IBPP::Transaction()), IBPP::Exception);
}

TEST_F(Statements, AnErrorInTheMiddleOfFetching)
{
    for (const char* column : {"VIN", "ID", "CHECK_DATE"}) {
        fixture_.reset();
        fixture_.emplace(fixtures::StorageDatabase::create(testFile()));
        std::vector<fixtures::Protocol> rows(5);
        for (int id = 1; id <= 5; ++id) {
            rows[static_cast<size_t>(id - 1)].id = id;
            rows[static_cast<size_t>(id - 1)].checkDate = IBPP::Timestamp(2022, 1, id);
        }
        fixture_->add(rows);
        fixture_->failAtRow(3, column);
        open();
        st_->Execute("SELECT * FROM EMISSIONS");
        IBPP::Row row;
        EXPECT_TRUE(st_->Fetch(row)) << column;
        EXPECT_TRUE(st_->Fetch(row)) << column;
        try {
            st_->Fetch(row);
            ADD_FAILURE() << "row 3 fetched despite its failing " << column;
        } catch (const IBPP::Exception& e) {
            EXPECT_NE(std::string(e.what()).find("divide"), std::string::npos) << e.what();
        }
        int id = 0;
        row->Get("ID", id);
        EXPECT_EQ(id, 2) << column;
        db_.clear();
        st_.clear();
        tr_.clear();
    }
}

TEST_F(Statements, WideResultsAndStatementsWithoutResult)
{
    open();
    std::string sql = "SELECT ID";
    for (int i = 1; i <= 40; ++i)
        sql += ", " + std::to_string(i * 10) + " AS C" + std::to_string(i);
    st_->Execute(sql + " FROM EMISSIONS WHERE ID = 2");
    IBPP::Row row;
    ASSERT_TRUE(st_->Fetch(row));
    int value = 0;
    row->Get("C40", value);
    EXPECT_EQ(value, 400);
    row->Get("ID", value);
    EXPECT_EQ(value, 2);

    st_->Execute("UPDATE EMISSIONS SET VIN = NULL WHERE ID = 1");
    EXPECT_THROW(st_->Fetch(row), IBPP::Exception);
}

TEST_F(Statements, AResultSetEndsWithItsTransaction)
{
    open();
    st_->Execute("SELECT ID FROM EMISSIONS");
    IBPP::Row row;
    ASSERT_TRUE(st_->Fetch(row));
    tr_->Commit();
    EXPECT_THROW(st_->Fetch(row), IBPP::Exception);
    st_->Close();   // the commit closed the cursor already
    tr_->Start();
    st_->Execute();
    EXPECT_EQ(ids().size(), 5u);
}
