#include "history_check.h"
#include "report_tickets.h"

#include "game_file.h"
#include "wheel_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace marlek {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using testing::ElementsAre;

Date on(int y, unsigned m, unsigned d) {
    return Date{year(y), month(m), day(d)};
}

// 3 of 8 with a bonus ball, small enough to work every figure out by hand.
Game miniGame() {
    std::istringstream file("format: marlek-lotto-game 1\n"
                            "name: Mini\n"
                            "currency: USD\n"
                            "[rules from 2020-01-01]\n"
                            "main: 3 of 8\n"
                            "bonus ball: 1\n"
                            "price: 1.00\n"
                            "prize 3: fixed 100.00\n"
                            "prize 2+1: fixed 10.00\n"
                            "prize 2: fixed 1.00\n");
    return readGameFile(file);
}

std::vector<Draw> miniDraws() {
    return {
        {on(2020, 1, 1), 1, {1, 2, 3}, {4}}, // ticket 1: 3
        {on(2020, 1, 2), 2, {4, 5, 6}, {1}}, // ticket 2: 1 + bonus, no prize
        {on(2020, 1, 3), 3, {6, 7, 8}, {2}},
        {on(2020, 1, 4), 4, {1, 2, 8}, {3}}, // ticket 1: 2 + bonus
        {on(2020, 1, 5), 5, {1, 4, 5}, {7}}, // ticket 2: 2 + bonus
        {on(2020, 1, 6), 6, {1, 5, 6}, {2}},
        {on(2020, 1, 7), 7, {2, 3, 5}, {6}}, // ticket 1: 2
    };
}

TEST(HistoryCheck, WorkedExampleWinsLevelsMoneyAndNumbers) {
    const HistoryCheck check =
        checkAgainstDraws(miniGame(), miniDraws(), {{1, 2, 3}, {1, 4, 7}});
    EXPECT_TRUE(check.prizesGiven);
    EXPECT_EQ(check.checkedDraws, 7);
    ASSERT_EQ(check.wins.size(), 4u);
    const auto win = [&](std::size_t i) {
        const WinningDraw &w = check.wins[i];
        return dateText(w.draw.date) + " ticket " + std::to_string(w.bestTicket + 1) + " " +
               w.bestLevel + " " + moneyText(w.won);
    };
    EXPECT_EQ(win(0), "2020-01-01 ticket 1 3 100.00");
    EXPECT_EQ(win(1), "2020-01-04 ticket 1 2+1 10.00");
    EXPECT_EQ(win(2), "2020-01-05 ticket 2 2+1 10.00");
    EXPECT_EQ(win(3), "2020-01-07 ticket 1 2 1.00");

    // Per ticket and draw: 3 in 1/56, 2 in 15/56 of which the bonus ball is the third number of
    // the ticket in 1/5; so 14 ticket-draws expect 0.25, 0.75 and 3.
    ASSERT_EQ(check.levels.size(), 3u);
    EXPECT_EQ(check.levels[0].level, "3");
    EXPECT_EQ(check.levels[0].reached, 1);
    EXPECT_DOUBLE_EQ(check.levels[0].expected, 0.25);
    EXPECT_EQ(check.levels[1].level, "2+1");
    EXPECT_EQ(check.levels[1].reached, 2);
    EXPECT_DOUBLE_EQ(check.levels[1].expected, 0.75);
    EXPECT_EQ(check.levels[2].level, "2");
    EXPECT_EQ(check.levels[2].reached, 1);
    EXPECT_DOUBLE_EQ(check.levels[2].expected, 3.0);

    EXPECT_EQ(check.spent, Money{1400});
    EXPECT_EQ(check.won, Money{12100});

    // 21 numbers drawn, 2.625 expected of each; sum of squares 7.875 over 2.625 is 3, times
    // (8 - 1) / (8 - 3) for drawing without putting back: 4.2 on 7 degrees of freedom.
    std::vector<std::int64_t> drawn;
    for (const NumberRecord &number : check.numbers) {
        drawn.push_back(number.drawn);
        EXPECT_DOUBLE_EQ(number.expected, 2.625);
    }
    EXPECT_EQ(drawn, (std::vector<std::int64_t>{4, 3, 2, 2, 4, 3, 1, 2}));
    ASSERT_TRUE(check.uniformity);
    EXPECT_NEAR(check.uniformity->statistic, 4.2, 1e-12);
    EXPECT_EQ(check.uniformity->degreesOfFreedom, 7);
    EXPECT_NEAR(check.uniformity->pValue, 0.7564747307, 1e-9);

    const std::vector<std::string> lines = historyCheckLines(check);
    EXPECT_THAT(lines, testing::Contains(pastDrawsNotice()));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string &line) {
                                return line.find("predict") != std::string::npos;
                            }),
              1);
    EXPECT_THAT(lines, testing::Contains("  2020-01-04 (draw 4)  1 2 8 + 3  1 ticket; best: "
                                         "ticket 1, 2+1, won 10.00 USD"));
    EXPECT_THAT(lines, testing::Contains("  2+1           2       0.75"));
    EXPECT_THAT(lines, testing::Contains("  spent 14.00 USD, won 121.00 USD"));
    EXPECT_THAT(lines, testing::Contains("Fair draws give counts at least this uneven in 75.6% "
                                         "of records this long."));
}

TEST(HistoryCheck, RulesOfEachDateDecideWhatIsCountedAndExpected) {
    // Before the rules with prizes, the game's first rules (no prizes, no price) count 3 or more.
    Game game = miniGame();
    GameRules early;
    early.from = on(2019, 1, 1);
    early.drawn = 3;
    early.field = 6;
    game.rules.insert(game.rules.begin(), early);
    std::vector<Draw> draws = {{on(2019, 6, 1), {}, {1, 2, 3}, {}}};
    const std::vector<Draw> later = miniDraws();
    draws.insert(draws.end(), later.begin(), later.end());
    const HistoryCheck check = checkAgainstDraws(game, draws, {{1, 2, 3}});
    EXPECT_FALSE(check.prizesGiven);
    EXPECT_EQ(check.pricedDraws, 7);
    EXPECT_EQ(check.spent, Money{700});
    ASSERT_GE(check.wins.size(), 1u);
    EXPECT_EQ(check.wins[0].bestLevel, "3");
    // The test of even counts takes the newest rules' draws; expectations follow each draw's field.
    EXPECT_EQ(check.uniformity->draws, 7);
    EXPECT_EQ(check.uniformity->field, 8);
    EXPECT_DOUBLE_EQ(check.numbers[0].expected, 0.5 + 7 * 3.0 / 8);
    EXPECT_DOUBLE_EQ(check.numbers[7].expected, 7 * 3.0 / 8);
}

TEST(HistoryCheck, TicketsThatCannotBeCheckedAreRefused) {
    const auto refusal = [](std::vector<std::vector<int>> tickets) {
        try {
            checkAgainstDraws(miniGame(), miniDraws(), tickets);
        } catch (const std::invalid_argument &error) {
            return std::string(error.what());
        }
        return std::string("checked");
    };
    EXPECT_EQ(refusal({}), "there are no tickets to check");
    EXPECT_EQ(refusal({{1, 2, 3}, {1, 2}}), "the tickets do not all hold the same count of numbers");
    EXPECT_EQ(refusal({{1, 2, 100}}), "a ticket holds 100, outside 1 to 99");
    EXPECT_EQ(refusal({{1, 2, 2}}), "a ticket holds a number twice (1 2 2)");
    EXPECT_EQ(refusal(std::vector<std::vector<int>>(kMaxHistoryTickets + 1, {1, 2, 3})),
              "100,001 tickets are more than the 100,000 checked at once");
}

TEST(HistoryCheck, ChiSquareTailMatchesTables) {
    EXPECT_NEAR(chiSquareUpperTail(3.841458820694124, 1), 0.05, 1e-9);
    EXPECT_NEAR(chiSquareUpperTail(65.17076890356982, 48), 0.05, 1e-9);
    EXPECT_NEAR(chiSquareUpperTail(2, 2), std::exp(-1.0), 1e-12);
    EXPECT_DOUBLE_EQ(chiSquareUpperTail(0, 5), 1);
}

TEST(ReportTickets, ReadsTheTicketsOfAReportAsTheCheckerReadsIt) {
    const std::vector<std::int16_t> numbers = {3, 11, 17, 25, 33, 40, 42};
    const ReportRequest request = reportRequestFor(fullWheelChoice(5, 7, -1), numbers);
    const std::vector<std::vector<int>> tickets = ticketsOfRequest(request);
    ASSERT_EQ(tickets.size(), 21u);
    EXPECT_EQ(tickets.front(), (std::vector<int>{3, 11, 17, 25, 33}));
    for (const auto &ticket : tickets)
        EXPECT_EQ(ticket.size(), 5u);

    // A saved report with a ticket line changed is refused at that line.
    std::vector<std::string> lines = reportLines(request);
    const auto ticket = std::find_if(lines.begin(), lines.end(), [](const std::string &line) {
        return line.starts_with("Lotto Ticket");
    });
    ticket->replace(ticket->size() - 2, 2, "99");
    ReportTickets reader;
    try {
        for (const std::string &line : lines)
            reader.feed(line);
        reader.finish();
        FAIL() << "read";
    } catch (const ReportLineError &error) {
        EXPECT_EQ(error.lineNumber, ticket - lines.begin() + 1);
    }
    ReportTickets empty;
    EXPECT_THROW(empty.finish(), ReportLineError);
}

} // namespace
} // namespace marlek
