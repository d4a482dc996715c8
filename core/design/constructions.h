#pragma once
// Wheels made from wheels the program already has, in a moment and without a search:
//  - a known wheel: a design of known_designs.h, the program's own table, the catalogue. A wheel
//    for "t' of m'" keeps "t of m" when t' >= t and m' <= m;
//  - numbers taken out: a wheel for N' numbers gives one for N < N' (each ticket that holds a
//    number above N takes the lowest numbers it lacks instead), so the answer for N is never
//    above the answer for more numbers;
//  - numbers left out: "t of m-a" on N - a numbers keeps "t of m" on N, as at least m - a of the
//    drawn numbers fall among the N - a;
//  - joins: when m numbers are drawn over parts of A and B numbers, at least s fall in the first
//    part or at least m - s + 1 in the second, so "t of s" on the first beside "t of m-s+1" on the
//    second keeps "t of m"; every split of the numbers and of the drawn count, the parts made the
//    same way (a part of at most k numbers is one ticket).
// The smallest is chosen by its count before it is built; the designer proves it before it is
// offered.

#include "plain_wheel.h"

#include <optional>
#include <string>
#include <vector>

namespace marlek {

struct Construction {
    PlainWheel wheel;
    std::string method; // how it was made, e.g. "a join of 3 of 3 on 11 numbers and 3 of 4 on 12"
};

// The smallest wheel constructed for k numbers a ticket over N, "t of m" (no keys), or nothing
// for a shape out of reach (N above 49).
std::optional<Construction> constructWheel(int kind, int numbers, Guarantee guarantee);

// Tickets of fewer than k numbers (parts of a join, a one-ticket part) filled up with the lowest
// numbers of 1..N they lack, and tickets of more cut down to k; each ticket once.
std::vector<NumberSet> filledTickets(int kind, const std::vector<NumberSet> &tickets, int numbers);

} // namespace marlek
