// The game file: what is written reads back the same, and a bad or incomplete file is refused
// with its line and field named.

#include "game_file.h"

#include "file_output.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace marlek {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

std::string fileOf(const Game &game) {
    std::string text;
    writeGameFile(game, [&text](std::string_view line) { (text += line) += '\n'; });
    return text;
}

Game read(const std::string &text) {
    std::istringstream in(text);
    return readGameFile(in);
}

Game twoEras() {
    Game game{"Powerball", "Check the prizes.", "USD", {}};
    game.rules.push_back({std::nullopt, 5, 59, {BonusKind::pool, 1, 35}, std::nullopt, {}});
    GameRules now{2015y / 10 / 7, 5, 69, {BonusKind::pool, 1, 26}, Money{200}, {}};
    now.prizes = {{5, 1, PrizeKind::estimate, Money{2000000000}},
                  {5, 0, PrizeKind::fixed, Money{100000000}},
                  {0, 1, PrizeKind::fixed, Money{400}}};
    game.rules.push_back(now);
    return game;
}

TEST(GameFile, WritesAFileThatReadsBackTheSameGame) {
    const Game game = twoEras();
    const std::string text = fileOf(game);
    EXPECT_EQ(text, "format: marlek-lotto-game 1\n"
                    "name: Powerball\n"
                    "currency: USD\n"
                    "note: Check the prizes.\n"
                    "\n"
                    "[rules]\n"
                    "main: 5 of 59\n"
                    "bonus pool: 1 of 35\n"
                    "\n"
                    "[rules from 2015-10-07]\n"
                    "main: 5 of 69\n"
                    "bonus pool: 1 of 26\n"
                    "price: 2.00\n"
                    "prize 5+1: estimate 20000000.00\n"
                    "prize 5+0: fixed 1000000.00\n"
                    "prize 0+1: fixed 4.00\n");
    EXPECT_EQ(read(text), game);

    Game ball{"Lotto 6/49", {}, {}, {}};
    GameRules rules{1982y / 6 / 12, 6, 49, {BonusKind::ball, 1, 0}, Money{300}, {}};
    rules.prizes = {{6, std::nullopt, PrizeKind::estimate, Money{500000000}},
                    {2, 1, PrizeKind::fixed, Money{500}},
                    {2, std::nullopt, PrizeKind::fixed, Money{300}}};
    ball.rules.push_back(rules);
    EXPECT_EQ(read(fileOf(ball)), ball);
    EXPECT_EQ(read(fileOf(plainGame(5, 35))), plainGame(5, 35));
}

// What an editor leaves: a byte order mark, CR LF, comments, blank lines, spaces around values and
// the level, no last line end.
TEST(GameFile, TakesWhatAPlayersEditorWrites) {
    const Game game = read("\xEF\xBB\xBF# my game\r\n"
                           "format: marlek-lotto-game 1\r\n"
                           "\r\n"
                           "  name:   Mi Lotería  \r\n"
                           "[ rules from 2020-01-01 ]\r\n"
                           "  # six of 45\r\n"
                           "main:6 of 45\r\n"
                           "bonus ball:1\r\n"
                           "price: 1.5\r\n"
                           "prize 6 + 0: estimate 1000000\r\n"
                           "prize 06: fixed 1");
    EXPECT_EQ(game.name, "Mi Lotería");
    ASSERT_EQ(game.rules.size(), 1u);
    EXPECT_EQ(game.rules[0].from, Date{2020y / 1 / 1});
    EXPECT_EQ(game.rules[0].field, 45);
    EXPECT_EQ(game.rules[0].price, Money{150});
    EXPECT_EQ(game.rules[0].prizes[0], (PrizeLevel{6, 0, PrizeKind::estimate, Money{100000000}}));
    EXPECT_EQ(game.rules[0].prizes[1], (PrizeLevel{6, std::nullopt, PrizeKind::fixed, Money{100}}));
}

struct BadFile {
    std::string text;
    std::size_t line;
    std::string field;
    std::string message; // a part of the message
};

TEST(GameFile, RefusesABadOrIncompleteFileNamingTheLineAndTheField) {
    const std::string head = "format: marlek-lotto-game 1\nname: G\n";        // lines 1 and 2
    const std::string rules = head + "[rules]\nmain: 6 of 49\nprice: 2.00\n"; // lines 3 to 5
    const std::vector<BadFile> cases = {
        {"", 0, "format", "holds no game"},
        {"# only a comment\n\n", 2, "format", "holds no game"},
        {"name: G\n", 1, "format", "begins with \"format: marlek-lotto-game 1\""},
        {"format: marlek-lotto-game x\n", 1, "format", "not a version number"},
        {"format: marlek-lotto-game 2\n", 1, "format", "newer than this program reads (1)"},
        {"format: marlek-lotto-game 1\n", 1, "name", "name is missing"},
        {"format: marlek-lotto-game 1\n[rules]\nmain: 6 of 49\n", 2, "name", "name is missing"},
        {head, 2, "rules", "holds no rules"},
        {head + "name: H\n", 3, "name", "given twice (first on line 2)"},
        {head + "format: marlek-lotto-game 1\n", 3, "format", "given twice (first on line 1)"},
        {head + "nmae: H\n", 3, "nmae", "no such field"},
        {head + "just words\n", 3, "", "neither a field"},
        {head + "note:\n", 3, "note", "value is missing"},
        {head + "currency: dollars\n[rules]\nmain: 6 of 49\nprice: 2.00\n", 3, "currency",
         "three capital letters"},
        {head + "main: 6 of 49\n", 3, "main", "belongs in a rules section"},
        {head + "[rules from 2015-02-30]\n", 3, "rules", "not a date"},
        {head + "[rule]\n", 3, "", "no section of a game file"},
        {head + "[rules\n", 3, "", "ends with ']'"},
        {head + "[rules]\nprice: 2.00\n", 3, "main", "do not say what is drawn"},
        {head + "[rules]\nprice: 2.00\n[rules from 2020-01-01]\nmain: 6 of 49\nprice: 2.00\n", 3,
         "main", "do not say what is drawn"},
        {head + "[rules]\nmain: 6 of 49\n", 3, "price", "newest rules need the price"},
        {rules + "name: H\n", 6, "name", "before its first rules section"},
        {rules + "main: 6 of 50\n", 6, "main", "given twice (first on line 4)"},
        {head + "[rules]\nmain: six of 49\nprice: 2.00\n", 4, "main", "as \"6 of 49\""},
        {head + "[rules]\nmain: 9 of 49\nprice: 2.00\n", 4, "main", "from 1 to 8, not 9"},
        {head + "[rules]\nmain: 6 of 100\nprice: 2.00\n", 4, "main", "from 6 to 99 numbers"},
        {head + "[rules]\nmain: 6 of 5\nprice: 2.00\n", 4, "main", "not 5"},
        {head + "[rules]\nmain: 6 of 6\nbonus ball: 1\nprice: 2.00\n", 4, "main",
         "from 7 to 99 numbers"},
        {head + "[rules]\nmain: 5 of 69\nbonus pool: 1 or 26\nprice: 2.00\n", 5, "bonus pool",
         "as \"1 of 26\""},
        {head + "[rules]\nmain: 5 of 69\nbonus pool: 2 of 1\nprice: 2.00\n", 5, "bonus pool",
         "from 2 to 99 numbers, not 1"},
        {head + "[rules]\nmain: 5 of 69\nbonus pool: 0 of 26\nprice: 2.00\n", 5, "bonus pool",
         "from 1 to 8"},
        {head + "[rules]\nmain: 6 of 49\nbonus ball: one\n", 5, "bonus ball", "count of bonus"},
        {head + "[rules]\nmain: 5 of 69\nbonus pool: 1 of 26\nbonus ball: 1\n", 6, "bonus ball",
         "not both"},
        {rules + "price: 2,50\n", 6, "price", "given twice"},
        {head + "[rules]\nmain: 6 of 49\nprice: 2,50\n", 5, "price", "not \"2,50\""},
        {head + "[rules]\nmain: 6 of 49\nprice: 0\n", 5, "price", "more than 0"},
        {rules + "prize six: fixed 1.00\n", 6, "prize six", "count of main numbers matched"},
        {rules + "prize 6: 1000000\n", 6, "prize 6", "\"fixed\""},
        {rules + "prize 6: fixed\n", 6, "prize 6", "not \"\""},
        {rules + "prize 6: fixed 1.001\n", 6, "prize 6", "not \"1.001\""},
        {rules + "prize 6: fixed 0.00\n", 6, "prize 6", "more than 0"},
        {rules + "prize 7: fixed 1.00\n", 6, "prize 7", "from 0 to 6 main numbers, not 7"},
        {rules + "prize 0: fixed 1.00\n", 6, "prize 0", "at least one number"},
        {rules + "prize 5+1: fixed 1.00\n", 6, "prize 5+1", "have no bonus"},
        {rules + "prize 3: fixed 1.00\nprize 03: fixed 2.00\n", 7, "prize 3",
         "given twice (first on line 6)"},
        {head + "[rules]\nmain: 6 of 49\nbonus ball: 1\nprice: 2.00\nprize 6+1: fixed 1.00\n", 7,
         "prize 6+1", "cannot match 6 main numbers and 1 bonus ball"},
        {head + "[rules]\nmain: 6 of 49\nbonus ball: 1\nprice: 2.00\nprize 5+2: fixed 1.00\n", 7,
         "prize 5+2", "from 0 to 1 bonus balls, not 2"},
        {head + "[rules]\nmain: 5 of 50\nbonus pool: 2 of 12\nprice: 2.00\nprize 0+3: fixed 1\n", 7,
         "prize 0+3", "from 0 to 2 bonus numbers, not 3"},
        {rules + "[rules]\nmain: 6 of 49\nprice: 2.00\n", 6, "rules", "only the first rules"},
        {head + "[rules from 2015-01-01]\nmain: 6 of 49\n[rules from 2015-01-01]\nmain: 6 of 49\n"
                "price: 1.00\n",
         5, "rules from 2015-01-01", "each after the one before (2015-01-01)"},
        {head + "[rules]\nmain: 6 of 49\nprice: 1.00\nprize 3: fixed 1.00\0\n"s, 6, "",
         "zero byte"},
        {head + "note: " + std::string(1000, 'x') + "\n", 3, "", "longer than 1000 characters"},
        {head + "note: " + std::string(501, 'x') + "\n[rules]\nmain: 6 of 49\nprice: 2.00\n", 3,
         "note", "at most 500"},
        {"format: marlek-lotto-game 1\nname: \xFF\xFE\n[rules]\nmain: 6 of 49\nprice: 1.00\n", 2,
         "name", "not UTF-8"},
    };
    for (const BadFile &bad : cases) {
        try {
            read(bad.text);
            ADD_FAILURE() << "taken: " << bad.text;
        } catch (const GameFileError &error) {
            EXPECT_EQ(error.line(), bad.line) << error.what();
            EXPECT_EQ(error.field(), bad.field) << error.what();
            EXPECT_NE(std::string(error.what()).find(bad.message), std::string::npos)
                << error.what() << "\n  wanted: " << bad.message;
            const std::string prefix = "line " + std::to_string(bad.line) + ": " +
                                       (bad.field.empty() ? "" : bad.field + ": ");
            EXPECT_TRUE(std::string(error.what()).starts_with(prefix)) << error.what();
        }
    }
}

TEST(GameFile, SavingGoesThroughTheSafeWriterAndRefusesAnUnsoundGame) {
    const test::TempDir dir;
    const std::string path = (dir / "powerball.game").string();
    saveGameFile(twoEras(), path);
    EXPECT_EQ(readGameFile(path), twoEras());
    EXPECT_EQ(test::filesIn(dir.path()), std::vector<std::string>{"powerball.game"});

    Game unsound = twoEras();
    unsound.rules.back().prizes.push_back({9, 0, PrizeKind::fixed, Money{100}});
    EXPECT_THROW(saveGameFile(unsound, path), std::invalid_argument);
    EXPECT_EQ(readGameFile(path), twoEras()); // the file saved before is kept

    EXPECT_THROW(saveGameFile(twoEras(), (dir / "no-folder" / "x.game").string()), FileError);
    EXPECT_THROW(readGameFile((dir / "missing.game").string()), FileError);
}

} // namespace
} // namespace marlek
