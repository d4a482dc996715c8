#include "wheel_input.h"

#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "wheel_file.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <thread>

namespace marlek::cli {

PlainWheel readWheelFileAt(const std::string &path) {
    if (path.empty())
        throw UsageError("--wheel-file: the file name is empty");
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw IoFailure("read", path, EISDIR);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw IoFailure("read", path, errno);
    try {
        return readWheelFile(in);
    } catch (const WheelFileError &error) {
        throw UsageError("--wheel-file: \"" + path + "\" is no wheel file: " + error.what());
    }
}

void requireProvable(const PlainWheel &wheel, int drawn) {
    constexpr std::uint64_t kMaxProofSets = 1'000'000'000;
    for (int d = 1; d <= drawn; ++d)
        if (choose(wheel.numbers, d) > kMaxProofSets)
            throw UsageError("--wheel-file: proving it means trying all " +
                             std::to_string(choose(wheel.numbers, d)) + " ways to draw " +
                             std::to_string(d) + " of " + std::to_string(wheel.numbers) +
                             " numbers, more than the " + std::to_string(kMaxProofSets) +
                             " a proof here takes");
}

void addThreadsOption(CLI::App &command, int &threads) {
    command
        .add_option("--threads", threads,
                    "threads to run: 1 by default, 0 for every core of the machine")
        ->check(wholeNumberFrom(0, 256))
        ->type_name("J");
}

int threadsToRun(int threads) {
    if (threads > 0)
        return threads;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

} // namespace marlek::cli
