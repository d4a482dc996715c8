#include "own_wheels.h"

#include "own_wheel_texts.h"
#include "wheel_file.h"

#include <sstream>
#include <vector>

namespace marlek {

namespace {

std::vector<OwnWheel> readTable() {
    std::vector<OwnWheel> table;
    for (const OwnWheelText &entry : ownWheelTexts()) {
        std::istringstream in{std::string(entry.text)};
        try {
            table.push_back({entry.file, readWheelFile(in)});
        } catch (const WheelFileError &error) {
            throw WheelFileError(std::string(entry.file) + ": " + error.what());
        }
    }
    return table;
}

} // namespace

std::span<const OwnWheel> ownWheelTable() {
    static const std::vector<OwnWheel> table = readTable();
    return table;
}

std::optional<PlainWheel> ownWheel(int kind, int numbers, Guarantee guarantee) {
    for (const OwnWheel &entry : ownWheelTable())
        if (entry.wheel.kind == kind && entry.wheel.numbers == numbers &&
            entry.wheel.guarantee == guarantee)
            return entry.wheel;
    return std::nullopt;
}

std::string ownWheelFileName(int kind, int numbers, Guarantee guarantee) {
    return "k" + std::to_string(kind) + "-n" + std::to_string(numbers) + "-" +
           std::to_string(guarantee.matches) + "of" + std::to_string(guarantee.drawn) + ".wheel";
}

} // namespace marlek
