#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "wheel_input.h"

#include "best_known.h"
#include "design_texts.h"
#include "lower_bound.h"
#include "number_text.h"
#include "orbit_search.h"
#include "stop_signals.h"
#include "wheel_designer.h"
#include "wheel_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

namespace marlek::cli {
namespace {

struct DesignOptions {
    int kind = 0;
    int numbers = 0;
    std::string guarantee;
    std::int64_t seconds = 10;
    std::int64_t seed = 1;
    int threads = 1;
    int tickets = 0; // 0: as few as keep the guarantee
    int keys = 0;
    std::string orbit;       // "H/B": only wheels of B base tickets, each turned H times
    bool freshStart = false; // leave the known wheels out of the starts
    std::string out;
};

// Two whole numbers around a slash, "3/6", into first and second.
bool parseSlashPair(const std::string &text, std::int64_t &first, std::int64_t &second) {
    const std::size_t slash = text.find('/');
    return slash != std::string::npos && parseWholeNumber(text.substr(0, slash), first) &&
           parseWholeNumber(text.substr(slash + 1), second);
}

// "T/M", e.g. "3/6".
Guarantee guaranteeOf(const std::string &text) {
    std::int64_t matches = 0;
    std::int64_t drawn = 0;
    if (!parseSlashPair(text, matches, drawn) || matches > 64 || drawn > 64)
        throw UsageError("--guarantee: give it as T/M, e.g. 3/6 for \"3 of 6\" (at least 3 of "
                         "any 6 numbers drawn on one ticket), not \"" +
                         text + "\"");
    return {static_cast<int>(matches), static_cast<int>(drawn)};
}

// "H/B" or "H/B/S", e.g. "10/1" or "3/8/1".
OrbitRequest orbitRequestOf(const DesignOptions &options) {
    std::int64_t cycle = 0;
    std::int64_t baseTickets = 0;
    std::int64_t stillTickets = 0;
    const std::size_t lastSlash = options.orbit.rfind('/');
    const bool withStill = std::count(options.orbit.begin(), options.orbit.end(), '/') == 2;
    if (!parseSlashPair(withStill ? options.orbit.substr(0, lastSlash) : options.orbit, cycle,
                        baseTickets) ||
        (withStill && !parseWholeNumber(options.orbit.substr(lastSlash + 1), stillTickets)) ||
        cycle > 64 || baseTickets > 100'000 || stillTickets > 100'000)
        throw UsageError("--orbit: give it as H/B or H/B/S, e.g. 10/1 for one base ticket turned "
                         "10 times, not \"" +
                         options.orbit + "\"");
    if (options.tickets > 0)
        throw UsageError("--orbit and --tickets cannot be given together");
    if (options.keys > 0)
        throw UsageError("--orbit and --keys cannot be given together");
    if (options.freshStart)
        throw UsageError("--orbit and --fresh-start cannot be given together");
    OrbitRequest request;
    request.kind = options.kind;
    request.numbers = options.numbers;
    request.guarantee = guaranteeOf(options.guarantee);
    request.cycle = static_cast<int>(cycle);
    request.baseTickets = static_cast<int>(baseTickets);
    request.stillTickets = static_cast<int>(stillTickets);
    if (const std::string problem = orbitProblem(request); !problem.empty())
        throw UsageError("design: " + problem);
    request.timeBudget = std::chrono::seconds(options.seconds);
    request.seed = static_cast<std::uint64_t>(options.seed);
    return request;
}

// A turn search: its wheel, proven, or nothing in the time.
DesignResult searchOrbits(const OrbitRequest &request) {
    const auto begin = std::chrono::steady_clock::now();
    DesignResult result;
    result.wheel = searchOrbitWheel(request, &workCancelled());
    result.cancelled = workCancelled();
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - begin);
    result.allDraws = choose(request.numbers, request.guarantee.drawn);
    result.coveredDraws = result.wheel ? result.allDraws : 0;
    return result;
}

// One line: what was found (or, held back by --tickets, the share of the draws it keeps), the
// best known and the catalogue's count beside it, and the time. A key wheel is compared as the
// wheel without its keys, which has as many tickets.
std::string summaryOf(const DesignResult &result) {
    const PlainWheel &wheel = *result.wheel;
    const PlainWheel compared = reducedWheel(wheel);
    const std::optional<int> best =
        bestKnownTickets(compared.kind, compared.numbers, compared.guarantee);
    const std::optional<int> catalogued =
        cataloguedTickets(compared.kind, compared.numbers, compared.guarantee);
    std::string text =
        counted(static_cast<std::int64_t>(wheel.tickets.size()), "ticket", "tickets") + " for " +
        shapeText(wheel);
    if (wheel.keys > 0)
        text += (wheel.keys == 1 ? ", key number " : ", key numbers ") +
                keyNumbersText(wheel.keys) + " in every ticket";
    if (!result.keepsGuarantee())
        text += ": " + coverageText(result);
    else
        text += wheel.keys > 0 ? ", proven for the draws that hold the keys" : ", proven";
    text += "; ";
    if (wheel.keys > 0)
        text += "without the keys " + shapeText(compared) + ": ";
    const LowerBound bound = lowerBound(compared.kind, compared.numbers, compared.guarantee);
    const bool atBound = result.keepsGuarantee() && wheel.tickets.size() <= bound.tickets;
    return text + "best known " + (best ? std::to_string(*best) : "not in the table") +
           "; catalogue " + (catalogued ? std::to_string(*catalogued) : "has no such wheel") +
           "; lower bound " + std::to_string(bound.tickets) +
           (atBound ? " (met: no wheel is smaller)" : "") +
           (result.source.empty() ? "" : "; from " + result.source) + "; " +
           elapsedText(result.elapsed) + (result.cancelled ? " (stopped early)" : "");
}

DesignRequest requestFor(const DesignOptions &options) {
    DesignRequest request;
    request.kind = options.kind;
    request.numbers = options.numbers;
    request.guarantee = guaranteeOf(options.guarantee);
    request.keys = options.keys;
    if (const std::string problem = designProblem(request); !problem.empty())
        throw UsageError("design: " + problem);
    request.timeBudget = std::chrono::seconds(options.seconds);
    request.seed = static_cast<std::uint64_t>(options.seed);
    request.threads = threadsToRun(options.threads);
    request.ticketBudget = options.tickets;
    aimAtKnownWheels(request);
    if (options.freshStart) {
        request.starts.clear();
        request.constructions = false;
        request.designedJoins = false; // their parts start from the known wheels too
    }
    return request;
}

void runDesign(const DesignOptions &options, const CLI::App &command, Io &io) {
    const bool orbits = !options.orbit.empty();
    const std::optional<OrbitRequest> orbitRequest =
        orbits ? std::optional(orbitRequestOf(options)) : std::nullopt;
    const DesignRequest request = orbits ? DesignRequest{} : requestFor(options);
    if (command.count("--out") > 0 && options.out.empty())
        throw UsageError("--out: the file name is empty");
    // Opened before the search, so a folder that cannot take the file is said before the wait.
    std::optional<AtomicOutputFile> file;
    if (!options.out.empty())
        file.emplace(options.out);

    DesignProgressCallback progress;
    if (io.errIsTerminal)
        progress = [&io](const DesignProgress &report) {
            io.err << "\rdesigning: " << elapsedText(report.elapsed) << ", best so far "
                   << (report.bestTickets > 0 ? counted(report.bestTickets, "ticket", "tickets")
                                              : std::string("none yet"))
                   << "   " << std::flush;
        };
    DesignResult result;
    if (orbitRequest) {
        result = searchOrbits(*orbitRequest);
    } else {
        result = designWheel(request, &workCancelled(), progress);
        if (io.errIsTerminal)
            io.err << '\n';
    }
    throwIfStopRequested();
    if (!result.wheel)
        throw IoFailure(result.cancelled
                            ? "design: interrupted before the first wheel was found"
                            : "design: no wheel found in " + elapsedText(result.elapsed) +
                                  (orbits ? "; give it more --seconds or another --orbit"
                                          : "; give it more --seconds"));

    const std::string summary = summaryOf(result);
    if (!file) {
        // The wheel file on standard output, so the summary goes to standard error.
        writeWheelFile(*result.wheel, [&io](std::string_view line) { writeOutputLine(io, line); });
        io.err << summary << '\n';
        return;
    }
    writeWheelFile(*result.wheel, [&file](std::string_view line) { file->writeLine(line); });
    file->commit();
    writeOutputLine(io, summary);
}

// Ctrl-C ends the search early and the best wheel found by then is still proven and written;
// SIGTERM and SIGHUP end it too, but write nothing: the temporary file goes at once.
void runDesignUntilStopped(const DesignOptions &options, const CLI::App &command, Io &io) {
    const StopSignalScope stopSignals(StopSignalScope::CtrlC::finishesEarly);
    try {
        runDesign(options, command, io);
    } catch (const StopRequested &stop) {
        throw Stopped("stopped by " + signalName(stop.signal()) + " before " +
                          (options.out.empty()
                               ? std::string("the wheel was written")
                               : "\"" + options.out + "\" was written; it is left as it was"),
                      stop.signal());
    }
}

} // namespace

void addDesignCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "design", "Design a small wheel for any guarantee, prove it, and compare it with the "
                  "best known, the catalogue and the lower bound. The wheel file goes to --out "
                  "(lines end in CR "
                  "LF) and the summary line to standard output, or the wheel file to standard "
                  "output and the summary to standard error.");
    auto options = std::make_shared<DesignOptions>();
    addKindOption(*command, options->kind);
    command->add_option("--numbers", options->numbers, "N, the numbers you play: K to 49")
        ->required()
        ->check(wholeNumberFrom(1, kMaxWheelNumbers))
        ->type_name("N");
    command
        ->add_option("--guarantee", options->guarantee,
                     "T/M: at least T numbers on one ticket whenever M of your numbers are drawn, "
                     "e.g. 3/6")
        ->required()
        ->type_name("T/M");
    command
        ->add_option("--seconds", options->seconds,
                     "time the design takes, its proof included, 1 to 86400 (default 10); it "
                     "ends sooner when it reaches the best known or the lower bound")
        ->check(wholeNumberFrom(1, 86400))
        ->type_name("S");
    command
        ->add_option("--seed", options->seed,
                     "seed of the search (default 1): the same seed and threads give the same "
                     "search")
        ->check(wholeNumberFrom(0, std::numeric_limits<std::int64_t>::max()))
        ->type_name("X");
    addThreadsOption(*command, options->threads);
    command
        ->add_option("--tickets", options->tickets,
                     "buy at most B tickets; when no wheel that small keeps the guarantee, the "
                     "wheel that keeps it for the most draws, and the share of the draws it keeps")
        ->check(wholeNumberFrom(1, kMaxDesignTickets))
        ->type_name("B");
    command
        ->add_option("--keys", options->keys,
                     "key numbers: put the numbers 1 to C in every ticket, fewer than T of them; "
                     "the guarantee then holds for the draws that hold all C, with fewer tickets")
        ->check(wholeNumberFrom(0, kMaxWheelKind))
        ->type_name("C");
    command
        ->add_option("--orbit", options->orbit,
                     "search only wheels with a turn symmetry: the numbers 1 to H·R in R rings "
                     "of H that turn together (the rest stay put), and B base tickets, each with "
                     "its H turns, and S still tickets made of whole rings and numbers that "
                     "stay put (none unless given); ends at the first wheel that keeps the "
                     "guarantee")
        ->type_name("H/B[/S]");
    command->add_flag("--fresh-start", options->freshStart,
                      "start from a greedy wheel, not from the catalogue's or the program's own "
                      "wheel: a few short searches from fresh starts, each with its own seed, "
                      "may find a smaller wheel where a long search from a known one stays stuck");
    command
        ->add_option("--out", options->out,
                     "write the wheel file into FILE; FILE is replaced only once it is written "
                     "completely")
        ->type_name("FILE");
    command->footer("The wheel file: a line \"K N T M\" (\"K N T M C\" with key numbers), then one "
                    "ticket a line.\n"
                    "Example:\n"
                    "  marlek-lotto-cli design --kind 6 --numbers 20 --guarantee 3/6 --out "
                    "wheel20.txt\n"
                    "  marlek-lotto-cli design --kind 6 --numbers 20 --guarantee 3/6 --tickets 8\n"
                    "  marlek-lotto-cli design --kind 6 --numbers 20 --guarantee 3/6 --keys 1");
    command->callback([options, command, &io] { runDesignUntilStopped(*options, *command, io); });
}

} // namespace marlek::cli
