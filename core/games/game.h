#pragma once
// A player's lottery game: its name, the rules of its draw (numbers drawn from a field, an
// optional bonus), the price of a ticket and the prize levels. Rules change over the years (a
// field that grows, a bonus pool that shrinks, a new price), so a game holds each set of rules with
// the date it held from, and a draw of a date is judged by the rules of that date.
//
// Money is kept exact, as whole hundredths of the currency's unit.

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// An amount of money in hundredths of the currency's unit (cents, pence).
struct Money {
    std::int64_t cents = 0;
    friend auto operator<=>(const Money &, const Money &) = default;
};

// The largest amount a game file takes: 999,999,999,999.99, so sums of many stay far from overflow.
inline constexpr Money kMaxMoney{99'999'999'999'999};

// "2.50", "1000000.00": digits, a point and two decimals, as game files hold them.
std::string moneyText(Money amount);
// "1,000,000.00": the same with the whole part grouped by threes, for reading.
std::string groupedMoneyText(Money amount);
// Digits with an optional point and one or two decimals ("2", "2.5", "2.50"), up to kMaxMoney;
// nothing for anything else.
std::optional<Money> parseMoney(std::string_view text);

using Date = std::chrono::year_month_day;

// "2015-10-07".
std::string dateText(Date date);
// A valid date written YYYY-MM-DD; nothing for anything else.
std::optional<Date> parseDate(std::string_view text);

// What is drawn beside the main numbers.
enum class BonusKind {
    none,
    pool, // `count` numbers drawn from a second pool 1 to `field`; a ticket picks `count` of them
    ball, // `count` numbers drawn from the main field after the main draw; a ticket picks none
};

struct Bonus {
    BonusKind kind = BonusKind::none;
    int count = 0; // numbers drawn: from the pool, or bonus balls from the main field
    int field = 0; // the pool's size; 0 for bonus balls and for none
    friend bool operator==(const Bonus &, const Bonus &) = default;
};

enum class PrizeKind {
    fixed,    // the lottery pays this amount
    estimate, // a shared prize: the amount is the player's estimate, to be changed at will
};

// One prize level: a ticket that matches `main` numbers of the main draw and `bonus` of the bonus
// numbers wins `amount`. A level without a bonus count ("3") counts the main numbers alone and
// takes every ticket with that many main numbers that no level with a bonus count takes.
struct PrizeLevel {
    int main = 0;
    std::optional<int> bonus;
    PrizeKind kind = PrizeKind::fixed;
    Money amount;
    friend bool operator==(const PrizeLevel &, const PrizeLevel &) = default;
};

// "5+1", or "3" for a level that does not count the bonus.
std::string levelText(int main, std::optional<int> bonus);
inline std::string levelText(const PrizeLevel &level) {
    return levelText(level.main, level.bonus);
}

// The rules of a game from a date on, until the next rules of the same game.
struct GameRules {
    // The first day these rules held; nothing (first rules only) for "since the game began".
    std::optional<Date> from;
    int drawn = 0; // d: numbers drawn in the main draw, and numbers on one ticket
    int field = 0; // F: the main numbers are drawn from 1 to F
    Bonus bonus;
    // The price of one ticket; earlier rules may leave it out (and their prizes) when unknown.
    std::optional<Money> price;
    std::vector<PrizeLevel> prizes; // in the order given
    friend bool operator==(const GameRules &, const GameRules &) = default;
};

// The prize level a ticket with `main` and `bonus` matched wins: the level of exactly that count,
// else the level of `main` that does not count the bonus; nothing when it wins no prize.
const PrizeLevel *prizeFor(const GameRules &rules, int main, int bonus);

struct Game {
    std::string name;
    std::string note;             // e.g. where the rules come from and that they must be checked
    std::string currency;         // ISO 4217 code ("USD", "EUR") or empty
    std::vector<GameRules> rules; // at least one, in ascending order of their dates
    friend bool operator==(const Game &, const Game &) = default;
};

// The rules in force on `date`; nothing when the game's first rules begin later.
const GameRules *rulesOn(const Game &game, Date date);
// The newest rules: those a ticket bought now is played by.
const GameRules &latestRules(const Game &game);
// The last day `game.rules[index]` held (the day before the next rules); nothing for the newest.
std::optional<Date> lastDayOf(const Game &game, std::size_t index);

// The plain game the program plays when the player names none: "Pick 6 of 49", k numbers drawn from
// 1 to field, no bonus, one dollar a ticket, no prize levels.
Game plainGame(int kind, int field);

// "6 of 49".
std::string mainDrawText(const GameRules &rules);
// "1 of 26", "bonus ball", "2 bonus balls", or "" for none.
std::string bonusText(const Bonus &bonus);

// The bounds every game keeps.
inline constexpr int kMinDrawn = 1;
inline constexpr int kMaxDrawn = 8;
inline constexpr int kMaxField = 99;
inline constexpr int kMaxBonusCount = 8;
inline constexpr std::size_t kMaxNameLength = 60;  // characters
inline constexpr std::size_t kMaxNoteLength = 500; // characters

// What is wrong with a game, named by the field as a game file writes it ("main", "prize 5+1",
// "rules from 2015-10-07"); `rules` is the index of the rules it lies in, if any.
struct GameProblem {
    std::optional<std::size_t> rules;
    std::string field;
    std::string message;
};

// The first thing wrong with the game's name, note or currency; nothing when they are sound.
std::optional<GameProblem> gameHeaderProblem(const Game &game);
// The first thing wrong with one set of rules (the draw, the bonus, the price, the prize levels).
std::optional<GameProblem> rulesProblem(const GameRules &rules);
// The first thing wrong with the whole game: its header, each set of rules, their dates (only the
// first may leave its date out; each later one begins after the one before) and the newest rules'
// price, which must be given.
std::optional<GameProblem> gameProblem(const Game &game);

// Game names are compared ignoring the case of ASCII letters: "powerball" finds "Powerball".
bool sameGameName(std::string_view a, std::string_view b);

} // namespace marlek
