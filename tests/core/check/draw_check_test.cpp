// Checking a draw against a report: hits worked out by hand on the worked example, the guarantee's
// verdict, the draws that are refused, and reports that are not as the report writer wrote them.

#include "draw_check.h"
#include "number_text.h"
#include "plain_wheel.h"
#include "wheel_report.h"
#include "wheel_tables.h"
#include "worked_example.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

using Lines = std::vector<std::string>;

Lines checkOf(const Lines &report, const std::vector<int> &draw) {
    Lines out;
    DrawChecker checker(draw, [&out](std::string_view line) { out.emplace_back(line); });
    for (const std::string &line : report)
        checker.feed(line);
    checker.finish();
    return out;
}

Lines workedExampleCheck(const std::vector<int> &draw) {
    return checkOf(test::kWorkedExampleLines, draw);
}

TEST(DrawCheck, WritesTheCheckOfTheWorkedExample) {
    const Lines expected = {
        "Marlek's Pick 5 Lotto Draw Check",
        "Report  $5   5  Tickets  7 Numbers  Pick 5 Wheel",
        "The Draw  11  25  33  40  42",
        "",
        "The 7 Numbers you've Selected to Play",
        "  3  11  17  25  33  40  42",
        "",
        "Check these 5 Tickets",
        "Lotto Ticket     1    03  11  17  25  33    Hits 3:  11  25  33",
        "Lotto Ticket     2    03  11  25  33  40    Hits 4:  11  25  33  40",
        "Lotto Ticket     3    03  17  25  40  42    Hits 3:  25  40  42",
        "Lotto Ticket     4    11  17  25  33  42    Hits 4:  11  25  33  42",
        "Lotto Ticket     5    11  17  33  40  42    Hits 4:  11  33  40  42",
        "",
        "Tickets with 5 Hits  0",
        "Tickets with 4 Hits  3",
        "Tickets with 3 Hits  2",
        "Tickets with 2 Hits  0",
        "Tickets with 1 Hit   0",
        "Tickets with 0 Hits  0",
        "",
        "Your best Ticket has 4 Hits",
        "Your 7 Numbers hold 5 of the 5 Drawn",
        "Thats your  4 of 5 Guarantee, when 5 of your Numbers are Drawn",
        "This Draw: it applies, and At Least 1 Ticket has 4 Numbers",
        "Good Luck in All your Lotto Pursuits",
    };
    EXPECT_EQ(workedExampleCheck({11, 25, 33, 40, 42}), expected);
}

struct HitsCase {
    std::vector<int> draw;
    std::vector<std::string> hits; // the text after each ticket, worked out by hand
    std::string held;
    std::string verdict;
};

class DrawCheckHits : public ::testing::TestWithParam<HitsCase> {};

TEST_P(DrawCheckHits, CountsEveryTicketsHitsAndJudgesTheGuarantee) {
    const HitsCase &c = GetParam();
    const Lines check = workedExampleCheck(c.draw);
    for (std::size_t t = 0; t < 5; ++t)
        EXPECT_EQ(check[8 + t], test::kWorkedExampleLines[7 + t] + "    Hits " + c.hits[t]);
    EXPECT_EQ(check[22], c.held);
    EXPECT_EQ(check[24], c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExample, DrawCheckHits,
    ::testing::Values(
        // All five drawn numbers played: the guarantee applies, ticket 1 has all five.
        HitsCase{{3, 11, 17, 25, 33},
                 {"5:  03  11  17  25  33", "4:  03  11  25  33", "3:  03  17  25",
                  "4:  11  17  25  33", "3:  11  17  33"},
                 "Your 7 Numbers hold 5 of the 5 Drawn",
                 "This Draw: it applies, and At Least 1 Ticket has 4 Numbers"},
        // Four of five: the guarantee does not apply, though ticket 3 holds four.
        HitsCase{{60, 42, 40, 17, 3},
                 {"2:  03  17", "2:  03  40", "4:  03  17  40  42", "2:  17  42", "3:  17  40  42"},
                 "Your 7 Numbers hold 4 of the 5 Drawn",
                 "This Draw: it does not apply"},
        HitsCase{{1, 2, 3, 4, 5},
                 {"1:  03", "1:  03", "1:  03", "0", "0"},
                 "Your 7 Numbers hold 1 of the 5 Drawn",
                 "This Draw: it does not apply"},
        HitsCase{{1, 2, 4, 5, 99},
                 {"0", "0", "0", "0", "0"},
                 "Your 7 Numbers hold 0 of the 5 Drawn",
                 "This Draw: it does not apply"}));

TEST(DrawCheck, AReportWithCrLfLineEndsChecksTheSame) {
    Lines crLf;
    for (const std::string &line : test::kWorkedExampleLines)
        crLf.push_back(line + "\r");
    EXPECT_EQ(checkOf(crLf, {3, 11, 17, 25, 33}), workedExampleCheck({3, 11, 17, 25, 33}));
}

// The player's numbers 1 to 60, as a run starts them and beyond.
std::vector<std::int16_t> oneToSixty() {
    std::vector<std::int16_t> numbers;
    for (int p = 1; p <= 60; ++p)
        numbers.push_back(static_cast<std::int16_t>(p));
    return numbers;
}

// Every catalogued wheel, and small full wheels, played over 1 to N: the draw of the first k
// numbers is read, and the guarantee applies and holds.
TEST(DrawCheck, EveryWheelsReportIsReadAndItsGuaranteeHolds) {
    std::vector<WheelChoice> choices;
    for (int kind : {5, 6}) {
        for (int index : wheelIndexes(kind)) {
            const Wheel wheel = *findWheel(kind, index);
            choices.push_back(cataloguedWheelChoice(kind, index, wheel.numbers, wheel.tickets));
        }
        choices.push_back(fullWheelChoice(kind, 12, -1));
    }
    for (const WheelChoice &choice : choices) {
        const int kind = lottoKindOfMode(choice.wheelMode);
        std::vector<int> draw;
        for (int n = 1; n <= kind; ++n)
            draw.push_back(n);
        const Lines check = drawCheckLines(reportRequestFor(choice, oneToSixty()), draw);
        ASSERT_FALSE(check.empty());
        EXPECT_THAT(check[check.size() - 2], ::testing::StartsWith("This Draw: it applies, and"))
            << "mode " << choice.wheelMode << " wheel " << choice.wheelIndex.value_or(-1);
    }
}

TEST(DrawCheck, AFullWheelsTicketsAreCheckedAndSummed) {
    const Lines check = drawCheckLines(reportRequestFor(fullWheelChoice(6, 8, -1), oneToSixty()),
                                       {2, 4, 6, 8, 10, 12});
    EXPECT_EQ(check[1], "Report  $28   28  Tickets  8 Numbers  Pick 6 Wheel");
    EXPECT_EQ(check[8], "Lotto Ticket   1    01  02  03  04  05  06    Hits 3:  02  04  06");
    EXPECT_EQ(check[35], "Lotto Ticket   28    03  04  05  06  07  08    Hits 3:  04  06  08");
    // C(4, 4) C(4, 2) tickets with 4 hits, C(4, 3) C(4, 3) with 3, C(4, 2) C(4, 4) with 2.
    EXPECT_EQ(std::vector<std::string>(check.begin() + 37, check.begin() + 44),
              (Lines{"Tickets with 6 Hits  0", "Tickets with 5 Hits  0", "Tickets with 4 Hits  6",
                     "Tickets with 3 Hits  16", "Tickets with 2 Hits  6", "Tickets with 1 Hit   0",
                     "Tickets with 0 Hits  0"}));
    EXPECT_EQ(check[47], "Thats your  6 Guarantee, when 6 of your Numbers are Drawn");
    EXPECT_EQ(check[48], "This Draw: it does not apply");
}

// A designed wheel's guarantee "2 of 3" applies once 3 of the player's numbers are drawn, fewer
// than the 5 a ticket holds.
TEST(DrawCheck, ADesignedWheelsGuaranteeAppliesAtItsOwnCount) {
    const NumberSet low = bitOf(1) | bitOf(2) | bitOf(3) | bitOf(4) | bitOf(5);
    const NumberSet high = bitOf(3) | bitOf(4) | bitOf(5) | bitOf(6) | bitOf(7);
    const PlainWheel wheel{5, 7, {2, 3}, {low, high}};
    const std::vector<std::int16_t> played{3, 11, 17, 25, 33, 40, 42};
    const Lines check =
        drawCheckLines(reportRequestFor(designedWheelChoice(wheel), played), {1, 2, 3, 40, 42});
    EXPECT_THAT(check, ::testing::Contains("Thats your  2 of 3 Guarantee, when 3 of your Numbers "
                                           "are Drawn"));
    EXPECT_THAT(check, ::testing::Contains("This Draw: it applies, and At Least 1 Ticket has 2 "
                                           "Numbers"));
}

// A key wheel's guarantee needs its key numbers drawn too: the same draw count with and without
// them, and a key line that names a number not played is refused.
TEST(DrawCheck, AKeyWheelsGuaranteeAppliesOnlyWithItsKeysDrawn) {
    // Key 1, then positions 2 to 7 in 2 3 4 5 and 4 5 6 7: "2 of 3" with the key drawn.
    const NumberSet low = bitOf(1) | bitOf(2) | bitOf(3) | bitOf(4);
    const NumberSet high = bitOf(3) | bitOf(4) | bitOf(5) | bitOf(6);
    const PlainWheel wheel = keyWheelOver({4, 6, {1, 2}, {low, high}, 0}, 1);
    const std::vector<std::int16_t> played{3, 11, 17, 25, 33, 40, 42};
    const ReportRequest request = reportRequestFor(designedWheelChoice(wheel), played);
    const std::string condition = "Thats your  2 of 3 Guarantee, when 3 of your Numbers are Drawn, "
                                  "Key Number 3 among them";
    const Lines keyDrawn = drawCheckLines(request, {3, 11, 40, 41, 44});
    EXPECT_THAT(keyDrawn, ::testing::Contains(condition));
    EXPECT_THAT(keyDrawn, ::testing::Contains("This Draw: it applies, and At Least 1 Ticket has 2 "
                                              "Numbers"));
    const Lines keyMissed = drawCheckLines(request, {11, 17, 40, 41, 44});
    EXPECT_THAT(keyMissed, ::testing::Contains(condition));
    EXPECT_THAT(keyMissed, ::testing::Contains("This Draw: it does not apply"));

    // The keys are said in the guarantee's own line.
    Lines report = reportLines(request);
    const std::size_t pickAny = report.size() - 4;
    ASSERT_EQ(report[pickAny], "Pick Any 3 of the 7 Numbers you've Selected, Key Number 3 among "
                               "them");
    EXPECT_EQ(report[report.size() - 2], "Thats your  2 of 3 Guarantee");

    // A report saved before, naming its keys in a line after the guarantee, checks the same.
    Lines older = report;
    older[pickAny] = "Pick Any 3 of the 7 Numbers you've Selected";
    older.insert(older.end() - 1,
                 "Key Number 3 is on Every Ticket: the Guarantee holds when it is Drawn");
    EXPECT_EQ(checkOf(older, {3, 11, 40, 41, 44}), keyDrawn);
    EXPECT_EQ(checkOf(older, {11, 17, 40, 41, 44}), keyMissed);

    report[pickAny] = "Pick Any 3 of the 7 Numbers you've Selected, Key Number 4 among them";
    try {
        checkOf(report, {3, 11, 40, 41, 44});
        FAIL() << "a key number not played was taken";
    } catch (const ReportLineError &error) {
        EXPECT_EQ(error.lineNumber, static_cast<std::int64_t>(pickAny) + 1);
        EXPECT_THAT(error.what(), ::testing::HasSubstr("4 is a key number, but not one of the "
                                                       "numbers played"));
    }
}

struct BadDraw {
    std::string typed;
    std::string message;
};

class DrawCheckBadDraws : public ::testing::TestWithParam<BadDraw> {};

TEST_P(DrawCheckBadDraws, AreRefusedWithWhatIsWrong) {
    try {
        parseDraw(GetParam().typed, 5);
        FAIL() << "taken: " << GetParam().typed;
    } catch (const DrawError &error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pick5, DrawCheckBadDraws,
    ::testing::Values(
        BadDraw{"3 11 17 25", "4 numbers given: a Pick 5 draw has 5 numbers"},
        BadDraw{"3 11 17 25 33 40", "6 numbers given: a Pick 5 draw has 5 numbers"},
        BadDraw{"3,11,17,25,33,40,42", "7 numbers given: a Pick 5 draw has 5 numbers"},
        BadDraw{"  , ", "no numbers given: a Pick 5 draw has 5 numbers"},
        BadDraw{"0 11 17 25 33", "0 is not a lotto number: each drawn number is from 1 to 99"},
        BadDraw{"3 11 17 25 100", "100 is not a lotto number: each drawn number is from 1 to 99"},
        BadDraw{"3 11 17 17 33", "17 is given twice: the drawn numbers are all different"},
        BadDraw{"3 11 x7 25 33", "\"x7\" is not a whole number: give the drawn numbers "
                                 "separated by spaces or commas, e.g. 3 11 17 25 33"},
        BadDraw{"3 11 -17 25 33", "\"-17\" is below 1: each drawn number is from 1 to 99"},
        BadDraw{"3.0 11 17 25 33", "\"3.0\" has a decimal point: write whole numbers, e.g. 3"},
        BadDraw{"+3 11 17 25 33", "\"+3\" has a sign: write the number alone, e.g. 3"}));

// The example in the message has the count of the report's own kind.
TEST(DrawCheck, APick6DrawsExampleHasSixNumbers) {
    try {
        parseDraw("3 11 17 25 33 4O", 6);
        FAIL() << "taken";
    } catch (const DrawError &error) {
        EXPECT_EQ(std::string(error.what()), "\"4O\" is not a whole number: give the drawn "
                                             "numbers separated by spaces or commas, e.g. 3 11 "
                                             "17 25 33 40");
    }
}

TEST(DrawCheck, TakesSpacesCommasAndLeadingZerosAndSorts) {
    EXPECT_EQ(parseDraw(" 42, 7 ,99,,01   33 ", 5), (std::vector<int>{1, 7, 33, 42, 99}));
    EXPECT_EQ(parseDraw("6 5 4 3 2 1", 6), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(DrawCheck, ADrawOfTheWrongKindIsRefusedAtTheTitle) {
    EXPECT_THROW(workedExampleCheck({1, 2, 3, 4, 5, 6}), DrawError);
}

struct BrokenReport {
    std::string what;
    Lines report;
    std::int64_t line; // the line named
};

Lines edited(std::size_t index, const std::string &text) {
    Lines lines = test::kWorkedExampleLines;
    lines[index] = text;
    return lines;
}

Lines without(std::size_t index) {
    Lines lines = test::kWorkedExampleLines;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    return lines;
}

Lines cutAfter(std::size_t count) {
    return Lines(test::kWorkedExampleLines.begin(),
                 test::kWorkedExampleLines.begin() + static_cast<std::ptrdiff_t>(count));
}

class DrawCheckBrokenReports : public ::testing::TestWithParam<BrokenReport> {};

TEST_P(DrawCheckBrokenReports, AreRefusedNamingTheLine) {
    try {
        checkOf(GetParam().report, {3, 11, 17, 25, 33});
        FAIL() << GetParam().what << " was taken";
    } catch (const ReportLineError &error) {
        EXPECT_EQ(error.lineNumber, GetParam().line) << error.what();
        EXPECT_THAT(error.what(), ::testing::StartsWith("line " + plain(GetParam().line) + ": "));
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExample, DrawCheckBrokenReports,
    ::testing::Values(
        BrokenReport{"an empty file", {}, 1},
        BrokenReport{"a report cut after ticket 3", cutAfter(10), 11},
        BrokenReport{"a report cut before its last line", cutAfter(18), 19},
        BrokenReport{"ticket 4 left out", without(10), 11},
        BrokenReport{"a ticket number changed",
                     edited(9, "Lotto Ticket     3    03  17  26  40  42"), 10},
        BrokenReport{"a ticket with 4 numbers", edited(8, "Lotto Ticket     2    03  11  25  33"),
                     9},
        BrokenReport{"a ticket label renumbered",
                     edited(8, "Lotto Ticket     7    03  11  25  33  40"), 9},
        BrokenReport{"a played number changed", edited(4, "  3  11  17  25  33  40  43"), 10},
        BrokenReport{"a played number doubled", edited(4, "  3  11  17  25  33  40  40"), 5},
        // Refused whatever the draw: 42 is not drawn.
        BrokenReport{"a ticket with a repeated number",
                     edited(7, "Lotto Ticket     1    03  11  17  42  42"), 8},
        BrokenReport{"the ticket count changed",
                     edited(1, " $5  6 Tickets  7 Numbers  4 of 5 Guarantee"), 2},
        BrokenReport{"a tab in a line", edited(13, "Does this Wheel Work?\tIt's Easy to Prove."),
                     14},
        BrokenReport{"no report at all", {"Hello", "world"}, 1},
        BrokenReport{"the report before any wheel", {"Marlek's "}, 1},
        BrokenReport{"a line after the last",
                     [] {
                         Lines lines = test::kWorkedExampleLines;
                         lines.push_back("");
                         return lines;
                     }(),
                     20}));

// A wheel held to a ticket budget below its guarantee states the coverage it has, never the full
// guarantee, and the check says whether the draw was one it covers.
TEST(DesignedReport, AWheelShortOfItsGuaranteeStatesItsCoverage) {
    // 1 2 3 4 5 6 over 7 numbers meets "3 of 3" for the 20 triples inside it, of 35.
    const PlainWheel wheel{6, 7, {3, 3}, {0b0111111}, 0};
    const std::vector<std::int16_t> numbers{3, 11, 17, 25, 33, 40, 42};
    const ReportRequest request = reportRequestFor(designedWheelChoice(wheel, 20, 35), numbers);
    const auto lines = reportLines(request);
    EXPECT_EQ(lines[1], " $1  1 Tickets  7 Numbers  3 of 3 Guarantee for 20 of 35 Draws");
    EXPECT_EQ(lines[lines.size() - 3],
              "Check All  1 Tickets. For 20 of the 35 ways, At Least 1 Ticket will have 3 Numbers");
    EXPECT_EQ(lines[lines.size() - 2], "Thats your  3 of 3 Guarantee for 20 of 35 Draws");
    for (const std::string &line : lines)
        EXPECT_FALSE(line.ends_with("3 of 3 Guarantee")) << line;

    const auto covered = drawCheckLines(request, {3, 11, 17, 50, 51, 52});
    EXPECT_EQ(covered[covered.size() - 3], "Thats your  3 of 3 Guarantee for 20 of 35 Draws, "
                                           "when 3 of your Numbers are Drawn");
    EXPECT_EQ(covered[covered.size() - 2],
              "This Draw: it is one the wheel covers, and At Least 1 Ticket has 3 Numbers");
    const auto missed = drawCheckLines(request, {3, 11, 42, 50, 51, 52});
    EXPECT_EQ(missed[missed.size() - 2],
              "This Draw: it is not one the wheel covers: NO Ticket has 3 Numbers");
    // A wheel that keeps its guarantee is reported as ever.
    EXPECT_EQ(reportLines(reportRequestFor(designedWheelChoice(wheel, 35, 35), numbers)),
              reportLines(reportRequestFor(designedWheelChoice(wheel), numbers)));
}

} // namespace
} // namespace marlek
