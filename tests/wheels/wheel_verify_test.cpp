// The proof behind "verify": it must find the true guarantee and catch a wheel that breaks it.

#include "wheel_verify.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace marlek {
namespace {

Wheel wheelOf(int kind, int numbers, int matchCount, const std::vector<std::int16_t> &positions) {
    return Wheel{kind,    99,         numbers,  static_cast<int>(positions.size()) / kind,
                 " test", matchCount, positions};
}

TEST(ProvenMatchCount, EqualsTheLabelOrMoreForEveryCataloguedWheel) {
    // The wheels that meet more than their label says; every other one meets exactly its label.
    const std::vector<std::tuple<int, int, int>> more = {{5, 31, 5}, {5, 32, 4}, {6, 27, 5},
                                                         {6, 28, 5}, {6, 29, 5}, {6, 30, 4},
                                                         {6, 32, 4}, {6, 37, 4}};
    for (const int kind : {5, 6}) {
        for (const int index : wheelIndexes(kind)) {
            const Wheel wheel = *findWheel(kind, index);
            int expected = wheel.matchCount;
            for (const auto &[k, i, m] : more)
                if (k == kind && i == index)
                    expected = m;
            EXPECT_EQ(provenMatchCount(wheel), expected) << "Pick " << kind << " wheel " << index;
        }
    }
}

TEST(ProvenMatchCount, DropsWhenOneTicketOfAWheelIsWrong) {
    const Wheel good = *findWheel(6, 10); // 23 numbers, 100,947 sets of winning positions
    std::vector<std::int16_t> broken(good.positions.begin(), good.positions.end());
    broken[6 * 7 + 2] = 12; // the 8th ticket 1 6 9 15 20 22 becomes 1 6 12 15 20 22
    Wheel wrong = good;
    wrong.positions = broken;
    EXPECT_EQ(provenMatchCount(good), 3);
    EXPECT_LT(provenMatchCount(wrong), 3);
}

TEST(ProvenMatchCount, HandlesSmallAndDegenerateWheels) {
    const std::vector<std::int16_t> oneTicket{1, 2, 3, 4, 5};
    EXPECT_EQ(provenMatchCount(wheelOf(5, 5, 5, oneTicket)), 5);
    EXPECT_EQ(provenMatchCount(wheelOf(5, 6, 4, oneTicket)), 4);
    EXPECT_EQ(provenMatchCount(wheelOf(5, 10, 0, oneTicket)), 0); // 6..10 share nothing with it
    EXPECT_EQ(provenMatchCount(wheelOf(5, 4, 5, {})), 5);         // no set of 5 out of 4
    EXPECT_EQ(provenMatchCount(wheelOf(5, 6, 0, {})), 0);         // no tickets at all
    // Positions outside 1..N count for nothing rather than reading beyond the wheel.
    const std::vector<std::int16_t> outside{0, 2, 3, 4, 70};
    EXPECT_EQ(provenMatchCount(wheelOf(5, 5, 3, outside)), 3);
    EXPECT_THROW(provenMatchCount(wheelOf(5, 64, 3, oneTicket)), std::invalid_argument);
}

} // namespace
} // namespace marlek
