// A saved report read back: whole, with its kind and counts, checked as the report on screen is;
// cut short or edited, refused with the line named.

#include "saved_report.h"

#include "draw_check.h"
#include "wheel_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace marlek {
namespace {

ReportRequest pick6Wheel() {
    const std::vector<std::int16_t> numbers = {3, 11, 17, 25, 33, 40, 42, 44};
    return reportRequestFor(cataloguedWheelChoice(6, 9, 8, 0), numbers); // 28 tickets
}

// The report as Save As writes it: every line ended by CR LF.
std::string savedText(const ReportRequest &request) {
    std::string text;
    writeReport(request, [&text](std::string_view line) { (text += line) += "\r\n"; });
    return text;
}

SavedReport read(const std::string &text) {
    std::istringstream in(text);
    return readSavedReport(in);
}

TEST(SavedReport, ReadsBackWhatSaveAsWroteAndChecksItAsTheReportOnScreen) {
    const ReportRequest request = pick6Wheel();
    const SavedReport report = read(savedText(request));
    EXPECT_EQ(report.lines, reportLines(request));
    EXPECT_EQ(report.kind, 6);
    EXPECT_EQ(report.ticketCount, reportTicketCount(request));
    EXPECT_EQ(report.numberCount, 8);
    const std::vector<int> draw = {3, 11, 17, 20, 33, 44};
    EXPECT_EQ(savedReportCheckLines(report, draw), drawCheckLines(request, draw));
    EXPECT_THROW(savedReportCheckLines(report, {1, 2, 3, 4, 5}), DrawError);
    EXPECT_EQ(savedReportCaption("wheel.txt", report),
              "wheel.txt  $28   28  Tickets  8 Numbers  Pick 6 Wheel");

    const SavedReport pick5 = read(savedText(reportRequestFor(
        cataloguedWheelChoice(5, 0, 7, 0), std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7})));
    EXPECT_EQ(pick5.kind, 5);
}

TEST(SavedReport, RefusesAReportCutShortOrEditedNamingTheLine) {
    const std::string whole = savedText(pick6Wheel());
    const std::size_t lastLine = whole.rfind("Good Luck");
    struct Case {
        const char *what;
        std::string text;
        std::string message;
    };
    std::string edited = whole;
    edited.replace(edited.find("Lotto Ticket     1") + 21, 2, "99");
    const std::vector<Case> cases = {
        {"empty", "", "line 1: the report is empty"},
        {"cut in its last line", whole.substr(0, lastLine + 4),
         "line " + std::to_string(std::count(whole.begin(), whole.end(), '\n')) +
             ": the line has no line end: the file ends in the middle of it"},
        {"last line gone", whole.substr(0, lastLine),
         "line " + std::to_string(std::count(whole.begin(), whole.end(), '\n')) +
             ": the report ends here, before its last line \"Good Luck in All your Lotto "
             "Pursuits\""},
        {"not a report", "6 20 3 6\n", "line 1: \"6 20 3 6\" is not the first line of a Pick 5 "
                                       "or Pick 6 wheel report"},
        {"no line end at all", std::string(5000, 'x'),
         "line 1: the line is longer than any report line"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            read(c.text);
            ADD_FAILURE() << "read";
        } catch (const ReportLineError &error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
    EXPECT_THROW(read(edited), ReportLineError);
    EXPECT_TRUE(beginsLikeReport("Marlek's Pick 6 Lotto\r"));
    EXPECT_FALSE(beginsLikeReport("01-02-03-04-05-06"));
}

} // namespace
} // namespace marlek
