#include "lower_bound.h"

#include "best_known.h"
#include "number_sets.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace marlek {
namespace {

std::uint64_t ceilDiv(std::uint64_t a, std::uint64_t b) {
    return (a + b - 1) / b;
}

// Schönheim: C(v, k, t) >= ceil(v/k · C(v-1, k-1, t-1)), down to C(v, k, 0) = 1.
std::uint64_t schoenheim(int v, int k, int t) {
    if (t <= 0)
        return 1;
    return ceilDiv(static_cast<std::uint64_t>(v) * schoenheim(v - 1, k - 1, t - 1),
                   static_cast<std::uint64_t>(k));
}

// All sets of m over the most of them one ticket meets in t or more.
std::uint64_t countingBound(int n, int k, int m, int t) {
    std::uint64_t perTicket = 0;
    for (int j = t; j <= std::min(k, m); ++j)
        perTicket += choose(k, j) * choose(n - k, m - j);
    return perTicket == 0 ? 1 : ceilDiv(choose(n, m), perTicket);
}

// Füredi, Székely and Zubor, for t = 2: the numbers split into m - 1 groups of a1.. numbers,
// each group's pairs need ceil((a-1)/(k-1)) tickets through each of its numbers.
std::uint64_t pairBound(int n, int k, int m) {
    const int groups = m - 1;
    constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();
    const auto cost = [k](int a) {
        return a <= 1 ? 0 : static_cast<std::uint64_t>(a) * ceilDiv(a - 1, k - 1);
    };
    // least[s]: the least sum over the groups so far, their sizes adding up to s.
    std::vector<std::uint64_t> least(static_cast<std::size_t>(n) + 1, kNone);
    least[0] = 0;
    for (int g = 0; g < groups; ++g) {
        std::vector<std::uint64_t> next(least.size(), kNone);
        for (int s = 0; s <= n; ++s) {
            if (least[static_cast<std::size_t>(s)] == kNone)
                continue;
            for (int a = 0; s + a <= n; ++a)
                next[static_cast<std::size_t>(s + a)] =
                    std::min(next[static_cast<std::size_t>(s + a)],
                             least[static_cast<std::size_t>(s)] + cost(a));
        }
        least = std::move(next);
    }
    return ceilDiv(least[static_cast<std::size_t>(n)], static_cast<std::uint64_t>(k));
}

// Turán with de Caen's estimate: the t-sets no ticket holds span no m numbers, so they are at most
// (1 - (n-m+1) / ((n-t+1) · C(m-1, t-1))) of all C(n, t); the rest lie in tickets, C(k, t) each.
std::uint64_t turanBound(int n, int k, int m, int t) {
    const std::uint64_t inTickets =
        ceilDiv(choose(n, t) * static_cast<std::uint64_t>(n - m + 1),
                static_cast<std::uint64_t>(n - t + 1) * choose(m - 1, t - 1));
    return ceilDiv(inTickets, choose(k, t));
}

// The best of the bounds for exactly this shape.
LowerBound boundOf(int n, int k, int m, int t) {
    if (m == t)
        return {schoenheim(n, k, t), "Schönheim's bound"};
    LowerBound best{countingBound(n, k, m, t), "the counting bound"};
    const auto consider = [&best](std::uint64_t tickets, const char *method) {
        if (tickets > best.tickets)
            best = {tickets, method};
    };
    if (t == 2)
        consider(pairBound(n, k, m), "the bound of Füredi, Székely and Zubor");
    else
        consider(turanBound(n, k, m, t), "the Turán bound (de Caen)");
    return best;
}

} // namespace

LowerBound lowerBound(int kind, int numbers, Guarantee guarantee) {
    const int t = guarantee.matches;
    LowerBound best{1, "one ticket"};
    if (t <= 0 || numbers <= kind)
        return best;
    // A wheel for n numbers gives one for n - 1, and "t of m" keeps "t of m + 1".
    for (int n = std::max(kind + 1, guarantee.drawn); n <= numbers; ++n)
        for (int m = guarantee.drawn; m <= std::min(kind, n); ++m)
            if (const LowerBound bound = boundOf(n, kind, m, t); bound.tickets > best.tickets)
                best = bound;
    // Figures proven exact (covering numbers found by exhaustive search) are bounds too.
    for (const BestKnown &entry : bestKnownTable())
        if (entry.exact && entry.kind == kind && entry.guarantee.matches == t &&
            entry.numbers <= numbers && entry.guarantee.drawn >= guarantee.drawn &&
            static_cast<std::uint64_t>(entry.tickets) > best.tickets)
            best = {static_cast<std::uint64_t>(entry.tickets),
                    "the exact figure of " + std::string(entry.source)};
    return best;
}

LowerBound lowerBound(int kind, int numbers, Guarantee guarantee, int keys) {
    return lowerBound(kind - keys, numbers - keys,
                      {guarantee.matches - keys, guarantee.drawn - keys});
}

} // namespace marlek
