// The lower bounds: exact where a Steiner system meets them, never above a wheel the program has.

#include "best_known.h"
#include "lower_bound.h"
#include "own_wheels.h"
#include "wheel_designer.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

TEST(LowerBound, SchoenheimIsMetByTheSteinerSystems) {
    struct Case {
        int kind;
        int numbers;
        Guarantee guarantee;
        std::uint64_t tickets;
    };
    // S(5,6,12), S(4,5,11), S(3,6,22), S(3,5,17), S(3,6,26), S(3,5,26), the projective plane of
    // order 4 and the affine plane of order 5: each t-set in exactly one block.
    for (const Case c :
         {Case{6, 12, {5, 5}, 132}, Case{5, 11, {4, 4}, 66}, Case{6, 22, {3, 3}, 77},
          Case{5, 17, {3, 3}, 68}, Case{6, 26, {3, 3}, 130}, Case{5, 26, {3, 3}, 260},
          Case{5, 21, {2, 2}, 21}, Case{5, 25, {2, 2}, 30}, Case{5, 26, {5, 5}, 65'780}}) {
        const LowerBound bound = lowerBound(c.kind, c.numbers, c.guarantee);
        EXPECT_EQ(bound.tickets, c.tickets) << c.kind << " " << c.numbers;
        EXPECT_EQ(bound.method, "Schönheim's bound");
    }
}

TEST(LowerBound, LottoBoundsTakeTheBestOfTheirMethods) {
    // Two groups of 3 and 4 numbers, each with its pairs covered by threes: 1 + 3 tickets.
    EXPECT_EQ(lowerBound(3, 7, {2, 3}).tickets, 4u);
    EXPECT_EQ(lowerBound(3, 7, {2, 3}).method, "the bound of Füredi, Székely and Zubor");
    EXPECT_EQ(lowerBound(6, 30, {3, 6}).tickets, 19u);
    EXPECT_EQ(lowerBound(6, 30, {3, 6}).method, "the Turán bound (de Caen)");
    // A key wheel is bounded as its wheel without the keys.
    EXPECT_EQ(lowerBound(6, 23, {4, 4}, 1).tickets, lowerBound(5, 22, {3, 3}).tickets);
    // One ticket is all a wheel of as many numbers as a ticket needs.
    EXPECT_EQ(lowerBound(6, 6, {3, 6}).tickets, 1u);
}

TEST(LowerBound, NoWheelOfTheProgramIsBelowIt) {
    for (const OwnWheel &entry : ownWheelTable()) {
        const PlainWheel &wheel = entry.wheel;
        EXPECT_LE(lowerBound(wheel.kind, wheel.numbers, wheel.guarantee).tickets,
                  wheel.tickets.size())
            << entry.file;
    }
    for (const BestKnown &entry : bestKnownTable())
        EXPECT_LE(lowerBound(entry.kind, entry.numbers, entry.guarantee).tickets,
                  static_cast<std::uint64_t>(entry.tickets))
            << entry.kind << " " << entry.numbers;
}

TEST(LowerBound, ARequestNoWheelCanMeetIsRefused) {
    DesignRequest request;
    request.kind = 5;
    request.numbers = 26;
    request.guarantee = {5, 5};
    EXPECT_EQ(designProblem(request), "no wheel of at most 65,535 tickets keeps 5 of 5 over 26 "
                                      "numbers, 5 a ticket: it needs at least 65,780 tickets "
                                      "(Schönheim's bound)");
    request.numbers = 25; // C(25, 5) = 53,130: every set of 5 a ticket fits
    EXPECT_EQ(designProblem(request), "");
}

} // namespace
} // namespace marlek
