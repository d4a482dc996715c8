#include "saved_report.h"

#include "number_text.h"

#include <array>
#include <cerrno>
#include <istream>
#include <memory>
#include <numeric>

namespace marlek {
namespace {

// Calls `take` with every line of the stream, without its line end: every line must end in LF,
// the last one too, and fit in the buffer, far longer than any report line, so a file without
// line ends is refused, not read whole.
template <typename Take> void forEachLine(std::istream &in, Take take) {
    std::int64_t lineNumber = 0;
    std::array<char, 4096> line{};
    errno = 0;
    while (in.getline(line.data(), line.size())) {
        ++lineNumber;
        if (in.eof()) // the last line has no line end: the file was cut short
            throw ReportLineError(lineNumber,
                                  "the line has no line end: the file ends in the middle of it");
        take(std::string_view(line.data(), static_cast<std::size_t>(in.gcount() - 1)));
        errno = 0;
    }
    if (in.bad())
        throw ReportReadError(errno != 0 ? errno : EIO);
    if (in.gcount() == static_cast<std::streamsize>(line.size() - 1))
        throw ReportLineError(lineNumber + 1, "the line is longer than any report line");
    if (in.gcount() > 0)
        throw ReportLineError(lineNumber + 1,
                              "the line has no line end: the file ends in the middle of it");
}

} // namespace

ReportReadError::ReportReadError(int error)
    : std::runtime_error("the report could not be read"), error(error) {}

std::string_view ReportLineChecker::feed(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    if (!m_checker) {
        // The checker needs a draw of the report's kind, which its title gives; a title of neither
        // kind is refused by the checker itself, with its own words.
        std::vector<int> draw(line == "Marlek's Pick 5 Lotto" ? 5 : 6);
        std::iota(draw.begin(), draw.end(), 1);
        m_checker = std::make_unique<DrawChecker>(std::move(draw), [](std::string_view) {});
    }
    m_checker->feed(line);
    return line;
}

void ReportLineChecker::finish() {
    if (!m_checker)
        throw ReportLineError(1, "the report is empty");
    m_checker->finish();
}

std::int64_t ReportLineChecker::linesRead() const { return m_checker ? m_checker->linesRead() : 0; }
int ReportLineChecker::kind() const { return m_checker ? m_checker->kind() : 0; }
std::int64_t ReportLineChecker::ticketCount() const {
    return m_checker ? m_checker->ticketCount() : 0;
}
std::int64_t ReportLineChecker::numberCount() const {
    return m_checker ? m_checker->numberCount() : 0;
}

std::vector<int> ReportLineChecker::ticketNumbers(std::string_view checkedLine) const {
    const std::size_t count = static_cast<std::size_t>(kind());
    std::vector<int> numbers(count);
    const char *at = checkedLine.data() + checkedLine.size() - (4 * count - 2);
    for (int &number : numbers) {
        number = (at[0] - '0') * 10 + (at[1] - '0');
        at += 4;
    }
    return numbers;
}

void feedSavedReport(std::istream &in, DrawChecker &checker) {
    forEachLine(in, [&checker](std::string_view line) { checker.feed(line); });
    checker.finish();
}

bool beginsLikeReport(std::string_view firstLine) {
    if (firstLine.ends_with('\r'))
        firstLine.remove_suffix(1);
    return firstLine.starts_with("Marlek's ");
}

SavedReport readSavedReport(std::istream &in) {
    SavedReport report;
    ReportLineChecker checker;
    forEachLine(in, [&](std::string_view line) { report.lines.emplace_back(checker.feed(line)); });
    checker.finish();
    report.kind = checker.kind();
    report.ticketCount = checker.ticketCount();
    report.numberCount = checker.numberCount();
    return report;
}

std::vector<std::string> savedReportCheckLines(const SavedReport &report,
                                               const std::vector<int> &draw) {
    std::vector<std::string> lines;
    DrawChecker checker(draw, [&lines](std::string_view line) { lines.emplace_back(line); });
    for (const std::string &line : report.lines)
        checker.feed(line);
    checker.finish();
    return lines;
}

std::string savedReportCaption(std::string_view fileName, const SavedReport &report) {
    const std::string t = plain(report.ticketCount);
    return std::string(fileName) + "  $" + t + "   " + t + "  Tickets  " +
           plain(report.numberCount) + " Numbers  Pick " + plain(report.kind) + " Wheel";
}

} // namespace marlek
