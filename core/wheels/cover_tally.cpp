#include "cover_tally.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace marlek {
namespace {

constexpr int kMostMatches = 8;

// Sets of m handed to a thread at a time, walked in colexicographic order from one unranked set.
constexpr std::uint64_t kRunLength = std::uint64_t{1} << 16;

using Places = std::array<int, kMostMatches>;

// The index tuples of the t-subsets of m places, t places each.
std::vector<Places> subsetPlaces(int m, int t) {
    std::vector<Places> tuples;
    Places places{};
    for (int i = 0; i < t; ++i)
        places[static_cast<std::size_t>(i)] = i;
    while (true) {
        tuples.push_back(places);
        int i = t - 1;
        while (i >= 0 && places[static_cast<std::size_t>(i)] == m - t + i)
            --i;
        if (i < 0)
            return tuples;
        ++places[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < t; ++j)
            places[static_cast<std::size_t>(j)] = places[static_cast<std::size_t>(j - 1)] + 1;
    }
}

NumberSet numbersUpTo(int numbers) {
    return numbers >= 64 ? ~NumberSet{0} : (NumberSet{1} << numbers) - 1;
}

} // namespace

CoverTally::CoverTally(int numbers, int matches) : m_numbers(numbers), m_matches(matches) {
    if (numbers < 0 || numbers > kMaxSetNumbers || matches < 1 || matches > kMostMatches)
        throw std::invalid_argument("a cover tally takes 0 to 63 numbers and 1 to 8 matches");
    m_inside.assign((choose(numbers, matches) + 63) / 64, 0);
}

void CoverTally::add(NumberSet ticket) {
    const NumberSet own = ticket & numbersUpTo(m_numbers);
    const int size = std::popcount(own);
    if (size < m_matches)
        return;
    // Every t-subset of the ticket's places, each turned into the numbers at those places.
    for (NumberSet subset = (NumberSet{1} << m_matches) - 1; subset < (NumberSet{1} << size);
         subset = nextSameSize(subset)) {
        NumberSet chosen = 0;
        NumberSet rest = own;
        for (int place = 0; place < size; ++place, rest &= rest - 1)
            if (subset >> place & 1)
                chosen |= rest & (~rest + 1);
        const std::uint64_t rank = colexRank(chosen);
        m_inside[rank / 64] |= std::uint64_t{1} << (rank % 64);
    }
}

std::uint64_t CoverTally::draws(int drawn, NumberSet required) const {
    const int keys = std::popcount(required & numbersUpTo(m_numbers));
    return choose(m_numbers - keys, drawn - keys);
}

std::uint64_t CoverTally::uncovered(int drawn, NumberSet required, int threads) const {
    const NumberSet keys = required & numbersUpTo(m_numbers);
    const int keyCount = std::popcount(keys);
    const int free = drawn - keyCount; // the drawn numbers that are not required
    const std::uint64_t total = draws(drawn, required);
    if (total == 0 || m_matches > drawn)
        return total;

    // The numbers a draw is free to take, so a set of `free` of them is walked as a plain set
    // of their places: place i stands for freeNumbers[i].
    std::vector<NumberSet> freeNumbers;
    for (NumberSet rest = numbersUpTo(m_numbers) & ~keys; rest != 0; rest &= rest - 1)
        freeNumbers.push_back(rest & (~rest + 1));

    const std::vector<Places> tuples = subsetPlaces(drawn, m_matches);
    const auto matches = static_cast<std::size_t>(m_matches);
    std::atomic<std::uint64_t> next{0};
    std::atomic<std::uint64_t> uncovered{0};
    const auto work = [&] {
        std::array<std::array<std::uint64_t, kMostMatches>, 64> terms{}; // C(number, j + 1)
        while (true) {
            const std::uint64_t begin = next.fetch_add(kRunLength);
            if (begin >= total)
                return;
            const std::uint64_t count = std::min(kRunLength, total - begin);
            NumberSet places = free == 0 ? 0 : colexUnrank(begin, free);
            std::uint64_t missed = 0;
            for (std::uint64_t i = 0; i < count; ++i) {
                NumberSet set = keys;
                for (NumberSet rest = places; rest != 0; rest &= rest - 1)
                    set |= freeNumbers[static_cast<std::size_t>(std::countr_zero(rest))];
                std::size_t place = 0;
                for (NumberSet rest = set; rest != 0; ++place, rest &= rest - 1) {
                    const int bit = std::countr_zero(rest);
                    for (std::size_t j = 0; j < matches; ++j)
                        terms[place][j] = choose(bit, static_cast<int>(j) + 1);
                }
                const bool met = std::any_of(tuples.begin(), tuples.end(), [&](const Places &t) {
                    std::uint64_t rank = 0;
                    for (std::size_t j = 0; j < matches; ++j)
                        rank += terms[static_cast<std::size_t>(t[j])][j];
                    return (m_inside[rank / 64] >> (rank % 64) & 1) != 0;
                });
                missed += met ? 0 : 1;
                if (i + 1 < count)
                    places = nextSameSize(places);
            }
            uncovered += missed;
        }
    };
    const std::uint64_t runs = total / kRunLength + 1;
    const auto helpers =
        std::min<std::uint64_t>(runs, static_cast<std::uint64_t>(std::max(threads, 1))) - 1;
    {
        std::vector<std::jthread> pool;
        for (std::uint64_t i = 0; i < helpers; ++i)
            pool.emplace_back(work);
        work();
    }
    return uncovered.load();
}

} // namespace marlek
