#pragma once
// The texts of the own table's wheel files, as the build compiles them in.

#include <span>
#include <string_view>

namespace marlek {

struct OwnWheelText {
    std::string_view file;
    std::string_view text;
};

std::span<const OwnWheelText> ownWheelTexts();

} // namespace marlek
