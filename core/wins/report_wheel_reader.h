#pragma once
// The tickets of a saved report, read back for a win table: the report is read one line at a
// time and checked as Check a Draw checks it (a report that was edited or cut short is refused
// with the line named), while its player's numbers, tickets and guarantee are taken down.

#include "draw_check.h"
#include "saved_report.h"
#include "win_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace marlek {

class ReportTicketsReader {
public:
    // The next line, without its line end (a trailing CR is taken off). Throws ReportLineError
    // for a line that is not where a report has it, or a report whose table cannot be counted
    // (more numbers or tickets than winTableProblem takes).
    void feed(std::string_view line);
    // The report has ended; throws ReportLineError if lines are missing.
    void finish();
    std::int64_t linesRead() const { return m_checker.linesRead(); }

    // The wheel read, positions 1..N in the order of the report's numbers line.
    PlayedWheel wheel() const { return m_wheel; }

private:
    [[noreturn]] void refuse(const std::string &reason) const;
    void readNumbers(std::string_view line);
    void readTicket(std::string_view line);

    ReportLineChecker m_checker;
    bool m_numbersNext = false;
    int m_pickAny = 0; // M of "Pick Any M of the N Numbers", once read
    std::array<int, kHighestDrawnNumber + 1> m_positionOf{}; // the player's number's position
    PlayedWheel m_wheel;
};

// The wheel of a report's lines as they were saved (a report opened from its file). Throws
// ReportLineError.
PlayedWheel playedWheelOfReportLines(const std::vector<std::string> &lines);

} // namespace marlek
