#include "commands.h"
#include "options.h"
#include "verify_table.h"
#include "wheel_input.h"

#include "best_known.h"
#include "design_texts.h"
#include "number_text.h"
#include "wheel_verify.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace marlek::cli {
namespace {

struct VerifyOptions {
    int kind = 0;
    std::string wheelFile;
    int threads = 1;
};

std::string bestKnownText(int kind, int numbers, Guarantee guarantee) {
    const std::optional<int> best = bestKnownTickets(kind, numbers, guarantee);
    return best ? plain(*best) : "-";
}

} // namespace

std::vector<Wheel> cataloguedWheels(int kind) {
    std::vector<Wheel> wheels;
    for (const int k : {5, 6}) {
        if (kind != 0 && k != kind)
            continue;
        for (const int index : wheelIndexes(k))
            wheels.push_back(*findWheel(k, index));
    }
    return wheels;
}

bool writeVerifyTable(std::span<const Wheel> wheels, Io &io) {
    bool allOk = true;
    writeOutputLine(io, "kind\tindex\tnumbers\ttickets\tclaimed\tproven\tstatus\tbest_known");
    for (const Wheel &wheel : wheels) {
        const int proven = provenMatchCount(wheel);
        const bool ok = proven >= wheel.matchCount;
        allOk = allOk && ok;
        writeOutputLine(
            io, plain(wheel.kind) + '\t' + plain(wheel.index) + '\t' + plain(wheel.numbers) + '\t' +
                    plain(wheel.tickets) + '\t' + plain(wheel.matchCount) + '\t' + plain(proven) +
                    '\t' + (ok ? "ok" : "FAIL") + '\t' +
                    bestKnownText(wheel.kind, wheel.numbers, {wheel.matchCount, wheel.kind}));
    }
    return allOk;
}

bool writeWheelProofTable(const PlainWheel &wheel, int threads, Io &io) {
    bool ok = true;
    const int lastDrawn = std::min(wheel.numbers, std::max(wheel.kind, wheel.guarantee.drawn));
    // A draw that holds the c keys meets every ticket in them, and the rest of the draw meets
    // the rest of the ticket as in the wheel without the keys.
    const int keys = wheel.keys;
    const PlainWheel reduced = reducedWheel(wheel);
    requireProvable(reduced, 1, lastDrawn - keys);
    if (keys == 1)
        writeOutputLine(io, "key number 1 is in every ticket: the lines below count only the "
                            "draws that hold it");
    else if (keys > 1)
        writeOutputLine(io, "key numbers " + keyNumbersText(keys) +
                                " are in every ticket: the lines below count only the draws "
                                "that hold them all");
    writeOutputLine(io, "drawn\tproven\tclaimed\tstatus");
    for (int drawn = keys + 1; drawn <= lastDrawn; ++drawn) {
        const int proven =
            provenMatches(reduced.tickets, reduced.numbers, drawn - keys, threads) + keys;
        std::string line = plain(drawn) + '\t' + plain(proven) + '\t';
        if (drawn == wheel.guarantee.drawn) {
            ok = proven >= wheel.guarantee.matches && ticketsHoldKeys(wheel);
            line += plain(wheel.guarantee.matches) + '\t' + (ok ? "ok" : "FAIL");
        } else {
            line += '\t';
        }
        writeOutputLine(io, line);
    }
    return ok;
}

void addVerifyCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "verify", "Prove every catalogued wheel's guarantee, or a wheel file's, by checking every "
                  "way the winning numbers can fall among the wheel's numbers. Exit status 1 "
                  "when a wheel fails.");
    auto options = std::make_shared<VerifyOptions>();
    CLI::Option *kind = addKindOption(*command, options->kind, false)
                            ->description("only the wheels of this kind: 5 or 6");
    command
        ->add_option("--wheel-file", options->wheelFile,
                     "prove the wheel in FILE (a line \"K N T M\", then one ticket a line; or "
                     "a ticket list, one ticket a line, e.g. \"01-02-03-04-05-06\") instead of "
                     "the catalogue")
        ->type_name("FILE")
        ->excludes(kind);
    addThreadsOption(*command, options->threads);
    command->footer(
        "Output for the catalogue: kind, index, numbers, tickets, claimed, proven, status (ok or "
        "FAIL), best_known (the fewest tickets published for the claimed guarantee, - when not "
        "in the table), TAB-separated, one wheel a line.\n"
        "Output for a wheel file: drawn (M), proven (the most matches one ticket is sure to "
        "hold when M of the numbers are drawn), claimed and status on the line of the file's "
        "own M, TAB-separated, one line for each M from 1 to the larger of K and the file's M. "
        "A wheel with C key numbers (\"K N T M C\") is proven for the draws that hold the keys: a "
        "line first says so, and M starts at C + 1.\n"
        "Examples:\n"
        "  marlek-lotto-cli verify --kind 6\n"
        "  marlek-lotto-cli verify --wheel-file wheel20.txt");
    command->callback([options, command, &io] {
        const bool ok = command->count("--wheel-file") > 0
                            ? writeWheelProofTable(readWheelFileAt(options->wheelFile).wheel,
                                                   threadsToRun(options->threads), io)
                            : writeVerifyTable(cataloguedWheels(options->kind), io);
        if (!ok)
            io.exitStatus = 1;
    });
}

} // namespace marlek::cli
