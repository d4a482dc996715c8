// The catalogue rows against the catalogue tables as the product's documentation lists them: every
// row once with its text in the Cost/Tickets order, the order of each list, and the rows that
// another order shows with other spacing. The expected lists are put together here from those
// pieces, so a slip in the rows the windows show cannot hide behind the same slip in the test.

#include "catalogue_rows.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace marlek {
namespace {

constexpr int kUnchanged = -99; // a wheelIndex no choice writes

struct PartRow {
    std::string text;
    int itemData;
    int numbers;
    int tickets;
    int mode;  // wheelMode after the choice; 0 for the generator row
    int index; // wheelIndex after the choice, or kUnchanged
};

const std::map<std::string, PartRow> kPick5Rows = {
    {"A1", {"    $     1          1    Ticket        5  Numbers        3 of 5", 31, 5, 1, 5, 31}},
    {"A2", {"    $     1          1    Ticket        5  Numbers        4 of 5", 31, 5, 1, 5, 31}},
    {"A3",
     {"    $     1          1    Ticket        5  Numbers                5", 31, 5, 1, 5, 31}},
    {"A4", {"    $     2          2    Tickets      6  Numbers        3 of 5", 32, 6, 2, 5, 32}},
    {"A5", {"    $     2          2    Tickets      6  Numbers        4 of 5", 32, 6, 2, 5, 32}},
    {"A6", {"    $     2          2    Tickets      7  Numbers        3 of 5", 33, 7, 2, 5, 33}},
    {"A7", {"    $     2          2    Tickets      8  Numbers        3 of 5", 30, 8, 2, 5, 30}},
    {"A8", {"    $     3          3    Tickets      9  Numbers        3 of 5", 29, 9, 3, 5, 29}},
    {"A9", {"    $     4          4    Tickets    10  Numbers        3 of 5", 28, 10, 4, 5, 28}},
    {"A10", {"    $     5          5    Tickets      7  Numbers        4 of 5", 0, 7, 5, 5, 0}},
    {"A11", {"    $     5          5    Tickets    11  Numbers        3 of 5", 1, 11, 5, 5, 1}},
    {"A12", {"    $     6          6    Tickets      6  Numbers                5", 2, 6, 6, 5, 2}},
    {"A13", {"    $     7          7    Tickets      8  Numbers        4 of 5", 3, 8, 7, 5, 3}},
    {"A14", {"    $     8          8    Tickets    12  Numbers        3 of 5", 4, 12, 8, 5, 4}},
    {"A15", {"    $     9          9    Tickets      9  Numbers        4 of 5", 5, 9, 9, 5, 5}},
    {"A16", {"    $   14        14    Tickets   10  Numbers        4 of 5", 6, 10, 14, 5, 6}},
    {"A17", {"    $   17        17    Tickets   15  Numbers        3 of 5", 7, 15, 17, 5, 7}},
    {"A18", {"    $   21        21    Tickets     7  Numbers                5", 8, 7, 21, 5, 8}},
    {"A19", {"    $   26        26    Tickets   11  Numbers        4 of 5", 25, 11, 26, 5, 25}},
    {"A20", {"    $   26        26    Tickets   17  Numbers        3 of 5", 26, 17, 26, 5, 26}},
    {"A21", {"    $   35        35    Tickets   18  Numbers        3 of 5", 9, 18, 35, 5, 9}},
    {"A22", {"    $   36        36    Tickets   20  Numbers        3 of 5", 27, 20, 36, 5, 27}},
    {"A23", {"    $   49        49    Tickets   12  Numbers        4 of 5", 10, 12, 49, 5, 10}},
    {"A24", {"    $   56        56    Tickets     8  Numbers                5", 11, 8, 56, 5, 11}},
    {"A25", {"    $ 102     102    Tickets   14  Numbers        4 of 5", 12, 14, 102, 5, 12}},
    {"A26", {"    $ 126     126    Tickets     9  Numbers                5", 13, 9, 126, 5, 13}},
    {"A27", {"    $ 150     150    Tickets   26  Numbers        3 of 5", 14, 26, 150, 5, 14}},
    {"A28",
     {"    $ 252     252    Tickets   10  Numbers                5", 15, 10, 252, 7, kUnchanged}},
    {"A29",
     {"    $ 462     462    Tickets   11  Numbers                5", 16, 11, 462, 7, kUnchanged}},
    {"A30",
     {"    $ 792      792    Tickets   12  Numbers                5", 17, 12, 792, 7, kUnchanged}},
    {"A31",
     {"    $1287   1287   Tickets   13  Numbers                5", 18, 13, 1287, 7, kUnchanged}},
    {"A32",
     {"    $2002   2002   Tickets   14  Numbers                5", 19, 14, 2002, 7, kUnchanged}},
    {"A33", {"Play More Numbers Click Here", 21, 0, 0, 0, kUnchanged}},
};

const std::map<std::string, PartRow> kPick6Rows = {
    {"B1", {"    $      1        1    Ticket       6  Numbers         3 of 6", 19, 6, 1, 8, 6}},
    {"B2", {"    $      1        1    Ticket       6  Numbers         4 of 6", 19, 6, 1, 8, 6}},
    {"B3", {"    $      1        1    Ticket       6  Numbers         5 of 6", 19, 6, 1, 8, 6}},
    {"B4", {"    $      1        1    Ticket       6  Numbers                 6", 19, 6, 1, 8, 6}},
    {"B5", {"    $      2        2    Tickets     7  Numbers         3 of 6", 28, 7, 2, 6, 28}},
    {"B6", {"    $      3        3    Tickets     7  Numbers         4 of 6", 27, 7, 3, 6, 27}},
    {"B7", {"    $      4        4    Tickets     9  Numbers         3 of 6", 32, 9, 4, 6, 32}},
    {"B8", {"    $      4        4    Tickets     7  Numbers         5 of 6", 26, 7, 4, 6, 26}},
    {"B9", {"    $      4        4    Tickets     8  Numbers         3 of 6", 30, 8, 4, 6, 30}},
    {"B10", {"    $      5        5    Tickets     8  Numbers         4 of 6", 29, 8, 5, 6, 29}},
    {"B11", {"    $      5        5    Tickets   10  Numbers         3 of 6", 35, 10, 5, 6, 35}},
    {"B12", {"    $      5        5    Tickets   14  Numbers         3 of 6", 0, 14, 5, 6, 0}},
    {"B13", {"    $      6        6    Tickets     9  Numbers         4 of 6", 31, 9, 6, 6, 31}},
    {"B14", {"    $      6        6    Tickets   11  Numbers         3 of 6", 37, 11, 6, 6, 37}},
    {"B15", {"    $      7        7    Tickets     7  Numbers                 6", 1, 7, 7, 6, 1}},
    {"B16", {"    $      7        7   Tickets    10  Numbers         4 of 6", 34, 10, 7, 6, 34}},
    {"B17", {"    $      8        8    Tickets     8  Numbers          5 of 6", 2, 8, 8, 6, 2}},
    {"B18", {"    $      8        8    Tickets  17  Numbers           3 of 6", 3, 17, 8, 6, 3}},
    {"B19", {"    $      9        9    Tickets  12  Numbers           4 of 6", 4, 12, 9, 6, 4}},
    {"B20", {"    $    10      10    Tickets    9  Numbers          5 of 6", 5, 9, 10, 6, 5}},
    {"B21", {"    $    10      10    Tickets   11  Numbers         4 of 6", 36, 11, 10, 6, 36}},
    {"B22", {"    $    14      14    Tickets  10  Numbers          5 of 6", 6, 10, 14, 6, 6}},
    {"B23", {"    $    17      17    Tickets  20  Numbers          3 of 6", 7, 20, 17, 6, 7}},
    {"B24", {"    $    20      20    Tickets  14  Numbers          4 of 6", 8, 14, 20, 6, 8}},
    {"B25", {"    $    26      26    Tickets  11  Numbers          5 of 6", 25, 11, 26, 6, 25}},
    {"B26", {"    $    28      28    Tickets    8  Numbers                  6", 9, 8, 28, 6, 9}},
    {"B27", {"    $    30      30    Tickets  23  Numbers          3 of 6", 10, 23, 30, 6, 10}},
    {"B28", {"    $    35      35    Tickets  16  Numbers          4 of 6", 11, 16, 35, 6, 11}},
    {"B29", {"    $    40      40    Tickets  17  Numbers          4 of 6", 12, 17, 40, 6, 12}},
    {"B30", {"    $    42      42    Tickets  18  Numbers          4 of 6", 33, 18, 42, 6, 33}},
    {"B31", {"    $    84      84    Tickets    9  Numbers                  6", 13, 9, 84, 6, 13}},
    {"B32", {"    $  210    210    Tickets 10  Numbers                  6", 14, 10, 210, 6, 14}},
    {"B33", {"    $  462    462    Tickets 11  Numbers                  6", 15, 11, 462, 8, 11}},
    {"B34", {"    $  924    924    Tickets 12  Numbers                  6", 16, 12, 924, 8, 12}},
    {"B35", {"    $1716  1716    Tickets 13  Numbers                  6", 17, 13, 1716, 8, 13}},
    {"B36", {"    $3003  3003    Tickets 14  Numbers                  6", 18, 14, 3003, 8, 14}},
    {"B37", {"Play More Numbers Click Here", 21, 0, 0, 0, kUnchanged}},
};

struct OrderCase {
    int kind;
    CatalogueOrder order;
    std::vector<std::string> labels;
};

const std::vector<OrderCase> kOrders = {
    {5, CatalogueOrder::Initial, {"A1",  "A2",  "A3",  "A4",  "A6",  "A7",  "A8",  "A9",
                                  "A10", "A11", "A12", "A13", "A14", "A15", "A16", "A17",
                                  "A18", "A19", "A20", "A21", "A22", "A23", "A24", "A25",
                                  "A26", "A27", "A28", "A29", "A30", "A31", "A32", "A33"}},
    {5, CatalogueOrder::CostTickets, {"A1",  "A2",  "A3",  "A4",  "A5",  "A6",  "A7",  "A8",  "A9",
                                      "A10", "A11", "A12", "A13", "A14", "A15", "A16", "A17", "A18",
                                      "A19", "A20", "A21", "A22", "A23", "A24", "A25", "A26", "A27",
                                      "A28", "A29", "A30", "A31", "A32", "A33"}},
    {5, CatalogueOrder::Numbers, {"A1",  "A2",  "A3",  "A4",  "A12", "A6",  "A10", "A18",
                                  "A7",  "A13", "A24", "A8",  "A15", "A26", "A9",  "A16",
                                  "A28", "A11", "A19", "A29", "A14", "A23", "A30", "A31",
                                  "A25", "A32", "A17", "A20", "A21", "A22", "A27", "A33"}},
    {5, CatalogueOrder::Guarantee, {"A1",  "A4",  "A6",  "A7",  "A8",  "A9",  "A11", "A14", "A17",
                                    "A20", "A21", "A22", "A27", "A2",  "A5",  "A10", "A13", "A15",
                                    "A16", "A19", "A23", "A25", "A3",  "A12", "A18", "A24", "A26",
                                    "A28", "A29", "A30", "A31", "A32", "A33"}},
    {6,
     CatalogueOrder::CostTickets,
     {"B1",  "B2",  "B3",  "B4",  "B5",  "B6",  "B7",  "B8",  "B9",  "B10", "B11", "B12", "B13",
      "B14", "B15", "B16", "B17", "B18", "B19", "B20", "B21", "B22", "B23", "B24", "B25", "B26",
      "B27", "B28", "B29", "B30", "B31", "B32", "B33", "B34", "B35", "B36", "B37"}},
    {6,
     CatalogueOrder::Numbers,
     {"B1",  "B2",  "B3",  "B4",  "B5",  "B6",  "B8",  "B15", "B9",  "B10", "B17", "B26", "B7",
      "B13", "B20", "B31", "B11", "B16", "B22", "B32", "B14", "B21", "B25", "B33", "B19", "B34",
      "B35", "B12", "B24", "B36", "B28", "B18", "B29", "B30", "B23", "B27", "B37"}},
    {6,
     CatalogueOrder::Guarantee,
     {"B1",  "B5",  "B9",  "B7",  "B11", "B14", "B12", "B18", "B23", "B27", "B2",  "B6",  "B10",
      "B13", "B16", "B21", "B19", "B24", "B28", "B29", "B30", "B3",  "B8",  "B17", "B20", "B22",
      "B25", "B4",  "B15", "B26", "B31", "B32", "B33", "B34", "B35", "B36", "B37"}},
};

struct SpacingVariant {
    CatalogueOrder order;
    std::string label;
    std::string text;
};

const std::vector<SpacingVariant> kVariants = {
    {CatalogueOrder::Numbers, "A26",
     "    $ 126     126    Tickets      9  Numbers                5"},
    {CatalogueOrder::Numbers, "A16", "    $   14        14    Tickets    10 Numbers        4 of 5"},
    {CatalogueOrder::Numbers, "A28",
     "    $ 252     252    Tickets    10  Numbers                5"},
    {CatalogueOrder::Numbers, "A29",
     "    $ 462     462    Tickets    11  Numbers                5"},
    {CatalogueOrder::Guarantee, "A27", "    $ 150      150    Tickets   26  Numbers        3 of 5"},
    {CatalogueOrder::Guarantee, "A25", "    $ 102      102    Tickets   14  Numbers        4 of 5"},
    {CatalogueOrder::Guarantee, "A18",
     "    $   21        21    Tickets     7  Numbers                 5"},
    {CatalogueOrder::Guarantee, "A24",
     "    $   56        56    Tickets     8  Numbers                 5"},
    {CatalogueOrder::Guarantee, "A26",
     "    $ 126      126    Tickets     9  Numbers                5"},
    {CatalogueOrder::Guarantee, "A28",
     "    $ 252      252    Tickets   10  Numbers                5"},
    {CatalogueOrder::Guarantee, "A29",
     "    $ 462      462    Tickets   11  Numbers                5"},
    {CatalogueOrder::Numbers, "B11",
     "    $      5        5    Tickets  10  Numbers          3 of 6"},
    {CatalogueOrder::Numbers, "B16",
     "    $      7        7    Tickets  10  Numbers          4 of 6"},
    {CatalogueOrder::Numbers, "B14",
     "    $      6         6    Tickets  11  Numbers          3 of 6"},
    {CatalogueOrder::Numbers, "B21",
     "    $    10       10    Tickets  11  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, "B1",
     "    $      1        1    Ticket        6  Numbers          3 of 6"},
    {CatalogueOrder::Guarantee, "B5",
     "    $      2        2    Tickets      7  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, "B9",
     "    $      4        4    Tickets      8  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, "B7",
     "    $      4        4    Tickets      9  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, "B11",
     "    $      5        5    Tickets    10  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, "B14",
     "    $      6        6    Tickets    11  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, "B12",
     "    $      5        5    Tickets   14  Numbers          3 of 6"},
    {CatalogueOrder::Guarantee, "B18",
     "    $      8        8    Tickets  17   Numbers          3 of 6"},
    {CatalogueOrder::Guarantee, "B2",
     "    $      1        1    Ticket       6  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, "B6",
     "    $      3        3    Tickets     7  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, "B10",
     "    $      5        5    Tickets     8  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, "B13",
     "    $      6        6    Tickets     9  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, "B16",
     "    $      7        7    Tickets   10  Numbers         4 of 6"},
    {CatalogueOrder::Guarantee, "B21",
     "    $     10     10    Tickets  11  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, "B3",
     "    $      1        1    Ticket       6  Numbers          5 of 6"},
    {CatalogueOrder::Guarantee, "B8",
     "    $      4        4    Tickets     7  Numbers          5 of 6"},
};

const std::map<std::string, PartRow> &rowsOfKind(int kind) {
    return kind == 5 ? kPick5Rows : kPick6Rows;
}

std::string expectedText(const OrderCase &list, const std::string &label) {
    for (const SpacingVariant &variant : kVariants)
        if (variant.order == list.order && variant.label == label)
            return variant.text;
    return rowsOfKind(list.kind).at(label).text;
}

TEST(CatalogueRows, EveryOrderListsTheRowsWithTheirTextsAndItemData) {
    for (const OrderCase &list : kOrders) {
        const auto rows = catalogueRows(list.kind, list.order);
        ASSERT_EQ(rows.size(), list.labels.size())
            << "kind " << list.kind << " order " << static_cast<int>(list.order);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string &label = list.labels[i];
            SCOPED_TRACE("order " + std::to_string(static_cast<int>(list.order)) + " row " +
                         std::to_string(i) + " (" + label + ")");
            EXPECT_EQ(rows[i].text, expectedText(list, label));
            EXPECT_EQ(rows[i].itemData, rowsOfKind(list.kind).at(label).itemData);
        }
    }
}

TEST(CatalogueRows, ListLengthsOfEachOrder) {
    EXPECT_EQ(catalogueRows(5, CatalogueOrder::Initial).size(), 32u);
    EXPECT_EQ(catalogueRows(5, CatalogueOrder::CostTickets).size(), 33u);
    EXPECT_EQ(catalogueRows(5, CatalogueOrder::Numbers).size(), 32u);
    EXPECT_EQ(catalogueRows(5, CatalogueOrder::Guarantee).size(), 33u);
    for (CatalogueOrder order : {CatalogueOrder::Initial, CatalogueOrder::CostTickets,
                                 CatalogueOrder::Numbers, CatalogueOrder::Guarantee})
        EXPECT_EQ(catalogueRows(6, order).size(), 37u);
    EXPECT_TRUE(catalogueRows(7, CatalogueOrder::CostTickets).empty());
}

// N and T kept with each row are the ones its text states, in every order and spacing.
TEST(CatalogueRows, NumbersAndTicketsAgreeWithTheText) {
    const std::regex stated(R"(^    \$ *(\d+) +(\d+) +Tickets? +(\d+) +Numbers +)");
    for (const OrderCase &list : kOrders) {
        for (const CatalogueRow &row : catalogueRows(list.kind, list.order)) {
            const std::string text(row.text);
            std::smatch match;
            if (row.itemData == kGeneratorCode) {
                EXPECT_EQ(text, "Play More Numbers Click Here");
                continue;
            }
            ASSERT_TRUE(std::regex_search(text, match, stated)) << text;
            EXPECT_EQ(std::stoi(match[1]), row.tickets) << text;
            EXPECT_EQ(std::stoi(match[2]), row.tickets) << text;
            EXPECT_EQ(std::stoi(match[3]), row.numbers) << text;
        }
    }
}

TEST(CatalogueRows, SortButtonsAndCommandLineNamesMapToOrders) {
    EXPECT_EQ(orderOfOption(0), CatalogueOrder::CostTickets);
    EXPECT_EQ(orderOfOption(1), CatalogueOrder::Numbers);
    EXPECT_EQ(orderOfOption(2), CatalogueOrder::Guarantee);
    EXPECT_EQ(orderOfOption(3), std::nullopt);
    EXPECT_EQ(orderOfOption(-1), std::nullopt);
    EXPECT_EQ(orderOfName("initial"), CatalogueOrder::Initial);
    EXPECT_EQ(orderOfName("cost"), CatalogueOrder::CostTickets);
    EXPECT_EQ(orderOfName("numbers"), CatalogueOrder::Numbers);
    EXPECT_EQ(orderOfName("guarantee"), CatalogueOrder::Guarantee);
    EXPECT_EQ(orderOfName("Cost"), std::nullopt);
    EXPECT_EQ(orderOfName(""), std::nullopt);
}

// The index a choice records: a table wheel's own, N for a full Pick 6 wheel, none for a full
// Pick 5 wheel (the one before stays).
std::optional<std::int16_t> recordedIndex(int index) {
    return index == kUnchanged ? std::nullopt : std::optional<std::int16_t>(index);
}

// Every row of both catalogues, chosen right after the menu opened its catalogue.
TEST(ChooseWheel, EveryRowSetsTheWheelItStandsFor) {
    for (int kind : {5, 6}) {
        for (const auto &[label, row] : rowsOfKind(kind)) {
            SCOPED_TRACE(label);
            const CatalogueChoice choice = chooseWheel(kind, row.itemData);
            if (row.mode == 0) {
                EXPECT_EQ(choice.next, NextWindow::Generator);
                EXPECT_EQ(choice.wheel, WheelChoice{});
                continue;
            }
            EXPECT_EQ(choice.next, NextWindow::NumberPicker);
            EXPECT_EQ(choice.wheel.wheelMode, row.mode);
            EXPECT_EQ(choice.wheel.wheelIndex, recordedIndex(row.index));
            EXPECT_EQ(choice.wheel.pickCount, row.numbers);
            EXPECT_EQ(choice.wheel.ticketCount, row.tickets);
            EXPECT_FALSE(choice.wheel.designedWheel);
        }
    }
}

TEST(ChooseWheel, WheelsOfEveryCombination) {
    struct Case {
        int kind;
        int code;
        int mode;
        int index;
        int numbers;
        int tickets;
    };
    // From the tables: mode stays; built by the report: mode 7 or 8.
    const Case cases[] = {
        {5, 2, 5, 2, 6, 6},
        {5, 8, 5, 8, 7, 21},
        {5, 11, 5, 11, 8, 56},
        {5, 13, 5, 13, 9, 126},
        {5, 15, 7, kUnchanged, 10, 252},
        {5, 19, 7, kUnchanged, 14, 2002},
        {6, 1, 6, 1, 7, 7},
        {6, 9, 6, 9, 8, 28},
        {6, 13, 6, 13, 9, 84},
        {6, 14, 6, 14, 10, 210},
        {6, 15, 8, 11, 11, 462},
        {6, 18, 8, 14, 14, 3003},
        {6, 19, 8, 6, 6, 1},
    };
    for (const Case &c : cases) {
        const CatalogueChoice choice = chooseWheel(c.kind, c.code);
        EXPECT_EQ(choice.next, NextWindow::NumberPicker);
        EXPECT_EQ(choice.wheel.wheelMode, c.mode) << c.kind << "/" << c.code;
        EXPECT_EQ(choice.wheel.wheelIndex, recordedIndex(c.index)) << c.kind << "/" << c.code;
        EXPECT_EQ(choice.wheel.pickCount, c.numbers) << c.kind << "/" << c.code;
        EXPECT_EQ(choice.wheel.ticketCount, c.tickets) << c.kind << "/" << c.code;
    }
}

TEST(ChooseWheel, CodesNoRowCarriesLeadNowhere) {
    const std::pair<int, int> cases[] = {{5, 20}, {5, 22}, {5, 24}, {5, 34},  {5, 37}, {5, -1},
                                         {6, 20}, {6, 24}, {6, 38}, {6, 100}, {7, 0}};
    for (const auto &[kind, code] : cases) {
        const CatalogueChoice choice = chooseWheel(kind, code);
        EXPECT_EQ(choice.next, NextWindow::None) << kind << "/" << code;
        EXPECT_EQ(choice.wheel, WheelChoice{});
    }
}

} // namespace
} // namespace marlek
