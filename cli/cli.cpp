#include "commands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <ostream>

namespace marlek::cli {
namespace {

int fail(Io &io, int status, const char *message) {
    io.err << kProgramName << ": " << message << '\n';
    io.err.flush();
    return status;
}

std::string commandNames(CLI::App &app) {
    std::string names;
    for (const CLI::App *command : app.get_subcommands([](CLI::App *) { return true; }))
        names += (names.empty() ? "" : ", ") + command->get_name();
    return names;
}

// Help wins over everything else on the line, so "report --kind 9 --help" still shows the usage.
// Yields the command whose help is asked for (the program itself without one), or nothing.
std::optional<CLI::App *> helpAskedFor(CLI::App &app, const std::vector<std::string> &args) {
    const auto end = std::find(args.begin(), args.end(), "--"); // after it, words are values
    if (std::find_if(args.begin(), end,
                     [](const std::string &arg) { return arg == "--help" || arg == "-h"; }) == end)
        return std::nullopt;
    for (auto arg = args.begin(); arg != end; ++arg) {
        for (CLI::App *command : app.get_subcommands([](CLI::App *) { return true; }))
            if (command->get_name() == *arg)
                return command;
    }
    return &app;
}

// The command word comes first; a misspelt one gets a message that lists the real ones.
void checkCommandWord(CLI::App &app, const std::vector<std::string> &args) {
    if (args.empty())
        throw UsageError("no command given (commands: " + commandNames(app) + "); run '" +
                         std::string(kProgramName) + " --help' for more");
    if (args.front().starts_with('-')) // the program has no options of its own but --help
        throw UsageError("unknown option \"" + args.front() + "\" before the command; run '" +
                         std::string(kProgramName) + " --help' for the commands");
    for (const CLI::App *command : app.get_subcommands([](CLI::App *) { return true; }))
        if (command->get_name() == args.front())
            return;
    throw UsageError("unknown command \"" + args.front() + "\" (commands: " + commandNames(app) +
                     ")");
}

} // namespace

void writeOutputLine(Io &io, std::string_view line) {
    io.out.write(line.data(), static_cast<std::streamsize>(line.size()));
    io.out.put('\n');
    if (!io.out)
        throw IoFailure("cannot write to standard output");
}

int run(const std::vector<std::string> &args, Io io) {
    CLI::App app{"Marlek's Lotto Software on the command line: wheel reports, proofs of the "
                 "wheels' guarantees, catalogues, all-combinations files and odds tables.",
                 kProgramName};
    app.require_subcommand(1);
    app.footer("Run '" + std::string(kProgramName) +
               " COMMAND --help' for a command's options and an example.\n"
               "Exit status: 0 done, 1 a file could not be written (or verify found a failing "
               "wheel), 2 a mistake in the command line.");
    addReportCommand(app, io);
    addVerifyCommand(app, io);
    addDesignCommand(app, io);
    addCatalogueCommand(app, io);
    addCombosCommand(app, io);
    addOddsCommand(app, io);

    if (const std::optional<CLI::App *> command = helpAskedFor(app, args)) {
        io.out << (*command)->help();
        io.out.flush();
        return io.out ? 0 : 1;
    }

    std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them back to front
    try {
        checkCommandWord(app, args);
        app.parse(reversed);
    } catch (const CLI::CallForHelp &) {
        const auto chosen = app.get_subcommands();
        io.out << (chosen.empty() ? app.help() : chosen.front()->help());
        io.out.flush();
        return 0;
    } catch (const CLI::CallForAllHelp &) {
        io.out << app.help("", CLI::AppFormatMode::All);
        io.out.flush();
        return 0;
    } catch (const CLI::ParseError &error) {
        return fail(io, 2, error.what());
    } catch (const UsageError &error) {
        return fail(io, 2, error.what());
    } catch (const IoFailure &error) {
        io.out.flush();
        return fail(io, 1, error.what());
    }
    io.out.flush();
    if (!io.out)
        return fail(io, 1, "cannot write to standard output");
    return io.exitStatus;
}

} // namespace marlek::cli
