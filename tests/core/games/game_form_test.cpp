// The editor's form of a game: every preset goes into a form and back unchanged, and what is
// wrong in a form is named by its field, its set of rules and its prize row.

#include "game_form.h"

#include "game_library.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace marlek {
namespace {

using namespace std::chrono_literals;

TEST(GameForm, EveryPresetComesBackFromItsFormUnchanged) {
    const GameList list = loadGames({findPresetFolder(presetFolderCandidates(programFolder())), {}});
    ASSERT_FALSE(list.games.empty());
    for (const GameEntry &entry : list.games) {
        const std::variant<Game, FormProblem> back = gameOfForm(formOf(entry.game));
        ASSERT_TRUE(std::holds_alternative<Game>(back))
            << entry.game.name << ": " << std::get<FormProblem>(back).message;
        EXPECT_EQ(std::get<Game>(back), entry.game) << entry.game.name;
    }
}

// Two sets of rules with a bonus ball: the form every case below changes.
GameForm twoRules() {
    GameForm form{"My Lotto", "eur", "", {}};
    RulesForm older;
    older.from = "2010-01-01";
    older.field = 45;
    RulesForm newer = rulesFrom(older, 2015y / 10 / 10);
    newer.field = 49;
    newer.bonusKind = BonusKind::ball;
    newer.price = " 2.00 ";
    newer.prizes = {{"6", PrizeKind::estimate, "1000000"},
                    {"", PrizeKind::fixed, " "},
                    {"5 + 1", PrizeKind::fixed, "25000.00"},
                    {"3", PrizeKind::fixed, "5"}};
    form.rules = {older, newer};
    return form;
}

TEST(GameForm, TextsAreTakenWithoutTheirSpacesAndBlankPrizeRowsAreLeftOut) {
    const std::variant<Game, FormProblem> read = gameOfForm(twoRules());
    ASSERT_TRUE(std::holds_alternative<Game>(read)) << std::get<FormProblem>(read).message;
    const Game &game = std::get<Game>(read);
    EXPECT_EQ(game.currency, "EUR");
    ASSERT_EQ(game.rules.size(), 2u);
    EXPECT_EQ(game.rules[0].from, Date{2010y / 1 / 1});
    EXPECT_EQ(game.rules[0].price, std::nullopt) << "earlier rules may leave the price out";
    EXPECT_EQ(game.rules[1].from, Date{2015y / 10 / 10});
    EXPECT_EQ(game.rules[1].bonus, (Bonus{BonusKind::ball, 1, 0}));
    EXPECT_EQ(game.rules[1].price, Money{200});
    EXPECT_EQ(game.rules[1].prizes,
              (std::vector<PrizeLevel>{{6, std::nullopt, PrizeKind::estimate, Money{100000000}},
                                       {5, 1, PrizeKind::fixed, Money{2500000}},
                                       {3, std::nullopt, PrizeKind::fixed, Money{500}}}));
}

TEST(GameForm, AProblemIsNamedByItsFieldItsRulesAndItsRow) {
    struct Case {
        const char *what;
        std::function<void(GameForm &)> change;
        std::optional<std::size_t> rules;
        std::optional<std::size_t> row;
        std::string text;
    };
    const std::vector<Case> cases{
        {"a currency of four letters", [](GameForm &f) { f.currency = "EURO"; }, {}, {},
         "currency: a currency is named by its three capital letters, e.g. USD or EUR"},
        {"later rules without a date", [](GameForm &f) { f.rules[1].from = ""; }, 1, {},
         "Rules without a date, date: only the first rules may leave out their date; later "
         "rules begin on a date (\"[rules from 2015-10-07]\")"},
        {"rules out of order", [](GameForm &f) { f.rules[1].from = "2009-12-31"; }, 1, {},
         "Rules from 2009-12-31, date: rules are given in the order of their dates, each after "
         "the one before (2010-01-01)"},
        {"a field too small for the draw and the bonus ball",
         [](GameForm &f) { f.rules[1].field = 6; }, 1, {},
         "Rules from 2015-10-10, main: the field must be from 7 to 99 numbers, not 6 (it holds "
         "the main numbers and the bonus balls)"},
        {"a bonus level a ticket cannot match",
         [](GameForm &f) { f.rules[1].prizes[0].level = "6+1"; }, 1, 0,
         "Rules from 2015-10-10, prize 6+1: a ticket of 6 numbers cannot match 6 main numbers "
         "and 1 bonus ball"},
        {"a level that is no level", [](GameForm &f) { f.rules[1].prizes[3].level = "three"; }, 1,
         3,
         "Rules from 2015-10-10, prize three: write the level as the main numbers matched and, "
         "after a +, the bonus numbers matched, e.g. 5+1 or 3, not \"three\""},
        {"an amount without a level", [](GameForm &f) { f.rules[1].prizes[1].amount = "10"; }, 1,
         1,
         "Rules from 2015-10-10, prize: write the level as the main numbers matched and, after a "
         "+, the bonus numbers matched, e.g. 5+1 or 3, not \"\""},
        {"a level given twice, past a blank row",
         [](GameForm &f) { f.rules[1].prizes[3].level = "6"; }, 1, 3,
         "Rules from 2015-10-10, prize 6: the level is given twice"},
        {"the newest rules without a price", [](GameForm &f) { f.rules[1].price = "  "; }, 1, {},
         "Rules from 2015-10-10, price: the newest rules need the price of a ticket (e.g. "
         "\"price: 2.00\")"},
    };
    for (const Case &c : cases) {
        GameForm form = twoRules();
        c.change(form);
        const std::variant<Game, FormProblem> read = gameOfForm(form);
        ASSERT_TRUE(std::holds_alternative<FormProblem>(read)) << c.what;
        const FormProblem &problem = std::get<FormProblem>(read);
        EXPECT_EQ(problem.rules, c.rules) << c.what;
        EXPECT_EQ(problem.prizeRow, c.row) << c.what;
        EXPECT_EQ(formProblemText(form, problem), c.text) << c.what;
    }
}

} // namespace
} // namespace marlek
