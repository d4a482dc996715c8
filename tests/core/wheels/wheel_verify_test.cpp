// The proof behind "verify": it must find the true guarantee and catch a wheel that breaks it.

#include "plain_wheel.h"
#include "wheel_verify.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace marlek {
namespace {

Wheel wheelOf(int kind, int numbers, int matchCount, const std::vector<std::int16_t> &positions) {
    return Wheel{kind,    99,         numbers,  static_cast<int>(positions.size()) / kind,
                 " test", matchCount, positions};
}

TEST(ProvenMatchCount, EqualsTheLabelOrMoreForEveryCataloguedWheel) {
    // The wheels that meet more than their label says; every other one meets exactly its label.
    const std::vector<std::tuple<int, int, int>> more = {{5, 31, 5}, {5, 32, 4}, {6, 27, 5},
                                                         {6, 28, 5}, {6, 29, 5}, {6, 30, 4},
                                                         {6, 32, 4}, {6, 37, 4}};
    for (const int kind : {5, 6}) {
        for (const int index : wheelIndexes(kind)) {
            const Wheel wheel = *findWheel(kind, index);
            int expected = wheel.matchCount;
            for (const auto &[k, i, m] : more)
                if (k == kind && i == index)
                    expected = m;
            EXPECT_EQ(provenMatchCount(wheel), expected) << "Pick " << kind << " wheel " << index;
        }
    }
}

TEST(ProvenMatchCount, DropsWhenOneTicketOfAWheelIsWrong) {
    const Wheel good = *findWheel(6, 10); // 23 numbers, 100,947 sets of winning positions
    std::vector<std::int16_t> broken(good.positions.begin(), good.positions.end());
    broken[6 * 7 + 2] = 12; // the 8th ticket 1 6 9 15 20 22 becomes 1 6 12 15 20 22
    Wheel wrong = good;
    wrong.positions = broken;
    EXPECT_EQ(provenMatchCount(good), 3);
    EXPECT_LT(provenMatchCount(wrong), 3);
}

TEST(ProvenMatchCount, HandlesSmallAndDegenerateWheels) {
    const std::vector<std::int16_t> oneTicket{1, 2, 3, 4, 5};
    EXPECT_EQ(provenMatchCount(wheelOf(5, 5, 5, oneTicket)), 5);
    EXPECT_EQ(provenMatchCount(wheelOf(5, 6, 4, oneTicket)), 4);
    EXPECT_EQ(provenMatchCount(wheelOf(5, 10, 0, oneTicket)), 0); // 6..10 share nothing with it
    EXPECT_EQ(provenMatchCount(wheelOf(5, 4, 5, {})), 5);         // no set of 5 out of 4
    EXPECT_EQ(provenMatchCount(wheelOf(5, 6, 0, {})), 0);         // no tickets at all
    // Positions outside 1..N count for nothing rather than reading beyond the wheel.
    const std::vector<std::int16_t> outside{0, 2, 3, 4, 70};
    EXPECT_EQ(provenMatchCount(wheelOf(5, 5, 3, outside)), 3);
    EXPECT_THROW(provenMatchCount(wheelOf(5, 64, 3, oneTicket)), std::invalid_argument);
}

NumberSet setOf(std::initializer_list<int> numbers) {
    NumberSet set = 0;
    for (const int number : numbers)
        set |= bitOf(number);
    return set;
}

// The Fano plane: seven lines of three over seven numbers, every pair on exactly one line.
const std::vector<NumberSet> kFanoPlane = {setOf({1, 2, 3}), setOf({1, 4, 5}), setOf({1, 6, 7}),
                                           setOf({2, 4, 6}), setOf({2, 5, 7}), setOf({3, 4, 7}),
                                           setOf({3, 5, 6})};

// Six numbers out of eight are the eight less two: a ticket misses one pair. A triple drawn meets
// some ticket in all three exactly when it misses one of those pairs.
const std::vector<NumberSet> kFourMissedPairs = {
    setOf({3, 4, 5, 6, 7, 8}), setOf({1, 2, 5, 6, 7, 8}), setOf({1, 2, 3, 4, 7, 8}),
    setOf({1, 2, 3, 4, 5, 6})};

TEST(ProvenMatches, KnowsSmallDesignsByHand) {
    EXPECT_EQ(provenMatches(kFanoPlane, 7, 2), 2); // every pair lies on a line
    EXPECT_EQ(provenMatches(kFanoPlane, 7, 3), 2); // and a triple holds a pair
    EXPECT_EQ(provenMatches(kFanoPlane, 7, 4), 2); // no line lies in every set of four
    EXPECT_EQ(countUncovered(kFanoPlane, 7, 2, 2), 0u);

    const std::vector<NumberSet> sixLines(kFanoPlane.begin(), kFanoPlane.end() - 1);
    EXPECT_EQ(provenMatches(sixLines, 7, 2), 1);
    EXPECT_EQ(countUncovered(sixLines, 7, 2, 2), 3u); // the three pairs of the missing line

    EXPECT_EQ(provenMatches(kFourMissedPairs, 8, 3), 3);
    const std::vector<NumberSet> threeTickets(kFourMissedPairs.begin(), kFourMissedPairs.end() - 1);
    EXPECT_EQ(provenMatches(threeTickets, 8, 3), 2);
    // The uncovered triples take one number from each of the three missed pairs: 2 x 2 x 2.
    EXPECT_EQ(countUncovered(threeTickets, 8, 3, 3), 8u);
    EXPECT_EQ(countUncovered({}, 8, 1, 3), 56u);
    EXPECT_EQ(provenMatches(kFourMissedPairs, 5, 6), 6); // nothing of six to draw out of five
}

TEST(KeyWheel, KeepsItsGuaranteeOnlyForDrawsThatHoldTheKeys) {
    // Key 1 in both tickets, and the rest 2 3 | 4 5: every pair drawn with 1 meets a ticket in
    // two, but the pair 2 4 meets each ticket in one.
    const PlainWheel keyed{3, 5, {2, 2}, {setOf({1, 2, 3}), setOf({1, 4, 5})}, 1};
    EXPECT_TRUE(meetsGuarantee(keyed));
    PlainWheel unkeyed = keyed;
    unkeyed.keys = 0;
    EXPECT_FALSE(meetsGuarantee(unkeyed));

    // Without the keys: two numbers a ticket over four, "1 of 1".
    const PlainWheel reduced = reducedWheel(keyed);
    EXPECT_EQ(reduced, (PlainWheel{2, 4, {1, 1}, {setOf({1, 2}), setOf({3, 4})}, 0}));
    EXPECT_EQ(keyWheelOver(reduced, 1), keyed);

    // A ticket without the key makes no key wheel, even beside tickets that keep the guarantee.
    PlainWheel keyLost = keyed;
    keyLost.tickets.push_back(setOf({2, 3, 4}));
    EXPECT_FALSE(ticketsHoldKeys(keyLost));
    EXPECT_FALSE(meetsGuarantee(keyLost));

    // A key wheel that keeps "t of m" under its keys, checked against the plain proof of the
    // draws that hold them: the Fano plane under keys 1 2 is "4 of 4" over 9 numbers.
    const PlainWheel fano = keyWheelOver({3, 7, {2, 2}, kFanoPlane, 0}, 2);
    EXPECT_EQ(fano.guarantee, (Guarantee{4, 4}));
    EXPECT_TRUE(meetsGuarantee(fano));
    PlainWheel sixLines = fano;
    sixLines.tickets.pop_back();
    EXPECT_FALSE(meetsGuarantee(sixLines));

    EXPECT_EQ(keyProblem({3, 6}, 2), "");
    EXPECT_EQ(keyProblem({3, 6}, 3),
              "the key numbers (c) must be from 0 to 2, fewer than the guarantee's matches (t), "
              "not 3");
    EXPECT_NE(keyProblem({3, 6}, -1), "");
}

TEST(ProvenMatches, GivesTheSameAnswerOnEveryCountOfThreads) {
    const Wheel wheel = *findWheel(5, 14); // 26 numbers, 65,780 sets of five
    std::vector<NumberSet> tickets;
    for (std::size_t i = 0; i < wheel.positions.size(); i += 5) {
        NumberSet ticket = 0;
        for (std::size_t j = 0; j < 5; ++j)
            ticket |= bitOf(wheel.positions[i + j]);
        tickets.push_back(ticket);
    }
    const std::vector<NumberSet> fewer(tickets.begin(), tickets.end() - 20);
    for (const int threads : {1, 2, 3, 8}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(provenMatches(tickets, 26, 5, threads), 3);
        EXPECT_EQ(provenMatches(tickets, 26, 6, threads), 3);
        EXPECT_EQ(provenMatches(fewer, 26, 5, threads), 2);
        EXPECT_EQ(countUncovered(tickets, 26, 3, 5, threads), 0u);
        EXPECT_EQ(countUncovered(fewer, 26, 3, 5, threads), countUncovered(fewer, 26, 3, 5, 1));
    }
    EXPECT_GT(countUncovered(fewer, 26, 3, 5), 0u);
}

// What a proof may cost is known before it starts; a proof that is cancelled ends at once.
TEST(ProofChecks, CountEverySetAgainstEveryTicketAndACancelEndsTheProof) {
    EXPECT_EQ(proofSets(30, 6, 6), 593'775u);
    EXPECT_EQ(proofSets(30, 1, 6), 768'211u);
    EXPECT_EQ(proofSets(5, 0, 9), 32u); // every subset, the empty one too
    EXPECT_EQ(proofChecks(30, 6, 6, 1'000'000), 593'775'000'000u);
    EXPECT_EQ(proofChecks(63, 1, 63, 1'000'000), UINT64_MAX);
    EXPECT_GT(proofChecks(30, 6, 6, 1'000'000), kMaxProofChecks);

    // 100,000 copies of a ticket that no other draw of 6 meets in 6: 59 billion checks, unless
    // the proof is cancelled.
    const std::vector<NumberSet> copies(100'000, NumberSet{0b111111});
    const std::atomic<bool> cancel{true};
    countUncovered(copies, 30, 6, 6, 2, &cancel); // returns at once
    meetsGuarantee({6, 30, {6, 6}, copies, 0}, 1, &cancel);
    EXPECT_EQ(countUncovered(copies, 12, 6, 6), 923u); // not cancelled: every set of 6 but one
}

TEST(NumberSets, RankAndUnrankAreInverse) {
    for (const int size : {1, 3, 6}) {
        NumberSet set = (NumberSet{1} << size) - 1;
        for (std::uint64_t rank = 0; rank < choose(12, size); ++rank, set = nextSameSize(set)) {
            ASSERT_EQ(colexRank(set), rank);
            ASSERT_EQ(colexUnrank(rank, size), set);
        }
    }
    EXPECT_EQ(choose(49, 6), 13983816u);
    EXPECT_EQ(numbersOf(setOf({2, 9, 49})), (std::vector<int>{2, 9, 49}));
}

} // namespace
} // namespace marlek
