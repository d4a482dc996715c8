#include "wheel_verify.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace marlek {
namespace {

// Next larger set of the same size (bits in a word): the lexicographic successor (Gosper's hack).
std::uint64_t nextSameSize(std::uint64_t set) {
    const std::uint64_t lowest = set & (~set + 1);
    const std::uint64_t ripple = set + lowest;
    return ripple | (((set ^ ripple) >> 2) / lowest);
}

} // namespace

int provenMatchCount(const Wheel &wheel) {
    const int n = wheel.numbers;
    const int kind = wheel.kind;
    if (n > 63)
        throw std::invalid_argument("a wheel of more than 63 numbers cannot be proved here");
    if (kind <= 0 || n < kind)
        return std::max(kind, 0);

    // Each ticket as the set of its positions, bit p-1 for position p.
    std::vector<std::uint64_t> tickets;
    for (std::size_t start = 0; start + static_cast<std::size_t>(kind) <= wheel.positions.size();
         start += static_cast<std::size_t>(kind)) {
        std::uint64_t ticket = 0;
        for (int j = 0; j < kind; ++j) {
            const int p = wheel.positions[start + static_cast<std::size_t>(j)];
            if (p >= 1 && p <= n)
                ticket |= std::uint64_t{1} << (p - 1);
        }
        tickets.push_back(ticket);
    }

    int proven = kind;
    const std::uint64_t last = ((std::uint64_t{1} << n) - 1) ^
                               ((std::uint64_t{1} << (n - kind)) - 1); // the top kind positions
    for (std::uint64_t set = (std::uint64_t{1} << kind) - 1;; set = nextSameSize(set)) {
        int best = 0;
        for (const std::uint64_t ticket : tickets) {
            best = std::max(best, std::popcount(set & ticket));
            if (best >= proven)
                break; // this set cannot lower the result any further
        }
        proven = std::min(proven, best);
        if (proven == 0 || set == last)
            return proven;
    }
}

} // namespace marlek
