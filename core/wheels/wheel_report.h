#pragma once
// The wheel report: the wheel's tickets with the player's numbers put in, framed by a header and a
// short proof of the guarantee. Lines are streamed to a sink, so a full wheel of millions of
// tickets is never held twice.

#include "report_request.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// Receives one report line at a time (ASCII, no line end, no tabs). The view is valid only during
// the call.
using ReportSink = std::function<void(std::string_view line)>;

// Writes the report of a request, line by line.
void writeReport(const ReportRequest &request, const ReportSink &sink);

// Every line of a request's report, in order.
std::vector<std::string> reportLines(const ReportRequest &request);

// T as the report states it: a table wheel's or a designed wheel's own count, else the choice's.
std::int32_t reportTicketCount(const ReportRequest &request);

// The caption OpenWheelDocument gives a new document, built from T, N and the kind as the chooser
// stated them, e.g. "  $5   5  Tickets  7 Numbers  Pick 5 Wheel".
std::string documentCaption(const ReportRequest &request);

} // namespace marlek
