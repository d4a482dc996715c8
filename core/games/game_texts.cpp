#include "game_texts.h"

#include "number_text.h"
#include "shown_text.h"

#include <algorithm>

namespace marlek {
namespace {

void addRulesLines(const Game &game, std::size_t index, std::vector<std::string> &lines) {
    const GameRules &rules = game.rules[index];
    lines.emplace_back();
    lines.push_back(rulesHeading(rules, lastDayOf(game, index)));
    lines.push_back("  main draw: " + std::to_string(rules.drawn) + " of the numbers 1 to " +
                    std::to_string(rules.field) + "; a ticket holds " +
                    std::to_string(rules.drawn));
    if (rules.bonus.kind == BonusKind::pool)
        lines.push_back("  bonus pool: " + std::to_string(rules.bonus.count) +
                        " of the numbers 1 to " + std::to_string(rules.bonus.field) +
                        "; a ticket picks " + std::to_string(rules.bonus.count));
    else if (rules.bonus.kind == BonusKind::ball)
        lines.push_back("  bonus ball: " + std::to_string(rules.bonus.count) +
                        " more drawn from the same numbers after the main draw");
    lines.push_back("  price of a ticket: " + (rules.price ? priceText(rules.price, game.currency)
                                                           : std::string("not given")));
    if (rules.prizes.empty()) {
        lines.emplace_back("  prizes: not given");
        return;
    }
    lines.emplace_back(rules.bonus.kind == BonusKind::none ? "  prizes (numbers matched):"
                       : rules.bonus.kind == BonusKind::pool
                           ? "  prizes (main numbers matched + bonus numbers matched):"
                           : "  prizes (main numbers matched + bonus balls matched):");
    std::size_t amountWidth = 0;
    for (const PrizeLevel &level : rules.prizes)
        amountWidth = std::max(amountWidth, groupedMoneyText(level.amount).size());
    bool anyBonus = false;
    for (const PrizeLevel &level : rules.prizes) {
        anyBonus |= rules.bonus.kind != BonusKind::none && !level.bonus;
        lines.push_back("    " + padRight(levelText(level), 5) +
                        (level.kind == PrizeKind::fixed ? "fixed     " : "estimate  ") +
                        padLeft(groupedMoneyText(level.amount), amountWidth) +
                        (game.currency.empty() ? "" : ' ' + game.currency));
    }
    if (anyBonus)
        lines.emplace_back("  a level without + takes the tickets with that many main numbers "
                           "matched that no level with + takes");
}

} // namespace

std::string priceText(const std::optional<Money> &price, const std::string &currency) {
    if (!price)
        return {};
    return groupedMoneyText(*price) + (currency.empty() ? "" : ' ' + currency);
}

std::string rulesHeading(const GameRules &rules, const std::optional<Date> &to) {
    std::string heading = rules.from ? "Rules from " + dateText(*rules.from)
                                     : std::string("Rules since the game began");
    if (to)
        return heading + (rules.from ? " to " : ", to ") + dateText(*to);
    return rules.from ? heading + " on" : heading;
}

std::vector<std::string> gameDescriptionLines(const GameEntry &entry, RulesOrder order) {
    const Game &game = entry.game;
    std::vector<std::string> lines{game.name};
    lines.push_back(std::string(entry.origin == GameOrigin::preset ? "  preset: " : "  yours: ") +
                    shownText(entry.path));
    if (entry.replaced)
        lines.emplace_back("  a game of yours of the same name is used in its place");
    if (!game.note.empty())
        lines.push_back("  note: " + game.note);
    for (std::size_t i = 0; i < game.rules.size(); ++i)
        addRulesLines(game, order == RulesOrder::oldestFirst ? i : game.rules.size() - 1 - i,
                      lines);
    return lines;
}

std::string presetCheckText() {
    return "A preset installed with the program. Its prizes must be checked against the "
           "lottery's own rules; Copy to Edit makes a game of yours from it.";
}

std::string gameNotSavedMessage(std::string_view path, std::string_view reason) {
    std::string text = "The game could not be saved as\n";
    text.append(path);
    text.append("\n\n");
    text.append(reason);
    text.append("\n\nNo file was changed, and the game is still open in the editor: Save again "
                "once the folder can be written, or Cancel.");
    return text;
}

std::string removeGameQuestion(std::string_view name, std::string_view path) {
    std::string text = "Remove your game \"";
    text.append(name);
    text.append("\"?\n\nIts file\n");
    text.append(path);
    text.append("\nis deleted; this cannot be undone.");
    return text;
}

std::string removeFileQuestion(std::string_view path) {
    std::string text = "Remove the file\n";
    text.append(path);
    text.append("\n\nIt holds no game the program can read; deleting it cannot be undone.");
    return text;
}

std::string fileNotRemovedMessage(std::string_view path, std::string_view reason) {
    std::string text = "The file could not be removed:\n";
    text.append(path);
    text.append("\n\n");
    text.append(reason);
    return text;
}

std::string replaceChangedFileQuestion(std::string_view path, std::string_view what) {
    std::string text = "The file\n";
    text.append(path);
    text.append("\n");
    text.append(what);
    text.append("\n\nReplace it with the game as edited here?");
    return text;
}

} // namespace marlek
