#pragma once
// Known designs, built from their algebraic constructions (finite fields, a code, group orbits):
// each an exact answer for its guarantee, every t-set in exactly one ticket.
//  - S(5,6,12): the images of {∞, 1, 3, 4, 5, 9} (∞ and the squares mod 11) on the projective line
//    over GF(11) under PSL(2, 11); S(4,5,11): its tickets through ∞, ∞ taken out;
//  - S(3,6,22): the octads of the extended binary Golay code (the cyclic [23, 12] code of
//    x^11 + x^10 + x^6 + x^5 + x^4 + x^2 + 1 with a parity bit) through two fixed places;
//  - S(3,5,17) and S(3,6,26): the inversive planes of order 4 and 5, the images of the line over
//    GF(q) in the line over GF(q^2) under every Möbius map z -> (az + b)/(cz + d);
//  - S(2,5,21) and S(2,6,31): the projective planes of order 4 and 5; S(2,5,25): the affine
//    plane of order 5.
// Numbers are 1..N in each wheel.

#include "plain_wheel.h"

#include <span>
#include <string>

namespace marlek {

struct KnownDesign {
    PlainWheel wheel; // with its guarantee "t of t"
    std::string name; // "the Steiner system S(3,6,22) from the binary Golay code"
};

// Every design above, built once.
std::span<const KnownDesign> knownDesigns();

} // namespace marlek
