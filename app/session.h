#pragma once
// What every window is given: the shared state, the desktop and the way to other windows.

#include "desktop.h"
#include "navigator.h"
#include "shared_state.h"

namespace marlek {

struct Session {
    SharedState &state;
    Desktop &desktop;
    Navigator &navigator;
};

} // namespace marlek
