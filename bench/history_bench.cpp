// The draw history: importing a lottery's file of 10,000 draws into a fresh database (and the
// same file again, every draw found stored), reading them back, and checking 1,000 tickets against
// all of them. The peak memory of the whole run is reported as peak_rss_mb.

#include "draw_import.h"
#include "history_check.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <sstream>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace marlek;

constexpr int kDraws = 10'000;
constexpr int kTickets = 1'000;

Game benchGame() {
    Game game = plainGame(6, 49);
    game.name = "Bench 6/49";
    game.currency = "USD";
    GameRules &rules = game.rules.front();
    rules.bonus = {BonusKind::ball, 1, 0};
    rules.price = Money{300};
    rules.prizes = {{6, std::nullopt, PrizeKind::estimate, Money{500'000'000}},
                    {5, 1, PrizeKind::estimate, Money{25'000'000}},
                    {5, std::nullopt, PrizeKind::estimate, Money{300'000}},
                    {4, std::nullopt, PrizeKind::estimate, Money{9'000}},
                    {3, std::nullopt, PrizeKind::fixed, Money{1'000}},
                    {2, 1, PrizeKind::fixed, Money{500}},
                    {2, std::nullopt, PrizeKind::fixed, Money{300}}};
    return game;
}

std::vector<int> randomNumbers(std::mt19937 &random, int count, int field) {
    std::vector<int> all(static_cast<std::size_t>(field));
    for (int i = 0; i < field; ++i)
        all[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(all.begin(), all.end(), random);
    return {all.begin(), all.begin() + count};
}

// A lottery's file as they publish it: newest first, the balls as drawn, a draw number.
const std::string &drawFile() {
    static const std::string text = [] {
        std::mt19937 random(20);
        std::ostringstream file;
        file << "Draw Date,Draw Number,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus\r\n";
        const std::chrono::sys_days first = std::chrono::sys_days(Date{
            std::chrono::year(1970), std::chrono::month(1), std::chrono::day(3)});
        for (int i = kDraws - 1; i >= 0; --i) {
            const Date date{first + std::chrono::days(3 * i + i % 2)};
            const std::vector<int> balls = randomNumbers(random, 7, 49);
            file << static_cast<unsigned>(date.month()) << '/' << static_cast<unsigned>(date.day())
                 << '/' << static_cast<int>(date.year()) << ',' << i + 1;
            for (const int ball : balls)
                file << ',' << ball;
            file << "\r\n";
        }
        return file.str();
    }();
    return text;
}

std::string freshFolder() {
    const std::string folder = std::filesystem::temp_directory_path() /
                               ("marlek-history-bench-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void peakMemory(benchmark::State &run) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    run.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ImportIntoFreshDatabase(benchmark::State &run) {
    const Game game = benchGame();
    const std::string folder = freshFolder();
    std::int64_t added = 0;
    for (auto _ : run) {
        run.PauseTiming();
        std::filesystem::remove(folder + "/draws.sqlite");
        run.ResumeTiming();
        DrawStore store(folder + "/draws.sqlite");
        added = importDrawFile(store, drawFile(), game, std::nullopt).stored.added;
    }
    run.counters["draws"] = static_cast<double>(added);
    peakMemory(run);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportIntoFreshDatabase)->Unit(benchmark::kMillisecond);

void BM_ImportSameFileAgain(benchmark::State &run) {
    const Game game = benchGame();
    const std::string folder = freshFolder();
    DrawStore store(folder + "/draws.sqlite");
    importDrawFile(store, drawFile(), game, std::nullopt);
    std::int64_t found = 0;
    for (auto _ : run)
        found = importDrawFile(store, drawFile(), game, std::nullopt).stored.alreadyStored;
    run.counters["already_stored"] = static_cast<double>(found);
    peakMemory(run);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportSameFileAgain)->Unit(benchmark::kMillisecond);

void BM_CheckTicketsAgainstDraws(benchmark::State &run) {
    const Game game = benchGame();
    const std::string folder = freshFolder();
    DrawStore store(folder + "/draws.sqlite");
    importDrawFile(store, drawFile(), game, std::nullopt);
    std::mt19937 random(6);
    std::vector<std::vector<int>> tickets;
    for (int t = 0; t < kTickets; ++t)
        tickets.push_back(randomNumbers(random, 6, 49));
    std::size_t wins = 0;
    for (auto _ : run) {
        // Reading the draws back is part of every check.
        const std::vector<Draw> draws = store.draws(game.name);
        wins = checkAgainstDraws(game, draws, tickets).wins.size();
    }
    run.counters["draws_won"] = static_cast<double>(wins);
    peakMemory(run);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CheckTicketsAgainstDraws)->Unit(benchmark::kMillisecond);

} // namespace
