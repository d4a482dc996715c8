#pragma once
// The fewest tickets any wheel of a shape can have, as far as mathematics can show: what a designed
// wheel is measured against from below, and what refuses a request no wheel can meet.
//
// For "t of t" (every set of t drawn numbers inside a ticket: a covering design C(N, k, t)) it is
// Schönheim's bound, ceil(N/k · ceil((N-1)/(k-1) · ...)). For "t of m" with m above t (a lotto
// design L(N, k, m, t)) it is the largest of:
//  - the counting bound: all C(N, m) sets of m over the most of them one ticket meets in t;
//  - for t = 2, the bound of Füredi, Székely and Zubor: (1/k) · the least, over every way to
//    split the N numbers into m - 1 groups of a1, ..., a(m-1), of the sum of ai ·
//    ceil((ai-1)/(k-1));
//  - for t of 3 or more, the Turán bound with de Caen's estimate: the t-sets inside tickets must
//    leave no m numbers free of them, so the tickets hold at least C(N, t) · (N-m+1) / ((N-t+1) ·
//    C(m-1, t-1)) t-sets, C(k, t) a ticket.
// A wheel for N numbers gives one for N - 1 (a number taken out) and one for "t of m" keeps "t of
// m+1", so every bound of a smaller N or a larger m holds too, and the largest of them is taken;
// so are the figures of best_known.h proven exact.

#include "plain_wheel.h"

#include <cstdint>
#include <string>

namespace marlek {

struct LowerBound {
    std::uint64_t tickets = 1;
    std::string method; // "Schönheim's bound", "the counting bound"...
};

// For k numbers a ticket, N numbers, "t of m" (a shape without keys, m at most k).
LowerBound lowerBound(int kind, int numbers, Guarantee guarantee);

// The same for a request with c keys: the bound of its wheel without them (as many tickets).
LowerBound lowerBound(int kind, int numbers, Guarantee guarantee, int keys);

} // namespace marlek
