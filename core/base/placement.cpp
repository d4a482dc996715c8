#include "placement.h"

#include <cmath>

namespace marlek {

int placementOffset(double screenTwips, double factor, double windowTwips) {
    // std::nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(screenTwips * factor - windowTwips);
    return static_cast<int>(static_cast<long long>(rounded) / 2);
}

} // namespace marlek
