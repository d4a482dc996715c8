#include "number_sets.h"

namespace marlek {

std::vector<int> numbersOf(NumberSet set) {
    std::vector<int> numbers;
    for (; set != 0; set &= set - 1)
        numbers.push_back(std::countr_zero(set) + 1);
    return numbers;
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
