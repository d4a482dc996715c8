// The proof over tickets read one at a time, against the plain proof of every set and ticket.

#include "cover_tally.h"
#include "plain_wheel.h"
#include "wheel_verify.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

namespace marlek {
namespace {

// Sets of `drawn` out of 1..numbers holding `required` that no ticket meets in `matches`, one by
// one.
std::uint64_t uncoveredByHand(const std::vector<NumberSet> &tickets, int numbers, int matches,
                              int drawn, NumberSet required) {
    std::uint64_t missed = 0;
    for (NumberSet set = (NumberSet{1} << drawn) - 1; set < (NumberSet{1} << numbers);
         set = nextSameSize(set)) {
        if ((set & required) != required)
            continue;
        bool met = false;
        for (const NumberSet ticket : tickets)
            met = met || std::popcount(ticket & set) >= matches;
        missed += met ? 0 : 1;
    }
    return missed;
}

TEST(CoverTally, CountsWhatTheProofOfEverySetCounts) {
    // Every catalogued Pick 5 wheel, whole and with its first ticket moved onto other numbers,
    // counted for its own guarantee and the ones around it, on one thread and on three.
    for (int index : {0, 3, 9, 14}) {
        PlainWheel wheel = plainWheelOf(*findWheel(5, index));
        for (const bool broken : {false, true}) {
            if (broken)
                wheel.tickets.front() = NumberSet{0b11111} << (wheel.numbers - 5);
            CoverTally tally(wheel.numbers, wheel.guarantee.matches);
            for (const NumberSet ticket : wheel.tickets)
                tally.add(ticket);
            for (int drawn = 1; drawn <= 5; ++drawn) {
                const std::uint64_t expected =
                    countUncovered(wheel.tickets, wheel.numbers, wheel.guarantee.matches, drawn);
                EXPECT_EQ(tally.uncovered(drawn, 0), expected) << index << ' ' << drawn;
                EXPECT_EQ(tally.uncovered(drawn, 0, 3), expected) << index << ' ' << drawn;
                EXPECT_EQ(tally.draws(drawn, 0), choose(wheel.numbers, drawn));
            }
        }
    }
}

TEST(CoverTally, CountsOnlyTheDrawsThatHoldTheRequiredNumbers) {
    // Random tickets of 6 over 14 numbers, some without the keys: the draws of 5 that hold keys
    // 3 and 9 (numbers anywhere, not only the lowest), for 3 and 4 matches.
    std::mt19937_64 random(7);
    std::vector<NumberSet> tickets;
    for (int i = 0; i < 4; ++i) {
        NumberSet ticket = 0;
        while (std::popcount(ticket) < 6)
            ticket |= bitOf(static_cast<int>(random() % 14) + 1);
        tickets.push_back(ticket);
    }
    const NumberSet keys = bitOf(3) | bitOf(9);
    for (int matches : {3, 4}) {
        CoverTally tally(14, matches);
        for (const NumberSet ticket : tickets)
            tally.add(ticket);
        EXPECT_EQ(tally.draws(5, keys), choose(12, 3));
        const std::uint64_t expected = uncoveredByHand(tickets, 14, matches, 5, keys);
        EXPECT_GT(expected, 0u) << matches; // the tickets leave draws short: a real count
        EXPECT_EQ(tally.uncovered(5, keys), expected) << matches;
        EXPECT_EQ(tally.uncovered(5, keys, 2), expected) << matches;
    }
    // Nothing to draw: no numbers beside the keys, or more keys than drawn.
    CoverTally tally(14, 2);
    tally.add(keys | bitOf(1));
    EXPECT_EQ(tally.draws(2, keys), 1u);
    EXPECT_EQ(tally.uncovered(2, keys), 0u);
    EXPECT_EQ(tally.draws(1, keys), 0u);
    EXPECT_EQ(tally.uncovered(1, keys), 0u);
    EXPECT_THROW(CoverTally(64, 3), std::invalid_argument);
    EXPECT_THROW(CoverTally(20, 0), std::invalid_argument);
}

} // namespace
} // namespace marlek
