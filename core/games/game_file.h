#pragma once
// The game file: plain UTF-8 text that a player can read and edit. A format line, the game's own
// fields, then one section for each set of rules, oldest first. Blank lines and lines that begin
// with '#' are comments; CR LF line ends and a byte order mark are taken.
//
//     format: marlek-lotto-game 1
//     name: Powerball
//     currency: USD
//     note: Rules and prizes as published; check them against the lottery's own rules.
//
//     [rules from 2015-10-07]
//     main: 5 of 69
//     bonus pool: 1 of 26
//     price: 2.00
//     prize 5+1: estimate 20000000.00
//     prize 5+0: fixed 1000000.00
//
// "bonus ball: 1" instead of a pool draws bonus balls from the main field. The first section may be
// "[rules]" without a date: rules since the game began. Earlier rules may leave out the price and
// the prizes; the newest need a price. A later program reads every older format.

#include "game.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

namespace marlek {

inline constexpr std::string_view kGameFormatName = "marlek-lotto-game";
inline constexpr int kGameFormatVersion = 1;

// A game file that cannot be read. what() is "line 7: prize 5+1: <what is wrong>" (without the
// field for a line that is no field at all).
class GameFileError : public std::runtime_error {
public:
    GameFileError(std::size_t line, std::string field, const std::string &message);

    std::size_t line() const { return m_line; }
    const std::string &field() const { return m_field; }

private:
    std::size_t m_line;
    std::string m_field;
};

// Reads a whole game file strictly: an unknown or repeated field, a value that cannot be read, a
// missing field and rules that break the game's bounds (game.h) are refused with the line and the
// field named. Throws GameFileError.
Game readGameFile(std::istream &in);
// The same from a file; throws FileError when the file cannot be read.
Game readGameFile(const std::string &path);

// Receives one line of the file at a time, without its line end.
using GameLineSink = std::function<void(std::string_view line)>;

// Writes the game as readGameFile reads it back, equal. The game must be sound (gameProblem).
void writeGameFile(const Game &game, const GameLineSink &sink);

// Writes the game to `path` through the program's file writer (temporary file, then rename), with
// LF line ends. Throws std::invalid_argument for a game that is not sound, FileError when the file
// cannot be written; the file at `path` then stays as it was.
void saveGameFile(const Game &game, const std::string &path);

} // namespace marlek
