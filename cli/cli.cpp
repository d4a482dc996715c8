#include "commands.h"

#include "shown_text.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <ostream>

namespace marlek::cli {
namespace {

int fail(Io &io, int status, std::string_view message) {
    // Every value a message repeats is shown safe, whoever built the message.
    io.err << kProgramName << ": " << shownText(message) << '\n';
    io.err.flush();
    return status;
}

// The system's reason for a failed write to standard output, when the stream left one in errno.
std::string standardOutputFailure(int error) {
    std::string message = "cannot write to standard output";
    if (error != 0)
        message += ": " + systemReason(error);
    return message;
}

// CLI11 lists unexpected words back to front when handed the arguments reversed; this lists them
// in the order given.
std::string extrasMessage(const CLI::App &app) {
    const std::vector<std::string> extras = app.remaining(true);
    std::string message = extras.size() > 1 ? "The following arguments were not expected:"
                                            : "The following argument was not expected:";
    for (const std::string &extra : extras)
        message += " " + extra;
    return message;
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
    // The innermost command named ("history import --help" shows import's help).
    CLI::App *shown = &app;
    for (auto arg = args.begin(); arg != end; ++arg) {
        for (CLI::App *command : shown->get_subcommands([](CLI::App *) { return true; }))
            if (command->get_name() == *arg) {
                shown = command;
                break;
            }
    }
    return shown;
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
    errno = 0;
    io.out.write(line.data(), static_cast<std::streamsize>(line.size()));
    io.out.put('\n');
    if (!io.out)
        throw IoFailure(standardOutputFailure(errno));
}

int run(const std::vector<std::string> &args, Io io) {
    CLI::App app{"Marlek's Lotto Software on the command line: wheel reports, proofs of the "
                 "wheels' guarantees, catalogues, all-combinations files, odds tables and "
                 "checks of a draw against a wheel's tickets, the games you play, what a wheel wins in them and "
                 "their past draws.",
                 kProgramName};
    app.require_subcommand(1);
    app.footer("Run '" + std::string(kProgramName) +
               " COMMAND --help' for a command's options and an example.\n"
               "Exit status: 0 done, 1 a file could not be read or written (or verify found a "
               "failing wheel), 2 a mistake in the command line, 128 + the signal when stopped "
               "while writing files (130 for Ctrl+C).");
    addReportCommand(app, io);
    addVerifyCommand(app, io);
    addDesignCommand(app, io);
    addCatalogueCommand(app, io);
    addCombosCommand(app, io);
    addOddsCommand(app, io);
    addCheckCommand(app, io);
    addGamesCommand(app, io);
    addWinsCommand(app, io);
    addHistoryCommand(app, io);

    if (const std::optional<CLI::App *> command = helpAskedFor(app, args)) {
        errno = 0;
        io.out << (*command)->help();
        io.out.flush();
        return io.out ? 0 : fail(io, 1, standardOutputFailure(errno));
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
    } catch (const CLI::ExtrasError &) {
        return fail(io, 2, extrasMessage(app));
    } catch (const CLI::ParseError &error) {
        return fail(io, 2, error.what());
    } catch (const UsageError &error) {
        return fail(io, 2, error.what());
    } catch (const IoFailure &error) {
        io.out.flush();
        return fail(io, 1, error.what());
    } catch (const Stopped &stopped) {
        io.out.flush();
        return fail(io, 128 + stopped.signal, stopped.what());
    }
    errno = 0;
    io.out.flush();
    if (!io.out)
        return fail(io, 1, standardOutputFailure(errno));
    return io.exitStatus;
}

} // namespace marlek::cli
