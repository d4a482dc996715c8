#pragma once
// What the generator windows hand on when the player presses "Yes": every combination of the
// field as a full wheel.

#include "report_request.h"

namespace marlek {

// Every kind-number combination of n numbers (mode 7 or 8), T their count, recording index -1.
WheelChoice allCombinationsChoice(int kind, int n);

} // namespace marlek
