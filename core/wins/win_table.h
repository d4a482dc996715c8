#pragma once
// The win table of a wheel: for every count j of winning numbers among the player's N, over every
// way those j can fall, how many tickets match each count of them (the fewest, the most and the
// total over all ways), in how many ways some ticket matches it, and the best ticket. It needs no
// field: it is the proof of the guarantee kept as a table instead of a yes or no.

#include "plain_wheel.h"
#include "report_request.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marlek {

// The tickets a win table is made for: `kind` numbers a ticket out of the player's numbers 1..N,
// given one by one or, for a full wheel, as every combination of `kind` of them (held as a rule).
struct PlayedWheel {
    int kind = 0;
    int numbers = 0;
    bool full = false;
    std::vector<NumberSet> tickets; // empty for a full wheel
    // The guarantee the wheel claims ("t of m"), whose failures the table lists; a key wheel's
    // claim holds for the ways that hold its key numbers 1..keys.
    std::optional<Guarantee> claimed;
    int keys = 0;
    // The player's number at each position (position 1 first), to show a way as the draw's
    // numbers; empty: the positions themselves.
    std::vector<int> shownNumbers;
};

// The wheels whose tickets a table can count: up to 63 numbers (49 for a wheel given ticket by
// ticket, as a wheel file takes), 1 to 8 a ticket.
inline constexpr int kMostFullWheelNumbers = 63;

// The tickets of a report's wheel: a catalogued, designed or full wheel; nothing when the request
// names no wheel.
std::optional<PlayedWheel> playedWheelOf(const ReportRequest &request);
// The wheel of a designed or read wheel file, over its numbers 1..N.
PlayedWheel playedWheelOf(const PlainWheel &wheel);
// One ticket of `kind` numbers, and every combination of `kind` of N numbers.
PlayedWheel singleTicket(int kind);
PlayedWheel fullWheel(int kind, int numbers);

std::uint64_t ticketCount(const PlayedWheel &wheel);

// Counts of the tickets that match exactly m of the j winning numbers, over the ways they fall.
struct MatchCounts {
    std::uint64_t fewest = 0;
    std::uint64_t most = 0;
    std::uint64_t total = 0;      // over every way: the average is total / ways
    std::uint64_t waysWithAny = 0; // ways in which at least one ticket matches exactly m
    // With a bonus ball drawn from the rest of the field: over every way and every one of the
    // player's other N - j numbers as that ball, the pairs in which some ticket of m matches holds
    // the ball, and in which some ticket of m matches lacks it. Counted only for the m asked for.
    std::uint64_t ballWith = 0;
    std::uint64_t ballWithout = 0;
};

struct WinRow {
    int winning = 0;        // j
    std::uint64_t ways = 0; // C(N, j)
    std::vector<MatchCounts> matches; // by m, 0..min(j, kind)
    // By m: the ways whose best ticket matches exactly m; the smallest best is what the wheel
    // guarantees for j winning numbers.
    std::vector<std::uint64_t> bestWays;
    int smallestBest = 0;
};

struct WinHoles {
    Guarantee guarantee;
    int keys = 0;
    std::uint64_t count = 0;            // ways of m (holding the keys) with no ticket of t
    std::vector<std::vector<int>> first; // the first few, as the draw's numbers, ascending
};

struct WinTable {
    int kind = 0;
    int numbers = 0;
    std::uint64_t tickets = 0;
    std::vector<WinRow> rows;   // j = 0..min(kind, N)
    unsigned ballMatches = 0;   // bit m: ballWith/ballWithout counted for m
    std::optional<WinHoles> holes; // the claimed guarantee checked; count 0 when it holds
};

// The first holes a table lists.
inline constexpr std::size_t kHolesListed = 10;

// What keeps a table from being counted here (too many numbers, or more work than a proof here
// takes: the ways of 1 to kind numbers times the tickets), as a sentence; empty when nothing.
std::string winTableProblem(const PlayedWheel &wheel);

// The table. `ballMatches`: the counts of m (bit m) for which the bonus ball pairs are counted.
// Once *cancel turns true it returns within moments, with a table that means nothing. Throws
// std::invalid_argument for a wheel winTableProblem refuses.
WinTable winTable(const PlayedWheel &wheel, unsigned ballMatches = 0,
                  const std::atomic<bool> *cancel = nullptr);

} // namespace marlek
