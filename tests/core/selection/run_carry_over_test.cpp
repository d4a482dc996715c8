// What a run carries from window to window: the player's numbers, and the wheel chosen last as the
// document commands report it before any document was opened.

#include "run_carry_over.h"
#include "wheel_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

using Lines = std::vector<std::string>;

Lines ticketLines(const Lines &report) {
    Lines tickets;
    for (const std::string &line : report)
        if (line.starts_with("Lotto Ticket"))
            tickets.push_back(line);
    return tickets;
}

TEST(RunCarryOver, StartsWithPicksOneToFiftyAndNoWheel) {
    const RunCarryOver carried;
    for (int p = 1; p <= 50; ++p)
        EXPECT_EQ(carried.picks[p], p);
    EXPECT_EQ(carried.picks[0], 0);
    EXPECT_EQ(carried.picks[51], 0);
    EXPECT_EQ(carried.documentCount, 0);
    const Lines report = reportLines(carried.lastChoiceRequest());
    EXPECT_EQ(report.front(), "Marlek's ");
    EXPECT_EQ(lottoKindOfMode(7), 5);
    EXPECT_EQ(lottoKindOfMode(8), 6);
    EXPECT_EQ(lottoKindOfMode(0), 0);
}

// The menu's catalogue closed without a choice leaves the last choice in that kind: after a
// generator's full wheel (index -1) that is a catalogued mode whose index names no table wheel, and
// its report prints the empty ticket store, at most as many tickets as the store holds.
TEST(RunCarryOver, ACatalogueOpenedAfterTheGeneratorReportsTheLeftoverTickets) {
    RunCarryOver carried;
    carried.wheelChosen(cataloguedWheelChoice(5, 6, 10, 14));
    carried.restartNumbersOfLastChoice(); // the generator's "Yes" after a wheel of 10 numbers
    carried.wheelChosen(fullWheelChoice(6, 20, -1));
    carried.catalogueOpened(5);
    const ReportRequest request = carried.lastChoiceRequest();
    EXPECT_EQ(request.wheel.wheelMode, 5);
    EXPECT_EQ(request.wheel.wheelIndex, -1);
    const Lines report = reportLines(request);
    EXPECT_EQ(report[1], " $38760  38760 Tickets  20 Numbers  Guarantee");
    const Lines tickets = ticketLines(report);
    ASSERT_EQ(tickets.size(), 1000u);
    EXPECT_EQ(tickets.back(), "Lotto Ticket   1000    00  00  00  00  00");
    EXPECT_EQ(report[report.size() - 4], "Pick Any 5 of the 20 Numbers you've Selected");
    EXPECT_EQ(report[report.size() - 3],
              "Check All  38760 Tickets. At Least 1 Ticket will have 0 Numbers");
}

// A full Pick 5 wheel and a designed wheel record no index: the one before stays, and a catalogue
// of the other kind then names that kind's wheel of the same index.
TEST(RunCarryOver, AChoiceWithoutAnIndexKeepsTheOneBefore) {
    RunCarryOver carried;
    carried.wheelChosen(cataloguedWheelChoice(5, 3, 8, 7));
    carried.wheelChosen(fullWheelChoice(5, 10, std::nullopt));
    EXPECT_EQ(carried.lastChoice.wheelMode, 7);
    EXPECT_EQ(carried.lastChoice.wheelIndex, 3);
    carried.wheelChosen(designedWheelChoice(PlainWheel{6, 7, {3, 6}, {0b0111111}, 0}));
    EXPECT_EQ(reportLines(carried.lastChoiceRequest())[1],
              " $1  1 Tickets  7 Numbers  3 of 6 Guarantee");
    carried.catalogueOpened(6);
    EXPECT_FALSE(carried.lastChoice.designedWheel);
    EXPECT_EQ(reportLines(carried.lastChoiceRequest())[1],
              " $8  8 Tickets  17 Numbers  3 of 6 Guarantee"); // Pick 6 wheel 3
}

TEST(RunCarryOver, TheGeneratorRestartsTheNumbersOfTheLastWheelOnly) {
    RunCarryOver carried;
    for (int p = 0; p <= 12; ++p)
        carried.picks[p] = static_cast<std::int16_t>(40 + p);
    carried.wheelChosen(cataloguedWheelChoice(5, 6, 10, 14));
    carried.restartNumbersOfLastChoice();
    for (int p = 1; p <= 10; ++p)
        EXPECT_EQ(carried.picks[p], p);
    EXPECT_EQ(carried.picks[0], 40);  // position 0 is no played number
    EXPECT_EQ(carried.picks[11], 51); // beyond the last wheel's numbers nothing is reset
}

TEST(RunCarryOver, ACombinationFilesRunPlaysOneToSixtyAndLeavesItsKind) {
    RunCarryOver carried;
    carried.picks[1] = 17;
    carried.picks[61] = 99;
    carried.comboRunStarted(6);
    for (int p = 1; p <= 60; ++p)
        EXPECT_EQ(carried.picks[p], p);
    EXPECT_EQ(carried.picks[61], 99);
    EXPECT_EQ(carried.matchCountLeft, 6);
    const Lines report = reportLines(carried.lastChoiceRequest());
    EXPECT_EQ(report[report.size() - 3],
              "Check All  0 Tickets. At Least 1 Ticket will have 6 Numbers");
}

} // namespace
} // namespace marlek
