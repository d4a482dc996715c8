#include "run_carry_over.h"

#include <algorithm>
#include <span>

namespace marlek {

RunCarryOver::RunCarryOver() {
    for (int p = 1; p <= 50; ++p)
        picks[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p);
}

void RunCarryOver::catalogueOpened(int kind) {
    lastChoice.wheelMode = static_cast<std::int16_t>(kind);
    lastChoice.designedWheel.reset();
}

void RunCarryOver::wheelChosen(const WheelChoice &choice) {
    const std::int16_t index = choice.wheelIndex.value_or(lastChoice.wheelIndex.value_or(0));
    lastChoice = choice;
    lastChoice.wheelIndex = index;
}

void RunCarryOver::restartNumbersOfLastChoice() {
    const int count = std::clamp<int>(lastChoice.pickCount, 0, kMostPlayerNumbers);
    for (int p = 1; p <= count; ++p)
        picks[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p);
}

void RunCarryOver::setNumbersOneToSixty() {
    for (int p = 1; p <= 60; ++p)
        picks[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p);
}

void RunCarryOver::comboRunStarted(int kind) {
    setNumbersOneToSixty();
    matchCountLeft = static_cast<std::int16_t>(kind);
}

ReportRequest RunCarryOver::lastChoiceRequest() const {
    return reportRequestFor(lastChoice, std::span(picks).subspan(1), matchCountLeft);
}

} // namespace marlek
