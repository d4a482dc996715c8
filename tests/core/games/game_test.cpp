// The game model: exact money, dates, the rules in force on a date and the prize a ticket wins.

#include "game.h"

#include <gtest/gtest.h>

#include <vector>

namespace marlek {
namespace {

using namespace std::chrono_literals;

TEST(Game, MoneyIsReadAndWrittenExactly) {
    EXPECT_EQ(parseMoney("2"), Money{200});
    EXPECT_EQ(parseMoney("2.5"), Money{250});
    EXPECT_EQ(parseMoney("0.07"), Money{7});
    EXPECT_EQ(parseMoney("999999999999.99"), kMaxMoney);
    // 0.1 + 0.2 in binary floating point is not 0.3; in cents it is.
    EXPECT_EQ(parseMoney("0.1")->cents + parseMoney("0.2")->cents, parseMoney("0.3")->cents);
    for (const char *bad :
         {"", ".5", "2.", "2.505", "-1", "1,000", "1e3", " 2", "2 ", "1000000000000", "2.5x"})
        EXPECT_EQ(parseMoney(bad), std::nullopt) << bad;
    EXPECT_EQ(moneyText(Money{100000000}), "1000000.00");
    EXPECT_EQ(moneyText(Money{5}), "0.05");
    EXPECT_EQ(groupedMoneyText(Money{100000000}), "1,000,000.00");
    EXPECT_EQ(groupedMoneyText(Money{99999}), "999.99");
    EXPECT_EQ(groupedMoneyText(kMaxMoney), "999,999,999,999.99");
}

TEST(Game, DatesAreYearMonthDay) {
    EXPECT_EQ(parseDate("2015-10-07"), Date{2015y / 10 / 7});
    EXPECT_EQ(parseDate("2024-02-29"), Date{2024y / 2 / 29});
    for (const char *bad : {"2023-02-29", "2015-13-01", "2015-10-7", "07.10.2015", "2015/10/07",
                            "20151007", "2015-10-07x"})
        EXPECT_EQ(parseDate(bad), std::nullopt) << bad;
    EXPECT_EQ(dateText(2004y / 2 / 13), "2004-02-13");
}

// Powerball's field grew and its bonus pool shrank on 2015-10-07: a draw is judged by the rules
// of its own date.
TEST(Game, TheRulesOfADateAreTheLastThatBeganOnOrBeforeIt) {
    Game game{"Powerball", {}, "USD", {}};
    game.rules.push_back({2009y / 1 / 7, 5, 59, {BonusKind::pool, 1, 39}, Money{100}, {}});
    game.rules.push_back({2012y / 1 / 15, 5, 59, {BonusKind::pool, 1, 35}, Money{200}, {}});
    game.rules.push_back({2015y / 10 / 7, 5, 69, {BonusKind::pool, 1, 26}, Money{200}, {}});

    EXPECT_EQ(rulesOn(game, 2009y / 1 / 6), nullptr); // before the first rules
    EXPECT_EQ(rulesOn(game, 2009y / 1 / 7), &game.rules[0]);
    EXPECT_EQ(rulesOn(game, 2015y / 10 / 6), &game.rules[1]);
    EXPECT_EQ(rulesOn(game, 2015y / 10 / 7)->field, 69);
    EXPECT_EQ(rulesOn(game, 2015y / 10 / 7)->bonus.field, 26);
    EXPECT_EQ(rulesOn(game, 2099y / 1 / 1), &game.rules[2]);
    EXPECT_EQ(&latestRules(game), &game.rules[2]);
    EXPECT_EQ(lastDayOf(game, 0), Date{2012y / 1 / 14});
    EXPECT_EQ(lastDayOf(game, 1), Date{2015y / 10 / 6});
    EXPECT_EQ(lastDayOf(game, 2), std::nullopt);

    // First rules without a date hold since the game began.
    game.rules[0].from.reset();
    EXPECT_EQ(rulesOn(game, 1990y / 1 / 1), &game.rules[0]);
    EXPECT_EQ(gameProblem(game), std::nullopt);
}

// A level with a bonus count takes its exact count; a level without takes the rest of its main
// count (UK-style: 5 + bonus ball, 5, and 3 whatever the bonus ball).
TEST(Game, ATicketWinsTheExactLevelElseTheLevelThatDoesNotCountTheBonus) {
    GameRules rules{std::nullopt, 6, 59, {BonusKind::ball, 1, 0}, Money{200}, {}};
    rules.prizes = {{5, 1, PrizeKind::fixed, Money{100000000}},
                    {5, std::nullopt, PrizeKind::fixed, Money{175000}},
                    {3, std::nullopt, PrizeKind::fixed, Money{3000}},
                    {2, 1, PrizeKind::fixed, Money{500}}};
    EXPECT_EQ(prizeFor(rules, 5, 1), &rules.prizes[0]);
    EXPECT_EQ(prizeFor(rules, 5, 0), &rules.prizes[1]);
    EXPECT_EQ(prizeFor(rules, 3, 0), &rules.prizes[2]);
    EXPECT_EQ(prizeFor(rules, 3, 1), &rules.prizes[2]);
    EXPECT_EQ(prizeFor(rules, 2, 1), &rules.prizes[3]);
    EXPECT_EQ(prizeFor(rules, 2, 0), nullptr);
    EXPECT_EQ(prizeFor(rules, 4, 0), nullptr);
}

TEST(Game, ThePlainGameIsPickKOfTheFieldWithoutBonusOrPrizes) {
    const Game game = plainGame(6, 49);
    EXPECT_EQ(game.name, "Pick 6 of 49");
    ASSERT_EQ(game.rules.size(), 1u);
    const GameRules &rules = game.rules.front();
    EXPECT_EQ(rules.from, std::nullopt);
    EXPECT_EQ(rules.drawn, 6);
    EXPECT_EQ(rules.field, 49);
    EXPECT_EQ(rules.bonus.kind, BonusKind::none);
    EXPECT_EQ(rules.price, Money{100});
    EXPECT_TRUE(rules.prizes.empty());
    EXPECT_EQ(rulesOn(game, 1900y / 1 / 1), &rules);
    EXPECT_EQ(gameProblem(game), std::nullopt);
    EXPECT_EQ(gameProblem(plainGame(5, 35)), std::nullopt);
}

TEST(Game, NamesAreTextOfOneLineAndCompareWithoutCase) {
    EXPECT_TRUE(sameGameName("Lotto 6/49", "LOTTO 6/49"));
    EXPECT_FALSE(sameGameName("Lotto 6/49", "Lotto 6/59"));
    Game game = plainGame(5, 35);
    for (const std::string &bad :
         {std::string(""), std::string("  "), std::string("Tab\there"), std::string("\xC3\x28"),
          std::string(" Lead"), std::string(61, 'x')}) {
        game.name = bad;
        const auto problem = gameProblem(game);
        ASSERT_TRUE(problem) << bad;
        EXPECT_EQ(problem->field, "name");
    }
    game.name = std::string(60, 'x');
    EXPECT_EQ(gameProblem(game), std::nullopt);
    game.name = "Lottó Österreich \xE2\x82\xAC"; // UTF-8 letters and a euro sign
    EXPECT_EQ(gameProblem(game), std::nullopt);
}

} // namespace
} // namespace marlek
