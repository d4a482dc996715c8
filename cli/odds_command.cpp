#include "commands.h"
#include "options.h"

#include "odds_rows.h"

#include <CLI/CLI.hpp>

namespace marlek::cli {

// odds --kind K: the total-odds table of the Odds menu, as text: the header line, then every item
// of the window's list, one a line.
void addOddsCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "odds", "Print the total-odds table of Pick K: the count of different tickets for every "
                "field size up to 60.");
    command->footer("Example: " + std::string(kProgramName) + " odds --kind 6");
    auto kind = std::make_shared<int>(0);
    addKindOption(*command, *kind);
    command->callback([&io, kind] {
        const std::vector<std::string> items = oddsListItems(*kind);
        writeOutputLine(io, kOddsHeader);
        for (const std::string &item : items)
            writeOutputLine(io, item);
    });
}

} // namespace marlek::cli
