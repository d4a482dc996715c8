// marlek-lotto-cli combos: the same files as the generator window's "Save As", the list of saved
// files on standard output, usage errors, write failures and the progress bar on a terminal.

#include "combo_writer.h"
#include "commands.h"
#include "run_cli.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::runCli;
using test::TempDir;

TEST(CombosCommand, WritesTheWindowsFilesAndListsThem) {
    TempDir dir;
    TempDir reference;
    const std::string first = (dir / "c.txt").string();
    const test::CliResult result =
        runCli({"combos", "--kind", "5", "--field", "8", "--per-file", "20", "--out", first});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, ""); // not a terminal: no progress bar
    EXPECT_EQ(result.out, "3 Files Saved\n" + first + "\n1.txt\n2.txt\n");

    SharedState state;
    ASSERT_TRUE(runComboFiles({5, 8, 20, (reference / "c.txt").string()}, state).ok);
    for (const char *name : {"c.txt", "1.txt", "2.txt"})
        EXPECT_EQ(readFileBytes(dir / name), readFileBytes(reference / name)) << name;
}

TEST(CombosCommand, PerFileDefaultsTo400000) {
    TempDir dir;
    const test::CliResult result =
        runCli({"combos", "--kind", "5", "--field", "37", "--out", (dir / "p5").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2 Files Saved\n" + (dir / "p5").string() + "\n1.txt\n"); // 435,897
    EXPECT_EQ(readFileBytes(dir / "1.txt").substr(0, 17), "  Ticket   400001");
}

TEST(CombosCommand, FieldBelowTheKindSavesHeaderAndTrailerAndNoFileCount) {
    TempDir dir;
    const std::string first = (dir / "none.txt").string();
    const test::CliResult result =
        runCli({"combos", "--kind", "6", "--field", "5", "--out", first});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "0 Files Saved\n" + first + "\n");
    EXPECT_NE(readFileBytes(first).find("Play these  Tickets\r\n\r\nTicket Cost based on $1 US"),
              std::string::npos);
}

TEST(CombosCommand, BadInputIsAUsageErrorAndWritesNothing) {
    TempDir dir;
    const std::string out = (dir / "c.txt").string();
    const std::vector<std::vector<std::string>> cases{
        {"combos", "--kind", "6", "--field", "61", "--out", out},
        {"combos", "--kind", "6", "--field", "-1", "--out", out},
        {"combos", "--kind", "6", "--field", "ten", "--out", out},
        {"combos", "--kind", "4", "--field", "10", "--out", out},
        {"combos", "--kind", "6", "--field", "10", "--per-file", "0", "--out", out},
        {"combos", "--kind", "6", "--field", "10", "--per-file", "2147483648", "--out", out},
        {"combos", "--kind", "6", "--field", "10"},
        {"combos", "--kind", "6", "--out", out},
        {"combos", "--kind", "6", "--field", "10", "--out", ""},
    };
    for (const auto &args : cases) {
        const test::CliResult result = runCli(args);
        EXPECT_EQ(result.status, 2) << args[4];
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(CombosCommand, WriteFailureExitsWithTheFileAndReasonAndKeepsEarlierFiles) {
    TempDir dir;
    fs::create_directory(dir / "1.txt");
    const std::string first = (dir / "c.txt").string();
    const test::CliResult result =
        runCli({"combos", "--kind", "6", "--field", "9", "--per-file", "30", "--out", first});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("cannot write \"" + (dir / "1.txt").string() + "\": Is a directory"),
              std::string::npos);
    EXPECT_NE(readFileBytes(first).find(" 1  out of 3\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "2.txt"));
}

TEST(CombosCommand, ProgressBarGoesToATerminalOnly) {
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        cli::run({"combos", "--kind", "6", "--field", "24", "--out", (dir / "c.txt").string()},
                 {out, err, true});
    EXPECT_EQ(status, 0);
    EXPECT_NE(err.str().find("Writing combinations ["), std::string::npos);
    EXPECT_NE(err.str().find("100%"), std::string::npos);
    EXPECT_EQ(out.str().find("Writing"), std::string::npos);
}

} // namespace
} // namespace marlek
