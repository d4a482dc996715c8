#pragma once
// How a wheel's tickets are played with a second pool (bonus numbers a ticket picks). Apart from
// the odds, which need exact fractions, so a window can hold the choice without them.

namespace marlek {

enum class BonusPlay {
    sameChoice,  // every ticket with the same bonus numbers: the tickets stay as many
    everyChoice, // each choice of bonus numbers on every ticket: the tickets are multiplied
};

} // namespace marlek
