// marlek-lotto-cli games: the list of presets and the player's games in every format, one game's
// rules and prizes, and its usage errors.

#include "run_cli.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include "game_file.h"
#include "game_library.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace marlek {
namespace {

using test::runCli;

class GamesCommand : public ::testing::Test {
protected:
    std::filesystem::path playerFolder() const { return m_config / "marlek-lotto/games"; }

    // A game of the player's, saved as the program saves it.
    std::string saveOwn(const std::string &name) {
        Game game = plainGame(5, 35);
        game.name = name;
        return savePlayerGame(game, playerFolder().string());
    }

    test::TempDir m_config;
    test::ScopedEnv m_env{"XDG_CONFIG_HOME", m_config.path().c_str()};
    GameList m_presets = loadGames(defaultGameFolders());
};

std::size_t lineCount(const std::string &text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(GamesCommand, ListsThePresetsAndThePlayersGamesSayingWhichIsUsed) {
    const std::size_t presets = m_presets.games.size();
    ASSERT_GE(presets, 4u);
    const test::CliResult none = runCli({"games"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.err, "");
    EXPECT_EQ(lineCount(none.out), presets + 2);
    EXPECT_TRUE(none.out.starts_with("Presets (" + m_presets.folders.presets + "):\n"));
    EXPECT_TRUE(none.out.ends_with("Your games (" + playerFolder().string() +
                                   "): none yet; a game file saved there as NAME.game is yours\n"));
    EXPECT_NE(none.out.find("\n  Powerball     5 of 69 + 1 of 26     2.00 USD  rules from "
                            "2015-10-07\n"),
              std::string::npos)
        << none.out;

    saveOwn("powerball");
    const test::CliResult mine = runCli({"games"});
    EXPECT_NE(mine.out.find("  rules from 2015-10-07  (yours of the same name is used)\n"),
              std::string::npos)
        << mine.out;
    EXPECT_TRUE(mine.out.ends_with("):\n  powerball     5 of 35                   1.00  "
                                   "powerball.game\n"))
        << mine.out;

    const test::CliResult tsv = runCli({"games", "--format", "tsv"});
    EXPECT_EQ(tsv.status, 0);
    EXPECT_TRUE(tsv.out.starts_with("name\torigin\tused\tmain\tbonus\tprice\tcurrency\trules_from\t"
                                    "file\n"));
    EXPECT_EQ(lineCount(tsv.out), presets + 2);
    EXPECT_NE(tsv.out.find("\nPowerball\tpreset\tno\t5 of 69\t1 of 26\t2.00\tUSD\t2015-10-07\t"),
              std::string::npos);
    EXPECT_TRUE(tsv.out.ends_with("\npowerball\tyours\tyes\t5 of 35\t-\t1.00\t-\t-\t" +
                                  (playerFolder() / "powerball.game").string() + "\n"));

    const test::CliResult json = runCli({"games", "--format", "json"});
    EXPECT_EQ(json.status, 0);
    const auto parsed = nlohmann::json::parse(json.out);
    EXPECT_EQ(parsed["player_folder"], playerFolder().string());
    ASSERT_EQ(parsed["games"].size(), presets + 1);
    const auto &own = parsed["games"].back();
    EXPECT_EQ(own["name"], "powerball");
    EXPECT_EQ(own["origin"], "yours");
    EXPECT_EQ(own["used"], true);
    EXPECT_EQ(own["rules"][0]["from"], nullptr);
    EXPECT_EQ(own["rules"][0]["drawn"], 5);
    EXPECT_EQ(own["rules"][0]["price"], "1.00");
    EXPECT_TRUE(parsed["refused"].empty());
}

// A bad file of the player's is named with its line and field on standard error, escaped, and the
// rest is listed as ever.
TEST_F(GamesCommand, SaysWhichOfThePlayersFilesWereNotRead) {
    saveOwn("Mine");
    std::filesystem::create_directories(playerFolder());
    test::writeFileBytes(playerFolder() / "bad.game",
                         "format: marlek-lotto-game 1\nname: Bad\n[rules]\nmain: 6 of 49\n"
                         "price: 1\x1b[31m\n");
    for (const char *format : {"text", "tsv", "json"}) {
        const test::CliResult result = runCli({"games", "--format", format});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "marlek-lotto-cli: not read: \"" +
                                  (playerFolder() / "bad.game").string() +
                                  "\": line 5: price: write an amount as digits with an optional "
                                  "point and two decimals, e.g. 2.50, not \"1\\x1b[31m\"\n");
        EXPECT_NE(result.out.find("Mine"), std::string::npos) << format;
    }
    const auto parsed = nlohmann::json::parse(runCli({"games", "--format", "json"}).out);
    ASSERT_EQ(parsed["refused"].size(), 1u);
    EXPECT_EQ(parsed["refused"][0]["file"], (playerFolder() / "bad.game").string());
}

TEST_F(GamesCommand, ShowsOneGamesRulesAndPrizesByName) {
    const test::CliResult text = runCli({"games", "--show", "POWERBALL"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_TRUE(text.out.starts_with("Powerball\n  preset: "));
    for (const char *line : {"\nRules from 2012-01-15 to 2015-10-06\n",
                             "\nRules from 2015-10-07 on\n"
                             "  main draw: 5 of the numbers 1 to 69; a ticket holds 5\n"
                             "  bonus pool: 1 of the numbers 1 to 26; a ticket picks 1\n"
                             "  price of a ticket: 2.00 USD\n"
                             "  prizes (main numbers matched + bonus numbers matched):\n"
                             "    5+1  estimate  20,000,000.00 USD\n"
                             "    5+0  fixed      1,000,000.00 USD\n",
                             "    0+1  fixed              4.00 USD\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;

    const test::CliResult ball = runCli({"games", "--show", "lotto 6/49"});
    EXPECT_NE(ball.out.find("  bonus ball: 1 more drawn from the same numbers after the main "
                            "draw\n"),
              std::string::npos);
    EXPECT_NE(ball.out.find("  a level without + takes the tickets"), std::string::npos);

    const test::CliResult tsv = runCli({"games", "--show", "Powerball", "--format", "tsv"});
    EXPECT_TRUE(
        tsv.out.starts_with("rules_from\trules_to\tmain\tbonus\tprice\tlevel\tkind\tamount\n"
                            "2009-01-07\t2012-01-14\t5 of 59\t1 of 39\t1.00\t-\t-\t-\n"
                            "2012-01-15\t2015-10-06\t5 of 59\t1 of 35\t2.00\t5+1\testimate\t"
                            "40000000.00\n"))
        << tsv.out;

    // The player's own game of a preset's name is the one shown.
    const std::string own = saveOwn("Powerball");
    const auto json =
        nlohmann::json::parse(runCli({"games", "--show", "Powerball", "--format", "json"}).out);
    EXPECT_EQ(json["origin"], "yours");
    EXPECT_EQ(json["file"], own);
    EXPECT_EQ(json["rules"][0]["field"], 35);
}

TEST_F(GamesCommand, AMistakeIsAUsageErrorWithNothingPrinted) {
    const std::vector<std::vector<std::string>> cases = {
        {"games", "--show", "Nothing Like It"}, {"games", "--show", ""}, {"games", "--show"},
        {"games", "--format", "xml"},           {"games", "--format"},   {"games", "extra"},
    };
    for (const auto &args : cases) {
        const test::CliResult result = runCli(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_TRUE(result.err.starts_with("marlek-lotto-cli: ")) << result.err;
        EXPECT_EQ(lineCount(result.err), 1u) << result.err;
    }
    EXPECT_EQ(runCli({"games", "--show", "Nothing Like It"}).err,
              "marlek-lotto-cli: --show: no game is named \"Nothing Like It\"; 'marlek-lotto-cli "
              "games' lists the games\n");
}

} // namespace
} // namespace marlek
