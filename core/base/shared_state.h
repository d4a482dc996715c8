#pragma once
// The player's choices as they pass from window to window: the catalogue writes the wheel, the
// number picker the numbers, the report reads both. One plain object, created by start-up and
// handed to every window, so a test can start from a fresh one.

#include <array>
#include <cstdint>
#include <string>

namespace marlek {

struct SharedState {
    // 5 or 6: catalogued Pick 5 / Pick 6 wheel; 7 or 8: full Pick 5 / Pick 6 wheel; 0 before any.
    std::int16_t wheelMode = 0;
    // Index into the kind's wheel table; meaningful in modes 5 and 6 only (-1 after a generator play).
    std::int16_t wheelIndex = 0;
    // N, how many of the player's numbers the wheel is played over.
    std::int16_t pickCount = 0;
    // T, the wheel's tickets (and its cost in dollars).
    std::int32_t ticketCount = 0;
    // The count of matches the wheel guarantees: the 4 of " 4 of 5".
    std::int16_t matchCount = 0;
    // The player's numbers at positions 1 to N; position 0 holds one extra drawn number.
    std::array<std::int16_t, 501> picks{};
    // The current catalogued wheel's tickets with the player's numbers put in, k per ticket.
    std::array<std::int16_t, 5001> wheelNumbers{};
    // Running ticket number of the report and loop counter of several windows.
    std::int32_t counter = 0;
    // F, the highest lotto number of the number picker's last draw.
    std::int16_t fieldSize = 0;
    // Report documents opened so far in this run.
    std::int32_t docCount = 0;
    // Text buffer: clipboard text of Copy, grouped total of the generator window.
    std::string copyText;
    // The generator's total of combinations and its field size, as floating values.
    double genCombos = 0;
    double genFieldSize = 0;

    // Start-up: before any draw the player's numbers are 1 to 50, and counter is left at 51.
    void setStartupPicks();
};

// The lotto kind of a wheel mode: 5 for modes 5 and 7, 6 for modes 6 and 8, 0 for any other mode.
int lottoKindOfMode(int wheelMode);

} // namespace marlek
