#include "commands.h"

#include <CLI/CLI.hpp>

namespace marlek::cli {

void addCatalogueCommand(CLI::App &app, Io &) {
    app.add_subcommand("catalogue", "(not built yet)");
}

} // namespace marlek::cli
