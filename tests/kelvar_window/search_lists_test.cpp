// The six search lists: loaded from the current database at start-up and at every change of
// tab, each stored text once (without regard to case) in the order of first occurrence.
#include "KelvarTesting.h"

#include "BoxCatcher.h"
#include "GuiTesting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

using guitest::Ansi;
using guitest::AnsiTexts;
using kelvartest::MakeProtocol;
using kelvartest::Model;
using kelvartest::Window;
using A = TfrmSearchMainTestAccess;

namespace {

std::vector<TComboBox*> SearchFields(TfrmSearchMain& f)
{
    return {f.cbProtNum, f.cbVIN, f.cbRegPlate, f.cbCarMark, f.cbCarModel, f.cbOwner};
}

// What loading a list value by value with the control's own whole-text search gives: the
// reference that the browser's lists must equal entry for entry (the empty text left out).
class ReferenceList
{
public:
    ReferenceList()
        : box_(CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWN, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~ReferenceList() { DestroyWindow(box_); }

    void Offer(const std::string& text)
    {
        if (SendMessageA(box_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text.c_str())) == CB_ERR)
            SendMessageA(box_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries;
        const int count = static_cast<int>(SendMessageA(box_, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[512] = {};
            SendMessageA(box_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            if (text[0])
                entries.push_back(text);
        }
        return entries;
    }

private:
    HWND box_;
};

class SearchLists : public kelvartest::BrowserTestCatchingBoxes
{
};

}  // namespace

TEST_F(SearchLists, EachTextOnceInTheOrderAndSpellingOfItsFirstRow)
{
    TfrmSearchMain& f = *ShowOn(
        {MakeProtocol(1, u8"100", u8"VIN-A", u8"1A1 0001", u8"ŠKODA", u8"Octavia", u8"Novák"),
         MakeProtocol(2, u8"101", u8"VIN-B", u8"2B2 0002", u8"Tatra", u8"octavia", u8"NOVÁK"),
         MakeProtocol(3, u8"100", u8"vin-a", u8"1a1 0001", u8"škoda", u8"Felicia", u8"Nováková"),
         MakeProtocol(4, u8"102", u8"VIN-A", u8"3C3 0003", u8"Škoda", u8"OCTAVIA", u8"novák"),
         MakeProtocol(5, u8"101", u8"VIN-C", u8"2B2 0002", u8"TATRA", u8"Felicia", u8"Novák")});
    ASSERT_EQ(0u, boxes.Count());
    EXPECT_EQ(AnsiTexts({u8"100", u8"101", u8"102"}), kelvartest::Entries(f.cbProtNum));
    EXPECT_EQ(AnsiTexts({u8"VIN-A", u8"VIN-B", u8"VIN-C"}), kelvartest::Entries(f.cbVIN));
    EXPECT_EQ(AnsiTexts({u8"1A1 0001", u8"2B2 0002", u8"3C3 0003"}), kelvartest::Entries(f.cbRegPlate));
    // Czech capitals and small letters are one text too.
    EXPECT_EQ(AnsiTexts({u8"ŠKODA", u8"Tatra"}), kelvartest::Entries(f.cbCarMark));
    EXPECT_EQ(AnsiTexts({u8"Octavia", u8"Felicia"}), kelvartest::Entries(f.cbCarModel));
    EXPECT_EQ(AnsiTexts({u8"Novák", u8"Nováková"}), kelvartest::Entries(f.cbOwner));
}

TEST_F(SearchLists, NullAndEmptyTextsGetNoEntryAndTheRowsOtherColumnsDo)
{
    fixtures::Protocol allNull;
    allNull.id = 3;
    TfrmSearchMain& f = *ShowOn(
        {MakeProtocol(1, u8"", u8"VIN1", nullptr, u8"Zetor"),
         MakeProtocol(2, nullptr, nullptr, u8"", nullptr, u8"Proxima", nullptr),
         allNull,
         MakeProtocol(4, u8"P-4", u8"", u8"4D4 0004", u8"", u8"", u8"Ota Šik")});
    ASSERT_EQ(0u, boxes.Count());
    EXPECT_EQ(AnsiTexts({u8"P-4"}), kelvartest::Entries(f.cbProtNum));
    EXPECT_EQ(AnsiTexts({u8"VIN1"}), kelvartest::Entries(f.cbVIN));
    EXPECT_EQ(AnsiTexts({u8"4D4 0004"}), kelvartest::Entries(f.cbRegPlate));
    EXPECT_EQ(AnsiTexts({u8"Zetor"}), kelvartest::Entries(f.cbCarMark));
    EXPECT_EQ(AnsiTexts({u8"Proxima"}), kelvartest::Entries(f.cbCarModel));
    EXPECT_EQ(AnsiTexts({u8"Ota Šik"}), kelvartest::Entries(f.cbOwner));
}

TEST_F(SearchLists, ListsNeitherShareNorCompareEntries)
{
    Window& window =
        ShowOn({MakeProtocol(1, u8"ABC123", u8"ABC123", u8"abc123", u8"ABC123", u8"ABC123", u8"ABC123")});
    for (TComboBox* box : SearchFields(*window))
        EXPECT_EQ(1, box->Items->Count);
    EXPECT_EQ("abc123", window->cbRegPlate->Items->Strings[0]);
}

TEST_F(SearchLists, TypedTextsSurviveTabChangesAndOldEntriesGo)
{
    // KX40 has an empty table, KX60 rows.
    Store(Model::KX40, {});
    Store(Model::KX60,
          {MakeProtocol(1, u8"60-1", u8"VIN60", u8"6F6 6666", u8"Zetor", u8"Major", u8"Jan Čáp")});
    TfrmSearchMain& f = *Show();
    ASSERT_EQ(0u, boxes.Count());
    const std::vector<TComboBox*> fields = SearchFields(f);
    for (TComboBox* box : fields)
        EXPECT_EQ(0, box->Items->Count);

    const char* typed[] = {u8"napsáno 1", u8"  mezery  ", u8"ŘŽ", u8"x", u8"Zet", u8"čáp"};
    for (size_t i = 0; i < fields.size(); ++i) {
        fields[i]->AutoComplete = false;
        guitest::TypeText(fields[i], Ansi(typed[i]));
    }
    ASSERT_TRUE(guitest::PickTab(f.pcApplications, f.shtKX60));
    for (size_t i = 0; i < fields.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(1, fields[i]->Items->Count);
        EXPECT_EQ(Ansi(typed[i]), fields[i]->Text());
    }
    ASSERT_TRUE(guitest::PickTab(f.pcApplications, f.shtKX40));
    for (size_t i = 0; i < fields.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(0, fields[i]->Items->Count);
        EXPECT_EQ(Ansi(typed[i]), fields[i]->Text());
    }
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(SearchLists, EqualExactlyWhereTheControlsOwnSearchFindsTextsEqual)
{
    // Every single character of the code page in both cases, words that differ only in case,
    // diacritics, ß against ss, punctuation and blanks, and the same texts in another order per
    // column.
    std::vector<std::string> texts;
    for (int c = 0x20; c <= 0xFF; ++c)
        texts.push_back(std::string(1, static_cast<char>(c)));
    for (const char* word :
         {u8"Škoda", u8"ŠKODA", u8"škoda", u8"Skoda", u8"SKODA", u8"Čech", u8"ČECH", u8"čech", u8"Cech",
          u8"Straße", u8"STRASSE", u8"strasse", u8"Strase", u8"a-b", u8"ab", u8"a'b", u8"A'B", u8"a  b",
          u8"a b", u8"a b ", u8" a b", u8"ä", u8"Ä", u8"a", u8"ŘEŘICHA", u8"řeřicha", u8"Řeřicha",
          u8"Ľubo", u8"ľubo", u8"Őr", u8"őr", u8"Ůl", u8"ůl", u8"1A2 3456", u8"1a2 3456", u8"1A2  3456",
          u8"O'Brien", u8"o'brien", u8"O’Brien", u8"Dvořák-Novák", u8"DVOŘÁK-NOVÁK", u8"Dvořák–Novák",
          u8"č.p. 12", u8"Č.P. 12", u8"x\u00a0y", u8"x y", u8"x\u00ady", u8"xy", u8"TMBJJ7NE8J0123456",
          u8"tmbjj7ne8j0123456"})
        texts.push_back(fixtures::win1250(word));

    std::vector<fixtures::Protocol> rows;
    const size_t n = texts.size();
    for (size_t i = 0; i < n; ++i) {
        fixtures::Protocol row;
        row.id = static_cast<int>(i);
        row.protNum = texts[i];
        row.vin = texts[n - 1 - i];
        row.regPlate = texts[(i * 7) % n];
        row.vehMark = texts[(i * 13 + 5) % n];
        row.vehModel = texts[(i + n / 2) % n];
        row.ownName = texts[(i * 31 + 3) % n];
        rows.push_back(row);
    }
    TfrmSearchMain& f = *ShowOn(rows);
    ASSERT_EQ(0u, boxes.Count());

    ReferenceList reference[6];
    for (const fixtures::Protocol& row : rows) {
        const std::optional<std::string>* columns[] = {&row.protNum, &row.vin, &row.regPlate,
                                                       &row.vehMark, &row.vehModel, &row.ownName};
        for (int i = 0; i < 6; ++i)
            reference[i].Offer(**columns[i]);
    }
    const std::vector<TComboBox*> fields = SearchFields(f);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        std::vector<std::string> expected = reference[i].Entries();
        EXPECT_EQ(expected, kelvartest::Entries(fields[i]));
        EXPECT_GT(expected.size(), 150u);  // far from everything folded together
    }
}

TEST_F(SearchLists, TenThousandDistinctValuesLoadQuickly)
{
    constexpr int Rows = 10000;
    std::vector<fixtures::Protocol> rows;
    for (int i = 0; i < Rows; ++i) {
        const std::string n = std::to_string(i);
        fixtures::Protocol row;
        row.id = i;
        row.protNum = "P-" + n;
        row.vin = "TMB" + std::string(8 - n.size(), '0') + n + "J012";
        row.regPlate = n + "A" + n;
        row.vehMark = fixtures::win1250(u8"Značka ") + n;
        row.vehModel = "Model " + n;
        row.ownName = fixtures::win1250(u8"Majitel Řehoř ") + n;
        rows.push_back(row);
    }
    Store(Model::KX40, rows);

    const auto shown = std::chrono::steady_clock::now();
    Window& window = Show();
    const double startUp = std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
    TfrmSearchMain& f = *window;
    ASSERT_EQ(0u, boxes.Count());
    for (TComboBox* box : SearchFields(f))
        ASSERT_EQ(Rows, box->Items->Count);

    const auto start = std::chrono::steady_clock::now();
    A::FillSearchLists(f);
    const double load = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ measured ] %d rows, six lists of distinct values: start-up %.2f s, reload %.2f s\n",
                Rows, startUp, load);
    std::fflush(stdout);
    EXPECT_EQ(Rows, f.cbOwner->Items->Count);
    // One whole-list search per value took minutes here; the index takes well under a second.
    EXPECT_LT(load, 15.0);
}
