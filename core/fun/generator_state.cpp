#include "generator_state.h"

namespace marlek {

WheelChoice allCombinationsChoice(int kind, int n) {
    return fullWheelChoice(kind, n, -1);
}

} // namespace marlek
