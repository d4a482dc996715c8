#pragma once
// The tickets of a wheel report (one on screen or one saved), read as strictly as a draw is
// checked against it: a line that does not belong where it stands is refused with its line.

#include "draw_check.h"
#include "saved_report.h"

#include <string>
#include <string_view>
#include <vector>

namespace marlek {

class ReportTickets {
public:
    // The next line of the report (a trailing CR is taken off). Throws ReportLineError.
    void feed(std::string_view line);
    // The report has ended. Throws ReportLineError if lines are missing.
    void finish();

    int kind() const { return m_checker.kind(); }
    const std::vector<std::vector<int>> &tickets() const { return m_tickets; }

private:
    ReportLineChecker m_checker;
    std::vector<std::vector<int>> m_tickets;
};

// The tickets of a request's report (the report on screen). Throws ReportLineError when the
// request has no wheel.
std::vector<std::vector<int>> ticketsOfRequest(const ReportRequest &request);

// The tickets of a report's lines as they were saved (a report opened from its file). Throws
// ReportLineError.
std::vector<std::vector<int>> ticketsOfReportLines(const std::vector<std::string> &lines);

} // namespace marlek
