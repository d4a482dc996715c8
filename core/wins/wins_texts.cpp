#include "wins_texts.h"

#include "number_text.h"

#include <algorithm>
#include <stdexcept>

namespace marlek {
namespace {

mpz_class powerOfTen(int exponent) {
    mpz_class result;
    mpz_ui_pow_ui(result.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return result;
}

mpz_class big(std::uint64_t value) {
    mpz_class result;
    mpz_import(result.get_mpz_t(), 1, -1, sizeof value, 0, 0, &value);
    return result;
}

std::string groupedDigits(const std::string &digits) {
    std::string result;
    const std::size_t size = digits.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0 && (size - i) % 3 == 0)
            result += ',';
        result += digits[i];
    }
    return result;
}

std::string count(std::uint64_t value) {
    return groupedOrZero(static_cast<std::int64_t>(value));
}

std::string ways(std::uint64_t value) {
    return count(value) + (value == 1 ? " Way" : " Ways");
}

std::string numbersText(const std::vector<int> &numbers) {
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : " ") + plain(number);
    return text;
}

std::string withCurrency(const std::string &amount, const std::string &currency) {
    return currency.empty() ? amount : amount + " " + currency;
}

// A sentence in lines of at most `width` characters, broken between words.
void addWrapped(std::vector<std::string> &lines, const std::string &text, std::size_t width = 90) {
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(at, end - at);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    if (!line.empty())
        lines.push_back(line);
}

void addTableLines(const WinsDocument &document, std::vector<std::string> &lines) {
    const WinTable &table = document.table;
    const std::string n = plain(table.numbers);
    lines.push_back("The Win Table");
    addWrapped(lines, "For every count of winning numbers among your " + n +
                          ", over every way they can fall: how many tickets match each count (the "
                          "fewest, the most, on average) and in how many ways at least one does.");
    for (auto row = table.rows.rbegin(); row != table.rows.rend(); ++row) {
        lines.push_back("");
        lines.push_back(plain(row->winning) +
                        (row->winning == 1 ? " Winning Number" : " Winning Numbers") +
                        " among your " + n + ": " + ways(row->ways));
        lines.push_back("  Matched      Fewest        Most       Average   Ways with at least one");
        for (int m = static_cast<int>(row->matches.size()) - 1; m >= 0; --m) {
            const MatchCounts &counts = row->matches[static_cast<std::size_t>(m)];
            mpq_class mean(big(counts.total), big(row->ways));
            mean.canonicalize();
            mpq_class share(big(counts.waysWithAny), big(row->ways));
            share.canonicalize();
            lines.push_back("  " + padLeft(plain(m), 7) + padLeft(count(counts.fewest), 12) +
                            padLeft(count(counts.most), 12) +
                            padLeft(significantText(mean), 14) + "   " +
                            count(counts.waysWithAny) + " (" + percentText(share) + ")");
        }
        std::string best;
        for (std::size_t m = 0; m < row->bestWays.size(); ++m)
            if (row->bestWays[m] > 0)
                best += (best.empty() ? "" : ", ") + plain(static_cast<std::int64_t>(m)) +
                        " in " + ways(row->bestWays[m]);
        lines.push_back("  The Best Ticket matches at least " + plain(row->smallestBest) + ": " +
                        best);
    }
    if (!table.holes)
        return;
    const WinHoles &holes = *table.holes;
    const int m = holes.guarantee.drawn;
    if (m > table.numbers)
        return;
    std::uint64_t checked = choose(table.numbers - holes.keys, m - holes.keys);
    const std::string of =
        holes.keys > 0 ? " that hold the " + std::string(holes.keys == 1 ? "Key Number" : "Key Numbers")
                       : std::string();
    lines.push_back("");
    const std::string guarantee = "The " + guaranteeText(holes.guarantee) + " Guarantee";
    if (holes.count == 0) {
        lines.push_back(guarantee + " holds in all " + ways(checked) + " " + plain(m) +
                        " of your Numbers can be drawn" + of + ".");
        return;
    }
    lines.push_back(guarantee + " fails in " + count(holes.count) + " of the " + ways(checked) +
                    of + ". The first " + plain(static_cast<std::int64_t>(holes.first.size())) +
                    ", as drawn:");
    for (const std::vector<int> &way : holes.first)
        lines.push_back("  " + numbersText(way));
}

std::string playName(int which, int numbers) {
    switch (which) {
    case 0:
        return "This Wheel";
    case 1:
        return "One Ticket";
    default:
        return "Full Wheel of " + plain(numbers);
    }
}

void addOddsLines(const WinsDocument &document, std::vector<std::string> &lines) {
    const GameRules &rules = document.rules;
    const std::string &currency = document.currency;
    const PlayOdds *plays[] = {&document.odds.wheel, &document.odds.single, &document.odds.full};
    const int n = document.table.numbers;
    lines.push_back("");
    lines.push_back("The Odds in " + document.gameName +
                    (rules.from ? " (Rules from " + dateText(*rules.from) + ")" : std::string()));
    const std::string bonus = bonusText(rules.bonus);
    lines.push_back(mainDrawText(rules) + (bonus.empty() ? "" : " + " + bonus) + "; " +
                    withCurrency(moneyAmountText(rules.price.value_or(Money{}).cents), currency) +
                    " a Ticket");
    if (rules.bonus.kind == BonusKind::pool) {
        if (document.play == BonusPlay::sameChoice)
            addWrapped(lines, "Every ticket plays the same " + plain(rules.bonus.count) +
                                  " bonus number" + (rules.bonus.count == 1 ? "" : "s") + ".");
        else
            addWrapped(
                lines,
                "Each of the " +
                groupedOrZero(combinations(rules.bonus.field, rules.bonus.count)) +
                " choices of bonus numbers is played on every ticket, so each ticket of the "
                "wheel is bought that many times.");
    }
    addWrapped(lines, "Odds and expectations for one draw, counted exactly over every way it can "
                      "fall: they say how often a prize comes over many draws, never what the "
                      "next draw brings.");
    lines.push_back("");
    constexpr std::size_t kLabel = 28;
    constexpr std::size_t kColumn = 20;
    std::string header = padRight("", kLabel);
    for (int p = 0; p < 3; ++p)
        header += padLeft(playName(p, n), kColumn);
    lines.push_back(header);
    auto row = [&](const std::string &label, auto textOf) {
        std::string line = padRight(label, kLabel);
        for (const PlayOdds *play : plays)
            line += padLeft(textOf(*play), kColumn);
        lines.push_back(line);
    };
    row("Tickets a Draw", [](const PlayOdds &play) { return groupedDigits(play.tickets.get_str()); });
    row("Cost a Draw", [](const PlayOdds &play) { return moneyAmountText(play.costCents); });
    const bool prized = !rules.prizes.empty();
    bool estimated = false;
    if (prized) {
        row("Prizes to Expect a Draw",
            [](const PlayOdds &play) { return moneyAmountText(play.expectedPrizeCents); });
        row("Prizes to Expect a Ticket", [](const PlayOdds &play) {
            return play.tickets > 0
                       ? moneyAmountText(play.expectedPrizeCents / mpq_class(play.tickets))
                       : std::string("-");
        });
        for (const PlayOdds *play : plays)
            estimated |= play->estimated;
    }
    if (estimated)
        addWrapped(lines, "Prizes marked (estimate) are shared among their winners; the "
                          "expectations use the game's estimates.");

    for (std::size_t i = 0; i < document.odds.wheel.levels.size(); ++i) {
        const LevelOdds &first = document.odds.wheel.levels[i];
        lines.push_back("");
        if (first.prized)
            lines.push_back("Prize " + levelText(first.level) + ": " +
                            withCurrency(moneyAmountText(first.level.amount.cents), currency) +
                            (first.level.kind == PrizeKind::estimate ? " (estimate)" : ""));
        else
            lines.push_back(plain(first.level.main) + " Numbers Matched");
        for (int p = 0; p < 3; ++p) {
            const LevelOdds &level = plays[p]->levels[i];
            const std::string chance =
                level.chance ? oneInText(*level.chance) + " (" + percentText(*level.chance) + ")"
                             : std::string("not counted");
            lines.push_back("  " + padRight(playName(p, n), 20) + "at least one ticket wins: " +
                            padRight(chance, 36) + "tickets to expect: " +
                            significantText(level.expectedTickets));
        }
    }
}

} // namespace

std::string decimalText(const mpq_class &value, int decimals) {
    const mpz_class scale = powerOfTen(decimals);
    mpq_class scaled = value * scale + mpq_class(1, 2);
    mpz_class rounded;
    mpz_fdiv_q(rounded.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    std::string digits = rounded.get_str();
    if (decimals == 0)
        return groupedDigits(digits);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    const std::size_t point = digits.size() - static_cast<std::size_t>(decimals);
    return groupedDigits(digits.substr(0, point)) + "." + digits.substr(point);
}

std::string significantText(const mpq_class &value, int decimals) {
    if (value == 0)
        return decimalText(value, decimals);
    int places = decimals;
    constexpr int kMostPlaces = 60;
    while (places < kMostPlaces && value * powerOfTen(places) < 100)
        ++places;
    // exact values keep no trailing zeros beyond the places asked for
    mpq_class scaled = value * powerOfTen(places);
    std::string text = decimalText(value, places);
    if (places > decimals && scaled.get_den() == 1) {
        while (places > decimals && text.back() == '0') {
            text.pop_back();
            --places;
        }
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

std::string oneInText(const mpq_class &chance) {
    if (chance <= 0)
        return "never";
    const mpq_class inverse = 1 / chance;
    if (inverse.get_den() == 1)
        return "1 in " + groupedDigits(inverse.get_num().get_str());
    return "1 in " + decimalText(inverse, 2);
}

std::string percentText(const mpq_class &chance) {
    const mpq_class percent = chance * 100;
    if (percent.get_den() == 1)
        return groupedDigits(percent.get_num().get_str()) + "%";
    std::string text = significantText(percent);
    // Nearly certain is not certain: places are added until the text is below 100.
    for (int places = 1; percent < 100 && text.starts_with("100") && places < 60; ++places)
        text = decimalText(percent, places);
    return text + "%";
}

std::string fractionText(const mpq_class &value) {
    mpq_class reduced = value;
    reduced.canonicalize();
    return reduced.get_str();
}

std::string moneyAmountText(const mpq_class &cents) {
    const mpq_class units = cents / 100;
    mpq_class hundredths = cents;
    hundredths.canonicalize();
    if (hundredths.get_den() == 1)
        return decimalText(units, 2);
    return decimalText(units, 4);
}

std::string playedWheelText(const PlayedWheel &wheel) {
    const std::uint64_t tickets = ticketCount(wheel);
    if (wheel.full)
        return "Every " + plain(wheel.kind) + " of " + plain(wheel.numbers) + " Numbers: " +
               count(tickets) + (tickets == 1 ? " Ticket" : " Tickets");
    std::string text = count(tickets) + (tickets == 1 ? " Ticket" : " Tickets") + " over " +
                       plain(wheel.numbers) + " Numbers, " + plain(wheel.kind) + " a Ticket";
    if (wheel.claimed)
        text += ", " + guaranteeText(*wheel.claimed) + " Guarantee";
    if (wheel.keys > 0) {
        std::vector<int> keys;
        for (int p = 1; p <= wheel.keys; ++p)
            keys.push_back(static_cast<std::size_t>(p) <= wheel.shownNumbers.size()
                               ? wheel.shownNumbers[static_cast<std::size_t>(p - 1)]
                               : p);
        text += std::string(wheel.keys == 1 ? ", Key Number " : ", Key Numbers ") +
                numbersText(keys);
    }
    return text;
}

WinsDocument winsDocument(const PlayedWheel &wheel, const Game &game, bool plainGame,
                          BonusPlay play, const std::atomic<bool> *cancel) {
    const GameRules &rules = latestRules(game);
    if (const std::string problem = winTableProblem(wheel); !problem.empty())
        throw std::invalid_argument(problem);
    if (const std::string problem = oddsProblem(rules, wheel.kind, wheel.numbers); !problem.empty())
        throw std::invalid_argument(problem);
    WinsDocument document;
    document.wheelText = playedWheelText(wheel);
    document.table = winTable(wheel, ballMatchesFor(rules), cancel);
    document.gameName = game.name;
    document.currency = game.currency;
    document.rules = rules;
    document.plainGame = plainGame;
    document.play = play;
    document.hasOdds = true;
    document.odds = gameOdds(document.table, rules, play);
    return document;
}

WinsDocument winsTableDocument(const PlayedWheel &wheel, const std::atomic<bool> *cancel) {
    WinsDocument document;
    document.wheelText = playedWheelText(wheel);
    document.table = winTable(wheel, 0, cancel);
    return document;
}

std::string winsCaption(const WinsDocument &document) {
    return "What It Wins: " + document.wheelText +
           (document.hasOdds ? " in " + document.gameName : std::string());
}

std::vector<std::string> winsLines(const WinsDocument &document) {
    std::vector<std::string> lines;
    lines.push_back("What It Wins");
    lines.push_back(document.wheelText);
    lines.push_back("");
    addTableLines(document, lines);
    if (document.hasOdds)
        addOddsLines(document, lines);
    return lines;
}

std::string noReportForWinsMessage() {
    return "What It Wins counts the tickets of the wheel report on screen, or of the wheel chosen "
           "last. Choose a wheel from a catalogue, or design one, first.";
}

std::string winsRefusedMessage(std::string_view reason) {
    return "What It Wins cannot count this wheel: " + std::string(reason) + ".";
}

std::string plainGameName(int kind, int field) {
    return plainGame(kind, field).name;
}

} // namespace marlek
