// wins: what a wheel wins. Its win table over every way the winning numbers can fall among the
// player's numbers and, in a game, the exact odds of each prize for the wheel, one ticket and the
// full wheel of the same numbers, side by side.

#include "commands.h"
#include "game_choice.h"
#include "options.h"
#include "output_format.h"
#include "wheel_choice.h"
#include "wheel_input.h"

#include "number_text.h"
#include "report_wheel_reader.h"
#include "wins_texts.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <fstream>
#include <memory>

namespace marlek::cli {
namespace {

using Json = nlohmann::ordered_json;

struct WinsOptions : WheelOptions {
    std::string wheelFile;
    std::string report;
    std::string game;
    int field = 0;
    std::string bonus = "same";
    OutputFormat format = OutputFormat::text;
};

std::string quoted(const std::string &path) {
    return '"' + path + '"';
}

// A saved report read once from its start to its end (a pipe or /dev/stdin too), as check reads it.
PlayedWheel reportWheel(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw IoFailure("read", path, errno);
    ReportTicketsReader reader;
    try {
        std::array<char, 4096> line{};
        while (file.getline(line.data(), line.size())) {
            if (file.eof())
                throw ReportLineError(reader.linesRead() + 1,
                                      "the line has no line end: the file ends in the middle of it");
            reader.feed(std::string_view(line.data(), static_cast<std::size_t>(file.gcount() - 1)));
        }
        if (file.bad())
            throw IoFailure("read", path, errno);
        if (file.gcount() == static_cast<std::streamsize>(line.size() - 1))
            throw ReportLineError(reader.linesRead() + 1, "the line is longer than any report line");
        if (file.gcount() > 0)
            throw ReportLineError(reader.linesRead() + 1,
                                  "the line has no line end: the file ends in the middle of it");
        reader.finish();
    } catch (const ReportLineError &error) {
        throw UsageError(quoted(path) + " is not a report as this program saves it: " +
                         error.what());
    } catch (const DrawError &error) {
        throw UsageError(quoted(path) + " is not a report as this program saves it: " +
                         error.what());
    }
    return reader.wheel();
}

PlayedWheel chosenWheel(const WinsOptions &options, const CLI::App &command) {
    if (command.count("--report") > 0) {
        if (options.report.empty())
            throw UsageError("--report: the file name is empty");
        return reportWheel(options.report);
    }
    if (command.count("--wheel-file") > 0) {
        const WheelInput input = readWheelFileAt(options.wheelFile);
        const PlainWheel &wheel = input.wheel;
        if (command.count("--kind") > 0 && options.kind != wheel.kind)
            throw UsageError("--kind: the wheel file holds a wheel of " +
                             counted(wheel.kind, "number", "numbers") + " a ticket");
        PlayedWheel played = playedWheelOf(wheel);
        played.shownNumbers = input.listNumbers; // a ticket list's own numbers, if any
        if (command.count("--numbers") > 0)
            played.shownNumbers = parseNumberList(options.numbers, "--numbers", wheel.numbers, 1,
                                                  kHighestDrawnNumber);
        return played;
    }
    if (command.count("--kind") == 0)
        throw UsageError("wins: give --kind K with --wheel I or --full N, --wheel-file FILE (a "
                         "designed wheel) or --report FILE (a saved report)");
    const ReportRequest request = requestForOptions(options, command, "wins");
    std::optional<PlayedWheel> played = playedWheelOf(request);
    if (!played) // requestForOptions names a wheel or refuses
        throw UsageError("wins: no wheel chosen");
    return *played;
}

WinsDocument documentFor(const WinsOptions &options, const CLI::App &command,
                         const PlayedWheel &wheel) {
    if (const std::string problem = winTableProblem(wheel); !problem.empty())
        throw UsageError("wins: " + problem);
    const BonusPlay play = options.bonus == "every" ? BonusPlay::everyChoice : BonusPlay::sameChoice;
    try {
        if (command.count("--game") > 0) {
            const GameList games = installedGames();
            const Game &game = gameNamed(games, options.game, "--game").game;
            if (command.count("--bonus") > 0 && latestRules(game).bonus.kind != BonusKind::pool)
                throw UsageError("--bonus: " + game.name +
                                 " has no bonus pool, so its tickets pick no bonus numbers");
            if (const std::string problem =
                    oddsProblem(latestRules(game), wheel.kind, wheel.numbers);
                !problem.empty())
                throw UsageError("--game: " + game.name + " cannot play this wheel: " + problem);
            return winsDocument(wheel, game, false, play);
        }
        if (command.count("--bonus") > 0)
            throw UsageError("--bonus: only a game with a bonus pool (--game NAME) has bonus numbers");
        if (command.count("--field") > 0) {
            const Game game = plainGame(wheel.kind, options.field);
            if (const std::string problem =
                    oddsProblem(latestRules(game), wheel.kind, wheel.numbers);
                !problem.empty())
                throw UsageError("--field: " + problem);
            return winsDocument(wheel, game, true, play);
        }
        return winsTableDocument(wheel);
    } catch (const std::invalid_argument &error) {
        throw UsageError(std::string("wins: ") + error.what());
    }
}

std::string big(std::uint64_t value) {
    return std::to_string(value);
}

std::string averageText(const MatchCounts &counts, const WinRow &row) {
    mpq_class average(mpz_class(big(counts.total)), mpz_class(big(row.ways)));
    average.canonicalize();
    return significantText(average);
}

std::string levelName(const LevelOdds &level) {
    return level.prized ? levelText(level.level) : plain(level.level.main);
}

std::string playKey(int which) {
    return which == 0 ? "wheel" : which == 1 ? "one_ticket" : "full_wheel";
}

const PlayOdds &playOf(const WinsDocument &document, int which) {
    return which == 0 ? document.odds.wheel : which == 1 ? document.odds.single : document.odds.full;
}

void writeTsv(const WinsDocument &document, Io &io) {
    writeOutputLine(io, "winning\tmatched\tways\tfewest\tmost\ttotal\taverage\tways_with_any");
    for (const WinRow &row : document.table.rows)
        for (std::size_t m = 0; m < row.matches.size(); ++m) {
            const MatchCounts &counts = row.matches[m];
            writeOutputLine(io, plain(row.winning) + '\t' + plain(static_cast<std::int64_t>(m)) +
                                    '\t' + big(row.ways) + '\t' + big(counts.fewest) + '\t' +
                                    big(counts.most) + '\t' + big(counts.total) + '\t' +
                                    averageText(counts, row) + '\t' + big(counts.waysWithAny));
        }
    if (!document.hasOdds)
        return;
    writeOutputLine(io, "");
    writeOutputLine(io, "play\tlevel\tprize\tkind\tchance\tone_in\tpercent\texpected_tickets");
    for (int p = 0; p < 3; ++p)
        for (const LevelOdds &level : playOf(document, p).levels)
            writeOutputLine(
                io, playKey(p) + '\t' + levelName(level) + '\t' +
                        (level.prized ? moneyText(level.level.amount) : "-") + '\t' +
                        (!level.prized                              ? "-"
                         : level.level.kind == PrizeKind::estimate ? "estimate"
                                                                    : "fixed") +
                        '\t' + (level.chance ? fractionText(*level.chance) : "-") + '\t' +
                        (level.chance ? oneInText(*level.chance) : "-") + '\t' +
                        (level.chance ? percentText(*level.chance) : "-") + '\t' +
                        fractionText(level.expectedTickets));
    writeOutputLine(io, "");
    writeOutputLine(io, "play\ttickets\tcost\texpected_prizes");
    for (int p = 0; p < 3; ++p) {
        const PlayOdds &play = playOf(document, p);
        writeOutputLine(io, playKey(p) + '\t' + play.tickets.get_str() + '\t' +
                                moneyAmountText(play.costCents) + '\t' +
                                (document.plainGame ? "-" : moneyAmountText(play.expectedPrizeCents)));
    }
}

void writeJson(const WinsDocument &document, const PlayedWheel &wheel, Io &io) {
    const WinTable &table = document.table;
    Json rows = Json::array();
    for (const WinRow &row : table.rows) {
        Json matches = Json::array();
        for (std::size_t m = 0; m < row.matches.size(); ++m) {
            const MatchCounts &counts = row.matches[m];
            matches.push_back({{"matched", m},
                               {"fewest", counts.fewest},
                               {"most", counts.most},
                               {"total", counts.total},
                               {"average", averageText(counts, row)},
                               {"ways_with_any", counts.waysWithAny},
                               {"ways_best", row.bestWays[m]}});
        }
        rows.push_back({{"winning", row.winning},
                        {"ways", row.ways},
                        {"smallest_best", row.smallestBest},
                        {"matches", matches}});
    }
    Json json = {{"wheel",
                  {{"text", document.wheelText},
                   {"kind", table.kind},
                   {"numbers", table.numbers},
                   {"tickets", table.tickets},
                   {"full", wheel.full}}},
                 {"table", rows}};
    if (table.holes)
        json["guarantee"] = {{"matches", table.holes->guarantee.matches},
                             {"drawn", table.holes->guarantee.drawn},
                             {"keys", table.holes->keys},
                             {"holes", table.holes->count},
                             {"first_holes", table.holes->first}};
    if (document.hasOdds) {
        Json plays = Json::object();
        for (int p = 0; p < 3; ++p) {
            const PlayOdds &play = playOf(document, p);
            Json levels = Json::array();
            for (const LevelOdds &level : play.levels) {
                Json entry = {{"level", levelName(level)}};
                if (level.prized) {
                    entry["prize"] = moneyText(level.level.amount);
                    entry["kind"] = level.level.kind == PrizeKind::estimate ? "estimate" : "fixed";
                }
                entry["chance"] = level.chance ? Json(fractionText(*level.chance)) : Json(nullptr);
                entry["one_in"] = level.chance ? Json(oneInText(*level.chance)) : Json(nullptr);
                entry["percent"] = level.chance ? Json(percentText(*level.chance)) : Json(nullptr);
                entry["expected_tickets"] = fractionText(level.expectedTickets);
                levels.push_back(entry);
            }
            plays[playKey(p)] = {{"tickets", play.tickets.get_str()},
                                 {"cost", moneyAmountText(play.costCents)},
                                 {"expected_prizes", document.plainGame
                                                         ? Json(nullptr)
                                                         : Json(fractionText(play.expectedPrizeCents /
                                                                             100))},
                                 {"levels", levels}};
        }
        json["game"] = {{"name", document.gameName},
                        {"currency", document.currency},
                        {"bonus_play", document.rules.bonus.kind != BonusKind::pool ? Json(nullptr)
                                       : document.play == BonusPlay::sameChoice
                                           ? Json("same")
                                           : Json("every")}};
        json["plays"] = plays;
    }
    writeOutputLine(io, json.dump(2, ' ', false, Json::error_handler_t::replace));
}

void runWins(const WinsOptions &options, const CLI::App &command, Io &io) {
    const PlayedWheel wheel = chosenWheel(options, command);
    const WinsDocument document = documentFor(options, command, wheel);
    switch (options.format) {
    case OutputFormat::text:
        for (const std::string &line : winsLines(document))
            writeOutputLine(io, line);
        return;
    case OutputFormat::tsv:
        writeTsv(document, io);
        return;
    case OutputFormat::json:
        writeJson(document, wheel, io);
        return;
    }
}

} // namespace

void addWinsCommand(CLI::App &app, Io &io) {
    CLI::App *command = app.add_subcommand(
        "wins", "What a wheel wins: how many tickets match how many numbers over every way the "
                "winning numbers can fall among yours, and in a game the exact odds of each "
                "prize for the wheel, one ticket and the full wheel, with the cost and the "
                "prizes to expect. Odds and expectations, never predictions.");
    auto options = std::make_shared<WinsOptions>();
    CLI::Option *kind = addKindOption(*command, options->kind, false);
    addWheelChoiceOptions(*command, *options);
    CLI::Option *wheelFile =
        command->add_option("--wheel-file", options->wheelFile, "a wheel file (as design writes it) or a ticket list")
            ->type_name("FILE")
            ->excludes(command->get_option("--wheel"))
            ->excludes(command->get_option("--full"));
    CLI::Option *report =
        command
            ->add_option("--report", options->report,
                         "the tickets of the report saved in FILE (by the program's Save As or "
                         "by report --out)")
            ->type_name("FILE");
    for (const char *name : {"--wheel", "--full", "--numbers"})
        report->excludes(command->get_option(name));
    report->excludes(kind)->excludes(wheelFile);
    CLI::Option *game =
        command
            ->add_option("--game", options->game,
                         "the game whose odds and prizes to count (the games command lists them)")
            ->type_name("NAME");
    command
        ->add_option("--field", options->field,
                     "count the odds of plain Pick K: K numbers drawn from 1 to F, no prizes")
        ->check(wholeNumberFrom(1, 99))
        ->type_name("F")
        ->excludes(game);
    command
        ->add_option("--bonus", options->bonus,
                     "with a bonus pool: 'same' (every ticket the same bonus numbers, the "
                     "default) or 'every' (each choice of bonus numbers on every ticket)")
        ->check(CLI::IsMember({"same", "every"}))
        ->type_name("same|every");
    addFormatOption(*command, options->format);
    command->footer("Examples:\n"
                    "  marlek-lotto-cli wins --kind 6 --wheel 7 --game \"Lotto 6/49\"\n"
                    "  marlek-lotto-cli wins --wheel-file wheel20.txt --field 49\n"
                    "  marlek-lotto-cli wins --report wheel14.txt --game Powerball --bonus every");
    command->callback([options, command, &io] { runWins(*options, *command, io); });
}

} // namespace marlek::cli
