// games: the games a player can name, the presets installed with the program and the player's own,
// and one game's rules and prizes.

#include "commands.h"
#include "game_choice.h"
#include "output_format.h"
#include "shown_text.h"

#include "game.h"
#include "game_texts.h"
#include "number_text.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace marlek::cli {
namespace {

using Json = nlohmann::ordered_json;

struct GamesOptions {
    std::string show;
    OutputFormat format = OutputFormat::text;
};

std::string orDash(const std::string &text) {
    return text.empty() ? "-" : text;
}

std::string originName(const GameEntry &entry) {
    return entry.origin == GameOrigin::preset ? "preset" : "yours";
}

std::string drawText(const GameRules &rules) {
    const std::string bonus = bonusText(rules.bonus);
    return mainDrawText(rules) + (bonus.empty() ? "" : " + " + bonus);
}

std::string rulesDateText(const GameRules &rules) {
    return rules.from ? dateText(*rules.from) : std::string();
}

Json jsonOf(const GameEntry &entry) {
    const Game &game = entry.game;
    Json rulesList = Json::array();
    for (std::size_t i = 0; i < game.rules.size(); ++i) {
        const GameRules &rules = game.rules[i];
        const std::optional<Date> to = lastDayOf(game, i);
        Json bonus = {{"kind", rules.bonus.kind == BonusKind::pool   ? "pool"
                               : rules.bonus.kind == BonusKind::ball ? "ball"
                                                                     : "none"}};
        if (rules.bonus.kind != BonusKind::none)
            bonus["count"] = rules.bonus.count;
        if (rules.bonus.kind == BonusKind::pool)
            bonus["field"] = rules.bonus.field;
        Json prizes = Json::array();
        for (const PrizeLevel &level : rules.prizes)
            prizes.push_back({{"main", level.main},
                              {"bonus", level.bonus ? Json(*level.bonus) : Json(nullptr)},
                              {"kind", level.kind == PrizeKind::fixed ? "fixed" : "estimate"},
                              {"amount", moneyText(level.amount)}});
        rulesList.push_back({{"from", rules.from ? Json(dateText(*rules.from)) : Json(nullptr)},
                             {"to", to ? Json(dateText(*to)) : Json(nullptr)},
                             {"drawn", rules.drawn},
                             {"field", rules.field},
                             {"bonus", bonus},
                             {"price", rules.price ? Json(moneyText(*rules.price)) : Json(nullptr)},
                             {"prizes", prizes}});
    }
    return {{"name", game.name},  {"origin", originName(entry)}, {"used", !entry.replaced},
            {"file", entry.path}, {"currency", game.currency},   {"note", game.note},
            {"rules", rulesList}};
}

void writeJson(Io &io, const Json &json) {
    // A file name that is not UTF-8 is shown with U+FFFD rather than refused.
    writeOutputLine(io, json.dump(2, ' ', false, Json::error_handler_t::replace));
}

// The player is told about every file that was not read, whatever the format of the list.
void warnAboutRefused(const GameList &list, Io &io) {
    for (const RefusedGameFile &refused : list.refused)
        io.err << kProgramName << ": not read: "
               << shownText("\"" + refused.path + "\": " + refused.message) << '\n';
}

void listAsText(const GameList &list, Io &io) {
    std::size_t nameWidth = 0;
    std::size_t drawWidth = 0;
    std::size_t priceWidth = 0;
    for (const GameEntry &entry : list.games) {
        nameWidth = std::max(nameWidth, shownWidth(entry.game.name));
        drawWidth = std::max(drawWidth, drawText(latestRules(entry.game)).size());
        priceWidth = std::max(priceWidth,
                              priceText(latestRules(entry.game).price, entry.game.currency).size());
    }
    for (const GameOrigin origin : {GameOrigin::preset, GameOrigin::player}) {
        const bool presets = origin == GameOrigin::preset;
        const std::string &folder = presets ? list.folders.presets : list.folders.player;
        const bool any = std::any_of(list.games.begin(), list.games.end(),
                                     [origin](const GameEntry &e) { return e.origin == origin; });
        std::string heading = presets ? "Presets" : "Your games";
        heading += folder.empty() ? std::string(" (no folder found)")
                                  : " (" + shownText(folder) + ")";
        writeOutputLine(io, heading + (any       ? ":"
                                       : presets ? ": none"
                                                 : ": none yet; a game file saved there as "
                                                   "NAME.game is yours"));
        for (const GameEntry &entry : list.games) {
            if (entry.origin != origin)
                continue;
            const GameRules &latest = latestRules(entry.game);
            std::string line = "  " + padRight(entry.game.name, nameWidth) + "  " +
                               padRight(drawText(latest), drawWidth) + "  " +
                               padLeft(priceText(latest.price, entry.game.currency), priceWidth);
            if (latest.from)
                line += "  rules from " + dateText(*latest.from);
            if (entry.origin == GameOrigin::player)
                line += "  " +
                        shownText(std::filesystem::path(entry.path).filename().string());
            if (entry.replaced)
                line += "  (yours of the same name is used)";
            writeOutputLine(io, line);
        }
    }
}

void listAsTsv(const GameList &list, Io &io) {
    writeOutputLine(io, "name\torigin\tused\tmain\tbonus\tprice\tcurrency\trules_from\tfile");
    for (const GameEntry &entry : list.games) {
        const GameRules &latest = latestRules(entry.game);
        writeOutputLine(io, entry.game.name + '\t' + originName(entry) + '\t' +
                                (entry.replaced ? "no" : "yes") + '\t' + mainDrawText(latest) +
                                '\t' + orDash(bonusText(latest.bonus)) + '\t' +
                                (latest.price ? moneyText(*latest.price) : "-") + '\t' +
                                orDash(entry.game.currency) + '\t' + orDash(rulesDateText(latest)) +
                                '\t' + shownText(entry.path));
    }
}

void listAsJson(const GameList &list, Io &io) {
    Json games = Json::array();
    for (const GameEntry &entry : list.games)
        games.push_back(jsonOf(entry));
    Json refused = Json::array();
    for (const RefusedGameFile &file : list.refused)
        refused.push_back({{"file", file.path}, {"error", file.message}});
    writeJson(io, {{"presets_folder", list.folders.presets},
                   {"player_folder", list.folders.player},
                   {"games", games},
                   {"refused", refused}});
}

void showAsText(const GameEntry &entry, Io &io) {
    for (const std::string &line : gameDescriptionLines(entry))
        writeOutputLine(io, line);
}

void showAsTsv(const GameEntry &entry, Io &io) {
    const Game &game = entry.game;
    writeOutputLine(io, "rules_from\trules_to\tmain\tbonus\tprice\tlevel\tkind\tamount");
    for (std::size_t i = 0; i < game.rules.size(); ++i) {
        const GameRules &rules = game.rules[i];
        const std::optional<Date> to = lastDayOf(game, i);
        const std::string start = orDash(rulesDateText(rules)) + '\t' + (to ? dateText(*to) : "-") +
                                  '\t' + mainDrawText(rules) + '\t' +
                                  orDash(bonusText(rules.bonus)) + '\t' +
                                  (rules.price ? moneyText(*rules.price) : "-") + '\t';
        if (rules.prizes.empty())
            writeOutputLine(io, start + "-\t-\t-");
        for (const PrizeLevel &level : rules.prizes)
            writeOutputLine(io, start + levelText(level) + '\t' +
                                    (level.kind == PrizeKind::fixed ? "fixed" : "estimate") + '\t' +
                                    moneyText(level.amount));
    }
}

void runGames(const GamesOptions &options, const CLI::App &command, Io &io) {
    if (command.count("--show") > 0 && options.show.empty())
        throw UsageError("--show: the game's name is empty");
    const GameList list = installedGames();
    if (!options.show.empty()) {
        const GameEntry &entry = gameNamed(list, options.show, "--show");
        if (options.format == OutputFormat::json)
            writeJson(io, jsonOf(entry));
        else if (options.format == OutputFormat::tsv)
            showAsTsv(entry, io);
        else
            showAsText(entry, io);
        return;
    }
    warnAboutRefused(list, io);
    if (options.format == OutputFormat::json)
        listAsJson(list, io);
    else if (options.format == OutputFormat::tsv)
        listAsTsv(list, io);
    else
        listAsText(list, io);
}

} // namespace

void addGamesCommand(CLI::App &app, Io &io) {
    auto options = std::make_shared<GamesOptions>();
    CLI::App *command = app.add_subcommand(
        "games", "List the games you can name: the presets installed with the program and your "
                 "own (in $XDG_CONFIG_HOME/marlek-lotto/games, by default "
                 "~/.config/marlek-lotto/games); or show one game's rules and prizes.");
    command->footer("Examples: " + std::string(kProgramName) + " games\n          " +
                    std::string(kProgramName) + " games --show Powerball");
    command->add_option("--show", options->show, "show the rules and prizes of the game NAME")
        ->type_name("NAME");
    addFormatOption(*command, options->format);
    command->callback([options, command, &io] { runGames(*options, *command, io); });
}

} // namespace marlek::cli
