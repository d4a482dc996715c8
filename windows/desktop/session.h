#pragma once
// What every window is given: the shared state, the desktop and the way to other windows.

#include "desktop.h"
#include "navigator.h"
#include "shared_state.h"
#include "uniform_random.h"

namespace marlek {

struct Session {
    SharedState &state;
    Desktop &desktop;
    Navigator &navigator;
    UniformRandom &random; // one generator for the whole run
};

} // namespace marlek
