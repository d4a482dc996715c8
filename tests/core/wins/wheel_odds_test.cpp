#include "wheel_odds.h"
#include "wins_texts.h"

#include "game_library.h"
#include "wheel_tables.h"

#include <gtest/gtest.h>

#include <map>

namespace marlek {
namespace {

NumberSet setOf(std::initializer_list<int> numbers) {
    NumberSet set = 0;
    for (const int number : numbers)
        set |= bitOf(number);
    return set;
}

std::vector<NumberSet> allSets(int size, int of) {
    std::vector<NumberSet> sets;
    if (size == 0)
        return {0};
    for (NumberSet set = (NumberSet{1} << size) - 1; set < (NumberSet{1} << of);
         set = nextSameSize(set))
        sets.push_back(set);
    return sets;
}

PrizeLevel prize(int main, std::optional<int> bonus, std::int64_t cents) {
    return {main, bonus, PrizeKind::fixed, Money{cents}};
}

GameRules rulesOf(int drawn, int field, Bonus bonus, std::vector<PrizeLevel> prizes) {
    return {std::nullopt, drawn, field, bonus, Money{200}, std::move(prizes)};
}

// The second method: every outcome of the draw (main numbers, then the bonus pool's or the bonus
// balls from the rest of the field) looked at ticket by ticket.
struct Counted {
    std::vector<mpq_class> chance;
    std::vector<mpq_class> expected;
    mpq_class prizeCents;
};

Counted countEveryDraw(const std::vector<NumberSet> &tickets, const GameRules &rules,
                       BonusPlay play) {
    const std::vector<LevelOdds> levels = levelsToShow(rules);
    const bool prized = !rules.prizes.empty();
    const Bonus &bonus = rules.bonus;
    // Each ticket with the bonus numbers it plays.
    std::vector<std::pair<NumberSet, NumberSet>> played;
    for (const NumberSet ticket : tickets) {
        if (bonus.kind == BonusKind::pool && play == BonusPlay::everyChoice)
            for (const NumberSet choice : allSets(bonus.count, bonus.field))
                played.emplace_back(ticket, choice);
        else
            played.emplace_back(ticket, bonus.kind == BonusKind::pool
                                            ? (NumberSet{1} << bonus.count) - 1
                                            : 0);
    }
    std::vector<std::uint64_t> won(levels.size(), 0);
    std::vector<std::uint64_t> winners(levels.size(), 0);
    std::uint64_t outcomes = 0;
    for (const NumberSet draw : allSets(rules.drawn, rules.field)) {
        std::vector<NumberSet> extras;
        if (bonus.kind == BonusKind::pool) {
            extras = allSets(bonus.count, bonus.field);
        } else if (bonus.kind == BonusKind::ball) {
            for (const NumberSet pick : allSets(bonus.count, rules.field - rules.drawn)) {
                // the pick's places among the numbers not drawn
                NumberSet balls = 0;
                int place = 0;
                for (int number = 1; number <= rules.field; ++number)
                    if (!(draw & bitOf(number)) && (pick >> place++ & 1))
                        balls |= bitOf(number);
                extras.push_back(balls);
            }
        } else {
            extras = {0};
        }
        for (const NumberSet extra : extras) {
            ++outcomes;
            std::vector<bool> any(levels.size(), false);
            for (const auto &[ticket, choice] : played) {
                const int main = std::popcount(ticket & draw);
                const int hits = std::popcount((bonus.kind == BonusKind::ball ? ticket : choice) &
                                               extra);
                for (std::size_t l = 0; l < levels.size(); ++l) {
                    const bool wins = prized ? prizeFor(rules, main, hits) == &rules.prizes[l]
                                             : main == levels[l].level.main;
                    if (wins) {
                        any[l] = true;
                        ++winners[l];
                    }
                }
            }
            for (std::size_t l = 0; l < levels.size(); ++l)
                won[l] += any[l] ? 1 : 0;
        }
    }
    Counted counted;
    counted.prizeCents = 0;
    for (std::size_t l = 0; l < levels.size(); ++l) {
        counted.chance.emplace_back(mpz_class(static_cast<unsigned long>(won[l])),
                                    mpz_class(static_cast<unsigned long>(outcomes)));
        counted.expected.emplace_back(mpz_class(static_cast<unsigned long>(winners[l])),
                                      mpz_class(static_cast<unsigned long>(outcomes)));
        counted.chance.back().canonicalize();
        counted.expected.back().canonicalize();
        counted.prizeCents += counted.expected.back() * levels[l].level.amount.cents;
    }
    return counted;
}

struct SmallGame {
    const char *name;
    GameRules rules;
    BonusPlay play;
};

TEST(WheelOdds, AgreeWithEveryDrawCountedTicketByTicket) {
    const std::vector<SmallGame> games{
        {"3 of 9", rulesOf(3, 9, {}, {prize(3, {}, 5000), prize(2, {}, 300)}),
         BonusPlay::sameChoice},
        {"3 of 8 + 1 of 3, the same choice",
         rulesOf(3, 8, {BonusKind::pool, 1, 3},
                 {prize(3, 1, 90000), prize(3, 0, 9000), prize(2, 1, 700), prize(2, {}, 200),
                  prize(1, 1, 400), prize(0, 1, 400)}),
         BonusPlay::sameChoice},
        {"3 of 8 + 1 of 3, every choice",
         rulesOf(3, 8, {BonusKind::pool, 1, 3},
                 {prize(3, 1, 90000), prize(3, 0, 9000), prize(2, 1, 700), prize(2, {}, 200),
                  prize(1, 1, 400), prize(0, 1, 400)}),
         BonusPlay::everyChoice},
        {"3 of 8 + 2 of 5, every choice",
         rulesOf(3, 8, {BonusKind::pool, 2, 5},
                 {prize(3, 2, 90000), prize(2, 1, 700), prize(1, 2, 300), prize(2, {}, 100)}),
         BonusPlay::everyChoice},
        {"3 of 8 + 2 of 5, the same choice",
         rulesOf(3, 8, {BonusKind::pool, 2, 5},
                 {prize(3, 2, 90000), prize(2, 1, 700), prize(1, 2, 300), prize(2, {}, 100)}),
         BonusPlay::sameChoice},
        {"3 of 9 + a bonus ball",
         rulesOf(3, 9, {BonusKind::ball, 1, 0},
                 {prize(3, {}, 9000), prize(2, 1, 1500), prize(2, {}, 500), prize(1, 1, 100)}),
         BonusPlay::sameChoice},
        {"3 of 9 unprized", rulesOf(3, 9, {}, {}), BonusPlay::sameChoice},
    };
    const std::vector<NumberSet> tickets{setOf({1, 2, 3}), setOf({3, 4, 5}), setOf({1, 5, 6}),
                                         setOf({2, 4, 7})};
    const PlayedWheel wheel{3, 7, false, tickets, std::nullopt, 0, {}};
    for (const SmallGame &game : games) {
        SCOPED_TRACE(game.name);
        const WinTable table = winTable(wheel, ballMatchesFor(game.rules));
        const PlayOdds odds = playOdds(table, game.rules, game.play);
        const Counted counted = countEveryDraw(tickets, game.rules, game.play);
        ASSERT_EQ(odds.levels.size(), counted.chance.size());
        for (std::size_t l = 0; l < odds.levels.size(); ++l) {
            SCOPED_TRACE("level " + levelText(odds.levels[l].level));
            ASSERT_TRUE(odds.levels[l].chance);
            EXPECT_EQ(*odds.levels[l].chance, counted.chance[l]);
            EXPECT_EQ(odds.levels[l].expectedTickets, counted.expected[l]);
        }
        EXPECT_EQ(odds.expectedPrizeCents, counted.prizeCents);
    }
}

TEST(WheelOdds, TwoBonusBallsCountExpectationsNotTheChanceOfALevelThatCountsThem) {
    const GameRules rules = rulesOf(3, 10, {BonusKind::ball, 2, 0},
                                    {prize(2, 1, 1000), prize(2, 2, 100), prize(1, {}, 50)});
    const std::vector<NumberSet> tickets{setOf({1, 2, 3}), setOf({3, 4, 5})};
    const WinTable table = winTable(PlayedWheel{3, 5, false, tickets, std::nullopt, 0, {}},
                                    ballMatchesFor(rules));
    const PlayOdds odds = playOdds(table, rules, BonusPlay::sameChoice);
    const Counted counted = countEveryDraw(tickets, rules, BonusPlay::sameChoice);
    EXPECT_FALSE(odds.levels[0].chance);
    EXPECT_EQ(*odds.levels[1].chance, 0); // a ticket of 2 matches has one number left for a ball
    EXPECT_EQ(*odds.levels[2].chance, counted.chance[2]);
    for (std::size_t l = 0; l < 3; ++l)
        EXPECT_EQ(odds.levels[l].expectedTickets, counted.expected[l]);
}

const Game &preset(const std::string &name) {
    static const GameList games = loadGames(defaultGameFolders());
    const GameEntry *entry = findGame(games, name);
    if (!entry)
        throw std::runtime_error("no preset " + name);
    return entry->game;
}

// One ticket's odds of each level, "1 in X" to the places given: the figures the lotteries
// publish, and where they publish fewer places, the same odds worked out in closed form.
TEST(WheelOdds, OneTicketHasThePublishedOddsOfEveryPresetLevel) {
    const std::map<std::string, std::vector<std::pair<std::string, std::string>>> published{
        {"Powerball",
         {{"5+1", "292,201,338"}, {"5+0", "11,688,053.52"}, {"4+1", "913,129.18"},
          {"4+0", "36,525.17"}, {"3+1", "14,494.11"}, {"3+0", "579.76"}, {"2+1", "701.33"},
          {"1+1", "91.98"}, {"0+1", "38.32"}}},
        {"EuroMillions",
         {{"5+2", "139,838,160"}, {"5+1", "6,991,908"}, {"5+0", "3,107,515"},
          {"4+2", "621,503"}, {"4+1", "31,075"}, {"3+2", "14,125"}, {"4+0", "13,811"},
          {"2+2", "985"}, {"3+1", "706"}, {"3+0", "314"}, {"1+2", "188"}, {"2+1", "49"},
          {"2+0", "22"}}},
        {"Lotto 6/49",
         {{"6", "13,983,816"}, {"5+1", "2,330,636"}, {"5", "55,491.33"}, {"4", "1,032.4"},
          {"3", "56.66"}, {"2+1", "81.2"}, {"2", "8.3"}}},
        {"UK Lotto",
         {{"6", "45,057,474"}, {"5+1", "7,509,579"}, {"5", "144,415"}, {"4", "2,180"},
          {"3", "96.17"}, {"2", "10.3"}}},
        {"Lotto Texas", {{"6", "25,827,165"}, {"5", "89,678"}, {"4", "1,526"}, {"3", "75"}}},
    };
    for (const auto &[name, levels] : published) {
        SCOPED_TRACE(name);
        const GameRules &rules = latestRules(preset(name));
        const PlayOdds odds = playOdds(winTable(singleTicket(rules.drawn), ballMatchesFor(rules)),
                                       rules, BonusPlay::sameChoice);
        ASSERT_EQ(odds.levels.size(), levels.size());
        for (std::size_t l = 0; l < levels.size(); ++l) {
            const auto &[level, oneIn] = levels[l];
            ASSERT_EQ(levelText(odds.levels[l].level), level);
            ASSERT_TRUE(odds.levels[l].chance);
            const std::size_t point = oneIn.find('.');
            const int places = point == std::string::npos
                                   ? 0
                                   : static_cast<int>(oneIn.size() - point - 1);
            EXPECT_EQ(decimalText(1 / *odds.levels[l].chance, places), oneIn) << level;
            // One ticket wins at most one level: its chance is its expected count.
            EXPECT_EQ(*odds.levels[l].chance, odds.levels[l].expectedTickets);
        }
    }
    EXPECT_EQ(oneInText(*playOdds(winTable(singleTicket(6)), latestRules(preset("Lotto Texas")),
                                  BonusPlay::sameChoice)
                             .levels[0]
                             .chance),
              "1 in 25,827,165");
}

TEST(WheelOdds, AFullWheelHasTheOddsOfTheCombinatorialFormula) {
    // Every 6 of 10 numbers in Lotto Texas (6 of 54): a ticket of all 6 winners exists when the
    // 6 drawn are among the 10; one of exactly 3 when 3 to 6 of them are (and 3 of the other
    // 10 - j numbers are left for the rest of the ticket).
    const GameRules &rules = latestRules(preset("Lotto Texas"));
    const PlayOdds odds = playOdds(winTable(fullWheel(6, 10)), rules, BonusPlay::sameChoice);
    const mpz_class draws = 25'827'165;
    mpq_class allSix(210, draws);
    allSix.canonicalize();
    EXPECT_EQ(*odds.levels[0].chance, allSix);
    mpz_class three = 0;
    for (int j = 3; j <= 6; ++j) {
        mpz_class ways, rest;
        mpz_bin_uiui(ways.get_mpz_t(), 10, static_cast<unsigned long>(j));
        mpz_bin_uiui(rest.get_mpz_t(), 44, static_cast<unsigned long>(6 - j));
        three += ways * rest;
    }
    mpq_class expectedThree(three, draws);
    expectedThree.canonicalize();
    EXPECT_EQ(*odds.levels[3].chance, expectedThree);
    EXPECT_EQ(odds.tickets, 210);
    EXPECT_EQ(odds.costCents, 21000);
}

// Wheeling concentrates wins; it does not change what a ticket is expected to win.
TEST(WheelOdds, EveryPlayExpectsTheSamePrizesPerTicket) {
    const PlayedWheel wheel = playedWheelOf(plainWheelOf(*findWheel(5, 0)));
    const PlayedWheel wheel6 = playedWheelOf(plainWheelOf(*findWheel(6, 3)));
    for (const char *name : {"Powerball", "EuroMillions", "Lotto 6/49", "UK Lotto", "Lotto Texas"}) {
        const GameRules &rules = latestRules(preset(name));
        for (const BonusPlay play : {BonusPlay::sameChoice, BonusPlay::everyChoice}) {
            SCOPED_TRACE(std::string(name) + (play == BonusPlay::sameChoice ? " same" : " every"));
            const WinTable table =
                winTable(rules.drawn == 5 ? wheel : wheel6, ballMatchesFor(rules));
            const GameOdds odds = gameOdds(table, rules, play);
            const mpq_class perTicket = odds.single.expectedPrizeCents / odds.single.tickets;
            EXPECT_EQ(odds.wheel.expectedPrizeCents / odds.wheel.tickets, perTicket);
            EXPECT_EQ(odds.full.expectedPrizeCents / odds.full.tickets, perTicket);
            EXPECT_EQ(odds.wheel.costCents, odds.wheel.tickets * rules.price->cents);
            // The top level: the wheel holds no ticket the full wheel lacks.
            EXPECT_LE(*odds.wheel.levels[0].chance, *odds.full.levels[0].chance);
        }
    }
}

TEST(WheelOdds, RefusesAWheelTheGameCannotPlay) {
    const GameRules &rules = latestRules(preset("Lotto 6/49"));
    EXPECT_NE(oddsProblem(rules, 5, 10), "");
    EXPECT_NE(oddsProblem(rules, 6, 50), "");
    EXPECT_EQ(oddsProblem(rules, 6, 49), "");
    EXPECT_THROW(playOdds(winTable(singleTicket(5)), rules, BonusPlay::sameChoice),
                 std::invalid_argument);
}

} // namespace
} // namespace marlek
