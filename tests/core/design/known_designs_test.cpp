// The known designs, built from their constructions: each a Steiner system, every t-set of its
// numbers in exactly one ticket.

#include "cover_proof.h"
#include "known_designs.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

TEST(KnownDesigns, EachIsASteinerSystem) {
    struct Expected {
        int kind;
        int numbers;
        int t;
        std::size_t tickets;
    };
    const std::vector<Expected> expected = {{6, 12, 5, 132},  {5, 11, 4, 66},  {6, 22, 3, 77},
                                            {5, 17, 3, 68},   {6, 26, 3, 130}, {7, 28, 5, 4680},
                                            {6, 27, 4, 1170}, {5, 26, 3, 260}, {5, 21, 2, 21},
                                            {6, 31, 2, 31},   {5, 25, 2, 30}};
    ASSERT_EQ(knownDesigns().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const KnownDesign &design = knownDesigns()[i];
        const PlainWheel &wheel = design.wheel;
        SCOPED_TRACE(design.name);
        EXPECT_EQ(wheel.kind, expected[i].kind);
        EXPECT_EQ(wheel.numbers, expected[i].numbers);
        EXPECT_EQ(wheel.guarantee, (Guarantee{expected[i].t, expected[i].t}));
        EXPECT_EQ(wheel.tickets.size(), expected[i].tickets);
        for (const NumberSet ticket : wheel.tickets)
            EXPECT_EQ(std::popcount(ticket), wheel.kind);
        // Every t-set covered, and as many tickets as C(N, t) / C(k, t): so each exactly once.
        EXPECT_EQ(uncoveredDraws(wheel.tickets, wheel.numbers, expected[i].t, expected[i].t), 0u);
        EXPECT_EQ(wheel.tickets.size() * choose(wheel.kind, expected[i].t),
                  choose(wheel.numbers, expected[i].t));
    }
}

} // namespace
} // namespace marlek
