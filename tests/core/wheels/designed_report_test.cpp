// The report of a designed wheel: line for line what a catalogued wheel's report would be.

#include "wheel_report.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

ReportRequest requestOf(const PlainWheel &wheel, const std::vector<int> &numbers) {
    std::vector<std::int16_t> picks(numbers.begin(), numbers.end());
    return reportRequestFor(designedWheelChoice(wheel), picks);
}

std::vector<std::string> reportOf(const PlainWheel &wheel, const std::vector<int> &numbers) {
    return reportLines(requestOf(wheel, numbers));
}

std::string captionOf(const PlainWheel &wheel) {
    return documentCaption(requestOf(wheel, {}));
}

TEST(DesignedReport, IsTheWorkedExampleForTheCataloguesWheel) {
    const PlainWheel wheel = plainWheelOf(*findWheel(5, 0));
    EXPECT_EQ(reportOf(wheel, {3, 11, 17, 25, 33, 40, 42}), test::kWorkedExampleLines);
    EXPECT_EQ(captionOf(wheel), test::kWorkedExampleCaption);
}

TEST(DesignedReport, NamesItsOwnGuaranteeAndNumbersTicketsPastNine) {
    PlainWheel wheel{6, 8, {3, 4}, {}};
    for (int i = 0; i < 10; ++i) // ten copies of 1 2 3 4 5 6 are enough to see the labels
        wheel.tickets.push_back(0b00111111);
    wheel.tickets.push_back(0b11111100);
    const ReportRequest request = requestOf(wheel, {1, 2, 3, 4, 5, 6, 7, 48, 50});
    EXPECT_EQ(request.numbers.size(), 8u) << "a designed wheel reads its own N numbers";
    EXPECT_EQ(reportTicketCount(request), 11);
    const auto lines = reportLines(request);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "Marlek's Pick 6 Lotto");
    EXPECT_EQ(lines[1], " $11  11 Tickets  8 Numbers  3 of 4 Guarantee");
    EXPECT_EQ(lines[4], "  1  2  3  4  5  6  7  48");
    EXPECT_EQ(lines[15], "Lotto Ticket     9    01  02  03  04  05  06");
    EXPECT_EQ(lines[17], "Lotto Ticket   11    03  04  05  06  07  48");
    EXPECT_EQ(lines[21], "Pick Any 4 of the 8 Numbers you've Selected");
    EXPECT_EQ(lines[22], "Check All  11 Tickets. At Least 1 Ticket will have 3 Numbers");
    EXPECT_EQ(lines[23], "Thats your  3 of 4 Guarantee");
    EXPECT_EQ(captionOf(wheel), "  $11   11  Tickets  8 Numbers  Pick 6 Wheel");
}

// The keys are the condition of the guarantee: they are said in its own line.
TEST(DesignedReport, AKeyWheelNamesItsKeyNumbersInTheGuaranteesLine) {
    // Keys 1 2 over the wheel of 28 (1 2 3 4 5 6 / 2 3 4 5 6 7) less two numbers a ticket.
    PlainWheel inner{4, 5, {1, 4}, {0b01111, 0b11110}, 0};
    const PlainWheel wheel = keyWheelOver(inner, 2);
    const auto lines = reportOf(wheel, {7, 12, 20, 21, 22, 23, 30});
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[1], " $2  2 Tickets  7 Numbers  3 of 6 Guarantee");
    EXPECT_EQ(lines[7], "Lotto Ticket     1    07  12  20  21  22  23");
    EXPECT_EQ(lines[12], "Pick Any 6 of the 7 Numbers you've Selected, Key Numbers 7 12 among "
                         "them");
    EXPECT_EQ(lines[13], "Check All  2 Tickets. At Least 1 Ticket will have 3 Numbers");
    EXPECT_EQ(lines[14], "Thats your  3 of 6 Guarantee");
    EXPECT_EQ(lines[15], "Good Luck in All your Lotto Pursuits");

    const PlainWheel oneKey = keyWheelOver(PlainWheel{5, 6, {2, 5}, {0b011111}, 0}, 1);
    const auto oneKeyLines = reportOf(oneKey, {9, 10, 11, 12, 13, 14, 15});
    EXPECT_EQ(oneKeyLines[oneKeyLines.size() - 4],
              "Pick Any 6 of the 7 Numbers you've Selected, Key Number 9 among them");
}

} // namespace
} // namespace marlek
