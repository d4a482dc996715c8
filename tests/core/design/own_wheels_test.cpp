// The program's own table of best wheels: every shipped wheel named for its shape, never above
// the catalogue, the small ones proven here again (the build proves them all).

#include "best_known.h"
#include "design_texts.h"
#include "own_wheels.h"
#include "wheel_designer.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace marlek {
namespace {

TEST(OwnWheels, EveryShippedWheelIsNamedForItsShapeAndKeepsItsGuarantee) {
    ASSERT_FALSE(ownWheelTable().empty());
    std::set<std::tuple<int, int, int, int>> shapes;
    for (const OwnWheel &entry : ownWheelTable()) {
        const PlainWheel &wheel = entry.wheel;
        SCOPED_TRACE(std::string(entry.file));
        EXPECT_EQ(entry.file, ownWheelFileName(wheel.kind, wheel.numbers, wheel.guarantee));
        EXPECT_TRUE(
            shapes
                .insert({wheel.kind, wheel.numbers, wheel.guarantee.matches, wheel.guarantee.drawn})
                .second);
        // The build proves every wheel (prove_wheels); here, under the sanitizers, the small
        // ones are proven again by the program's own proof.
        if (choose(wheel.numbers, wheel.guarantee.drawn) * wheel.tickets.size() <= 2'000'000) {
            EXPECT_TRUE(meetsGuarantee(wheel, 2));
        }
        // Never worse than what the catalogue already offers for the same guarantee.
        if (const auto catalogued = cataloguedTickets(wheel.kind, wheel.numbers, wheel.guarantee)) {
            EXPECT_LE(wheel.tickets.size(), static_cast<std::size_t>(*catalogued));
        }
    }
}

TEST(OwnWheels, FindsAWheelByItsShape) {
    const OwnWheel &first = ownWheelTable().front();
    EXPECT_EQ(ownWheel(first.wheel.kind, first.wheel.numbers, first.wheel.guarantee), first.wheel);
    EXPECT_EQ(ownWheel(6, 49, {2, 2}), std::nullopt);
    EXPECT_EQ(ownWheelFileName(6, 20, {3, 6}), "k6-n20-3of6.wheel");
}

// The table holds 3 of 6 over 20 numbers at the best known (10 tickets, a turn search's wheel):
// a design starts from it and ends at once, where a free search stalls at 13 or 14.
TEST(OwnWheels, ADesignStartsFromTheTablesWheel) {
    DesignRequest request;
    request.kind = 6;
    request.numbers = 20;
    request.guarantee = {3, 6};
    request.moveBudget = 1;
    aimAtKnownWheels(request);
    const DesignResult result = designWheel(request);
    ASSERT_TRUE(result.keepsGuarantee());
    EXPECT_EQ(result.wheel->tickets.size(), 10u);
    EXPECT_EQ(result.wheel, ownWheel(6, 20, {3, 6}));
}

} // namespace
} // namespace marlek
