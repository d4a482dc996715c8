#include "shared_state.h"

namespace marlek {

void SharedState::setStartupPicks() {
    for (counter = 1; counter <= 50; ++counter)
        picks[counter] = static_cast<std::int16_t>(counter);
}

int lottoKindOfMode(int wheelMode) {
    switch (wheelMode) {
    case 5:
    case 7:
        return 5;
    case 6:
    case 8:
        return 6;
    default:
        return 0;
    }
}

} // namespace marlek
