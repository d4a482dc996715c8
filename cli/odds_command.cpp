#include "commands.h"

#include <CLI/CLI.hpp>

namespace marlek::cli {

void addOddsCommand(CLI::App &app, Io &) {
    app.add_subcommand("odds", "(not built yet)");
}

} // namespace marlek::cli
