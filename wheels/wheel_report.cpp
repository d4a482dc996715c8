#include "wheel_report.h"

#include "number_text.h"
#include "wheel_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace marlek {
namespace {

constexpr int kPicksLast = static_cast<int>(std::tuple_size_v<decltype(SharedState::picks)>) - 1;
constexpr std::int64_t kWheelNumbersSize =
    static_cast<std::int64_t>(std::tuple_size_v<decltype(SharedState::wheelNumbers)>);

// The "00" text of one number, kept beside the line buffer so no ticket line allocates.
struct NumberText {
    std::array<char, 8> chars{};
    std::size_t size = 0;

    explicit NumberText(int value = 0) {
        const std::string text = twoDigits(value);
        size = std::min(text.size(), chars.size());
        std::copy_n(text.begin(), size, chars.begin());
    }
    void appendTo(std::string &line) const { line.append(chars.data(), size); }
};

std::string_view titleOf(int mode) {
    switch (mode) {
    case 5:
    case 7:
        return "Marlek's Pick 5 Lotto";
    case 6:
    case 8:
        return "Marlek's Pick 6 Lotto";
    default:
        return "Marlek's ";
    }
}

// Mode 5 or 6 with a table wheel: its record goes into the shared state and its tickets, with the
// player's numbers put in, into wheelNumbers. Yields the wheel's guarantee label.
std::string_view resolveCatalogued(SharedState &state) {
    const std::optional<Wheel> wheel = findWheel(state.wheelMode, state.wheelIndex);
    if (!wheel)
        return {};
    state.pickCount = static_cast<std::int16_t>(wheel->numbers);
    state.ticketCount = wheel->tickets;
    state.matchCount = static_cast<std::int16_t>(wheel->matchCount);
    const std::size_t count = std::min(wheel->positions.size(), state.wheelNumbers.size());
    for (std::size_t i = 0; i < count; ++i)
        state.wheelNumbers[i] = state.picks[static_cast<std::size_t>(wheel->positions[i])];
    return wheel->label;
}

// The ticket lines of a catalogued wheel, from wheelNumbers. A ticketCount left over from a large
// full wheel (with an index that names no wheel) would need values beyond the array: only the
// tickets whose values all lie inside it are written. Yields the count of lines written.
std::int64_t writeCataloguedTickets(const SharedState &state, int kind, const ReportSink &sink) {
    const std::int64_t fitting = kWheelNumbersSize / kind;
    const std::int64_t tickets = std::clamp<std::int64_t>(state.ticketCount, 0, fitting);
    std::string line;
    line.reserve(64);
    for (std::int64_t t = 0; t < tickets; ++t) {
        const std::int64_t ticketNumber = t + 1;
        line.assign(ticketNumber < 10 ? "Lotto Ticket     " : "Lotto Ticket   ");
        line += plain(ticketNumber);
        line += "    ";
        for (int j = 0; j < kind; ++j) {
            if (j > 0)
                line += "  ";
            NumberText(state.wheelNumbers[static_cast<std::size_t>(t * kind + j)]).appendTo(line);
        }
        sink(line);
    }
    return tickets;
}

// Every kind-number combination of the player's numbers 1..n in lexicographic order of
// positions, one line each, generated from the loop counters and never stored. The line buffer
// is rewritten only from the first number that changed; the ticket number is counted up in place.
std::int64_t writeFullWheel(const SharedState &state, int kind, int n, const ReportSink &sink) {
    if (n < kind)
        return 0;
    std::array<NumberText, kPicksLast + 1> texts;
    for (int p = 1; p <= n; ++p)
        texts[static_cast<std::size_t>(p)] = NumberText(state.picks[static_cast<std::size_t>(p)]);

    constexpr std::string_view kLabel = "Lotto Ticket   "; // three spaces whatever the size
    constexpr std::string_view kGap = "    ";
    std::array<int, 6> position{};
    for (int j = 0; j < kind; ++j)
        position[static_cast<std::size_t>(j)] = j + 1;
    std::array<std::size_t, 6> offset{}; // where each number's text starts in the line

    std::int64_t ticket = 1;
    std::string line;
    line.reserve(96);
    auto rebuildLabel = [&] {
        line.assign(kLabel);
        line += plain(ticket);
        line += kGap;
        offset[0] = line.size();
    };
    rebuildLabel();
    const std::size_t digitsBegin = kLabel.size();

    int changed = 0; // the first number whose text must be written again
    while (true) {
        line.resize(offset[static_cast<std::size_t>(changed)]);
        for (int j = changed; j < kind; ++j) {
            offset[static_cast<std::size_t>(j)] = line.size();
            texts[static_cast<std::size_t>(position[static_cast<std::size_t>(j)])].appendTo(line);
            if (j + 1 < kind)
                line += "  ";
        }
        sink(line);

        // Next combination: the last position that can still grow grows, the rest follow it.
        int j = kind - 1;
        while (j >= 0 && position[static_cast<std::size_t>(j)] == n - kind + 1 + j)
            --j;
        if (j < 0)
            return ticket;
        ++position[static_cast<std::size_t>(j)];
        for (int i = j + 1; i < kind; ++i)
            position[static_cast<std::size_t>(i)] = position[static_cast<std::size_t>(i - 1)] + 1;
        changed = j;

        ++ticket;
        std::size_t digit = offset[0] - kGap.size();
        while (digit > digitsBegin && line[digit - 1] == '9')
            line[--digit] = '0';
        if (digit > digitsBegin) {
            ++line[digit - 1];
        } else { // 9 -> 10, 99 -> 100, ...: one more digit, everything moves
            rebuildLabel();
            changed = 0;
        }
    }
}

} // namespace

void writeReport(SharedState &state, const ReportSink &sink) {
    const int mode = state.wheelMode;
    std::string_view guarantee; // empty unless a wheel names one
    if (mode == 5 || mode == 6)
        guarantee = resolveCatalogued(state);

    sink(titleOf(mode));
    if (mode == 7)
        guarantee = " 5 of 5";
    else if (mode == 8)
        guarantee = " 6";

    const std::string n = plain(state.pickCount);
    const std::string t = plain(state.ticketCount);
    sink(" $" + t + "  " + t + " Tickets  " + n + " Numbers " + std::string(guarantee) +
         " Guarantee");
    sink("");
    sink("The " + n + " Numbers you've Selected to Play");

    // Positions beyond the array of numbers hold nothing to print.
    const int readable = std::min<int>(state.pickCount, kPicksLast);
    std::string numbers;
    for (int p = 1; p <= readable; ++p) {
        numbers += "  ";
        numbers += plain(state.picks[static_cast<std::size_t>(p)]);
    }
    sink(numbers);
    sink("");
    sink("Play these " + t + " Tickets");

    std::int64_t lines = 0;
    if (mode == 5 || mode == 6) {
        lines = writeCataloguedTickets(state, mode, sink);
    } else if (mode == 7 || mode == 8) {
        state.matchCount = static_cast<std::int16_t>(lottoKindOfMode(mode));
        lines = writeFullWheel(state, lottoKindOfMode(mode), readable, sink);
    }
    state.counter = static_cast<std::int32_t>(
        std::min<std::int64_t>(lines + 1, std::numeric_limits<std::int32_t>::max()));

    sink("Ticket Cost based on $1 US");
    sink("");
    sink("Does this Wheel Work?  It's Easy to Prove.");
    if (mode >= 5 && mode <= 8)
        sink("Pick Any " + plain(mode <= 6 ? mode : lottoKindOfMode(mode)) + " of the " + n +
             " Numbers you've Selected");
    sink("Check All  " + t + " Tickets. At Least 1 Ticket will have " + plain(state.matchCount) +
         " Numbers");
    sink("Thats your " + std::string(guarantee) + " Guarantee");
    sink("Good Luck in All your Lotto Pursuits");
}

std::string documentCaption(const SharedState &state) {
    const int kind = lottoKindOfMode(state.wheelMode);
    const std::string t = plain(state.ticketCount);
    return "  $" + t + "   " + t + "  Tickets  " + plain(state.pickCount) + " Numbers  Pick " +
           (kind != 0 ? plain(kind) : std::string()) + " Wheel";
}

} // namespace marlek
