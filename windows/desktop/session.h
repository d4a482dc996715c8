#pragma once
// What every window is given: what the run carries from window to window, the desktop and the
// way to other windows.

#include "desktop.h"
#include "navigator.h"
#include "run_carry_over.h"

namespace marlek {

struct Session {
    RunCarryOver &carried;
    Desktop &desktop;
    Navigator &navigator;
};

} // namespace marlek
