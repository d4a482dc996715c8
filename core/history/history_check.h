#pragma once
// Tickets checked against every stored draw of a range: a record of what happened. For each draw
// where a ticket won, the best ticket; for each prize level, how often it was reached beside how
// often the exact odds expect it in that many draws; with the game's prices and prizes, the money
// spent and won; and how often each number was drawn beside its expectation, with a chi-square test
// of how even the counts are. Past draws do not predict the next one, and the texts say so once.

#include "draw.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marlek {

// The most tickets checked at once: a wheel as large as a player buys, many times over.
inline constexpr std::size_t kMaxHistoryTickets = 100'000;

struct WinningDraw {
    Draw draw;
    std::int64_t winningTickets = 0;
    std::size_t bestTicket = 0; // index into the tickets
    int bestMain = 0;
    int bestBonus = 0;
    std::string bestLevel; // "5+1", or "4" where the rules name no prizes
    Money won;             // all tickets' prizes in this draw
};

struct LevelRecord {
    std::string level;
    int main = 0;
    std::optional<int> bonus;
    std::int64_t reached = 0; // tickets that reached it, over all draws
    double expected = 0;      // what the exact odds expect for that many tickets and draws
};

struct NumberRecord {
    int number = 0;
    std::int64_t drawn = 0;
    double expected = 0;
};

struct UniformityTest {
    std::int64_t draws = 0; // the draws tested: those of one main draw (d of F), the newest
    int drawn = 0;
    int field = 0;
    double statistic = 0;
    int degreesOfFreedom = 0;
    double pValue = 1; // the share of fair records at least as uneven
};

struct HistoryCheck {
    std::string game;
    std::string currency;
    std::optional<Date> from, to;
    std::size_t tickets = 0;
    int ticketSize = 0;
    std::int64_t draws = 0;        // stored draws in the range
    std::int64_t checkedDraws = 0; // those whose rules draw as many numbers as a ticket holds
    bool prizesGiven = false;      // every checked draw's rules name prizes; else wins are 3 or more
    std::vector<WinningDraw> wins;
    std::vector<LevelRecord> levels; // highest first
    // Money, over the checked draws whose rules give a price.
    std::int64_t pricedDraws = 0;
    Money spent, won;
    bool estimatesWon = false;
    std::vector<NumberRecord> numbers;
    std::optional<UniformityTest> uniformity;
};

// Checks tickets (each of one size, numbers from 1 to 99) against `draws` (oldest first), each by
// the game's rules of its date. A ticket matches the main numbers it holds and, where the game
// draws bonus balls from the main field, the bonus balls it holds; a ticket of a wheel picks no
// number of a separate bonus pool. Throws std::invalid_argument for tickets that are none of this,
// or more than kMaxHistoryTickets.
HistoryCheck checkAgainstDraws(const Game &game, const std::vector<Draw> &draws,
                               const std::vector<std::vector<int>> &tickets,
                               std::optional<Date> from = std::nullopt,
                               std::optional<Date> to = std::nullopt);

// The chance, for a fair draw, of a chi-square statistic at least `statistic` with `degrees`
// degrees of freedom.
double chiSquareUpperTail(double statistic, int degrees);

// The sentence that goes with every record of past draws.
std::string pastDrawsNotice();

// The check as the lines of a document (ASCII).
std::vector<std::string> historyCheckLines(const HistoryCheck &check);

} // namespace marlek
