#include "commands.h"
#include "options.h"
#include "verify_table.h"

#include "number_text.h"
#include "wheel_verify.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace marlek::cli {

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
    writeOutputLine(io, "kind\tindex\tnumbers\ttickets\tclaimed\tproven\tstatus");
    for (const Wheel &wheel : wheels) {
        const int proven = provenMatchCount(wheel);
        const bool ok = proven >= wheel.matchCount;
        allOk = allOk && ok;
        writeOutputLine(io, plain(wheel.kind) + '\t' + plain(wheel.index) + '\t' +
                                plain(wheel.numbers) + '\t' + plain(wheel.tickets) + '\t' +
                                plain(wheel.matchCount) + '\t' + plain(proven) + '\t' +
                                (ok ? "ok" : "FAIL"));
    }
    return allOk;
}

void addVerifyCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "verify", "Prove every catalogued wheel's guarantee by checking every way the winning "
                  "numbers can fall among the wheel's numbers. Exit status 1 when a wheel fails.");
    auto kind = std::make_shared<int>(0);
    addKindOption(*command, *kind, false)->description("only the wheels of this kind: 5 or 6");
    command->footer("Output: kind, index, numbers, tickets, claimed, proven, status (ok or FAIL), "
                    "TAB-separated, one wheel a line.\n"
                    "Example:\n"
                    "  marlek-lotto-cli verify --kind 6");
    command->callback([kind, &io] {
        if (!writeVerifyTable(cataloguedWheels(*kind), io))
            io.exitStatus = 1;
    });
}

} // namespace marlek::cli
