#include "generator_state.h"

#include "generator_texts.h"
#include "number_text.h"

#include <algorithm>

namespace marlek {

void setGeneratorField(SharedState &state, int kind, int n) {
    const std::int64_t total = combinations(n, kind);
    state.genFieldSize = n;
    state.genCombos = static_cast<double>(total);
    state.copyText = grouped(total);
}

void playAllCombinations(SharedState &state, int kind, int n) {
    state.wheelIndex = -1;
    // From n itself: genCombos may hold the other generator window's total.
    state.ticketCount = static_cast<std::int32_t>(combinations(n, kind));
    const int previousCount = std::clamp<int>(state.pickCount, 0, int(state.picks.size()) - 1);
    for (int j = 1; j <= previousCount; ++j)
        state.picks[static_cast<std::size_t>(j)] = static_cast<std::int16_t>(j);
    state.pickCount = static_cast<std::int16_t>(n);
    state.wheelMode = static_cast<std::int16_t>(generatorKind(kind).fullWheelMode);
    state.counter = 0;
}

} // namespace marlek
