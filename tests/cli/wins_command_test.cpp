// marlek-lotto-cli wins: the win table and odds of a catalogued wheel, a wheel file and a saved
// report, in every format, and the requests it refuses.

#include "run_cli.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include "game_library.h"
#include "wheel_tables.h"
#include "wins_texts.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace marlek {
namespace {

using test::runCli;

class WinsCommand : public ::testing::Test {
protected:
    std::string write(const std::string &name, const std::string &text) {
        const std::filesystem::path path = m_dir.path() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    std::string readFile(const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    test::TempDir m_dir;
    test::TempDir m_config;
    test::ScopedEnv m_env{"XDG_CONFIG_HOME", m_config.path().c_str()};
};

std::string joined(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines)
        text += line + '\n';
    return text;
}

TEST_F(WinsCommand, PrintsTheDocumentOfACataloguedWheelInAGame) {
    const test::CliResult result = runCli({"wins", "--kind", "6", "--wheel", "7", "--game", "lotto 6/49"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const GameList games = loadGames(defaultGameFolders());
    const WinsDocument document =
        winsDocument(*playedWheelOf(reportRequestFor(
                         cataloguedWheelChoice(6, 7, 20, 17), std::vector<std::int16_t>{})),
                     findGame(games, "Lotto 6/49")->game, false, BonusPlay::sameChoice);
    EXPECT_EQ(result.out, joined(winsLines(document)));

    // Without a game: the table alone; with a field: the odds of each count matched.
    const test::CliResult table = runCli({"wins", "--kind", "6", "--wheel", "7"});
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.out.find("The Odds"), std::string::npos);
    const test::CliResult field = runCli({"wins", "--kind", "6", "--wheel", "7", "--field", "49"});
    EXPECT_NE(field.out.find("The Odds in Pick 6 of 49\n"), std::string::npos) << field.out;
    EXPECT_NE(field.out.find("\n6 Numbers Matched\n"), std::string::npos);
}

TEST_F(WinsCommand, MachineReadableTablesHoldTheExactFigures) {
    const test::CliResult json =
        runCli({"wins", "--full", "7", "--kind", "5", "--game", "Powerball", "--bonus", "every",
                "--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto parsed = nlohmann::json::parse(json.out);
    EXPECT_EQ(parsed["wheel"]["tickets"], 21);
    EXPECT_EQ(parsed["table"].size(), 6u);
    EXPECT_EQ(parsed["game"]["bonus_play"], "every");
    EXPECT_EQ(parsed["plays"]["one_ticket"]["levels"][0]["chance"], "1/292201338");
    EXPECT_EQ(parsed["plays"]["one_ticket"]["tickets"], "1");
    EXPECT_EQ(parsed["plays"]["wheel"]["tickets"], "546"); // 21 tickets, each with all 26 balls
    EXPECT_EQ(parsed["plays"]["wheel"]["cost"], "1,092.00");

    const test::CliResult tsv = runCli({"wins", "--kind", "5", "--wheel", "0", "--field", "35",
                                        "--format", "tsv"});
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_TRUE(tsv.out.starts_with(
        "winning\tmatched\tways\tfewest\tmost\ttotal\taverage\tways_with_any\n0\t0\t1\t5\t5\t5\t5\t1\n"));
    EXPECT_NE(tsv.out.find("\n\nplay\tlevel\tprize\tkind\tchance\tone_in\tpercent\texpected_tickets\n"
                           "wheel\t5\t-\t-\t"),
              std::string::npos)
        << tsv.out;
    EXPECT_NE(tsv.out.find("\none_ticket\t5\t-\t-\t1/324632\t1 in 324,632\t"), std::string::npos);
}

TEST_F(WinsCommand, ASavedReportGivesTheTableOfItsWheelAndAnEditedOneIsRefused) {
    const std::string numbers = "2,5,8,11,13,17,19,21,24,28,30,32,35,37,40,41,43,45,47,49";
    const std::string path = (m_dir.path() / "wheel.txt").string();
    ASSERT_EQ(runCli({"report", "--kind", "6", "--wheel", "7", "--numbers", numbers, "--out", path})
                  .status,
              0);
    const test::CliResult fromReport = runCli({"wins", "--report", path, "--field", "49"});
    const test::CliResult fromWheel =
        runCli({"wins", "--kind", "6", "--wheel", "7", "--numbers", numbers, "--field", "49"});
    ASSERT_EQ(fromReport.status, 0) << fromReport.err;
    EXPECT_EQ(fromReport.out, fromWheel.out);

    std::string edited = readFile(path);
    edited.replace(edited.find("Lotto Ticket     2    02  08"), 28, "Lotto Ticket     2    02  09");
    const test::CliResult refused = runCli({"wins", "--report", write("edited.txt", edited)});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("is not a report as this program saves it: line 9: "),
              std::string::npos)
        << refused.err;
}

TEST_F(WinsCommand, AKeyWheelsReportGivesTheSameAsItsWheelFile) {
    // Key number 1 in every ticket: any two of the other six lie in one ticket.
    const std::string wheel =
        write("key.wheel", "5 7 3 3 1\n1 2 3 4 5\n1 2 3 6 7\n1 4 5 6 7\n");
    const std::string numbers = "9,2,4,6,8,10,12";
    const std::string report = (m_dir.path() / "key.txt").string();
    ASSERT_EQ(runCli({"report", "--wheel-file", wheel, "--numbers", numbers, "--out", report}).status, 0);
    const test::CliResult fromReport = runCli({"wins", "--report", report});
    const test::CliResult fromWheel = runCli({"wins", "--wheel-file", wheel, "--numbers", numbers});
    ASSERT_EQ(fromReport.status, 0) << fromReport.err;
    EXPECT_EQ(fromReport.out, fromWheel.out);
    EXPECT_NE(fromReport.out.find("3 Tickets over 7 Numbers, 5 a Ticket, 3 of 3 Guarantee, Key Number 9\n"),
              std::string::npos)
        << fromReport.out;
    EXPECT_NE(fromReport.out.find("The 3 of 3 Guarantee holds in all 15 Ways 3 of your Numbers can be "
                                  "drawn that hold the Key Number."),
              std::string::npos);
}

TEST_F(WinsCommand, AWheelFileThatFailsItsClaimListsItsHolesAsTheDrawnNumbers) {
    // Two tickets over 7 numbers claiming 4 of 5: the draws that leave out two of 3, 4 and 5
    // meet each ticket in 3 only.
    const std::string path = write("two.wheel", "5 7 4 5\n1 2 3 4 5\n3 4 5 6 7\n");
    const test::CliResult result =
        runCli({"wins", "--wheel-file", path, "--numbers", "10,20,30,40,50,60,70"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("The 4 of 5 Guarantee fails in 3 of the 21 Ways. The first 3, as "
                              "drawn:\n  10 20 30 60 70\n  10 20 40 60 70\n  10 20 50 60 70\n"),
              std::string::npos)
        << result.out;
}

TEST_F(WinsCommand, RefusesBadRequestsWithAClearMessage) {
    const std::string wheel = write("w.wheel", "5 7 4 5\n1 2 3 4 5\n3 4 5 6 7\n");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"wins"}, "wins: give --kind K with --wheel I or --full N, --wheel-file FILE"},
        {{"wins", "--kind", "6", "--wheel", "7", "--game", "Nowhere"}, "--game: no game is named \"Nowhere\""},
        {{"wins", "--kind", "6", "--wheel", "7", "--game", "Powerball"},
         "--game: Powerball cannot play this wheel: a ticket of this game holds 5 numbers, the wheel's 6"},
        {{"wins", "--kind", "6", "--wheel", "7", "--field", "19"},
         "--field: the game draws from 19 numbers, fewer than the 20 the wheel plays"},
        {{"wins", "--kind", "6", "--wheel", "7", "--game", "UK Lotto", "--bonus", "every"},
         "--bonus: UK Lotto has no bonus pool"},
        {{"wins", "--kind", "6", "--wheel", "7", "--field", "49", "--bonus", "same"},
         "--bonus: only a game with a bonus pool"},
        {{"wins", "--kind", "5", "--wheel", "0", "--field", "49", "--game", "Powerball"}, "excludes"},
        {{"wins", "--wheel-file", wheel, "--kind", "6"}, "--kind: the wheel file holds a wheel of 5 numbers"},
        {{"wins", "--report", ""}, "--report: the file name is empty"},
        {{"wins", "--kind", "6", "--full", "60", "--field", "49"},
         "--field: the game draws from 49 numbers, fewer than the 60"},
    };
    for (const Case &c : cases) {
        const test::CliResult result = runCli(c.args);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    const test::CliResult missing = runCli({"wins", "--report", (m_dir.path() / "none.txt").string()});
    EXPECT_EQ(missing.status, 1);
}

} // namespace
} // namespace marlek
