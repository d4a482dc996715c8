#include "odds_rows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

namespace marlek {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// C(n, k) from Pascal's triangle, independent of the program's own formula.
std::int64_t pascal(int n, int k) {
    std::vector<std::vector<std::int64_t>> rows(n + 1);
    for (int i = 0; i <= n; ++i) {
        rows[i].assign(i + 1, 1);
        for (int j = 1; j < i; ++j)
            rows[i][j] = rows[i - 1][j - 1] + rows[i - 1][j];
    }
    return rows[n][k];
}

std::string withCommas(std::int64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string spaces(std::size_t count) {
    return std::string(count, ' ');
}

// The separating spaces by the width of the count, one column per kind.
const std::map<std::size_t, std::pair<int, int>> kSeparators = {
    {1, {37, 37}}, {2, {35, 34}}, {3, {32, 32}}, {5, {29, 29}},
    {6, {26, 26}}, {7, {24, 24}}, {9, {21, 21}}, {10, {0, 18}}};

const std::map<int, std::string> kPick5Notes = {
    {35, "  Arizona Fantasy 5-35"},
    {36, "  Florida Fantasy 5-36"},
    {38, "  New Jersey Cash 5 5-38"},
    {39, "  Hot Lotto 5-39 + 1-19 8 States Play,  California Fantasy 5-39"},
    {47, "  California Super LottoPlus 5-47 + 1-27"},
    {52, "  MegaMillions 5-52 + 1-52 11 States Play"},
    {53, "  PowerBall 5-53 + 1-42 20 States Play"}};

class OddsTable : public ::testing::TestWithParam<int> {};

TEST_P(OddsTable, EveryRowIsBuiltFromItsFieldSizeAndExactCount) {
    const int kind = GetParam();
    for (int n = kind; n <= 60; ++n) {
        SCOPED_TRACE("n = " + std::to_string(n));
        const std::string count = withCommas(pascal(n, kind));
        const auto separator = kSeparators.find(count.size());
        ASSERT_NE(separator, kSeparators.end()) << "no table entry for count " << count;
        const int separating = kind == 5 ? separator->second.first : separator->second.second;
        ASSERT_GT(separating, 0);
        std::string expected =
            spaces(n < 10 ? 8 : 6) + std::to_string(n) + spaces(separating) + count;
        if (kind == 5 && kPick5Notes.count(n) != 0)
            expected += kPick5Notes.at(n);
        EXPECT_EQ(oddsRow(kind, n), expected);
    }
}

TEST_P(OddsTable, ListHoldsEveryFieldSizeUpTo60AndNoMore) {
    const int kind = GetParam();
    const auto items = oddsListItems(kind);
    ASSERT_EQ(items.size(), kind == 5 ? 57u : 55u);
    const std::size_t first = kind == 5 ? 1 : 0;
    if (kind == 5) {
        EXPECT_EQ(items[0], "Not all Lottos Listed");
    }
    EXPECT_EQ(items[first], spaces(8) + std::to_string(kind) + spaces(37) + "1");
    EXPECT_EQ(items.back(), oddsRow(kind, 60));
    EXPECT_THROW(oddsRow(kind, kind - 1), std::out_of_range);
    EXPECT_THROW(oddsRow(kind, 61), std::out_of_range);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, OddsTable, ::testing::Values(5, 6),
                         [](const auto &info) { return "Pick" + std::to_string(info.param); });

TEST(OddsRows, ExampleRowsExactly) {
    EXPECT_EQ(oddsRow(5, 5), "        5                                     1");
    EXPECT_EQ(oddsRow(5, 39), "      39                        575,757  Hot Lotto 5-39 + 1-19 8 "
                              "States Play,  California Fantasy 5-39");
    EXPECT_EQ(oddsRow(5, 60), "      60                     5,461,512");
    EXPECT_EQ(oddsRow(6, 8), "        8                                  28");
    EXPECT_EQ(oddsRow(6, 49), "      49                  13,983,816");
}

TEST(OddsRows, TwoDigitCountsAreTheOnePlaceTheTablesDiffer) {
    EXPECT_EQ(oddsRow(5, 7), spaces(8) + "7" + spaces(35) + "21");
    EXPECT_EQ(oddsRow(6, 8), spaces(8) + "8" + spaces(34) + "28");
    EXPECT_EQ(oddsRow(6, 7), spaces(8) + "7" + spaces(37) + "7");
    EXPECT_EQ(oddsRow(5, 9), spaces(8) + "9" + spaces(32) + "126");
    EXPECT_EQ(oddsRow(5, 10), spaces(6) + "10" + spaces(32) + "252");
}

TEST(OddsRows, RowOf39EndsWithItsThirdNoteAndNoExtraSpaces) {
    const std::string row = oddsRow(5, 39);
    EXPECT_THAT(row, ::testing::EndsWith(",  California Fantasy 5-39"));
    EXPECT_NE(row.find("1-19 8 States Play,"), std::string::npos);
    EXPECT_EQ(oddsRow(6, 39), spaces(6) + "39" + spaces(21) + "3,262,623");
}

TEST(OddsRows, LargestCountsAreExact) {
    EXPECT_THAT(oddsRow(6, 60), ::testing::EndsWith("50,063,860"));
    EXPECT_THAT(oddsRow(6, 47), ::testing::EndsWith(spaces(18) + "10,737,573"));
    EXPECT_THAT(oddsRow(5, 44), ::testing::EndsWith(spaces(21) + "1,086,008"));
}

TEST(OddsRows, CaptionsAndUnknownKinds) {
    EXPECT_EQ(oddsCaption(5), "Pick 5 Total Odds");
    EXPECT_EQ(oddsCaption(6), "Pick 6 Total Odds");
    EXPECT_THROW(oddsCaption(7), std::out_of_range);
    EXPECT_THROW(oddsListItems(4), std::out_of_range);
    EXPECT_EQ(oddsNote(6, 39), "");
}

} // namespace
} // namespace marlek
