#pragma once
// A game's rules and prizes as lines of text, read the same in the games window and by the
// command line's `games --show`: each set of rules with the days it held, the main draw, the
// bonus, the price of a ticket and the prize levels with their fixed or estimated amounts.

#include "game_library.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// "2.00 USD", or "2.00" for a game without a currency; empty for a price not given.
std::string priceText(const std::optional<Money> &price, const std::string &currency);

// "Rules from 2012-01-15 to 2015-10-06", "Rules from 2015-10-07 on", "Rules since the game began".
std::string rulesHeading(const GameRules &rules, const std::optional<Date> &to);

// The game's name, where its file is, its note, then each set of rules, oldest first:
//
//     Powerball
//       preset: /usr/share/marlek-lotto/games/powerball.game
//       note: Rules and prizes as published ...
//
//     Rules from 2015-10-07 on
//       main draw: 5 of the numbers 1 to 69; a ticket holds 5
//       bonus pool: 1 of the numbers 1 to 26; a ticket picks 1
//       price of a ticket: 2.00 USD
//       prizes (main numbers matched + bonus numbers matched):
//         5+1  estimate  20,000,000.00 USD
//
// A preset that a game of the player's replaces says so after its file.
std::vector<std::string> gameDescriptionLines(const GameEntry &entry);

// The games window's line above a preset's rules: where it comes from and that its prizes must be
// checked against the lottery's own rules.
std::string presetCheckText();

// The message of a game that could not be saved: the file, the system's reason, and that nothing
// was lost ("The game could not be saved as\n<path>\n\n<reason>\n\n...").
std::string gameNotSavedMessage(std::string_view path, std::string_view reason);

// The question before a game of the player's is removed, naming it and its file.
std::string removeGameQuestion(std::string_view name, std::string_view path);
// The same for a file that holds no sound game.
std::string removeFileQuestion(std::string_view path);
// The message of a file that could not be removed.
std::string fileNotRemovedMessage(std::string_view path, std::string_view reason);

// The question before an edited game replaces its file when the file is no longer what the
// editor was opened with (changed by hand since, no longer a sound game file, or gone): `what`
// says how.
std::string replaceChangedFileQuestion(std::string_view path, std::string_view what);

} // namespace marlek
