#pragma once
// The wheel report: the wheel's tickets with the player's numbers put in, framed by a header and a
// short proof of the guarantee. Lines are streamed to a sink, so a full wheel of millions of
// tickets is never held twice.

#include "report_request.h"
#include "shared_state.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// Receives one report line at a time (ASCII, no line end, no tabs). The view is valid only during
// the call.
using ReportSink = std::function<void(std::string_view line)>;

// The request of the current shared state, read without changing it.
ReportRequest reportRequestFrom(const SharedState &state);

// Reads the request as a document's load does, and writes back what the report writes there:
// pickCount, ticketCount and matchCount from a table wheel, wheelNumbers, and counter.
ReportRequest takeReportRequest(SharedState &state);

// The request that plays a designed wheel (kind 5 or 6) over the player's numbers: numbers[p - 1]
// stands for the wheel's number p. Its report has a catalogued wheel's frame with the wheel's own
// guarantee "t of m".
ReportRequest designedReportRequest(const PlainWheel &wheel, std::span<const int> numbers);
// The same over picks[1 .. N] of the shared state.
ReportRequest designedReportRequest(const PlainWheel &wheel, const SharedState &state);

// Writes the report of a request, line by line.
void writeReport(const ReportRequest &request, const ReportSink &sink);

// Every line of a request's report, in order.
std::vector<std::string> reportLines(const ReportRequest &request);

// T as the report states it: a table wheel's own count, else the request's.
std::int32_t reportTicketCount(const ReportRequest &request);

// The report of the current shared state, with the write-back of takeReportRequest.
void writeReport(SharedState &state, const ReportSink &sink);

// The caption OpenWheelDocument gives a new document, built from T, N and the kind of the mode
// as the caller left them, e.g. "  $5   5  Tickets  7 Numbers  Pick 5 Wheel".
std::string documentCaption(const ReportRequest &request);
std::string documentCaption(const SharedState &state);

} // namespace marlek
