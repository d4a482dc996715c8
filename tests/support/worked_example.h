#pragma once
// The report everyone checks against: Pick 5 wheel 0 (7 numbers, 5 tickets, " 4 of 5") played over
// 3, 11, 17, 25, 33, 40 and 42.

#include "report_request.h"

#include <cstdint>
#include <string>
#include <vector>

namespace marlek::test {

// The catalogue's choice of the worked example's wheel, and the request the picker hands on for it.
inline WheelChoice workedExampleChoice() {
    return cataloguedWheelChoice(5, 0, 7, 5);
}
inline const std::vector<std::int16_t> kWorkedExampleNumbers = {3, 11, 17, 25, 33, 40, 42};
inline ReportRequest workedExampleRequest() {
    return reportRequestFor(workedExampleChoice(), kWorkedExampleNumbers);
}

inline const std::string kWorkedExampleCaption = "  $5   5  Tickets  7 Numbers  Pick 5 Wheel";

inline const std::vector<std::string> kWorkedExampleLines = {
    "Marlek's Pick 5 Lotto",
    " $5  5 Tickets  7 Numbers  4 of 5 Guarantee",
    "",
    "The 7 Numbers you've Selected to Play",
    "  3  11  17  25  33  40  42",
    "",
    "Play these 5 Tickets",
    "Lotto Ticket     1    03  11  17  25  33",
    "Lotto Ticket     2    03  11  25  33  40",
    "Lotto Ticket     3    03  17  25  40  42",
    "Lotto Ticket     4    11  17  25  33  42",
    "Lotto Ticket     5    11  17  33  40  42",
    "Ticket Cost based on $1 US",
    "",
    "Does this Wheel Work?  It's Easy to Prove.",
    "Pick Any 5 of the 7 Numbers you've Selected",
    "Check All  5 Tickets. At Least 1 Ticket will have 4 Numbers",
    "Thats your  4 of 5 Guarantee",
    "Good Luck in All your Lotto Pursuits",
};

} // namespace marlek::test
