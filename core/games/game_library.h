#pragma once
// Where games are kept and how they are found. The presets are game files installed with the
// program (<prefix>/share/marlek-lotto/games beside <prefix>/bin, or the source tree's
// core/games/presets in a development build). The player's own games are game files in the user's
// configuration folder ($XDG_CONFIG_HOME/marlek-lotto/games, by default
// ~/.config/marlek-lotto/games), never beside the program, so an update of the program changes no
// game of the player's. A player's game that has the name of a preset is the player's: it is the
// one used, and the preset is listed as replaced.

#include "game.h"

#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// Every game file's name ends so; other files in the folders are left alone.
inline constexpr std::string_view kGameFileExtension = ".game";

enum class GameOrigin { preset, player };

struct GameEntry {
    Game game;
    GameOrigin origin = GameOrigin::preset;
    std::string path;      // the file it was read from
    bool replaced = false; // a preset the player has a game of the same name for
};

// A game file that was not taken, and why ("line 4: main: ...", or the system's reason).
struct RefusedGameFile {
    std::string path;
    std::string message;
};

struct GameFolders {
    std::string presets; // empty when no preset folder was found
    std::string player;
};

struct GameList {
    GameFolders folders;
    std::vector<GameEntry> games; // the presets by name, then the player's games by name
    std::vector<RefusedGameFile> refused;
};

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// $HOME/.config (the home folder of the user's account when HOME is not set).
std::string userConfigFolder();
// The user's data folder: $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
std::string userDataFolder();
// The player's games: <userConfigFolder>/marlek-lotto/games.
std::string playerGamesFolder();

// The folder of the running program (of /proc/self/exe).
std::string programFolder();
// Where the presets may lie, in the order searched: installed beside the program, then the
// source tree of a development build.
std::vector<std::string> presetFolderCandidates(const std::string &programFolder);
// The first candidate that is a folder; empty when none is.
std::string findPresetFolder(const std::vector<std::string> &candidates);
// The preset folder found from the running program and the player's folder.
GameFolders defaultGameFolders();

// Reads every game file of both folders. A file that cannot be read, is no sound game file, or
// names a game another of the player's files names already (the first by file name is kept) is
// listed in `refused`. A missing player folder holds no games; it is no failure.
GameList loadGames(const GameFolders &folders);

// The game of that name (sameGameName): the player's own before a preset; nullptr when none.
const GameEntry *findGame(const GameList &list, std::string_view name);

// A new file in `folder` for a game of that name: the name in lower-case ASCII letters and digits
// joined by '-', ".game", with "-2", "-3"... before it when the name is taken ("lotto-6-49.game").
std::string newGameFilePath(const std::string &folder, std::string_view name);

// Saves a new game of the player's into `folder` (created when missing) under newGameFilePath and
// returns the path. Throws std::invalid_argument for a game that is not sound or whose name one of
// the player's games has already (the message names its file), FileError when it cannot be
// written.
std::string savePlayerGame(const Game &game, const std::string &folder);

} // namespace marlek
