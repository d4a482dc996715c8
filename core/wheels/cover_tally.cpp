#include "cover_tally.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace marlek {
namespace {

constexpr int kMostMatches = 8;

NumberSet numbersUpTo(int numbers) {
    return numbers >= 64 ? ~NumberSet{0} : (NumberSet{1} << numbers) - 1;
}

// The numbers above the one at bit `bit` (all of them for bit -1).
NumberSet above(int bit) {
    if (bit < 0)
        return ~NumberSet{0};
    return bit >= 63 ? 0 : ~((NumberSet{2} << bit) - 1);
}

// The walk through the draws in ascending order of their numbers, one number at a time. A draw
// begun with numbers P is met as soon as P holds a marked t-set: every draw that begins so is met
// and is not walked further. What is kept for P: the partial colexicographic ranks of its subsets
// of up to t - 1 numbers, and `next`, the numbers x that would make P + x hold a marked t-set.
// The last number of a draw is then counted at once, with a mask.
class DrawWalk {
public:
    DrawWalk(const std::vector<NumberSet> &next, int numbers, int matches, int drawn,
             NumberSet keys)
        : m_next(next), m_all(numbersUpTo(numbers)), m_matches(matches), m_drawn(drawn),
          m_keys(keys), m_ranks(static_cast<std::size_t>(drawn) + 1) {
        m_ranks[0][0].assign(1, 0); // the empty set, of rank 0
    }

    // The numbers the first number of a draw may be.
    NumberSet firstNumbers() const { return candidates(-1); }

    // Draws that begin with `first` and meet no ticket in t numbers.
    std::uint64_t uncoveredFrom(int first) {
        const NumberSet start = m_matches == 1 ? m_next[0] : 0;
        return extend(0, start, first);
    }

private:
    using Ranks = std::array<std::vector<std::uint64_t>, kMostMatches>;

    // The numbers the next one may be after the number at bit `last`: any above it, but none
    // past a key not yet taken.
    NumberSet candidates(int last) const {
        const NumberSet free = m_all & above(last);
        const NumberSet keysLeft = m_keys & free;
        if (keysLeft == 0)
            return free;
        const NumberSet lowestKey = keysLeft & (~keysLeft + 1);
        return free & ((lowestKey << 1) - 1);
    }

    // The draws that begin with the `depth` numbers walked so far, whose t-sets lie in no
    // ticket, then `number`: how many of them meet no ticket in t numbers.
    std::uint64_t extend(int depth, NumberSet next, int number) {
        if (next >> number & 1)
            return 0; // the numbers so far hold a marked t-set
        const Ranks &ranks = m_ranks[static_cast<std::size_t>(depth)];
        Ranks &grown = m_ranks[static_cast<std::size_t>(depth) + 1];
        grown[0].assign(1, 0);
        for (std::size_t s = 1; s < static_cast<std::size_t>(m_matches); ++s) {
            grown[s] = ranks[s];
            for (const std::uint64_t rank : ranks[s - 1])
                grown[s].push_back(rank + choose(number, static_cast<int>(s)));
        }
        // The t-sets that end in this number: a (t - 1)-set of the numbers before it, and it.
        if (m_matches >= 2)
            for (const std::uint64_t rank : ranks[static_cast<std::size_t>(m_matches) - 2])
                next |= m_next[rank + choose(number, m_matches - 1)];

        const int taken = depth + 1;
        const NumberSet after = candidates(number);
        if (taken == m_drawn) // a draw of one number: the key, if there is one
            return (m_keys & above(number)) == 0 ? 1 : 0;
        if (taken + 1 == m_drawn) {
            // The last number: the one key still missing, or any candidate.
            const NumberSet keysLeft = m_keys & above(number);
            if (std::popcount(keysLeft) > 1)
                return 0;
            return static_cast<std::uint64_t>(
                std::popcount((keysLeft != 0 ? keysLeft : after) & ~next));
        }
        std::uint64_t uncovered = 0;
        for (NumberSet rest = after; rest != 0; rest &= rest - 1)
            uncovered += extend(taken, next, std::countr_zero(rest));
        return uncovered;
    }

    const std::vector<NumberSet> &m_next;
    NumberSet m_all;
    int m_matches;
    int m_drawn;
    NumberSet m_keys;
    std::vector<Ranks> m_ranks; // by the count of numbers walked
};

} // namespace

CoverTally::CoverTally(int numbers, int matches) : m_numbers(numbers), m_matches(matches) {
    if (numbers < 0 || numbers > kMaxSetNumbers || matches < 1 || matches > kMostMatches)
        throw std::invalid_argument("a cover tally takes 0 to 63 numbers and 1 to 8 matches");
    m_next.assign(std::max<std::uint64_t>(choose(numbers, matches - 1), 1), 0);
}

void CoverTally::add(NumberSet ticket) {
    const NumberSet own = ticket & numbersUpTo(m_numbers);
    const int size = std::popcount(own);
    if (size < m_matches)
        return;
    // Every t-subset of the ticket's places, each turned into the numbers at those places: its
    // highest number is marked as the one that completes the rest.
    for (NumberSet subset = (NumberSet{1} << m_matches) - 1; subset < (NumberSet{1} << size);
         subset = nextSameSize(subset)) {
        NumberSet chosen = 0;
        NumberSet rest = own;
        for (int place = 0; place < size; ++place, rest &= rest - 1)
            if (subset >> place & 1)
                chosen |= rest & (~rest + 1);
        const NumberSet highest = NumberSet{1} << (63 - std::countl_zero(chosen));
        m_next[colexRank(chosen & ~highest)] |= highest;
    }
}

std::uint64_t CoverTally::draws(int drawn, NumberSet required) const {
    const int keys = std::popcount(required & numbersUpTo(m_numbers));
    return choose(m_numbers - keys, drawn - keys);
}

std::uint64_t CoverTally::uncovered(int drawn, NumberSet required, int threads) const {
    const NumberSet keys = required & numbersUpTo(m_numbers);
    const std::uint64_t total = draws(drawn, required);
    if (total == 0 || m_matches > drawn)
        return total;

    // The first numbers of the draws are shared out among the threads, one at a time.
    std::vector<int> firsts;
    for (NumberSet rest = DrawWalk(m_next, m_numbers, m_matches, drawn, keys).firstNumbers();
         rest != 0; rest &= rest - 1)
        firsts.push_back(std::countr_zero(rest));
    std::atomic<std::size_t> nextFirst{0};
    std::atomic<std::uint64_t> uncovered{0};
    const auto work = [&] {
        DrawWalk walk(m_next, m_numbers, m_matches, drawn, keys);
        std::uint64_t missed = 0;
        for (std::size_t i; (i = nextFirst.fetch_add(1)) < firsts.size();)
            missed += walk.uncoveredFrom(firsts[i]);
        uncovered += missed;
    };
    const auto helpers =
        std::min<std::size_t>(firsts.size(), static_cast<std::size_t>(std::max(threads, 1))) - 1;
    {
        std::vector<std::jthread> pool;
        for (std::size_t i = 0; i < helpers; ++i)
            pool.emplace_back(work);
        work();
    }
    return uncovered.load();
}

} // namespace marlek
