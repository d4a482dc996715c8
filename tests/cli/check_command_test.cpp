// marlek-lotto-cli check: the core's check lines on standard output, from a wheel given by its
// options or from a saved report, and the refusals under the tool's rules.

#include "draw_check.h"
#include "run_cli.h"
#include "temp_dir.h"
#include "worked_example.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
                "line 1: the line is longer than any report line"}));

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
