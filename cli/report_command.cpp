#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "wheel_input.h"

#include "designed_report.h"
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
    std::string wheelFile;
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
        throw UsageError("report: give --wheel I (a catalogued wheel), --full N (every "
                         "combination of N numbers) or --wheel-file FILE (a designed wheel)");

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

// Writes the report's lines, given a sink, to standard output or all-or-nothing into --out.
template <typename WriteLines>
void writeLines(const ReportOptions &options, Io &io, WriteLines write) {
    if (options.out.empty()) {
        write([&io](std::string_view line) { writeOutputLine(io, line); });
        return;
    }
    AtomicOutputFile file(options.out);
    write([&file](std::string_view line) { file.writeLine(line); });
    file.commit();
}

// A wheel file's report, checked before anything is written.
void runWheelFileReport(const ReportOptions &options, const CLI::App &command, Io &io) {
    const PlainWheel wheel = readWheelFileAt(options.wheelFile);
    if (wheel.kind != 5 && wheel.kind != 6)
        throw UsageError("--wheel-file: reports are for Pick 5 and Pick 6 wheels, and this "
                         "wheel has " +
                         plain(wheel.kind) + " numbers a ticket");
    if (command.count("--kind") > 0 && options.kind != wheel.kind)
        throw UsageError("--kind: the wheel file holds a Pick " + plain(wheel.kind) + " wheel");
    std::vector<int> numbers(static_cast<std::size_t>(wheel.numbers));
    for (std::size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = static_cast<int>(i) + 1;
    if (command.count("--numbers") > 0)
        numbers = parseNumberList(options.numbers, "--numbers", wheel.numbers, 1, 99);
    if (command.count("--out") > 0 && options.out.empty())
        throw UsageError("--out: the file name is empty");
    writeLines(options, io,
               [&](const DesignedReportSink &sink) { writeDesignedReport(wheel, numbers, sink); });
}

void runReport(const ReportOptions &options, const CLI::App &command, Io &io) {
    if (command.count("--wheel-file") > 0) {
        runWheelFileReport(options, command, io);
        return;
    }
    if (command.count("--kind") == 0)
        throw UsageError("--kind is required");
    SharedState state = stateFor(options, command);
    writeLines(options, io, [&state](const ReportSink &sink) { writeReport(state, sink); });
}

} // namespace

void addReportCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "report", "Write a wheel's report: its tickets with your numbers put in, line for line "
                  "as the desktop program's report window lists them.");
    auto options = std::make_shared<ReportOptions>();
    addKindOption(*command, options->kind, false)
        ->description("lotto kind: 5 for Pick 5, 6 for Pick 6 (with --wheel-file, the file's)");
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
        ->add_option("--wheel-file", options->wheelFile,
                     "a designed or imported wheel: the wheel file FILE (a line \"K N T M\", "
                     "then one ticket a line), reported as a catalogued wheel is")
        ->type_name("FILE")
        ->excludes(wheel)
        ->excludes(full);
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
                    "  marlek-lotto-cli report --kind 6 --full 10 --out full-wheel.txt\n"
                    "  marlek-lotto-cli report --wheel-file wheel20.txt --numbers "
                    "2,5,8,11,13,17,19,21,24,28,30,32,35,37,40,41,43,45,47,49");
    command->callback([options, command, &io] { runReport(*options, *command, io); });
}

} // namespace marlek::cli
