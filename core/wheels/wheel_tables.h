#pragma once
// The catalogued wheels of both lotto kinds: constant tables, looked up by kind and index.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace marlek {

struct Wheel {
    int kind = 0;                 // 5 or 6: numbers on one ticket
    int index = 0;                // key within the kind's table: 0 to 14 and 25 to 33 (Pick 5) or 37
    int numbers = 0;              // N, the player's numbers the wheel is played over
    int tickets = 0;              // T, also the cost in dollars
    std::string_view label;       // the guarantee as the report prints it, leading spaces included
    int matchCount = 0;           // the matches the wheel guarantees
    std::span<const std::int16_t> positions; // T x kind ticket positions (1..N), in stored order
};

// The wheel of that kind and index, or nothing for an index that names no table wheel.
std::optional<Wheel> findWheel(int kind, int index);

// Every catalogued index of a kind, ascending.
std::span<const int> wheelIndexes(int kind);

} // namespace marlek
