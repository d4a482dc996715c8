#include "commands.h"
#include "history_command.h"
#include "options.h"
#include "wheel_choice.h"
#include "wheel_input.h"

#include "draw_check.h"
#include "wheel_report.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <memory>

namespace marlek::cli {
namespace {

struct CheckOptions : WheelOptions {
    std::string draw;
    std::string report;
    HistoryCheckOptions history; // check --history: every stored draw in place of one
};

std::string quoted(const std::string &path) {
    return '"' + path + '"';
}

// Feeds a saved report to the checker line by line, reading the file once from its start to its
// end, so a pipe, /dev/stdin or a FIFO is read like a file: CR LF or LF line ends, as the program
// writes them, the last line included. Throws IoFailure when the file cannot be read.
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

// The check's lines, held until the whole report was read, so a file that is not a whole report
// writes nothing: in memory up to a limit, beyond it in a temporary file that goes with the
// process (a full wheel's check can run to gigabytes).
class HeldLines {
public:
    HeldLines() = default;
    HeldLines(const HeldLines &) = delete;
    HeldLines &operator=(const HeldLines &) = delete;
    ~HeldLines() {
        if (m_spill)
            std::fclose(m_spill);
    }

    void add(std::string_view line) {
        m_held.append(line);
        m_held.push_back('\n');
        if (m_held.size() >= kHeldInMemory)
            spill();
    }

    void writeTo(Io &io) {
        if (m_spill) {
            spill();
            std::rewind(m_spill);
            std::array<char, 1 << 16> chunk{};
            std::string pending;
            std::size_t read = 0;
            while ((read = std::fread(chunk.data(), 1, chunk.size(), m_spill)) > 0) {
                pending.append(chunk.data(), read);
                writeWholeLines(io, pending);
            }
            if (std::ferror(m_spill))
                throw IoFailure("read back", "the check's temporary file", errno);
        }
        writeWholeLines(io, m_held);
    }

private:
    static constexpr std::size_t kHeldInMemory = std::size_t{64} << 20;

    void spill() {
        if (!m_spill && !(m_spill = std::tmpfile()))
            throw IoFailure("create", "a temporary file for the check", errno);
        if (std::fwrite(m_held.data(), 1, m_held.size(), m_spill) != m_held.size())
            throw IoFailure("write", "the check's temporary file", errno);
        m_held.clear();
    }
    // Writes every line `text` holds whole and keeps the part after the last line end.
    static void writeWholeLines(Io &io, std::string &text) {
        std::size_t at = 0;
        for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
            writeOutputLine(io, std::string_view(text).substr(at, end - at));
        text.erase(0, at);
    }

    std::string m_held;
    std::FILE *m_spill = nullptr;
};

void runCheck(const CheckOptions &options, const CLI::App &command, Io &io) {
    if (options.history.history)
        return runHistoryCheck(options.history, options, options.report, command, io);
    for (const char *name : {"--game", "--from", "--to", "--wheel-file", "--tickets", "--format"})
        if (command.count(name) > 0)
            throw UsageError(std::string(name) + " goes with --history (a check against every "
                                                 "stored draw)");
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
        HeldLines held;
        // A saved report may have been edited: its own tickets decide whether the guarantee
        // it states holds.
        DrawChecker checker(
            draw, [&held](std::string_view line) { held.add(line); }, GuaranteeProof::Proven,
            threadsToRun(0));
        feedReportFile(options.report, checker);
        held.writeTo(io);
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
    addHistoryCheckOptions(*command, options->history);
    command->footer("Examples:\n"
                    "  marlek-lotto-cli check --kind 5 --wheel 0 --numbers 3,11,17,25,33,40,42 "
                    "--draw 11,25,33,40,42\n"
                    "  marlek-lotto-cli check --report wheel14.txt --draw 2,9,14,21,30,44\n"
                    "  marlek-lotto-cli check --report wheel14.txt --history --game \"Lotto 6/49\" "
                    "--from 2020-01-01");
    command->callback([options, command, &io] { runCheck(*options, *command, io); });
}

} // namespace marlek::cli
