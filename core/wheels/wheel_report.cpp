#include "wheel_report.h"

#include "number_text.h"
#include "wheel_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace marlek {
namespace {

// A catalogued mode whose index names no table wheel prints the tickets the last table wheel left
// in a store of this many positions. No report here leaves any (a document keeps its request), so
// the store is as a run starts it: every number 00.
constexpr std::int64_t kLeftoverTicketPositions = 5001;

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

bool isCatalogued(int mode) {
    return mode == 5 || mode == 6;
}

// The table wheel a request names, if any: modes 5 and 6 only.
std::optional<Wheel> tableWheelOf(const WheelChoice &choice) {
    if (!isCatalogued(choice.wheelMode) || choice.designedWheel || !choice.wheelIndex)
        return std::nullopt;
    return findWheel(choice.wheelMode, *choice.wheelIndex);
}

// The figures the report prints: those of the designed wheel or the table wheel when the request
// names one, else those the caller left.
struct ReportFigures {
    std::optional<Wheel> wheel;
    std::int16_t pickCount = 0;
    std::int32_t ticketCount = 0;
    std::int16_t matchCount = 0;
    std::string guarantee; // empty unless a wheel names one
    int drawn = 0;         // the count of drawn numbers the proof picks; 0: no such line
};

ReportFigures figuresOf(const ReportRequest &request) {
    const WheelChoice &choice = request.wheel;
    ReportFigures figures{
        tableWheelOf(choice), choice.pickCount, choice.ticketCount, request.matchCount, {}, 0};
    const int mode = choice.wheelMode;
    if (mode >= 5 && mode <= 8)
        figures.drawn = lottoKindOfMode(mode);
    if (choice.designedWheel) {
        const PlainWheel &designed = *choice.designedWheel;
        figures.wheel.reset();
        figures.pickCount = static_cast<std::int16_t>(designed.numbers);
        figures.ticketCount = static_cast<std::int32_t>(designed.tickets.size());
        figures.matchCount = static_cast<std::int16_t>(designed.guarantee.matches);
        figures.guarantee = " " + guaranteeText(designed.guarantee); // as the catalogue's labels
        figures.drawn = designed.guarantee.drawn;
    } else if (figures.wheel) {
        figures.pickCount = static_cast<std::int16_t>(figures.wheel->numbers);
        figures.ticketCount = figures.wheel->tickets;
        figures.matchCount = static_cast<std::int16_t>(figures.wheel->matchCount);
        figures.guarantee = figures.wheel->label;
    } else if (mode == 7) {
        figures.matchCount = 5;
        figures.guarantee = " 5 of 5";
    } else if (mode == 8) {
        figures.matchCount = 6;
        figures.guarantee = " 6";
    }
    return figures;
}

// The player's number at position p (from 1); positions the request does not hold are 0, as the
// player's untouched numbers are at start-up.
std::int16_t numberAt(const ReportRequest &request, int position) {
    const auto index = static_cast<std::size_t>(position - 1);
    return position >= 1 && index < request.numbers.size() ? request.numbers[index] : 0;
}

// How many of the player's numbers the numbers line and a full wheel use.
int readableCount(int pickCount) {
    return std::clamp(pickCount, 0, kMostPlayerNumbers);
}

// One ticket line: "Lotto Ticket", its number and the numbers put in, into the reused buffer.
template <typename ValueAt>
void writeTicketLine(std::int64_t ticketNumber, int kind, ValueAt valueAt, std::string &line,
                     const ReportSink &sink) {
    line.assign(ticketNumber < 10 ? "Lotto Ticket     " : "Lotto Ticket   ");
    line += plain(ticketNumber);
    line += "    ";
    for (int j = 0; j < kind; ++j) {
        if (j > 0)
            line += "  ";
        NumberText(valueAt(j)).appendTo(line);
    }
    sink(line);
}

// The ticket lines of a catalogued wheel: the table wheel's tickets with the player's numbers put
// in, or the tickets the last table wheel left. A ticket count left over from a large full wheel
// (with an index that names no wheel) would need more tickets than the store holds: only those it
// holds are written.
void writeCataloguedTickets(const ReportRequest &request, const ReportFigures &figures, int kind,
                            const ReportSink &sink) {
    const std::int64_t available =
        figures.wheel ? static_cast<std::int64_t>(figures.wheel->positions.size()) / kind
                      : kLeftoverTicketPositions / kind;
    const std::int64_t tickets = std::clamp<std::int64_t>(figures.ticketCount, 0, available);
    std::string line;
    line.reserve(64);
    for (std::int64_t t = 0; t < tickets; ++t) {
        writeTicketLine(
            t + 1, kind,
            [&](int j) -> int {
                const auto at = static_cast<std::size_t>(t * kind + j);
                return figures.wheel ? numberAt(request, figures.wheel->positions[at]) : 0;
            },
            line, sink);
    }
}

// The ticket lines of a designed wheel, each ticket's positions with the player's numbers put in.
void writeDesignedTickets(const ReportRequest &request, const PlainWheel &wheel,
                          const ReportSink &sink) {
    std::string line;
    line.reserve(64);
    std::int64_t ticketNumber = 0;
    for (const NumberSet ticket : wheel.tickets) {
        const std::vector<int> positions = numbersOf(ticket);
        writeTicketLine(
            ++ticketNumber, static_cast<int>(positions.size()),
            [&](int j) { return numberAt(request, positions[static_cast<std::size_t>(j)]); }, line,
            sink);
    }
}

// Every kind-number combination of the player's numbers 1..n in lexicographic order of
// positions, one line each, generated from the loop counters and never stored. The line buffer
// is rewritten only from the first number that changed; the ticket number is counted up in place.
void writeFullWheel(const ReportRequest &request, int kind, int n, const ReportSink &sink) {
    if (n < kind)
        return;
    std::array<NumberText, kMostPlayerNumbers + 1> texts;
    for (int p = 1; p <= n; ++p)
        texts[static_cast<std::size_t>(p)] = NumberText(numberAt(request, p));

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
            return;
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

// The condition a key wheel adds to its guarantee's own line, with the player's numbers at the
// key positions: ", Key Numbers 7 12 among them".
std::string keyCondition(const ReportRequest &request, int keys) {
    std::string numbers;
    for (int p = 1; p <= keys; ++p)
        numbers += " " + plain(numberAt(request, p));
    return (keys == 1 ? ", Key Number" : ", Key Numbers") + numbers + " among them";
}

// What a wheel short of its guarantee keeps: " for 37,506 of 38,760 Draws".
std::string coveragePart(const WheelChoice::Coverage &coverage) {
    return " for " + groupedOrZero(static_cast<std::int64_t>(coverage.covered)) + " of " +
           groupedOrZero(static_cast<std::int64_t>(coverage.all)) + " Draws";
}

} // namespace

int lottoKindOfMode(int wheelMode) {
    switch (wheelMode) {
    case 5:
    case 7:
        return 5;
    case 6:
    case 8:
        return 6;
    default:
        return 0;
    }
}

WheelChoice cataloguedWheelChoice(int kind, int index, int numbers, std::int32_t tickets) {
    return {static_cast<std::int16_t>(kind),
            static_cast<std::int16_t>(index),
            static_cast<std::int16_t>(numbers),
            tickets,
            std::nullopt,
            std::nullopt};
}

WheelChoice fullWheelChoice(int kind, int numbers, std::optional<std::int16_t> recordedIndex) {
    return {static_cast<std::int16_t>(kind + 2),
            recordedIndex,
            static_cast<std::int16_t>(numbers),
            static_cast<std::int32_t>(combinations(numbers, kind)),
            std::nullopt,
            std::nullopt};
}

WheelChoice designedWheelChoice(const PlainWheel &wheel) {
    return {static_cast<std::int16_t>(wheel.kind),
            std::nullopt,
            static_cast<std::int16_t>(wheel.numbers),
            static_cast<std::int32_t>(wheel.tickets.size()),
            wheel,
            std::nullopt};
}

WheelChoice designedWheelChoice(const PlainWheel &wheel, std::uint64_t covered, std::uint64_t all) {
    WheelChoice choice = designedWheelChoice(wheel);
    if (covered < all)
        choice.coverage = WheelChoice::Coverage{covered, all};
    return choice;
}

ReportRequest reportRequestFor(const WheelChoice &choice, std::span<const std::int16_t> numbers,
                               std::int16_t matchCount) {
    int count = readableCount(choice.pickCount);
    if (choice.designedWheel)
        count = readableCount(choice.designedWheel->numbers);
    else if (const std::optional<Wheel> wheel = tableWheelOf(choice))
        count = std::max(count, wheel->numbers);
    count = std::min<int>(count, static_cast<int>(numbers.size()));
    ReportRequest request{choice, {}, matchCount};
    request.numbers.assign(numbers.begin(), numbers.begin() + count);
    return request;
}

void writeReport(const ReportRequest &request, const ReportSink &sink) {
    const int mode = request.wheel.wheelMode;
    const std::optional<PlainWheel> &designed = request.wheel.designedWheel;
    const ReportFigures figures = figuresOf(request);
    const std::string &guarantee = figures.guarantee;

    sink(titleOf(mode));
    const std::string n = plain(figures.pickCount);
    const std::string t = plain(figures.ticketCount);
    sink(" $" + t + "  " + t + " Tickets  " + n + " Numbers " + guarantee + " Guarantee" +
         (request.wheel.coverage ? coveragePart(*request.wheel.coverage) : ""));
    sink("");
    sink("The " + n + " Numbers you've Selected to Play");

    // Positions beyond the array of numbers hold nothing to print.
    const int readable = readableCount(figures.pickCount);
    std::string numbers;
    for (int p = 1; p <= readable; ++p) {
        numbers += "  ";
        numbers += plain(numberAt(request, p));
    }
    sink(numbers);
    sink("");
    sink("Play these " + t + " Tickets");

    if (designed)
        writeDesignedTickets(request, *designed, sink);
    else if (isCatalogued(mode))
        writeCataloguedTickets(request, figures, mode, sink);
    else if (mode == 7 || mode == 8)
        writeFullWheel(request, lottoKindOfMode(mode), readable, sink);

    sink("Ticket Cost based on $1 US");
    sink("");
    sink("Does this Wheel Work?  It's Easy to Prove.");
    if (figures.drawn > 0)
        sink("Pick Any " + plain(figures.drawn) + " of the " + n + " Numbers you've Selected" +
             (designed && designed->keys > 0 ? keyCondition(request, designed->keys)
                                             : std::string()));
    const std::optional<WheelChoice::Coverage> &coverage = request.wheel.coverage;
    sink("Check All  " + t + " Tickets. " +
         (coverage
              ? "For " + groupedOrZero(static_cast<std::int64_t>(coverage->covered)) + " of the " +
                    groupedOrZero(static_cast<std::int64_t>(coverage->all)) + " ways, At Least"
              : std::string("At Least")) +
         " 1 Ticket will have " + plain(figures.matchCount) + " Numbers");
    sink("Thats your " + guarantee + " Guarantee" + (coverage ? coveragePart(*coverage) : ""));
    sink("Good Luck in All your Lotto Pursuits");
}

std::vector<std::string> reportLines(const ReportRequest &request) {
    std::vector<std::string> lines;
    writeReport(request, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::int32_t reportTicketCount(const ReportRequest &request) {
    return figuresOf(request).ticketCount;
}

std::string documentCaption(const ReportRequest &request) {
    const WheelChoice &choice = request.wheel;
    const int kind = lottoKindOfMode(choice.wheelMode);
    const std::string t = plain(choice.ticketCount);
    return "  $" + t + "   " + t + "  Tickets  " + plain(choice.pickCount) + " Numbers  Pick " +
           (kind != 0 ? plain(kind) : std::string()) + " Wheel";
}

} // namespace marlek
