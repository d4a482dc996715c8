// Constructions: known designs for fewer numbers or a weaker guarantee, joins over a split of the
// numbers and of the drawn count; every constructed wheel keeps its guarantee.

#include "constructions.h"
#include "cover_proof.h"
#include "lower_bound.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

void expectProven(const Construction &made) {
    const PlainWheel &wheel = made.wheel;
    EXPECT_EQ(uncoveredDraws(wheel.tickets, wheel.numbers, wheel.guarantee.matches,
                             wheel.guarantee.drawn),
              0u)
        << made.method;
    for (const NumberSet ticket : wheel.tickets) {
        EXPECT_EQ(std::popcount(ticket), wheel.kind) << made.method;
        EXPECT_EQ(ticket >> wheel.numbers, 0u) << made.method;
    }
}

TEST(Constructions, UseKnownDesignsForFewerNumbersAndWeakerGuarantees) {
    const auto s3622 = constructWheel(6, 22, {3, 3});
    ASSERT_TRUE(s3622);
    EXPECT_EQ(s3622->wheel.tickets.size(), 77u);
    expectProven(*s3622);
    // S(3,6,22) keeps 3 of 4 too, and with one number taken out it is a wheel for 21.
    const auto fewer = constructWheel(6, 21, {3, 4});
    ASSERT_TRUE(fewer);
    EXPECT_LE(fewer->wheel.tickets.size(), 77u);
    expectProven(*fewer);
    // S(3,5,26) and S(4,6,27), derived from S(5,7,28), with numbers taken out below them.
    for (const auto &[kind, numbers, t, most] : std::vector<std::tuple<int, int, int, std::size_t>>{
             {5, 26, 3, 260}, {5, 24, 3, 260}, {6, 27, 4, 1170}, {6, 25, 4, 1170}}) {
        const auto made = constructWheel(kind, numbers, {t, t});
        ASSERT_TRUE(made) << numbers;
        EXPECT_LE(made->wheel.tickets.size(), most) << made->method;
        expectProven(*made);
    }
}

TEST(Constructions, JoinOverEverySplitAndAreNeverBelowTheLowerBound) {
    // 2 of 3 with threes on 7 numbers: groups of 3 and 4, 1 + 3 tickets, the lower bound.
    const auto pairs = constructWheel(3, 7, {2, 3});
    ASSERT_TRUE(pairs);
    EXPECT_EQ(pairs->wheel.tickets.size(), 4u);
    EXPECT_NE(pairs->method.find("join"), std::string::npos) << pairs->method;
    expectProven(*pairs);
    for (const auto &[kind, numbers, t, m] : std::vector<std::tuple<int, int, int, int>>{
             {6, 30, 3, 6}, {5, 30, 3, 5}, {6, 33, 2, 6}, {5, 19, 4, 5}, {6, 32, 3, 6}}) {
        const auto made = constructWheel(kind, numbers, {t, m});
        ASSERT_TRUE(made) << numbers;
        expectProven(*made);
        EXPECT_GE(made->wheel.tickets.size(), lowerBound(kind, numbers, {t, m}).tickets);
    }
}

} // namespace
} // namespace marlek
