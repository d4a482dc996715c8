#pragma once
// marlek-lotto-cli: the core of Marlek's Lotto Software for scripts and terminals.
//
// Rules every command keeps:
// - Lines on standard output end with LF; files written with --out are byte-identical to what the
//   desktop program saves (ASCII, every line ends CR LF).
// - Bad input (unknown command or option, missing or non-numeric value, value out of range, wrong
//   count of numbers, a repeated number, an index that names no wheel): throw UsageError before
//   anything is written: exit 2, one message on standard error, nothing on standard output, no file
//   created or changed.
// - I/O failure: throw IoFailure with a message naming the path and the operating system's reason:
//   exit 1. Files are written under a temporary name and put in place only when complete
//   (file_output.h), so --out never leaves a half-written file.
// - Ctrl+C, SIGTERM, SIGHUP while files are written: throw Stopped with a message that says what
//   was kept: exit 128 + the signal (130 for Ctrl+C).
// - Every message goes through shownText (shown_text.h) on its way out, so no value it repeats can
//   break its line or steer the terminal; a value read from a file is shown so where the message
//   is built, since a NUL byte would cut the message short there.
// - Options take their value as the next word (--kind 5); --kind is required by every command but
//   verify, check --report and a report of a wheel file (whose kind the file gives). --help, alone
//   or after a command, prints usage on standard output and exits 0.

#include "file_output.h"

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace marlek::cli {

inline constexpr const char *kProgramName = "marlek-lotto-cli";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file or standard output that could not be written: "cannot write \"PATH\": REASON".
using IoFailure = FileError;

// A stop signal ended the command; the message says what was kept.
struct Stopped : std::runtime_error {
    Stopped(const std::string &message, int signal) : std::runtime_error(message), signal(signal) {}
    int signal;
};

// Where a command writes; errIsTerminal says whether a progress display may go to err.
struct Io {
    std::ostream &out;
    std::ostream &err;
    bool errIsTerminal = false;
    // A command that ran to its end but found something wrong (verify: a wheel that fails) sets 1.
    int exitStatus = 0;
};

// One line on standard output, ending in LF. Throws IoFailure when standard output cannot be
// written (a full disk behind a redirection), so a long output stops at the first failure.
void writeOutputLine(Io &io, std::string_view line);

// Shared helpers: cli/options.h (--kind, whole numbers, number lists) and cli/output_file.h
// (buffered and all-or-nothing files).

// Each adds one subcommand whose callback does the work (and throws the errors above).
void addReportCommand(CLI::App &app, Io &io);
void addVerifyCommand(CLI::App &app, Io &io);
void addDesignCommand(CLI::App &app, Io &io);
void addCatalogueCommand(CLI::App &app, Io &io);
void addCombosCommand(CLI::App &app, Io &io);
void addOddsCommand(CLI::App &app, Io &io);
void addCheckCommand(CLI::App &app, Io &io);
void addGamesCommand(CLI::App &app, Io &io);
void addWinsCommand(CLI::App &app, Io &io);
void addHistoryCommand(CLI::App &app, Io &io);

// Parses the arguments (without the program name), runs the command and returns the exit status.
int run(const std::vector<std::string> &args, Io io);

} // namespace marlek::cli
