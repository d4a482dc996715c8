#include "win_table.h"

#include "number_text.h"
#include "wheel_verify.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

namespace marlek {
namespace {

NumberSet firstNumbers(int count) {
    return count >= 64 ? ~NumberSet{0} : (NumberSet{1} << count) - 1;
}

std::vector<int> shownWay(const PlayedWheel &wheel, NumberSet way) {
    std::vector<int> numbers = numbersOf(way);
    if (!wheel.shownNumbers.empty()) {
        for (int &number : numbers)
            if (static_cast<std::size_t>(number) <= wheel.shownNumbers.size())
                number = wheel.shownNumbers[static_cast<std::size_t>(number - 1)];
        std::sort(numbers.begin(), numbers.end());
    }
    return numbers;
}

std::vector<WinRow> emptyRows(int kind, int numbers) {
    std::vector<WinRow> rows;
    for (int j = 0; j <= std::min(kind, numbers); ++j) {
        WinRow row;
        row.winning = j;
        row.ways = choose(numbers, j);
        row.matches.resize(static_cast<std::size_t>(std::min(j, kind) + 1));
        for (MatchCounts &counts : row.matches)
            counts.fewest = std::numeric_limits<std::uint64_t>::max();
        row.bestWays.resize(row.matches.size());
        rows.push_back(std::move(row));
    }
    return rows;
}

// A full wheel holds C(j, m) C(N - j, k - m) tickets of m matches whatever way the j fall.
WinTable fullWheelTable(const PlayedWheel &wheel, unsigned ballMatches) {
    const int k = wheel.kind;
    const int n = wheel.numbers;
    WinTable table{k, n, choose(n, k), emptyRows(k, n), ballMatches, std::nullopt};
    for (WinRow &row : table.rows) {
        const int j = row.winning;
        int best = 0;
        for (int m = 0; m <= std::min(j, k); ++m) {
            MatchCounts &counts = row.matches[static_cast<std::size_t>(m)];
            const std::uint64_t each = choose(j, m) * choose(n - j, k - m);
            counts = {each, each, each * row.ways, each > 0 ? row.ways : 0, 0, 0};
            if (each > 0)
                best = m;
            if (ballMatches >> m & 1) {
                const std::uint64_t pairs = row.ways * static_cast<std::uint64_t>(n - j);
                // the ball and k - m - 1 more of the other N - j - 1, or k - m of them
                counts.ballWith = each > 0 && k - m >= 1 && choose(n - j - 1, k - m - 1) > 0 ? pairs : 0;
                counts.ballWithout = each > 0 && choose(n - j - 1, k - m) > 0 ? pairs : 0;
            }
        }
        row.smallestBest = best;
        row.bestWays[static_cast<std::size_t>(best)] = row.ways;
    }
    if (wheel.claimed)
        table.holes = WinHoles{*wheel.claimed, wheel.keys, 0, {}};
    return table;
}

// Walks every set of up to `kind` of the N numbers, depth first (each size in lexicographic
// order), keeping for each ticket its count of matches as a bit-sliced counter: plane b holds bit
// b of every ticket's count, 64 tickets a word. A child set adds one number's column (the tickets
// that hold it) to its parent's counter, so a set costs a few word operations per 64 tickets.
class TableWalk {
public:
    TableWalk(const PlayedWheel &wheel, unsigned ballMatches, const std::atomic<bool> *cancel)
        : m_wheel(wheel), m_kind(wheel.kind), m_numbers(wheel.numbers),
          m_words((wheel.tickets.size() + 63) / 64),
          m_planes(static_cast<std::size_t>(std::bit_width(static_cast<unsigned>(wheel.kind)))),
          m_ballMatches(ballMatches), m_cancel(cancel),
          m_columns(static_cast<std::size_t>(wheel.numbers + 1) * m_words, 0),
          m_state(static_cast<std::size_t>(wheel.kind + 1) * m_planes * m_words, 0),
          m_equal(static_cast<std::size_t>(wheel.kind + 1) * m_words, 0) {
        for (std::size_t t = 0; t < wheel.tickets.size(); ++t)
            for (const int p : numbersOf(wheel.tickets[t] & firstNumbers(m_numbers)))
                m_columns[static_cast<std::size_t>(p) * m_words + t / 64] |= std::uint64_t{1}
                                                                             << (t % 64);
        const std::size_t rest = wheel.tickets.size() % 64;
        m_lastWordMask = rest == 0 ? ~std::uint64_t{0} : (std::uint64_t{1} << rest) - 1;
        m_table = {m_kind, m_numbers, wheel.tickets.size(), emptyRows(m_kind, m_numbers),
                   ballMatches, std::nullopt};
        if (wheel.claimed)
            m_table.holes = WinHoles{*wheel.claimed, wheel.keys, 0, {}};
    }

    WinTable run() {
        visit(0, 0, 1);
        for (WinRow &row : m_table.rows) {
            for (MatchCounts &counts : row.matches)
                if (counts.fewest == std::numeric_limits<std::uint64_t>::max())
                    counts.fewest = 0;
            row.smallestBest = 0;
            for (std::size_t m = 0; m < row.bestWays.size(); ++m)
                if (row.bestWays[m] > 0) {
                    row.smallestBest = static_cast<int>(m);
                    break;
                }
        }
        return m_table;
    }

private:
    std::uint64_t *planesAt(int depth) {
        return m_state.data() + static_cast<std::size_t>(depth) * m_planes * m_words;
    }

    void visit(int depth, NumberSet way, int next) {
        if (m_cancel && (way & 0xFF) == 0 && m_cancel->load(std::memory_order_relaxed))
            return;
        count(depth, way);
        if (depth == m_kind || depth == static_cast<int>(m_table.rows.size()) - 1)
            return;
        const std::uint64_t *parent = planesAt(depth);
        std::uint64_t *child = planesAt(depth + 1);
        for (int p = next; p <= m_numbers; ++p) {
            const std::uint64_t *column = m_columns.data() + static_cast<std::size_t>(p) * m_words;
            for (std::size_t w = 0; w < m_words; ++w) {
                std::uint64_t carry = column[w];
                for (std::size_t b = 0; b < m_planes; ++b) {
                    const std::uint64_t plane = parent[b * m_words + w];
                    child[b * m_words + w] = plane ^ carry;
                    carry &= plane;
                }
            }
            visit(depth + 1, way | bitOf(p), p + 1);
        }
    }

    void count(int j, NumberSet way) {
        WinRow &row = m_table.rows[static_cast<std::size_t>(j)];
        const std::uint64_t *planes = planesAt(j);
        const int highest = std::min(j, m_kind);
        int best = -1; // the most matches any ticket has
        for (int m = highest; m >= 0; --m) {
            std::uint64_t *equal = m_equal.data() + static_cast<std::size_t>(m) * m_words;
            std::uint64_t tickets = 0;
            for (std::size_t w = 0; w < m_words; ++w) {
                std::uint64_t mask = w + 1 == m_words ? m_lastWordMask : ~std::uint64_t{0};
                for (std::size_t b = 0; b < m_planes; ++b)
                    mask &= (m >> b & 1) ? planes[b * m_words + w] : ~planes[b * m_words + w];
                equal[w] = mask;
                tickets += static_cast<std::uint64_t>(std::popcount(mask));
            }
            MatchCounts &counts = row.matches[static_cast<std::size_t>(m)];
            counts.fewest = std::min(counts.fewest, tickets);
            counts.most = std::max(counts.most, tickets);
            counts.total += tickets;
            if (tickets > 0) {
                ++counts.waysWithAny;
                best = std::max(best, m);
                if (m_ballMatches >> m & 1)
                    countBall(counts, equal, way);
            }
        }
        best = std::max(best, 0);
        ++row.bestWays[static_cast<std::size_t>(best)];
        if (m_table.holes && m_table.holes->guarantee.drawn == j) {
            WinHoles &holes = *m_table.holes;
            const NumberSet keys = firstNumbers(holes.keys);
            if ((way & keys) == keys && best < holes.guarantee.matches) {
                if (holes.first.size() < kHolesListed)
                    holes.first.push_back(shownWay(m_wheel, way));
                ++holes.count;
            }
        }
    }

    // Each of the player's numbers outside the way as the bonus ball.
    void countBall(MatchCounts &counts, const std::uint64_t *equal, NumberSet way) {
        for (int x = 1; x <= m_numbers; ++x) {
            if (way & bitOf(x))
                continue;
            const std::uint64_t *column = m_columns.data() + static_cast<std::size_t>(x) * m_words;
            bool with = false;
            bool without = false;
            for (std::size_t w = 0; w < m_words && !(with && without); ++w) {
                with |= (equal[w] & column[w]) != 0;
                without |= (equal[w] & ~column[w]) != 0;
            }
            counts.ballWith += with ? 1 : 0;
            counts.ballWithout += without ? 1 : 0;
        }
    }

    const PlayedWheel &m_wheel;
    int m_kind;
    int m_numbers;
    std::size_t m_words;
    std::size_t m_planes;
    unsigned m_ballMatches;
    const std::atomic<bool> *m_cancel;
    std::vector<std::uint64_t> m_columns; // by number, then word
    std::vector<std::uint64_t> m_state;   // by depth, then plane, then word
    std::vector<std::uint64_t> m_equal;   // by m, then word: the tickets of m matches
    std::uint64_t m_lastWordMask = 0;
    WinTable m_table;
};

} // namespace

std::optional<PlayedWheel> playedWheelOf(const ReportRequest &request) {
    const WheelChoice &choice = request.wheel;
    std::optional<PlayedWheel> played;
    if (choice.designedWheel) {
        played = playedWheelOf(*choice.designedWheel);
    } else if ((choice.wheelMode == 5 || choice.wheelMode == 6) && choice.wheelIndex) {
        if (const std::optional<Wheel> wheel = findWheel(choice.wheelMode, *choice.wheelIndex))
            played = playedWheelOf(plainWheelOf(*wheel));
    } else if (choice.wheelMode == 7 || choice.wheelMode == 8) {
        played = fullWheel(lottoKindOfMode(choice.wheelMode), choice.pickCount);
    }
    if (played)
        for (int p = 1; p <= played->numbers; ++p)
            played->shownNumbers.push_back(
                static_cast<std::size_t>(p) <= request.numbers.size()
                    ? request.numbers[static_cast<std::size_t>(p - 1)]
                    : p);
    return played;
}

PlayedWheel playedWheelOf(const PlainWheel &wheel) {
    return {wheel.kind, wheel.numbers, false, wheel.tickets, wheel.guarantee, wheel.keys, {}};
}

PlayedWheel singleTicket(int kind) {
    return {kind, kind, false, {firstNumbers(kind)}, Guarantee{kind, kind}, 0, {}};
}

PlayedWheel fullWheel(int kind, int numbers) {
    return {kind, numbers, true, {}, Guarantee{kind, kind}, 0, {}};
}

std::uint64_t ticketCount(const PlayedWheel &wheel) {
    return wheel.full ? choose(wheel.numbers, wheel.kind) : wheel.tickets.size();
}

std::string winTableProblem(const PlayedWheel &wheel) {
    if (wheel.kind < 1 || wheel.kind > kMaxWheelKind)
        return "a ticket holds 1 to " + plain(kMaxWheelKind) + " numbers, not " + plain(wheel.kind);
    if (wheel.numbers < wheel.kind)
        return "a wheel of " + plain(wheel.kind) + " numbers a ticket needs at least " +
               plain(wheel.kind) + " numbers, not " + plain(wheel.numbers);
    if (wheel.full) {
        if (wheel.numbers > kMostFullWheelNumbers)
            return "a full wheel's table is counted for up to " + plain(kMostFullWheelNumbers) +
                   " numbers, not " + plain(wheel.numbers);
        return {};
    }
    if (wheel.numbers > kMaxWheelNumbers)
        return "a wheel's table is counted for up to " + plain(kMaxWheelNumbers) +
               " numbers, not " + plain(wheel.numbers);
    if (wheel.tickets.empty())
        return "the wheel has no tickets";
    const std::uint64_t checks =
        proofChecks(wheel.numbers, 1, wheel.kind, wheel.tickets.size());
    if (checks > kMaxProofChecks)
        return "the table would take " + grouped(static_cast<std::int64_t>(
                                              std::min<std::uint64_t>(checks, INT64_MAX))) +
               " ticket checks, more than the " +
               grouped(static_cast<std::int64_t>(kMaxProofChecks)) + " a table here takes";
    return {};
}

WinTable winTable(const PlayedWheel &wheel, unsigned ballMatches,
                  const std::atomic<bool> *cancel) {
    if (const std::string problem = winTableProblem(wheel); !problem.empty())
        throw std::invalid_argument(problem);
    if (wheel.full)
        return fullWheelTable(wheel, ballMatches);
    return TableWalk(wheel, ballMatches, cancel).run();
}

} // namespace marlek
