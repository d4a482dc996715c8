#pragma once
// The proof of a wheel's guarantee, by trying every way the winning numbers can fall.

#include "number_sets.h"
#include "wheel_tables.h"

#include <cstdint>
#include <span>

namespace marlek {

// The largest m such that every set of wheel.kind positions out of 1..wheel.numbers shares at
// least m positions with some ticket of the wheel: the count of matches the wheel truly
// guarantees. Ticket positions outside 1..N count for nothing. With N below the kind there is no
// such set and the result is the kind itself. Throws std::invalid_argument for N above 63.
int provenMatchCount(const Wheel &wheel);

// The same for any tickets (sets of numbers 1..numbers) and any count of drawn numbers: the least,
// over every set of `drawn` numbers, of the most numbers one ticket shares with it. The wheel
// guarantees "t of drawn" for every t up to the result. With drawn above numbers there is no such
// set and the result is `drawn`. The sets are shared out among `threads` threads (at least one);
// the result does not depend on their count. Throws std::invalid_argument for numbers above 63.
int provenMatches(std::span<const NumberSet> tickets, int numbers, int drawn, int threads = 1);

// How many sets of `drawn` numbers out of 1..numbers have no ticket holding `matches` of them.
std::uint64_t countUncovered(std::span<const NumberSet> tickets, int numbers, int matches,
                             int drawn, int threads = 1);

} // namespace marlek
