#include "wheel_odds.h"

#include "number_text.h"

#include <algorithm>
#include <stdexcept>

namespace marlek {
namespace {

mpz_class binomial(int n, int r) {
    mpz_class result;
    if (n < 0 || r < 0 || r > n)
        return 0;
    mpz_bin_uiui(result.get_mpz_t(), static_cast<unsigned long>(n), static_cast<unsigned long>(r));
    return result;
}

mpz_class big(std::uint64_t value) {
    mpz_class result;
    mpz_import(result.get_mpz_t(), 1, -1, sizeof value, 0, 0, &value);
    return result;
}

// The bonus counts b a ticket of m main matches can have, 0..most.
int mostBonus(const GameRules &rules, int m) {
    switch (rules.bonus.kind) {
    case BonusKind::pool:
        return rules.bonus.count;
    case BonusKind::ball:
        return std::min(rules.bonus.count, rules.drawn - m);
    case BonusKind::none:
        break;
    }
    return 0;
}

// The bonus counts that win `level` with its main count: those prizeFor gives it for.
std::vector<int> bonusCountsOf(const GameRules &rules, const PrizeLevel &level, bool prized) {
    std::vector<int> counts;
    for (int b = 0; b <= mostBonus(rules, level.main); ++b)
        if (const PrizeLevel *won = prizeFor(rules, level.main, b); !prized || (won && *won == level))
            counts.push_back(b);
    return counts;
}

} // namespace

std::vector<LevelOdds> levelsToShow(const GameRules &rules) {
    std::vector<LevelOdds> levels;
    for (const PrizeLevel &level : rules.prizes)
        levels.push_back({level, true, std::nullopt, 0});
    if (levels.empty())
        for (int m = rules.drawn; m >= 1; --m)
            levels.push_back({PrizeLevel{m, std::nullopt, PrizeKind::fixed, Money{}}, false,
                              std::nullopt, 0});
    return levels;
}

std::string oddsProblem(const GameRules &rules, int kind, int numbers) {
    if (rules.drawn != kind)
        return "a ticket of this game holds " + plain(rules.drawn) + " numbers, the wheel's " +
               plain(kind);
    if (numbers > rules.field)
        return "the game draws from " + plain(rules.field) + " numbers, fewer than the " +
               plain(numbers) + " the wheel plays";
    return {};
}

unsigned ballMatchesFor(const GameRules &rules) {
    unsigned matches = 0;
    if (rules.bonus.kind != BonusKind::ball || rules.bonus.count != 1)
        return 0;
    for (const LevelOdds &shown : levelsToShow(rules)) {
        const std::size_t won = bonusCountsOf(rules, shown.level, shown.prized).size();
        const auto possible = static_cast<std::size_t>(mostBonus(rules, shown.level.main) + 1);
        if (won > 0 && won < possible)
            matches |= 1u << shown.level.main;
    }
    return matches;
}

mpz_class ticketsBought(const GameRules &rules, std::uint64_t wheelTickets, BonusPlay play) {
    mpz_class tickets = big(wheelTickets);
    if (rules.bonus.kind == BonusKind::pool && play == BonusPlay::everyChoice)
        tickets *= binomial(rules.bonus.field, rules.bonus.count);
    return tickets;
}

PlayOdds playOdds(const WinTable &table, const GameRules &rules, BonusPlay play) {
    if (const std::string problem = oddsProblem(rules, table.kind, table.numbers); !problem.empty())
        throw std::invalid_argument(problem);
    const int d = rules.drawn;
    const int field = rules.field;
    const int n = table.numbers;
    const mpz_class draws = binomial(field, d);

    // Over every draw: the ways some ticket has exactly m main matches, and the tickets that do.
    std::vector<mpz_class> anyMain(static_cast<std::size_t>(d + 1), 0);
    std::vector<mpz_class> ticketsMain(static_cast<std::size_t>(d + 1), 0);
    // With one bonus ball, counted over draw and ball: pairs where some ticket of m holds the
    // ball, and where some ticket of m lacks it.
    std::vector<mpz_class> ballWith(static_cast<std::size_t>(d + 1), 0);
    std::vector<mpz_class> ballWithout(static_cast<std::size_t>(d + 1), 0);
    for (const WinRow &row : table.rows) {
        const int j = row.winning;
        const mpz_class drawsOfWay = binomial(field - n, d - j); // the other d - j drawn
        for (std::size_t m = 0; m < row.matches.size(); ++m) {
            const MatchCounts &counts = row.matches[m];
            anyMain[m] += drawsOfWay * big(counts.waysWithAny);
            ticketsMain[m] += drawsOfWay * big(counts.total);
            if (table.ballMatches >> m & 1) {
                ballWith[m] += drawsOfWay * big(counts.ballWith);
                // a ball outside the player's numbers: every ticket of m lacks it
                ballWithout[m] +=
                    drawsOfWay * (big(counts.ballWithout) +
                                  big(counts.waysWithAny) * (field - d - (n - j)));
            }
        }
    }

    PlayOdds odds;
    odds.tickets = ticketsBought(rules, table.tickets, play);
    odds.costCents = odds.tickets * big(static_cast<std::uint64_t>(rules.price.value_or(Money{}).cents));
    odds.levels = levelsToShow(rules);
    odds.expectedPrizeCents = 0;
    const Bonus &bonus = rules.bonus;
    for (LevelOdds &shown : odds.levels) {
        const int m = shown.level.main;
        const auto mi = static_cast<std::size_t>(m);
        const std::vector<int> won = bonusCountsOf(rules, shown.level, shown.prized);
        const bool always = static_cast<int>(won.size()) == mostBonus(rules, m) + 1;
        const mpq_class mainChance(anyMain[mi], draws);
        const mpq_class mainTickets(ticketsMain[mi], draws);
        if (won.empty()) {
            shown.chance = mpq_class(0);
            shown.expectedTickets = 0;
        } else if (bonus.kind == BonusKind::none || always) {
            shown.chance = mainChance;
            shown.expectedTickets = mainTickets;
            if (bonus.kind == BonusKind::pool && play == BonusPlay::everyChoice)
                shown.expectedTickets *= binomial(bonus.field, bonus.count);
        } else if (bonus.kind == BonusKind::pool) {
            // b of the player's bonus numbers drawn: C(c, b) C(B - c, c - b) of the C(B, c) choices
            mpz_class choices = 0;
            for (const int b : won)
                choices += binomial(bonus.count, b) *
                           binomial(bonus.field - bonus.count, bonus.count - b);
            const mpz_class allChoices = binomial(bonus.field, bonus.count);
            if (play == BonusPlay::sameChoice) {
                shown.chance = mainChance * mpq_class(choices, allChoices);
                shown.expectedTickets = mainTickets * mpq_class(choices, allChoices);
            } else {
                shown.chance = choices > 0 ? mainChance : mpq_class(0);
                shown.expectedTickets = mainTickets * choices;
            }
        } else { // bonus balls from the rest of the field
            const int rest = field - d;
            mpq_class share = 0; // of a ticket of m matches, the chance its bonus count is won
            for (const int b : won)
                share += mpq_class(binomial(d - m, b) * binomial(rest - (d - m), bonus.count - b),
                                   binomial(rest, bonus.count));
            shown.expectedTickets = mainTickets * share;
            if (bonus.count == 1 && (table.ballMatches >> m & 1)) {
                const mpz_class pairs = won.front() == 1 ? ballWith[mi] : ballWithout[mi];
                shown.chance = mpq_class(pairs, draws * rest);
            } else {
                shown.chance.reset();
            }
        }
        if (shown.chance)
            shown.chance->canonicalize();
        shown.expectedTickets.canonicalize();
        if (shown.prized) {
            odds.expectedPrizeCents += shown.expectedTickets *
                                       big(static_cast<std::uint64_t>(shown.level.amount.cents));
            odds.estimated |= shown.level.kind == PrizeKind::estimate &&
                              shown.expectedTickets > 0 && shown.level.amount.cents > 0;
        }
    }
    odds.expectedPrizeCents.canonicalize();
    return odds;
}

GameOdds gameOdds(const WinTable &wheelTable, const GameRules &rules, BonusPlay play) {
    const unsigned ball = ballMatchesFor(rules);
    const WinTable single = winTable(singleTicket(rules.drawn), ball);
    const WinTable full = winTable(fullWheel(rules.drawn, wheelTable.numbers), ball);
    return {playOdds(wheelTable, rules, play), playOdds(single, rules, BonusPlay::sameChoice),
            playOdds(full, rules, play)};
}

} // namespace marlek
