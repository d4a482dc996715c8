#pragma once
// The games a command can name: the presets installed with the program and the player's own
// (core/games/game_library.h), and "--game NAME" to choose one.

#include "game_library.h"

#include <string>

namespace marlek::cli {

// The presets and the player's games, read from where the running program finds them.
GameList installedGames();

// The game of that name (the player's own before a preset), or a UsageError that names
// `optionName` and says how to list the games.
const GameEntry &gameNamed(const GameList &games, const std::string &name,
                           const std::string &optionName);

} // namespace marlek::cli
