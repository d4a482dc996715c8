#pragma once
// The wheel a command plays, as report and check take it: --kind with --wheel I (a catalogued
// wheel) or --full N (every combination of N numbers), and --numbers.

#include "shared_state.h"

#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace marlek::cli {

struct WheelChoice {
    int kind = 0;
    int wheel = -1;
    int full = 0;
    std::string numbers;
};

// Adds --wheel, --full and --numbers (not --kind, which each command adds as it needs it).
void addWheelChoiceOptions(CLI::App &command, WheelChoice &choice);

// The shared state the desktop program would hold for that choice, checked before anything is
// written. Throws UsageError; `commandName` begins the message when neither --wheel nor --full is
// given.
SharedState stateForChoice(const WheelChoice &choice, const CLI::App &command,
                           std::string_view commandName);

} // namespace marlek::cli
