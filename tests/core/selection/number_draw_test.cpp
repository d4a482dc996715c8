// The draw: scripted uniform numbers show each step of it; many draws from the program's own
// generator show that every set of numbers of the field is equally likely.

#include "number_draw.h"
#include "uniform_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace marlek {
namespace {

// Hands out the prepared numbers in order and counts how many were asked for.
class ScriptedUniform {
public:
    explicit ScriptedUniform(std::vector<double> values) : m_values(std::move(values)) {}
    double operator()() {
        EXPECT_LT(m_next, m_values.size()) << "the draw asked for more numbers than scripted";
        return m_next < m_values.size() ? m_values[m_next++] : 0.0;
    }
    std::size_t used() const { return m_next; }

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
};

std::vector<std::int16_t> drawScripted(int count, int fieldSize, ScriptedUniform &script) {
    return drawNumbers(count, fieldSize, [&script] { return script(); });
}

TEST(NumberDraw, FieldSizeLeavesTwoNumbersToSpare) {
    EXPECT_EQ(drawFieldSize(49, 6), 49);
    EXPECT_EQ(drawFieldSize(8, 6), 8);
    EXPECT_EQ(drawFieldSize(7, 6), 8);
    EXPECT_EQ(drawFieldSize(0, 26), 28);
    EXPECT_EQ(drawFieldSize(60, 58), 60);
}

// N = 1 from F = N + 2 = 3. The first pass draws 0 first and is thrown away whole; the second
// takes the last value of the pool (u x (j + 1) reaches j) and is kept.
TEST(NumberDraw, PassWithZeroAmongThePlayedNumbersIsDrawnAgain) {
    ScriptedUniform script({0.0, 0.0, 0.0, 0.0, /* second pass */ 0.99, 0.5, 0.0, 0.0});
    EXPECT_EQ(drawScripted(1, 3, script), (std::vector<std::int16_t>{3, 1}));
    EXPECT_EQ(script.used(), 8u); // one number for every value of the pool 0 to F, each pass
}

// drawn[0..3] = 9, 7, 2, 5: positions 1 to N come back sorted, position 0 as drawn.
TEST(NumberDraw, PlayedNumbersSortedExtraNumberLeftFirst) {
    ScriptedUniform script(
        {9.5 / 11, 7.5 / 10, 2.5 / 9, 5.5 / 8, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    EXPECT_EQ(drawScripted(3, 10, script), (std::vector<std::int16_t>{9, 2, 5, 7}));
    EXPECT_EQ(script.used(), 11u);
}

TEST(NumberDraw, RefusesWhatTheFieldCannotSupply) {
    UniformRandom random;
    const auto uniform = [&random] { return random.next(); };
    EXPECT_TRUE(drawNumbers(59, 60, uniform).empty());
    EXPECT_TRUE(drawNumbers(-1, 10, uniform).empty());
    EXPECT_TRUE(drawNumbers(6, 7, uniform).empty());  // F below N + 2
    EXPECT_TRUE(drawNumbers(6, 61, uniform).empty()); // beyond the pool
    EXPECT_FALSE(canDraw(59));
    EXPECT_TRUE(canDraw(58));

    const auto largest = drawNumbers(58, 60, uniform);
    ASSERT_EQ(largest.size(), 59u);
    EXPECT_TRUE(std::is_sorted(largest.begin() + 1, largest.end()));
}

// Every draw: N + 1 distinct numbers from 1 to F.
void expectValidDraw(const std::vector<std::int16_t> &picks, int count, int fieldSize) {
    ASSERT_EQ(picks.size(), static_cast<std::size_t>(count) + 1);
    std::vector<std::int16_t> all = picks;
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    EXPECT_GE(all.front(), 1);
    EXPECT_LE(all.back(), fieldSize);
}

// Each set of N numbers of a small field comes up about equally often, within 8% of its share:
// the shuffle that never takes the pool's last value never plays 2 from a field of 3, and favours
// some sets of 2 from 5 by far more than that.
TEST(NumberDraw, EverySetOfTheFieldIsEquallyLikely) {
    struct Case {
        int count;
        int fieldSize;
        int sets; // C(F, N)
    };
    for (const Case c : {Case{1, 3, 3}, Case{2, 5, 10}, Case{3, 6, 20}}) {
        UniformRandom random;
        const int draws = 2000 * c.sets;
        std::map<std::vector<std::int16_t>, int> seen;
        for (int i = 0; i < draws; ++i) {
            const auto picks = drawNumbers(c.count, c.fieldSize, [&] { return random.next(); });
            expectValidDraw(picks, c.count, c.fieldSize);
            ++seen[std::vector<std::int16_t>(picks.begin() + 1, picks.end())];
        }
        EXPECT_EQ(static_cast<int>(seen.size()), c.sets) << c.count << " of " << c.fieldSize;
        for (const auto &[set, times] : seen)
            EXPECT_NEAR(times, 2000, 160) << c.count << " of " << c.fieldSize;
    }
}

// A draw of 6 from 49: each number comes up 6/49 of the time, within 8%.
TEST(NumberDraw, EveryNumberOfSixFromFortyNineEquallyLikely) {
    UniformRandom random;
    const int draws = 20000;
    std::vector<int> times(50);
    for (int i = 0; i < draws; ++i) {
        const auto picks = drawNumbers(6, 49, [&] { return random.next(); });
        for (std::size_t k = 1; k < picks.size(); ++k)
            ++times[picks[k]];
    }
    const double expected = draws * 6.0 / 49.0;
    for (int number = 1; number <= 49; ++number)
        EXPECT_NEAR(times[number], expected, expected * 0.08) << "number " << number;
}

} // namespace
} // namespace marlek
