#include "game.h"

#include <algorithm>
#include <charconv>

namespace marlek {
namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;

std::string wholeUnitsGrouped(std::int64_t units) {
    std::string digits = std::to_string(units);
    for (std::size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, 1, ',');
    return digits;
}

std::string twoDigitCents(std::int64_t cents) {
    return std::string{char('0' + cents / 10), char('0' + cents % 10)};
}

// A whole number of exactly `width` digits.
std::optional<int> digits(std::string_view text, std::size_t width) {
    if (text.size() != width ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string counted(int count, const char *one, const char *many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// The count of characters of UTF-8 text, or nothing when it is not UTF-8 (overlong forms,
// surrogates and values past U+10FFFF included).
std::optional<std::size_t> utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t value = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, value = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, value = lead & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size())
            return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            value = (value << 6) | (next & 0x3F);
        }
        if ((extra == 2 && (value < 0x800 || (value >= 0xD800 && value <= 0xDFFF))) ||
            (extra == 3 && (value < 0x10000 || value > 0x10FFFF)))
            return std::nullopt;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return count;
}

// What is wrong with a name or a note: not UTF-8, a control character, too long, or nothing in it.
std::optional<std::string> textProblem(std::string_view text, std::size_t maxLength) {
    const std::optional<std::size_t> length = utf8Length(text);
    if (!length)
        return "the text is not UTF-8";
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
        return "the text holds a control character (a tab or a line end)";
    if (*length > maxLength)
        return "the text is " + std::to_string(*length) + " characters long; at most " +
               std::to_string(maxLength) + " are allowed";
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return "the text is empty";
    if (text.front() == ' ' || text.back() == ' ')
        return "the text begins or ends with a space";
    return std::nullopt;
}

std::string rulesField(const GameRules &rules) {
    return rules.from ? "rules from " + dateText(*rules.from) : "rules";
}

GameProblem problemIn(std::size_t index, std::string field, std::string message) {
    return {index, std::move(field), std::move(message)};
}

std::optional<std::string> amountProblem(Money amount) {
    if (amount.cents <= 0)
        return "the amount must be more than 0";
    if (amount > kMaxMoney)
        return "the amount must be at most " + groupedMoneyText(kMaxMoney);
    return std::nullopt;
}

std::optional<std::string> levelProblem(const GameRules &rules, const PrizeLevel &level) {
    if (level.main < 0 || level.main > rules.drawn)
        return "a ticket matches from 0 to " + std::to_string(rules.drawn) + " main numbers, not " +
               std::to_string(level.main);
    if (level.bonus) {
        const int bonus = *level.bonus;
        switch (rules.bonus.kind) {
        case BonusKind::none:
            return "these rules have no bonus, so a level counts main numbers only (\"" +
                   std::to_string(level.main) + "\")";
        case BonusKind::pool:
            if (bonus < 0 || bonus > rules.bonus.count)
                return "a ticket matches from 0 to " + std::to_string(rules.bonus.count) +
                       " bonus numbers, not " + std::to_string(bonus);
            break;
        case BonusKind::ball:
            if (bonus < 0 || bonus > rules.bonus.count)
                return "a ticket matches from 0 to " + std::to_string(rules.bonus.count) +
                       " bonus balls, not " + std::to_string(bonus);
            if (level.main + bonus > rules.drawn)
                return "a ticket of " + std::to_string(rules.drawn) + " numbers cannot match " +
                       std::to_string(level.main) + " main numbers and " +
                       counted(bonus, "bonus ball", "bonus balls");
            break;
        }
    }
    if (level.main + level.bonus.value_or(0) == 0)
        return "a level must match at least one number";
    return amountProblem(level.amount);
}

} // namespace

std::string moneyText(Money amount) {
    return std::to_string(amount.cents / 100) + '.' + twoDigitCents(amount.cents % 100);
}

std::string groupedMoneyText(Money amount) {
    return wholeUnitsGrouped(amount.cents / 100) + '.' + twoDigitCents(amount.cents % 100);
}

std::optional<Money> parseMoney(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || whole.size() > 12 || !allDigits(whole) || !allDigits(fraction) ||
        (point != std::string_view::npos && (fraction.empty() || fraction.size() > 2)))
        return std::nullopt;
    std::int64_t units = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), units);
    std::int64_t cents = 0;
    if (!fraction.empty())
        cents = (fraction[0] - '0') * 10 + (fraction.size() == 2 ? fraction[1] - '0' : 0);
    return Money{units * 100 + cents};
}

std::string dateText(Date date) {
    const std::string y = std::to_string(static_cast<int>(date.year()));
    const auto two = [](unsigned value) {
        return std::string{char('0' + value / 10), char('0' + value % 10)};
    };
    return std::string(y.size() < 4 ? 4 - y.size() : 0, '0') + y + '-' +
           two(static_cast<unsigned>(date.month())) + '-' + two(static_cast<unsigned>(date.day()));
}

std::optional<Date> parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::optional<int> y = digits(text.substr(0, 4), 4);
    const std::optional<int> m = digits(text.substr(5, 2), 2);
    const std::optional<int> d = digits(text.substr(8, 2), 2);
    if (!y || !m || !d)
        return std::nullopt;
    const Date date{year(*y), month(static_cast<unsigned>(*m)), day(static_cast<unsigned>(*d))};
    if (!date.ok())
        return std::nullopt;
    return date;
}

std::string levelText(int main, std::optional<int> bonus) {
    return std::to_string(main) + (bonus ? '+' + std::to_string(*bonus) : std::string());
}

const PrizeLevel *prizeFor(const GameRules &rules, int main, int bonus) {
    const PrizeLevel *anyBonus = nullptr;
    for (const PrizeLevel &level : rules.prizes) {
        if (level.main != main)
            continue;
        if (level.bonus == bonus)
            return &level;
        if (!level.bonus)
            anyBonus = &level;
    }
    return anyBonus;
}

const GameRules *rulesOn(const Game &game, Date date) {
    const GameRules *found = nullptr;
    for (const GameRules &rules : game.rules) {
        if (rules.from && sys_days(*rules.from) > sys_days(date))
            break;
        found = &rules;
    }
    return found;
}

const GameRules &latestRules(const Game &game) {
    return game.rules.back();
}

std::optional<Date> lastDayOf(const Game &game, std::size_t index) {
    if (index + 1 >= game.rules.size() || !game.rules[index + 1].from)
        return std::nullopt;
    return Date{sys_days(*game.rules[index + 1].from) - days(1)};
}

Game plainGame(int kind, int field) {
    GameRules rules;
    rules.drawn = kind;
    rules.field = field;
    rules.price = Money{100};
    return Game{"Pick " + std::to_string(kind) + " of " + std::to_string(field), {}, {}, {rules}};
}

std::string mainDrawText(const GameRules &rules) {
    return std::to_string(rules.drawn) + " of " + std::to_string(rules.field);
}

std::string bonusText(const Bonus &bonus) {
    switch (bonus.kind) {
    case BonusKind::none:
        return {};
    case BonusKind::pool:
        return std::to_string(bonus.count) + " of " + std::to_string(bonus.field);
    case BonusKind::ball:
        return bonus.count == 1 ? "bonus ball" : counted(bonus.count, "bonus ball", "bonus balls");
    }
    return {};
}

std::optional<GameProblem> gameHeaderProblem(const Game &game) {
    if (const auto problem = textProblem(game.name, kMaxNameLength))
        return GameProblem{std::nullopt, "name", *problem};
    if (!game.note.empty())
        if (const auto problem = textProblem(game.note, kMaxNoteLength))
            return GameProblem{std::nullopt, "note", *problem};
    if (!game.currency.empty() &&
        (game.currency.size() != 3 || !std::all_of(game.currency.begin(), game.currency.end(),
                                                   [](char c) { return c >= 'A' && c <= 'Z'; })))
        return GameProblem{std::nullopt, "currency",
                           "a currency is named by its three capital letters, e.g. USD or EUR"};
    return std::nullopt;
}

std::optional<GameProblem> rulesProblem(const GameRules &rules) {
    if (rules.drawn < kMinDrawn || rules.drawn > kMaxDrawn)
        return GameProblem{std::nullopt, "main",
                           "the numbers drawn must be from " + std::to_string(kMinDrawn) + " to " +
                               std::to_string(kMaxDrawn) + ", not " + std::to_string(rules.drawn)};
    const int ballCount = rules.bonus.kind == BonusKind::ball ? rules.bonus.count : 0;
    const int fewest = rules.drawn + ballCount;
    if (rules.field < fewest || rules.field > kMaxField)
        return GameProblem{
            std::nullopt, "main",
            "the field must be from " + std::to_string(fewest) + " to " +
                std::to_string(kMaxField) + " numbers, not " + std::to_string(rules.field) +
                (ballCount > 0 ? " (it holds the main numbers and the bonus balls)" : "")};
    if (rules.bonus.kind != BonusKind::none &&
        (rules.bonus.count < 1 || rules.bonus.count > kMaxBonusCount))
        return GameProblem{
            std::nullopt, rules.bonus.kind == BonusKind::pool ? "bonus pool" : "bonus ball",
            "the bonus numbers drawn must be from 1 to " + std::to_string(kMaxBonusCount) +
                ", not " + std::to_string(rules.bonus.count)};
    if (rules.bonus.kind == BonusKind::pool &&
        (rules.bonus.field < rules.bonus.count || rules.bonus.field > kMaxField))
        return GameProblem{std::nullopt, "bonus pool",
                           "the pool must be from " + std::to_string(rules.bonus.count) + " to " +
                               std::to_string(kMaxField) + " numbers, not " +
                               std::to_string(rules.bonus.field)};
    if (rules.bonus.kind != BonusKind::pool && rules.bonus.field != 0)
        return GameProblem{std::nullopt, "bonus ball", "bonus balls are drawn from the main field"};
    if (rules.price)
        if (const auto problem = amountProblem(*rules.price))
            return GameProblem{std::nullopt, "price", *problem};
    for (std::size_t i = 0; i < rules.prizes.size(); ++i) {
        const PrizeLevel &level = rules.prizes[i];
        const std::string field = "prize " + levelText(level);
        if (const auto problem = levelProblem(rules, level))
            return GameProblem{std::nullopt, field, *problem};
        for (std::size_t j = 0; j < i; ++j)
            if (rules.prizes[j].main == level.main && rules.prizes[j].bonus == level.bonus)
                return GameProblem{std::nullopt, field, "the level is given twice"};
    }
    return std::nullopt;
}

std::optional<GameProblem> gameProblem(const Game &game) {
    if (auto problem = gameHeaderProblem(game))
        return problem;
    if (game.rules.empty())
        return GameProblem{std::nullopt, "rules",
                           "a game needs its rules: a section such as [rules from 2015-10-07]"};
    for (std::size_t i = 0; i < game.rules.size(); ++i) {
        const GameRules &rules = game.rules[i];
        if (i > 0 && !rules.from)
            return problemIn(i, "rules",
                             "only the first rules may leave out their date; later rules begin "
                             "on a date (\"[rules from 2015-10-07]\")");
        if (i > 0 && game.rules[i - 1].from &&
            sys_days(*rules.from) <= sys_days(*game.rules[i - 1].from))
            return problemIn(i, rulesField(rules),
                             "rules are given in the order of their dates, each after the one "
                             "before (" +
                                 dateText(*game.rules[i - 1].from) + ")");
        if (auto problem = rulesProblem(rules)) {
            problem->rules = i;
            return problem;
        }
    }
    if (!latestRules(game).price)
        return problemIn(game.rules.size() - 1, "price",
                         "the newest rules need the price of a ticket (e.g. \"price: 2.00\")");
    return std::nullopt;
}

bool sameGameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

} // namespace marlek
