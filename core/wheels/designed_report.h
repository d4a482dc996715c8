#pragma once
// The report of a designed (or imported) wheel: the same caption and lines as a catalogued
// wheel's report, with the wheel's own guarantee "t of m" (written by the report writer).

#include "plain_wheel.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace marlek {

// Receives one report line at a time (ASCII, no line end).
using DesignedReportSink = std::function<void(std::string_view line)>;

// The report with the player's numbers put in: numbers[p - 1] stands for the wheel's number p,
// and there are exactly wheel.numbers of them. The wheel's kind must be 5 or 6. A key wheel's
// keys are the first numbers, and a line after the guarantee names them as its condition.
void writeDesignedReport(const PlainWheel &wheel, std::span<const int> numbers,
                         const DesignedReportSink &sink);

// The document caption, as for a catalogued wheel: "  $10   10  Tickets  20 Numbers  Pick 6 Wheel".
std::string designedReportCaption(const PlainWheel &wheel);

} // namespace marlek
