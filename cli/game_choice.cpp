#include "game_choice.h"

#include "commands.h"

namespace marlek::cli {

GameList installedGames() {
    return loadGames(defaultGameFolders());
}

const GameEntry &gameNamed(const GameList &games, const std::string &name,
                           const std::string &optionName) {
    if (const GameEntry *entry = findGame(games, name))
        return *entry;
    throw UsageError(optionName + ": no game is named \"" + name + "\"; '" +
                     std::string(kProgramName) + " games' lists the games");
}

} // namespace marlek::cli
