#pragma once
// The designer's proof of a wheel: a check of its own, independent of the search's counts. A set
// of m drawn numbers meets a ticket in t or more exactly when one of its t-sets lies inside that
// ticket, so the proof marks every t-set inside a ticket (a bit per t-set of the N numbers) and
// then looks at every set of m for a marked t-set. Its work grows with the sets of m, not with the
// tickets, so a wheel of thousands of tickets is proven as fast as one of ten.

#include "number_sets.h"

#include <atomic>
#include <cstdint>
#include <span>

namespace marlek {

// How many sets of `drawn` numbers out of 1..numbers meet no ticket in `matches` numbers or more,
// counted on `threads` threads (at least one). Tickets are sets of numbers 1..numbers.
std::uint64_t uncoveredDraws(std::span<const NumberSet> tickets, int numbers, int matches,
                             int drawn, int threads = 1);

} // namespace marlek
