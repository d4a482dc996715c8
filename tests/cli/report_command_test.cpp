// marlek-lotto-cli report: the core's report lines on standard output (LF) or in a file (CR LF);
// --out under a signal, with a link to nothing, and with the longest names.

#include "number_text.h"
#include "run_cli.h"
#include "stop_signals.h"
#include "temp_dir.h"
#include "wheel_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <streambuf>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::runCli;
using test::TempDir;

// The report the desktop program writes for that choice, every line ended by `end`.
std::string coreReport(int mode, int index, int numbers, const std::vector<int> &picks,
                       const char *end) {
    WheelChoice choice{static_cast<std::int16_t>(mode), static_cast<std::int16_t>(index),
                       static_cast<std::int16_t>(numbers), 0, std::nullopt, std::nullopt};
    if (mode == 7 || mode == 8) // as the generator hands it on
        choice = fullWheelChoice(mode - 2, numbers, -1);
    std::vector<std::int16_t> played;
    for (int p = 1; p <= 60; ++p) // the numbers 1 to N unless given
        played.push_back(static_cast<std::int16_t>(p));
    for (std::size_t i = 0; i < picks.size(); ++i)
        played[i] = static_cast<std::int16_t>(picks[i]);
    std::string text;
    writeReport(reportRequestFor(choice, played), [&](std::string_view line) {
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

// Ctrl+C, SIGTERM and SIGHUP sent part-way through a long report: the old file stays as it was and
// the temporary file beside it is gone.
TEST(ReportCommandFaults, ASignalPartWayLeavesTheOldFileAndNoTemporaryFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempDir dir;
        TempDir logs;
        const fs::path target = dir / "r.txt";
        test::writeFileBytes(target, "the report saved yesterday\r\n");
        test::CliProcess report({"report", "--kind", "6", "--full", "45", "--out", target.string()},
                                logs.path());
        // Part-way: the temporary file has taken its first megabytes.
        ASSERT_TRUE(test::waitUntil([&] {
            for (const auto &entry : fs::directory_iterator(dir.path()))
                if (entry.path().filename().string().starts_with(".marlek-") &&
                    entry.file_size() > (std::uintmax_t{4} << 20))
                    return true;
            return false;
        }));
        ::kill(report.pid(), signal);
        const test::CliResult result = report.wait();
        EXPECT_EQ(result.status, 128 + signal);
        EXPECT_EQ(result.err, "marlek-lotto-cli: stopped by " + signalName(signal) + " before \"" +
                                  target.string() + "\" was complete; it is left as it was\n");
        EXPECT_EQ(readFileBytes(target), "the report saved yesterday\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
}

TEST(ReportCommandFaults, ALinkToNothingIsRefusedAndNothingIsCreated) {
    TempDir dir;
    fs::create_symlink(dir / "gone.txt", dir / "link.txt");
    const std::string out = (dir / "link.txt").string();
    const test::CliResult result = runCli({"report", "--kind", "6", "--wheel", "9", "--out", out});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "marlek-lotto-cli: cannot write \"" + out + "\": It is a link to \"" +
                              (dir / "gone.txt").string() + "\", which does not exist\n");
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_FALSE(fs::exists(dir / "gone.txt"));
}

TEST(ReportCommandFaults, WritesTargetsOfTheLongestNamesAFolderTakes) {
    TempDir dir;
    for (const std::size_t length : {248u, 255u}) {
        const fs::path target = dir / std::string(length, 'w');
        const test::CliResult result =
            runCli({"report", "--kind", "6", "--wheel", "9", "--out", target.string()});
        EXPECT_EQ(result.status, 0) << length << ": " << result.err;
        EXPECT_EQ(readFileBytes(target), coreReport(6, 9, 8, {}, "\r\n")) << length;
    }
}

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

// Pick 5 wheel 0's tickets written by a player with the numbers they play.
constexpr const char *kWheel0List = "# wheel 0\r\n03-11-17-25-33\r\n03, 11, 25, 33, 40\r\n"
                                    "3 17 25 40 42\r\n\r\n11 17 25 33 42\r\n11-17-33-40-42";

TEST(ReportCommand, ATicketListPlaysItsOwnNumbersWithTheGuaranteeItsProofFinds) {
    test::TempDir dir;
    const std::string list = (dir / "list.txt").string();
    test::writeFileBytes(list, kWheel0List);
    const auto own = runCli({"report", "--wheel-file", list});
    ASSERT_EQ(own.status, 0) << own.err;
    EXPECT_EQ(own.out, coreReport(5, 0, 7, {3, 11, 17, 25, 33, 40, 42}, "\n"));
    const auto other = runCli({"report", "--wheel-file", list, "--numbers", "1,2,3,4,5,6,7"});
    ASSERT_EQ(other.status, 0) << other.err;
    EXPECT_EQ(other.out, coreReport(5, 0, 7, {1, 2, 3, 4, 5, 6, 7}, "\n"));

    // verify states what it keeps for every count drawn; a bad line is named.
    const auto verified = runCli({"verify", "--wheel-file", list});
    EXPECT_EQ(verified.status, 0) << verified.err;
    EXPECT_EQ(verified.out, "drawn\tproven\tclaimed\tstatus\n1\t1\t\t\n2\t2\t\t\n3\t2\t\t\n"
                            "4\t3\t\t\n5\t4\t4\tok\n");
    test::writeFileBytes(list, "1 2 3 4 5\n1 2 3 4 5 6\n");
    const auto bad = runCli({"verify", "--wheel-file", list});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "marlek-lotto-cli: --wheel-file: \"" + list +
                           "\" is no wheel file: line 2: 5 numbers needed, 6 given\n");
}

TEST(ReportCommand, AKeyWheelFilesKeysAreTheFirstNumbersAndItsReportSaysSo) {
    test::TempDir dir;
    const std::string wheel = (dir / "wheel.txt").string();
    // Pick 5 wheel 0 with key 1 put in every ticket: "5 of 6" over 8 numbers with 1 drawn.
    test::writeFileBytes(wheel, "6 8 5 6 1\n1 2 3 4 5 6\n1 2 3 5 6 7\n1 2 4 5 7 8\n"
                                "1 3 4 5 6 8\n1 3 4 6 7 8\n");
    const auto result =
        runCli({"report", "--wheel-file", wheel, "--numbers", "9,3,11,17,25,33,40,42"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\nLotto Ticket     1    09  03  11  17  25  33\n"),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(result.out.ends_with("Pick Any 6 of the 8 Numbers you've Selected, Key Number 9 "
                                     "among them\n"
                                     "Check All  5 Tickets. At Least 1 Ticket will have 5 "
                                     "Numbers\n"
                                     "Thats your  5 of 6 Guarantee\n"
                                     "Good Luck in All your Lotto Pursuits\n"))
        << result.out;
}

TEST(ReportCommand, RefusesAWheelFileThatDoesNotFitTheOtherOptions) {
    test::TempDir dir;
    const std::string wheel = (dir / "wheel.txt").string();
    test::writeFileBytes(wheel, kWheel0File);
    const std::string seven = (dir / "seven.txt").string();
    test::writeFileBytes(seven, "7 8 3 7\n1 2 3 4 5 6 7\n");
    const std::string false3of6 = (dir / "false.txt").string();
    test::writeFileBytes(false3of6, "6 14 3 6\n1 2 3 4 5 6\n7 8 9 10 11 12\n");
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
        {{"--wheel-file", false3of6},
         "--wheel-file: the wheel does not keep the 3 of 6 guarantee its file claims"},
        // The quick checks come before the proof.
        {{"--wheel-file", false3of6, "--numbers", "1,2,3"}, "14 numbers needed, 3 given"},
        {{"--wheel-file", false3of6, "--out", ""}, "--out: the file name is empty"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args{"report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = runCli(args);
        EXPECT_EQ(result.status, 2) << c.says;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
    // So is the file of --out: a folder that cannot take it is said before the proof.
    const auto noFolder =
        runCli({"report", "--wheel-file", false3of6, "--out", (dir / "none" / "r.txt").string()});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_NE(noFolder.err.find("No such file or directory"), std::string::npos) << noFolder.err;
}

// A wheel file whose proof takes long: the file of --out is opened before it, and a signal ends
// the proof at once, removes the temporary file and leaves the old report as it was.
TEST(ReportCommandFaults, ASignalDuringTheProofLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    TempDir logs;
    // 100,000 copies of one ticket that no draw of 6 but itself meets in 6: every set goes
    // through every ticket, 59 billion checks in all.
    const std::string wheel = (dir / "wheel.txt").string();
    std::string file = "6 30 6 6\n";
    for (int i = 0; i < 100'000; ++i)
        file += "1 2 3 4 5 6\n";
    test::writeFileBytes(wheel, file);
    const fs::path target = dir / "r.txt";
    test::writeFileBytes(target, "the report saved yesterday\r\n");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        test::CliProcess report({"report", "--wheel-file", wheel, "--out", target.string()},
                                logs.path());
        ASSERT_TRUE(test::waitUntil([&] { return test::filesIn(dir.path()).size() == 3; }));
        ::kill(report.pid(), signal);
        const test::CliResult result = report.wait();
        EXPECT_EQ(result.status, 128 + signal);
        EXPECT_EQ(result.err, "marlek-lotto-cli: stopped by " + signalName(signal) + " before \"" +
                                  target.string() +
                                  "\" was proven and written; it is left as it was\n");
        EXPECT_EQ(readFileBytes(target), "the report saved yesterday\r\n");
        EXPECT_EQ(test::filesIn(dir.path()), (std::vector<std::string>{"r.txt", "wheel.txt"}));
    }
}

} // namespace
} // namespace marlek
