#include "commands.h"

#include <CLI/CLI.hpp>

namespace marlek::cli {

void addReportCommand(CLI::App &app, Io &) {
    app.add_subcommand("report", "(not built yet)");
}

} // namespace marlek::cli
