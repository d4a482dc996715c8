#pragma once
// The verify command's work, apart from its options, so a test can hand it any wheels.

#include "commands.h"
#include "wheel_tables.h"

#include <span>
#include <vector>

namespace marlek::cli {

// Every catalogued wheel of a kind (5 or 6), or of both kinds (0): kind 5 first, by index.
std::vector<Wheel> cataloguedWheels(int kind);

// The header line and one line per wheel with its claimed and proven match counts and "ok" or
// "FAIL". Yields whether every wheel was ok.
bool writeVerifyTable(std::span<const Wheel> wheels, Io &io);

} // namespace marlek::cli
