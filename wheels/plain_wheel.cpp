#include "plain_wheel.h"

#include "wheel_verify.h"

namespace marlek {

std::string shapeProblem(int kind, int numbers, Guarantee guarantee) {
    const auto text = [](int value) { return std::to_string(value); };
    if (kind < 1 || kind > kMaxWheelKind)
        return "a ticket holds 1 to " + text(kMaxWheelKind) + " numbers, not " + text(kind);
    if (numbers < kind || numbers > kMaxWheelNumbers)
        return "a wheel of " + text(kind) + " numbers a ticket plays " + text(kind) + " to " +
               text(kMaxWheelNumbers) + " numbers, not " + text(numbers);
    if (guarantee.matches < 1 || guarantee.matches > kind)
        return "the guarantee's matches (t) must be from 1 to " + text(kind) + ", not " +
               text(guarantee.matches);
    if (guarantee.drawn < guarantee.matches || guarantee.drawn > numbers)
        return "the guarantee's drawn numbers (m) must be from " + text(guarantee.matches) +
               " to " + text(numbers) + ", not " + text(guarantee.drawn);
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
            ticket |= bitOf(wheel.positions[start + j]);
        plain.tickets.push_back(ticket);
    }
    return plain;
}

bool meetsGuarantee(const PlainWheel &wheel, int threads) {
    return countUncovered(wheel.tickets, wheel.numbers, wheel.guarantee.matches,
                          wheel.guarantee.drawn, threads) == 0;
}

} // namespace marlek
