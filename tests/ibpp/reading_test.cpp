// Reading columns by name: texts exactly as stored, integers, timestamps, NULLs and wrong types.
#include "IbppTestSupport.h"

#include <array>

using namespace ibpptest;

namespace {

// A timestamp's year, month, day, hours, minutes, seconds and ten-thousandths, to compare whole.
using Fields = std::array<int, 7>;

Fields FieldsOf(const IBPP::Timestamp& t)
{
    return {t.Year(), t.Month(), t.Day(), t.Hours(), t.Minutes(), t.Seconds(), t.SubSeconds()};
}

class Reading : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        path_ = scratch().File("Reading.gdb");   // one database for the suite
        auto db = fixtures::StorageDatabase::create(path_);
        fixtures::Protocol full;
        full.id = 1;
        full.protNum = "  KX40/2021/17 ";
        full.vin = "TMB'JJ7NE8J0123456";
        full.regPlate = "";
        full.vehMark = fixtures::win1250("Škoda");
        full.vehModel = "Octavia Combi";
        full.ownName = fixtures::win1250("Jiří Čermák-Žluťoučký");
        full.checkDate = IBPP::Timestamp(2021, 3, 4, 10, 22, 31, 1234);
        full.protMd5 = "0123456789abcdef0123456789ABCDEF";
        full.protData = fixtures::zlibSegments("<protokol/>");
        fixtures::Protocol empty;   // every column NULL but the id
        empty.id = -7;
        fixtures::Protocol low;
        low.id = -2147483647 - 1;
        low.checkDate = IBPP::Timestamp(1, 1, 1);
        fixtures::Protocol high;
        high.id = 2147483647;
        high.checkDate = IBPP::Timestamp(9999, 12, 31, 23, 59, 59, 9999);
        db.add({full, empty, low, high});
        db.execute("CREATE TABLE OTHERS (C CHAR(8), N NUMERIC(9,2), S SMALLINT, B BIGINT, "
                   "D DATE, F DOUBLE PRECISION)");
        db.execute("INSERT INTO OTHERS VALUES ('ab', 1.5, -3, 5000000000, DATE '2020-02-29', 0.5)");
    }
    void SetUp() override
    {
        db_ = connect(path_);
        rows_ = select(db_, "SELECT * FROM EMISSIONS");
        ASSERT_EQ(rows_.size(), 4u);
    }

    static std::string path_;
    IBPP::Database db_;
    std::vector<IBPP::Row> rows_;
};

std::string Reading::path_;

} // namespace

TEST_F(Reading, TextComesBackExactlyAsStored)
{
    const IBPP::Row& row = rows_[0];
    std::string value;
    EXPECT_FALSE(row->Get("PROT_NUM", value));
    EXPECT_EQ(value, "  KX40/2021/17 ");
    row->Get("VIN", value);
    EXPECT_EQ(value, "TMB'JJ7NE8J0123456");
    row->Get("VEH_MARK", value);
    EXPECT_EQ(value, "\x8akoda");
    row->Get("OWN_NAME", value);
    EXPECT_EQ(value, "Ji\xf8\xed \xc8\x65rm\xe1k-\x8elu\x9dou\xe8k\xfd");
    row->Get("PROT_MD5", value);
    EXPECT_EQ(value, "0123456789abcdef0123456789ABCDEF");
    // An empty text is no NULL.
    value = "previous";
    EXPECT_FALSE(row->Get("REG_PLATE", value));
    EXPECT_EQ(value, "");
    // Names are found without regard to letter case, like unquoted SQL names.
    row->Get("veh_model", value);
    EXPECT_EQ(value, "Octavia Combi");
}

TEST_F(Reading, NullReportsTrueAndLeavesTheValueAsItWas)
{
    const IBPP::Row& row = rows_[1];
    for (const char* column : {"PROT_NUM", "VIN", "REG_PLATE", "VEH_MARK", "VEH_MODEL",
                               "OWN_NAME", "PROT_MD5"}) {
        std::string value = "previous";
        EXPECT_TRUE(row->Get(column, value)) << column;
        EXPECT_EQ(value, "previous") << column;
    }
    IBPP::Timestamp stamp;
    EXPECT_TRUE(row->Get("CHECK_DATE", stamp));
    // The default, the zero of the class library's dates.
    EXPECT_EQ((Fields{1899, 12, 30, 0, 0, 0, 0}), FieldsOf(stamp));
    int number = 5;
    EXPECT_FALSE(row->Get("ID", number));
    EXPECT_EQ(number, -7);
}

TEST_F(Reading, IntegersAcrossTheirWholeRange)
{
    int id = 0;
    EXPECT_FALSE(rows_[2]->Get("ID", id));
    EXPECT_EQ(id, -2147483647 - 1);
    EXPECT_FALSE(rows_[3]->Get("ID", id));
    EXPECT_EQ(id, 2147483647);
}

TEST_F(Reading, TimestampsKeepTheirFractionOfASecond)
{
    IBPP::Timestamp t;
    EXPECT_FALSE(rows_[0]->Get("CHECK_DATE", t));
    EXPECT_EQ((Fields{2021, 3, 4, 10, 22, 31, 1234}), FieldsOf(t));
    rows_[2]->Get("CHECK_DATE", t);
    EXPECT_EQ((Fields{1, 1, 1, 0, 0, 0, 0}), FieldsOf(t));
    rows_[3]->Get("CHECK_DATE", t);
    EXPECT_EQ((Fields{9999, 12, 31, 23, 59, 59, 9999}), FieldsOf(t));
}

TEST_F(Reading, UnknownColumnOrUnsuitableTypeRaises)
{
    const IBPP::Row& row = rows_[0];
    std::string text;
    int number = 0;
    IBPP::Timestamp stamp;
    IBPP::Transaction tr = IBPP::TransactionFactory(db_);
    IBPP::Blob blob = IBPP::BlobFactory(db_, tr);
    EXPECT_THROW(row->Get("NO_SUCH_COLUMN", text), IBPP::Exception);
    EXPECT_THROW(row->Get("PROT", text), IBPP::Exception);
    EXPECT_THROW(row->Get("ID", text), IBPP::Exception);
    EXPECT_THROW(row->Get("PROT_DATA", text), IBPP::Exception);
    EXPECT_THROW(row->Get("VIN", number), IBPP::Exception);
    EXPECT_THROW(row->Get("VIN", stamp), IBPP::Exception);
    EXPECT_THROW(row->Get("CHECK_DATE", blob), IBPP::Exception);
}

TEST_F(Reading, OtherColumnTypes)
{
    std::vector<IBPP::Row> rows = select(db_, "SELECT * FROM OTHERS");
    ASSERT_EQ(rows.size(), 1u);
    std::string text;
    rows[0]->Get("C", text);
    EXPECT_EQ(text, "ab      ");   // CHAR keeps the padding Firebird delivers
    int number = 0;
    EXPECT_FALSE(rows[0]->Get("S", number));
    EXPECT_EQ(number, -3);
    EXPECT_THROW(rows[0]->Get("N", number), IBPP::Exception);   // has decimals
    EXPECT_THROW(rows[0]->Get("B", number), IBPP::Exception);   // beyond 32 bits
    EXPECT_THROW(rows[0]->Get("F", number), IBPP::Exception);
    EXPECT_EQ(number, -3);
    IBPP::Timestamp date;
    EXPECT_FALSE(rows[0]->Get("D", date));
    EXPECT_EQ((Fields{2020, 2, 29, 0, 0, 0, 0}), FieldsOf(date));

    std::vector<IBPP::Row> count = select(db_, "SELECT COUNT(*) AS N FROM EMISSIONS");
    EXPECT_FALSE(count[0]->Get("N", number));   // BIGINT within 32 bits
    EXPECT_EQ(number, 4);
}

TEST_F(Reading, EachFetchDeliversARowOfItsOwn)
{
    IBPP::Transaction tr = IBPP::TransactionFactory(db_);
    tr->Start();
    IBPP::Statement st = IBPP::StatementFactory(db_, tr);
    st->Prepare("SELECT PROT_NUM,VIN,REG_PLATE,VEH_MARK,VEH_MODEL,OWN_NAME FROM EMISSIONS");
    st->Execute();
    IBPP::Row row;
    ASSERT_TRUE(st->Fetch(row));
    IBPP::Row first = row;
    ASSERT_TRUE(st->Fetch(row));
    std::string text = "previous";
    EXPECT_FALSE(first->Get("VIN", text));
    EXPECT_EQ(text, "TMB'JJ7NE8J0123456");
    EXPECT_TRUE(row->Get("VIN", text));
}

TEST(Timestamps, ImpossibleValuesRaise)
{
    EXPECT_NO_THROW(IBPP::Timestamp(2024, 2, 29, 23, 59, 59, 9999));
    EXPECT_THROW(IBPP::Timestamp(2023, 2, 29), IBPP::Exception);
    EXPECT_THROW(IBPP::Timestamp(1900, 2, 29), IBPP::Exception);
    EXPECT_THROW(IBPP::Timestamp(2021, 13, 1), IBPP::Exception);
    EXPECT_THROW(IBPP::Timestamp(2021, 1, 1, 24, 0, 0), IBPP::Exception);
    EXPECT_THROW(IBPP::Timestamp(2021, 1, 1, 0, 0, 0, 10000), IBPP::Exception);
}
