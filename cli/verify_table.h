#pragma once
// The verify command's work, apart from its options, so a test can hand it any wheels.

#include "commands.h"
#include "plain_wheel.h"
#include "wheel_tables.h"

#include <span>
#include <vector>

namespace marlek::cli {

// Every catalogued wheel of a kind (5 or 6), or of both kinds (0): kind 5 first, by index.
std::vector<Wheel> cataloguedWheels(int kind);

// The header line and one line per wheel with its claimed and proven match counts, "ok" or
// "FAIL", and the best-known count for its guarantee. Yields whether every wheel was ok.
bool writeVerifyTable(std::span<const Wheel> wheels, Io &io);

// The header line and, for every count of drawn numbers M from 1 to the larger of the kind and
// the wheel's own M (at most N), the matches proven; the line of the wheel's M also holds the
// claimed matches and "ok" or "FAIL". Yields whether the claim holds. A key wheel's table counts
// the draws that hold its c keys, from M = c + 1, after a line that says so; a ticket without
// the keys fails it.
bool writeWheelProofTable(const PlainWheel &wheel, int threads, Io &io);

} // namespace marlek::cli
