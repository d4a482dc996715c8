#pragma once
// The smallest wheels known for the guarantees players use, as published, each with the source it
// comes from, and the catalogue's own counts beside them: what a designed wheel is measured
// against. Figures only: no published wheel is copied into the program.

#include "plain_wheel.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace marlek {

struct BestKnown {
    int kind = 0;
    int numbers = 0;
    Guarantee guarantee;
    int tickets = 0;
    std::string_view source; // where the figure was published
    // Whether a source read for this table states the figure (a figure no readable source
    // confirms is kept, marked as such).
    bool confirmed = false;
    // Whether the figure is proven the fewest there can be (an exact covering number, a Steiner
    // system meeting Schönheim's bound): then it is a lower bound too.
    bool exact = false;
};

// Every figure of the table, by kind, then t, then m, then N.
std::span<const BestKnown> bestKnownTable();

// The best-known ticket count for that wheel, or nothing when the table does not have it.
std::optional<int> bestKnownTickets(int kind, int numbers, Guarantee guarantee);

// The fewest tickets of a catalogued wheel of that kind over N numbers that claims "t of k", or
// nothing when the catalogue has no such wheel. m must be the kind for the catalogue to have it.
std::optional<int> cataloguedTickets(int kind, int numbers, Guarantee guarantee);

// The catalogued wheels of that kind over N numbers that claim "t of k" (m must be the kind), as
// wheels to start a design from.
std::vector<PlainWheel> cataloguedWheelsFor(int kind, int numbers, Guarantee guarantee);

} // namespace marlek
