// The search's statement text, byte for byte, and the quoting of texts in it.
#include "SearchStatement.h"

#include <gtest/gtest.h>

namespace {

// Day numbers of a few dates (days since 30 December 1899).
const TDateTime aug12_2026 = 46246.0;  // Wednesday 12 August 2026
const TDateTime dec31_2025 = 46022.0;
const TDateTime feb28_2024 = 45350.0;  // 2024 is a leap year

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

TEST(BuildSearchStatement, EachInputGivesItsExactStatement)
{
    const std::optional<TDateTime> none;
    const struct
    {
        const char* name;
        TSearchFields fields;
        std::optional<TDateTime> from, to;
        const char* statement;
    } rows[] = {
        {"nothing given lists everything", {}, none, none, "SELECT * FROM EMISSIONS "},

        // Each text field alone opens with WHERE.
        {"number alone", {"1"}, none, none, "SELECT * FROM EMISSIONS  WHERE  PROT_NUM= '1'"},
        {"VIN alone", {"", "V"}, none, none, "SELECT * FROM EMISSIONS  WHERE  VIN= 'V'"},
        {"plate alone", {"", "", "1A2 3456"}, none, none,
         "SELECT * FROM EMISSIONS  WHERE  REG_PLATE= '1A2 3456'"},
        {"make alone", {"", "", "", "\x8Akoda"}, none, none,
         "SELECT * FROM EMISSIONS  WHERE  VEH_MARK= '\x8Akoda'"},
        {"model alone", {"", "", "", "", "Octavia"}, none, none,
         "SELECT * FROM EMISSIONS  WHERE  VEH_MODEL= 'Octavia'"},
        {"owner alone", {"", "", "", "", "", "Nov\xE1k"}, none, none,
         "SELECT * FROM EMISSIONS  WHERE  OWN_NAME= 'Nov\xE1k'"},

        // The upper bound alone opens with WHERE and takes in the whole of its day, also at
        // the end of a month and of a year.
        {"upper bound alone", {}, none, aug12_2026,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<'2026-08-13'"},
        {"upper bound at the end of a year", {}, none, dec31_2025,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<'2026-01-01'"},
        {"upper bound before a leap day", {}, none, feb28_2024,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<'2024-02-29'"},
        // There is no day after 31 December 9999 to compare with.
        {"upper bound on the last stored day", {}, none, 2958465.0,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE<='9999-12-31 23:59:59.9999'"},
        {"lower bound alone starts at its midnight", {}, aug12_2026, none,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12'"},

        {"number and VIN are joined by AND", {"2026/0815", "TMBJJ7NE0K0123456"}, none, none,
         "SELECT * FROM EMISSIONS  WHERE  PROT_NUM= '2026/0815' AND  VIN= "
         "'TMBJJ7NE0K0123456'"},
        {"everything given, in the fixed order", {"P", "V", "R", "M", "D", "O"}, dec31_2025,
         aug12_2026,
         "SELECT * FROM EMISSIONS  WHERE  PROT_NUM= 'P' AND  VIN= 'V' AND  REG_PLATE= 'R'"
         " AND  VEH_MARK= 'M' AND  VEH_MODEL= 'D' AND  OWN_NAME= 'O'"
         " AND  CHECK_DATE>='2025-12-31' AND  CHECK_DATE<'2026-08-13'"},
        {"empty fields between given ones leave no trace", {"", "", "R", "", "", "O"},
         aug12_2026, none,
         "SELECT * FROM EMISSIONS  WHERE  REG_PLATE= 'R' AND  OWN_NAME= 'O' AND  "
         "CHECK_DATE>='2026-08-12'"},

        // A lower bound after the upper one raises nothing; the database finds no row.
        {"bounds in either order are both sent", {}, aug12_2026, dec31_2025,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12' AND  "
         "CHECK_DATE<'2026-01-01'"},
        {"the same day for both bounds is that one day", {}, aug12_2026, aug12_2026,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12' AND  "
         "CHECK_DATE<'2026-08-13'"},
        {"the time of the picked values is ignored", {}, aug12_2026 + 0.75, aug12_2026 + 0.25,
         "SELECT * FROM EMISSIONS  WHERE  CHECK_DATE>='2026-08-12' AND  "
         "CHECK_DATE<'2026-08-13'"},

        {"apostrophes are doubled in every field", {"1'", "'V", "R''", "M'M", "'", "O'Neil"},
         none, none,
         "SELECT * FROM EMISSIONS  WHERE  PROT_NUM= '1''' AND  VIN= '''V' AND  "
         "REG_PLATE= 'R''''' AND  VEH_MARK= 'M''M' AND  VEH_MODEL= '''' AND  "
         "OWN_NAME= 'O''Neil'"},
        {"an attempt to close the literal early stays inside it",
         {"", "", "", "", "", "x' OR '1'='1"}, none, none,
         "SELECT * FROM EMISSIONS  WHERE  OWN_NAME= 'x'' OR ''1''=''1'"},
        {"blanks are kept and blank-only text counts", {" 12 ", "", "", "", "", "   "}, none,
         none, "SELECT * FROM EMISSIONS  WHERE  PROT_NUM= ' 12 ' AND  OWN_NAME= '   '"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(std::string(row.statement),
                  std::string(BuildSearchStatement(row.fields, row.from, row.to)));
    }
}
