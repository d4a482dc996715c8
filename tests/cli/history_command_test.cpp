// marlek-lotto-cli history import and list, and check --history: the draw history in the user's
// data folder, each output format, and the usage errors.

#include "run_cli.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace marlek {
namespace {

using test::runCli;

const std::string kFixtures = MARLEK_HISTORY_FIXTURES;

class HistoryCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_config.path() / "marlek-lotto/games");
        std::filesystem::copy_file(kFixtures + "/test-lotto.game",
                                   m_config.path() / "marlek-lotto/games/test-lotto.game");
    }
    static std::string fixture(const std::string &name) { return kFixtures + "/" + name; }

    test::TempDir m_config;
    test::TempDir m_data;
    test::ScopedEnv m_configEnv{"XDG_CONFIG_HOME", m_config.path().c_str()};
    test::ScopedEnv m_dataEnv{"XDG_DATA_HOME", m_data.path().c_str()};
};

TEST_F(HistoryCommand, ImportsIntoTheDataFolderAndLists) {
    const test::CliResult first = runCli(
        {"history", "import", fixture("columns_newest_first.csv"), "--game", "test lotto"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "4 rows: 4 draws added, 0 already stored, 0 contradicting stored draws, "
                         "0 refused\n");
    EXPECT_TRUE(std::filesystem::exists(m_data.path() / "marlek-lotto/draws.sqlite"));

    const test::CliResult second = runCli({"history", "import", fixture("second_source.csv"),
                                           "--game", "Test Lotto", "--format", "tsv"});
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.out,
              "line\toutcome\treason\n"
              "3\tcontradiction\t2020-09-23 (draw 100): the file has 3 7 14 21 29 47 + 35, the "
              "stored draw 14 3 29 48 7 21 + 35; the stored draw is kept\n"
              "-\tcounts\t5 rows: 1 draw added, 3 already stored, 1 contradicting a stored draw, "
              "0 refused\n");

    EXPECT_EQ(runCli({"history", "list", "--game", "Test Lotto", "--from", "2020-09-26"}).out,
              "2020-09-26  draw 101  23 5 41 17 36 2 + 44\n"
              "2020-09-26  draw 102  8 19 30 12 47 33 + 1\n"
              "2020-09-30  1 2 3 4 5 6 + 7\n"
              "3 draws of Test Lotto\n");
    EXPECT_EQ(runCli({"history", "list", "--game", "Test Lotto", "--to", "2020-09-19", "--format",
                      "tsv"})
                  .out,
              "date\tdraw\tmain\tbonus\n2020-09-19\t99\t40 11 26 9 45 31\t18\n");
    const nlohmann::json json = nlohmann::json::parse(
        runCli({"history", "list", "--game", "Test Lotto", "--format", "json"}).out);
    EXPECT_EQ(json["draws"].size(), 5u);
    EXPECT_EQ(json["draws"][0]["main"], nlohmann::json({40, 11, 26, 9, 45, 31}));
    EXPECT_EQ(json["draws"][4]["number"], nullptr);

    const nlohmann::json imported = nlohmann::json::parse(
        runCli({"history", "import", fixture("untidy_rows.csv"), "--game", "Test Lotto",
                "--format", "json"})
            .out);
    EXPECT_EQ(imported["added"], 1);
    EXPECT_EQ(imported["refused"], 8);
    EXPECT_EQ(imported["refused_rows"][0]["line"], 2);
}

TEST_F(HistoryCommand, ColumnsOptionReadsAnUnknownHeader) {
    const test::CliResult refused =
        runCli({"history", "import", fixture("unknown_header.csv"), "--game", "Test Lotto"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_THAT(refused.err, testing::HasSubstr("the header row does not say which columns hold "
                                                "the date and the numbers"));
    EXPECT_THAT(refused.err, testing::HasSubstr("(with --columns)"));
    EXPECT_EQ(refused.out, "");
    const test::CliResult read =
        runCli({"history", "import", fixture("unknown_header.csv"), "--game", "Test Lotto",
                "--columns", "date,draw,main,main,main,main,main,main,bonus"});
    EXPECT_EQ(read.status, 0);
    EXPECT_THAT(read.out, testing::StartsWith("2 rows: 2 draws added"));
}

TEST_F(HistoryCommand, UsageErrors) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::string csv = fixture("columns_newest_first.csv");
    const Case cases[] = {
        {{"history", "import", csv}, 2, "--game: name the game the draws belong to"},
        {{"history", "import", csv, "--game", "Nope"}, 2, "--game: no game is named \"Nope\""},
        {{"history", "import", csv, "--game", "Test Lotto", "--columns", "date,balls"},
         2,
         "--columns: \"balls\" is no column role"},
        {{"history", "import", fixture("missing.csv"), "--game", "Test Lotto"},
         1,
         "cannot read"},
        {{"history", "list", "--game", "Test Lotto", "--from", "2020-13-01"},
         2,
         "--from: \"2020-13-01\" is no date written YYYY-MM-DD"},
        {{"history", "list", "--game", "Test Lotto", "--from", "2020-02-01", "--to", "2020-01-01"},
         2,
         "--to: 2020-01-01 is before --from 2020-02-01"},
        {{"history"}, 2, ""},
        {{"check", "--history", "--game", "Test Lotto"}, 2, "check --history: give one of"},
        {{"check", "--history", "--game", "Test Lotto", "--kind", "6", "--full", "8", "--draw",
          "1,2,3,4,5,6"},
         2,
         "check: --draw checks one draw, --history every stored draw: give one"},
        {{"check", "--kind", "6", "--full", "8", "--draw", "1,2,3,4,5,6", "--game", "Test Lotto"},
         2,
         "--game goes with --history"},
        {{"check", "--history", "--game", "Test Lotto", "--tickets", csv},
         2,
         "--tickets: \"" + csv + "\" is no ticket list: line 1"},
    };
    for (const Case &c : cases) {
        const test::CliResult result = runCli(c.args);
        EXPECT_EQ(result.status, c.status) << c.args.back() << result.err;
        EXPECT_THAT(result.err, testing::HasSubstr(c.message)) << c.args.back();
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(HistoryCommand, ChecksEachKindOfTicketsAgainstTheStoredDraws) {
    ASSERT_EQ(runCli({"history", "import", fixture("columns_newest_first.csv"), "--game",
                      "Test Lotto"})
                  .status,
              0);
    // The same eight numbers three ways: a full wheel, its saved report, a ticket list.
    const std::vector<std::string> wheel = {"--kind", "6", "--full", "8", "--numbers",
                                            "3,7,14,21,29,48,1,2"};
    std::vector<std::string> args = {"check", "--history", "--game", "Test Lotto"};
    args.insert(args.end(), wheel.begin(), wheel.end());
    const test::CliResult full = runCli(args);
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_THAT(full.out, testing::HasSubstr("28 Tickets of 6 Numbers against 4 stored draws (all "
                                             "of them)\n"
                                             "This is a record of what happened. Past draws do "
                                             "not predict the next one"));
    EXPECT_THAT(full.out, testing::HasSubstr("\n  2020-09-23 (draw 100)  14 3 29 48 7 21 + 35  28 "
                                             "tickets; best: ticket 1, 6, won "));

    const test::TempDir files;
    const std::string report = (files / "wheel.txt").string();
    std::vector<std::string> save = {"report", "--out", report};
    save.insert(save.end(), wheel.begin(), wheel.end());
    ASSERT_EQ(runCli(save).status, 0);
    const test::CliResult fromReport =
        runCli({"check", "--history", "--game", "Test Lotto", "--report", report});
    EXPECT_EQ(fromReport.out, full.out);

    test::writeFileBytes(files / "tickets.txt", "3-7-14-21-29-48\n01 02 03 04 05 06\n");
    const nlohmann::json json = nlohmann::json::parse(
        runCli({"check", "--history", "--game", "Test Lotto", "--tickets",
                (files / "tickets.txt").string(), "--format", "json", "--from", "2020-09-20"})
            .out);
    EXPECT_EQ(json["draws"], 3);
    EXPECT_EQ(json["tickets"], 2);
    ASSERT_EQ(json["wins"].size(), 1u);
    EXPECT_EQ(json["wins"][0]["best_level"], "6");
    EXPECT_EQ(json["spent"], "12.00");
    EXPECT_EQ(json["won"], "1000000.00");
    EXPECT_EQ(json["chi_square"]["degrees_of_freedom"], 48);

    // The same list read as --wheel-file plays its own numbers: the same record.
    const test::CliResult asList = runCli({"check", "--history", "--game", "Test Lotto",
                                           "--tickets", (files / "tickets.txt").string()});
    const test::CliResult asWheel = runCli({"check", "--history", "--game", "Test Lotto",
                                            "--wheel-file", (files / "tickets.txt").string()});
    EXPECT_EQ(asWheel.status, 0) << asWheel.err;
    EXPECT_EQ(asWheel.out, asList.out);
}

} // namespace
} // namespace marlek
