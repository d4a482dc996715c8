#include "commands.h"

#include <CLI/CLI.hpp>

namespace marlek::cli {

void addVerifyCommand(CLI::App &app, Io &) {
    app.add_subcommand("verify", "(not built yet)");
}

} // namespace marlek::cli
