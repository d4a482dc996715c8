#pragma once
// The proof of a wheel's guarantee, by trying every way the winning numbers can fall.

#include "wheel_tables.h"

namespace marlek {

// The largest m such that every set of wheel.kind positions out of 1..wheel.numbers shares at
// least m positions with some ticket of the wheel: the count of matches the wheel truly
// guarantees. Ticket positions outside 1..N count for nothing. With N below the kind there is no
// such set and the result is the kind itself. Throws std::invalid_argument for N above 63.
int provenMatchCount(const Wheel &wheel);

} // namespace marlek
