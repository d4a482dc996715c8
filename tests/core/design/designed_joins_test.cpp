// Joins of designed parts: each join keeps its guarantee, with every ticket whole and inside the
// numbers, a part of at most k numbers being one ticket; only joins that could beat the wheel in
// hand are tried.

#include "cover_proof.h"
#include "designed_joins.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

DesignRequest joinRequest(int kind, int numbers, Guarantee guarantee) {
    DesignRequest request;
    request.kind = kind;
    request.numbers = numbers;
    request.guarantee = guarantee;
    request.timeBudget = std::chrono::minutes(2); // the moves end the parts' searches
    request.moveBudget = 40'000;
    return request;
}

struct JoinCase {
    int kind;
    int numbers;
    Guarantee guarantee;
    std::size_t most; // the tickets of the best join the parts' searches reach within their moves
};

TEST(DesignedJoins, KeepTheirGuaranteeWithWholeTicketsInsideTheNumbers) {
    // 3 of 5 on 20: 3 of 3 on 9 (12 tickets) beside 3 of 3 on 11 (20). 3 of 6 on 17: one ticket
    // of 6 numbers beside 3 of 4 on 11 (5).
    for (const JoinCase &c : std::vector<JoinCase>{{5, 20, {3, 5}, 32}, {6, 17, {3, 6}, 6}}) {
        SCOPED_TRACE(testing::Message() << c.kind << " a ticket on " << c.numbers << ", "
                                        << guaranteeText(c.guarantee));
        const std::optional<Construction> join =
            joinOfDesignedParts(joinRequest(c.kind, c.numbers, c.guarantee), 0, nullptr);
        ASSERT_TRUE(join);
        EXPECT_LE(join->wheel.tickets.size(), c.most) << join->method;
        EXPECT_NE(join->method.find("each part designed here"), std::string::npos);
        EXPECT_EQ(uncoveredDraws(join->wheel.tickets, c.numbers, c.guarantee.matches,
                                 c.guarantee.drawn),
                  0u)
            << join->method;
        for (const NumberSet ticket : join->wheel.tickets) {
            EXPECT_EQ(std::popcount(ticket), c.kind);
            EXPECT_EQ(ticket >> c.numbers, 0u);
        }
    }
}

TEST(DesignedJoins, OfferOnlyJoinsSmallerThanTheWheelInHand) {
    // Every join of 3 of 5 on 20 needs at least 29 tickets by its parts' lower bounds; no split
    // of 4 of 6 holds a part that keeps 4 of anything.
    EXPECT_FALSE(joinOfDesignedParts(joinRequest(5, 20, {3, 5}), 29, nullptr));
    const std::optional<Construction> join =
        joinOfDesignedParts(joinRequest(5, 20, {3, 5}), 40, nullptr);
    ASSERT_TRUE(join);
    EXPECT_LT(join->wheel.tickets.size(), 40u);
    EXPECT_FALSE(joinOfDesignedParts(joinRequest(6, 20, {4, 6}), 0, nullptr));
}

} // namespace
} // namespace marlek
