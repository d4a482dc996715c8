#include "number_sets.h"

#include <array>

namespace marlek {
namespace {

using BinomialTable = std::array<std::array<std::uint64_t, 65>, 65>;

constexpr BinomialTable makeBinomials() {
    BinomialTable table{};
    for (int n = 0; n <= 64; ++n) {
        table[n][0] = 1;
        for (int r = 1; r <= n; ++r)
            table[n][r] = table[n - 1][r - 1] + (r < n ? table[n - 1][r] : 0);
    }
    return table;
}

constexpr BinomialTable kBinomials = makeBinomials();

} // namespace

std::vector<int> numbersOf(NumberSet set) {
    std::vector<int> numbers;
    for (; set != 0; set &= set - 1)
        numbers.push_back(std::countr_zero(set) + 1);
    return numbers;
}

std::uint64_t choose(int n, int r) {
    if (n < 0 || n > 64 || r < 0 || r > n)
        return 0;
    return kBinomials[static_cast<std::size_t>(n)][static_cast<std::size_t>(r)];
}

NumberSet colexUnrank(std::uint64_t rank, int size) {
    NumberSet set = 0;
    int top = 63;
    for (int i = size; i >= 1; --i) {
        while (choose(top, i) > rank) // the largest bit c with C(c, i) <= rank
            --top;
        set |= NumberSet{1} << top;
        rank -= choose(top, i);
        --top;
    }
    return set;
}

} // namespace marlek
