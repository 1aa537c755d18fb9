// Sorting the result list by header clicks: the alternating direction, the one arrow, the order
// of dates and texts, and what a new search does to a sorted list.
#include "KelvarTesting.h"

#include "GuiTesting.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using guitest::Ansi;
using kelvartest::ListedRow;
using kelvartest::Window;
using A = TfrmSearchMainTestAccess;

namespace {

enum class Arrow
{
    None,
    Up,
    Down,
    Both,
};

// The sort arrow a header item shows.
Arrow ArrowOf(TListView* list, int column)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list->Handle, LVM_GETHEADER, 0, 0));
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    const bool up = item.fmt & HDF_SORTUP, down = item.fmt & HDF_SORTDOWN;
    return up && down ? Arrow::Both : up ? Arrow::Up : down ? Arrow::Down : Arrow::None;
}

// The arrows of the four columns.
std::vector<Arrow> Arrows(TListView* list)
{
    return {ArrowOf(list, 0), ArrowOf(list, 1), ArrowOf(list, 2), ArrowOf(list, 3)};
}

// The lines' texts in one column as the control shows them, top to bottom.
std::vector<std::string> Column(TListView* list, int column)
{
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list->Handle, LVM_GETITEMCOUNT, 0, 0));
    for (int line = 0; line < count; ++line)
        texts.push_back(guitest::CellText(list, line, column));
    return texts;
}

// The records' IDs in the order the control shows the lines; also checks that the class
// library's lines stand in the same order.
std::vector<int> Ids(TListView* list)
{
    std::vector<int> ids;
    const int count = static_cast<int>(SendMessageA(list->Handle, LVM_GETITEMCOUNT, 0, 0));
    for (int line = 0; line < count; ++line) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = line;
        SendMessageA(list->Handle, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        auto* shown = reinterpret_cast<TListItem*>(item.lParam);
        EXPECT_EQ(shown, list->Items->Item[line]) << line;
        ids.push_back(static_cast<const tglvData*>(shown->Data)->id);
    }
    return ids;
}

std::vector<std::string> Reversed(std::vector<std::string> texts)
{
    return {texts.rbegin(), texts.rend()};
}

class Sort : public kelvartest::BrowserTest
{
};

}  // namespace

TEST_F(Sort, DirectionAlternatesAcrossColumnsWithOneArrowAtATime)
{
    Window& window = ShowOn({ListedRow(1, "B", IBPP::Timestamp(2026, 1, 2), "v2", "c"),
                             ListedRow(2, "C", IBPP::Timestamp(2026, 1, 3), "v1", "a"),
                             ListedRow(3, "A", IBPP::Timestamp(2026, 1, 1), "v3", "b")});
    TListView* list = window->lvProtocols;
    RunSearch();
    EXPECT_EQ((std::vector<Arrow>(4, Arrow::None)), Arrows(list));

    guitest::ClickHeader(list, 1);  // the first click sorts ascending
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), Column(list, 1));
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::Up, Arrow::None, Arrow::None}), Arrows(list));
    EXPECT_EQ(1, A::sortColumn(*window));
    EXPECT_EQ(2, A::sortState(*window));

    guitest::ClickHeader(list, 2);  // another column: descending all the same
    EXPECT_EQ((std::vector<std::string>{"v3", "v2", "v1"}), Column(list, 2));
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::None, Arrow::Down, Arrow::None}), Arrows(list));
    EXPECT_EQ(1, A::sortState(*window));

    guitest::ClickHeader(list, 3);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Column(list, 3));
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::None, Arrow::None, Arrow::Up}), Arrows(list));

    guitest::ClickHeader(list, 3);  // the same column again: reversed
    EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), Column(list, 3));
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::None, Arrow::None, Arrow::Down}), Arrows(list));

    guitest::ClickHeader(list, 0);
    EXPECT_EQ((std::vector<int>{3, 1, 2}), Ids(list));
    EXPECT_EQ((std::vector<Arrow>{Arrow::Up, Arrow::None, Arrow::None, Arrow::None}), Arrows(list));
}

TEST_F(Sort, DatesSortByDateAndTimeNotByCaption)
{
    // As texts the captions would put 10 January 2025 after 2 January 2026 (day first) and
    // 9:05 after 10:00.
    TListView* list = ShowOn({ListedRow(1, "1", IBPP::Timestamp(2026, 1, 2, 10, 0, 0)),
                              ListedRow(2, "2", IBPP::Timestamp(2026, 1, 2, 9, 5, 0)),
                              ListedRow(3, "3", IBPP::Timestamp(2025, 1, 10, 23, 0, 0)),
                              ListedRow(4, "4", IBPP::Timestamp(2026, 1, 2, 0, 0, 0)),
                              ListedRow(5, "5", IBPP::Timestamp(2026, 1, 2, 9, 5, 1)),
                              ListedRow(6, "6", IBPP::Timestamp(2026, 11, 1, 8, 0, 0))})->lvProtocols;
    RunSearch();

    guitest::ClickHeader(list, 0);
    EXPECT_EQ((std::vector<int>{3, 4, 2, 5, 1, 6}), Ids(list));
    guitest::ClickHeader(list, 0);
    EXPECT_EQ((std::vector<int>{6, 1, 5, 2, 4, 3}), Ids(list));
}

TEST_F(Sort, TextsSortByteWiseFoldingOnlyAToZ)
{
    TListView* list = ShowOn({ListedRow(1, "99", IBPP::Timestamp(2026, 1, 1), "V", u8"Zeman"),
                              ListedRow(2, "100", IBPP::Timestamp(2026, 1, 1), "V", u8"Čapek"),
                              ListedRow(3, "1000", IBPP::Timestamp(2026, 1, 1), "V", u8"Adam"),
                              ListedRow(4, "10", IBPP::Timestamp(2026, 1, 1), "V", u8"čapek"),
                              ListedRow(5, "2", IBPP::Timestamp(2026, 1, 1), "V", u8"zeman")})->lvProtocols;
    RunSearch();

    // Numbers as texts: 100 before 99, and a number before a longer one beginning with it.
    guitest::ClickHeader(list, 1);
    EXPECT_EQ((std::vector<std::string>{"10", "100", "1000", "2", "99"}), Column(list, 1));

    // Zeman and zeman are equal and stand together; Č after Z, and č (0xE8) after Č (0xC8).
    guitest::ClickHeader(list, 3);  // descending
    std::vector<std::string> names = Column(list, 3);
    ASSERT_EQ(5u, names.size());
    EXPECT_EQ(Ansi(u8"čapek"), names[0]);
    EXPECT_EQ(Ansi(u8"Čapek"), names[1]);
    EXPECT_TRUE((names[2] == "Zeman" && names[3] == "zeman") ||
                (names[2] == "zeman" && names[3] == "Zeman"));
    EXPECT_EQ("Adam", names[4]);
}

TEST_F(Sort, EmptyTextsComeFirstAscendingAndLastDescending)
{
    TListView* list = ShowOn({ListedRow(1, "1", IBPP::Timestamp(2026, 1, 1), "B"),
                              ListedRow(2, "2", IBPP::Timestamp(2026, 1, 1), nullptr),
                              ListedRow(3, "3", IBPP::Timestamp(2026, 1, 1), "A"),
                              ListedRow(4, "4", IBPP::Timestamp(2026, 1, 1), "")})->lvProtocols;
    RunSearch();

    guitest::ClickHeader(list, 2);
    EXPECT_EQ((std::vector<std::string>{"", "", "A", "B"}), Column(list, 2));
    guitest::ClickHeader(list, 2);
    EXPECT_EQ((std::vector<std::string>{"B", "A", "", ""}), Column(list, 2));
}

TEST_F(Sort, LinesWithoutADateComeFirstAscending)
{
    fixtures::Protocol noDate = ListedRow(2, "2", IBPP::Timestamp());
    noDate.checkDate.reset();
    TListView* list = ShowOn({ListedRow(1, "1", IBPP::Timestamp(1990, 1, 1)), noDate,
                              ListedRow(3, "3", IBPP::Timestamp(2026, 1, 1))})->lvProtocols;
    RunSearch();
    guitest::ClickHeader(list, 0);
    EXPECT_EQ((std::vector<int>{2, 1, 3}), Ids(list));
    guitest::ClickHeader(list, 0);
    EXPECT_EQ((std::vector<int>{3, 1, 2}), Ids(list));
}

// Equal dates compare as equal in both orders of the pair and both directions, so that the
// order is well defined whatever sort the control uses; different ones antisymmetrically.
TEST_F(Sort, TheDateComparisonIsConsistent)
{
    Window& window = ShowOn({ListedRow(1, "1", IBPP::Timestamp(2026, 5, 5, 10, 0, 0)),
                             ListedRow(2, "2", IBPP::Timestamp(2026, 5, 5, 10, 0, 0)),
                             ListedRow(3, "3", IBPP::Timestamp(2026, 5, 5, 10, 0, 1))});
    TListView* list = window->lvProtocols;
    RunSearch();
    TListItem* a = list->Items->Item[0];
    TListItem* b = list->Items->Item[1];
    TListItem* later = list->Items->Item[2];
    A::sortColumn(*window) = 0;
    for (uint8_t state : {1, 2}) {
        A::sortState(*window) = state;
        int ab = 99, ba = 99, aLater = 0, laterA = 0;
        window->lvProtocolsCompare(list, a, b, 0, ab);
        window->lvProtocolsCompare(list, b, a, 0, ba);
        window->lvProtocolsCompare(list, a, later, 0, aLater);
        window->lvProtocolsCompare(list, later, a, 0, laterA);
        EXPECT_EQ(0, ab) << int(state);
        EXPECT_EQ(0, ba) << int(state);
        EXPECT_EQ(-aLater, laterA) << int(state);
        EXPECT_NE(0, aLater) << int(state);
        // Item1 earlier stands first when ascending (state 2 after the click).
        EXPECT_EQ(state == 2, aLater < 0) << int(state);
    }
}

TEST_F(Sort, AClickOnAnEmptyListMovesTheArrowAndReversesTheDirection)
{
    Window& window = ShowOn({ListedRow(1, "1", IBPP::Timestamp(2026, 1, 1))});
    TListView* list = window->lvProtocols;
    ASSERT_EQ(0, list->Items->Count);

    guitest::ClickHeader(list, 2);
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::None, Arrow::Up, Arrow::None}), Arrows(list));
    guitest::ClickHeader(list, 1);
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::Down, Arrow::None, Arrow::None}), Arrows(list));
    EXPECT_EQ(1, A::sortColumn(*window));
    EXPECT_EQ(1, A::sortState(*window));
}

TEST_F(Sort, ASearchAfterASortKeepsTheArrowAndListsInDatabaseOrder)
{
    TListView* list = ShowOn({ListedRow(1, "B", IBPP::Timestamp(2026, 1, 1)),
                              ListedRow(2, "C", IBPP::Timestamp(2026, 1, 1)),
                              ListedRow(3, "A", IBPP::Timestamp(2026, 1, 1))})->lvProtocols;
    RunSearch();
    guitest::ClickHeader(list, 1);
    ASSERT_EQ((std::vector<std::string>{"A", "B", "C"}), Column(list, 1));

    RunSearch();
    EXPECT_EQ((std::vector<std::string>{"B", "C", "A"}), Column(list, 1));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Ids(list));
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::Up, Arrow::None, Arrow::None}), Arrows(list));

    // The next click continues the alternation: descending.
    guitest::ClickHeader(list, 1);
    EXPECT_EQ(Reversed({"A", "B", "C"}), Column(list, 1));
    EXPECT_EQ((std::vector<Arrow>{Arrow::None, Arrow::Down, Arrow::None, Arrow::None}), Arrows(list));
}

TEST_F(Sort, SortingKeepsEveryLineWithItsTextsAndRecord)
{
    std::vector<fixtures::Protocol> rows;
    for (int i = 0; i < 200; ++i)
        rows.push_back(ListedRow(i, std::to_string((i * 37) % 200).c_str(),
                           IBPP::Timestamp(2026, 1, 1 + i % 28, i % 24, 0, 0),
                           ("VIN" + std::to_string(i)).c_str()));
    TListView* list = ShowOn(rows)->lvProtocols;
    RunSearch();
    for (int column : {1, 0, 2, 0}) {
        guitest::ClickHeader(list, column);
        ASSERT_EQ(200, list->Items->Count);
        std::vector<int> ids = Ids(list);
        std::sort(ids.begin(), ids.end());
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(i, ids[i]);
        // Each line's cells still show its own record's texts.
        for (int line = 0; line < 200; ++line) {
            const tglvData& r = kelvartest::Record(list, line);
            ASSERT_EQ(r.protNum, Column(list, 1)[line]);
            ASSERT_EQ("VIN" + std::to_string(r.id), Column(list, 2)[line]);
        }
    }
}
