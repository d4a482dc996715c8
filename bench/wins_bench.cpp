// What a wheel wins, on one core: the win table of 500 tickets over 30 numbers (every 6 of the 30,
// 593,775 ways, and every smaller count), with and without the bonus ball pairs a game such as
// Lotto 6/49 needs; the odds of a game from such a table (the wheel, one ticket and the full
// wheel of 30 side by side); and the process's peak memory (peak_mb).
//
//   ./wins_bench
//   ./wins_bench --benchmark_filter=table

#include "game_library.h"
#include "wheel_odds.h"
#include "win_table.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <stdexcept>

namespace marlek {
namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// 500 tickets of 6 numbers out of 30, the same every run.
PlayedWheel wheelOf500() {
    PlayedWheel wheel{6, 30, false, {}, Guarantee{3, 6}, 0, {}};
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    while (wheel.tickets.size() < 500) {
        NumberSet ticket = 0;
        while (std::popcount(ticket) < 6) {
            state = state * 6364136223846793005u + 1442695040888963407u;
            ticket |= bitOf(static_cast<int>((state >> 33) % 30) + 1);
        }
        wheel.tickets.push_back(ticket);
    }
    return wheel;
}

const GameRules &lotto649() {
    static const GameList games = loadGames(defaultGameFolders());
    const GameEntry *entry = findGame(games, "Lotto 6/49");
    if (!entry)
        throw std::runtime_error("the Lotto 6/49 preset was not found");
    return latestRules(entry->game);
}

void BM_table_500_tickets_30_numbers(benchmark::State &state) {
    const PlayedWheel wheel = wheelOf500();
    for (auto _ : state)
        benchmark::DoNotOptimize(winTable(wheel));
    state.counters["peak_mb"] = peakMegabytes();
}
BENCHMARK(BM_table_500_tickets_30_numbers)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_table_500_tickets_30_numbers_bonus_ball(benchmark::State &state) {
    const PlayedWheel wheel = wheelOf500();
    const unsigned ball = ballMatchesFor(lotto649());
    for (auto _ : state)
        benchmark::DoNotOptimize(winTable(wheel, ball));
    state.counters["peak_mb"] = peakMegabytes();
}
BENCHMARK(BM_table_500_tickets_30_numbers_bonus_ball)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_odds_from_table_lotto_6_49(benchmark::State &state) {
    const GameRules &rules = lotto649();
    const WinTable table = winTable(wheelOf500(), ballMatchesFor(rules));
    for (auto _ : state)
        benchmark::DoNotOptimize(gameOdds(table, rules, BonusPlay::sameChoice));
    state.counters["peak_mb"] = peakMegabytes();
}
BENCHMARK(BM_odds_from_table_lotto_6_49)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace marlek
