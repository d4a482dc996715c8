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

// --numbers, exactly `count` of them; without it 1 to `count`, also beyond the desktop's 50.
std::vector<std::int16_t> numbersFor(const WheelOptions &options, const CLI::App &command,
                                     int count) {
    std::vector<std::int16_t> numbers;
    if (!options.numbers.empty() || command.count("--numbers") > 0) {
        for (const int number : parseNumberList(options.numbers, "--numbers", count, 1, 99))
            numbers.push_back(static_cast<std::int16_t>(number));
    } else {
        for (int p = 1; p <= count; ++p)
            numbers.push_back(static_cast<std::int16_t>(p));
    }
    return numbers;
}

} // namespace

void addWheelChoiceOptions(CLI::App &command, WheelOptions &choice) {
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

ReportRequest requestForOptions(const WheelOptions &options, const CLI::App &command,
                                std::string_view commandName) {
    const bool catalogued = command.count("--wheel") > 0;
    const bool full = command.count("--full") > 0;
    if (!catalogued && !full)
        throw UsageError(std::string(commandName) +
                         ": give --wheel I (a catalogued wheel) or --full N (every "
                         "combination of N numbers)");

    WheelChoice choice;
    if (catalogued) {
        const std::optional<Wheel> wheel = findWheel(options.kind, options.wheel);
        if (!wheel)
            throw UsageError("--wheel: Pick " + plain(options.kind) + " has no wheel " +
                             plain(options.wheel) + " (its wheels are " +
                             indexesText(options.kind) + ")");
        choice = cataloguedWheelChoice(options.kind, options.wheel, wheel->numbers, wheel->tickets);
    } else {
        if (options.full < options.kind)
            throw UsageError("--full: a full Pick " + plain(options.kind) + " wheel needs " +
                             plain(options.kind) + " to 60 numbers, not " + plain(options.full));
        choice = fullWheelChoice(options.kind, options.full, -1);
    }
    return reportRequestFor(choice, numbersFor(options, command, choice.pickCount));
}

ReportRequest designedRequest(const PlainWheel &wheel, const WheelOptions &options,
                              const CLI::App &command, std::span<const int> ownNumbers) {
    if (!ownNumbers.empty() && options.numbers.empty() && command.count("--numbers") == 0)
        return reportRequestFor(designedWheelChoice(wheel),
                                std::vector<std::int16_t>(ownNumbers.begin(), ownNumbers.end()));
    return reportRequestFor(designedWheelChoice(wheel),
                            numbersFor(options, command, wheel.numbers));
}

} // namespace marlek::cli
