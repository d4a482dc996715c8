// history: past draws of a game kept in the user's data folder, imported from the files lotteries
// publish and listed by game and dates; and check --history.

#include "history_command.h"

#include "game_choice.h"
#include "options.h"
#include "shown_text.h"
#include "wheel_input.h"

#include "draw_import.h"
#include "history_check.h"
#include "number_text.h"
#include "report_tickets.h"
#include "ticket_list.h"
#include "wheel_report.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <fstream>
#include <memory>

namespace marlek::cli {
namespace {

using Json = nlohmann::ordered_json;

void writeJson(Io &io, const Json &json) {
    writeOutputLine(io, json.dump(2, ' ', false, Json::error_handler_t::replace));
}

std::string quoted(const std::string &path) {
    return '"' + path + '"';
}

std::optional<Date> dateOption(const std::string &text, const CLI::App &command,
                               const std::string &name) {
    if (command.count(name) == 0)
        return std::nullopt;
    const std::optional<Date> date = parseDate(text);
    if (!date)
        throw UsageError(name + ": \"" + text + "\" is no date written YYYY-MM-DD");
    return date;
}

void checkRange(const std::optional<Date> &from, const std::optional<Date> &to) {
    if (from && to && *to < *from)
        throw UsageError("--to: " + dateText(*to) + " is before --from " + dateText(*from));
}

const GameEntry &requiredGame(const GameList &games, const std::string &name,
                              const CLI::App &command) {
    if (command.count("--game") == 0)
        throw UsageError("--game: name the game the draws belong to; '" +
                         std::string(kProgramName) + " games' lists the games");
    return gameNamed(games, name, "--game");
}

// Opens the draw history, a failure being one of the file (exit 1).
std::unique_ptr<DrawStore> openStore() {
    try {
        return std::make_unique<DrawStore>(drawDatabasePath());
    } catch (const HistoryError &error) {
        throw IoFailure(error.what());
    }
}

Json drawJson(const Draw &draw) {
    return {{"date", dateText(draw.date)},
            {"number", draw.number ? Json(*draw.number) : Json(nullptr)},
            {"main", draw.main},
            {"bonus", draw.bonus}};
}

std::string numbersOnly(const std::vector<int> &numbers) {
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(number);
    return text;
}

// --- history import ---------------------------------------------------------------------------

struct ImportOptions {
    std::string file;
    std::string game;
    std::string columns;
    OutputFormat format = OutputFormat::text;
};

void runImport(const ImportOptions &options, const CLI::App &command, Io &io) {
    if (options.file.empty())
        throw UsageError("history import: the file name is empty");
    std::optional<ColumnLayout> layout;
    if (command.count("--columns") > 0) {
        try {
            layout = parseColumnLayout(options.columns);
        } catch (const std::invalid_argument &error) {
            throw UsageError("--columns: " + std::string(error.what()));
        }
    }
    const GameList games = installedGames();
    const Game &game = requiredGame(games, options.game, command).game;
    const std::string text = readFileText(options.file);
    ImportSummary summary;
    {
        std::unique_ptr<DrawStore> store = openStore();
        try {
            summary = importDrawFile(*store, text, game, layout);
        } catch (const DrawFileError &error) {
            throw UsageError(quoted(options.file) + " is no draw file this program reads: " +
                             error.what() + (layout ? "" : " (with --columns)"));
        } catch (const HistoryError &error) {
            throw IoFailure(error.what());
        }
    }
    if (options.format == OutputFormat::json) {
        Json refused = Json::array();
        for (const RowProblem &problem : summary.refused)
            refused.push_back({{"line", problem.line}, {"reason", problem.message}});
        Json contradictions = Json::array();
        for (const Contradiction &c : summary.stored.contradictions)
            contradictions.push_back({{"line", c.line}, {"file", drawJson(c.record)},
                                      {"stored", drawJson(c.stored)}});
        writeJson(io, {{"file", options.file},
                       {"game", game.name},
                       {"database", drawDatabasePath()},
                       {"rows", summary.rows},
                       {"added", summary.stored.added},
                       {"already_stored", summary.stored.alreadyStored},
                       {"contradicting", summary.stored.contradictions.size()},
                       {"refused", summary.refused.size()},
                       {"refused_rows", refused},
                       {"contradictions", contradictions}});
        return;
    }
    if (options.format == OutputFormat::tsv) {
        writeOutputLine(io, "line\toutcome\treason");
        std::vector<std::pair<std::int64_t, std::string>> rows;
        for (const RowProblem &problem : summary.refused)
            rows.emplace_back(problem.line, "refused\t" + shownText(problem.message));
        for (const Contradiction &c : summary.stored.contradictions) {
            std::string text = contradictionText(c); // "line 3: ...": the line has its column
            text.erase(0, text.find(": ") + 2);
            rows.emplace_back(c.line, "contradiction\t" + shownText(text));
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &[line, rest] : rows)
            writeOutputLine(io, std::to_string(line) + '\t' + rest);
        writeOutputLine(io, "-\tcounts\t" + importCountsText(summary));
        return;
    }
    for (const std::string &line : importReportLines(summary))
        writeOutputLine(io, shownText(line));
}

// --- history list -----------------------------------------------------------------------------

struct ListOptions {
    std::string game;
    std::string from;
    std::string to;
    OutputFormat format = OutputFormat::text;
};

void runList(const ListOptions &options, const CLI::App &command, Io &io) {
    const std::optional<Date> from = dateOption(options.from, command, "--from");
    const std::optional<Date> to = dateOption(options.to, command, "--to");
    checkRange(from, to);
    const GameList games = installedGames();
    const Game &game = requiredGame(games, options.game, command).game;
    std::vector<Draw> draws;
    try {
        draws = openStore()->draws(game.name, from, to);
    } catch (const HistoryError &error) {
        throw IoFailure(error.what());
    }
    if (options.format == OutputFormat::json) {
        Json list = Json::array();
        for (const Draw &draw : draws)
            list.push_back(drawJson(draw));
        writeJson(io, {{"game", game.name}, {"draws", list}});
        return;
    }
    if (options.format == OutputFormat::tsv) {
        writeOutputLine(io, "date\tdraw\tmain\tbonus");
        for (const Draw &draw : draws)
            writeOutputLine(io, dateText(draw.date) + '\t' +
                                    (draw.number ? std::to_string(*draw.number) : "-") + '\t' +
                                    numbersOnly(draw.main) + '\t' +
                                    (draw.bonus.empty() ? "-" : numbersOnly(draw.bonus)));
        return;
    }
    if (draws.empty()) {
        writeOutputLine(io, "No draws of " + game.name + " are stored" +
                                (from || to ? " in that range" : "") + "; '" + kProgramName +
                                " history import FILE --game NAME' adds them.");
        return;
    }
    for (const Draw &draw : draws)
        writeOutputLine(io, dateText(draw.date) + "  " +
                                (draw.number ? "draw " + std::to_string(*draw.number) + "  " : "") +
                                drawNumbersText(draw));
    writeOutputLine(io, counted(static_cast<std::int64_t>(draws.size()), "draw", "draws") + " of " +
                            game.name);
}

// --- check --history --------------------------------------------------------------------------

std::vector<std::vector<int>> ticketsOfReportFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw IoFailure("read", path, errno);
    ReportTickets reader;
    std::string line;
    try {
        while (std::getline(file, line)) {
            reader.feed(line);
            if (reader.tickets().size() > kMaxHistoryTickets)
                throw UsageError(quoted(path) + " holds more than the " +
                                 std::to_string(kMaxHistoryTickets) +
                                 " tickets checked against past draws at once");
        }
        if (file.bad())
            throw IoFailure("read", path, errno);
        reader.finish();
    } catch (const ReportLineError &error) {
        throw UsageError(quoted(path) + " is not a report as this program saves it: " +
                         error.what());
    }
    return reader.tickets();
}

std::vector<std::vector<int>> ticketsOfListFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw IoFailure("read", path, errno);
    TicketList list;
    try {
        list = readTicketList(file);
    } catch (const WheelFileReadError &error) {
        throw IoFailure("read", path, error.error);
    } catch (const WheelFileError &error) {
        throw UsageError("--tickets: " + quoted(path) + " is no ticket list: " + error.what());
    }
    std::vector<std::vector<int>> tickets;
    for (const NumberSet set : list.tickets) {
        std::vector<int> ticket;
        for (const int position : numbersOf(set))
            ticket.push_back(list.numbers[static_cast<std::size_t>(position - 1)]);
        tickets.push_back(std::move(ticket));
    }
    return tickets;
}

std::vector<std::vector<int>> ticketsOfRequestChecked(const ReportRequest &request) {
    if (reportTicketCount(request) > static_cast<std::int32_t>(kMaxHistoryTickets))
        throw UsageError("the wheel has " + grouped(reportTicketCount(request)) +
                         " tickets, more than the " + grouped(kMaxHistoryTickets) +
                         " checked against past draws at once");
    return ticketsOfRequest(request);
}

std::vector<std::vector<int>> ticketsToCheck(const HistoryCheckOptions &options,
                                             const WheelOptions &wheel, const std::string &report,
                                             const CLI::App &command) {
    const int sources = static_cast<int>(command.count("--report") > 0) +
                        static_cast<int>(command.count("--wheel-file") > 0) +
                        static_cast<int>(command.count("--tickets") > 0) +
                        static_cast<int>(command.count("--kind") > 0);
    if (sources != 1)
        throw UsageError("check --history: give one of --report FILE, --wheel-file FILE with "
                         "--numbers, --tickets FILE (a ticket list), or --kind K with --wheel I "
                         "or --full N");
    if (command.count("--report") > 0) {
        if (report.empty())
            throw UsageError("--report: the file name is empty");
        return ticketsOfReportFile(report);
    }
    if (command.count("--tickets") > 0) {
        if (options.tickets.empty())
            throw UsageError("--tickets: the file name is empty");
        return ticketsOfListFile(options.tickets);
    }
    if (command.count("--wheel-file") > 0) {
        const WheelInput input = readWheelFileAt(options.wheelFile);
        const PlainWheel &plain = input.wheel;
        // A ticket list plays its own numbers unless --numbers gives others.
        if (!input.listNumbers.empty() && command.count("--numbers") == 0) {
            std::vector<std::vector<int>> tickets;
            for (const NumberSet set : plain.tickets) {
                std::vector<int> ticket;
                for (const int position : numbersOf(set))
                    ticket.push_back(input.listNumbers[static_cast<std::size_t>(position - 1)]);
                tickets.push_back(std::move(ticket));
            }
            return tickets;
        }
        if (plain.kind != 5 && plain.kind != 6)
            throw UsageError("--wheel-file: reports are for Pick 5 and Pick 6 wheels, and this "
                             "wheel has " + std::to_string(plain.kind) + " numbers a ticket");
        return ticketsOfRequestChecked(designedRequest(plain, wheel, command));
    }
    return ticketsOfRequestChecked(requestForOptions(wheel, command, "check"));
}

void writeCheckTsv(const HistoryCheck &check, Io &io) {
    writeOutputLine(io, "section\tname\tcount\texpected\tnumbers\tbest_ticket\tbest_level\twon");
    for (const WinningDraw &win : check.wins)
        writeOutputLine(io, "win\t" + drawNameText(win.draw) + '\t' +
                                std::to_string(win.winningTickets) + "\t-\t" +
                                drawNumbersText(win.draw) + '\t' +
                                std::to_string(win.bestTicket + 1) + '\t' + win.bestLevel + '\t' +
                                moneyText(win.won));
    for (const LevelRecord &level : check.levels) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.6f", level.expected);
        writeOutputLine(io, "level\t" + level.level + '\t' + std::to_string(level.reached) + '\t' +
                                expected + "\t-\t-\t-\t-");
    }
    for (const NumberRecord &number : check.numbers) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.6f", number.expected);
        writeOutputLine(io, "number\t" + std::to_string(number.number) + '\t' +
                                std::to_string(number.drawn) + '\t' + expected + "\t-\t-\t-\t-");
    }
    if (check.pricedDraws > 0) {
        writeOutputLine(io, "money\tspent\t" + std::to_string(check.pricedDraws) + "\t-\t-\t-\t-\t" +
                                moneyText(check.spent));
        writeOutputLine(io, "money\twon\t" + std::to_string(check.pricedDraws) + "\t-\t-\t-\t-\t" +
                                moneyText(check.won));
    }
}

Json checkJson(const HistoryCheck &check) {
    Json wins = Json::array();
    for (const WinningDraw &win : check.wins)
        wins.push_back({{"draw", drawJson(win.draw)},
                        {"winning_tickets", win.winningTickets},
                        {"best_ticket", win.bestTicket + 1},
                        {"best_level", win.bestLevel},
                        {"won", moneyText(win.won)}});
    Json levels = Json::array();
    for (const LevelRecord &level : check.levels)
        levels.push_back({{"level", level.level}, {"reached", level.reached},
                          {"expected", level.expected}});
    Json numbers = Json::array();
    for (const NumberRecord &number : check.numbers)
        numbers.push_back({{"number", number.number}, {"drawn", number.drawn},
                           {"expected", number.expected}});
    Json json = {{"game", check.game},
                 {"from", check.from ? Json(dateText(*check.from)) : Json(nullptr)},
                 {"to", check.to ? Json(dateText(*check.to)) : Json(nullptr)},
                 {"notice", pastDrawsNotice()},
                 {"tickets", check.tickets},
                 {"draws", check.draws},
                 {"checked_draws", check.checkedDraws},
                 {"prizes_given", check.prizesGiven},
                 {"wins", wins},
                 {"levels", levels},
                 {"priced_draws", check.pricedDraws},
                 {"spent", moneyText(check.spent)},
                 {"won", moneyText(check.won)},
                 {"currency", check.currency},
                 {"numbers", numbers}};
    if (check.uniformity)
        json["chi_square"] = {{"draws", check.uniformity->draws},
                              {"statistic", check.uniformity->statistic},
                              {"degrees_of_freedom", check.uniformity->degreesOfFreedom},
                              {"p_value", check.uniformity->pValue}};
    return json;
}

} // namespace

void addHistoryCheckOptions(CLI::App &check, HistoryCheckOptions &options) {
    check.add_flag("--history", options.history,
                   "check the tickets against every stored draw of --game (from --from to --to) "
                   "instead of one --draw");
    check.add_option("--game", options.game, "with --history: the game whose draws are stored")
        ->type_name("NAME");
    check.add_option("--from", options.from, "with --history: the first date, YYYY-MM-DD")
        ->type_name("DATE");
    check.add_option("--to", options.to, "with --history: the last date, YYYY-MM-DD")
        ->type_name("DATE");
    check.add_option("--wheel-file", options.wheelFile,
                     "with --history: a wheel file (from design --out) played over --numbers")
        ->type_name("FILE");
    check.add_option("--tickets", options.tickets,
                     "with --history: a ticket list, one ticket a line, numbers separated by "
                     "spaces, commas or dashes")
        ->type_name("FILE");
    addFormatOption(check, options.format)->description(
        "with --history: text (the default), tsv (one row a winning draw, prize level and "
        "number) or json");
}

void runHistoryCheck(const HistoryCheckOptions &options, const WheelOptions &wheel,
                     const std::string &report, const CLI::App &command, Io &io) {
    if (command.count("--draw") > 0)
        throw UsageError("check: --draw checks one draw, --history every stored draw: give one");
    const std::optional<Date> from = dateOption(options.from, command, "--from");
    const std::optional<Date> to = dateOption(options.to, command, "--to");
    checkRange(from, to);
    const GameList games = installedGames();
    const Game &game = requiredGame(games, options.game, command).game;
    const std::vector<std::vector<int>> tickets = ticketsToCheck(options, wheel, report, command);
    std::vector<Draw> draws;
    try {
        draws = openStore()->draws(game.name, from, to);
    } catch (const HistoryError &error) {
        throw IoFailure(error.what());
    }
    HistoryCheck check;
    try {
        check = checkAgainstDraws(game, draws, tickets, from, to);
    } catch (const std::invalid_argument &error) {
        throw UsageError("check --history: " + std::string(error.what()));
    }
    if (options.format == OutputFormat::json)
        writeJson(io, checkJson(check));
    else if (options.format == OutputFormat::tsv)
        writeCheckTsv(check, io);
    else
        for (const std::string &line : historyCheckLines(check))
            writeOutputLine(io, line);
}

void addHistoryCommand(CLI::App &app, Io &io) {
    CLI::App *history = app.add_subcommand(
        "history", "The past draws of your games, kept in $XDG_DATA_HOME/marlek-lotto/"
                   "draws.sqlite (by default ~/.local/share/marlek-lotto/draws.sqlite): import a "
                   "lottery's draw file, list the stored draws. 'check --history' checks tickets "
                   "against them.");
    history->require_subcommand(1);
    history->footer(
        "Examples:\n"
        "  marlek-lotto-cli history import draws.csv --game \"Lotto 6/49\"\n"
        "  marlek-lotto-cli history import draws.csv --game Powerball --columns "
        "date,main,main,main,main,main,bonus,-\n"
        "  marlek-lotto-cli history list --game Powerball --from 2020-01-01 --to 2020-12-31\n"
        "  marlek-lotto-cli check --history --game \"Lotto 6/49\" --report wheel.txt");

    auto importOptions = std::make_shared<ImportOptions>();
    CLI::App *import = history->add_subcommand(
        "import", "Import the draws of a lottery's file (comma- or semicolon-separated, a header "
                  "row): rows that cannot be read or break the game's rules of their date are "
                  "named by line, draws stored already are left, draws that disagree with stored "
                  "ones are named and not stored; the counts come last.");
    import->add_option("FILE", importOptions->file, "the draw file")->required();
    import->add_option("--game", importOptions->game, "the game the draws belong to")
        ->type_name("NAME");
    import
        ->add_option("--columns", importOptions->columns,
                     "what each column holds, from the first, separated by commas: date, year, "
                     "month, day, draw (its number), main, bonus, or - (left out); needed when the "
                     "header names no known layout")
        ->type_name("ROLES");
    addFormatOption(*import, importOptions->format);
    import->callback([importOptions, import, &io] { runImport(*importOptions, *import, io); });

    auto listOptions = std::make_shared<ListOptions>();
    CLI::App *list = history->add_subcommand("list", "List the stored draws of a game, oldest "
                                                     "first.");
    list->add_option("--game", listOptions->game, "the game")->type_name("NAME");
    list->add_option("--from", listOptions->from, "the first date, YYYY-MM-DD")->type_name("DATE");
    list->add_option("--to", listOptions->to, "the last date, YYYY-MM-DD")->type_name("DATE");
    addFormatOption(*list, listOptions->format);
    list->callback([listOptions, list, &io] { runList(*listOptions, *list, io); });
}

} // namespace marlek::cli
