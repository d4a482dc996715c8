#pragma once
// What the design window asks of the designer and says of its work: the request aimed at the
// known wheels, the progress line and the result beside the catalogue and the best known.

#include "wheel_designer.h"

#include <optional>
#include <string>

namespace marlek {

// Starts from the catalogue's wheels of that guarantee and the program's own table's wheel, and
// stops once the best known is reached; with keys, of the guarantee of the wheel without them.
void aimAtKnownWheels(DesignRequest &request);

// What the program's own table holds for a guarantee, before a design starts: "The program's
// table has a wheel of 10 tickets for this guarantee, at the best known." (or "2 above the best
// known (10)", or no word of the best known when it is not known), or "The program's table has no
// wheel for this guarantee." With keys, it speaks of the guarantee without them.
std::string ownTableText(std::optional<int> ownTickets, std::optional<int> bestKnown,
                         bool withoutKeys = false);
// The same for a request, looked up in the tables.
std::string ownTableText(const DesignRequest &request);

// "3 of 6 over 20 numbers, 6 a ticket".
std::string shapeText(const PlainWheel &wheel);

// The key numbers 1..c: "1 2".
std::string keyNumbersText(int keys);

// What the keys mean for the player: "Key numbers 1 2 are in every ticket: the guarantee holds
// when all of them are drawn.", and which of the numbers played become the keys.
std::string keyConditionText(int keys);

// "4.2 s".
std::string elapsedText(std::chrono::milliseconds elapsed);

// "Designing: 4.2 s, best so far 12 tickets", or "Designing: 0.3 s, no wheel yet".
std::string designProgressText(const DesignProgress &progress);

// What the wheel of a result (one with a wheel) keeps: "meets the guarantee for 37,506 of 38,760
// draws of 6 (96.7%)", or "... draws of 6 holding the keys ..." for a key wheel. The share is
// rounded down, so a wheel short of the guarantee never shows 100.0%.
std::string coverageText(const DesignResult &result);

// How a result (one with a wheel) stands against the lower bound and where its wheel comes from,
// for the window to show beside the result: "No wheel for this guarantee can have fewer than 77
// tickets (Schönheim's bound): this one is the smallest there is. From a construction: the
// Steiner system S(3,6,22) from the binary Golay code." or "... fewer than 19 tickets (the Turán
// bound (de Caen)); this one has 22 more. From the program's table."
std::string lowerBoundText(const DesignResult &result);

// The result as a player reads it: "20 tickets. When 6 of your 20 numbers are drawn, at least
// one ticket wins 3 of them. Checked against every draw.", what the keys mean for a key wheel,
// and for a wheel that keeps its guarantee how small it is ("No wheel for this can have fewer
// than 77 tickets, so none is smaller than this one.", or beside the smallest known).
std::string designResultText(const DesignResult &result);

// The technical comparison behind it: the shape and time ("14 tickets, proven: 3 of 6 over 20
// numbers, 6 a ticket (10.0 s)."), the catalogue and the best known with its source (a key wheel
// compared as the wheel without its keys), and the lower bound with its method. Empty without a
// wheel.
std::string designDetailsText(const DesignResult &result);

// Said where a value outside a field's range is typed: "60 is out of range: this field takes 6 to
// 49; it keeps 20 when you leave it." A count drawn above the ticket's size says why it cannot be.
std::string outOfRangeText(int typed, int low, int high, int kept);
std::string drawnAboveTicketText(int typed, int kind, int kept);

// Said when the fields no longer ask for the wheel shown: Save and Play wait for Design.
std::string staleDesignText(const PlainWheel &wheel);

} // namespace marlek
