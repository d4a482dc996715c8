#include "game_library.h"

#include "file_output.h"
#include "game_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace marlek {
namespace {

namespace fs = std::filesystem;

std::string homeFolder() {
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *account = ::getpwuid(::getuid()); account && account->pw_dir)
        return account->pw_dir;
    return "/";
}

// An XDG base folder: the variable when it holds an absolute path (the XDG rules ignore relative
// ones), else the default below the home folder.
std::string xdgFolder(const char *variable, const char *underHome) {
    if (const char *value = std::getenv(variable); value && value[0] == '/')
        return value;
    return (fs::path(homeFolder()) / underHome).string();
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool nameBefore(const GameEntry &a, const GameEntry &b) {
    return std::lexicographical_compare(
        a.game.name.begin(), a.game.name.end(), b.game.name.begin(), b.game.name.end(),
        [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
}

// The game files of a folder, by file name. Folder failures are added to `refused`.
std::vector<std::string> gameFilesIn(const std::string &folder,
                                     std::vector<RefusedGameFile> &refused) {
    std::vector<std::string> files;
    std::error_code error;
    if (folder.empty() || !fs::exists(folder, error))
        return files;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path &path = it->path();
        const std::string name = path.filename().string();
        std::error_code typeError;
        if (name.size() > kGameFileExtension.size() && !name.starts_with('.') &&
            name.ends_with(kGameFileExtension) && fs::is_regular_file(path, typeError))
            files.push_back(path.string());
    }
    if (error)
        refused.push_back({folder, "cannot read the folder: " + error.message()});
    std::sort(files.begin(), files.end());
    return files;
}

void readFolder(const std::string &folder, GameOrigin origin, GameList &list) {
    const std::size_t first = list.games.size();
    for (const std::string &path : gameFilesIn(folder, list.refused)) {
        try {
            Game game = readGameFile(path);
            const auto same = std::find_if(list.games.begin() + static_cast<std::ptrdiff_t>(first),
                                           list.games.end(), [&game](const GameEntry &entry) {
                                               return sameGameName(entry.game.name, game.name);
                                           });
            if (same != list.games.end()) {
                list.refused.push_back({path, "the game \"" + game.name + "\" is in \"" +
                                                  same->path +
                                                  "\" already, which is used; give one of them "
                                                  "another name"});
                continue;
            }
            list.games.push_back({std::move(game), origin, path, false});
        } catch (const GameFileError &error) {
            list.refused.push_back({path, error.what()});
        } catch (const FileError &error) {
            list.refused.push_back({path, error.what()});
        }
    }
    std::sort(list.games.begin() + static_cast<std::ptrdiff_t>(first), list.games.end(),
              nameBefore);
}

} // namespace

std::string userConfigFolder() {
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string userDataFolder() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

std::string playerGamesFolder() {
    return (fs::path(userConfigFolder()) / "marlek-lotto" / "games").string();
}

std::string programFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

std::vector<std::string> presetFolderCandidates(const std::string &programFolder) {
    return {(fs::path(programFolder) / MARLEK_GAMES_INSTALL_RELATIVE).lexically_normal().string(),
            fs::path(MARLEK_GAMES_SOURCE_DIR).lexically_normal().string()};
}

std::string findPresetFolder(const std::vector<std::string> &candidates) {
    for (const std::string &candidate : candidates) {
        std::error_code error;
        if (fs::is_directory(candidate, error))
            return candidate;
    }
    return {};
}

GameFolders defaultGameFolders() {
    return {findPresetFolder(presetFolderCandidates(programFolder())), playerGamesFolder()};
}

GameList loadGames(const GameFolders &folders) {
    GameList list;
    list.folders = folders;
    readFolder(folders.presets, GameOrigin::preset, list);
    readFolder(folders.player, GameOrigin::player, list);
    for (GameEntry &preset : list.games) {
        if (preset.origin != GameOrigin::preset)
            continue;
        preset.replaced = std::any_of(list.games.begin(), list.games.end(), [&](const auto &own) {
            return own.origin == GameOrigin::player &&
                   sameGameName(own.game.name, preset.game.name);
        });
    }
    return list;
}

const GameEntry *findGame(const GameList &list, std::string_view name) {
    const GameEntry *found = nullptr;
    for (const GameEntry &entry : list.games) {
        if (!sameGameName(entry.game.name, name))
            continue;
        if (entry.origin == GameOrigin::player)
            return &entry;
        found = &entry;
    }
    return found;
}

std::string newGameFilePath(const std::string &folder, std::string_view name) {
    std::string base;
    for (const char c : name) {
        const char lower = lowerAscii(c);
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9'))
            base += lower;
        else if (!base.empty() && base.back() != '-')
            base += '-';
    }
    while (!base.empty() && base.back() == '-')
        base.pop_back();
    if (base.empty())
        base = "game";
    for (int number = 1;; ++number) {
        const std::string fileName = base + (number == 1 ? "" : '-' + std::to_string(number)) +
                                     std::string(kGameFileExtension);
        const fs::path path = fs::path(folder) / fileName;
        std::error_code error;
        if (!fs::exists(fs::symlink_status(path, error)))
            return path.string();
    }
}

std::string savePlayerGame(const Game &game, const std::string &folder) {
    if (const std::optional<GameProblem> problem = gameProblem(game))
        throw std::invalid_argument(problem->field + ": " + problem->message);
    const GameList own = loadGames({{}, folder});
    if (const GameEntry *same = findGame(own, game.name))
        throw std::invalid_argument("you have a game named \"" + same->game.name + "\" in \"" +
                                    same->path + "\" already");
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw FileError("create the folder", folder, error.value());
    const std::string path = newGameFilePath(folder, game.name);
    saveGameFile(game, path);
    return path;
}

} // namespace marlek
