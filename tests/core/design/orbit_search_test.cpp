// The search among wheels with a turn symmetry.

#include "orbit_search.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

using std::chrono::milliseconds;

OrbitRequest requestOf(int kind, int numbers, Guarantee guarantee, int cycle, int baseTickets) {
    OrbitRequest request;
    request.kind = kind;
    request.numbers = numbers;
    request.guarantee = guarantee;
    request.cycle = cycle;
    request.baseTickets = baseTickets;
    request.timeBudget = milliseconds(60'000);
    return request;
}

// The two wheels at the best known that a free search misses: one base ticket turned 10 times
// on two rings of 10, and two turned 7 times on two rings of 7.
TEST(OrbitSearch, FindsSmallWheelsTheFreeSearchMisses) {
    for (const OrbitRequest &request :
         {requestOf(6, 20, {3, 6}, 10, 1), requestOf(6, 14, {4, 6}, 7, 2)}) {
        const std::optional<PlainWheel> wheel = searchOrbitWheel(request);
        ASSERT_TRUE(wheel);
        EXPECT_EQ(wheel->tickets.size(),
                  static_cast<std::size_t>(request.cycle * request.baseTickets));
        EXPECT_TRUE(meetsGuarantee(*wheel));
        EXPECT_EQ(searchOrbitWheel(request), wheel); // the same seed, the same wheel
    }
}

TEST(OrbitSearch, TurnsOfAFewNumbersLeaveTheRestInPlace) {
    // 3 rings of 3 and two numbers that stay: 9 tickets at most from 3 base tickets.
    const std::optional<PlainWheel> wheel = searchOrbitWheel(requestOf(5, 11, {3, 5}, 3, 3));
    ASSERT_TRUE(wheel);
    EXPECT_LE(wheel->tickets.size(), 9u);
    EXPECT_TRUE(meetsGuarantee(*wheel));
}

// Four rings of three: one base ticket turned three times, and three tickets of two whole rings
// each, which no turn moves, make 4 of 6 on 12 numbers in 6 tickets, the best known.
TEST(OrbitSearch, StillTicketsAreMadeOfWholeRings) {
    OrbitRequest request = requestOf(6, 12, {4, 6}, 3, 1);
    request.stillTickets = 3;
    const std::optional<PlainWheel> wheel = searchOrbitWheel(request);
    ASSERT_TRUE(wheel);
    ASSERT_EQ(wheel->tickets.size(), 6u);
    EXPECT_TRUE(meetsGuarantee(*wheel));
    const NumberSet ring = 0b111;
    for (std::size_t i = 3; i < 6; ++i) {
        const NumberSet still = wheel->tickets[i];
        int wholeRings = 0;
        for (int r = 0; r < 4; ++r)
            wholeRings += (still & ring << (3 * r)) == ring << (3 * r) ? 1 : 0;
        EXPECT_EQ(wholeRings, 2) << "ticket " << i;
    }
}

TEST(OrbitSearch, GivesNothingWhenNoSuchWheelIsFoundInTime) {
    // One base ticket turned 7 times cannot keep 4 of 6 on 14 numbers: 14 tickets are needed.
    OrbitRequest request = requestOf(6, 14, {4, 6}, 7, 1);
    request.timeBudget = milliseconds(200);
    EXPECT_EQ(searchOrbitWheel(request), std::nullopt);

    const std::atomic<bool> cancelled{true};
    request.timeBudget = milliseconds(60'000);
    EXPECT_EQ(searchOrbitWheel(request, &cancelled), std::nullopt);
}

TEST(OrbitSearch, RefusesAWrongRequest) {
    EXPECT_EQ(orbitProblem(requestOf(6, 20, {3, 6}, 21, 1)),
              "the turn must be 2 to 20 numbers long, not 21");
    EXPECT_EQ(orbitProblem(requestOf(6, 20, {3, 6}, 10, 0)),
              "the base tickets must be 1 to 1000, not 0");
    EXPECT_NE(orbitProblem(requestOf(6, 20, {7, 6}, 10, 1)), "");
    OrbitRequest still = requestOf(5, 9, {4, 5}, 3, 2);
    still.stillTickets = 1; // three rings of three: no five numbers are whole rings
    EXPECT_EQ(orbitProblem(still), "no ticket of 5 numbers stays as it is when 9 numbers turn in "
                                   "rings of 3");
    still.stillTickets = -1;
    EXPECT_EQ(orbitProblem(still), "the still tickets must be 0 to 1000, not -1");
    EXPECT_THROW(searchOrbitWheel(requestOf(6, 20, {3, 6}, 1, 1)), std::invalid_argument);
}

} // namespace
} // namespace marlek
