#pragma once
// The draw history on the command line: "history import" and "history list", and the part of
// "check" that checks tickets against every stored draw (check --history).

#include "commands.h"
#include "output_format.h"
#include "wheel_choice.h"

#include <string>

namespace marlek::cli {

// What check --history takes beside the wheel options check has.
struct HistoryCheckOptions {
    bool history = false;
    std::string game;
    std::string from;
    std::string to;
    std::string wheelFile;
    std::string tickets;
    OutputFormat format = OutputFormat::text;
};

// Adds --history, --game, --from, --to, --wheel-file, --tickets and --format to check.
void addHistoryCheckOptions(CLI::App &check, HistoryCheckOptions &options);

// check --history: the tickets of --report, --wheel-file with --numbers, --tickets, or --kind with
// --wheel or --full, against the game's stored draws from --from to --to.
void runHistoryCheck(const HistoryCheckOptions &options, const WheelOptions &wheel,
                     const std::string &report, const CLI::App &command, Io &io);

} // namespace marlek::cli
