#pragma once
// The texts of "What It Wins": exact figures as people read them ("1 in 13,983,816", "0.0000072%")
// and the whole document, line by line, as the window shows, copies, saves and prints it and as
// the command line prints it.

#include "wheel_odds.h"
#include "win_table.h"

#include <atomic>
#include <string>
#include <vector>

namespace marlek {

// A value to `decimals` places, rounded half up, the whole part grouped: "11,688,053.52".
std::string decimalText(const mpq_class &value, int decimals);
// A value with at least three significant digits and at least `decimals` places, rounded:
// "0.0000715", "4.13", "1,398,381.60" (decimals 2).
std::string significantText(const mpq_class &value, int decimals = 0);
// "1 in 13,983,816", "1 in 11,688,053.52" (the whole part alone when exact), "never".
std::string oneInText(const mpq_class &chance);
// "7.15e-6" as a percentage with three significant digits: "0.000715%", "4.13%", "100%".
std::string percentText(const mpq_class &chance);
// "1/13983816": the exact fraction in lowest terms, "0" or "1".
std::string fractionText(const mpq_class &value);
// An amount of money in cents, exact to the cent when whole, else to a hundredth of a cent
// rounded: "5,000,000.00", "0.4137".
std::string moneyAmountText(const mpq_class &cents);

// "10 Tickets over 20 Numbers, 6 a Ticket, 3 of 6 Guarantee"; a full wheel "Every 6 of 20
// Numbers: 38,760 Tickets"; a key wheel adds its key numbers.
std::string playedWheelText(const PlayedWheel &wheel);

// What the document is made of: the wheel's table and, in a game, the odds of the three plays.
struct WinsDocument {
    std::string wheelText;
    WinTable table;
    std::string gameName;
    std::string currency;
    GameRules rules;
    bool plainGame = false; // Pick 5 or Pick 6 over a field, no prize levels
    BonusPlay play = BonusPlay::sameChoice;
    GameOdds odds;
};

// The table and the odds of a wheel in a game (its newest rules). Throws std::invalid_argument
// with the reason for a wheel winTableProblem refuses or that the game cannot play
// (oddsProblem). Once *cancel turns true it returns within moments, with figures that mean
// nothing.
WinsDocument winsDocument(const PlayedWheel &wheel, const Game &game, bool plainGame,
                          BonusPlay play, const std::atomic<bool> *cancel = nullptr);

// "What It Wins: 10 Tickets over 20 Numbers in Lotto 6/49".
std::string winsCaption(const WinsDocument &document);

// Every line of the document.
std::vector<std::string> winsLines(const WinsDocument &document);

// "Pick 6 of 49": the name of the plain game of a kind over a field.
std::string plainGameName(int kind, int field);

} // namespace marlek
