#pragma once
// A wheel of any shape, as the designer makes it and the wheel file holds it: k numbers a ticket
// out of the player's numbers 1..N, with the guarantee "t of m": whenever m of the N numbers are
// drawn, at least one ticket holds at least t of them.

#include "number_sets.h"
#include "wheel_tables.h"

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
    friend bool operator==(const PlainWheel &, const PlainWheel &) = default;
};

// What is wrong with a wheel of that shape (k 1 to 8, N from k to 49, t from 1 to k, m from t to
// N), as a sentence, or an empty text when nothing is.
std::string shapeProblem(int kind, int numbers, Guarantee guarantee);

// "3 of 6".
std::string guaranteeText(Guarantee guarantee);

// A catalogued wheel with the guarantee its label claims ("t of k"); its tickets' positions are
// its numbers.
PlainWheel plainWheelOf(const Wheel &wheel);

// Whether every set of m numbers meets some ticket in at least t: the proof, on `threads` threads.
bool meetsGuarantee(const PlainWheel &wheel, int threads = 1);

} // namespace marlek
