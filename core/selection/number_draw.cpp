#include "number_draw.h"

#include <algorithm>
#include <array>

namespace marlek {

int drawFieldSize(int scrollValue, int count) {
    return scrollValue >= count + 2 ? scrollValue : count + 2;
}

bool canDraw(int count) {
    return count >= 0 && count <= kLargestDrawCount;
}

std::vector<std::int16_t> drawNumbers(int count, int fieldSize,
                                      const std::function<double()> &uniform) {
    if (!canDraw(count) || fieldSize < count + 2 || fieldSize > kLargestField)
        return {};

    std::vector<std::int16_t> picks(static_cast<std::size_t>(count) + 1);
    for (;;) {
        std::array<std::int16_t, kLargestField + 1> pool{};
        for (int i = 0; i <= fieldSize; ++i)
            pool[i] = static_cast<std::int16_t>(i);

        // Take any of the j + 1 values still in the pool, the last one included, so every ordering
        // is equally likely.
        std::array<std::int16_t, kLargestField + 1> drawn{};
        for (int j = fieldSize; j >= 0; --j) {
            const int r = std::min(static_cast<int>(uniform() * (j + 1)), j);
            drawn[fieldSize - j] = pool[r];
            pool[r] = pool[j];
        }

        // 0 is no lotto number: a pass that puts it among the first N + 1 is drawn again.
        const auto played = drawn.begin() + count + 1;
        if (std::find(drawn.begin(), played, 0) != played)
            continue;
        std::copy(drawn.begin(), played, picks.begin());
        break;
    }
    std::sort(picks.begin() + 1, picks.end());
    return picks;
}

} // namespace marlek
