// The search's statement text, byte for byte, and the quoting of texts in it.
#include "SearchStatement.h"

#include <gtest/gtest.h>

namespace {

// Day numbers of a few dates (days since 30 December 1899).
const TDateTime aug12_2026 = 46246.0;  // Wednesday 12 August 2026
const TDateTime dec31_2025 = 46022.0;
const TDateTime feb28_2024 = 45350.0;  // 2024 is a leap year

const char* const start = "SELECT * FROM EMISSIONS ";

}  // namespace

TEST(QuoteSqlText, DoublesEverySingleQuoteAndCopiesTheRest)
{
    EXPECT_EQ("", QuoteSqlText(""));
    EXPECT_EQ("O''Brien", QuoteSqlText("O'Brien"));
    EXPECT_EQ("''''", QuoteSqlText("''"));
    EXPECT_EQ("''x''", QuoteSqlText("'x'"));
    // Double quotes, backslashes, semicolons and code-page 1250 letters pass unchanged.
    EXPECT_EQ("a\"b\\c;--\xC8\x9A", QuoteSqlText("a\"b\\c;--\xC8\x9A"));
    // An embedded zero byte is copied, not taken as the end of the text.
    EXPECT_EQ(std::string("a\0''b", 5), QuoteSqlText(std::string("a\0'b", 4)));
}

TEST(SqlDateText, WritesDigitsAndHyphens)
{
    EXPECT_EQ("2026-08-12", SqlDateText(aug12_2026));
    EXPECT_EQ("2026-08-12", SqlDateText(aug12_2026 + 0.99999));  // the time part is dropped
    EXPECT_EQ("1899-12-30", SqlDateText(0.0));
    EXPECT_EQ("1899-12-29", SqlDateText(-1.0));
    EXPECT_EQ("2024-02-28", SqlDateText(feb28_2024));
    EXPECT_EQ("2024-02-29", SqlDateText(feb28_2024 + 1));
    EXPECT_EQ("2024-03-01", SqlDateText(feb28_2024 + 2));
    EXPECT_EQ("2100-02-28", SqlDateText(73109.0));  // 2100 is no leap year
    EXPECT_EQ("2100-03-01", SqlDateText(73110.0));
    EXPECT_EQ("2000-02-29", SqlDateText(36585.0));  // 2000 is one
    EXPECT_EQ("0001-01-01", SqlDateText(-693593.0));
    EXPECT_EQ("9999-12-31", SqlDateText(2958465.0));
    EXPECT_THROW(SqlDateText(-693594.0), std::out_of_range);
    EXPECT_THROW(SqlDateText(2958466.0), std::out_of_range);
}

TEST(SqlDateText, AgreesWithACountedCalendarOverFourCenturies)
{
    // Walk day by day from 1 January 1800 and count the calendar independently.
    static const int monthLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 1800, month = 1, day = 1;
    for (int number = -36522; number <= 110000; ++number) {
        char expected[40];
        std::snprintf(expected, sizeof expected, "%04d-%02d-%02d", year, month, day);
        ASSERT_EQ(expected, SqlDateText(number)) << number;
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const int length = monthLengths[month - 1] + (month == 2 && leap ? 1 : 0);
        if (++day > length) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

TEST(BuildSearchStatement, NothingGivenListsEverything)
{
    EXPECT_EQ(start, BuildSearchStatement({}, std::nullopt, std::nullopt));
}

TEST(BuildSearchStatement, EachTextFieldAloneOpensWithWhere)
{
    TSearchFields f;
    f.protNum = "1";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  PROT_NUM= '1'", BuildSearchStatement(f, {}, {}));
    f = {};
    f.vin = "V";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  VIN= 'V'", BuildSearchStatement(f, {}, {}));
    f = {};
    f.regPlate = "1A2 3456";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  REG_PLATE= '1A2 3456'",
              BuildSearchStatement(f, {}, {}));
    f = {};
    f.vehMark = "\x8Akoda";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  VEH_MARK= '\x8Akoda'",
              BuildSearchStatement(f, {}, {}));
    f = {};
    f.vehModel = "Octavia";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  VEH_MODEL= 'Octavia'",
              BuildSearchStatement(f, {}, {}));
    f = {};
    f.ownName = "Nov\xE1k";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  OWN_NAME= 'Nov\xE1k'",
              BuildSearchStatement(f, {}, {}));
}

TEST(BuildSearchStatement, OnlyUpperBoundOpensWithWhereAndTakesTheWholeDay)
{
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<'2026-08-13'",
              BuildSearchStatement({}, std::nullopt, aug12_2026));
    // Across the end of a month and of a year.
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<'2026-01-01'",
              BuildSearchStatement({}, std::nullopt, dec31_2025));
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<'2024-02-29'",
              BuildSearchStatement({}, std::nullopt, feb28_2024));
}

TEST(BuildSearchStatement, OnlyLowerBoundStartsAtItsMidnight)
{
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12'",
              BuildSearchStatement({}, aug12_2026, std::nullopt));
}

TEST(BuildSearchStatement, NumberAndVinAreJoinedByAnd)
{
    TSearchFields f;
    f.protNum = "2026/0815";
    f.vin = "TMBJJ7NE0K0123456";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  PROT_NUM= '2026/0815' AND  VIN= "
              "'TMBJJ7NE0K0123456'",
              BuildSearchStatement(f, {}, {}));
}

TEST(BuildSearchStatement, EverythingGivenInTheFixedOrder)
{
    const TSearchFields f{"P", "V", "R", "M", "D", "O"};
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  PROT_NUM= 'P' AND  VIN= 'V' AND  REG_PLATE= 'R'"
              " AND  VEH_MARK= 'M' AND  VEH_MODEL= 'D' AND  OWN_NAME= 'O'"
              " AND  CHECK_DATE>='2025-12-31' AND  CHECK_DATE<'2026-08-13'",
              BuildSearchStatement(f, dec31_2025, aug12_2026));
}

TEST(BuildSearchStatement, BoundsInEitherOrderAreBothSent)
{
    // A lower bound after the upper one raises nothing; the database finds no row.
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12' AND  "
              "CHECK_DATE<'2026-01-01'",
              BuildSearchStatement({}, aug12_2026, dec31_2025));
    // The same day for both: that one day.
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12' AND  "
              "CHECK_DATE<'2026-08-13'",
              BuildSearchStatement({}, aug12_2026, aug12_2026));
}

TEST(BuildSearchStatement, TimeOfThePickedValueIsIgnored)
{
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12' AND  "
              "CHECK_DATE<'2026-08-13'",
              BuildSearchStatement({}, aug12_2026 + 0.75, aug12_2026 + 0.25));
}

TEST(BuildSearchStatement, UpperBoundOnTheLastStoredDay)
{
    // There is no day after 31 December 9999 to compare with.
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<='9999-12-31 23:59:59.9999'",
              BuildSearchStatement({}, std::nullopt, 2958465.0));
}

TEST(BuildSearchStatement, ApostrophesAreDoubledInEveryField)
{
    const TSearchFields f{"1'", "'V", "R''", "M'M", "'", "O'Neil"};
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  PROT_NUM= '1''' AND  VIN= '''V' AND  "
              "REG_PLATE= 'R''''' AND  VEH_MARK= 'M''M' AND  VEH_MODEL= '''' AND  "
              "OWN_NAME= 'O''Neil'",
              BuildSearchStatement(f, {}, {}));
    // An attempt to close the literal early stays inside it.
    TSearchFields attack;
    attack.ownName = "x' OR '1'='1";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  OWN_NAME= 'x'' OR ''1''=''1'",
              BuildSearchStatement(attack, {}, {}));
}

TEST(BuildSearchStatement, BlanksAreKeptAndBlankOnlyTextCounts)
{
    TSearchFields f;
    f.protNum = " 12 ";
    f.ownName = "   ";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  PROT_NUM= ' 12 ' AND  OWN_NAME= '   '",
              BuildSearchStatement(f, {}, {}));
}

TEST(BuildSearchStatement, EmptyFieldsBetweenGivenOnesLeaveNoTrace)
{
    TSearchFields f;
    f.regPlate = "R";
    f.ownName = "O";
    EXPECT_EQ("SELECT * FROM EMISSIONS  WHERE  REG_PLATE= 'R' AND  OWN_NAME= 'O' AND  "
              "CHECK_DATE>='2026-08-12'",
              BuildSearchStatement(f, aug12_2026, std::nullopt));
}
