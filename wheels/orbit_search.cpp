#include "orbit_search.h"

#include "number_sets.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <stdexcept>
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

private:
    int moved(int number, int by) const {
        const int rings = m_numbers / m_cycle;
        if (number >= rings * m_cycle)
            return number;
        return number / m_cycle * m_cycle + (number % m_cycle + by) % m_cycle;
    }

    int m_numbers;
    int m_cycle;
};

std::vector<NumberSet> ticketsOf(const std::vector<NumberSet> &bases, const Turns &turns,
                                 int cycle) {
    std::vector<NumberSet> tickets;
    for (const NumberSet base : bases)
        for (int by = 0; by < cycle; ++by)
            if (const NumberSet ticket = turns.turned(base, by);
                std::find(tickets.begin(), tickets.end(), ticket) == tickets.end())
                tickets.push_back(ticket);
    return tickets;
}

} // namespace

std::string orbitProblem(const OrbitRequest &request) {
    if (std::string problem = shapeProblem(request.kind, request.numbers, request.guarantee);
        !problem.empty())
        return problem;
    if (request.cycle < 2 || request.cycle > request.numbers)
        return "the turn must be 2 to " + std::to_string(request.numbers) + " numbers long, not " +
               std::to_string(request.cycle);
    if (request.baseTickets < 1 || request.baseTickets > 1000)
        return "the base tickets must be 1 to 1000, not " + std::to_string(request.baseTickets);
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

    const auto uncovered = [&](const std::vector<NumberSet> &bases) {
        const std::vector<NumberSet> tickets = ticketsOf(bases, turns, cycle);
        long count = 0;
        for (const NumberSet draw : draws)
            count += std::none_of(tickets.begin(), tickets.end(), [&](NumberSet ticket) {
                return std::popcount(ticket & draw) >= matches;
            });
        return count;
    };

    std::mt19937_64 random(request.seed);
    const auto below = [&random](int count) {
        return static_cast<int>(random() % static_cast<std::uint64_t>(count));
    };
    const NumberSet all = (NumberSet{1} << numbers) - 1;
    std::vector<NumberSet> bases(static_cast<std::size_t>(request.baseTickets));
    for (NumberSet &base : bases)
        while (std::popcount(base) < kind)
            base |= NumberSet{1} << below(numbers);

    long cost = uncovered(bases);
    double temperature = kStartTemperature;
    for (long move = 1; cost > 0; ++move) {
        if (move % kMovesPerTemperature == 0) {
            if (stopped())
                return std::nullopt;
            temperature *= kCooling;
            if (temperature < kFrozenTemperature)
                temperature = kStartTemperature;
        }
        std::vector<NumberSet> next = bases;
        NumberSet &base = next[static_cast<std::size_t>(below(request.baseTickets))];
        const NumberSet outside = all & ~base;
        base ^= nthOf(base, static_cast<std::uint64_t>(below(kind))) |
                nthOf(outside, static_cast<std::uint64_t>(below(numbers - kind)));
        const long nextCost = uncovered(next);
        const double chance = std::exp(static_cast<double>(cost - nextCost) / temperature);
        if (nextCost <= cost || chance > static_cast<double>(random() >> 11) * 0x1.0p-53) {
            bases = std::move(next);
            cost = nextCost;
        }
    }
    PlainWheel wheel{kind, numbers, request.guarantee, ticketsOf(bases, turns, cycle)};
    if (!meetsGuarantee(wheel))
        throw std::logic_error("the turn search made a wheel that does not keep " +
                               guaranteeText(request.guarantee));
    return wheel;
}

} // namespace marlek
