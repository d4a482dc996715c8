#include "report_tickets.h"

#include "wheel_report.h"

namespace marlek {

void ReportTickets::feed(std::string_view line) {
    line = m_checker.feed(line);
    if (line.starts_with("Lotto Ticket"))
        m_tickets.push_back(m_checker.ticketNumbers(line));
}

void ReportTickets::finish() { m_checker.finish(); }

std::vector<std::vector<int>> ticketsOfRequest(const ReportRequest &request) {
    ReportTickets reader;
    writeReport(request, [&reader](std::string_view line) { reader.feed(line); });
    reader.finish();
    return reader.tickets();
}

std::vector<std::vector<int>> ticketsOfReportLines(const std::vector<std::string> &lines) {
    ReportTickets reader;
    for (const std::string &line : lines)
        reader.feed(line);
    reader.finish();
    return reader.tickets();
}

} // namespace marlek
