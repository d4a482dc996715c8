#pragma once
// A wheel of any shape, as the designer makes it and the wheel file holds it: k numbers a ticket
// out of the player's numbers 1..N, with the guarantee "t of m": whenever m of the N numbers are
// drawn, at least one ticket holds at least t of them. A wheel may have c key numbers, 1..c, in
// every ticket: its guarantee then holds for the draws that hold all c of them.

#include "number_sets.h"
#include "wheel_tables.h"

#include <atomic>
#include <string>
#include <vector>

namespace marlek {

inline constexpr int kMaxWheelKind = 8;
inline constexpr int kMaxWheelNumbers = 49;

struct Guarantee {
    int matches = 0; // t
    int drawn = 0;   // m
    friend bool operator==(const Guarantee &, const Guarantee &) = default;
};

struct PlainWheel {
    int kind = 0;    // k, numbers on one ticket
    int numbers = 0; // N, the player's numbers 1..N
    Guarantee guarantee;
    std::vector<NumberSet> tickets; // each of exactly k numbers out of 1..N
    int keys = 0; // c, the key numbers 1..c: in every ticket, and drawn for the guarantee to hold
    friend bool operator==(const PlainWheel &, const PlainWheel &) = default;
};

// What is wrong with a wheel of that shape (k 1 to 8, N from k to 49, t from 1 to k, m from t to
// N), as a sentence, or an empty text when nothing is.
std::string shapeProblem(int kind, int numbers, Guarantee guarantee);

// What is wrong with c key numbers for the guarantee "t of m", or an empty text. Keys take up
// fewer than t of the matches (0 to t - 1), so the rest of the tickets still has a guarantee.
std::string keyProblem(Guarantee guarantee, int keys);

// "3 of 6".
std::string guaranteeText(Guarantee guarantee);

// The key numbers 1..c as a set (every number a set holds, for c of 64 or more).
constexpr NumberSet keySet(int keys) {
    if (keys <= 0)
        return 0;
    return keys >= 64 ? ~NumberSet{0} : (NumberSet{1} << keys) - 1;
}

// The wheel of a key wheel without its keys: k - c numbers a ticket over N - c, number p + c
// becoming p, with "t - c of m - c". Its tickets are those of the key wheel only when each holds
// every key (meetsGuarantee looks at that first). A wheel without keys is itself.
PlainWheel reducedWheel(const PlainWheel &wheel);

// The key wheel of c keys on top of a wheel without keys: the inverse of reducedWheel.
PlainWheel keyWheelOver(const PlainWheel &reduced, int keys);

// Whether every ticket holds every key number (always, for a wheel without keys).
bool ticketsHoldKeys(const PlainWheel &wheel);

// A catalogued wheel with the guarantee its label claims ("t of k"); its tickets' positions are
// its numbers (a position outside 1..N counts for nothing).
PlainWheel plainWheelOf(const Wheel &wheel);

// Whether every set of m numbers meets some ticket in at least t: the proof, on `threads` threads.
// For a key wheel, every ticket must hold the keys, and the sets of m are those that hold them.
// Once *cancel turns true it returns within moments, with an answer that means nothing.
bool meetsGuarantee(const PlainWheel &wheel, int threads = 1,
                    const std::atomic<bool> *cancel = nullptr);

} // namespace marlek
