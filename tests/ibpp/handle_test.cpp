// Handles: reference counting, sharing one attachment, and disconnecting with the last handle.
#include "IbppTestSupport.h"

using namespace ibpptest;

namespace {

class Handles : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixtures::StorageDatabase::create(testFile()).close();
        monitor_ = connect(testFile());
    }

    // Attachments to the database besides the monitor's own.
    int others()
    {
        int n = -1;
        select(monitor_, "SELECT COUNT(*) AS N FROM MON$ATTACHMENTS WHERE MON$SYSTEM_FLAG = 0 "
                         "AND MON$ATTACHMENT_ID <> CURRENT_CONNECTION")[0]
            ->Get("N", n);
        return n;
    }

    IBPP::Database monitor_;
};

} // namespace

TEST_F(Handles, CopiesShareOneAttachmentThatGoesWithTheLastHandle)
{
    IBPP::Database first = connect(testFile());
    EXPECT_EQ(others(), 1);
    IBPP::Database second = first;
    IBPP::Database third;
    third = second;
    EXPECT_TRUE(first == third);
    EXPECT_EQ(others(), 1);
    first.clear();
    second = nullptr;
    EXPECT_TRUE(first == nullptr);
    EXPECT_TRUE(third->Connected());
    EXPECT_EQ(others(), 1);
    third.clear();
    EXPECT_EQ(others(), 0);
}

TEST_F(Handles, DisconnectThroughOneHandleIsSeenThroughAll)
{
    IBPP::Database first = connect(testFile());
    IBPP::Database second = first;
    second->Disconnect();
    EXPECT_FALSE(first->Connected());
    EXPECT_EQ(others(), 0);
    first->Connect();
    EXPECT_TRUE(second->Connected());
}

TEST_F(Handles, AssigningReleasesTheObjectHeldBefore)
{
    IBPP::Database db = connect(testFile());
    EXPECT_EQ(others(), 1);
    db = storageHandle(testFile());   // a new, unconnected object
    EXPECT_FALSE(db->Connected());
    EXPECT_EQ(others(), 0);
}

TEST_F(Handles, DependentObjectsKeepTheirDatabase)
{
    IBPP::Database db = connect(testFile());
    IBPP::Transaction tr = IBPP::TransactionFactory(db);
    IBPP::Statement st = IBPP::StatementFactory(db, tr);
    db.clear();
    tr->Start();
    st->Execute("SELECT ID FROM EMISSIONS");
    EXPECT_EQ(others(), 1);
    tr.clear();
    EXPECT_EQ(others(), 1);   // the statement still holds transaction and database
    st.clear();
    EXPECT_EQ(others(), 0);
}

TEST_F(Handles, NullHandles)
{
    IBPP::Database db;
    EXPECT_TRUE(db == nullptr);
    EXPECT_TRUE(db == 0);
    EXPECT_TRUE(0 == db);
    EXPECT_FALSE(db);
    EXPECT_EQ(db.intf(), nullptr);
    EXPECT_THROW(db->Connect(), IBPP::Exception);
    db = storageHandle(testFile());
    EXPECT_TRUE(db != 0);
    EXPECT_TRUE(static_cast<bool>(db));
}
