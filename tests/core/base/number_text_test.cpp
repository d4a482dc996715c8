#include "number_text.h"
#include "placement.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

TEST(NumberText, FormatsPlainTwoDigitAndGrouped) {
    EXPECT_EQ(plain(0), "0");
    EXPECT_EQ(twoDigits(7), "07");
    EXPECT_EQ(twoDigits(0), "00");
    EXPECT_EQ(twoDigits(12), "12");
    EXPECT_EQ(grouped(0), "");
    EXPECT_EQ(groupedOrZero(0), "0");
    EXPECT_EQ(grouped(999), "999");
    EXPECT_EQ(grouped(1000), "1,000");
    EXPECT_EQ(grouped(575757), "575,757");
    EXPECT_EQ(grouped(13983816), "13,983,816");
    EXPECT_EQ(grouped(50063860), "50,063,860");
    EXPECT_EQ(counted(1, "ticket", "tickets"), "1 ticket");
    EXPECT_EQ(counted(0, "ticket", "tickets"), "0 tickets");
    EXPECT_EQ(counted(1000000, "ticket", "tickets"), "1,000,000 tickets");
}

TEST(NumberText, CombinationsAreExact) {
    EXPECT_EQ(combinations(49, 6), 13983816);
    EXPECT_EQ(combinations(60, 6), 50063860);
    EXPECT_EQ(combinations(60, 5), 5461512);
    EXPECT_EQ(combinations(19, 6), 27132);
    EXPECT_EQ(combinations(4, 5), 0);
    EXPECT_EQ(combinations(6, 6), 1);
    EXPECT_EQ(filesNeeded(13983816, 400000), 35);
    EXPECT_EQ(filesNeeded(50063860, 200000), 251);
    EXPECT_EQ(filesNeeded(400000, 400000), 1);
    EXPECT_EQ(filesNeeded(0, 400000), 0);
}

TEST(Placement, RoundsHalfToEvenThenHalvesTowardZero) {
    EXPECT_EQ(placementOffset(15360, 0.9, 8500), 2662);
    EXPECT_EQ(placementOffset(11520, 1.0, 7000), 2260);
    EXPECT_EQ(placementOffset(0.5, 1.0, 0), 0);        // 0.5 rounds to 0
    EXPECT_EQ(placementOffset(1.5, 1.0, 0), 1);        // 1.5 rounds to 2, halved 1
    EXPECT_EQ(placementOffset(2.5, 1.0, 0), 1);        // 2.5 rounds to 2
    EXPECT_EQ(placementOffset(9000, 0.9, 8500), -200); // a narrow screen: negative, no correction
    EXPECT_EQ(placementOffset(9000, 0.9, 8501), -200); // -401 halved toward zero
}

} // namespace
} // namespace marlek
