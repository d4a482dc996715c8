#include "commands.h"
#include "options.h"
#include "wheel_choice.h"

#include "draw_check.h"
#include "wheel_report.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cerrno>
#include <fstream>
#include <memory>

namespace marlek::cli {
namespace {

struct CheckOptions : WheelOptions {
    std::string draw;
    std::string report;
};

std::string quoted(const std::string &path) {
    return '"' + path + '"';
}

// Feeds a saved report to the checker line by line: CR LF or LF line ends, as the program writes
// them, the last line included. Throws IoFailure when the file cannot be read.
void feedReportFile(const std::string &path, DrawChecker &checker) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw IoFailure("read", path, errno);
    // Far longer than any report line: a file without line ends is refused, not read whole.
    std::array<char, 4096> line{};
    while (file.getline(line.data(), line.size())) {
        if (file.eof()) // the last line has no line end: the file was cut short
            throw ReportLineError(checker.linesRead() + 1,
                                  "the line has no line end: the file ends in the middle of it");
        checker.feed(std::string_view(line.data(), static_cast<std::size_t>(file.gcount() - 1)));
    }
    if (file.bad())
        throw IoFailure("read", path, errno);
    if (file.gcount() == static_cast<std::streamsize>(line.size() - 1))
        throw ReportLineError(checker.linesRead() + 1, "the line is longer than any report line");
    if (file.gcount() > 0)
        throw ReportLineError(checker.linesRead() + 1,
                              "the line has no line end: the file ends in the middle of it");
    checker.finish();
}

void runCheck(const CheckOptions &options, const CLI::App &command, Io &io) {
    const bool fromFile = command.count("--report") > 0;
    if (fromFile && options.report.empty())
        throw UsageError("--report: the file name is empty");
    if (!fromFile && command.count("--kind") == 0)
        throw UsageError("check: give --report FILE (a saved report), or --kind K with --wheel I "
                         "or --full N");
    if (command.count("--draw") == 0)
        throw UsageError("check: give the drawn numbers with --draw, e.g. --draw 3,11,17,25,33");

    const auto printLine = [&io](std::string_view line) { writeOutputLine(io, line); };
    try {
        if (!fromFile) {
            const ReportRequest request = requestForOptions(options, command, "check");
            const std::vector<int> draw = parseDraw(options.draw, options.kind);
            writeDrawCheck(request, draw, printLine);
            return;
        }
        const std::vector<int> draw = parseDraw(options.draw, 0);
        // Read once without a word, so a file that is not a whole report writes nothing.
        DrawChecker trial(draw, [](std::string_view) {});
        feedReportFile(options.report, trial);
        DrawChecker checker(draw, printLine);
        feedReportFile(options.report, checker);
    } catch (const DrawError &error) {
        throw UsageError("--draw: " + std::string(error.what()));
    } catch (const ReportLineError &error) {
        throw UsageError(quoted(options.report) +
                         " is not a report as this program saves it: " + error.what());
    }
}

} // namespace

void addCheckCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "check", "Check a draw against a wheel's tickets: every ticket with the numbers it hit, "
                 "how many tickets hit how many, and whether the guarantee applied and held; "
                 "line for line as the desktop program's check document.");
    auto options = std::make_shared<CheckOptions>();
    CLI::Option *kind = addKindOption(*command, options->kind, false);
    addWheelChoiceOptions(*command, *options);
    command
        ->add_option("--draw", options->draw,
                     "the drawn numbers, 5 for Pick 5 and 6 for Pick 6, separated by commas, "
                     "each 1 to 99, no repeats")
        ->type_name("LIST");
    CLI::Option *report =
        command
            ->add_option("--report", options->report,
                         "check the report saved in FILE (by the program's Save As or by "
                         "report --out) instead of a wheel given by --kind")
            ->type_name("FILE");
    for (const char *name : {"--wheel", "--full", "--numbers"})
        report->excludes(command->get_option(name));
    report->excludes(kind);
    command->footer("Examples:\n"
                    "  marlek-lotto-cli check --kind 5 --wheel 0 --numbers 3,11,17,25,33,40,42 "
                    "--draw 11,25,33,40,42\n"
                    "  marlek-lotto-cli check --report wheel14.txt --draw 2,9,14,21,30,44");
    command->callback([options, command, &io] { runCheck(*options, *command, io); });
}

} // namespace marlek::cli
