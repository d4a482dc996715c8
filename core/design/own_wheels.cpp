#include "own_wheels.h"

#include "own_wheel_texts.h"
#include "wheel_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace marlek {

namespace {

// MARLEK_OWN_WHEELS_DIR names a folder of wheel files read in place of the table built in: the
// table script sets it, so each guarantee it designs starts from and joins the wheels the script
// has found so far.
std::vector<OwnWheel> readFolder(const std::filesystem::path &folder) {
    static std::vector<std::string> names; // the views below point into these
    std::vector<OwnWheel> table;
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".wheel")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    names.reserve(files.size());
    for (const auto &file : files) {
        std::ifstream in(file);
        names.push_back(file.filename().string());
        try {
            table.push_back({names.back(), readWheelFile(in)});
        } catch (const WheelFileError &error) {
            throw WheelFileError(names.back() + ": " + error.what());
        }
    }
    return table;
}

std::vector<OwnWheel> readTable() {
    if (const char *folder = std::getenv("MARLEK_OWN_WHEELS_DIR"); folder && *folder)
        return readFolder(folder);
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
