// What the design window says of a search: progress, and the result against the known wheels.

#include "design_texts.h"
#include "own_wheels.h"

#include "best_known.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

using std::chrono::milliseconds;

PlainWheel wheelOf(int kind, int numbers, Guarantee guarantee, int tickets) {
    // The texts count the tickets; what they hold is the proof's business.
    return {kind, numbers, guarantee, std::vector<NumberSet>(static_cast<std::size_t>(tickets), 1)};
}

TEST(DesignTexts, ProgressNamesTheBestSoFarOnceThereIsOne) {
    EXPECT_EQ(designProgressText({0, milliseconds(250)}), "Designing: 0.2 s, no wheel yet");
    EXPECT_EQ(designProgressText({12, milliseconds(4210)}),
              "Designing: 4.2 s, best so far 12 tickets");
}

// The result in a player's words, and behind Details how it stands against the catalogue and
// the best known.
TEST(DesignTexts, ResultStandsAgainstTheCatalogueAndTheBestKnown) {
    struct Case {
        DesignResult result;
        std::string text;
        std::string details;
    };
    const std::string records = " (a collection of lotto-design records quoting Li and van Rees, "
                                "Lotto design tables (2002); not confirmed by a source read here)";
    // Each result names its first figures only; the rest (the draws covered, the source, the lower
    // bound) stay at their defaults, which is what the texts of these cases show.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
    const Case cases[] = {
        {{wheelOf(6, 20, {3, 6}, 14), false, milliseconds(10'000), 0},
         "14 tickets. When 6 of your 20 numbers are drawn, at least one ticket wins 3 of them. "
         "Checked against every draw.\n"
         "The smallest known wheel for this has 10 tickets, 4 fewer than this one.",
         "14 tickets, proven: 3 of 6 over 20 numbers, 6 a ticket (10.0 s).\n"
         "Catalogue: 17 tickets. Best known: 10 tickets" +
             records + ". This wheel is 4 above the best known."},
        {{wheelOf(6, 20, {3, 6}, 10), true, milliseconds(1500), 0},
         "Stopped early. 10 tickets. When 6 of your 20 numbers are drawn, at least one ticket "
         "wins 3 of them. Checked against every draw.\n"
         "The smallest known wheel for this has 10 tickets, as many as this one.",
         "10 tickets, proven: 3 of 6 over 20 numbers, 6 a ticket (1.5 s).\n"
         "Catalogue: 17 tickets. Best known: 10 tickets" +
             records + ". This wheel is at the best known."},
        {{wheelOf(5, 7, {3, 3}, 1), false, milliseconds(900), 0},
         "1 ticket. When 3 of your 7 numbers are drawn, at least one ticket wins all 3 of them. "
         "Checked against every draw.",
         "1 ticket, proven: 3 of 3 over 7 numbers, 5 a ticket (0.9 s).\n"
         "Catalogue: no such wheel. Best known: not in the table."},
        // Held back by a ticket budget: the share of the draws it keeps, rounded down, and no
        // claim against the best known.
        {{wheelOf(6, 20, {3, 6}, 8), false, milliseconds(10'000), 0, 38'759, 38'760},
         "8 tickets. When 6 of your 20 numbers are drawn, at least one ticket wins 3 of them in "
         "38,759 of the 38,760 ways they can be drawn (99.9%). Checked against every draw.",
         "8 tickets for 3 of 6 over 20 numbers, 6 a ticket (10.0 s): meets the guarantee for "
         "38,759 of 38,760 draws of 6 (99.9%).\n"
         "Catalogue: 17 tickets. Best known: 10 tickets" +
             records + "."},
        {{wheelOf(5, 7, {3, 3}, 1), false, milliseconds(900), 0, 0, 35},
         "1 ticket. When 3 of your 7 numbers are drawn, at least one ticket wins all 3 of them in "
         "0 of the 35 ways they can be drawn (0.0%). Checked against every draw.",
         "1 ticket for 3 of 3 over 7 numbers, 5 a ticket (0.9 s): meets the guarantee for 0 of 35 "
         "draws of 3 (0.0%).\n"
         "Catalogue: no such wheel. Best known: not in the table."},
        // With keys: what they mean for the player, and the comparison without them.
        {{keyWheelOver(wheelOf(5, 11, {3, 5}, 5), 1), false, milliseconds(200), 0},
         "5 tickets. When 6 of your 12 numbers are drawn, your key number among them, at least "
         "one ticket wins 4 of them. Checked against every draw.\n"
         "Key number 1 is in every ticket: the guarantee holds when it is drawn. When you play "
         "it, the lowest of your numbers is the key number.\n"
         "The smallest known wheel for this has 5 tickets, as many as this one.",
         "5 tickets, proven: 4 of 6 over 12 numbers, 6 a ticket (0.2 s).\n"
         "Compared without the keys, as 3 of 5 over 11 numbers, 5 a ticket. Catalogue: 5 "
         "tickets. Best known: 5 tickets" +
             records + ". This wheel is at the best known."},
        {{keyWheelOver(wheelOf(4, 18, {1, 4}, 3), 2), false, milliseconds(200), 0, 2000, 3060},
         "3 tickets. When 6 of your 20 numbers are drawn, your 2 key numbers among them, at least "
         "one ticket wins 3 of them in 2,000 of the 3,060 ways they can be drawn with the key "
         "numbers (65.3%). Checked against every draw.\n"
         "Key numbers 1 2 are in every ticket: the guarantee holds when all of them are drawn. "
         "When you play it, the lowest 2 of your numbers are the key numbers.",
         "3 tickets for 3 of 6 over 20 numbers, 6 a ticket (0.2 s): meets the guarantee for "
         "2,000 of 3,060 draws of 6 holding the keys (65.3%).\n"
         "Compared without the keys, as 1 of 4 over 18 numbers, 4 a ticket. Catalogue: no such "
         "wheel. Best known: not in the table."},
        {{std::nullopt, true, milliseconds(300), 0},
         "Stopped after 0.3 s, before a wheel was found. Give the search more time, or ask for "
         "fewer numbers or fewer drawn, and press Design again.",
         ""},
    };
#pragma GCC diagnostic pop
    for (const Case &c : cases) {
        EXPECT_EQ(designResultText(c.result), c.text);
        EXPECT_EQ(designDetailsText(c.result), c.details);
    }
}

TEST(DesignTexts, LowerBoundTextSaysHowMuchRoomIsLeftAndWhereTheWheelComesFrom) {
    DesignResult result;
    result.wheel = PlainWheel{6, 22, {3, 3}, std::vector<NumberSet>(77, 63)};
    result.lowerBound = 77;
    result.lowerBoundMethod = "Schönheim's bound";
    result.source = "a construction: the Steiner system S(3,6,22) from the binary Golay code";
    EXPECT_EQ(lowerBoundText(result),
              "No wheel for this guarantee can have fewer than 77 tickets (Schönheim's bound): "
              "this one is the smallest there is. From a construction: the Steiner system "
              "S(3,6,22) from the binary Golay code.");
    // The player reads the bound without its method; the details carry it, and the source.
    EXPECT_TRUE(designResultText(result).ends_with(
        "\nNo wheel for this can have fewer than 77 tickets, so none is smaller than this one."))
        << designResultText(result);
    EXPECT_TRUE(designDetailsText(result).ends_with("\n" + lowerBoundText(result)))
        << designDetailsText(result);
    result.wheel->tickets.resize(80, 63);
    EXPECT_TRUE(designResultText(result).ends_with(
        "\nNo wheel for this can have fewer than 77 tickets; the smallest known has 77, 3 fewer "
        "than this one."))
        << designResultText(result);
    result.wheel->numbers = 31; // no best known: the bound alone
    EXPECT_TRUE(designResultText(result).ends_with(
        "\nNo wheel for this can have fewer than 77 tickets; this one has 3 more."))
        << designResultText(result);
    result.wheel->numbers = 22;
    result.source = "the search";
    EXPECT_EQ(lowerBoundText(result), "No wheel for this guarantee can have fewer than 77 tickets "
                                      "(Schönheim's bound); this one has 3 more. From the search.");
    result.coveredDraws = 1;
    result.allDraws = 2; // short of the guarantee: no comparison
    EXPECT_EQ(lowerBoundText(result), "No wheel for this guarantee can have fewer than 77 tickets "
                                      "(Schönheim's bound). From the search.");
    EXPECT_EQ(lowerBoundText(DesignResult{}), "");
}

TEST(DesignTexts, OwnTableStandsAgainstTheBestKnown) {
    EXPECT_EQ(
        ownTableText(10, 10),
        "The program's table has a wheel of 10 tickets for this guarantee, at the best known.");
    EXPECT_EQ(ownTableText(12, 10), "The program's table has a wheel of 12 tickets for this "
                                    "guarantee, 2 above the best known (10).");
    EXPECT_EQ(ownTableText(1, std::nullopt),
              "The program's table has a wheel of 1 ticket for this guarantee.");
    EXPECT_EQ(ownTableText(std::nullopt, 10),
              "The program's table has no wheel for this guarantee.");
    EXPECT_EQ(ownTableText(std::nullopt, std::nullopt, true),
              "The program's table has no wheel for this guarantee without the keys.");

    DesignRequest request;
    request.kind = 5;
    request.numbers = 11;
    request.guarantee = {3, 5};
    EXPECT_EQ(
        ownTableText(request),
        "The program's table has a wheel of 5 tickets for this guarantee, at the best known.");
    request.numbers = 31;
    EXPECT_EQ(ownTableText(request), "The program's table has no wheel for this guarantee.");
    // With a key, the wheel without it: 4 of 6 over 12 with one key is 3 of 5 over 11.
    request.kind = 6;
    request.numbers = 12;
    request.guarantee = {4, 6};
    request.keys = 1;
    EXPECT_EQ(ownTableText(request), "The program's table has a wheel of 5 tickets for this "
                                     "guarantee without the keys, at the best known.");
}

TEST(DesignTexts, TheRequestAimsAtTheBestKnownFromTheCataloguesWheels) {
    DesignRequest request;
    request.kind = 6;
    request.numbers = 20;
    request.guarantee = {3, 6};
    aimAtKnownWheels(request);
    EXPECT_EQ(request.targetTickets, 10);
    ASSERT_FALSE(request.starts.empty());
    EXPECT_EQ(request.starts.front().guarantee, (Guarantee{3, 6}));
    // The program's own wheel is among the starts.
    EXPECT_EQ(request.starts.back(), ownWheel(6, 20, {3, 6}));

    // With key 1, twelve numbers "4 of 6" is eleven numbers "3 of 5": the catalogue's Pick 5
    // wheels of that guarantee, with the key put in, start it.
    request.numbers = 12;
    request.guarantee = {4, 6};
    request.keys = 1;
    aimAtKnownWheels(request);
    EXPECT_EQ(request.targetTickets, 5);
    ASSERT_FALSE(request.starts.empty());
    EXPECT_EQ(reducedWheel(request.starts.front()), cataloguedWheelsFor(5, 11, {3, 5}).front());
    for (const PlainWheel &start : request.starts) {
        EXPECT_EQ(start.keys, 1);
        EXPECT_TRUE(meetsGuarantee(start));
    }
    request.keys = 0;

    request.numbers = 31; // beyond the tables: search the whole time, from the greedy start
    aimAtKnownWheels(request);
    EXPECT_EQ(request.targetTickets, 0);
    EXPECT_TRUE(request.starts.empty());
}

} // namespace
} // namespace marlek
