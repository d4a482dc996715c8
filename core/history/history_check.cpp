#include "history_check.h"

#include "number_text.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace marlek {
namespace {

// Numbers 1 to 127 as bits of two words.
struct Bits {
    std::uint64_t low = 0, high = 0;
    void add(int number) {
        (number < 64 ? low : high) |= std::uint64_t{1} << (number % 64);
    }
    int common(const Bits &other) const {
        return std::popcount(low & other.low) + std::popcount(high & other.high);
    }
};

Bits bitsOf(const std::vector<int> &numbers) {
    Bits bits;
    for (const int number : numbers)
        bits.add(number);
    return bits;
}

double choose(int n, int k) {
    if (k < 0 || n < 0 || k > n)
        return 0;
    double value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * (n - k + i) / i;
    return value;
}

// The chance that a ticket of `rules.drawn` numbers matches `main` of the main draw.
double mainChance(const GameRules &rules, int main) {
    const int d = rules.drawn, f = rules.field;
    return choose(d, main) * choose(f - d, d - main) / choose(f, d);
}

// The chance that such a ticket, having matched `main`, holds `bonus` of the bonus numbers.
double bonusChance(const GameRules &rules, int main, int bonus) {
    if (rules.bonus.kind != BonusKind::ball)
        return bonus == 0 ? 1 : 0;
    // The bonus balls come from the F - d numbers left; d - main of the ticket's are among them.
    const int left = rules.field - rules.drawn, mine = rules.drawn - main, c = rules.bonus.count;
    return choose(mine, bonus) * choose(left - mine, c - bonus) / choose(left, c);
}

int bonusDrawn(const GameRules &rules) {
    return rules.bonus.kind == BonusKind::none ? 0 : rules.bonus.count;
}

// The levels a draw under `rules` is judged by: its prizes, else 3 numbers matched or more.
struct LevelKey {
    int main = 0;
    std::optional<int> bonus;
    bool operator<(const LevelKey &other) const {
        if (main != other.main)
            return main > other.main;
        return bonus.value_or(-1) > other.bonus.value_or(-1);
    }
};

// The chance of one level under `rules`: a level without a bonus count takes the bonus counts no
// other level of that many main numbers takes.
double levelChance(const GameRules &rules, const LevelKey &key) {
    if (key.bonus)
        return mainChance(rules, key.main) * bonusChance(rules, key.main, *key.bonus);
    double chance = 0;
    for (int b = 0; b <= bonusDrawn(rules); ++b) {
        const bool taken = std::any_of(rules.prizes.begin(), rules.prizes.end(), [&](const PrizeLevel &p) {
            return p.main == key.main && p.bonus == b;
        });
        if (!taken)
            chance += bonusChance(rules, key.main, b);
    }
    return mainChance(rules, key.main) * chance;
}

std::vector<LevelKey> levelsOf(const GameRules &rules) {
    std::vector<LevelKey> keys;
    if (!rules.prizes.empty()) {
        for (const PrizeLevel &level : rules.prizes)
            keys.push_back({level.main, level.bonus});
    } else {
        for (int m = rules.drawn; m >= std::min(3, rules.drawn); --m)
            keys.push_back({m, std::nullopt});
    }
    return keys;
}

std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// An expected count: two decimals, or three figures below 1 so a rare level does not read 0.
std::string expectedText(double value) {
    if (value >= 0.995 || value == 0)
        return fixed(value, 2);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3g", value);
    std::string text = buffer;
    return text.find('e') == std::string::npos ? text : fixed(value, 8);
}

std::string moneyWithCurrency(Money amount, const std::string &currency) {
    return groupedMoneyText(amount) + (currency.empty() ? "" : " " + currency);
}

std::string numbersText(const std::vector<int> &numbers) {
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(number);
    return text;
}

// The regularised upper incomplete gamma function Q(a, x) (series below a + 1, continued fraction
// above), as in the standard numerical recipes.
double upperGamma(double a, double x) {
    if (x <= 0)
        return 1;
    const double logPrefix = a * std::log(x) - x - std::lgamma(a);
    if (x < a + 1) {
        double term = 1 / a, sum = term;
        for (int n = 1; n < 1000 && std::fabs(term) > std::fabs(sum) * 1e-15; ++n) {
            term *= x / (a + n);
            sum += term;
        }
        return std::max(0.0, 1 - sum * std::exp(logPrefix));
    }
    const double tiny = 1e-300;
    double b = x + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
    for (int i = 1; i < 1000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < 1e-15)
            break;
    }
    return std::exp(logPrefix) * h;
}

} // namespace

double chiSquareUpperTail(double statistic, int degrees) {
    if (degrees <= 0)
        return 1;
    return upperGamma(degrees / 2.0, statistic / 2.0);
}

std::string pastDrawsNotice() {
    return "This is a record of what happened. Past draws do not predict the next one: every "
           "draw is new, and every number has the same chance in it.";
}

HistoryCheck checkAgainstDraws(const Game &game, const std::vector<Draw> &draws,
                               const std::vector<std::vector<int>> &tickets,
                               std::optional<Date> from, std::optional<Date> to) {
    if (tickets.empty())
        throw std::invalid_argument("there are no tickets to check");
    if (tickets.size() > kMaxHistoryTickets)
        throw std::invalid_argument(grouped(static_cast<std::int64_t>(tickets.size())) +
                                    " tickets are more than the " +
                                    grouped(kMaxHistoryTickets) + " checked at once");
    HistoryCheck check;
    check.game = game.name;
    check.currency = game.currency;
    check.from = from;
    check.to = to;
    check.tickets = tickets.size();
    check.ticketSize = static_cast<int>(tickets.front().size());
    check.draws = static_cast<std::int64_t>(draws.size());
    std::vector<Bits> ticketBits;
    for (const std::vector<int> &ticket : tickets) {
        if (ticket.size() != tickets.front().size())
            throw std::invalid_argument("the tickets do not all hold the same count of numbers");
        for (const int number : ticket)
            if (number < 1 || number > kMaxField)
                throw std::invalid_argument("a ticket holds " + std::to_string(number) +
                                            ", outside 1 to " + std::to_string(kMaxField));
        ticketBits.push_back(bitsOf(ticket));
        if (ticketBits.back().common(ticketBits.back()) != static_cast<int>(ticket.size()))
            throw std::invalid_argument("a ticket holds a number twice (" + numbersText(ticket) +
                                        ")");
    }

    std::map<LevelKey, LevelRecord> levels;
    bool allPrized = true;
    int maxField = 0;
    for (const Draw &draw : draws) {
        const GameRules *rules = rulesOn(game, draw.date);
        if (!rules)
            continue;
        maxField = std::max(maxField, rules->field);
        if (rules->drawn != check.ticketSize)
            continue;
        ++check.checkedDraws;
        allPrized &= !rules->prizes.empty();
        check.unprizedDraws += rules->prizes.empty();
        const std::vector<LevelKey> keys = levelsOf(*rules);
        for (const LevelKey &key : keys) {
            LevelRecord &record = levels[key];
            record.level = levelText(key.main, key.bonus);
            record.main = key.main;
            record.bonus = key.bonus;
            record.expected += static_cast<double>(tickets.size()) * levelChance(*rules, key);
        }
        if (rules->price) {
            ++check.pricedDraws;
            check.spent.cents += rules->price->cents * static_cast<std::int64_t>(tickets.size());
        }
        const Bits mainBits = bitsOf(draw.main);
        const Bits bonusBits =
            rules->bonus.kind == BonusKind::ball ? bitsOf(draw.bonus) : Bits{};
        WinningDraw win;
        win.draw = draw;
        int bestMain = -1, bestBonus = -1;
        for (std::size_t t = 0; t < ticketBits.size(); ++t) {
            const int main = ticketBits[t].common(mainBits);
            if (main < 3 && rules->prizes.empty())
                continue; // nothing to count, and the hot loop stays short
            const int bonus = ticketBits[t].common(bonusBits);
            std::optional<LevelKey> reached;
            if (rules->prizes.empty()) {
                reached = LevelKey{main, std::nullopt};
            } else if (const PrizeLevel *prize = prizeFor(*rules, main, bonus)) {
                reached = LevelKey{prize->main, prize->bonus};
                win.won.cents += prize->amount.cents;
                check.estimatesWon |= prize->kind == PrizeKind::estimate;
            }
            if (!reached)
                continue;
            ++levels[*reached].reached;
            ++win.winningTickets;
            if (main > bestMain || (main == bestMain && bonus > bestBonus)) {
                bestMain = main, bestBonus = bonus;
                win.bestTicket = t;
                win.bestLevel = levelText(reached->main, reached->bonus);
            }
        }
        if (win.winningTickets > 0) {
            win.bestMain = bestMain;
            win.bestBonus = bestBonus;
            if (rules->price)
                check.won.cents += win.won.cents;
            check.wins.push_back(std::move(win));
        }
    }
    check.prizesGiven = check.checkedDraws > 0 && allPrized;
    for (auto &[key, record] : levels)
        check.levels.push_back(record);

    // How often each number was drawn, beside d / F of the draws whose field holds it.
    check.numbers.resize(static_cast<std::size_t>(maxField));
    for (int n = 1; n <= maxField; ++n)
        check.numbers[static_cast<std::size_t>(n - 1)].number = n;
    for (const Draw &draw : draws) {
        const GameRules *rules = rulesOn(game, draw.date);
        if (!rules)
            continue;
        for (int n = 1; n <= rules->field; ++n)
            check.numbers[static_cast<std::size_t>(n - 1)].expected +=
                static_cast<double>(rules->drawn) / rules->field;
        for (const int n : draw.main)
            if (n >= 1 && n <= maxField)
                ++check.numbers[static_cast<std::size_t>(n - 1)].drawn;
    }

    // The test takes the draws of the newest main draw in the range: counts of numbers drawn
    // without putting back are less spread than free counts, by (F - d) / (F - 1), which the
    // statistic is divided by so it follows the chi-square law with F - 1 degrees of freedom.
    const GameRules *newest = nullptr;
    for (auto draw = draws.rbegin(); draw != draws.rend() && !newest; ++draw)
        newest = rulesOn(game, draw->date);
    if (newest && newest->field > newest->drawn) {
        UniformityTest test;
        test.drawn = newest->drawn;
        test.field = newest->field;
        std::vector<std::int64_t> counts(static_cast<std::size_t>(newest->field), 0);
        for (const Draw &draw : draws) {
            const GameRules *rules = rulesOn(game, draw.date);
            if (!rules || rules->drawn != test.drawn || rules->field != test.field)
                continue;
            ++test.draws;
            for (const int n : draw.main)
                ++counts[static_cast<std::size_t>(n - 1)];
        }
        const double expected = static_cast<double>(test.draws) * test.drawn / test.field;
        double sum = 0;
        for (const std::int64_t count : counts)
            sum += (static_cast<double>(count) - expected) * (static_cast<double>(count) - expected) /
                   expected;
        test.statistic = sum * (test.field - 1) / (test.field - test.drawn);
        test.degreesOfFreedom = test.field - 1;
        test.pValue = chiSquareUpperTail(test.statistic, test.degreesOfFreedom);
        check.uniformity = test;
    }
    return check;
}

std::vector<std::string> historyCheckLines(const HistoryCheck &check) {
    std::vector<std::string> lines;
    lines.push_back("Past Draws of " + check.game);
    const std::string range = check.from && check.to ? "from " + dateText(*check.from) + " to " +
                                                           dateText(*check.to)
                              : check.from ? "from " + dateText(*check.from) + " on"
                              : check.to   ? "up to " + dateText(*check.to)
                                           : std::string("(all of them)");
    lines.push_back(counted(static_cast<std::int64_t>(check.tickets), "Ticket", "Tickets") +
                    " of " + plain(check.ticketSize) + " Numbers against " +
                    counted(check.draws, "stored draw", "stored draws") + " " + range);
    lines.push_back(pastDrawsNotice());
    if (check.checkedDraws < check.draws)
        lines.push_back(plain(check.draws - check.checkedDraws) +
                        " of the draws are left out of the tickets' record: their rules draw "
                        "another count of numbers than a ticket holds.");
    lines.push_back("");

    const std::string winWord = check.prizesGiven ? "won a prize"
                                : check.unprizedDraws == check.checkedDraws
                                    ? "matched 3 or more"
                                    : "won a prize (matched 3 or more where the rules name no "
                                      "prizes)";
    lines.push_back("Draws where a ticket " + winWord + ": " + grouped(static_cast<std::int64_t>(
                                                                  check.wins.size())) +
                    " of " + grouped(check.checkedDraws));
    for (const WinningDraw &win : check.wins) {
        std::string line = "  " + drawNameText(win.draw) + "  " + drawNumbersText(win.draw) + "  " +
                           counted(win.winningTickets, "ticket", "tickets") + "; best: ticket " +
                           plain(static_cast<std::int64_t>(win.bestTicket + 1)) + ", " +
                           win.bestLevel;
        if (win.won.cents > 0)
            line += ", won " + moneyWithCurrency(win.won, check.currency);
        lines.push_back(line);
    }
    lines.push_back("");

    lines.push_back(check.prizesGiven ? "Prize levels: times reached, and what the odds expect "
                                        "in that many draws"
                                      : "Numbers matched: times reached, and what the odds "
                                        "expect in that many draws");
    lines.push_back("  level   reached   expected");
    for (const LevelRecord &level : check.levels)
        lines.push_back("  " + padRight(level.level, 6) + padLeft(groupedOrZero(level.reached), 9) +
                        padLeft(expectedText(level.expected), 11));
    lines.push_back("");

    if (check.pricedDraws > 0) {
        lines.push_back("Money, over the " + counted(check.pricedDraws, "draw", "draws") +
                        " whose rules give a price:");
        lines.push_back("  spent " + moneyWithCurrency(check.spent, check.currency) + ", won " +
                        moneyWithCurrency(check.won, check.currency) +
                        (check.estimatesWon ? " (shared prizes at the game's estimates)" : ""));
    } else {
        lines.push_back("Money: the game's rules give no price for these draws.");
    }
    lines.push_back("");

    lines.push_back("Numbers drawn: times drawn, and what even chances expect");
    lines.push_back("  number   drawn   expected");
    for (const NumberRecord &number : check.numbers)
        lines.push_back("  " + padLeft(plain(number.number), 6) +
                        padLeft(groupedOrZero(number.drawn), 8) +
                        padLeft(expectedText(number.expected), 11));
    if (check.uniformity) {
        const UniformityTest &test = *check.uniformity;
        lines.push_back("");
        lines.push_back("Chi-square test of even counts over the " +
                        counted(test.draws, "draw", "draws") + " of " + plain(test.drawn) + " of " +
                        plain(test.field) + ": " + fixed(test.statistic, 2) + " with " +
                        plain(test.degreesOfFreedom) + " degrees of freedom.");
        lines.push_back("Fair draws give counts at least this uneven in " +
                        fixed(test.pValue * 100, 1) + "% of records this long.");
        if (static_cast<double>(test.draws) * test.drawn / test.field < 5)
            lines.push_back("With fewer than 5 draws of each number expected, the test says "
                            "little.");
    }
    return lines;
}

} // namespace marlek
