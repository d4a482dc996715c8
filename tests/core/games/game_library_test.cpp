// Where games are found: the presets shipped with the program, the player's own games in the XDG
// configuration folder, and a player's game beside a preset of the same name.

#include "game_library.h"

#include "game_file.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace marlek {
namespace {

using namespace std::chrono_literals;

using test::ScopedEnv;

std::string presetFolder() {
    return findPresetFolder(presetFolderCandidates(programFolder()));
}

Game ownGame(const std::string &name) {
    Game game = plainGame(6, 49);
    game.name = name;
    return game;
}

TEST(GameLibrary, EveryPresetLoadsWithTheDateOfItsRulesAndANoteToCheckThem) {
    const GameList list = loadGames({presetFolder(), {}});
    for (const RefusedGameFile &refused : list.refused)
        ADD_FAILURE() << refused.path << ": " << refused.message;
    ASSERT_GE(list.games.size(), 4u);
    bool pool = false, ball = false, none = false;
    for (const GameEntry &entry : list.games) {
        EXPECT_EQ(entry.origin, GameOrigin::preset);
        const Game &game = entry.game;
        EXPECT_NE(game.note.find("check them against the lottery's own rules"), std::string::npos)
            << game.name;
        EXPECT_EQ(game.currency.size(), 3u) << game.name;
        for (const GameRules &rules : game.rules)
            EXPECT_TRUE(rules.from) << game.name << ": every preset's rules have their date";
        const GameRules &latest = latestRules(game);
        EXPECT_FALSE(latest.prizes.empty()) << game.name;
        EXPECT_TRUE(latest.drawn == 5 || latest.drawn == 6) << game.name;
        pool |= latest.bonus.kind == BonusKind::pool;
        ball |= latest.bonus.kind == BonusKind::ball;
        none |= latest.bonus.kind == BonusKind::none;
    }
    EXPECT_TRUE(pool && ball && none) << "presets of every kind of bonus";

    // Powerball's field grew and its bonus pool shrank.
    const GameEntry *powerball = findGame(list, "powerball");
    ASSERT_NE(powerball, nullptr);
    EXPECT_EQ(mainDrawText(*rulesOn(powerball->game, 2015y / 10 / 3)), "5 of 59");
    EXPECT_EQ(bonusText(rulesOn(powerball->game, 2015y / 10 / 3)->bonus), "1 of 35");
    EXPECT_EQ(mainDrawText(*rulesOn(powerball->game, 2015y / 10 / 7)), "5 of 69");
    EXPECT_EQ(bonusText(rulesOn(powerball->game, 2015y / 10 / 7)->bonus), "1 of 26");
}

// An installed program finds the presets beside it; a development build in the source tree.
TEST(GameLibrary, PresetsAreFoundBesideTheProgramBeforeTheSourceTree) {
    const test::TempDir dir;
    const std::vector<std::string> candidates = presetFolderCandidates((dir / "bin").string());
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], (dir / "share/marlek-lotto/games").string());
    EXPECT_EQ(findPresetFolder(candidates), candidates[1]);
    std::filesystem::create_directories(candidates[0]);
    EXPECT_EQ(findPresetFolder(candidates), candidates[0]);
    EXPECT_EQ(findPresetFolder({(dir / "nothing").string()}), "");
}

TEST(GameLibrary, ThePlayersGamesLiveInTheXdgConfigurationFolder) {
    const test::TempDir dir;
    {
        const ScopedEnv config("XDG_CONFIG_HOME", dir.path().c_str());
        const ScopedEnv data("XDG_DATA_HOME", (dir / "data").c_str());
        EXPECT_EQ(playerGamesFolder(), (dir / "marlek-lotto/games").string());
        EXPECT_EQ(userDataFolder(), (dir / "data").string());
        EXPECT_EQ(defaultGameFolders().player, playerGamesFolder());
    }
    const ScopedEnv home("HOME", (dir / "home").c_str());
    for (const char *unusable : {static_cast<const char *>(nullptr), "", "relative/config"}) {
        const ScopedEnv config("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(playerGamesFolder(), (dir / "home/.config/marlek-lotto/games").string());
    }
    const ScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(userDataFolder(), (dir / "home/.local/share").string());
}

TEST(GameLibrary, APlayersGameOfAPresetsNameIsTheOneUsedAndNeitherIsLost) {
    const test::TempDir dir;
    const std::string player = (dir / "games").string();
    Game mine = ownGame("POWERBALL"); // the same name in other letters
    const std::string path = savePlayerGame(mine, player);
    EXPECT_EQ(path, (dir / "games/powerball.game").string());

    const GameList list = loadGames({presetFolder(), player});
    EXPECT_TRUE(list.refused.empty());
    const GameEntry *used = findGame(list, "Powerball");
    ASSERT_NE(used, nullptr);
    EXPECT_EQ(used->origin, GameOrigin::player);
    EXPECT_EQ(used->path, path);
    EXPECT_EQ(used->game, mine);
    int presets = 0;
    for (const GameEntry &entry : list.games) {
        if (entry.origin == GameOrigin::preset && sameGameName(entry.game.name, "Powerball")) {
            ++presets;
            EXPECT_TRUE(entry.replaced);
        } else {
            EXPECT_FALSE(entry.replaced) << entry.game.name;
        }
    }
    EXPECT_EQ(presets, 1);
    EXPECT_EQ(list.games.back().origin, GameOrigin::player); // presets first, then the player's
}

TEST(GameLibrary, BadAndDuplicateFilesAreRefusedAndTheRestRead) {
    const test::TempDir dir;
    const std::string player = (dir / "games").string();
    savePlayerGame(ownGame("Alpha"), player);
    savePlayerGame(ownGame("Beta"), player);
    test::writeFileBytes(dir / "games/broken.game", "format: marlek-lotto-game 1\nname: X\n");
    saveGameFile(ownGame("alpha"), (dir / "games/zz-alpha.game").string());
    test::writeFileBytes(dir / "games/notes.txt", "not a game");
    test::writeFileBytes(dir / "games/beta.game~", "an editor's backup");

    const GameList list = loadGames({{}, player});
    ASSERT_EQ(list.games.size(), 2u);
    EXPECT_EQ(list.games[0].game.name, "Alpha");
    EXPECT_EQ(list.games[0].path, (dir / "games/alpha.game").string());
    EXPECT_EQ(list.games[1].game.name, "Beta");
    ASSERT_EQ(list.refused.size(), 2u);
    EXPECT_EQ(list.refused[0].path, (dir / "games/broken.game").string());
    EXPECT_EQ(list.refused[0].message.rfind("line 2: rules: ", 0), 0u) << list.refused[0].message;
    EXPECT_EQ(list.refused[1].path, (dir / "games/zz-alpha.game").string());
    EXPECT_NE(list.refused[1].message.find("alpha.game\" already"), std::string::npos);

    // A missing folder holds no games; saving a name the player has already is refused.
    EXPECT_TRUE(loadGames({{}, (dir / "none").string()}).games.empty());
    EXPECT_TRUE(loadGames({{}, (dir / "none").string()}).refused.empty());
    EXPECT_THROW(savePlayerGame(ownGame("BETA"), player), std::invalid_argument);
}

TEST(GameLibrary, ANewGamesFileIsNamedAfterItAndNeverReplacesAnother) {
    const test::TempDir dir;
    const std::string folder = dir.path().string();
    EXPECT_EQ(newGameFilePath(folder, "Lotto 6/49"), (dir / "lotto-6-49.game").string());
    EXPECT_EQ(newGameFilePath(folder, "Loto Québec!"), (dir / "loto-qu-bec.game").string());
    EXPECT_EQ(newGameFilePath(folder, "€€"), (dir / "game.game").string());
    test::writeFileBytes(dir / "lotto-6-49.game", "");
    std::filesystem::create_symlink("nowhere", dir / "lotto-6-49-2.game");
    EXPECT_EQ(newGameFilePath(folder, "Lotto 6/49"), (dir / "lotto-6-49-3.game").string());
}

} // namespace
} // namespace marlek
