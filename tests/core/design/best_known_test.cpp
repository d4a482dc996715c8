// The best-known table and the catalogue's counts beside it.

#include "best_known.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace marlek {
namespace {

TEST(BestKnown, EveryFigureIsAWheelOnceAndNoCataloguedWheelBeatsIt) {
    std::set<std::tuple<int, int, int, int>> seen;
    for (const BestKnown &entry : bestKnownTable()) {
        SCOPED_TRACE(testing::Message() << "k " << entry.kind << ", N " << entry.numbers << ", "
                                        << guaranteeText(entry.guarantee));
        EXPECT_EQ(shapeProblem(entry.kind, entry.numbers, entry.guarantee), "");
        EXPECT_GT(entry.tickets, 0);
        EXPECT_FALSE(entry.source.empty());
        // A figure no source read confirms says so; an exact figure is a confirmed one.
        EXPECT_EQ(entry.confirmed, entry.source.find("not confirmed") == std::string_view::npos);
        if (entry.exact) {
            EXPECT_TRUE(entry.confirmed);
        }
        EXPECT_TRUE(
            seen.insert({entry.kind, entry.numbers, entry.guarantee.matches, entry.guarantee.drawn})
                .second);
        // A catalogued wheel below the best known would mean a wrong figure.
        if (const auto catalogued = cataloguedTickets(entry.kind, entry.numbers, entry.guarantee)) {
            EXPECT_GE(*catalogued, entry.tickets);
        }
    }
}

TEST(BestKnown, FindsTheFiguresAndTheCataloguesCounts) {
    EXPECT_EQ(bestKnownTickets(6, 20, {3, 6}), 10);
    EXPECT_EQ(bestKnownTickets(5, 12, {4, 5}), 35);
    EXPECT_EQ(bestKnownTickets(6, 21, {3, 6}), std::nullopt);
    EXPECT_EQ(bestKnownTickets(5, 12, {4, 4}), 113); // a covering number, exact
    EXPECT_EQ(bestKnownTickets(5, 13, {4, 4}), std::nullopt);

    EXPECT_EQ(cataloguedTickets(6, 20, {3, 6}), 17);
    EXPECT_EQ(cataloguedTickets(5, 18, {3, 5}), 35);
    EXPECT_EQ(cataloguedTickets(5, 12, {4, 5}), 49);
    EXPECT_EQ(cataloguedTickets(6, 16, {4, 6}), 35);
    EXPECT_EQ(cataloguedTickets(5, 7, {4, 5}), 5);
    EXPECT_EQ(cataloguedTickets(6, 8, {6, 6}), 28); // the full wheel
    EXPECT_EQ(cataloguedTickets(6, 20, {3, 5}), std::nullopt);
    EXPECT_EQ(cataloguedTickets(6, 21, {3, 6}), std::nullopt);
}

} // namespace
} // namespace marlek
