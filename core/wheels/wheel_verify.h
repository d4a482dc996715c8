#pragma once
// The proof of a wheel's guarantee, by trying every way the winning numbers can fall.

#include "number_sets.h"
#include "wheel_tables.h"

#include <atomic>
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
// Once *cancel turns true it returns within moments, with a count that means nothing.
std::uint64_t countUncovered(std::span<const NumberSet> tickets, int numbers, int matches,
                             int drawn, int threads = 1, const std::atomic<bool> *cancel = nullptr);

// The sets of every count drawn from `fromDrawn` to `toDrawn` out of 1..numbers: what a proof of
// those counts goes through.
std::uint64_t proofSets(int numbers, int fromDrawn, int toDrawn);

// The ticket checks such a proof takes at worst (a set that no ticket meets well enough is
// checked against every ticket): proofSets times the tickets, at most UINT64_MAX.
std::uint64_t proofChecks(int numbers, int fromDrawn, int toDrawn, std::uint64_t tickets);

// The most checks a proof of a wheel given from outside may take: a few minutes of one core at
// worst, and far less for a wheel that keeps its guarantee. A Pick 6 wheel of 6,000 tickets over
// 49 numbers, proven for every count drawn from 1 to 6, stays below it.
inline constexpr std::uint64_t kMaxProofChecks = 100'000'000'000;

} // namespace marlek
