#include "wheel_choice.h"

#include "commands.h"
#include "options.h"

#include "number_text.h"
#include "wheel_tables.h"

#include <CLI/CLI.hpp>

namespace marlek::cli {
namespace {

std::string indexesText(int kind) {
    return kind == 5 ? "0-14 and 25-33" : "0-14 and 25-37";
}

} // namespace

void addWheelChoiceOptions(CLI::App &command, WheelChoice &choice) {
    CLI::Option *wheel =
        command
            .add_option("--wheel", choice.wheel,
                        "catalogued wheel index: Pick 5 0-14 and 25-33, Pick 6 0-14 and 25-37 "
                        "(the catalogue command lists them)")
            ->check(wholeNumberFrom(0, 37))
            ->type_name("I");
    CLI::Option *full = command
                            .add_option("--full", choice.full,
                                        "full wheel: every K-number combination of N numbers, "
                                        "N from K to 60")
                            ->check(wholeNumberFrom(5, 60))
                            ->type_name("N");
    wheel->excludes(full);
    command
        .add_option("--numbers", choice.numbers,
                    "your numbers, comma-separated, exactly as many as the wheel plays, each "
                    "1 to 99, no repeats (default 1 to N)")
        ->type_name("LIST");
}

SharedState stateForChoice(const WheelChoice &choice, const CLI::App &command,
                           std::string_view commandName) {
    const bool catalogued = command.count("--wheel") > 0;
    const bool full = command.count("--full") > 0;
    if (!catalogued && !full)
        throw UsageError(std::string(commandName) +
                         ": give --wheel I (a catalogued wheel) or --full N (every "
                         "combination of N numbers)");

    SharedState state;
    for (int p = 1; p <= 60; ++p) // the default numbers are 1 to N, also beyond the desktop's 50
        state.picks[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p);
    if (catalogued) {
        const std::optional<Wheel> wheel = findWheel(choice.kind, choice.wheel);
        if (!wheel)
            throw UsageError("--wheel: Pick " + plain(choice.kind) + " has no wheel " +
                             plain(choice.wheel) + " (its wheels are " +
                             indexesText(choice.kind) + ")");
        state.wheelMode = static_cast<std::int16_t>(choice.kind);
        state.wheelIndex = static_cast<std::int16_t>(choice.wheel);
        state.pickCount = static_cast<std::int16_t>(wheel->numbers);
        state.ticketCount = wheel->tickets;
    } else {
        if (choice.full < choice.kind)
            throw UsageError("--full: a full Pick " + plain(choice.kind) + " wheel needs " +
                             plain(choice.kind) + " to 60 numbers, not " + plain(choice.full));
        state.wheelMode = static_cast<std::int16_t>(choice.kind + 2);
        state.wheelIndex = -1;
        state.pickCount = static_cast<std::int16_t>(choice.full);
        state.ticketCount = static_cast<std::int32_t>(combinations(choice.full, choice.kind));
    }

    if (!choice.numbers.empty() || command.count("--numbers") > 0) {
        const std::vector<int> numbers =
            parseNumberList(choice.numbers, "--numbers", state.pickCount, 1, 99);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            state.picks[i + 1] = static_cast<std::int16_t>(numbers[i]);
    }
    return state;
}

} // namespace marlek::cli
