// The designer: it reaches known optima, every wheel it returns keeps its guarantee, the same
// seed gives the same wheel, and cancelling stops it at once.

#include "wheel_designer.h"
#include "wheel_verify.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace marlek {
namespace {

using namespace std::chrono_literals;

DesignRequest requestFor(int kind, int numbers, Guarantee guarantee, std::uint64_t moves) {
    DesignRequest request;
    request.kind = kind;
    request.numbers = numbers;
    request.guarantee = guarantee;
    request.timeBudget = 120s; // the move budget ends these searches, so they repeat exactly
    request.moveBudget = moves;
    return request;
}

struct KnownOptimum {
    int kind;
    int numbers;
    Guarantee guarantee;
    int tickets;
};

TEST(WheelDesigner, ReachesKnownOptimaAndProvesWhatItReturns) {
    // Six numbers out of eight leave out a pair, so these are small questions about pairs:
    // 3 of 3 needs four disjoint pairs left out, 2 of 2 three, 5 of 6 four pairs that touch seven
    // numbers. The Fano plane is the 2 of 2 wheel of threes over seven. Five of seven leave out a
    // pair too.
    const std::vector<KnownOptimum> cases = {
        {6, 8, {3, 3}, 4}, {6, 8, {2, 2}, 3}, {6, 8, {5, 6}, 4},
        {3, 7, {2, 2}, 7}, {5, 7, {2, 2}, 3}, {5, 5, {5, 5}, 1},
    };
    for (const KnownOptimum &c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " numbers a ticket over " << c.numbers << ", "
                                        << guaranteeText(c.guarantee));
        const DesignResult result = designWheel(requestFor(c.kind, c.numbers, c.guarantee, 3000));
        ASSERT_TRUE(result.wheel);
        EXPECT_EQ(static_cast<int>(result.wheel->tickets.size()), c.tickets);
        EXPECT_FALSE(result.cancelled);
        EXPECT_GE(provenMatches(result.wheel->tickets, c.numbers, c.guarantee.drawn),
                  c.guarantee.matches);
        for (const NumberSet ticket : result.wheel->tickets)
            EXPECT_EQ(std::popcount(ticket), c.kind);
    }
}

TEST(WheelDesigner, PutsTheKeysIntoEveryTicketOfTheWheelDesignedWithoutThem) {
    // With key 1, six numbers out of eight "3 of 3" is five numbers out of seven "2 of 2": three
    // tickets, where the wheel without a key needs four.
    DesignRequest request = requestFor(6, 8, {3, 3}, 3000);
    request.keys = 1;
    request.seed = 5;
    const DesignResult result = designWheel(request);
    ASSERT_TRUE(result.wheel);
    const PlainWheel &wheel = *result.wheel;
    EXPECT_EQ(wheel.tickets.size(), 3u);
    EXPECT_EQ(wheel.keys, 1);
    EXPECT_EQ(wheel.guarantee, (Guarantee{3, 3}));
    for (const NumberSet ticket : wheel.tickets) {
        EXPECT_EQ(std::popcount(ticket), 6);
        EXPECT_TRUE(ticket & bitOf(1));
    }
    EXPECT_TRUE(meetsGuarantee(wheel));
    EXPECT_GT(countUncovered(wheel.tickets, 8, 3, 3), 0u); // the key is needed
    // Counted over the draws that hold the key: the 21 pairs of the other seven numbers.
    EXPECT_EQ(result.allDraws, 21u);
    EXPECT_TRUE(result.keepsGuarantee());

    // The search is the one for the wheel without the key, seed for seed.
    DesignRequest reduced = requestFor(5, 7, {2, 2}, 3000);
    reduced.seed = 5;
    EXPECT_EQ(reducedWheel(wheel), designWheel(reduced).wheel);

    // A ticket budget counts the same tickets: two fives out of seven share three numbers, so
    // they cover 10 + 10 - 3 of the 21 pairs.
    request.ticketBudget = 2;
    const DesignResult held = designWheel(request);
    ASSERT_TRUE(held.wheel);
    EXPECT_EQ(held.wheel->tickets.size(), 2u);
    EXPECT_EQ(held.allDraws, 21u);
    EXPECT_EQ(held.coveredDraws, 17u);
    EXPECT_TRUE(ticketsHoldKeys(*held.wheel));
}

TEST(WheelDesigner, GivesTheSameWheelForTheSameSeedAndThreads) {
    for (const int threads : {1, 2}) {
        DesignRequest request = requestFor(5, 15, {3, 5}, 4000);
        request.threads = threads;
        request.seed = 42;
        const DesignResult first = designWheel(request);
        const DesignResult second = designWheel(request);
        ASSERT_TRUE(first.wheel);
        EXPECT_EQ(first.wheel, second.wheel) << threads << " threads";
        EXPECT_EQ(first.moves, second.moves);
        EXPECT_TRUE(meetsGuarantee(*first.wheel));
    }
}

// A search long enough to freeze without a smaller wheel goes through tabu phases: the wheel it
// returns is still proven (the proof checks the search's own count), and it repeats exactly.
TEST(WheelDesigner, ALongSearchThroughTabuPhasesStillProvesAndRepeats) {
    DesignRequest request = requestFor(5, 11, {3, 4}, 150'000);
    request.constructions = false;
    request.seed = 9;
    const DesignResult first = designWheel(request);
    ASSERT_TRUE(first.keepsGuarantee());
    EXPECT_TRUE(meetsGuarantee(*first.wheel));
    EXPECT_EQ(first.wheel, designWheel(request).wheel);
}

TEST(WheelDesigner, StartsFromAKnownWheelAndStopsAtTheTarget) {
    const PlainWheel catalogued = plainWheelOf(*findWheel(6, 7)); // 3 of 6 on 20 in 17 tickets
    DesignRequest request = requestFor(6, 20, {3, 6}, 1);
    request.starts = {catalogued, PlainWheel{6, 20, {3, 6}, {catalogued.tickets.front()}}};
    const DesignResult result = designWheel(request);
    ASSERT_TRUE(result.wheel);
    EXPECT_LE(result.wheel->tickets.size(), catalogued.tickets.size());

    DesignRequest target = requestFor(5, 11, {3, 5}, 0);
    target.targetTickets = 8;
    const DesignResult early = designWheel(target);
    ASSERT_TRUE(early.wheel);
    EXPECT_LE(early.wheel->tickets.size(), 8u);
}

// With no wheel at hand to start from, a join of two designed parts is the start: 3 of 5 on 20
// numbers joins 3 of 3 on 9 with 3 of 3 on 11, 32 tickets, which the target takes at once.
TEST(WheelDesigner, StartsFromAJoinOfDesignedParts) {
    DesignRequest request = requestFor(5, 20, {3, 5}, 40'000);
    request.constructions = false;
    request.targetTickets = 32;
    const DesignResult result = designWheel(request);
    ASSERT_TRUE(result.keepsGuarantee());
    EXPECT_TRUE(meetsGuarantee(*result.wheel));
    EXPECT_LE(result.wheel->tickets.size(), 32u);
    EXPECT_NE(result.source.find("each part designed here"), std::string::npos) << result.source;
}

// With a known wheel to beat and the time to spend, the designer first looks among wheels with a
// turn symmetry: 4 of 6 over 14 numbers in 14 tickets (two base tickets on two rings of 7), where
// a free search stalls at 15. The target ends the design as soon as it is found, however slow the
// machine.
TEST(WheelDesigner, LooksAmongTurnedWheelsFirst) {
    const PlainWheel catalogued = plainWheelOf(*findWheel(6, 8)); // 20 tickets
    ASSERT_EQ(catalogued.numbers, 14);
    ASSERT_EQ(catalogued.guarantee, (Guarantee{4, 6}));
    DesignRequest request = requestFor(6, 14, {4, 6}, 0);
    request.timeBudget = 3600s;
    request.targetTickets = 14;
    request.starts = {catalogued};
    const DesignResult result = designWheel(request);
    ASSERT_TRUE(result.keepsGuarantee());
    EXPECT_EQ(result.wheel->tickets.size(), 14u);
    EXPECT_FALSE(result.cancelled);
}

// Every triple of 30 numbers in tickets of three: thousands of tickets, more base tickets than
// the turn search takes for any ring, so the turn phase passes over it.
TEST(WheelDesigner, AStartTooLargeForTheTurnSearchIsStillDesigned) {
    DesignRequest request = requestFor(3, 30, {3, 3}, 0);
    request.timeBudget = 100ms;
    const DesignResult result = designWheel(request);
    ASSERT_TRUE(result.keepsGuarantee());
    EXPECT_EQ(result.wheel->tickets.size(), 4060u); // every triple is a ticket
}

// When the time ends before the search has a wheel of its own, the greedy start is the answer: it
// is built to the end and proven.
TEST(WheelDesigner, ReturnsTheGreedyStartWhenTheTimeEndsFirst) {
    DesignRequest request = requestFor(6, 30, {3, 6}, 0);
    request.timeBudget = 1ms;
    const DesignResult result = designWheel(request);
    ASSERT_TRUE(result.wheel);
    EXPECT_TRUE(result.keepsGuarantee());
    EXPECT_TRUE(meetsGuarantee(*result.wheel));
    EXPECT_FALSE(result.cancelled);
}

TEST(WheelDesigner, KeepsTheMostCoverageTheTicketBudgetAllows) {
    // Threes over six numbers, every pair covered: a ticket covers three of the 15 pairs and two
    // tickets share at most one, so b tickets cover at most 3b pairs, and four tickets that share
    // no pair exist; six are needed for all 15.
    struct Case {
        int budget;
        std::uint64_t covered;
    };
    for (const Case c : {Case{2, 6}, Case{4, 12}, Case{6, 15}, Case{9, 15}}) {
        SCOPED_TRACE(testing::Message() << "budget " << c.budget);
        DesignRequest request = requestFor(3, 6, {2, 2}, 3000);
        request.ticketBudget = c.budget;
        const DesignResult result = designWheel(request);
        ASSERT_TRUE(result.wheel);
        EXPECT_EQ(result.allDraws, 15u);
        EXPECT_EQ(result.coveredDraws, c.covered);
        EXPECT_EQ(result.keepsGuarantee(), c.covered == 15);
        EXPECT_EQ(result.wheel->tickets.size(), static_cast<std::size_t>(std::min(c.budget, 6)));
        EXPECT_EQ(countUncovered(result.wheel->tickets, 6, 2, 2), 15 - c.covered);
    }

    // A wheel too large for the budget is cut down to it, and the same seed gives the same wheel.
    DesignRequest request = requestFor(6, 20, {3, 6}, 500);
    request.starts = {plainWheelOf(*findWheel(6, 7))};
    request.ticketBudget = 8;
    request.seed = 7;
    const DesignResult first = designWheel(request);
    const DesignResult second = designWheel(request);
    ASSERT_TRUE(first.wheel);
    EXPECT_EQ(first.wheel->tickets.size(), 8u);
    EXPECT_EQ(first.wheel, second.wheel);
    EXPECT_EQ(first.allDraws, 38760u);
    EXPECT_EQ(first.coveredDraws, first.allDraws - countUncovered(first.wheel->tickets, 20, 3, 6));
    EXPECT_LT(first.coveredDraws, first.allDraws);
}

TEST(WheelDesigner, CancelStopsALongDesignAtOnce) {
    DesignRequest request = requestFor(6, 30, {3, 6}, 0);
    request.timeBudget = 3600s;
    std::atomic<bool> cancel{false};
    std::vector<DesignProgress> reports;
    const auto callerThread = std::this_thread::get_id();
    // The first report with a wheel cancels the design: it must end then, not at the budget.
    const DesignResult result = designWheel(request, &cancel, [&](const DesignProgress &report) {
        EXPECT_EQ(std::this_thread::get_id(), callerThread);
        reports.push_back(report);
        if (report.bestTickets > 0)
            cancel = true;
    });
    EXPECT_TRUE(result.cancelled);
    EXPECT_LT(result.elapsed, request.timeBudget);
    ASSERT_TRUE(result.wheel);
    EXPECT_TRUE(meetsGuarantee(*result.wheel));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().bestTickets, static_cast<int>(result.wheel->tickets.size()));

    // Cancelled before anything, with no construction to start from: nothing to return.
    cancel = true;
    request.constructions = false;
    const DesignResult early = designWheel(request, &cancel);
    EXPECT_TRUE(early.cancelled);
    EXPECT_FALSE(early.wheel);
}

TEST(WheelDesigner, RefusesWhatItCannotDesign) {
    const auto problem = [](int kind, int numbers, Guarantee guarantee) {
        DesignRequest request;
        request.kind = kind;
        request.numbers = numbers;
        request.guarantee = guarantee;
        return designProblem(request);
    };
    EXPECT_EQ(problem(6, 20, {3, 6}), "");
    EXPECT_EQ(problem(6, 20, {7, 7}), "the guarantee's matches (t) must be from 1 to 6, not 7");
    // A draw of more numbers than a ticket holds never happens, so its guarantee never applies.
    EXPECT_EQ(problem(6, 20, {3, 10}), "the guarantee's drawn numbers (m) must be from 3 to 6, not "
                                       "10: a draw holds no more numbers than the 6 of a ticket");
    EXPECT_EQ(problem(6, 20, {3, 7}), "the guarantee's drawn numbers (m) must be from 3 to 6, not "
                                      "7: a draw holds no more numbers than the 6 of a ticket");
    EXPECT_EQ(problem(8, 49, {3, 8}),
              "there are 450978066 ways to draw 8 of 49 numbers, more than the designer can "
              "follow (20000000)");
    DesignRequest overBudget;
    overBudget.kind = 6;
    overBudget.numbers = 20;
    overBudget.guarantee = {3, 6};
    overBudget.ticketBudget = -1;
    EXPECT_EQ(designProblem(overBudget),
              "the ticket budget must be 1 or more (0 for none), not -1");
    DesignRequest wrong;
    EXPECT_THROW(designWheel(wrong), std::invalid_argument);

    // Keys fewer than t, and only the draws that hold them are counted.
    DesignRequest keyed = overBudget;
    keyed.ticketBudget = 0;
    keyed.keys = 3;
    EXPECT_EQ(designProblem(keyed), "the key numbers (c) must be from 0 to 2, fewer than the "
                                    "guarantee's matches (t), not 3");
    keyed.kind = 8;
    keyed.numbers = 49;
    keyed.guarantee = {4, 8};
    keyed.keys = 1;
    EXPECT_EQ(designProblem(keyed),
              "there are 73629072 ways to draw 7 of 48 numbers, more than the designer can "
              "follow (20000000)");
    keyed.keys = 2; // 10,737,573 ways to draw 6 of 47
    EXPECT_EQ(designProblem(keyed), "");
}

} // namespace
} // namespace marlek
