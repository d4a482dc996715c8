#pragma once
// A search among wheels with a turn symmetry, which finds some wheels far smaller than a free
// search does (3 of 6 on 20 numbers in 10 tickets, 4 of 6 on 14 in 14). The numbers 1..h·r sit in
// r rings of h numbers that turn together (number i of a ring goes to number i + 1 of the same
// ring, the last to the first); the numbers after h·r stay put. The wheel is b base tickets, each
// with its h turns, and s still tickets, which no turn moves (whole rings and numbers that stay
// put). Simulated annealing changes one number of a base ticket, or one still ticket for
// another, at a time; the cost is the count of m-sets, one for every turn class, that no ticket
// meets in t numbers, and only the changed ticket's turns are counted again.

#include "plain_wheel.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace marlek {

struct OrbitRequest {
    int kind = 6;
    int numbers = 0;
    Guarantee guarantee;
    int cycle = 0;        // h, 2 or more
    int baseTickets = 0;  // b, 1 or more
    int stillTickets = 0; // s, 0 or more
    std::chrono::milliseconds timeBudget{10'000};
    std::uint64_t seed = 1;
};

// What keeps a request from being searched (a wrong shape, a cycle longer than the numbers, still
// tickets where no ticket is still), or an empty text.
std::string orbitProblem(const OrbitRequest &request);

// The first wheel found that keeps the guarantee, proven, with its tickets in turn order and any
// ticket that two turns make alike written once; nothing when the time ran out or `cancel` turned
// true first. Throws std::invalid_argument for a request with an orbitProblem.
std::optional<PlainWheel> searchOrbitWheel(const OrbitRequest &request,
                                           const std::atomic<bool> *cancel = nullptr);

} // namespace marlek
