#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "stop_signals.h"

#include "number_text.h"
#include "shared_state.h"
#include "wheel_report.h"
#include "wheel_tables.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace marlek::cli {
namespace {

struct ReportOptions {
    int kind = 0;
    int wheel = -1;
    int full = 0;
    std::string numbers;
    std::string out;
};

std::string indexesText(int kind) {
    return kind == 5 ? "0-14 and 25-33" : "0-14 and 25-37";
}

// The shared state the desktop program would hold for that choice, checked before anything is
// written.
SharedState stateFor(const ReportOptions &options, const CLI::App &command) {
    const bool catalogued = command.count("--wheel") > 0;
    const bool full = command.count("--full") > 0;
    if (!catalogued && !full)
        throw UsageError("report: give --wheel I (a catalogued wheel) or --full N (every "
                         "combination of N numbers)");

    SharedState state;
    for (int p = 1; p <= 60; ++p) // the default numbers are 1 to N, also beyond the desktop's 50
        state.picks[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p);
    if (catalogued) {
        const std::optional<Wheel> wheel = findWheel(options.kind, options.wheel);
        if (!wheel)
            throw UsageError("--wheel: Pick " + plain(options.kind) + " has no wheel " +
                             plain(options.wheel) + " (its wheels are " +
                             indexesText(options.kind) + ")");
        state.wheelMode = static_cast<std::int16_t>(options.kind);
        state.wheelIndex = static_cast<std::int16_t>(options.wheel);
        state.pickCount = static_cast<std::int16_t>(wheel->numbers);
        state.ticketCount = wheel->tickets;
    } else {
        if (options.full < options.kind)
            throw UsageError("--full: a full Pick " + plain(options.kind) + " wheel needs " +
                             plain(options.kind) + " to 60 numbers, not " + plain(options.full));
        state.wheelMode = static_cast<std::int16_t>(options.kind + 2);
        state.wheelIndex = -1;
        state.pickCount = static_cast<std::int16_t>(options.full);
        state.ticketCount = static_cast<std::int32_t>(combinations(options.full, options.kind));
    }

    if (!options.numbers.empty() || command.count("--numbers") > 0) {
        const std::vector<int> numbers =
            parseNumberList(options.numbers, "--numbers", state.pickCount, 1, 99);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            state.picks[i + 1] = static_cast<std::int16_t>(numbers[i]);
    }
    if (command.count("--out") > 0 && options.out.empty())
        throw UsageError("--out: the file name is empty");
    return state;
}

void runReport(const ReportOptions &options, const CLI::App &command, Io &io) {
    SharedState state = stateFor(options, command);
    if (options.out.empty()) {
        writeReport(state, [&io](std::string_view line) { writeOutputLine(io, line); });
        return;
    }
    const StopSignalScope stopSignals;
    try {
        AtomicOutputFile file(options.out);
        writeReport(state, [&file](std::string_view line) { file.writeLine(line); });
        file.commit();
    } catch (const StopRequested &stop) {
        throw Stopped("stopped by " + signalName(stop.signal()) + " before \"" + options.out +
                          "\" was complete; it is left as it was",
                      stop.signal());
    }
}

} // namespace

void addReportCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "report", "Write a wheel's report: its tickets with your numbers put in, line for line "
                  "as the desktop program's report window lists them.");
    auto options = std::make_shared<ReportOptions>();
    addKindOption(*command, options->kind);
    CLI::Option *wheel =
        command
            ->add_option("--wheel", options->wheel,
                         "catalogued wheel index: Pick 5 0-14 and 25-33, Pick 6 0-14 and 25-37 "
                         "(the catalogue command lists them)")
            ->check(wholeNumberFrom(0, 37))
            ->type_name("I");
    CLI::Option *full = command
                            ->add_option("--full", options->full,
                                         "full wheel: every K-number combination of N numbers, "
                                         "N from K to 60")
                            ->check(wholeNumberFrom(5, 60))
                            ->type_name("N");
    wheel->excludes(full);
    command
        ->add_option("--numbers", options->numbers,
                     "your numbers, comma-separated, exactly as many as the wheel plays, each "
                     "1 to 99, no repeats (default 1 to N)")
        ->type_name("LIST");
    command
        ->add_option("--out", options->out,
                     "write the report into FILE (lines end in CR LF, as the desktop program "
                     "saves it) instead of standard output; FILE is replaced only once the "
                     "report is written completely")
        ->type_name("FILE");
    command->footer("Examples:\n"
                    "  marlek-lotto-cli report --kind 5 --wheel 0 --numbers 3,11,17,25,33,40,42\n"
                    "  marlek-lotto-cli report --kind 6 --full 10 --out full-wheel.txt");
    command->callback([options, command, &io] { runReport(*options, *command, io); });
}

} // namespace marlek::cli
