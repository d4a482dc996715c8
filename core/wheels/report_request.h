#pragma once
// What one report is written from, copied out of the shared state once, when the report is asked
// for. A document keeps it, so its lines, its caption and its ticket count never follow later
// changes of the shared state.

#include "plain_wheel.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace marlek {

struct ReportRequest {
    // 5 or 6: catalogued wheel; 7 or 8: full wheel; anything else writes the frame alone.
    std::int16_t wheelMode = 0;
    std::int16_t wheelIndex = 0;
    // N and T as the caller left them; a table wheel brings its own.
    std::int16_t pickCount = 0;
    std::int32_t ticketCount = 0;
    // The match count the last wheel left; a report whose wheel names none prints it.
    std::int16_t matchCount = 0;
    // The player's numbers, position 1 first: the N played and every position a table wheel names.
    std::vector<std::int16_t> numbers;
    // A catalogued mode whose index names no table wheel prints the tickets the last table wheel
    // left behind, k numbers a ticket.
    std::vector<std::int16_t> leftoverTickets;
    // A wheel from the designer, played over numbers[0 .. N - 1]: its report takes the place of the
    // catalogue's. Without one the request is a catalogued or full wheel as above.
    std::optional<PlainWheel> designedWheel;

    bool operator==(const ReportRequest &) const = default;
};

} // namespace marlek
