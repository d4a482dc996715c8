#pragma once
// What the wheel commands (design, verify --wheel-file, report --wheel-file) share: reading a
// wheel file or a ticket list named on the command line, and the --threads option.

#include "plain_wheel.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace marlek::cli {

// A wheel file's wheel, or a ticket list as a wheel over the numbers it uses (see ticket_list.h)
// with the guarantee its proof finds for as many drawn as a ticket holds, and those numbers.
struct WheelInput {
    PlainWheel wheel;
    std::vector<int> listNumbers; // a ticket list's numbers, position 1 first; none for a wheel file
};

// The wheel in that file. Throws IoFailure when it cannot be read and UsageError naming the file
// and the line when it is neither a wheel file nor a ticket list, or a list too large to prove.
WheelInput readWheelFileAt(const std::string &path);

// Throws UsageError, with the figures, when proving the wheel for every count drawn from
// `fromDrawn` to `toDrawn` may take more ticket checks than a proof here takes (kMaxProofChecks):
// a million tickets, or every way to draw 20 of 49 numbers. Said before the proof starts.
void requireProvable(const PlainWheel &wheel, int fromDrawn, int toDrawn);

// "--threads J": threads for the search or the proof, 1 by default, 0 for every core.
void addThreadsOption(CLI::App &command, int &threads);

// The threads to run: the given count, or every core for 0.
int threadsToRun(int threads);

} // namespace marlek::cli
