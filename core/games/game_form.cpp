#include "game_form.h"

#include <algorithm>
#include <charconv>

namespace marlek {
namespace {

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// A count of at most two digits, as every count of a game is.
std::optional<int> smallCount(std::string_view text) {
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// "5+1" (spaces around the '+' taken) or "3".
std::optional<std::pair<int, std::optional<int>>> levelOf(const std::string &text) {
    const std::size_t plus = text.find('+');
    const std::optional<int> main = smallCount(trimmed(std::string_view(text).substr(0, plus)));
    if (!main)
        return std::nullopt;
    if (plus == std::string::npos)
        return std::pair{*main, std::optional<int>()};
    const std::optional<int> bonus = smallCount(trimmed(std::string_view(text).substr(plus + 1)));
    if (!bonus)
        return std::nullopt;
    return std::pair{*main, std::optional<int>(*bonus)};
}

std::string amountHint(const std::string &example, const std::string &typed) {
    return "write an amount as digits with an optional point and two decimals, e.g. " + example +
           ", not \"" + typed + "\"";
}

Bonus bonusOf(const RulesForm &rules) {
    switch (rules.bonusKind) {
    case BonusKind::pool:
        return {BonusKind::pool, rules.bonusCount, rules.bonusField};
    case BonusKind::ball:
        return {BonusKind::ball, rules.bonusCount, 0};
    case BonusKind::none:
        break;
    }
    return {};
}

// The form row of the first prize level of `rules` that rulesProblem finds wrong: the levels are
// checked one more at a time, so a level given twice is found at its second row.
std::size_t rowOfPrizeProblem(const GameRules &rules, const std::vector<std::size_t> &rows) {
    GameRules partial = rules;
    for (std::size_t count = 1; count <= rules.prizes.size(); ++count) {
        partial.prizes.assign(rules.prizes.begin(),
                              rules.prizes.begin() + static_cast<std::ptrdiff_t>(count));
        if (const std::optional<GameProblem> problem = rulesProblem(partial);
            problem && problem->field.starts_with("prize "))
            return rows[count - 1];
    }
    return rows.empty() ? 0 : rows.back();
}

} // namespace

GameForm formOf(const Game &game) {
    GameForm form{game.name, game.currency, game.note, {}};
    for (const GameRules &rules : game.rules) {
        RulesForm &shown = form.rules.emplace_back();
        shown.from = rules.from ? dateText(*rules.from) : std::string();
        shown.drawn = rules.drawn;
        shown.field = rules.field;
        shown.bonusKind = rules.bonus.kind;
        if (rules.bonus.kind != BonusKind::none)
            shown.bonusCount = rules.bonus.count;
        if (rules.bonus.kind == BonusKind::pool)
            shown.bonusField = rules.bonus.field;
        shown.price = rules.price ? moneyText(*rules.price) : std::string();
        for (const PrizeLevel &level : rules.prizes)
            shown.prizes.push_back({levelText(level), level.kind, moneyText(level.amount)});
    }
    return form;
}

GameForm newGameForm() {
    return GameForm{{}, {}, {}, {RulesForm{}}};
}

RulesForm rulesFrom(const RulesForm &rules, Date from) {
    RulesForm copy = rules;
    copy.from = dateText(from);
    return copy;
}

std::variant<Game, FormProblem> gameOfForm(const GameForm &form) {
    Game game;
    game.name = trimmed(form.name);
    game.note = trimmed(form.note);
    game.currency = trimmed(form.currency);
    std::transform(game.currency.begin(), game.currency.end(), game.currency.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    if (std::optional<GameProblem> problem = gameHeaderProblem(game))
        return FormProblem{{}, {}, problem->field, problem->message};
    if (form.rules.empty())
        return FormProblem{{}, {}, "rules", "a game needs its rules"};

    // Which form row each prize level was read from; rows left wholly blank hold no level.
    std::vector<std::vector<std::size_t>> prizeRows(form.rules.size());
    for (std::size_t i = 0; i < form.rules.size(); ++i) {
        const RulesForm &typed = form.rules[i];
        GameRules &rules = game.rules.emplace_back();
        if (const std::string from = trimmed(typed.from); !from.empty()) {
            rules.from = parseDate(from);
            if (!rules.from)
                return FormProblem{i, {}, "date",
                                   "write the date the rules begin as YYYY-MM-DD, e.g. "
                                   "2015-10-07, not \"" +
                                       from + "\""};
        }
        rules.drawn = typed.drawn;
        rules.field = typed.field;
        rules.bonus = bonusOf(typed);
        if (const std::string price = trimmed(typed.price); !price.empty()) {
            rules.price = parseMoney(price);
            if (!rules.price)
                return FormProblem{i, {}, "price", amountHint("2.50", price)};
        }
        for (std::size_t row = 0; row < typed.prizes.size(); ++row) {
            const std::string levelTyped = trimmed(typed.prizes[row].level);
            const std::string amountTyped = trimmed(typed.prizes[row].amount);
            if (levelTyped.empty() && amountTyped.empty())
                continue;
            const auto level = levelOf(levelTyped);
            if (!level)
                return FormProblem{i, row, levelTyped.empty() ? "prize" : "prize " + levelTyped,
                                   "write the level as the main numbers matched and, after a "
                                   "+, the bonus numbers matched, e.g. 5+1 or 3, not \"" +
                                       levelTyped + "\""};
            const std::optional<Money> amount = parseMoney(amountTyped);
            if (!amount)
                return FormProblem{i, row, "prize " + levelText(level->first, level->second),
                                   amountHint("100.00", amountTyped)};
            rules.prizes.push_back({level->first, level->second, typed.prizes[row].kind, *amount});
            prizeRows[i].push_back(row);
        }
    }

    const std::optional<GameProblem> problem = gameProblem(game);
    if (!problem)
        return game;
    FormProblem found{problem->rules, {}, problem->field, problem->message};
    if (problem->field == "rules" || problem->field.starts_with("rules from"))
        found.field = "date";
    if (problem->rules && problem->field.starts_with("prize "))
        found.prizeRow =
            rowOfPrizeProblem(game.rules[*problem->rules], prizeRows[*problem->rules]);
    return found;
}

std::string rulesCaption(const RulesForm &rules) {
    const std::string from = trimmed(rules.from);
    return from.empty() ? "Rules since the game began" : "Rules from " + from;
}

std::string formProblemText(const GameForm &form, const FormProblem &problem) {
    std::string text = problem.field + ": " + problem.message;
    if (!problem.rules || *problem.rules >= form.rules.size())
        return text;
    const RulesForm &rules = form.rules[*problem.rules];
    if (form.rules.size() > 1 || !trimmed(rules.from).empty())
        text = rulesCaption(rules) + ", " + text;
    return text;
}

} // namespace marlek
