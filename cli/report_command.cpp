#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "stop_signals.h"
#include "wheel_choice.h"
#include "wheel_input.h"

#include "number_text.h"
#include "wheel_report.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace marlek::cli {
namespace {

struct ReportOptions : WheelOptions {
    std::string out;
    std::string wheelFile;
};

ReportRequest requestFor(const ReportOptions &options, const CLI::App &command) {
    if (command.count("--wheel") == 0 && command.count("--full") == 0)
        throw UsageError("report: give --wheel I (a catalogued wheel), --full N (every "
                         "combination of N numbers) or --wheel-file FILE (a designed wheel)");
    ReportRequest request = requestForOptions(options, command, "report");
    if (command.count("--out") > 0 && options.out.empty())
        throw UsageError("--out: the file name is empty");
    return request;
}

// Writes the report's lines, given a sink, to standard output or all-or-nothing into --out.
template <typename WriteLines>
void writeLines(const ReportOptions &options, Io &io, WriteLines write) {
    if (options.out.empty()) {
        write([&io](std::string_view line) { writeOutputLine(io, line); });
        return;
    }
    const StopSignalScope stopSignals;
    try {
        AtomicOutputFile file(options.out);
        write([&file](std::string_view line) { file.writeLine(line); });
        file.commit();
    } catch (const StopRequested &stop) {
        throw Stopped("stopped by " + signalName(stop.signal()) + " before \"" + options.out +
                          "\" was complete; it is left as it was",
                      stop.signal());
    }
}

// A wheel file's report: every argument checked, the work of the proof bounded and the file
// opened before the proof, which a stop signal cuts short; then written.
void runWheelFileReport(const ReportOptions &options, const CLI::App &command, Io &io) {
    const WheelInput input = readWheelFileAt(options.wheelFile);
    const PlainWheel &wheel = input.wheel;
    if (wheel.kind != 5 && wheel.kind != 6)
        throw UsageError("--wheel-file: reports are for Pick 5 and Pick 6 wheels, and this "
                         "wheel has " +
                         counted(wheel.kind, "number", "numbers") + " a ticket");
    if (command.count("--kind") > 0 && options.kind != wheel.kind)
        throw UsageError("--kind: the wheel file holds a Pick " + plain(wheel.kind) + " wheel");
    // Cheap arguments first: the numbers and the --out name are checked before the proof.
    const ReportRequest request = designedRequest(wheel, options, command, input.listNumbers);
    if (command.count("--out") > 0 && options.out.empty())
        throw UsageError("--out: the file name is empty");
    const int drawn = wheel.guarantee.drawn - wheel.keys;
    requireProvable(reducedWheel(wheel), drawn, drawn);

    // The report tells the player the guarantee holds: a file is taken at its word only once
    // proven.
    const auto prove = [&wheel](const std::atomic<bool> *cancel) {
        if (!meetsGuarantee(wheel, 1, cancel)) {
            throwIfStopRequested();
            throw UsageError("--wheel-file: the wheel does not keep the " +
                             guaranteeText(wheel.guarantee) + " guarantee its file claims ('" +
                             kProgramName + " verify --wheel-file' shows what it keeps)");
        }
        throwIfStopRequested();
    };
    if (options.out.empty()) {
        prove(nullptr);
        writeReport(request, [&io](std::string_view line) { writeOutputLine(io, line); });
        return;
    }
    const StopSignalScope stopSignals;
    try {
        AtomicOutputFile file(options.out);
        prove(&workCancelled());
        writeReport(request, [&file](std::string_view line) { file.writeLine(line); });
        file.commit();
    } catch (const StopRequested &stop) {
        throw Stopped("stopped by " + signalName(stop.signal()) + " before \"" + options.out +
                          "\" was proven and written; it is left as it was",
                      stop.signal());
    }
}

void runReport(const ReportOptions &options, const CLI::App &command, Io &io) {
    if (command.count("--wheel-file") > 0) {
        runWheelFileReport(options, command, io);
        return;
    }
    if (command.count("--kind") == 0)
        throw UsageError("--kind is required");
    const ReportRequest request = requestFor(options, command);
    writeLines(options, io, [&request](const ReportSink &sink) { writeReport(request, sink); });
}

} // namespace

void addReportCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "report", "Write a wheel's report: its tickets with your numbers put in, line for line "
                  "as the desktop program's report window lists them.");
    auto options = std::make_shared<ReportOptions>();
    addKindOption(*command, options->kind, false)
        ->description("lotto kind: 5 for Pick 5, 6 for Pick 6 (with --wheel-file, the file's)");
    addWheelChoiceOptions(*command, *options);
    command
        ->add_option("--wheel-file", options->wheelFile,
                     "a designed or imported wheel: the wheel file FILE (a line \"K N T M\", "
                     "then one ticket a line), reported as a catalogued wheel is; with C key "
                     "numbers (\"K N T M C\"), the first C of --numbers are the keys; or a "
                     "ticket list (one ticket a line, e.g. \"01-02-03-04-05-06\"), played over "
                     "its own numbers unless --numbers gives others")
        ->type_name("FILE")
        ->excludes(command->get_option("--wheel"))
        ->excludes(command->get_option("--full"));
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
