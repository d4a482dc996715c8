// The wheel report: its lines, byte for byte, for every kind of request.

#include "number_text.h"
#include "wheel_report.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

using Lines = std::vector<std::string>;

// A wheel as a chooser hands it on, with the player's numbers as they stand (1 to 50 from
// start-up) and the match count a run may leave.
struct Played {
    WheelChoice wheel;
    std::array<std::int16_t, kMostPlayerNumbers + 1> picks = startupPicks();
    std::int16_t matchCount = 0;

    static std::array<std::int16_t, kMostPlayerNumbers + 1> startupPicks() {
        std::array<std::int16_t, kMostPlayerNumbers + 1> picks{};
        for (int p = 1; p <= 50; ++p)
            picks[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p);
        return picks;
    }
    ReportRequest request() const {
        return reportRequestFor(wheel, std::span(picks).subspan(1), matchCount);
    }
};

Lines reportOf(const Played &played) {
    return reportLines(played.request());
}

std::string captionOf(const Played &played) {
    return documentCaption(played.request());
}

void setPicks(Played &played, const std::vector<int> &numbers) {
    for (std::size_t i = 0; i < numbers.size(); ++i)
        played.picks[i + 1] = static_cast<std::int16_t>(numbers[i]);
}

Played catalogued(int kind, int index) {
    return {WheelChoice{static_cast<std::int16_t>(kind), static_cast<std::int16_t>(index), 0, 0,
                        std::nullopt, std::nullopt}};
}

Played fullWheel(int mode, int numbers) {
    return {fullWheelChoice(mode - 2, numbers, -1)};
}

Lines ticketLines(const Lines &report) {
    Lines tickets;
    for (const std::string &line : report)
        if (line.starts_with("Lotto Ticket"))
            tickets.push_back(line);
    return tickets;
}

TEST(WheelReport, WritesTheWorkedExampleByteForByte) {
    const ReportRequest request = test::workedExampleRequest();
    EXPECT_EQ(documentCaption(request), test::kWorkedExampleCaption);
    EXPECT_EQ(reportLines(request), test::kWorkedExampleLines);
    EXPECT_EQ(reportTicketCount(request), 5);
}

TEST(WheelReport, TakesTheWheelsRecordWhateverTheChoiceSaid) {
    Played played = catalogued(6, 14);
    played.wheel.pickCount = 3;
    played.wheel.ticketCount = 12345;
    played.matchCount = 1;
    const Lines report = reportOf(played);
    EXPECT_EQ(reportTicketCount(played.request()), 210);
    EXPECT_EQ(captionOf(played), "  $12345   12345  Tickets  3 Numbers  Pick 6 Wheel");
    EXPECT_EQ(ticketLines(report).size(), 210u);
    EXPECT_EQ(report[1], " $210  210 Tickets  10 Numbers  6 Guarantee");
    EXPECT_EQ(ticketLines(report).back(), "Lotto Ticket   210    05  06  07  08  09  10");
}

TEST(WheelReport, SpacesTheTicketLabelByTheTicketsDigits) {
    Played state = catalogued(5, 6); // 14 tickets
    const Lines tickets = ticketLines(reportOf(state));
    ASSERT_EQ(tickets.size(), 14u);
    EXPECT_EQ(tickets[8], "Lotto Ticket     9    02  03  05  07  09");
    EXPECT_EQ(tickets[9], "Lotto Ticket   10    02  04  05  08  09");
}

TEST(WheelReport, WritesSmallNumbersPlainInTheNumbersLineAndTwoDigitInTickets) {
    Played state = catalogued(5, 31);
    setPicks(state, {9, 1, 10, 5, 99});
    const Lines report = reportOf(state);
    EXPECT_EQ(report[4], "  9  1  10  5  99");
    EXPECT_EQ(ticketLines(report), Lines{"Lotto Ticket     1    09  01  10  05  99"});
    EXPECT_EQ(report[1], " $1  1 Tickets  5 Numbers  3 of 5 Guarantee");
}

TEST(WheelReport, PrintsTicketPositionsInTheirStoredOrder) {
    Played state = catalogued(5, 29);
    setPicks(state, {1, 2, 3, 4, 5, 6, 70, 80, 9});
    EXPECT_EQ(ticketLines(reportOf(state))[2], "Lotto Ticket     3    03  04  05  80  70");
}

TEST(WheelReport, PrintsThePick6FullWheelLabelsUnchanged) {
    struct Case {
        int index;
        const char *header;
        const char *proof;
    };
    for (const Case &c :
         {Case{9, " $28  28 Tickets  8 Numbers   6 Guarantee", "Thats your   6 Guarantee"},
          Case{13, " $84  84 Tickets  9 Numbers  6 Guarantee", "Thats your  6 Guarantee"},
          Case{1, " $7  7 Tickets  7 Numbers  6 of 6 Guarantee", "Thats your  6 of 6 Guarantee"}}) {
        Played state = catalogued(6, c.index);
        const Lines report = reportOf(state);
        EXPECT_EQ(report[1], c.header);
        EXPECT_EQ(report[report.size() - 2], c.proof);
        EXPECT_EQ(report[report.size() - 4], "Pick Any 6 of the " +
                                                 plain(findWheel(6, c.index)->numbers) +
                                                 " Numbers you've Selected");
    }
}

TEST(WheelReport, WritesTheReportOfModeZeroWithoutTicketsOrPickAnyLine) {
    Played state;
    const Lines expected = {
        "Marlek's ",
        " $0  0 Tickets  0 Numbers  Guarantee",
        "",
        "The 0 Numbers you've Selected to Play",
        "",
        "",
        "Play these 0 Tickets",
        "Ticket Cost based on $1 US",
        "",
        "Does this Wheel Work?  It's Easy to Prove.",
        "Check All  0 Tickets. At Least 1 Ticket will have 0 Numbers",
        "Thats your  Guarantee",
        "Good Luck in All your Lotto Pursuits",
    };
    EXPECT_EQ(reportOf(state), expected);
    EXPECT_EQ(captionOf(state), "  $0   0  Tickets  0 Numbers  Pick  Wheel");

    state.wheel.wheelMode = 3; // any mode outside 5 to 8 reads the same, with its own N and T
    state.wheel.pickCount = 3;
    state.wheel.ticketCount = 4;
    const Lines other = reportOf(state);
    EXPECT_EQ(other[4], "  1  2  3");
    EXPECT_EQ(ticketLines(other).size(), 0u);
}

// A report built the plain way, for comparing the line buffer against.
Lines plainFullWheelTickets(const Played &state, int kind) {
    Lines lines;
    const int n = state.wheel.pickCount;
    std::vector<int> position(static_cast<std::size_t>(kind));
    std::int64_t ticket = 1;
    auto emit = [&] {
        std::string line = "Lotto Ticket   " + std::to_string(ticket++) + "    ";
        for (int j = 0; j < kind; ++j)
            line += (j ? "  " : "") + twoDigits(state.picks[static_cast<std::size_t>(position[j])]);
        lines.push_back(line);
    };
    auto nest = [&](auto &&self, int level, int from) -> void {
        if (level == kind)
            return emit();
        for (int p = from; p <= n - (kind - 1 - level); ++p) {
            position[static_cast<std::size_t>(level)] = p;
            self(self, level + 1, p + 1);
        }
    };
    nest(nest, 0, 1);
    return lines;
}

struct FullCase {
    int mode;
    int numbers;
    std::int64_t tickets;
    const char *first;
    const char *last;
};

class FullWheelReport : public ::testing::TestWithParam<FullCase> {};

TEST_P(FullWheelReport, WritesEveryCombinationInLexicographicOrder) {
    const FullCase &c = GetParam();
    Played state = fullWheel(c.mode, c.numbers);
    // Numbers of one, two and three digits, so the line buffer must move the texts after them.
    setPicks(state, {3, 150, 7, 12, 9});
    const int kind = c.mode - 2;
    const Lines report = reportOf(state);
    const Lines tickets = ticketLines(report);

    ASSERT_EQ(static_cast<std::int64_t>(tickets.size()), c.tickets);
    if (c.tickets > 0) {
        EXPECT_EQ(tickets.front(), c.first);
        EXPECT_EQ(tickets.back(), c.last);
    }
    EXPECT_EQ(tickets, plainFullWheelTickets(state, kind));
    EXPECT_EQ(report[0], kind == 5 ? "Marlek's Pick 5 Lotto" : "Marlek's Pick 6 Lotto");
    const std::string label = kind == 5 ? " 5 of 5" : " 6";
    const std::string n = plain(c.numbers);
    const std::string t = plain(state.wheel.ticketCount);
    EXPECT_EQ(report[1],
              " $" + t + "  " + t + " Tickets  " + n + " Numbers " + label + " Guarantee");
    const Lines proof(report.end() - 4, report.end());
    EXPECT_EQ(proof, (Lines{"Pick Any " + plain(kind) + " of the " + n + " Numbers you've Selected",
                            "Check All  " + t + " Tickets. At Least 1 Ticket will have " +
                                plain(kind) + " Numbers",
                            "Thats your " + label + " Guarantee",
                            "Good Luck in All your Lotto Pursuits"}));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FullWheelReport,
    ::testing::Values(FullCase{7, 7, 21, "Lotto Ticket   1    03  150  07  12  09",
                               "Lotto Ticket   21    07  12  09  06  07"},
                      FullCase{7, 22, 26334, "Lotto Ticket   1    03  150  07  12  09",
                               "Lotto Ticket   26334    18  19  20  21  22"},
                      FullCase{8, 19, 27132, "Lotto Ticket   1    03  150  07  12  09  06",
                               "Lotto Ticket   27132    14  15  16  17  18  19"},
                      FullCase{8, 6, 1, "Lotto Ticket   1    03  150  07  12  09  06",
                               "Lotto Ticket   1    03  150  07  12  09  06"},
                      FullCase{8, 5, 0, "", ""}, FullCase{7, 4, 0, "", ""},
                      FullCase{7, 0, 0, "", ""}));

TEST(WheelReport, WritesFullWheelTicketsWhateverTicketCountSays) {
    Played state = fullWheel(7, 7);
    state.wheel.ticketCount = 3;
    setPicks(state, {3, 11, 17, 25, 33, 40, 42});
    const Lines tickets = ticketLines(reportOf(state));
    ASSERT_EQ(tickets.size(), 21u);
    EXPECT_EQ(tickets[0], "Lotto Ticket   1    03  11  17  25  33");
    EXPECT_EQ(tickets[1], "Lotto Ticket   2    03  11  17  25  40");
    EXPECT_EQ(tickets[2], "Lotto Ticket   3    03  11  17  25  42");
    EXPECT_EQ(tickets[3], "Lotto Ticket   4    03  11  17  33  40");
}

// A catalogued mode whose index names no table wheel (a catalogue opened from the menu after a
// generator's full wheel and closed without a choice) has no tickets of its own: it prints T
// tickets of the empty ticket store, with no guarantee label.
TEST(WheelReport, AnIndexThatNamesNoWheelPrintsTheEmptyTicketStore) {
    Played state = catalogued(5, 20);
    state.wheel.pickCount = 7;
    state.wheel.ticketCount = 5;
    state.matchCount = 4;
    const Lines report = reportOf(state);
    EXPECT_EQ(report[1], " $5  5 Tickets  7 Numbers  Guarantee");
    EXPECT_EQ(report[report.size() - 2], "Thats your  Guarantee");
    EXPECT_EQ(report[report.size() - 3],
              "Check All  5 Tickets. At Least 1 Ticket will have 4 Numbers");
    EXPECT_EQ(report[report.size() - 4], "Pick Any 5 of the 7 Numbers you've Selected");
    const Lines tickets = ticketLines(report);
    ASSERT_EQ(tickets.size(), 5u);
    EXPECT_EQ(tickets[4], "Lotto Ticket     5    00  00  00  00  00");
}

TEST(WheelReport, NeverReadsBeyondTheWheelNumbersOfAMissingWheel) {
    // After a full wheel from the generator: index -1 and tens of millions of tickets.
    struct Case {
        int mode;
        std::int32_t tickets;
        std::size_t linesWritten; // tickets whose values all lie in the 5001 positions
    };
    for (const Case &c :
         {Case{6, 50063860, 833}, Case{5, 50063860, 1000}, Case{5, 1000, 1000}, Case{5, 1001, 1000},
          Case{6, 833, 833}, Case{6, 834, 833}, Case{5, -3, 0}}) {
        Played state = catalogued(c.mode, -1);
        state.wheel.pickCount = 60;
        state.wheel.ticketCount = c.tickets;
        const Lines report = reportOf(state);
        const Lines tickets = ticketLines(report);
        EXPECT_EQ(tickets.size(), c.linesWritten) << c.mode << " " << c.tickets;
        EXPECT_EQ(report.back(), "Good Luck in All your Lotto Pursuits");
        EXPECT_EQ(report[6], "Play these " + plain(c.tickets) + " Tickets");
    }
}

TEST(WheelReport, NeverReadsBeyondThePlayersNumbers) {
    Played state;
    state.wheel.pickCount = 32767; // no window sets more than 60; the report still stays in bounds
    const Lines report = reportOf(state);
    EXPECT_EQ(report[3], "The 32767 Numbers you've Selected to Play");
    EXPECT_TRUE(report[4].starts_with("  1  2  3"));
}

// A request holds its own copy of the numbers: what the player's numbers hold later changes
// nothing, and it takes as many as its report reads.
TEST(ReportRequest, HoldsTheNumbersItsReportReadsWhateverChangesLater) {
    struct Case {
        Played played;
        std::size_t numbers;
    };
    Played shortChoice = catalogued(5, 0); // the row says 3 numbers, the table wheel reads 7
    shortChoice.wheel.pickCount = 3;
    for (Case c : {Case{catalogued(6, 37), 11}, Case{fullWheel(8, 9), 9}, Case{shortChoice, 7},
                   Case{Played{}, 0}}) {
        SCOPED_TRACE(c.played.wheel.wheelMode);
        const ReportRequest request = c.played.request();
        EXPECT_EQ(request.numbers.size(), c.numbers);
        const Lines before = reportLines(request);
        c.played.picks.fill(9);
        EXPECT_EQ(reportLines(request), before);
    }
}

TEST(DocumentCaption, UsesTheNAndTTheChooserStated) {
    Played full = fullWheel(8, 19);
    EXPECT_EQ(captionOf(full), "  $27132   27132  Tickets  19 Numbers  Pick 6 Wheel");
    full.wheel.wheelMode = 7;
    EXPECT_EQ(captionOf(full), "  $27132   27132  Tickets  19 Numbers  Pick 5 Wheel");
}

} // namespace
} // namespace marlek
