#include "generator_state.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

TEST(GeneratorState, YesPlaysEveryCombinationOfTheField) {
    const WheelChoice pick6 = allCombinationsChoice(6, 15);
    EXPECT_EQ(pick6.wheelMode, 8);
    EXPECT_EQ(pick6.wheelIndex, -1);
    EXPECT_EQ(pick6.pickCount, 15);
    EXPECT_EQ(pick6.ticketCount, 5005);
    EXPECT_FALSE(pick6.designedWheel);

    const WheelChoice pick5 = allCombinationsChoice(5, 22);
    EXPECT_EQ(pick5.wheelMode, 7);
    EXPECT_EQ(pick5.ticketCount, 26334);
}

} // namespace
} // namespace marlek
