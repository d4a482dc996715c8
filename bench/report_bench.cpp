// The wheel report: how fast the lines of the largest full wheels and of a catalogued wheel come
// out, into a list as the document window collects them and into a sink that only counts bytes.

#include "number_text.h"
#include "wheel_report.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

marlek::ReportRequest requestOf(int mode, int index, int numbers) {
    marlek::WheelChoice choice{static_cast<std::int16_t>(mode), static_cast<std::int16_t>(index),
                               static_cast<std::int16_t>(numbers), 0, std::nullopt};
    if (mode == 7 || mode == 8)
        choice = marlek::fullWheelChoice(mode - 2, numbers, -1);
    std::vector<std::int16_t> picks;
    for (int p = 1; p <= 50; ++p)
        picks.push_back(static_cast<std::int16_t>(p));
    return marlek::reportRequestFor(choice, picks);
}

// Arguments: mode, wheel index (modes 5 and 6), numbers (modes 7 and 8).
void BM_ReportIntoList(benchmark::State &run) {
    const marlek::ReportRequest request =
        requestOf(static_cast<int>(run.range(0)), static_cast<int>(run.range(1)),
                  static_cast<int>(run.range(2)));
    std::size_t count = 0;
    for (auto _ : run) {
        std::vector<std::string> lines; // as the document window's list model holds them
        marlek::writeReport(request, [&lines](std::string_view line) { lines.emplace_back(line); });
        count = lines.size();
        benchmark::DoNotOptimize(lines.data());
    }
    run.counters["lines"] = static_cast<double>(count);
    run.SetItemsProcessed(run.iterations() * static_cast<std::int64_t>(count));
}

void BM_ReportCountingBytes(benchmark::State &run) {
    const marlek::ReportRequest request =
        requestOf(static_cast<int>(run.range(0)), static_cast<int>(run.range(1)),
                  static_cast<int>(run.range(2)));
    std::size_t bytes = 0;
    for (auto _ : run) {
        bytes = 0;
        marlek::writeReport(request, [&bytes](std::string_view line) { bytes += line.size() + 2; });
        benchmark::DoNotOptimize(bytes);
    }
    run.SetBytesProcessed(run.iterations() * static_cast<std::int64_t>(bytes));
}

// C(19, 6) = 27,132 lines (the largest the generator window offers), C(22, 5) = 26,334 lines,
// and the largest catalogued wheel, Pick 6 wheel 14 (210 tickets).
#define REPORT_CASES                                                                               \
    ->ArgNames({"mode", "index", "numbers"})                                                       \
        ->Args({8, -1, 19})                                                                        \
        ->Args({7, -1, 22})                                                                        \
        ->Args({6, 14, 0})                                                                         \
        ->Unit(benchmark::kMicrosecond)

BENCHMARK(BM_ReportIntoList) REPORT_CASES;
BENCHMARK(BM_ReportCountingBytes) REPORT_CASES;

} // namespace
