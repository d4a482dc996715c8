// marlek-lotto-cli verify: the proof of every catalogued wheel, and a wheel that fails it.

#include "run_cli.h"
#include "temp_dir.h"
#include "verify_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace marlek {
namespace {

using test::runCli;

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(VerifyCommand, ProvesEveryCataloguedWheelKind5First) {
    const auto result = runCli({"verify"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const auto lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 1u + 24 + 28);
    EXPECT_EQ(lines[0], "kind\tindex\tnumbers\ttickets\tclaimed\tproven\tstatus\tbest_known");
    EXPECT_EQ(lines[1], "5\t0\t7\t5\t4\t4\tok\t-");
    EXPECT_EQ(lines[15], "5\t14\t26\t150\t3\t3\tok\t-");
    EXPECT_EQ(lines[22], "5\t31\t5\t1\t3\t5\tok\t-");
    EXPECT_EQ(lines[25], "6\t0\t14\t5\t3\t3\tok\t4");
    EXPECT_EQ(lines[35], "6\t10\t23\t30\t3\t3\tok\t17");
    EXPECT_EQ(lines[43], "6\t28\t7\t2\t3\t5\tok\t-");
    EXPECT_EQ(lines[52], "6\t37\t11\t6\t3\t4\tok\t-");
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_NE(lines[i].find("\tok\t"), std::string::npos) << lines[i];
}

TEST(VerifyCommand, TakesOneKindWhenAsked) {
    const auto result = runCli({"verify", "--kind", "6"});
    EXPECT_EQ(result.status, 0);
    const auto lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 1u + 28);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].starts_with("6\t")) << lines[i];
}

TEST(VerifyCommand, ReportsFailForABrokenWheel) {
    std::vector<Wheel> wheels = cli::cataloguedWheels(5);
    ASSERT_EQ(wheels.size(), 24u);
    const Wheel &wheel0 = wheels.front();
    // Wheel 0 with its third ticket (1 3 4 6 7) written as a copy of the first: it still claims
    // 4 of 5, but 1 3 4 6 7 itself now meets no ticket in more than 3.
    std::vector<std::int16_t> positions(wheel0.positions.begin(), wheel0.positions.end());
    std::copy_n(positions.begin(), 5, positions.begin() + 10);
    Wheel broken = wheel0;
    broken.positions = positions;
    wheels.insert(wheels.begin() + 1, broken);

    std::ostringstream out;
    std::ostringstream err;
    cli::Io io{out, err, false};
    EXPECT_FALSE(cli::writeVerifyTable(wheels, io));
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[1], "5\t0\t7\t5\t4\t4\tok\t-");
    EXPECT_EQ(lines[2], "5\t0\t7\t5\t4\t3\tFAIL\t-");
    EXPECT_EQ(lines[3], "5\t1\t11\t5\t3\t3\tok\t5");

    std::ostringstream fine;
    cli::Io good{fine, err, false};
    EXPECT_TRUE(cli::writeVerifyTable(cli::cataloguedWheels(5), good));
}

TEST(VerifyCommand, ProvesAWheelFileForEveryCountDrawn) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    // Pick 6 wheel 28 as a file: two tickets over 7 numbers, any 6 of which share 5 with one;
    // 1 and 7 are never on one ticket together.
    test::writeFileBytes(path, "6 7 3 6\r\n1 2 3 4 5 6\r\n2 3 4 5 6 7\r\n");
    const auto result = runCli({"verify", "--wheel-file", path, "--threads", "2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(linesOf(result.out),
              (std::vector<std::string>{"drawn\tproven\tclaimed\tstatus", "1\t1\t\t", "2\t1\t\t",
                                        "3\t2\t\t", "4\t3\t\t", "5\t4\t\t", "6\t5\t3\tok"}));

    test::writeFileBytes(path, "6 8 6 7\n1 2 3 4 5 6\n"); // 2 to 8 meet it in five
    const auto failing = runCli({"verify", "--wheel-file", path});
    EXPECT_EQ(failing.status, 1);
    EXPECT_EQ(linesOf(failing.out).back(), "7\t5\t6\tFAIL");
    EXPECT_EQ(linesOf(failing.out).size(), 8u);
}

TEST(VerifyCommand, ProvesAKeyWheelForTheDrawsThatHoldItsKeys) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    // Key 1 with 2 3 and with 4 5: a pair drawn with 1 is on a ticket, but 2 4 is on none.
    test::writeFileBytes(path, "3 5 2 2 1\n1 2 3\n1 4 5\n");
    const auto result = runCli({"verify", "--wheel-file", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(
        linesOf(result.out),
        (std::vector<std::string>{"key number 1 is in every ticket: the lines below count "
                                  "only the draws that hold it",
                                  "drawn\tproven\tclaimed\tstatus", "2\t2\t2\tok", "3\t2\t\t"}));

    test::writeFileBytes(path, "3 5 2 2\n1 2 3\n1 4 5\n");
    const auto withoutKeys = runCli({"verify", "--wheel-file", path});
    EXPECT_EQ(withoutKeys.status, 1);
    EXPECT_EQ(linesOf(withoutKeys.out)[2], "2\t1\t2\tFAIL");
}

TEST(VerifyCommand, RefusesAWheelFileItCannotReadOrThatIsNoWheelFile) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    test::writeFileBytes(path, "6 7 3 6\n1 2 3 4 5 6\n2 3 4 5 6 8\n");
    const auto bad = runCli({"verify", "--wheel-file", path});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "marlek-lotto-cli: --wheel-file: \"" + path +
                           "\" is no wheel file: line 3: 8 is not a number from 1 to 7\n");

    const auto missing = runCli({"verify", "--wheel-file", (dir / "none.txt").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos) << missing.err;
    const auto folder = runCli({"verify", "--wheel-file", dir.path().string()});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("Is a directory"), std::string::npos) << folder.err;
    EXPECT_EQ(runCli({"verify", "--wheel-file", path, "--kind", "6"}).status, 2);

    test::writeFileBytes(path, "6 49 3 20\n1 2 3 4 5 6\n");
    const auto huge = runCli({"verify", "--wheel-file", path});
    EXPECT_EQ(huge.status, 2);
    EXPECT_EQ(huge.out, "");
    EXPECT_EQ(huge.err, "marlek-lotto-cli: --wheel-file: proving it means checking its 1 ticket "
                        "against the 71,176,501,409,755 ways to draw 1 to 20 of 49 numbers, "
                        "71,176,501,409,755 checks at worst, more than the 100,000,000,000 a "
                        "proof here takes\n");
}

// A million tickets over 30 numbers: few sets, but each may be checked against every ticket,
// which would take hours. Refused with the figures before the proof starts, by every command
// that proves a wheel file.
TEST(VerifyCommand, RefusesAMillionTicketWheelFileBeforeTheProof) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    std::string file = "6 30 6 6\n";
    for (int i = 0; i < 1'000'000; ++i)
        file += "1 2 3 4 5 6\n"; // every other draw of 6 meets it in 5 at most
    test::writeFileBytes(path, file);
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const Case cases[] = {
        {{"verify", "--wheel-file", path},
         "768,211 ways to draw 1 to 6 of 30 numbers, "
         "768,211,000,000 checks at worst"},
        {{"report", "--wheel-file", path, "--out", (dir / "report.txt").string()},
         "593,775 ways to draw 6 of 30 numbers, 593,775,000,000 checks at worst"},
    };
    for (const Case &c : cases) {
        const auto result = runCli(c.args);
        EXPECT_EQ(result.status, 2) << c.args.front();
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "marlek-lotto-cli: --wheel-file: proving it means checking each of "
                              "its 1,000,000 tickets against the " +
                                  c.says + ", more than the 100,000,000,000 a proof here takes\n");
    }
    EXPECT_EQ(test::filesIn(dir.path()), std::vector<std::string>{"wheel.txt"});
}

} // namespace
} // namespace marlek
