// A report document of a designed wheel: its request gives the designed report, and a request
// without a designed wheel stays the catalogue's.

#include "designed_report.h"
#include "wheel_report.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

TEST(DesignedRequest, WritesTheDesignedReportOverThePicksWithItsCaptionAndCount) {
    SharedState state;
    state.setStartupPicks();
    const std::vector<int> numbers = {4, 9, 15, 22, 30, 37, 41, 49};
    for (std::size_t i = 0; i < numbers.size(); ++i)
        state.picks[i + 1] = static_cast<std::int16_t>(numbers[i]);
    // A wheel mode and index left behind by the catalogue must not leak into the report.
    state.wheelMode = 6;
    state.wheelIndex = 3;
    const PlainWheel wheel{5, 8, {2, 3}, {0b00011111, 0b11111000, 0b11100011}};

    const ReportRequest request = designedReportRequest(wheel, state);
    std::vector<std::string> expected;
    writeDesignedReport(wheel, numbers,
                        [&expected](std::string_view line) { expected.emplace_back(line); });
    EXPECT_EQ(reportLines(request), expected);
    EXPECT_EQ(documentCaption(request), designedReportCaption(wheel));
    EXPECT_EQ(documentCaption(request), "  $3   3  Tickets  8 Numbers  Pick 5 Wheel");
    EXPECT_EQ(reportTicketCount(request), 3);
}

TEST(DesignedRequest, TheCataloguesRequestHasNone) {
    SharedState state;
    test::setWorkedExample(state);
    const ReportRequest request = reportRequestFrom(state);
    EXPECT_FALSE(request.designedWheel.has_value());
    EXPECT_EQ(reportLines(request), test::kWorkedExampleLines);
}

} // namespace
} // namespace marlek
