#pragma once
// What the design window asks of the designer and says of its work: the request aimed at the
// known wheels, the progress line and the result beside the catalogue and the best known.

#include "wheel_designer.h"

#include <optional>
#include <string>

namespace marlek {

// Starts from the catalogue's wheels of that guarantee and the program's own table's wheel, and
// stops once the best known is reached.
void aimAtKnownWheels(DesignRequest &request);

// What the program's own table holds for a guarantee, before a design starts: "The program's
// table has a wheel of 10 tickets for this guarantee, at the best known." (or "2 above the best
// known (10)", or no word of the best known when it is not known), or "The program's table has no
// wheel for this guarantee."
std::string ownTableText(std::optional<int> ownTickets, std::optional<int> bestKnown);
// The same for a shape, looked up in the tables.
std::string ownTableText(int kind, int numbers, Guarantee guarantee);

// "4.2 s".
std::string elapsedText(std::chrono::milliseconds elapsed);

// "Designing: 4.2 s, best so far 12 tickets", or "Designing: 0.3 s, no wheel yet".
std::string designProgressText(const DesignProgress &progress);

// What the wheel of a result (one with a wheel) keeps: "meets the guarantee for 37,506 of 38,760
// draws of 6 (96.7%)". The share is rounded down, so a wheel short of the guarantee never shows
// 100.0%.
std::string coverageText(const DesignResult &result);

// Two lines: what was found and proven, then how it stands against the catalogue and the best
// known ("This wheel is at the best known." when it is).
std::string designResultText(const DesignResult &result);

} // namespace marlek
