#pragma once
// Sets of numbers 1..63 as bits of a word (number p is bit p-1), and the counting that ranks them:
// the shared ground of the proof and the designer.

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace marlek {

using NumberSet = std::uint64_t;

inline constexpr int kMaxSetNumbers = 63;

inline constexpr NumberSet bitOf(int number) {
    return NumberSet{1} << (number - 1);
}

// The numbers of a set, ascending.
std::vector<int> numbersOf(NumberSet set);

namespace detail {
using BinomialRow = std::array<std::uint64_t, 65>;
constexpr std::array<BinomialRow, 65> makeBinomials() {
    std::array<BinomialRow, 65> table{};
    for (std::size_t n = 0; n <= 64; ++n) {
        table[n][0] = 1;
        for (std::size_t r = 1; r <= n; ++r)
            table[n][r] = table[n - 1][r - 1] + (r < n ? table[n - 1][r] : 0);
    }
    return table;
}
inline constexpr std::array<BinomialRow, 65> kBinomials = makeBinomials();
} // namespace detail

// C(n, r) for 0 <= n <= 64, from a table; 0 when r is outside 0..n.
inline std::uint64_t choose(int n, int r) {
    if (n < 0 || n > 64 || r < 0 || r > n)
        return 0;
    return detail::kBinomials[static_cast<std::size_t>(n)][static_cast<std::size_t>(r)];
}

// The next larger set of the same size (the next in colexicographic order).
inline NumberSet nextSameSize(NumberSet set) {
    const NumberSet lowest = set & (~set + 1);
    const NumberSet ripple = set + lowest;
    return ripple | (((set ^ ripple) >> 2) / lowest);
}

// The index-th number (from 0, lowest first) of a set, as a one-bit set.
inline NumberSet nthOf(NumberSet set, std::uint64_t index) {
    for (; index > 0; --index)
        set &= set - 1;
    return set & (~set + 1);
}

// The place of a set among all sets of its size in colexicographic order, from 0.
inline std::uint64_t colexRank(NumberSet set) {
    std::uint64_t rank = 0;
    for (std::size_t i = 1; set != 0; ++i, set &= set - 1) // C(bit, i), no bounds to check
        rank += detail::kBinomials[static_cast<std::size_t>(std::countr_zero(set))][i];
    return rank;
}

// The set of `size` numbers at that place (the inverse of colexRank).
NumberSet colexUnrank(std::uint64_t rank, int size);

} // namespace marlek
