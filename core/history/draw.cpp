#include "draw.h"

#include <algorithm>
#include <charconv>

namespace marlek {
namespace {

std::string joined(const std::vector<int> &numbers) {
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(number);
    return text;
}

std::vector<int> sorted(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

bool hasRepeat(const std::vector<int> &numbers) {
    const std::vector<int> ordered = sorted(numbers);
    return std::adjacent_find(ordered.begin(), ordered.end()) != ordered.end();
}

std::string counted(std::size_t count, const char *one, const char *many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

} // namespace

std::string drawNumbersText(const Draw &draw) {
    std::string text = joined(draw.main);
    if (!draw.bonus.empty())
        text += " + " + joined(draw.bonus);
    return text;
}

std::string drawNameText(const Draw &draw) {
    std::string text = dateText(draw.date);
    if (draw.number)
        text += " (draw " + std::to_string(*draw.number) + ")";
    return text;
}

bool sameNumbers(const Draw &a, const Draw &b) {
    if (sorted(a.main) != sorted(b.main))
        return false;
    return a.bonus.empty() || b.bonus.empty() || sorted(a.bonus) == sorted(b.bonus);
}

std::optional<std::string> drawProblem(const Draw &draw, const GameRules &rules) {
    const auto rulesName = [&rules] {
        return rules.from ? " by the rules from " + dateText(*rules.from) : std::string();
    };
    if (draw.main.size() != static_cast<std::size_t>(rules.drawn))
        return counted(draw.main.size(), "main number", "main numbers") + " where " +
               std::to_string(rules.drawn) + " are drawn" + rulesName();
    for (const int number : draw.main)
        if (number < 1 || number > rules.field)
            return "the number " + std::to_string(number) + " is outside 1 to " +
                   std::to_string(rules.field) + rulesName();
    if (hasRepeat(draw.main))
        return "a main number is there twice (" + joined(draw.main) + ")";
    if (draw.bonus.empty())
        return std::nullopt;
    if (rules.bonus.kind == BonusKind::none)
        return "bonus numbers (" + joined(draw.bonus) + ") where the game draws none" + rulesName();
    if (draw.bonus.size() != static_cast<std::size_t>(rules.bonus.count))
        return counted(draw.bonus.size(), "bonus number", "bonus numbers") + " where " +
               std::to_string(rules.bonus.count) + " are drawn" + rulesName();
    const int bonusField = rules.bonus.kind == BonusKind::pool ? rules.bonus.field : rules.field;
    for (const int number : draw.bonus)
        if (number < 1 || number > bonusField)
            return "the bonus number " + std::to_string(number) + " is outside 1 to " +
                   std::to_string(bonusField) + rulesName();
    if (hasRepeat(draw.bonus))
        return "a bonus number is there twice (" + joined(draw.bonus) + ")";
    if (rules.bonus.kind == BonusKind::ball)
        for (const int number : draw.bonus)
            if (std::find(draw.main.begin(), draw.main.end(), number) != draw.main.end())
                return "the bonus ball " + std::to_string(number) +
                       " is one of the main numbers; it is drawn from the rest";
    return std::nullopt;
}

std::optional<std::vector<int>> parseNumberWords(std::string_view text) {
    std::vector<int> numbers;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ' || text[at] == ',') {
            ++at;
            continue;
        }
        int value = 0;
        const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
        if (error != std::errc() || value < 0)
            return std::nullopt;
        numbers.push_back(value);
        at = static_cast<std::size_t>(end - text.data());
    }
    return numbers;
}

} // namespace marlek
