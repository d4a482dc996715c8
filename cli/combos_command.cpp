#include "commands.h"

#include <CLI/CLI.hpp>

namespace marlek::cli {

void addCombosCommand(CLI::App &app, Io &) {
    app.add_subcommand("combos", "(not built yet)");
}

} // namespace marlek::cli
