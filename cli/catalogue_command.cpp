// catalogue: the rows of a wheel catalogue as the catalogue window lists them, with the code each
// row plays.

#include "catalogue_rows.h"
#include "commands.h"
#include "options.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

namespace marlek::cli {
namespace {

struct CatalogueOptions {
    int kind = 0;
    std::string order = "initial";
};

void printCatalogue(const CatalogueOptions &options, Io &io) {
    const auto order = orderOfName(options.order);
    if (!order) // the option's check lets no other name through
        throw UsageError("--order: must be initial, cost, numbers or guarantee, not \"" +
                         options.order + "\"");
    for (const CatalogueRow &row : catalogueRows(options.kind, *order))
        writeOutputLine(io, std::to_string(row.itemData) + '\t' + std::string(row.text));
}

} // namespace

void addCatalogueCommand(CLI::App &app, Io &io) {
    auto options = std::make_shared<CatalogueOptions>();
    CLI::App *command = app.add_subcommand(
        "catalogue", "Print the rows of a wheel catalogue: the wheel code, a TAB, the row's text.");
    addKindOption(*command, options->kind);
    command
        ->add_option("--order", options->order,
                     "sort order: initial (the default), cost, numbers or guarantee")
        ->check(CLI::Validator(
            [](std::string &input) -> std::string {
                if (orderOfName(input))
                    return {};
                return "must be initial, cost, numbers or guarantee, not \"" + input + "\"";
            },
            "initial|cost|numbers|guarantee"));
    command->callback([options, &io] { printCatalogue(*options, io); });
}

} // namespace marlek::cli
