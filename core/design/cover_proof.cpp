#include "cover_proof.h"

#include <algorithm>
#include <array>
#include <thread>
#include <vector>

namespace marlek {
namespace {

// Sets of m handed to a thread at a time, walked in colexicographic order from one unranked set.
constexpr std::uint64_t kRunLength = std::uint64_t{1} << 16;

// The index tuples of the t-subsets of m places, t places each.
std::vector<std::array<int, 8>> subsetPlaces(int m, int t) {
    std::vector<std::array<int, 8>> tuples;
    std::array<int, 8> places{};
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

} // namespace

std::uint64_t uncoveredDraws(std::span<const NumberSet> tickets, int numbers, int matches,
                             int drawn, int threads) {
    if (drawn <= 0 || numbers < drawn || numbers > kMaxSetNumbers)
        return 0;
    if (matches <= 0)
        return 0;
    if (matches > drawn)
        return choose(numbers, drawn);
    // Every t-set inside a ticket, by its colexicographic rank.
    const NumberSet all = numbers >= 64 ? ~NumberSet{0} : (NumberSet{1} << numbers) - 1;
    std::vector<std::uint64_t> inside((choose(numbers, matches) + 63) / 64, 0);
    for (const NumberSet ticket : tickets) {
        const NumberSet own = ticket & all;
        if (std::popcount(own) < matches)
            continue;
        NumberSet subset = (NumberSet{1} << matches) - 1; // places within the ticket
        const int size = std::popcount(own);
        for (; subset < (NumberSet{1} << size); subset = nextSameSize(subset)) {
            NumberSet chosen = 0;
            NumberSet rest = own;
            for (int place = 0; place < size; ++place, rest &= rest - 1)
                if (subset >> place & 1)
                    chosen |= rest & (~rest + 1);
            const std::uint64_t rank = colexRank(chosen);
            inside[rank / 64] |= std::uint64_t{1} << (rank % 64);
        }
    }

    const auto tuples = subsetPlaces(drawn, matches);
    const std::uint64_t total = choose(numbers, drawn);
    std::atomic<std::uint64_t> next{0};
    std::atomic<std::uint64_t> uncovered{0};
    const auto work = [&] {
        std::array<std::array<std::uint64_t, 8>, 8> terms{}; // terms[place][j]: C(number, j + 1)
        while (true) {
            const std::uint64_t begin = next.fetch_add(kRunLength);
            if (begin >= total)
                return;
            const std::uint64_t count = std::min(kRunLength, total - begin);
            NumberSet set = colexUnrank(begin, drawn);
            std::uint64_t missed = 0;
            for (std::uint64_t i = 0; i < count; ++i, set = nextSameSize(set)) {
                NumberSet rest = set;
                for (std::size_t place = 0; rest != 0; ++place, rest &= rest - 1) {
                    const int bit = std::countr_zero(rest);
                    for (std::size_t j = 0; j < static_cast<std::size_t>(matches); ++j)
                        terms[place][j] = choose(bit, static_cast<int>(j) + 1);
                }
                bool met = false;
                for (const auto &tuple : tuples) {
                    std::uint64_t rank = 0;
                    for (std::size_t j = 0; j < static_cast<std::size_t>(matches); ++j)
                        rank += terms[static_cast<std::size_t>(tuple[j])][j];
                    if (inside[rank / 64] >> (rank % 64) & 1) {
                        met = true;
                        break;
                    }
                }
                missed += met ? 0 : 1;
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
