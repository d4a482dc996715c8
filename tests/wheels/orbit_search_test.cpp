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
    EXPECT_THROW(searchOrbitWheel(requestOf(6, 20, {3, 6}, 1, 1)), std::invalid_argument);
}

} // namespace
} // namespace marlek
