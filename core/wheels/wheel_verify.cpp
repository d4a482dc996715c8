#include "wheel_verify.h"

#include "plain_wheel.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace marlek {
namespace {

// Sets are handed to the threads in runs of this many, in colexicographic order, so each run starts
// from one unranked set and walks on by the successor rule.
constexpr std::uint64_t kRunLength = 1 << 15;

void checkRange(int numbers) {
    if (numbers > kMaxSetNumbers)
        throw std::invalid_argument("a wheel of more than 63 numbers cannot be proved here");
}

// Calls visit(firstSet, count) for runs of the sets of `drawn` numbers out of 1..numbers, on
// `threads` threads, until every set was visited or stop() says so.
template <typename Visit, typename Stop>
void forEachRun(int numbers, int drawn, int threads, Visit visit, Stop stop) {
    const std::uint64_t total = choose(numbers, drawn);
    std::atomic<std::uint64_t> next{0};
    auto work = [&] {
        while (!stop()) {
            const std::uint64_t begin = next.fetch_add(kRunLength);
            if (begin >= total)
                return;
            visit(colexUnrank(begin, drawn), std::min(kRunLength, total - begin));
        }
    };
    const std::uint64_t runs = total / kRunLength + 1;
    const std::uint64_t helpers = std::min<std::uint64_t>(runs, std::max(threads, 1)) - 1;
    std::vector<std::jthread> pool;
    for (std::uint64_t i = 0; i < helpers; ++i)
        pool.emplace_back(work);
    work();
}

} // namespace

int provenMatches(std::span<const NumberSet> tickets, int numbers, int drawn, int threads) {
    checkRange(numbers);
    if (drawn <= 0 || numbers < drawn)
        return std::max(drawn, 0);
    std::atomic<int> proven{drawn};
    forEachRun(
        numbers, drawn, threads,
        [&](NumberSet set, std::uint64_t count) {
            std::size_t lastBest = 0; // neighbouring sets mostly meet the same ticket best
            int least = proven.load(std::memory_order_relaxed);
            for (std::uint64_t i = 0; i < count && least > 0; ++i, set = nextSameSize(set)) {
                int best = tickets.empty() ? 0 : std::popcount(set & tickets[lastBest]);
                for (std::size_t j = 0; j < tickets.size() && best < least; ++j) {
                    const int shared = std::popcount(set & tickets[j]);
                    if (shared > best) {
                        best = shared;
                        lastBest = j;
                    }
                }
                least = std::min(least, best);
            }
            int seen = proven.load();
            while (least < seen && !proven.compare_exchange_weak(seen, least)) {
            }
        },
        [&] { return proven.load(std::memory_order_relaxed) == 0; });
    return proven.load();
}

std::uint64_t countUncovered(std::span<const NumberSet> tickets, int numbers, int matches,
                             int drawn, int threads, const std::atomic<bool> *cancel) {
    const auto cancelled = [cancel] {
        return cancel != nullptr && cancel->load(std::memory_order_relaxed);
    };
    checkRange(numbers);
    if (drawn <= 0 || numbers < drawn)
        return 0;
    std::atomic<std::uint64_t> uncovered{0};
    forEachRun(
        numbers, drawn, threads,
        [&](NumberSet set, std::uint64_t count) {
            std::size_t lastHit = 0;
            std::uint64_t missed = 0;
            for (std::uint64_t i = 0; i < count; ++i, set = nextSameSize(set)) {
                // A run of sets that meet no ticket, against a million tickets, takes long.
                if ((i & 0xf) == 0 && cancelled())
                    return;
                if (!tickets.empty() && std::popcount(set & tickets[lastHit]) >= matches)
                    continue;
                bool hit = false;
                for (std::size_t j = 0; j < tickets.size() && !hit; ++j) {
                    if (std::popcount(set & tickets[j]) >= matches) {
                        hit = true;
                        lastHit = j;
                    }
                }
                missed += hit ? 0 : 1;
            }
            uncovered += missed;
        },
        cancelled);
    return uncovered.load();
}

std::uint64_t proofSets(int numbers, int fromDrawn, int toDrawn) {
    std::uint64_t sets = 0;
    for (int drawn = std::max(fromDrawn, 0); drawn <= toDrawn; ++drawn)
        sets += choose(numbers, drawn); // at most 2^63 in all, over the 63 numbers a proof takes
    return sets;
}

std::uint64_t proofChecks(int numbers, int fromDrawn, int toDrawn, std::uint64_t tickets) {
    std::uint64_t checks = 0;
    if (__builtin_mul_overflow(proofSets(numbers, fromDrawn, toDrawn), tickets, &checks))
        return UINT64_MAX;
    return checks;
}

int provenMatchCount(const Wheel &wheel) {
    checkRange(wheel.numbers);
    if (wheel.kind <= 0 || wheel.numbers < wheel.kind)
        return std::max(wheel.kind, 0);
    return provenMatches(plainWheelOf(wheel).tickets, wheel.numbers, wheel.kind);
}

} // namespace marlek
