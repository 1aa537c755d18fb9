// The result list's text comparison: a..z folded to capitals, every other byte unsigned.
#include <gtest/gtest.h>

#include "TextCompare.h"

namespace {
int Sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

TEST(CompareText, FoldsOnlyTheLettersAToZ)
{
    EXPECT_EQ(0, CompareText("vin ABC 123", "VIN abc 123"));
    EXPECT_EQ(0, CompareText("azAZ", "AZaz"));
    EXPECT_EQ(-1, Sign(CompareText("a", "B")));
    // Folding goes to capitals: '_' (0x5F) and '[' (0x5B) sort after every letter.
    EXPECT_EQ(1, Sign(CompareText("_", "a")));
    EXPECT_EQ(1, Sign(CompareText("[", "z")));
    EXPECT_EQ(-1, Sign(CompareText("@", "a")));
}

TEST(CompareText, CzechLettersKeepTheirCodeAndCase)
{
    const AnsiString capitalC = "\xC8", smallC = "\xE8";  // Č č in code page 1250
    EXPECT_EQ(1, Sign(CompareText(capitalC + "ech", "Zeman")));
    EXPECT_EQ(-1, Sign(CompareText("Zeman", smallC + "ech")));
    EXPECT_NE(0, CompareText(capitalC, smallC));
    EXPECT_EQ(-1, Sign(CompareText(capitalC, smallC)));
    EXPECT_NE(0, CompareText("\xC9", "\xE9"));  // É é
}

TEST(CompareText, BytesAboveSevenBitsAreUnsigned)
{
    EXPECT_EQ(1, Sign(CompareText("\x80", "z")));
    EXPECT_EQ(1, Sign(CompareText("\xFF", "\x7F")));
    EXPECT_EQ(-1, Sign(CompareText("\x01", "\xFE")));
}

TEST(CompareText, ShorterTextFirstWhenThePrefixIsEqual)
{
    EXPECT_EQ(0, CompareText("", ""));
    EXPECT_EQ(-1, Sign(CompareText("", "a")));
    EXPECT_EQ(1, Sign(CompareText("a", "")));
    EXPECT_EQ(-1, Sign(CompareText("12", "123")));
    EXPECT_EQ(-1, Sign(CompareText("abc", "ABCD")));
    // Texts, not numbers: 100 before 99.
    EXPECT_EQ(-1, Sign(CompareText("100", "99")));
}

TEST(CompareText, ZeroBytesAreComparedLikeAnyOther)
{
    EXPECT_EQ(-1, Sign(CompareText(AnsiString("a\0b", 3), AnsiString("a\0c", 3))));
    EXPECT_EQ(1, Sign(CompareText(AnsiString("a\0", 2), AnsiString("a", 1))));
}
