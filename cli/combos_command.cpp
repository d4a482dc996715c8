// marlek-lotto-cli combos: every combination of a field into text files, the same files as the
// generator window's "Save As".

#include "commands.h"

#include "combo_writer.h"
#include "options.h"
#include "stop_signals.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

namespace marlek::cli {
namespace {

struct CombosOptions {
    int kind = 6;
    std::int64_t fieldSize = 0;
    std::int64_t perFile = 400000;
    std::string out;
};

// A one-line bar on a terminal, redrawn in place at the writer's bounded rate.
class ProgressBar {
public:
    ProgressBar(std::ostream &err, std::int64_t total) : m_err(err), m_total(total) {}

    void show(std::int64_t written) {
        constexpr int kWidth = 40;
        const int percent = m_total > 0 ? static_cast<int>(written * 100 / m_total) : 100;
        const int filled = percent * kWidth / 100;
        m_err << "\rWriting combinations [" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << percent
              << "%" << std::flush;
        m_shown = true;
    }

    // Leaves the terminal line empty again for the messages that follow.
    void clear() {
        if (m_shown)
            m_err << "\r\x1b[K" << std::flush;
    }

private:
    std::ostream &m_err;
    std::int64_t m_total;
    bool m_shown = false;
};

void runCombos(const CombosOptions &options, Io &io) {
    if (options.out.empty())
        throw UsageError("--out: give the path of the first file");
    ComboRequest request;
    request.kind = options.kind;
    request.fieldSize = static_cast<int>(options.fieldSize);
    request.perFile = options.perFile;
    request.firstPath = options.out;

    const ComboFilePlan plan = planComboFiles(request.kind, request.fieldSize, request.perFile);
    ProgressBar bar(io.err, plan.total);
    ComboProgress progress;
    if (io.errIsTerminal)
        progress = [&bar](std::int64_t written) { bar.show(written); };
    ComboOutcome outcome;
    {
        const StopSignalScope stopSignals;
        outcome = writeComboFiles(request, progress);
    }
    bar.clear();

    const std::string failed = "\"" + outcome.failedPath + "\"";
    switch (outcome.failure) {
    case ComboFailure::none:
        break;
    case ComboFailure::sameFile:
    case ComboFailure::notAFile:
        throw UsageError("--out " + failed + ": " + outcome.reason +
                         "; choose another name (bad input, nothing was written)");
    case ComboFailure::folderBusy:
        throw IoFailure("cannot write into " + failed + ": " + outcome.reason +
                        " (nothing was written; wait until that run has ended or choose another "
                        "folder)");
    case ComboFailure::stopped:
        throw Stopped("stopped by " + signalName(outcome.signal) + " while writing " + failed +
                          " (" + filesKeptText(outcome.filesCompleted) + ")",
                      outcome.signal);
    case ComboFailure::writeFailed:
        throw IoFailure("write", outcome.failedPath,
                        outcome.reason + " (" + filesKeptText(outcome.filesCompleted) + ")");
    }
    // The names are streamed: with one ticket a file there are fifty million of them.
    writeOutputLine(io, std::to_string(outcome.plan.fileCount) + " Files Saved");
    for (std::int64_t ordinal = 1; ordinal <= outcome.plan.filesWritten(); ++ordinal)
        writeOutputLine(io, savedFileName(request.firstPath, ordinal));
}

} // namespace

void addCombosCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "combos", "Write every combination of a field into text files, the first at --out and "
                  "the others 1.txt, 2.txt, ... beside it; prints the files saved");
    auto options = std::make_shared<CombosOptions>();
    addKindOption(*command, options->kind);
    command->add_option("--field", options->fieldSize, "the lotto's field size N: numbers 1 to N")
        ->required()
        ->check(wholeNumberFrom(0, 60));
    command->add_option("--per-file", options->perFile, "combinations per file (default 400000)")
        ->check(wholeNumberFrom(1, 2147483647));
    command->add_option("--out", options->out, "the first file (used exactly as given)")
        ->required();
    command->footer("Example: " + std::string(kProgramName) +
                    " combos --kind 6 --field 49 --out pick6.txt\n"
                    "  (35 files: pick6.txt, then 1.txt to 34.txt in the same folder)");
    command->callback([options, &io] { runCombos(*options, io); });
}

} // namespace marlek::cli
