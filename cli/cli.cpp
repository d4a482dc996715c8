#include "commands.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace marlek::cli {

int run(const std::vector<std::string> &args, Io io) {
    CLI::App app{"Marlek's Lotto Software on the command line: wheel reports, proofs of the "
                 "wheels' guarantees, catalogues, all-combinations files and odds tables.",
                 kProgramName};
    app.require_subcommand(1);
    addReportCommand(app, io);
    addVerifyCommand(app, io);
    addCatalogueCommand(app, io);
    addCombosCommand(app, io);
    addOddsCommand(app, io);

    std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them back to front
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp &) {
        io.out << (app.get_subcommands().empty() ? app.help() : app.get_subcommands().front()->help());
        return 0;
    } catch (const CLI::CallForAllHelp &) {
        io.out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError &error) {
        io.err << kProgramName << ": " << error.what() << '\n';
        return 2;
    } catch (const UsageError &error) {
        io.err << kProgramName << ": " << error.what() << '\n';
        return 2;
    } catch (const IoFailure &error) {
        io.out.flush();
        io.err << kProgramName << ": " << error.what() << '\n';
        return 1;
    }
    io.out.flush();
    if (!io.out) {
        io.err << kProgramName << ": cannot write to standard output\n";
        return 1;
    }
    return 0;
}

} // namespace marlek::cli
