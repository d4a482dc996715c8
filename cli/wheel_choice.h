#pragma once
// The wheel a command plays, as report and check take it: --kind with --wheel I (a catalogued
// wheel) or --full N (every combination of N numbers), and --numbers; or --wheel-file (a designed
// wheel). The commands build the same ReportRequest the desktop program's number picker hands on.

#include "report_request.h"

#include <span>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace marlek::cli {

struct WheelOptions {
    int kind = 0;
    int wheel = -1;
    int full = 0;
    std::string numbers;
};

// Adds --wheel, --full and --numbers (not --kind, which each command adds as it needs it).
void addWheelChoiceOptions(CLI::App &command, WheelOptions &options);

// The request of that wheel over --numbers (1 to N when not given), checked before anything is
// written. Throws UsageError; `commandName` begins the message when neither --wheel nor --full is
// given.
ReportRequest requestForOptions(const WheelOptions &options, const CLI::App &command,
                                std::string_view commandName);

// The request of a designed wheel over --numbers (when not given, `ownNumbers` if there are any,
// else 1 to N).
ReportRequest designedRequest(const PlainWheel &wheel, const WheelOptions &options,
                              const CLI::App &command, std::span<const int> ownNumbers = {});

} // namespace marlek::cli
