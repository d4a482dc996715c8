#include "wheel_input.h"

#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "wheel_file.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <fstream>
#include <thread>

namespace marlek::cli {

PlainWheel readWheelFileAt(const std::string &path) {
    if (path.empty())
        throw UsageError("--wheel-file: the file name is empty");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw IoFailure(ioMessage("read", path, errno));
    try {
        return readWheelFile(in);
    } catch (const WheelFileError &error) {
        throw UsageError("--wheel-file: \"" + path + "\" is no wheel file: " + error.what());
    }
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
