#include "wheel_input.h"

#include "commands.h"
#include "number_text.h"
#include "options.h"
#include "output_file.h"
#include "ticket_list.h"
#include "wheel_file.h"
#include "wheel_verify.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <thread>

namespace marlek::cli {

WheelInput readWheelFileAt(const std::string &path) {
    if (path.empty())
        throw UsageError("--wheel-file: the file name is empty");
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw IoFailure("read", path, EISDIR);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw IoFailure("read", path, errno);
    std::variant<PlainWheel, TicketList> read;
    try {
        read = readWheelOrTicketList(in);
    } catch (const WheelFileReadError &error) {
        throw IoFailure("read", path, error.error);
    } catch (const WheelFileError &error) {
        throw UsageError("--wheel-file: \"" + path + "\" is no wheel file: " + error.what());
    }
    if (auto *wheel = std::get_if<PlainWheel>(&read))
        return {std::move(*wheel), {}};
    // A list claims nothing: its guarantee is the one the proof finds.
    TicketList &list = std::get<TicketList>(read);
    PlainWheel wheel = wheelOfTicketList(list, {list.kind, list.kind});
    requireProvable(wheel, list.kind, list.kind);
    wheel.guarantee.matches = provenMatches(list.tickets, wheel.numbers, list.kind);
    return {std::move(wheel), std::move(list.numbers)};
}

namespace {

// Digits in groups of three, for counts beyond what a signed number holds.
std::string groupedCount(std::uint64_t count) {
    const std::string digits = std::to_string(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

} // namespace

void requireProvable(const PlainWheel &wheel, int fromDrawn, int toDrawn) {
    const std::uint64_t tickets = wheel.tickets.size();
    const std::uint64_t checks = proofChecks(wheel.numbers, fromDrawn, toDrawn, tickets);
    if (checks <= kMaxProofChecks)
        return;
    const std::string drawn = fromDrawn == toDrawn
                                  ? std::to_string(toDrawn)
                                  : std::to_string(fromDrawn) + " to " + std::to_string(toDrawn);
    throw UsageError("--wheel-file: proving it means checking " +
                     std::string(tickets == 1 ? "its " : "each of its ") +
                     counted(static_cast<std::int64_t>(tickets), "ticket", "tickets") +
                     " against the " + groupedCount(proofSets(wheel.numbers, fromDrawn, toDrawn)) +
                     " ways to draw " + drawn + " of " + std::to_string(wheel.numbers) +
                     " numbers, " + (checks == UINT64_MAX ? "more than " : "") +
                     groupedCount(checks) + " checks at worst, more than the " +
                     groupedCount(kMaxProofChecks) + " a proof here takes");
}

void addThreadsOption(CLI::App &command, int &threads) {
    command
        .add_option("--threads", threads,
                    "threads to run: 1 by default, 0 for every core of the machine")
        ->check(wholeNumberFrom(0, 256))
        ->type_name("J");
}

int threadsToRun(int threads) {
    if (threads > 0)
        return threads;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

} // namespace marlek::cli
