#pragma once
// The proof of a guarantee over tickets that arrive one at a time, as a saved report is read. A
// set of m drawn numbers meets a ticket in t or more exactly when one of its t-sets lies inside
// that ticket, so each ticket marks the t-sets it holds (a bit per t-set of the N numbers) and the
// proof then looks at every set of m for a marked t-set. The memory grows with the t-sets of the
// N numbers, never with the tickets, so a full wheel of millions of tickets is proven as it
// streams past.

#include "number_sets.h"

#include <cstdint>
#include <vector>

namespace marlek {

class CoverTally {
public:
    // Tickets over the numbers 1..numbers (at most 63), met in `matches` numbers or more (1 to 8).
    // Throws std::invalid_argument outside those ranges.
    CoverTally(int numbers, int matches);

    // One more ticket; its numbers outside 1..N count for nothing.
    void add(NumberSet ticket);

    // The sets of `drawn` numbers out of 1..N that hold every number of `required`: how many
    // there are, and how many of them meet no ticket in `matches` numbers or more, counted on
    // `threads` threads (at least one).
    std::uint64_t draws(int drawn, NumberSet required) const;
    std::uint64_t uncovered(int drawn, NumberSet required, int threads = 1) const;

private:
    int m_numbers = 0;
    int m_matches = 0;
    std::vector<std::uint64_t> m_inside; // a bit per t-set, by colexicographic rank
};

} // namespace marlek
