#include "best_known.h"

#include <algorithm>
#include <array>

namespace marlek {
namespace {

// Sources of the figures, and what was read of each.
// The 29 figures the table started with came from a collection of lotto-design records that
// quoted P. C. Li and G. H. J. van Rees, "Lotto design tables", J. Combin. Des. 10 (2002); the
// tables themselves could not be read for this program (only the paper's first page), so these
// figures are kept as published there but not confirmed, except where another source read here
// states the same figure.
constexpr std::string_view kLottoRecords =
    "a collection of lotto-design records quoting Li and van Rees, Lotto design tables (2002); "
    "not confirmed by a source read here";
// "A Beginners Look at Wheeling", lotto-logix.com (read): "3 if 5 of 6 in 12 numbers 2
// combinations", four of six on nine numbers in three tickets and "4 if 6 in 12 numbers 6
// combinations", "six tickets to cover 16 numbers to guarantee a 3# win".
constexpr std::string_view kBeginnersWheeling = "A Beginners Look at Wheeling (lotto-logix.com)";
// OEIS A066010, the triangle of covering numbers C(v, k, k-1) (read): exact values, from the CRC
// Handbook of Combinatorial Designs and Nurmela and Östergård.
constexpr std::string_view kOeisCovering = "OEIS A066010, covering numbers C(v,k,k-1)";
// Wolfram Demonstrations, "A Canadian Lottery Wheel" (read): 163 tickets for 3 of 6 on 49.
constexpr std::string_view kWolframWheel = "Wolfram Demonstrations, A Canadian Lottery Wheel";
// Steiner systems: every t-set in exactly one block, so the count meets Schönheim's bound and is
// exact. Witt (1938) for S(5,6,12) and S(4,5,11); the Golay code's S(5,8,24) derived twice for
// S(3,6,22); the inversive planes of order 4 and 5 for S(3,5,17) and S(3,6,26); Denniston's
// S(5,7,28) (1976, orbits of PΓL(2,27)) derived once for S(4,6,27) and twice for S(3,5,26); the
// planes of order 4 and 5. The program builds each of these (known_designs.h), which confirms the
// figure.
constexpr std::string_view kSteiner = "a Steiner system (built by this program: known_designs.h)";

// kind, N, {t, m}, tickets, source, confirmed, exact
constexpr std::array kTable = {
    // Pick 5, t of 5.
    BestKnown{5, 11, {3, 5}, 5, kLottoRecords},
    BestKnown{5, 12, {3, 5}, 6, kLottoRecords},
    BestKnown{5, 15, {3, 5}, 13, kLottoRecords},
    BestKnown{5, 18, {3, 5}, 22, kLottoRecords},
    BestKnown{5, 20, {3, 5}, 32, kLottoRecords},
    BestKnown{5, 25, {3, 5}, 63, kLottoRecords},
    BestKnown{5, 8, {4, 5}, 5, kLottoRecords},
    BestKnown{5, 9, {4, 5}, 9, kLottoRecords},
    BestKnown{5, 10, {4, 5}, 14, kLottoRecords},
    BestKnown{5, 11, {4, 5}, 22, kLottoRecords},
    BestKnown{5, 12, {4, 5}, 35, kLottoRecords},
    BestKnown{5, 13, {4, 5}, 48, kLottoRecords},
    BestKnown{5, 14, {4, 5}, 69, kLottoRecords},
    // Pick 5, covering numbers and Steiner systems.
    BestKnown{5, 17, {3, 3}, 68, kSteiner, true, true},
    BestKnown{5, 26, {3, 3}, 260, kSteiner, true, true},
    BestKnown{5, 21, {2, 2}, 21, kSteiner, true, true},
    BestKnown{5, 25, {2, 2}, 30, kSteiner, true, true},
    BestKnown{5, 7, {4, 4}, 9, kOeisCovering, true, true},
    BestKnown{5, 8, {4, 4}, 20, kOeisCovering, true, true},
    BestKnown{5, 9, {4, 4}, 30, kOeisCovering, true, true},
    BestKnown{5, 10, {4, 4}, 51, kOeisCovering, true, true},
    BestKnown{5, 11, {4, 4}, 66, kOeisCovering, true, true},
    BestKnown{5, 12, {4, 4}, 113, kOeisCovering, true, true},
    // Pick 6, t of 6 and t of 5.
    BestKnown{6, 12, {3, 5}, 2, kBeginnersWheeling, true},
    BestKnown{6, 9, {4, 6}, 3, kBeginnersWheeling, true},
    BestKnown{6, 14, {3, 6}, 4, kLottoRecords},
    BestKnown{6, 16, {3, 6}, 6, kBeginnersWheeling, true},
    BestKnown{6, 17, {3, 6}, 6, kLottoRecords},
    BestKnown{6, 20, {3, 6}, 10, kLottoRecords},
    BestKnown{6, 23, {3, 6}, 17, kLottoRecords},
    BestKnown{6, 25, {3, 6}, 22, kLottoRecords},
    BestKnown{6, 49, {3, 6}, 163, kWolframWheel, true},
    BestKnown{6, 12, {4, 6}, 6, kBeginnersWheeling, true},
    BestKnown{6, 14, {4, 6}, 14, kLottoRecords},
    BestKnown{6, 16, {4, 6}, 25, kLottoRecords},
    BestKnown{6, 17, {4, 6}, 33, kLottoRecords},
    BestKnown{6, 18, {4, 6}, 42, kLottoRecords},
    BestKnown{6, 20, {4, 6}, 66, kLottoRecords},
    BestKnown{6, 8, {5, 6}, 4, kLottoRecords},
    BestKnown{6, 9, {5, 6}, 7, kLottoRecords},
    BestKnown{6, 10, {5, 6}, 14, kLottoRecords},
    BestKnown{6, 11, {5, 6}, 22, kLottoRecords},
    BestKnown{6, 12, {5, 6}, 38, kLottoRecords},
    // Pick 6, covering numbers and Steiner systems.
    BestKnown{6, 22, {3, 3}, 77, kSteiner, true, true},
    BestKnown{6, 26, {3, 3}, 130, kSteiner, true, true},
    BestKnown{6, 27, {4, 4}, 1170, kSteiner, true, true},
    BestKnown{6, 7, {5, 5}, 6, kOeisCovering, true, true},
    BestKnown{6, 8, {5, 5}, 12, kOeisCovering, true, true},
    BestKnown{6, 9, {5, 5}, 30, kOeisCovering, true, true},
    BestKnown{6, 10, {5, 5}, 50, kOeisCovering, true, true},
    BestKnown{6, 12, {5, 5}, 132, kOeisCovering, true, true},
    BestKnown{6, 13, {5, 5}, 245, kOeisCovering, true, true},
};

} // namespace

std::span<const BestKnown> bestKnownTable() {
    return kTable;
}

std::optional<int> bestKnownTickets(int kind, int numbers, Guarantee guarantee) {
    for (const BestKnown &entry : kTable)
        if (entry.kind == kind && entry.numbers == numbers && entry.guarantee == guarantee)
            return entry.tickets;
    return std::nullopt;
}

std::vector<PlainWheel> cataloguedWheelsFor(int kind, int numbers, Guarantee guarantee) {
    std::vector<PlainWheel> wheels;
    if (guarantee.drawn != kind || (kind != 5 && kind != 6))
        return wheels;
    for (const int index : wheelIndexes(kind)) {
        const Wheel wheel = *findWheel(kind, index);
        if (wheel.numbers == numbers && wheel.matchCount == guarantee.matches)
            wheels.push_back(plainWheelOf(wheel));
    }
    return wheels;
}

std::optional<int> cataloguedTickets(int kind, int numbers, Guarantee guarantee) {
    std::optional<int> fewest;
    for (const PlainWheel &wheel : cataloguedWheelsFor(kind, numbers, guarantee))
        if (!fewest || static_cast<int>(wheel.tickets.size()) < *fewest)
            fewest = static_cast<int>(wheel.tickets.size());
    return fewest;
}

} // namespace marlek
