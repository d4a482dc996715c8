#include "best_known.h"

#include <algorithm>
#include <array>

namespace marlek {
namespace {

// Sources of the figures.
// Lotto designs L(n, k, p, t): P. C. Li and G. H. J. van Rees, "Lotto design tables", Journal of
// Combinatorial Designs 10 (2002).
constexpr std::string_view kLottoTables = "Li and van Rees, Lotto design tables (2002)";

// kind, N, {t, m}, tickets, source
constexpr std::array kTable = {
    // Pick 5, t of 5.
    BestKnown{5, 11, {3, 5}, 5, kLottoTables},
    BestKnown{5, 12, {3, 5}, 6, kLottoTables},
    BestKnown{5, 15, {3, 5}, 13, kLottoTables},
    BestKnown{5, 18, {3, 5}, 22, kLottoTables},
    BestKnown{5, 20, {3, 5}, 32, kLottoTables},
    BestKnown{5, 25, {3, 5}, 63, kLottoTables},
    BestKnown{5, 8, {4, 5}, 5, kLottoTables},
    BestKnown{5, 9, {4, 5}, 9, kLottoTables},
    BestKnown{5, 10, {4, 5}, 14, kLottoTables},
    BestKnown{5, 11, {4, 5}, 22, kLottoTables},
    BestKnown{5, 12, {4, 5}, 35, kLottoTables},
    BestKnown{5, 13, {4, 5}, 48, kLottoTables},
    BestKnown{5, 14, {4, 5}, 69, kLottoTables},
    // Pick 6, t of 6.
    BestKnown{6, 14, {3, 6}, 4, kLottoTables},
    BestKnown{6, 17, {3, 6}, 6, kLottoTables},
    BestKnown{6, 20, {3, 6}, 10, kLottoTables},
    BestKnown{6, 23, {3, 6}, 17, kLottoTables},
    BestKnown{6, 25, {3, 6}, 22, kLottoTables},
    BestKnown{6, 12, {4, 6}, 6, kLottoTables},
    BestKnown{6, 14, {4, 6}, 14, kLottoTables},
    BestKnown{6, 16, {4, 6}, 25, kLottoTables},
    BestKnown{6, 17, {4, 6}, 33, kLottoTables},
    BestKnown{6, 18, {4, 6}, 42, kLottoTables},
    BestKnown{6, 20, {4, 6}, 66, kLottoTables},
    BestKnown{6, 8, {5, 6}, 4, kLottoTables},
    BestKnown{6, 9, {5, 6}, 7, kLottoTables},
    BestKnown{6, 10, {5, 6}, 14, kLottoTables},
    BestKnown{6, 11, {5, 6}, 22, kLottoTables},
    BestKnown{6, 12, {5, 6}, 38, kLottoTables},
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
