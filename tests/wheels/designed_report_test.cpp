// The report of a designed wheel: line for line what a catalogued wheel's report would be.

#include "designed_report.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

std::vector<std::string> reportOf(const PlainWheel &wheel, const std::vector<int> &numbers) {
    std::vector<std::string> lines;
    writeDesignedReport(wheel, numbers,
                        [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(DesignedReport, IsTheWorkedExampleForTheCataloguesWheel) {
    const PlainWheel wheel = plainWheelOf(*findWheel(5, 0));
    EXPECT_EQ(reportOf(wheel, {3, 11, 17, 25, 33, 40, 42}), test::kWorkedExampleLines);
    EXPECT_EQ(designedReportCaption(wheel), test::kWorkedExampleCaption);
}

TEST(DesignedReport, NamesItsOwnGuaranteeAndNumbersTicketsPastNine) {
    PlainWheel wheel{6, 8, {3, 4}, {}};
    for (int i = 0; i < 10; ++i) // ten copies of 1 2 3 4 5 6 are enough to see the labels
        wheel.tickets.push_back(0b00111111);
    wheel.tickets.push_back(0b11111100);
    const auto lines = reportOf(wheel, {1, 2, 3, 4, 5, 6, 7, 48});
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "Marlek's Pick 6 Lotto");
    EXPECT_EQ(lines[1], " $11  11 Tickets  8 Numbers  3 of 4 Guarantee");
    EXPECT_EQ(lines[4], "  1  2  3  4  5  6  7  48");
    EXPECT_EQ(lines[15], "Lotto Ticket     9    01  02  03  04  05  06");
    EXPECT_EQ(lines[17], "Lotto Ticket   11    03  04  05  06  07  48");
    EXPECT_EQ(lines[21], "Pick Any 4 of the 8 Numbers you've Selected");
    EXPECT_EQ(lines[22], "Check All  11 Tickets. At Least 1 Ticket will have 3 Numbers");
    EXPECT_EQ(lines[23], "Thats your  3 of 4 Guarantee");
    EXPECT_EQ(designedReportCaption(wheel), "  $11   11  Tickets  8 Numbers  Pick 6 Wheel");
}

} // namespace
} // namespace marlek
