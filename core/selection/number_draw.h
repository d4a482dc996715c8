#pragma once
// The number picker's draw: N + 1 distinct numbers from a lotto of F numbers, taken with a shuffle
// of the pool 0 to F. Position 0 is the extra number that is not played; positions 1 to N are the
// numbers to play, in ascending order.

#include <cstdint>
#include <functional>
#include <vector>

namespace marlek {

// The highest number a draw may use: the field has at most 60 numbers.
inline constexpr int kLargestField = 60;
// The largest N a draw can serve: the field needs two numbers to spare.
inline constexpr int kLargestDrawCount = kLargestField - 2;

// The field size a draw uses for the scroll bar's value: the value itself when it leaves two
// numbers to spare, else N + 2.
int drawFieldSize(int scrollValue, int count);

// Whether N numbers can be drawn at all (0 to 58).
bool canDraw(int count);

// Draws with `uniform` (numbers in [0, 1)): shuffles the pool 0 to F and repeats the whole pass
// until none of the first N + 1 drawn values is 0. Returns the N + 1 values, position 0 as drawn
// and positions 1 to N sorted ascending. Every set of N numbers of the field is equally likely.
// Returns nothing (an empty list) when N is outside 0 to 58 or F outside N + 2 to 60.
std::vector<std::int16_t> drawNumbers(int count, int fieldSize,
                                      const std::function<double()> &uniform);

} // namespace marlek
