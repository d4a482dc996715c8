// marlek-lotto-cli check: the core's check lines on standard output, from a wheel given by its
// options or from a saved report, and the refusals under the tool's rules.

#include "draw_check.h"
#include "run_cli.h"
#include "temp_dir.h"
#include "worked_example.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plain_wheel.h"
#include "wheel_report.h"

#include <optional>
#include <utility>

#include <sys/stat.h>

namespace marlek {
namespace {

using test::runCli;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::vector<std::string> kWorkedExampleWheel = {
    "check", "--kind", "5", "--wheel", "0", "--numbers", "3,11,17,25,33,40,42"};

std::vector<std::string> withArgs(std::vector<std::string> args,
                                  const std::vector<std::string> &more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The lines the core's checker writes for the worked example, each ended by LF.
std::string workedExampleCheck(const std::vector<int> &draw) {
    std::string text;
    writeDrawCheck(test::workedExampleRequest(), draw, [&text](std::string_view line) {
        text += line;
        text += '\n';
    });
    return text;
}

std::string savedWorkedExample() {
    std::string bytes;
    for (const std::string &line : test::kWorkedExampleLines)
        bytes += line + "\r\n";
    return bytes;
}

// The worked example saved with some of its lines (by index from 0) replaced, or taken out where
// the replacement is nothing.
using LineEdits = std::vector<std::pair<std::size_t, std::optional<std::string>>>;
std::string savedWorkedExampleWith(const LineEdits &edits) {
    std::vector<std::optional<std::string>> lines(test::kWorkedExampleLines.begin(),
                                                  test::kWorkedExampleLines.end());
    for (const auto &[index, line] : edits)
        lines.at(index) = line;
    std::string bytes;
    for (const std::optional<std::string> &line : lines)
        if (line)
            bytes += *line + "\r\n";
    return bytes;
}

// Ticket 3 taken out, the tickets after it numbered on and every count of tickets put right: one
// draw of 5 of the 7 numbers (3 17 25 40 42, ticket 3 itself) then leaves every ticket short.
const LineEdits kTicket3Deleted = {
    {1, " $4  4 Tickets  7 Numbers  4 of 5 Guarantee"},
    {6, "Play these 4 Tickets"},
    {9, std::nullopt},
    {10, "Lotto Ticket     3    11  17  25  33  42"},
    {11, "Lotto Ticket     4    11  17  33  40  42"},
    {16, "Check All  4 Tickets. At Least 1 Ticket will have 4 Numbers"},
};

TEST(CheckCommand, PrintsTheCoresCheckOfAWheel) {
    const test::CliResult result =
        runCli(withArgs(kWorkedExampleWheel, {"--draw", "42,40,33,25,11"}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, workedExampleCheck({11, 25, 33, 40, 42}));
    EXPECT_EQ(result.err, "");
}

// A report saved by the desktop program (CR LF) or by report to standard output (LF) checks
// exactly as the wheel itself does.
TEST(CheckCommand, ChecksASavedReportAsTheWheelItself) {
    test::TempDir dir;
    const std::string crLf = savedWorkedExample();
    std::string lf;
    for (const std::string &line : test::kWorkedExampleLines)
        lf += line + "\n";
    for (const std::string &bytes : {crLf, lf}) {
        test::writeFileBytes(dir / "report.txt", bytes);
        const test::CliResult result =
            runCli({"check", "--report", (dir / "report.txt").string(), "--draw", "3 11 17 25 33"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, workedExampleCheck({3, 11, 17, 25, 33}));
    }

    // And a report the report command saved, of a full Pick 6 wheel.
    ASSERT_EQ(runCli({"report", "--kind", "6", "--full", "9", "--out", (dir / "full.txt").string()})
                  .status,
              0);
    const test::CliResult fromFile =
        runCli({"check", "--report", (dir / "full.txt").string(), "--draw", "1,2,3,4,5,6"});
    const test::CliResult fromWheel =
        runCli({"check", "--kind", "6", "--full", "9", "--draw", "1,2,3,4,5,6"});
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, fromWheel.out);
}

struct Refusal {
    std::string what;
    std::vector<std::string> args;
    std::string report; // bytes of report.txt in the test's folder; its path replaces FILE
    int status;
    std::string message;
};

class CheckCommandRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(CheckCommandRefuses, WithOneMessageAndNothingOnStandardOutput) {
    const Refusal &c = GetParam();
    test::TempDir dir;
    const std::string path = (dir / "report.txt").string();
    if (!c.report.empty())
        test::writeFileBytes(path, c.report);
    std::vector<std::string> args = c.args;
    for (std::string &arg : args)
        if (arg == "FILE")
            arg = path;
    const test::CliResult result = runCli(args);
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_EQ(result.out, "") << c.what;
    EXPECT_THAT(result.err, StartsWith("marlek-lotto-cli: ")) << c.what;
    EXPECT_THAT(result.err, HasSubstr(c.message)) << c.what;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << c.what;
}

std::string cutShort(std::size_t bytes) {
    return savedWorkedExample().substr(0, bytes);
}

std::string editedTicket() {
    std::string bytes = savedWorkedExample();
    const std::size_t at = bytes.find("03  17  25  40  42");
    bytes.replace(at, 2, "04");
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckCommandRefuses,
    ::testing::Values(
        Refusal{"four numbers drawn", withArgs(kWorkedExampleWheel, {"--draw", "3,11,17,25"}), "",
                2, "--draw: 4 numbers given: a Pick 5 draw has 5 numbers"},
        Refusal{"a letter", withArgs(kWorkedExampleWheel, {"--draw", "3,11,17,25,x"}), "", 2,
                "--draw: \"x\" is not a whole number"},
        Refusal{"no draw", kWorkedExampleWheel, "", 2, "--draw"},
        Refusal{"no wheel",
                {"check", "--kind", "5", "--draw", "1,2,3,4,5"},
                "",
                2,
                "check: give --wheel I"},
        Refusal{"neither kind nor report",
                {"check", "--draw", "1,2,3,4,5"},
                "",
                2,
                "check: give --report FILE"},
        Refusal{"a report and a wheel",
                {"check", "--report", "FILE", "--kind", "5", "--wheel", "0", "--draw", "1,2,3,4,5"},
                savedWorkedExample(),
                2,
                "excludes"},
        Refusal{"a Pick 6 draw for a Pick 5 report",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5,6"},
                savedWorkedExample(),
                2,
                "--draw: 6 numbers given: a Pick 5 draw has 5 numbers"},
        Refusal{"a missing file",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                "",
                1,
                "No such file or directory"},
        Refusal{"a report cut in a ticket line",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                cutShort(300),
                2,
                "line 11: the line has no line end"},
        Refusal{"a report cut before its last line end",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                cutShort(savedWorkedExample().size() - 2),
                2,
                "line 19: the line has no line end"},
        Refusal{"an edited ticket",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                editedTicket(),
                2,
                "line 10: ticket 3 holds 4, which is not one of the numbers"},
        Refusal{"a file without line ends",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                std::string(10000, 'x'),
                2,
                "line 1: the line is longer than any report line"},
        // Guarantee lines that cannot be true of any tickets, or that the other lines contradict.
        Refusal{"more drawn than a ticket holds",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith({{1, " $5  5 Tickets  7 Numbers  4 of 7 Guarantee"}}),
                2,
                "line 2: the guarantee \"4 of 7\" counts 7 numbers drawn, but a Pick 5 draw has 5"},
        Refusal{"more won than drawn",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith({{1, " $5  5 Tickets  7 Numbers  5 of 4 Guarantee"}}),
                2,
                "line 2: the guarantee \"5 of 4\" promises 5 numbers won of 4 drawn: a ticket "
                "can win 1 to 4 of them"},
        Refusal{"a guarantee in other words",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith({{1, " $5  5 Tickets  7 Numbers  four of 5 Guarantee"}}),
                2,
                "line 2: \" $5  5 Tickets  7 Numbers  four of 5 Guarantee\" states no guarantee"},
        Refusal{"more draws kept than there are",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith(
                    {{1, " $5  5 Tickets  7 Numbers  4 of 5 Guarantee for 22 of 21 Draws"}}),
                2,
                "line 2: the guarantee is kept for 22 of 21 Draws: more draws than there are"},
        Refusal{"a count of draws that is not the count of draws",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith(
                    {{1, " $5  5 Tickets  7 Numbers  4 of 5 Guarantee for 20 of 30 Draws"},
                     {16, "Check All  5 Tickets. For 20 of the 30 ways, At Least 1 Ticket will "
                          "have 4 Numbers"},
                     {17, "Thats your  4 of 5 Guarantee for 20 of 30 Draws"}}),
                2,
                "line 2: the guarantee is stated for 20 of 30 Draws, but 5 of the 7 numbers "
                "played can be drawn in 21 ways"},
        Refusal{"a count drawn that is not the guarantee's",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith({{15, "Pick Any 4 of the 7 Numbers you've Selected"}}),
                2,
                "line 16: \"Pick Any 4 of the 7 Numbers you've Selected\" counts 4 numbers "
                "drawn, but the guarantee of line 2, \"4 of 5\", counts 5"},
        Refusal{"a count won that is not the guarantee's",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith(
                    {{16, "Check All  5 Tickets. At Least 1 Ticket will have 3 Numbers"}}),
                2,
                "line 17: \"Check All  5 Tickets. At Least 1 Ticket will have 3 Numbers\" "
                "promises 3 numbers, but the guarantee of line 2, \"4 of 5\", promises 4"},
        Refusal{"as many keys as numbers won",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith({{15, "Pick Any 5 of the 7 Numbers you've Selected, Key "
                                             "Numbers 3 11 17 25 among them"}}),
                2,
                "names 4 key numbers, but the guarantee \"4 of 5\" has room for at most 3"},
        Refusal{"a key named twice",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                savedWorkedExampleWith({{15, "Pick Any 5 of the 7 Numbers you've Selected, Key "
                                             "Numbers 3 3 among them"}}),
                2,
                "line 16: 3 is named twice as a key number"},
        Refusal{"more numbers than any report plays",
                {"check", "--report", "FILE", "--draw", "1,2,3,4,5"},
                [] {
                    std::string numbers;
                    for (int n = 1; n <= 61; ++n)
                        numbers += "  " + std::to_string(n);
                    return savedWorkedExampleWith(
                        {{1, " $5  5 Tickets  61 Numbers  4 of 5 Guarantee"},
                         {3, "The 61 Numbers you've Selected to Play"},
                         {4, numbers}});
                }(),
                2,
                "line 5: the report plays 61 numbers: a report plays at most 60"}));

// The real program reads a report it cannot read twice: from a pipe through /dev/stdin, and from
// a FIFO written once by another process.
TEST(CheckCommand, ReadsAReportFromAPipeOrAFifoOnce) {
    test::TempDir dir;
    test::writeFileBytes(dir / "report.txt", savedWorkedExample());
    const std::string expected = workedExampleCheck({11, 25, 33, 40, 42});

    // sh -c 'cat REPORT | PROGRAM check --report /dev/stdin --draw ...' PROGRAM REPORT
    test::CliProcessOptions piped;
    piped.wrapper = {"/bin/sh", "-c",
                     "cat \"$1\" | \"$0\" check --report /dev/stdin --draw 11,25,33,40,42"};
    const test::CliResult fromPipe =
        test::runCliProcess({(dir / "report.txt").string()}, dir.path(), piped);
    EXPECT_EQ(fromPipe.status, 0) << fromPipe.err;
    EXPECT_EQ(fromPipe.out, expected);

    const std::filesystem::path fifo = dir / "report.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    test::CliProcessOptions fromFifo;
    fromFifo.wrapper = {"/bin/sh", "-c",
                        "cat \"$1\" > \"$2\" & exec \"$0\" check --report \"$2\" "
                        "--draw 11,25,33,40,42"};
    const test::CliResult fromFifoResult =
        test::runCliProcess({(dir / "report.txt").string(), fifo.string()}, dir.path(), fromFifo);
    EXPECT_EQ(fromFifoResult.status, 0) << fromFifoResult.err;
    EXPECT_EQ(fromFifoResult.out, expected);

    // A cut report through a pipe still writes nothing but the message.
    test::writeFileBytes(dir / "cut.txt", savedWorkedExample().substr(0, 200));
    piped.wrapper[2] = "cat \"$1\" | \"$0\" check --report /dev/stdin --draw 11,25,33,40,42";
    const test::CliResult cut =
        test::runCliProcess({(dir / "cut.txt").string()}, dir.path(), piped);
    EXPECT_EQ(cut.status, 2);
    EXPECT_EQ(cut.out, "");
    EXPECT_NE(cut.err.find("is not a report as this program saves it"), std::string::npos)
        << cut.err;
}

// The tickets of a saved report decide whether the guarantee it states holds: a ticket changed,
// a ticket taken out with its counts put right, or a guarantee line raised is checked as the
// tickets are, and the check says plainly that they do not keep the guarantee, without claiming
// it for the draw. A change that keeps the guarantee is checked as the wheel itself.
TEST(CheckCommand, ProvesTheGuaranteeOverTheTicketsOfTheFile) {
    struct Case {
        std::string what;
        LineEdits edits;
        std::string draw;
        std::vector<std::string> lastLines;
    };
    const std::string notKept = "These Tickets do not keep the guarantee the report states: 4 of "
                                "5, when 5 of your Numbers are Drawn";
    const Case cases[] = {
        {"ticket 3 taken out: the draw it alone covered",
         kTicket3Deleted,
         "3,17,25,40,42",
         {notKept, "They keep it for 20 of the 21 such Draws",
          "This Draw: it is not one these Tickets cover: NO Ticket has 4 Numbers"}},
        {"ticket 3 taken out: a draw the others cover",
         kTicket3Deleted,
         "3,11,17,25,33",
         {notKept, "They keep it for 20 of the 21 such Draws",
          "This Draw: it is one these Tickets cover, and At Least 1 Ticket has 4 Numbers"}},
        {"ticket 3 changed into a copy of ticket 1",
         {{9, "Lotto Ticket     3    03  11  17  25  33"}},
         "3,17,25,40,42",
         {notKept, "They keep it for 20 of the 21 such Draws",
          "This Draw: it is not one these Tickets cover: NO Ticket has 4 Numbers"}},
        {"the guarantee raised to 5 of 5 in every line",
         {{1, " $5  5 Tickets  7 Numbers  5 of 5 Guarantee"},
          {16, "Check All  5 Tickets. At Least 1 Ticket will have 5 Numbers"},
          {17, "Thats your  5 of 5 Guarantee"}},
         "11,17,25,33,40",
         {"These Tickets do not keep the guarantee the report states: 5 of 5, when 5 of your "
          "Numbers are Drawn",
          "They keep it for 5 of the 21 such Draws",
          "This Draw: it is not one these Tickets cover: NO Ticket has 5 Numbers"}},
        {"fewer draws kept than the report states",
         {{1, " $5  5 Tickets  7 Numbers  4 of 5 Guarantee for 21 of 21 Draws"},
          {9, "Lotto Ticket     3    03  11  17  25  33"},
          {16, "Check All  5 Tickets. For 21 of the 21 ways, At Least 1 Ticket will have 4 "
               "Numbers"},
          {17, "Thats your  4 of 5 Guarantee for 21 of 21 Draws"}},
         "3,11,17,25,33",
         {"These Tickets do not keep the guarantee the report states: 4 of 5 for 21 of 21 Draws, "
          "when 5 of your Numbers are Drawn",
          "They keep it for 20 of the 21 such Draws",
          "This Draw: it is one these Tickets cover, and At Least 1 Ticket has 4 Numbers"}},
        {"ticket 5 taken out: the other four keep the guarantee",
         {{1, " $4  4 Tickets  7 Numbers  4 of 5 Guarantee"},
          {6, "Play these 4 Tickets"},
          {11, std::nullopt},
          {16, "Check All  4 Tickets. At Least 1 Ticket will have 4 Numbers"}},
         "3,17,25,40,42",
         {"Thats your  4 of 5 Guarantee, when 5 of your Numbers are Drawn",
          "This Draw: it applies, and At Least 1 Ticket has 4 Numbers"}},
    };
    test::TempDir dir;
    for (const Case &c : cases) {
        test::writeFileBytes(dir / "report.txt", savedWorkedExampleWith(c.edits));
        const test::CliResult result =
            runCli({"check", "--report", (dir / "report.txt").string(), "--draw", c.draw});
        EXPECT_EQ(result.status, 0) << c.what << ": " << result.err;
        std::string expected;
        for (const std::string &line : c.lastLines)
            expected += line + "\n";
        expected += "Good Luck in All your Lotto Pursuits\n";
        EXPECT_TRUE(result.out.ends_with(expected)) << c.what << ":\n" << result.out;
        // Nothing before the summary claims the guarantee either.
        EXPECT_EQ(result.out.find("Thats your") == std::string::npos,
                  c.lastLines.front().starts_with("These Tickets"))
            << c.what;
    }
}

// Reports of every shape the program writes check from their files exactly as from the wheel:
// a key wheel's, a full wheel's and one held to a ticket budget, each proven over its tickets.
TEST(CheckCommand, UneditedReportsOfEveryShapeCheckAsTheWheelItself) {
    const PlainWheel workedWheel = plainWheelOf(*findWheel(5, 0)); // 4 of 5 over 7
    PlainWheel budgetWheel = workedWheel;
    budgetWheel.tickets.erase(budgetWheel.tickets.begin() + 2); // 20 of the 21 draws of 5
    const std::vector<std::int16_t> numbers = {4, 8, 15, 16, 23, 42, 44, 49};
    const ReportRequest requests[] = {
        reportRequestFor(designedWheelChoice(keyWheelOver(workedWheel, 1)), numbers),
        reportRequestFor(designedWheelChoice(budgetWheel, 20, 21), numbers),
        reportRequestFor(fullWheelChoice(5, 8, -1), numbers),
    };
    test::TempDir dir;
    for (const ReportRequest &request : requests) {
        std::string saved;
        writeReport(request, [&saved](std::string_view line) {
            saved += line;
            saved += "\r\n";
        });
        test::writeFileBytes(dir / "report.txt", saved);
        for (const std::vector<int> &draw :
             {std::vector<int>{4, 8, 15, 16, 23, 42}, std::vector<int>{1, 2, 3, 4, 8, 15}}) {
            const int kind = lottoKindOfMode(request.wheel.wheelMode);
            const std::vector<int> drawn(draw.begin(), draw.begin() + kind);
            std::string drawText;
            for (int number : drawn)
                drawText += (drawText.empty() ? "" : ",") + std::to_string(number);
            std::string expected;
            writeDrawCheck(request, drawn, [&expected](std::string_view line) {
                expected += line;
                expected += '\n';
            });
            const test::CliResult result =
                runCli({"check", "--report", (dir / "report.txt").string(), "--draw", drawText});
            EXPECT_EQ(result.status, 0) << saved << result.err;
            EXPECT_EQ(result.out, expected) << saved;
            EXPECT_EQ(result.out.find("These Tickets"), std::string::npos) << result.out;
        }
    }
}

// A ticket with a repeated number is refused whatever the draw, here with neither copy drawn.
TEST(CheckCommand, RefusesATicketWithARepeatedNumberAlways) {
    test::TempDir dir;
    std::string bytes = savedWorkedExample();
    const std::string ticket = "Lotto Ticket     1    03  11  17  25  33";
    bytes.replace(bytes.find(ticket), ticket.size(), "Lotto Ticket     1    03  11  17  42  42");
    test::writeFileBytes(dir / "report.txt", bytes);
    const test::CliResult result = test::runCliProcess(
        {"check", "--report", (dir / "report.txt").string(), "--draw", "3,11,17,25,33"},
        dir.path());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("line 8: ticket 1 holds 42 twice"), std::string::npos) << result.err;
}

} // namespace
} // namespace marlek
