#include "report_tickets.h"

#include "wheel_report.h"

namespace marlek {
namespace {

constexpr std::string_view kTicketLabel = "Lotto Ticket";

} // namespace

ReportTickets::ReportTickets() = default;
ReportTickets::~ReportTickets() = default;

void ReportTickets::feed(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    if (!m_checker) {
        // The checker knows every line of a report; it is given a draw of the report's own kind,
        // and what it writes is not needed.
        m_kind = line == "Marlek's Pick 5 Lotto" ? 5 : 6;
        std::vector<int> draw;
        for (int number = 1; number <= m_kind; ++number)
            draw.push_back(number);
        m_checker = std::make_unique<DrawChecker>(draw, [](std::string_view) {});
    }
    m_checker->feed(line);
    if (line.starts_with(kTicketLabel)) {
        // "Lotto Ticket     1    3  11  17  25  33  40": the label's number, then the numbers.
        std::vector<int> numbers;
        std::size_t at = kTicketLabel.size();
        bool label = true;
        while (at < line.size()) {
            if (line[at] == ' ') {
                ++at;
                continue;
            }
            int value = 0;
            while (at < line.size() && line[at] >= '0' && line[at] <= '9')
                value = value * 10 + (line[at++] - '0');
            if (!label)
                numbers.push_back(value);
            label = false;
        }
        m_tickets.push_back(std::move(numbers));
    }
}

void ReportTickets::finish() {
    if (!m_checker)
        throw ReportLineError(1, "the report is empty");
    m_checker->finish();
}

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
