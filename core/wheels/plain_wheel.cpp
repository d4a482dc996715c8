#include "plain_wheel.h"

#include "wheel_verify.h"

#include <algorithm>

namespace marlek {

std::string shapeProblem(int kind, int numbers, Guarantee guarantee) {
    const auto text = [](int value) { return std::to_string(value); };
    if (kind < 1 || kind > kMaxWheelKind)
        return "a ticket holds 1 to " + text(kMaxWheelKind) + " numbers, not " + text(kind);
    if (numbers < kind || numbers > kMaxWheelNumbers)
        return "a wheel of " + text(kind) + (kind == 1 ? " number" : " numbers") +
               " a ticket plays " + text(kind) + " to " + text(kMaxWheelNumbers) +
               " numbers, not " + text(numbers);
    if (guarantee.matches < 1 || guarantee.matches > kind)
        return "the guarantee's matches (t) must be from 1 to " + text(kind) + ", not " +
               text(guarantee.matches);
    if (guarantee.drawn < guarantee.matches || guarantee.drawn > numbers)
        return "the guarantee's drawn numbers (m) must be from " + text(guarantee.matches) +
               " to " + text(numbers) + ", not " + text(guarantee.drawn);
    return {};
}

std::string keyProblem(Guarantee guarantee, int keys) {
    if (keys < 0 || keys >= std::max(guarantee.matches, 1))
        return "the key numbers (c) must be from 0 to " +
               std::to_string(std::max(guarantee.matches - 1, 0)) +
               ", fewer than the guarantee's matches (t), not " + std::to_string(keys);
    return {};
}

std::string guaranteeText(Guarantee guarantee) {
    return std::to_string(guarantee.matches) + " of " + std::to_string(guarantee.drawn);
}

PlainWheel plainWheelOf(const Wheel &wheel) {
    PlainWheel plain{wheel.kind, wheel.numbers, {wheel.matchCount, wheel.kind}, {}};
    const auto kind = static_cast<std::size_t>(wheel.kind);
    for (std::size_t start = 0; start + kind <= wheel.positions.size(); start += kind) {
        NumberSet ticket = 0;
        for (std::size_t j = 0; j < kind; ++j)
            if (const int p = wheel.positions[start + j]; p >= 1 && p <= wheel.numbers)
                ticket |= bitOf(p);
        plain.tickets.push_back(ticket);
    }
    return plain;
}

PlainWheel reducedWheel(const PlainWheel &wheel) {
    const int keys = wheel.keys;
    PlainWheel reduced{wheel.kind - keys,
                       wheel.numbers - keys,
                       {wheel.guarantee.matches - keys, wheel.guarantee.drawn - keys},
                       {},
                       0};
    reduced.tickets.reserve(wheel.tickets.size());
    for (const NumberSet ticket : wheel.tickets)
        reduced.tickets.push_back(ticket >> keys);
    return reduced;
}

PlainWheel keyWheelOver(const PlainWheel &reduced, int keys) {
    PlainWheel wheel{reduced.kind + keys,
                     reduced.numbers + keys,
                     {reduced.guarantee.matches + keys, reduced.guarantee.drawn + keys},
                     {},
                     keys};
    wheel.tickets.reserve(reduced.tickets.size());
    for (const NumberSet ticket : reduced.tickets)
        wheel.tickets.push_back(ticket << keys | keySet(keys));
    return wheel;
}

bool ticketsHoldKeys(const PlainWheel &wheel) {
    const NumberSet keys = keySet(wheel.keys);
    return std::all_of(wheel.tickets.begin(), wheel.tickets.end(),
                       [keys](NumberSet ticket) { return (ticket & keys) == keys; });
}

bool meetsGuarantee(const PlainWheel &wheel, int threads, const std::atomic<bool> *cancel) {
    if (!ticketsHoldKeys(wheel))
        return false;
    // With every key in every ticket, a draw holding the keys meets a ticket in c numbers plus
    // what the rest of the draw meets of the rest of the ticket.
    const PlainWheel reduced = reducedWheel(wheel);
    return countUncovered(reduced.tickets, reduced.numbers, reduced.guarantee.matches,
                          reduced.guarantee.drawn, threads, cancel) == 0;
}

} // namespace marlek
