// The number picker's texts.

#include "picker_texts.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

WheelChoice wheel(int mode, int count, int tickets) {
    return {static_cast<std::int16_t>(mode), std::nullopt, static_cast<std::int16_t>(count),
            tickets, std::nullopt, std::nullopt};
}

TEST(PickerTexts, CaptionNamesKindNumbersAndTickets) {
    EXPECT_EQ(pickerCaption(wheel(5, 10, 4)), "Pick 5 Wheels        Pick 10  Numbers 4 Tickets");
    EXPECT_EQ(pickerCaption(wheel(7, 14, 2002)),
              "Pick 5 Wheels        Pick 14  Numbers 2002 Tickets");
    EXPECT_EQ(pickerCaption(wheel(6, 7, 7)), "Pick 6 Wheels        Pick 7  Numbers 7 Tickets");
    EXPECT_EQ(pickerCaption(wheel(8, 6, 1)), "Pick 6 Wheels        Pick 6  Numbers 1 Tickets");
    EXPECT_EQ(pickerCaption(wheel(0, 5, 1)), "Pick  Wheels        Pick 5  Numbers 1 Tickets");
}

TEST(PickerTexts, ToolTipsAndTheLinesOfADraw) {
    EXPECT_EQ(randomToolTip(26), "Play 26 Random Numbers");
    EXPECT_EQ(yesToolTip(7), "Play these 7 Numbers");
    EXPECT_EQ(drawHeading(10), "                Play these  10  Numbers?");
    EXPECT_EQ(drawHeading(5), "                Play these  5  Numbers?");
    const std::int16_t numbers[] = {3, 17, 49};
    EXPECT_EQ(drawnNumbersLine(numbers), " 3  17  49 ");
    EXPECT_EQ(drawnNumbersLine({}), "");
}

// While the player checks boxes: how many are still to check, or to uncheck, until exactly N.
TEST(PickerTexts, ChoosingSaysHowManyAreStillToCheck) {
    EXPECT_EQ(chooseHeading(7, 0), "Check 7 Numbers");
    EXPECT_EQ(chooseHeading(7, 5), "Check 2 more Numbers");
    EXPECT_EQ(chooseHeading(7, 6), "Check 1 more Number");
    EXPECT_EQ(chooseHeading(7, 7), "                Play these  7  Numbers?");
    EXPECT_EQ(chooseHeading(7, 8), "Uncheck 1 Number");
    EXPECT_EQ(chooseHeading(7, 10), "Uncheck 3 Numbers");
    EXPECT_EQ(chooseYesToolTip(7, 0), "Check 7 Numbers first");
    EXPECT_EQ(chooseYesToolTip(7, 6), "Check 1 more Number first");
    EXPECT_EQ(chooseYesToolTip(7, 7), "Play these 7 Numbers");
    EXPECT_EQ(chooseYesToolTip(7, 9), "Uncheck 2 Numbers first: this wheel plays 7");
    EXPECT_EQ(chooseToolTip(7), "Check your own 7 Numbers");
}

TEST(PickerTexts, LabelFollowsAChangeOnlyWithTwoNumbersToSpare) {
    EXPECT_TRUE(fieldLabelFollowsChange(7, 5));
    EXPECT_TRUE(fieldLabelFollowsChange(60, 5));
    EXPECT_FALSE(fieldLabelFollowsChange(6, 5));
    EXPECT_TRUE(fieldLabelFollowsChange(2, 0));
    EXPECT_FALSE(fieldLabelFollowsChange(1, 0));
}

} // namespace
} // namespace marlek
