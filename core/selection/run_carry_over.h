#pragma once
// What one window of a run leaves for later windows on purpose, in one object the main window
// owns: the player's numbers, the wheel chosen last, the count of documents and the run's one
// random sequence. The wheel to play never travels through it: choosers hand on a WheelChoice and
// the number picker a ReportRequest.

#include "report_request.h"
#include "uniform_random.h"

#include <array>
#include <cstdint>

namespace marlek {

struct RunCarryOver {
    // The player's numbers at positions 1 to N and one further drawn number at position 0: 1 to 50
    // from start-up on, then the number picker's last draw or choice, which its "Yes" plays when
    // nothing was drawn.
    std::array<std::int16_t, kMostPlayerNumbers + 1> picks{};
    // The wheel chosen last, played or not, in the kind of the catalogue opened last from the menu:
    // what the document commands report while no document was opened yet in the run. Its index is
    // always set.
    WheelChoice lastChoice{0, 0, 0, 0, std::nullopt, std::nullopt};
    // The match count a combination-files run leaves (its kind), which the report of a choice
    // whose wheel names none prints.
    std::int16_t matchCountLeft = 0;
    // Report documents opened so far in the run.
    std::int32_t documentCount = 0;
    // The one random sequence of the run, from its fixed seed.
    UniformRandom random;

    // Start-up: the player's numbers are 1 to 50.
    RunCarryOver();

    // The menu opened the kind's catalogue: the last choice is of that kind now, even when the
    // catalogue closes without a choice.
    void catalogueOpened(int kind);
    // A chooser handed on a wheel to play; a choice without an index keeps the one before.
    void wheelChosen(const WheelChoice &choice);
    // The generator's "Yes": the numbers the last wheel chose, positions 1 to its N, become 1, 2,
    // 3, ... again.
    void restartNumbersOfLastChoice();
    // Every combination-files run plays the numbers 1 to 60; a window sets them before its save
    // dialog, so a cancelled dialog leaves them set too.
    void setNumbersOneToSixty();
    // A combination-files run of that kind starts.
    void comboRunStarted(int kind);

    // The request of the last choice over the player's numbers.
    ReportRequest lastChoiceRequest() const;
};

} // namespace marlek
