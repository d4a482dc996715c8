#include "orbit_search.h"

#include "wheel_designer.h"

#include "number_sets.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace marlek {
namespace {

using Clock = std::chrono::steady_clock;

// The annealing schedule, as the free search has it: warm, cooling by 2% every 100 moves, warmed
// again once frozen.
constexpr double kStartTemperature = 2.0;
constexpr double kFrozenTemperature = 0.05;
constexpr double kCooling = 0.98;
constexpr int kMovesPerTemperature = 100;
// The most m-sets the search keeps, one for each turn class.
constexpr std::uint64_t kMaxOrbitDraws = 2'000'000;
constexpr int kMaxTickets = 1000;

class Turns {
public:
    Turns(int numbers, int cycle) : m_numbers(numbers), m_cycle(cycle) {}

    // The set turned `by` steps.
    NumberSet turned(NumberSet set, int by) const {
        NumberSet out = 0;
        for (NumberSet rest = set; rest != 0; rest &= rest - 1) {
            const int number = std::countr_zero(rest);
            out |= NumberSet{1} << moved(number, by);
        }
        return out;
    }

    // Whether no turn of the set comes before it: one set of every turn class is.
    bool firstOfItsClass(NumberSet set) const {
        for (int by = 1; by < m_cycle; ++by)
            if (turned(set, by) < set)
                return false;
        return true;
    }

    // Every set of `size` numbers that the turn leaves as it is: whole rings, and numbers that
    // stay put.
    std::vector<NumberSet> stillSets(int size) const {
        const int rings = m_numbers / m_cycle;
        const int stayingCount = m_numbers - rings * m_cycle;
        std::vector<NumberSet> sets;
        for (int wholeRings = 0; wholeRings <= rings && wholeRings * m_cycle <= size;
             ++wholeRings) {
            const int staying = size - wholeRings * m_cycle;
            if (staying > stayingCount)
                continue;
            for (std::uint64_t r = 0; r < choose(rings, wholeRings); ++r) {
                const NumberSet ringNumbers = ringsOf(colexUnrank(r, wholeRings));
                for (std::uint64_t s = 0; s < choose(stayingCount, staying); ++s)
                    sets.push_back(ringNumbers | colexUnrank(s, staying) << (rings * m_cycle));
            }
        }
        return sets;
    }

private:
    // The numbers of the chosen rings (bit i: ring i).
    NumberSet ringsOf(NumberSet chosen) const {
        NumberSet numbers = 0;
        for (; chosen != 0; chosen &= chosen - 1)
            numbers |= ((NumberSet{1} << m_cycle) - 1) << (std::countr_zero(chosen) * m_cycle);
        return numbers;
    }

    int moved(int number, int by) const {
        const int rings = m_numbers / m_cycle;
        if (number >= rings * m_cycle)
            return number;
        return number / m_cycle * m_cycle + (number % m_cycle + by) % m_cycle;
    }

    int m_numbers;
    int m_cycle;
};

// The tickets of a wheel: every turn of every chosen ticket, each ticket once (a still ticket's
// turns are all itself).
std::vector<NumberSet> ticketsOf(const std::vector<NumberSet> &chosen, const Turns &turns,
                                 int cycle) {
    std::vector<NumberSet> tickets;
    for (const NumberSet ticket : chosen)
        for (int by = 0; by < cycle; ++by)
            if (const NumberSet turned = turns.turned(ticket, by);
                std::find(tickets.begin(), tickets.end(), turned) == tickets.end())
                tickets.push_back(turned);
    return tickets;
}

} // namespace

std::string orbitProblem(const OrbitRequest &request) {
    if (std::string problem = shapeProblem(request.kind, request.numbers, request.guarantee);
        !problem.empty())
        return problem;
    if (std::string problem = drawnProblem(request.kind, request.guarantee); !problem.empty())
        return problem;
    if (request.cycle < 2 || request.cycle > request.numbers)
        return "the turn must be 2 to " + std::to_string(request.numbers) + " numbers long, not " +
               std::to_string(request.cycle);
    if (request.baseTickets < 1 || request.baseTickets > kMaxTickets)
        return "the base tickets must be 1 to " + std::to_string(kMaxTickets) + ", not " +
               std::to_string(request.baseTickets);
    if (request.stillTickets < 0 || request.stillTickets > kMaxTickets)
        return "the still tickets must be 0 to " + std::to_string(kMaxTickets) + ", not " +
               std::to_string(request.stillTickets);
    if (request.stillTickets > 0 &&
        Turns(request.numbers, request.cycle).stillSets(request.kind).empty())
        return "no ticket of " + std::to_string(request.kind) + " numbers stays as it is when " +
               std::to_string(request.numbers) + " numbers turn in rings of " +
               std::to_string(request.cycle);
    if (choose(request.numbers, request.guarantee.drawn) / static_cast<unsigned>(request.cycle) >
        kMaxOrbitDraws)
        return "there are too many ways to draw " + std::to_string(request.guarantee.drawn) +
               " of " + std::to_string(request.numbers) + " numbers for this search";
    return {};
}

std::optional<PlainWheel> searchOrbitWheel(const OrbitRequest &request,
                                           const std::atomic<bool> *cancel) {
    if (const std::string problem = orbitProblem(request); !problem.empty())
        throw std::invalid_argument(problem);
    const int kind = request.kind;
    const int numbers = request.numbers;
    const int cycle = request.cycle;
    const auto [matches, drawn] = request.guarantee;
    const Turns turns(numbers, cycle);
    const Clock::time_point deadline = Clock::now() + request.timeBudget;

    const auto stopped = [&] {
        return Clock::now() >= deadline || (cancel && cancel->load(std::memory_order_relaxed));
    };

    // A ticket meets all turns of a draw alike, so one draw of every turn class is enough. There
    // may be millions to look through, so the clock is read on the way.
    std::vector<NumberSet> draws;
    for (std::uint64_t rank = 0; rank < choose(numbers, drawn); ++rank) {
        if (rank % 65'536 == 0 && stopped())
            return std::nullopt;
        if (const NumberSet draw = colexUnrank(rank, drawn); turns.firstOfItsClass(draw))
            draws.push_back(draw);
    }

    std::mt19937_64 random(request.seed);
    const auto below = [&random](std::size_t count) {
        return static_cast<std::size_t>(random() % count);
    };
    const NumberSet all = (NumberSet{1} << numbers) - 1;
    const std::vector<NumberSet> stillSets = turns.stillSets(kind);
    // The base tickets, then the still tickets.
    const auto baseCount = static_cast<std::size_t>(request.baseTickets);
    std::vector<NumberSet> chosen(baseCount + static_cast<std::size_t>(request.stillTickets));
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (i >= baseCount)
            chosen[i] = stillSets[below(stillSets.size())];
        else
            while (std::popcount(chosen[i]) < kind)
                chosen[i] |= NumberSet{1} << below(static_cast<std::size_t>(numbers));
    }

    // Per draw class: how many turns of chosen tickets meet it in t numbers. A move changes one
    // chosen ticket, so only its turns are counted again.
    std::vector<int> cover(draws.size(), 0);
    std::vector<NumberSet> oldTurns;
    std::vector<NumberSet> newTurns;
    const auto turnsOf = [&](NumberSet ticket, std::vector<NumberSet> &out) {
        out.clear();
        for (int by = 0; by < cycle; ++by)
            out.push_back(turns.turned(ticket, by));
    };
    const auto hits = [matches](const std::vector<NumberSet> &tickets, NumberSet draw) {
        int count = 0;
        for (const NumberSet ticket : tickets)
            count += std::popcount(ticket & draw) >= matches ? 1 : 0;
        return count;
    };
    for (const NumberSet ticket : chosen) {
        turnsOf(ticket, newTurns);
        for (std::size_t d = 0; d < draws.size(); ++d)
            cover[d] += hits(newTurns, draws[d]);
    }
    long cost = std::count(cover.begin(), cover.end(), 0);

    std::vector<std::pair<std::size_t, int>> changes; // draw class, change of its count
    double temperature = kStartTemperature;
    for (long move = 1; cost > 0; ++move) {
        if (move % kMovesPerTemperature == 0) {
            if (stopped())
                return std::nullopt;
            temperature *= kCooling;
            if (temperature < kFrozenTemperature)
                temperature = kStartTemperature;
        }
        // One number of a base ticket swapped for one outside it, or a still ticket for another.
        const std::size_t index = below(chosen.size());
        const NumberSet current = chosen[index];
        const NumberSet next =
            index < baseCount
                ? current ^ (nthOf(current, below(static_cast<std::size_t>(kind))) |
                             nthOf(all & ~current, below(static_cast<std::size_t>(numbers - kind))))
                : stillSets[below(stillSets.size())];
        turnsOf(current, oldTurns);
        turnsOf(next, newTurns);
        changes.clear();
        long nextCost = cost;
        for (std::size_t d = 0; d < draws.size(); ++d) {
            const int change = hits(newTurns, draws[d]) - hits(oldTurns, draws[d]);
            if (change == 0)
                continue;
            nextCost += (cover[d] + change == 0 ? 1 : 0) - (cover[d] == 0 ? 1 : 0);
            changes.emplace_back(d, change);
        }
        const double chance = std::exp(static_cast<double>(cost - nextCost) / temperature);
        if (nextCost <= cost || chance > static_cast<double>(random() >> 11) * 0x1.0p-53) {
            for (const auto &[d, change] : changes)
                cover[d] += change;
            chosen[index] = next;
            cost = nextCost;
        }
    }
    PlainWheel wheel{kind, numbers, request.guarantee, ticketsOf(chosen, turns, cycle)};
    if (!meetsGuarantee(wheel))
        throw std::logic_error("the turn search made a wheel that does not keep " +
                               guaranteeText(request.guarantee));
    return wheel;
}

} // namespace marlek
