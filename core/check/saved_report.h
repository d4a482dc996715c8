#pragma once
// A report as the program's Save As (or `report --out`) writes it, read back from a file: read
// once from its start to its end, so a pipe or a FIFO is read like a file, and checked line by
// line by the draw checker, so a report that was edited or cut short is refused with the line
// named.

#include "draw_check.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// The stream could not be read: `error` is the system's errno for it.
struct ReportReadError : std::runtime_error {
    explicit ReportReadError(int error);
    int error;
};

// A report's lines checked one at a time as Check a Draw checks them, with no draw and nothing
// written: what every reader of a report's lines stands on, so an edited or cut report is refused
// with its line named wherever it is read. The first line (the title) names the kind.
class ReportLineChecker {
public:
    // The next line, with or without a trailing CR; yields it without. Throws ReportLineError for
    // a line that does not belong where it stands.
    std::string_view feed(std::string_view line);
    // The report has ended. Throws ReportLineError when no line came or lines are missing.
    void finish();

    std::int64_t linesRead() const;
    // What the report read so far says of itself: its kind (5 or 6), T and N; 0 before its title
    // and header.
    int kind() const;
    std::int64_t ticketCount() const;
    std::int64_t numberCount() const;

    // The numbers of a ticket line this checker took ("Lotto Ticket     1    03  11  17  25  33
    // 40"): the kind's numbers written 01 to 99, four characters apart, end the line.
    std::vector<int> ticketNumbers(std::string_view checkedLine) const;

private:
    std::unique_ptr<DrawChecker> m_checker;
};

// Feeds every line of a saved report to the checker (CR LF or LF line ends, as the program writes
// them, the last line's included), then finishes it. Throws ReportLineError for a line that does
// not belong there, has no line end or is longer than any report line, ReportReadError when the
// stream fails, and DrawError as the checker does.
void feedSavedReport(std::istream &in, DrawChecker &checker);

struct SavedReport {
    int kind = 0; // 5 or 6
    std::int64_t ticketCount = 0;
    std::int64_t numberCount = 0;
    std::vector<std::string> lines; // without their line ends, as the report's document shows them
};

// A whole saved report, checked as feedSavedReport checks it. Throws as it does.
SavedReport readSavedReport(std::istream &in);

// Whether a file's first line is a report's title ("Marlek's Pick 6 Lotto"), or the title of a
// report written before a wheel was chosen: a file that begins so is read as a report.
bool beginsLikeReport(std::string_view firstLine);

// The check of a saved report against `draw`, line for line as a report on screen is checked.
// Throws DrawError when the draw does not fit the report's kind.
std::vector<std::string> savedReportCheckLines(const SavedReport &report,
                                               const std::vector<int> &draw);

// The caption of an opened report's document: the file's name, then T, N and the kind as a
// report's own caption has them ("wheel14.txt  $10   10  Tickets  20 Numbers  Pick 6 Wheel").
std::string savedReportCaption(std::string_view fileName, const SavedReport &report);

} // namespace marlek
