// The combination files writer on its largest run: every Pick 6 combination of 60 numbers,
// 50,063,860 ticket lines, about 2.3 GB. bench/combo_files_vs_dd.sh sets it against dd writing
// the same bytes on the same file system.
//
// MARLEK_BENCH_DIR names the folder to write into (default: the current folder); the files are
// removed after each run. Counters: bytes written, and the growth of the peak resident memory
// over the run (the goal is under 16 MB).

#include "combo_writer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in kilobytes
}

fs::path benchFolder() {
    const char *dir = std::getenv("MARLEK_BENCH_DIR");
    return dir && *dir ? fs::path(dir) : fs::current_path();
}

void removeRun(const std::string &first, const marlek::ComboFilePlan &plan) {
    for (std::int64_t ordinal = 1; ordinal <= plan.filesWritten(); ++ordinal)
        fs::remove(marlek::comboFilePath(first, ordinal));
}

std::uintmax_t bytesOfRun(const std::string &first, const marlek::ComboFilePlan &plan) {
    std::uintmax_t bytes = 0;
    for (std::int64_t ordinal = 1; ordinal <= plan.filesWritten(); ++ordinal)
        bytes += fs::file_size(marlek::comboFilePath(first, ordinal));
    return bytes;
}

// The whole run into files, as the window's "Save As" writes it (P = 400000: 126 files).
void Pick6Of60ToFiles(benchmark::State &state) {
    const std::string first = (benchFolder() / "combos-bench.txt").string();
    const double startPeak = peakResidentMegabytes();
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        const marlek::ComboOutcome outcome = marlek::writeComboFiles({6, 60, 400000, first});
        if (!outcome.ok) {
            state.SkipWithError((outcome.failedPath + ": " + outcome.reason).c_str());
            return;
        }
        state.PauseTiming();
        bytes = bytesOfRun(first, outcome.plan);
        removeRun(first, outcome.plan);
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_rss_growth_MB"] = peakResidentMegabytes() - startPeak;
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
BENCHMARK(Pick6Of60ToFiles)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same lines into /dev/null, in one file: the cost of making the text alone.
void Pick6Of60TextOnly(benchmark::State &state) {
    for (auto _ : state) {
        const marlek::ComboOutcome outcome =
            marlek::writeComboFiles({6, 60, 2147483647, "/dev/null"});
        benchmark::DoNotOptimize(outcome.ticketsWritten);
    }
}
BENCHMARK(Pick6Of60TextOnly)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
