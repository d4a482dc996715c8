#pragma once
// The wheel designer: finds a small wheel for any guarantee by simulated annealing over a fixed
// count of tickets (after Nurmela and Östergård's search for covering designs). The cost of a
// wheel is the count of m-sets that no ticket meets in t numbers, kept up to date move by move
// from a count of covering tickets per m-set. Each time the cost reaches nothing the wheel is
// recorded and the ticket that leaves the fewest m-sets uncovered is dropped, and the search goes
// on with one ticket less. Given a known wheel to start from, it first spends a fifth of its time
// on wheels with a turn symmetry (orbit_search.h) that would beat it.

#include "plain_wheel.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace marlek {

struct DesignRequest {
    int kind = 6;
    int numbers = 0;
    Guarantee guarantee;
    // Key numbers 1..c in every ticket: the search designs the wheel of k - c numbers a ticket
    // over N - c with "t - c of m - c" and puts the keys into its tickets. The ticket target and
    // budget count the same tickets either way.
    int keys = 0;
    std::chrono::milliseconds timeBudget{10'000};
    std::uint64_t seed = 1;
    // Independent searches, one a thread, each with a seed of its own; the smallest wheel wins.
    int threads = 1;
    // Moves each search may make (0: as many as the time allows). With a move budget that ends
    // before the time does, the same request gives the same wheel every time.
    std::uint64_t moveBudget = 0;
    // A wheel this small ends the search early (0: search until the budget is spent).
    int targetTickets = 0;
    // The most tickets the player will buy (0: no limit). When no wheel this small keeps the
    // guarantee, the search stays at this many tickets and keeps as many m-sets covered as it can.
    int ticketBudget = 0;
    // Known wheels of the same shape (and keys) to start from, e.g. the catalogue's; the smallest
    // that keeps the guarantee is taken when it is smaller than the greedy start.
    std::vector<PlainWheel> starts;
    // Whether the wheels the program can construct (constructions.h) are starts too.
    bool constructions = true;
    // Whether joins of two parts, each designed by a short search of its own (designed_joins.h),
    // are tried too when no known wheel or construction meets the lower bound. They take up to a
    // quarter of the time (15 s at most) or of the moves.
    bool designedJoins = true;
};

struct DesignProgress {
    int bestTickets = 0; // 0 until the first wheel that keeps the guarantee is found
    std::chrono::milliseconds elapsed{0};
};

// Called on the thread that called designWheel, a few times a second at most.
using DesignProgressCallback = std::function<void(const DesignProgress &)>;

struct DesignResult {
    std::optional<PlainWheel> wheel; // proven; nothing only when cancelled before the first one
    bool cancelled = false;
    std::chrono::milliseconds elapsed{0};
    std::uint64_t moves = 0; // made by all searches together
    // Counted by the proof over the returned wheel: the m-sets on which it keeps the guarantee,
    // out of all of them (with keys, of those that hold every key). Below all only under a ticket
    // budget too small for a full cover (both 0 in a result made by hand: its wheel is taken to
    // keep the guarantee).
    std::uint64_t coveredDraws = 0;
    std::uint64_t allDraws = 0;
    // Where the wheel comes from: "the program's table", "the catalogue", a construction ("a
    // join of 3 of 3 on 11 numbers and 3 of 4 on 12"), a join of designed parts, "the greedy
    // start", "the turn search" or "the search".
    std::string source;
    // The fewest tickets any wheel of this shape can have (lower_bound.h), and how it is known.
    std::uint64_t lowerBound = 0;
    std::string lowerBoundMethod;

    bool keepsGuarantee() const { return wheel && coveredDraws == allDraws; }
};

// The most m-sets a design keeps counts for: C(49, 6) and the like fit, C(49, 7) does not.
inline constexpr std::uint64_t kMaxDesignDraws = 20'000'000;

// The most tickets a designed wheel may hold: its count of covering tickets per m-set is 16 bits.
inline constexpr int kMaxDesignTickets = 65'535;

// A lottery draws as many numbers as a ticket holds, so a guarantee for more drawn numbers (m
// above k) never applies to a draw: what says so, or an empty text.
std::string drawnProblem(int kind, Guarantee guarantee);

// What keeps a request from being designed (a wrong shape or count of keys, too many m-sets), or
// an empty text.
std::string designProblem(const DesignRequest &request);

// Searches until the time or move budget is spent, the target is reached or `cancel` turns true
// (then it returns within milliseconds). Throws std::invalid_argument for a request with a
// designProblem.
DesignResult designWheel(const DesignRequest &request, const std::atomic<bool> *cancel = nullptr,
                         const DesignProgressCallback &progress = {});

} // namespace marlek
