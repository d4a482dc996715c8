#pragma once
// The wheel report: the current wheel's tickets with the player's numbers put in, framed by a
// header and a short proof of the guarantee. Lines are streamed to a sink, so a full wheel of
// millions of tickets is never held twice.

#include "shared_state.h"

#include <functional>
#include <string>
#include <string_view>

namespace marlek {

// Receives one report line at a time (ASCII, no line end, no tabs). The view is valid only during
// the call.
using ReportSink = std::function<void(std::string_view line)>;

// Writes the report of the current shared state, line by line, and writes back pickCount,
// ticketCount, matchCount, wheelNumbers and counter as the report does.
void writeReport(SharedState &state, const ReportSink &sink);

// The caption OpenWheelDocument gives a new document, built from ticketCount, pickCount and the
// kind of wheelMode, e.g. "  $5   5  Tickets  7 Numbers  Pick 5 Wheel".
std::string documentCaption(const SharedState &state);

} // namespace marlek
