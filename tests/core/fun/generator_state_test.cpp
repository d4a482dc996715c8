#include "generator_state.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

TEST(GeneratorState, FieldTotalsFollowTheScrollBar) {
    SharedState state;
    setGeneratorField(state, 6, 49);
    EXPECT_EQ(state.genFieldSize, 49);
    EXPECT_EQ(state.genCombos, 13983816);
    EXPECT_EQ(state.copyText, "13,983,816");

    setGeneratorField(state, 5, 4); // a field below the kind: no combinations, an empty total
    EXPECT_EQ(state.genCombos, 0);
    EXPECT_EQ(state.copyText, "");
}

TEST(GeneratorState, YesAfterATenNumberWheelPlaysTheWholeField) {
    SharedState state;
    state.wheelMode = 5;
    state.wheelIndex = 6;
    state.pickCount = 10;
    state.counter = 77;
    for (int p = 0; p <= 12; ++p)
        state.picks[p] = static_cast<std::int16_t>(40 + p);
    setGeneratorField(state, 6, 15);

    playAllCombinations(state, 6, 15);

    EXPECT_EQ(state.wheelMode, 8);
    EXPECT_EQ(state.wheelIndex, -1);
    EXPECT_EQ(state.pickCount, 15);
    EXPECT_EQ(state.ticketCount, 5005);
    EXPECT_EQ(state.counter, 0);
    for (int p = 1; p <= 10; ++p)
        EXPECT_EQ(state.picks[p], p);
    EXPECT_EQ(state.picks[0], 40);  // position 0 is no played number
    EXPECT_EQ(state.picks[11], 51); // beyond the last wheel's numbers nothing is reset
}

TEST(GeneratorState, YesInThePickFiveWindowSetsAFullPickFiveWheel) {
    SharedState state;
    setGeneratorField(state, 5, 22);
    playAllCombinations(state, 5, 22);
    EXPECT_EQ(state.wheelMode, 7);
    EXPECT_EQ(state.ticketCount, 26334);
}

} // namespace
} // namespace marlek
