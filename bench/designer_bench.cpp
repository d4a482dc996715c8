// The designer's live search against the best known and the catalogue: one run per guarantee
// with a fixed time budget on one core (10 s, or MARLEK_DESIGN_SECONDS). Counters: tickets found,
// best known (0: not in the table), the catalogue's count (0: no such wheel), tickets above the
// best known, the lower bound, the annealing moves made, and the process's peak memory. The
// search starts as a design does, from the catalogue and the constructions (known designs,
// numbers taken out, joins), which use the own table; the construction's count stands beside it
// in construction, and the own table's in own_table (0: no wheel) and own_above_best. With
// MARLEK_OWN_WHEELS_DIR naming an empty folder it measures the live search without the table.
//
//   ./designer_bench --benchmark_filter='k6_N20'          one case
//   MARLEK_DESIGN_SECONDS=1 ./designer_bench              a quick look at every case

#include "best_known.h"
#include "constructions.h"
#include "lower_bound.h"
#include "own_wheels.h"
#include "wheel_designer.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <set>
#include <string>
#include <tuple>

namespace marlek {
namespace {

std::chrono::milliseconds budget() {
    const char *text = std::getenv("MARLEK_DESIGN_SECONDS");
    const double seconds = text ? std::atof(text) : 10.0;
    return std::chrono::milliseconds(static_cast<long>(seconds * 1000));
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void designCase(benchmark::State &state, int kind, int numbers, Guarantee guarantee) {
    DesignRequest request;
    request.kind = kind;
    request.numbers = numbers;
    request.guarantee = guarantee;
    request.timeBudget = budget();
    request.starts = cataloguedWheelsFor(kind, numbers, guarantee);
    const std::optional<Construction> made = constructWheel(kind, numbers, guarantee);
    const std::optional<int> best = bestKnownTickets(kind, numbers, guarantee);
    request.targetTickets = best.value_or(0);
    int tickets = 0;
    std::uint64_t moves = 0;
    for (auto _ : state) {
        const DesignResult result = designWheel(request);
        tickets = result.wheel ? static_cast<int>(result.wheel->tickets.size()) : 0;
        moves = result.moves;
    }
    state.counters["moves"] = static_cast<double>(moves);
    state.counters["tickets"] = tickets;
    state.counters["best_known"] = best.value_or(0);
    state.counters["catalogue"] = cataloguedTickets(kind, numbers, guarantee).value_or(0);
    state.counters["above_best"] = best ? tickets - *best : 0;
    state.counters["lower_bound"] =
        static_cast<double>(lowerBound(kind, numbers, guarantee).tickets);
    state.counters["construction"] = made ? static_cast<double>(made->wheel.tickets.size()) : 0;
    const std::optional<PlainWheel> own = ownWheel(kind, numbers, guarantee);
    const int ownTickets = own ? static_cast<int>(own->tickets.size()) : 0;
    state.counters["own_table"] = ownTickets;
    state.counters["own_above_best"] = best && own ? ownTickets - *best : 0;
    state.counters["peak_MB"] = peakMegabytes();
}

// Every guarantee of the best-known table and of the catalogue, and the examples.
const bool kRegistered = [] {
    std::set<std::tuple<int, int, int, int>> cases;
    for (const BestKnown &entry : bestKnownTable())
        cases.insert({entry.kind, entry.guarantee.matches, entry.guarantee.drawn, entry.numbers});
    for (const int kind : {5, 6})
        for (const int index : wheelIndexes(kind)) {
            const Wheel wheel = *findWheel(kind, index);
            if (wheel.matchCount < kind) // full wheels are what they are
                cases.insert({kind, wheel.matchCount, kind, wheel.numbers});
        }
    for (const auto &[kind, t, m, numbers] : {std::tuple{6, 3, 6, 30}, std::tuple{6, 3, 6, 22},
                                              std::tuple{5, 3, 5, 30}, std::tuple{5, 3, 5, 22},
                                              std::tuple{6, 3, 3, 22}, std::tuple{6, 3, 3, 26},
                                              std::tuple{5, 3, 3, 26}, std::tuple{5, 4, 4, 20}})
        cases.insert({kind, t, m, numbers});
    for (const auto &[kind, t, m, numbers] : cases) {
        const std::string name = "design/k" + std::to_string(kind) + "_" + std::to_string(t) +
                                 "of" + std::to_string(m) + "_N" + std::to_string(numbers);
        benchmark::RegisterBenchmark(name.c_str(), designCase, kind, numbers, Guarantee{t, m})
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace
} // namespace marlek
