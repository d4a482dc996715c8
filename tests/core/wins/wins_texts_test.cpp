#include "wins_texts.h"

#include "game_library.h"
#include "wheel_tables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace marlek {
namespace {

mpq_class fraction(long numerator, long denominator) {
    mpq_class value(numerator, denominator);
    value.canonicalize();
    return value;
}

TEST(WinsTexts, ExactFiguresAsPeopleReadThem) {
    struct Case {
        mpq_class chance;
        const char *oneIn;
        const char *percent;
    };
    const std::vector<Case> cases{
        {fraction(1, 13'983'816), "1 in 13,983,816", "0.00000715%"},
        {fraction(25, 292'201'338), "1 in 11,688,053.52", "0.00000856%"},
        {fraction(1, 2), "1 in 2", "50%"},
        {fraction(2, 3), "1 in 1.50", "66.7%"},
        {fraction(1, 1), "1 in 1", "100%"},
        {fraction(0, 1), "never", "0%"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(oneInText(c.chance), c.oneIn);
        EXPECT_EQ(percentText(c.chance), c.percent);
    }
    EXPECT_EQ(decimalText(fraction(5, 1000), 2), "0.01"); // half up
    EXPECT_EQ(decimalText(fraction(1234567, 1), 0), "1,234,567");
    EXPECT_EQ(significantText(fraction(1, 3)), "0.333");
    EXPECT_EQ(significantText(fraction(1, 8)), "0.125");
    EXPECT_EQ(significantText(fraction(1, 4)), "0.25");
    EXPECT_EQ(significantText(fraction(4000, 3)), "1,333");
    EXPECT_EQ(moneyAmountText(fraction(123456, 1)), "1,234.56");
    EXPECT_EQ(moneyAmountText(fraction(1, 3)), "0.0033");
    EXPECT_EQ(fractionText(fraction(2, 4)), "1/2");
}

const Game &preset(const std::string &name) {
    static const GameList games = loadGames(defaultGameFolders());
    return findGame(games, name)->game;
}

bool holds(const std::vector<std::string> &lines, const std::string &text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string &line) { return line.find(text) != std::string::npos; });
}

TEST(WinsTexts, TheDocumentStatesTheTableTheGuaranteeAndTheOdds) {
    PlayedWheel wheel = playedWheelOf(plainWheelOf(*findWheel(6, 7))); // 17 tickets, 3 of 6 on 20
    const WinsDocument document =
        winsDocument(wheel, preset("Lotto 6/49"), false, BonusPlay::sameChoice);
    const std::vector<std::string> lines = winsLines(document);
    EXPECT_EQ(lines[0], "What It Wins");
    EXPECT_EQ(lines[1], "17 Tickets over 20 Numbers, 6 a Ticket, 3 of 6 Guarantee");
    EXPECT_TRUE(holds(lines, "6 Winning Numbers among your 20: 38,760 Ways"));
    EXPECT_TRUE(holds(lines, "The 3 of 6 Guarantee holds in all 38,760 Ways"));
    EXPECT_TRUE(holds(lines, "The Odds in Lotto 6/49 (Rules from 2013-09-18)"));
    EXPECT_TRUE(holds(lines, "Prize 6: 5,000,000.00 CAD (estimate)"));
    EXPECT_TRUE(holds(lines, "One Ticket          at least one ticket wins: 1 in 13,983,816"));
    // Said once, plainly.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string &line) {
                                return line.find("never what the next draw brings") !=
                                       std::string::npos;
                            }),
              1);
    EXPECT_EQ(winsCaption(document),
              "What It Wins: 17 Tickets over 20 Numbers, 6 a Ticket, 3 of 6 Guarantee in Lotto 6/49");

    // A claimed guarantee the tickets do not keep: the holes, as the player's numbers.
    wheel.claimed = Guarantee{4, 6};
    for (int p = 1; p <= 20; ++p)
        wheel.shownNumbers.push_back(p * 2);
    const std::vector<std::string> failing =
        winsLines(winsDocument(wheel, plainGame(6, 49), true, BonusPlay::sameChoice));
    EXPECT_TRUE(holds(failing, "The 4 of 6 Guarantee fails in "));
    EXPECT_TRUE(holds(failing, "6 Numbers Matched"));
    EXPECT_FALSE(holds(failing, "Prizes to Expect"));
}

TEST(WinsTexts, RefusesAGameTheWheelCannotBePlayedIn) {
    const PlayedWheel wheel = playedWheelOf(plainWheelOf(*findWheel(6, 7)));
    EXPECT_THROW(winsDocument(wheel, preset("Powerball"), false, BonusPlay::sameChoice),
                 std::invalid_argument);
    EXPECT_THROW(winsDocument(wheel, plainGame(6, 19), true, BonusPlay::sameChoice),
                 std::invalid_argument);
}

} // namespace
} // namespace marlek
