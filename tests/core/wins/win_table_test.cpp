#include "win_table.h"

#include "cover_proof.h"
#include "wheel_tables.h"
#include "wheel_verify.h"

#include <gtest/gtest.h>

#include <numeric>

namespace marlek {
namespace {

NumberSet setOf(std::initializer_list<int> numbers) {
    NumberSet set = 0;
    for (const int number : numbers)
        set |= bitOf(number);
    return set;
}

// Every combination of `kind` of the numbers 1..n, ticket by ticket.
PlayedWheel fullWheelTicketByTicket(int kind, int n) {
    PlayedWheel wheel{kind, n, false, {}, Guarantee{kind, kind}, 0, {}};
    for (NumberSet set = (NumberSet{1} << kind) - 1; set < (NumberSet{1} << n);
         set = nextSameSize(set))
        wheel.tickets.push_back(set);
    return wheel;
}

void expectSameCounts(const WinTable &a, const WinTable &b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    EXPECT_EQ(a.tickets, b.tickets);
    for (std::size_t j = 0; j < a.rows.size(); ++j) {
        SCOPED_TRACE("j = " + std::to_string(j));
        const WinRow &x = a.rows[j];
        const WinRow &y = b.rows[j];
        EXPECT_EQ(x.ways, y.ways);
        EXPECT_EQ(x.smallestBest, y.smallestBest);
        EXPECT_EQ(x.bestWays, y.bestWays);
        ASSERT_EQ(x.matches.size(), y.matches.size());
        for (std::size_t m = 0; m < x.matches.size(); ++m) {
            SCOPED_TRACE("m = " + std::to_string(m));
            EXPECT_EQ(x.matches[m].fewest, y.matches[m].fewest);
            EXPECT_EQ(x.matches[m].most, y.matches[m].most);
            EXPECT_EQ(x.matches[m].total, y.matches[m].total);
            EXPECT_EQ(x.matches[m].waysWithAny, y.matches[m].waysWithAny);
            EXPECT_EQ(x.matches[m].ballWith, y.matches[m].ballWith);
            EXPECT_EQ(x.matches[m].ballWithout, y.matches[m].ballWithout);
        }
    }
}

TEST(WinTable, CountsATwoTicketWheelAsWorkedByHand) {
    // {1 2 3} and {4 5 6} over 6 numbers, claiming 3 of 3.
    const PlayedWheel wheel{3, 6, false, {setOf({1, 2, 3}), setOf({4, 5, 6})},
                            Guarantee{3, 3}, 0, {11, 22, 33, 44, 55, 66}};
    const WinTable table = winTable(wheel);
    ASSERT_EQ(table.rows.size(), 4u);
    const WinRow &three = table.rows[3];
    EXPECT_EQ(three.ways, 20u);
    // 2 ways put all three in one ticket (then the other has none); the other 18 split 2 + 1.
    EXPECT_EQ(three.matches[3].fewest, 0u);
    EXPECT_EQ(three.matches[3].most, 1u);
    EXPECT_EQ(three.matches[3].total, 2u);
    EXPECT_EQ(three.matches[2].total, 18u);
    EXPECT_EQ(three.matches[1].total, 18u);
    EXPECT_EQ(three.matches[0].total, 2u);
    EXPECT_EQ(three.matches[0].waysWithAny, 2u);
    EXPECT_EQ(three.bestWays, (std::vector<std::uint64_t>{0, 0, 18, 2}));
    EXPECT_EQ(three.smallestBest, 2);
    // Every ticket matches nothing when nothing of the player's is drawn.
    EXPECT_EQ(table.rows[0].matches[0].fewest, 2u);
    EXPECT_EQ(table.rows[0].matches[0].most, 2u);

    ASSERT_TRUE(table.holes);
    EXPECT_EQ(table.holes->count, 18u);
    ASSERT_EQ(table.holes->first.size(), kHolesListed);
    // The first ways in order, shown as the player's numbers.
    EXPECT_EQ(table.holes->first[0], (std::vector<int>{11, 22, 44}));
    EXPECT_EQ(table.holes->first[1], (std::vector<int>{11, 22, 55}));
}

TEST(WinTable, KeyWheelHolesAreThoseThatHoldTheKeys) {
    // Key number 1 in both tickets, claiming 3 of 3 for the ways that hold it: of the 10 ways
    // (1 and two of 2..6), only 1 2 3 and 1 4 5 are met.
    const PlayedWheel wheel{3, 6, false, {setOf({1, 2, 3}), setOf({1, 4, 5})},
                            Guarantee{3, 3}, 1, {}};
    const WinTable table = winTable(wheel);
    ASSERT_TRUE(table.holes);
    EXPECT_EQ(table.holes->count, 8u);
    EXPECT_EQ(table.holes->first.front(), (std::vector<int>{1, 2, 4}));
    // Ways without the key count in the table, not among the holes.
    EXPECT_EQ(table.rows[3].bestWays[3], 2u);
}

TEST(WinTable, FullWheelRuleMatchesItsTicketsCountedOneByOne) {
    for (const auto &[kind, n] : {std::pair{5, 8}, {6, 9}, {6, 6}, {3, 7}}) {
        SCOPED_TRACE(std::to_string(kind) + " of " + std::to_string(n));
        const unsigned everyMatch = 0xFF;
        const WinTable counted = winTable(fullWheelTicketByTicket(kind, n), everyMatch);
        const WinTable rule = winTable(fullWheel(kind, n), everyMatch);
        expectSameCounts(counted, rule);
        EXPECT_EQ(counted.holes->count, 0u);
        EXPECT_EQ(rule.holes->count, 0u);
    }
}

// The table of every catalogued wheel agrees with the program's two proofs: for every count m
// drawn and every t up to it, the ways whose best ticket matches fewer than t are the ways the
// proof finds uncovered, and the smallest best is what the proof guarantees.
TEST(WinTable, CatalogueWheelsAgreeWithTheirProofForEveryTOfM) {
    int wheels = 0;
    for (const int kind : {5, 6}) {
        for (const int index : wheelIndexes(kind)) {
            const std::optional<Wheel> wheel = findWheel(kind, index);
            if (!wheel || wheel->numbers > 20)
                continue;
            ++wheels;
            SCOPED_TRACE("Pick " + std::to_string(kind) + " wheel " + std::to_string(index));
            const PlayedWheel played = playedWheelOf(plainWheelOf(*wheel));
            const WinTable table = winTable(played);
            for (int m = 1; m <= kind; ++m) {
                const WinRow &row = table.rows[static_cast<std::size_t>(m)];
                EXPECT_EQ(row.smallestBest, provenMatches(played.tickets, played.numbers, m));
                std::uint64_t fewer = 0;
                for (int t = 1; t <= m; ++t) {
                    fewer += row.bestWays[static_cast<std::size_t>(t - 1)];
                    EXPECT_EQ(fewer, uncoveredDraws(played.tickets, played.numbers, t, m))
                        << t << " of " << m;
                }
                for (const MatchCounts &counts : row.matches)
                    EXPECT_LE(counts.fewest, counts.most);
                const std::uint64_t all = std::accumulate(
                    row.matches.begin(), row.matches.end(), std::uint64_t{0},
                    [](std::uint64_t sum, const MatchCounts &c) { return sum + c.total; });
                EXPECT_EQ(all, row.ways * played.tickets.size());
            }
            EXPECT_EQ(table.holes->count,
                      countUncovered(played.tickets, played.numbers, wheel->matchCount, kind));
        }
    }
    EXPECT_GT(wheels, 10);
}

TEST(WinTable, RefusesWhatItCannotCount) {
    EXPECT_NE(winTableProblem(fullWheel(6, 64)), "");
    EXPECT_NE(winTableProblem(PlayedWheel{6, 50, false, {1}, std::nullopt, 0, {}}), "");
    EXPECT_NE(winTableProblem(PlayedWheel{6, 20, false, {}, std::nullopt, 0, {}}), "");
    EXPECT_NE(winTableProblem(PlayedWheel{6, 5, false, {31}, std::nullopt, 0, {}}), "");
    // A million tickets over 49 numbers is more than a proof here takes.
    PlayedWheel large{6, 49, false, std::vector<NumberSet>(1'000'000, 63), std::nullopt, 0, {}};
    EXPECT_NE(winTableProblem(large), "");
    EXPECT_THROW(winTable(large), std::invalid_argument);
    EXPECT_EQ(winTableProblem(fullWheel(6, 60)), "");
}

TEST(WinTable, ReportRequestsGiveTheirTickets) {
    const std::vector<std::int16_t> numbers{3, 11, 17, 25, 33, 40, 42};
    const ReportRequest catalogued =
        reportRequestFor(cataloguedWheelChoice(5, 0, 7, 5), numbers);
    const std::optional<PlayedWheel> wheel = playedWheelOf(catalogued);
    ASSERT_TRUE(wheel);
    const std::optional<Wheel> table = findWheel(5, 0);
    EXPECT_EQ(wheel->tickets, plainWheelOf(*table).tickets);
    EXPECT_EQ(wheel->shownNumbers, (std::vector<int>{3, 11, 17, 25, 33, 40, 42}));

    const std::optional<PlayedWheel> full =
        playedWheelOf(reportRequestFor(fullWheelChoice(6, 10, -1), numbers));
    ASSERT_TRUE(full);
    EXPECT_TRUE(full->full);
    EXPECT_EQ(ticketCount(*full), 210u);

    EXPECT_FALSE(playedWheelOf(ReportRequest{}));
}

} // namespace
} // namespace marlek
