#pragma once
// The exact odds of a wheel played in a game: for each prize level, the chance that at least one
// ticket wins it in a draw, the count of winning tickets to expect, and from the prize table the
// prizes to expect per draw beside the cost. Exact fractions throughout: the count of draws in
// which the player's N numbers hold j winners times what the win table counts for j.
//
// These are odds and expectations over many draws; no draw's result is foretold by them.

#include "game.h"
#include "win_table.h"

#include <gmpxx.h>

#include <optional>
#include <string>
#include <vector>

namespace marlek {

// How a wheel's tickets are played with a second pool (bonus numbers a ticket picks).
enum class BonusPlay {
    sameChoice,  // every ticket with the same bonus numbers: the tickets stay as many
    everyChoice, // each choice of bonus numbers on every ticket: the tickets are multiplied
};

struct LevelOdds {
    PrizeLevel level;
    bool prized = true; // false for a match count shown for a game without prize levels
    // The chance that at least one ticket wins the level in a draw; nothing where it is not
    // counted (a level that counts one of two or more bonus balls).
    std::optional<mpq_class> chance;
    mpq_class expectedTickets; // winning tickets to expect per draw
};

struct PlayOdds {
    mpz_class tickets;             // tickets bought for one draw
    mpz_class costCents;           // their price
    std::vector<LevelOdds> levels; // in the prize table's order
    mpq_class expectedPrizeCents;  // prizes to expect per draw, estimates as the game sets them
    bool estimated = false;        // an estimated prize counts in the expectation
};

// The levels shown for a set of rules: its prize levels, or for a game without any (the plain
// Pick 5 and Pick 6) every count of matched numbers from d down to 1, unprized.
std::vector<LevelOdds> levelsToShow(const GameRules &rules);

// What keeps a wheel of that kind over N numbers from being played in these rules (a ticket of
// another size than the draw, more numbers than the field), as a sentence; empty when nothing.
std::string oddsProblem(const GameRules &rules, int kind, int numbers);

// The counts of matches m (bit m) for which the odds need the win table's bonus ball pairs.
unsigned ballMatchesFor(const GameRules &rules);

// The tickets bought for a draw when each plays `play` with the bonus: the wheel's own count, or
// that times the choices of bonus numbers.
mpz_class ticketsBought(const GameRules &rules, std::uint64_t wheelTickets, BonusPlay play);

// The odds of the tickets of `table` played with the rules. The table must count the bonus ball
// pairs of ballMatchesFor(rules); throws std::invalid_argument for a wheel oddsProblem refuses.
PlayOdds playOdds(const WinTable &table, const GameRules &rules, BonusPlay play);

// The wheel, one single ticket and the full wheel of the wheel's N numbers, side by side. One
// single ticket picks one set of bonus numbers; the full wheel plays them as the wheel does.
struct GameOdds {
    PlayOdds wheel;
    PlayOdds single;
    PlayOdds full;
};

GameOdds gameOdds(const WinTable &wheelTable, const GameRules &rules, BonusPlay play);

} // namespace marlek
