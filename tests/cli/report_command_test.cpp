// marlek-lotto-cli report: the core's report lines on standard output (LF) or in a file (CR LF).

#include "number_text.h"
#include "run_cli.h"
#include "temp_dir.h"
#include "wheel_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>

namespace marlek {
namespace {

using test::runCli;

// The report the desktop program writes for that choice, every line ended by `end`.
std::string coreReport(int mode, int index, int numbers, const std::vector<int> &picks,
                       const char *end) {
    SharedState state;
    state.setStartupPicks();
    state.wheelMode = static_cast<std::int16_t>(mode);
    state.wheelIndex = static_cast<std::int16_t>(index);
    state.pickCount = static_cast<std::int16_t>(numbers);
    if (mode == 7 || mode == 8) // as the generator leaves it for a full wheel
        state.ticketCount = static_cast<std::int32_t>(combinations(numbers, mode - 2));
    for (std::size_t i = 0; i < picks.size(); ++i)
        state.picks[i + 1] = static_cast<std::int16_t>(picks[i]);
    std::string text;
    writeReport(state, [&](std::string_view line) {
        text += line;
        text += end;
    });
    return text;
}

struct Case {
    std::vector<std::string> args;
    int mode;
    int index;
    int numbers;
    std::vector<int> picks;
};

const std::vector<Case> kCases = {
    {{"--kind", "5", "--wheel", "0", "--numbers", "3,11,17,25,33,40,42"},
     5,
     0,
     7,
     {3, 11, 17, 25, 33, 40, 42}},
    {{"--kind", "6", "--wheel", "9"}, 6, 9, 8, {}},
    {{"--kind", "5", "--wheel", "29", "--numbers", "9, 8,7,6,5,4,3,2,1"},
     5,
     29,
     9,
     {9, 8, 7, 6, 5, 4, 3, 2, 1}},
    {{"--kind", "5", "--full", "7", "--numbers", "3,11,17,25,33,40,42"},
     7,
     -1,
     7,
     {3, 11, 17, 25, 33, 40, 42}},
    {{"--kind", "6", "--full", "12"}, 8, -1, 12, {}},
    {{"--kind", "6", "--full", "6", "--numbers", "99,1,50,2,49,3"},
     8,
     -1,
     6,
     {99, 1, 50, 2, 49, 3}},
};

TEST(ReportCommand, WritesTheCoresLinesWithLineFeeds) {
    for (const Case &c : kCases) {
        std::vector<std::string> args{"report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = runCli(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, coreReport(c.mode, c.index, c.numbers, c.picks, "\n"));
    }
}

TEST(ReportCommand, WritesTheSameBytesAsTheDesktopSavesWithOut) {
    test::TempDir dir;
    for (const Case &c : kCases) {
        const auto target = dir / "report.txt";
        test::writeFileBytes(target, "an older report, replaced");
        std::vector<std::string> args{"report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--out", target.string()});
        const auto result = runCli(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(test::readFileBytes(target),
                  coreReport(c.mode, c.index, c.numbers, c.picks, "\r\n"));
    }
}

TEST(ReportCommand, WritesTheWorkedExampleFileByteForByte) {
    test::TempDir dir;
    const auto target = dir / "example";
    const auto result = runCli({"report", "--kind", "5", "--wheel", "0", "--numbers",
                                "3,11,17,25,33,40,42", "--out", target.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string bytes = test::readFileBytes(target);
    EXPECT_TRUE(bytes.starts_with("Marlek's Pick 5 Lotto\r\n $5  5 Tickets  7 Numbers  4 of 5 "
                                  "Guarantee\r\n\r\nThe 7 Numbers"));
    EXPECT_TRUE(bytes.ends_with("Thats your  4 of 5 Guarantee\r\nGood Luck in All your Lotto "
                                "Pursuits\r\n"));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 19);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 19);
}

TEST(ReportCommand, WritesAFullWheelOfCombinationsOfNNumbers) {
    const auto result = runCli({"report", "--kind", "5", "--full", "22"});
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), combinations(22, 5) + 14);
    EXPECT_NE(result.out.find("\nPlay these 26334 Tickets\n"), std::string::npos);
    EXPECT_NE(result.out.find("\nLotto Ticket   26334    18  19  20  21  22\n"), std::string::npos);
}

// Standard output that takes the first bytes and then refuses, so a huge report stops early.
struct FirstBytes : std::streambuf {
    std::string kept;
    int overflow(int c) override {
        if (kept.size() >= 4096)
            return traits_type::eof();
        kept += static_cast<char>(c);
        return c;
    }
};

TEST(ReportCommand, PlaysTheNumbers1ToNByDefaultEvenBeyond50) {
    FirstBytes first;
    std::ostream out(&first);
    std::ostringstream err;
    EXPECT_EQ(cli::run({"report", "--kind", "6", "--full", "60"}, {out, err, false}), 1);
    std::string numbers;
    for (int p = 1; p <= 60; ++p)
        numbers += "  " + std::to_string(p);
    EXPECT_NE(first.kept.find("\n" + numbers + "\n"), std::string::npos);
    EXPECT_NE(first.kept.find("\nPlay these 50063860 Tickets\nLotto Ticket   1    01  02  03  04  "
                              "05  06\n"),
              std::string::npos);
}

} // namespace
} // namespace marlek

namespace marlek {
namespace {

// Pick 5 wheel 0 written as a wheel file.
constexpr const char *kWheel0File = "5 7 4 5\n1 2 3 4 5\n1 2 4 5 6\n1 3 4 6 7\n2 3 4 5 7\n"
                                    "2 3 5 6 7\n";

TEST(ReportCommand, ReportsAWheelFileAsTheCatalogueReportsItsWheel) {
    test::TempDir dir;
    const std::string wheel = (dir / "wheel.txt").string();
    test::writeFileBytes(wheel, kWheel0File);
    const auto fromFile =
        runCli({"report", "--wheel-file", wheel, "--numbers", "3,11,17,25,33,40,42"});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, coreReport(5, 0, 7, {3, 11, 17, 25, 33, 40, 42}, "\n"));

    const auto target = dir / "report.txt";
    const auto saved =
        runCli({"report", "--kind", "5", "--wheel-file", wheel, "--out", target.string()});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(test::readFileBytes(target), coreReport(5, 0, 7, {1, 2, 3, 4, 5, 6, 7}, "\r\n"));
}

TEST(ReportCommand, RefusesAWheelFileThatDoesNotFitTheOtherOptions) {
    test::TempDir dir;
    const std::string wheel = (dir / "wheel.txt").string();
    test::writeFileBytes(wheel, kWheel0File);
    const std::string seven = (dir / "seven.txt").string();
    test::writeFileBytes(seven, "7 8 3 7\n1 2 3 4 5 6 7\n");
    struct Case {
        std::vector<std::string> args;
        const char *says;
    };
    const std::vector<Case> cases = {
        {{"--wheel-file", wheel, "--kind", "6"}, "--kind: the wheel file holds a Pick 5 wheel"},
        {{"--wheel-file", wheel, "--numbers", "1,2,3"}, "7 numbers needed, 3 given"},
        {{"--wheel-file", wheel, "--kind", "5", "--wheel", "0"}, "excludes"},
        {{"--wheel-file", seven},
         "reports are for Pick 5 and Pick 6 wheels, and this wheel has "
         "7 numbers a ticket"},
        {{"--wheel-file", ""}, "--wheel-file: the file name is empty"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args{"report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = runCli(args);
        EXPECT_EQ(result.status, 2) << c.says;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace marlek
