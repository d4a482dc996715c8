// The designer's proof agrees with the plain proof on wheels that keep their guarantee and on
// wheels that do not, and counts what a wheel leaves out exactly.

#include "cover_proof.h"
#include "plain_wheel.h"
#include "wheel_verify.h"

#include <gtest/gtest.h>

#include <random>

namespace marlek {
namespace {

TEST(CoverProof, AgreesWithThePlainProofOnRandomTickets) {
    std::mt19937_64 random(11);
    for (int round = 0; round < 40; ++round) {
        const int numbers = 8 + static_cast<int>(random() % 9);
        const int kind = 3 + static_cast<int>(random() % 4);
        const int drawn = 2 + static_cast<int>(random() % (kind - 1));
        const int matches = 1 + static_cast<int>(random() % drawn);
        std::vector<NumberSet> tickets;
        for (int i = 0, count = 1 + static_cast<int>(random() % 12); i < count; ++i) {
            NumberSet ticket = 0;
            while (std::popcount(ticket) < kind)
                ticket |= bitOf(1 + static_cast<int>(random() % numbers));
            tickets.push_back(ticket);
        }
        SCOPED_TRACE(testing::Message()
                     << kind << " a ticket over " << numbers << ", " << matches << " of " << drawn);
        EXPECT_EQ(uncoveredDraws(tickets, numbers, matches, drawn, 1 + round % 2),
                  countUncovered(tickets, numbers, matches, drawn));
    }
}

TEST(CoverProof, ProvesTheCataloguesWheelsAndFindsAMissingTicket) {
    for (const int kind : {5, 6})
        for (const int index : wheelIndexes(kind)) {
            const PlainWheel wheel = plainWheelOf(*findWheel(kind, index));
            if (wheel.numbers > 30)
                continue;
            EXPECT_EQ(uncoveredDraws(wheel.tickets, wheel.numbers, wheel.guarantee.matches,
                                     wheel.guarantee.drawn),
                      0u)
                << kind << " " << index;
        }
    // Every pair of 1..4 in tickets of three: any three of the four triangles hold them all, two
    // miss the pair the other two share.
    std::vector<NumberSet> tickets = {
        bitOf(1) | bitOf(2) | bitOf(3), bitOf(1) | bitOf(2) | bitOf(4),
        bitOf(1) | bitOf(3) | bitOf(4), bitOf(2) | bitOf(3) | bitOf(4)};
    EXPECT_EQ(uncoveredDraws(tickets, 4, 2, 2), 0u);
    tickets.pop_back();
    EXPECT_EQ(uncoveredDraws(tickets, 4, 2, 2), 0u); // the other three hold every pair
    tickets.pop_back();
    EXPECT_EQ(uncoveredDraws(tickets, 4, 2, 2), 1u); // {3, 4}
}

} // namespace
} // namespace marlek
