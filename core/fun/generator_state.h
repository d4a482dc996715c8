#pragma once
// What the generator windows write into the shared state: the field's totals as the scroll bar
// moves, and a full wheel of the whole field when the player presses "Yes".

#include "shared_state.h"

namespace marlek {

// genFieldSize = n, genCombos = the total of kind-number combinations of n, copyText = that total
// grouped (empty for 0).
void setGeneratorField(SharedState &state, int kind, int n);

// "Yes": every combination of n numbers as a full wheel (mode 7 or 8, wheelIndex -1, ticketCount
// the count of combinations of n); the numbers the last wheel played, positions 1 to its
// pickCount, become 1, 2, 3, ... again, and counter starts from 0.
void playAllCombinations(SharedState &state, int kind, int n);

} // namespace marlek
