#pragma once
// A game as the player types it into the game editor: the texts of its fields as typed (a price,
// a date or a prize amount may not read yet) and the counts chosen. Turning a form into a game
// reads every text and checks the whole game as a game file is checked, and names the field that
// is wrong as the game file's reader does ("prize 6+1: ...", "price: ..."), with the set of rules
// and the prize row it lies in, so the editor can show the player where to look.

#include "game.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace marlek {

struct PrizeRowForm {
    std::string level; // "5+1", or "3" for a level that does not count the bonus
    PrizeKind kind = PrizeKind::fixed;
    std::string amount; // "1000.00"
    friend bool operator==(const PrizeRowForm &, const PrizeRowForm &) = default;
};

struct RulesForm {
    std::string from; // "2015-10-07", or empty for rules since the game began
    int drawn = 6;
    int field = 49;
    // The kind of bonus; the counts are kept while another kind is chosen, so switching back
    // loses nothing typed.
    BonusKind bonusKind = BonusKind::none;
    int bonusCount = 1;
    int bonusField = 10;
    std::string price; // empty when not known (earlier rules only)
    std::vector<PrizeRowForm> prizes;
    friend bool operator==(const RulesForm &, const RulesForm &) = default;
};

struct GameForm {
    std::string name;
    std::string currency;
    std::string note;
    std::vector<RulesForm> rules; // oldest first, as in a game file
    friend bool operator==(const GameForm &, const GameForm &) = default;
};

// The form of an existing game, every amount as a game file writes it.
GameForm formOf(const Game &game);
// The form a new game starts from: no name, 6 of 49, no bonus, a price to be typed, no prizes.
GameForm newGameForm();
// A copy of the rules `rules` for rules that begin on `from`.
RulesForm rulesFrom(const RulesForm &rules, Date from);

// What is wrong with a form: the field named as in a game file ("name", "date", "main", "bonus
// pool", "bonus ball", "price", "prize 5+1"); `rules` and `prizeRow` say where it lies.
struct FormProblem {
    std::optional<std::size_t> rules;
    std::optional<std::size_t> prizeRow;
    std::string field;
    std::string message;
};

// The game the form describes, or the first thing wrong with it. Texts are taken without the
// spaces around them, and a currency in small letters as in capitals.
std::variant<Game, FormProblem> gameOfForm(const GameForm &form);

// "Rules from 2015-10-07" or "Rules since the game began": the set of rules as the editor lists it.
std::string rulesCaption(const RulesForm &rules);

// The problem as the editor shows it: "Rules from 2015-10-10, prize 6+1: a ticket of 6 numbers
// cannot match ...", or "name: the text is empty" for a field of the game itself. The rules are
// named only when the game has more than one set, or the one set has a date.
std::string formProblemText(const GameForm &form, const FormProblem &problem);

} // namespace marlek
