#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "stop_signals.h"
#include "wheel_choice.h"

#include "shared_state.h"
#include "wheel_report.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace marlek::cli {
namespace {

struct ReportOptions : WheelChoice {
    std::string out;
};

SharedState stateFor(const ReportOptions &options, const CLI::App &command) {
    SharedState state = stateForChoice(options, command, "report");
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
    addWheelChoiceOptions(*command, *options);
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
