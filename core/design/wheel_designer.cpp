#include "wheel_designer.h"

#include "constructions.h"
#include "cover_proof.h"
#include "designed_joins.h"
#include "lower_bound.h"
#include "number_text.h"
#include "orbit_search.h"
#include "own_wheels.h"
#include "wheel_verify.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <random>
#include <stdexcept>
#include <thread>
#include <type_traits>

namespace marlek {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kNotListed = std::numeric_limits<std::uint32_t>::max();
// The annealing schedule: a move that uncovers one more m-set is taken at first about one time in
// three, and the temperature falls by 1% every round of moves until the search freezes; then it
// is warmed up again from where it stands. A search of more than 10 s cools at half the pace
// each time it is warmed up without having found a smaller wheel, down to a pace that falls with
// the square of the time it has (0.05% a round for 45 s or more): short searches gain most from
// many quick anneals, long ones from slow anneals, which reach smaller wheels.
constexpr double kStartTemperature = 1.0;
constexpr double kFrozenTemperature = 0.05;
constexpr double kFirstCooling = 0.99;
constexpr double kSlowestCooling = 0.9995;
constexpr std::chrono::seconds kQuickSearch{10};

// The slowest pace a search of this length comes down to (a factor per round).
double slowestCooling(std::chrono::milliseconds timeBudget) {
    if (timeBudget <= kQuickSearch)
        return kFirstCooling;
    const double quickShare = std::chrono::duration<double>(kQuickSearch) / timeBudget;
    return std::min(1.0 - (1.0 - kFirstCooling) * quickShare * quickShare, kSlowestCooling);
}

// A tabu phase where the annealing stalls lasts this many rounds of moves.
constexpr std::uint64_t kTabuRounds = 20;
// Searches look at the clock and the cancel flag this often (moves), a few times a millisecond.
constexpr std::uint64_t kMovesBetweenChecks = 64;
// Progress reaches the caller this often while the searches run.
constexpr std::chrono::milliseconds kProgressInterval{100};
// Up to this many m-sets a greedy wheel is built beside a known start, in case it is smaller.
constexpr std::uint64_t kCheapGreedyDraws = 200'000;
// Memory all searches together may take for their counts (at least one search runs).
constexpr std::uint64_t kSearchMemory = std::uint64_t{192}
                                        << 20; // the whole program stays below 256 MB
constexpr std::uint64_t kBytesPerDraw = sizeof(std::uint16_t) + 2 * sizeof(std::uint32_t);
constexpr auto kMaxTickets = static_cast<std::size_t>(kMaxDesignTickets);
static_assert(kMaxDesignTickets <= std::numeric_limits<std::uint16_t>::max());

// Calls f(set) for every set made of `base` and `size` more numbers out of `pool`, which holds
// `poolSize` numbers, until an f that returns a bool returns false. Yields whether it went
// through to the end. The pool's size is passed down rather than counted: this is the search's
// innermost loop, and built for every x86-64 processor, counting bits is a library call.
template <typename F>
bool forEachChoice(NumberSet pool, int poolSize, int size, NumberSet base, F &&f) {
    if (size == 0) {
        if constexpr (std::is_void_v<std::invoke_result_t<F &, NumberSet>>) {
            f(base);
            return true;
        } else {
            return f(base);
        }
    }
    for (; poolSize >= size; --poolSize) {
        const NumberSet lowest = pool & (~pool + 1);
        pool ^= lowest;
        if (!forEachChoice(pool, poolSize - 1, size - 1, base | lowest, f))
            return false;
    }
    return true;
}

template <typename F> bool forEachChoice(NumberSet pool, int size, NumberSet base, F &&f) {
    return forEachChoice(pool, std::popcount(pool), size, base, f);
}

// How many m-sets one ticket meets in t numbers or more.
std::uint64_t drawsOneTicketCovers(int numbers, int kind, Guarantee guarantee) {
    std::uint64_t count = 0;
    for (int j = guarantee.matches; j <= std::min(kind, guarantee.drawn); ++j)
        count += choose(kind, j) * choose(numbers - kind, guarantee.drawn - j);
    return count;
}

struct Budget {
    Clock::time_point deadline;
    std::uint64_t moves = 0; // 0: no limit
    int targetTickets = 0;
    int ticketBudget = 0; // 0: no limit
    const std::atomic<bool> *cancel = nullptr;
    double slowestCooling = kFirstCooling;
};

// One annealing search with its own counts and random numbers.
class Search {
public:
    Search(const DesignRequest &request, std::uint64_t seed, Budget budget,
           std::atomic<int> &sharedBest)
        : m_kind(request.kind), m_numbers(request.numbers), m_t(request.guarantee.matches),
          m_m(request.guarantee.drawn), m_all((NumberSet{1} << request.numbers) - 1),
          m_budget(budget),
          m_maxTickets(budget.ticketBudget > 0
                           ? std::min(static_cast<std::size_t>(budget.ticketBudget), kMaxTickets)
                           : kMaxTickets),
          m_sharedBest(sharedBest), m_random(seed) {}

    // From the start, cut down to the ticket budget, annealing until the budget ends.
    void run(const std::vector<NumberSet> &start) {
        resetCounts();
        for (const NumberSet ticket : start)
            addBlock(ticket);
        while (m_blocks.size() > m_maxTickets)
            dropWeakestBlock();
        anneal();
        releaseCounts();
    }

    // A greedy wheel, built to the end unless cancelled (the first wheel of a search is worth
    // more than its time), with progress every interval. Empty when cancelled; short of the
    // guarantee only when even the most tickets a wheel may hold do not keep it.
    std::vector<NumberSet> greedyStart(const std::function<void()> &tick) {
        resetCounts();
        greedyCover(tick);
        releaseCounts();
        if (m_budget.cancel && m_budget.cancel->load())
            return {};
        return m_blocks;
    }

    const std::vector<NumberSet> &best() const { return m_best; }
    // The m-sets the best wheel leaves uncovered: none unless a ticket budget held it back.
    std::uint64_t bestUncovered() const { return m_bestUncovered; }
    std::uint64_t moves() const { return m_moves; }

private:
    std::uint64_t below(std::uint64_t count) { return m_random() % count; }
    double unit() { return static_cast<double>(m_random() >> 11) * 0x1.0p-53; }

    bool stopped() const {
        if (m_budget.cancel && m_budget.cancel->load(std::memory_order_relaxed))
            return true;
        if (m_budget.moves != 0 && m_moves >= m_budget.moves)
            return true;
        return Clock::now() >= m_budget.deadline;
    }

    void releaseCounts() {
        m_cover = {};
        m_place = {};
        m_uncovered = {};
    }

    void resetCounts() {
        const std::uint64_t total = choose(m_numbers, m_m);
        m_blocks.clear();
        m_cover.assign(total, 0);
        m_place.resize(total);
        m_uncovered.resize(total);
        for (std::uint32_t rank = 0; rank < total; ++rank) {
            m_place[rank] = rank;
            m_uncovered[rank] = rank;
        }
    }

    void list(std::uint32_t rank) {
        m_place[rank] = static_cast<std::uint32_t>(m_uncovered.size());
        m_uncovered.push_back(rank);
    }

    void unlist(std::uint32_t rank) {
        const std::uint32_t place = m_place[rank];
        const std::uint32_t moved = m_uncovered.back();
        m_uncovered[place] = moved;
        m_place[moved] = place;
        m_uncovered.pop_back();
        m_place[rank] = kNotListed;
    }

    // Calls f for every m-set the block meets in t numbers or more (until an f returning a bool
    // returns false). Yields whether it went through to the end.
    template <typename F> bool forEachCovered(NumberSet block, F &&f) const {
        for (int j = m_t; j <= std::min(m_kind, m_m); ++j) {
            const bool whole = forEachChoice(block, j, 0, [&](NumberSet inside) {
                return forEachChoice(m_all & ~block, m_m - j, inside, f);
            });
            if (!whole)
                return false;
        }
        return true;
    }

    void addBlock(NumberSet block) {
        forEachCovered(block, [this](NumberSet draw) {
            const auto rank = static_cast<std::uint32_t>(colexRank(draw));
            if (m_cover[rank]++ == 0)
                unlist(rank);
        });
        m_blocks.push_back(block);
    }

    // The m-sets whose cover changes when `out` leaves a block and `in` joins it are those that
    // meet the rest of the block in t - 1 numbers and hold one of the two, beside m - t numbers
    // from outside the block: lists of both parts, made once a move, so the loops below are flat.
    void listChanged(NumberSet block, NumberSet out, NumberSet in) {
        m_insides.clear();
        m_rests.clear();
        forEachChoice(block & ~out, m_kind - 1, m_t - 1, 0,
                      [this](NumberSet inside) { m_insides.push_back(inside); });
        forEachChoice(m_all & ~(block | in), m_numbers - m_kind - 1, m_m - m_t, 0,
                      [this](NumberSet rest) { m_rests.push_back(rest); });
    }

    // f(lost, gained) for each m-set whose cover changes with the move, by rank.
    template <typename F> void forEachChanged(NumberSet block, NumberSet out, NumberSet in, F &&f) {
        listChanged(block, out, in);
        for (const NumberSet inside : m_insides)
            for (const NumberSet rest : m_rests)
                f(static_cast<std::uint32_t>(colexRank(inside | rest | out)),
                  static_cast<std::uint32_t>(colexRank(inside | rest | in)));
    }

    // The change in uncovered m-sets if `out` left the block and `in` joined it. The gains are
    // counted first, then the losses only until the change reaches `limit` (the move is not
    // taken then): most moves are refused, and refused early.
    long moveCost(NumberSet block, NumberSet out, NumberSet in, double limit) {
        listChanged(block, out, in);
        long delta = 0;
        for (const NumberSet inside : m_insides)
            for (const NumberSet rest : m_rests)
                delta -= m_cover[colexRank(inside | rest | in)] == 0 ? 1 : 0;
        for (const NumberSet inside : m_insides)
            for (const NumberSet rest : m_rests) {
                delta += m_cover[colexRank(inside | rest | out)] == 1 ? 1 : 0;
                if (delta > 0 && static_cast<double>(delta) >= limit)
                    return delta;
            }
        return delta;
    }

    void makeMove(std::size_t index, NumberSet out, NumberSet in) {
        forEachChanged(m_blocks[index], out, in, [&](std::uint32_t lost, std::uint32_t gained) {
            if (--m_cover[lost] == 0)
                list(lost);
            if (m_cover[gained]++ == 0)
                unlist(gained);
        });
        m_blocks[index] ^= out | in;
    }

    NumberSet randomPart(NumberSet pool, int size) {
        NumberSet part = 0;
        for (int i = 0; i < size && pool != 0; ++i) {
            const NumberSet bit =
                nthOf(pool, below(static_cast<std::uint64_t>(std::popcount(pool))));
            part |= bit;
            pool ^= bit;
        }
        return part;
    }

    // Ticket by ticket, the best of a few candidates that each cover one uncovered m-set (one
    // candidate, unweighed, when each ticket covers very many). Stops short of the cover at the
    // most tickets the counts can hold or the player's budget allows.
    void greedyCover(const std::function<void()> &tick) {
        const std::uint64_t perTicket = drawsOneTicketCovers(m_numbers, m_kind, {m_t, m_m});
        const int candidates =
            static_cast<int>(std::clamp<std::uint64_t>(500'000 / perTicket, 1, 16));
        while (!m_uncovered.empty() && m_blocks.size() < m_maxTickets && !stopped()) {
            tick();
            NumberSet chosen = 0;
            long mostNew = -1;
            for (int c = 0; c < candidates; ++c) {
                const NumberSet draw = colexUnrank(m_uncovered[below(m_uncovered.size())], m_m);
                const NumberSet part = randomPart(draw, m_t);
                const NumberSet block = part | randomPart(m_all & ~part, m_kind - m_t);
                long fresh = 0;
                if (candidates > 1)
                    forEachCovered(block, [&](NumberSet covered) {
                        fresh += m_cover[colexRank(covered)] == 0 ? 1 : 0;
                    });
                if (fresh > mostNew) {
                    mostNew = fresh;
                    chosen = block;
                }
            }
            addBlock(chosen);
        }
    }

    // The wheel keeps its guarantee: it is the best so far.
    void record() {
        m_recordedSinceWarmUp = true;
        m_best = m_blocks;
        m_bestUncovered = 0;
        int seen = m_sharedBest.load();
        const int size = static_cast<int>(m_best.size());
        while ((seen == 0 || size < seen) && !m_sharedBest.compare_exchange_weak(seen, size)) {
        }
    }

    // Under a ticket budget too small for the guarantee: the wheel leaving the fewest m-sets
    // uncovered is the best so far, until one keeps the guarantee.
    void recordIfCloser() {
        if (m_budget.ticketBudget > 0 && m_uncovered.size() < m_bestUncovered) {
            m_best = m_blocks;
            m_bestUncovered = m_uncovered.size();
        }
    }

    // Drops the ticket whose loss uncovers fewest m-sets; a ticket that uncovers none (a greedy
    // wheel has many) ends the look at once.
    void dropWeakestBlock() {
        std::size_t weakest = 0;
        long leastLoss = std::numeric_limits<long>::max();
        for (std::size_t i = 0; i < m_blocks.size() && leastLoss > 0; ++i) {
            long loss = 0;
            forEachCovered(m_blocks[i], [&](NumberSet draw) {
                loss += m_cover[colexRank(draw)] == 1 ? 1 : 0;
                return loss < leastLoss;
            });
            if (loss < leastLoss) {
                leastLoss = loss;
                weakest = i;
            }
        }
        const NumberSet dropped = m_blocks[weakest];
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(weakest));
        forEachCovered(dropped, [this](NumberSet draw) {
            const auto rank = static_cast<std::uint32_t>(colexRank(draw));
            if (--m_cover[rank] == 0)
                list(rank);
        });
    }

    void anneal() {
        double temperature = kStartTemperature;
        double cooling = kFirstCooling;
        std::uint64_t movesAtTemperature = 0;
        while (true) {
            if (m_uncovered.empty()) {
                record();
                cooling = kFirstCooling;
                if (m_blocks.size() <= 1 ||
                    static_cast<int>(m_blocks.size()) <= m_budget.targetTickets || stopped())
                    return;
                dropWeakestBlock();
                continue;
            }
            recordIfCloser();
            if (m_moves % kMovesBetweenChecks == 0 && stopped())
                return;
            ++m_moves;

            // An uncovered m-set, and a ticket that holds the most of it (any of the equals).
            const NumberSet draw = colexUnrank(m_uncovered[below(m_uncovered.size())], m_m);
            std::size_t chosen = 0;
            int most = -1;
            std::uint64_t equals = 0;
            for (std::size_t i = 0; i < m_blocks.size(); ++i) {
                const int shared = std::popcount(m_blocks[i] & draw);
                if (shared > most) {
                    most = shared;
                    chosen = i;
                    equals = 1;
                } else if (shared == most && below(++equals) == 0) {
                    chosen = i;
                }
            }
            // It swaps one number outside the draw for one inside, meeting the draw once more.
            const NumberSet block = m_blocks[chosen];
            const NumberSet leaving = block & ~draw;
            const NumberSet joining = draw & ~block;
            const NumberSet out =
                nthOf(leaving, below(static_cast<std::uint64_t>(std::popcount(leaving))));
            const NumberSet in =
                nthOf(joining, below(static_cast<std::uint64_t>(std::popcount(joining))));
            // Metropolis: a move that uncovers d more m-sets is taken with probability
            // exp(-d / temperature), that is when d stays below this limit.
            const double limit = -temperature * std::log(unit());
            const long delta = moveCost(block, out, in, limit);
            if (delta <= 0 || static_cast<double>(delta) < limit)
                makeMove(chosen, out, in);

            if (++movesAtTemperature >= movesPerTemperature()) {
                movesAtTemperature = 0;
                temperature *= cooling;
                if (temperature < kFrozenTemperature) {
                    // Frozen without a smaller wheel since the last warm-up: the annealing
                    // stalls here, so a tabu search looks around before it warms up again.
                    if (!m_recordedSinceWarmUp)
                        tabuSearch(kTabuRounds * movesPerTemperature());
                    m_recordedSinceWarmUp = false;
                    temperature = kStartTemperature;
                    cooling = std::min(1.0 - (1.0 - cooling) / 2, m_budget.slowestCooling);
                }
            }
        }
    }

    // Tabu search (after Nurmela and Östergård's neighbourhood): each move takes the best swap
    // of one number among a few tickets that nearly meet an uncovered m-set, even one that
    // uncovers more, so the search climbs out of where the annealing froze. A number taken out of
    // a ticket may not come back into it for a while (the tabu list), unless that move leaves
    // fewer m-sets uncovered than ever in this phase (aspiration). Ends when the wheel keeps the
    // guarantee, after `moves` moves, or when the budget ends.
    void tabuSearch(std::uint64_t moves) {
        constexpr std::size_t kTicketsLooked = 8;
        const std::uint64_t tenure = 5 + m_blocks.size() / 8;
        m_tabuUntil.assign(m_blocks.size() * kMaxSetNumbers, 0);
        std::size_t fewest = m_uncovered.size();
        std::vector<std::size_t> nearest;
        for (std::uint64_t step = 0; step < moves && !m_uncovered.empty(); ++step) {
            if (m_moves % kMovesBetweenChecks == 0 && stopped())
                return;
            ++m_moves;
            const NumberSet draw = colexUnrank(m_uncovered[below(m_uncovered.size())], m_m);
            int most = -1;
            nearest.clear();
            for (std::size_t i = 0; i < m_blocks.size(); ++i) {
                const int shared = std::popcount(m_blocks[i] & draw);
                if (shared > most) {
                    most = shared;
                    nearest.clear();
                }
                if (shared == most)
                    nearest.push_back(i);
            }
            while (nearest.size() > kTicketsLooked) {
                nearest[below(nearest.size())] = nearest.back();
                nearest.pop_back();
            }
            long bestDelta = std::numeric_limits<long>::max();
            std::size_t bestTicket = 0;
            NumberSet bestOut = 0;
            NumberSet bestIn = 0;
            std::uint64_t equals = 0;
            for (const std::size_t i : nearest) {
                const NumberSet block = m_blocks[i];
                for (NumberSet leaving = block & ~draw; leaving != 0; leaving &= leaving - 1)
                    for (NumberSet joining = draw & ~block; joining != 0; joining &= joining - 1) {
                        const NumberSet out = leaving & (~leaving + 1);
                        const NumberSet in = joining & (~joining + 1);
                        const long delta =
                            moveCost(block, out, in, std::numeric_limits<double>::infinity());
                        const bool tabu =
                            m_tabuUntil[i * kMaxSetNumbers +
                                        static_cast<std::size_t>(std::countr_zero(in))] > m_moves;
                        const bool aspired = static_cast<long>(m_uncovered.size()) + delta <
                                             static_cast<long>(fewest);
                        if (tabu && !aspired)
                            continue;
                        if (delta < bestDelta) {
                            bestDelta = delta;
                            equals = 1;
                        } else if (delta > bestDelta || below(++equals) != 0) {
                            continue;
                        }
                        bestTicket = i;
                        bestOut = out;
                        bestIn = in;
                    }
            }
            if (bestOut == 0)
                continue; // every move tabu
            makeMove(bestTicket, bestOut, bestIn);
            m_tabuUntil[bestTicket * kMaxSetNumbers +
                        static_cast<std::size_t>(std::countr_zero(bestOut))] = m_moves + tenure;
            fewest = std::min(fewest, m_uncovered.size());
            recordIfCloser();
        }
    }

    std::uint64_t movesPerTemperature() const {
        return std::max<std::uint64_t>(100,
                                       m_blocks.size() * static_cast<std::uint64_t>(m_kind) * 4);
    }

    int m_kind;
    int m_numbers;
    int m_t;
    int m_m;
    NumberSet m_all;
    Budget m_budget;
    std::size_t m_maxTickets;
    std::atomic<int> &m_sharedBest;
    std::mt19937_64 m_random;
    std::uint64_t m_moves = 0;

    std::vector<NumberSet> m_blocks;
    std::vector<NumberSet> m_best;
    std::vector<NumberSet> m_insides; // a move's lists (listChanged)
    std::vector<NumberSet> m_rests;
    bool m_recordedSinceWarmUp = false;
    // Per ticket and number: the move until which the number may not come back into the ticket.
    std::vector<std::uint64_t> m_tabuUntil;
    std::uint64_t m_bestUncovered = std::numeric_limits<std::uint64_t>::max();
    // Per m-set, by colexicographic rank: the tickets meeting it in t numbers or more.
    std::vector<std::uint16_t> m_cover;
    std::vector<std::uint32_t> m_uncovered; // the ranks of the m-sets no ticket covers
    std::vector<std::uint32_t> m_place;     // per m-set: its place in m_uncovered, or kNotListed
};

bool fitsRequest(const PlainWheel &wheel, const DesignRequest &request) {
    if (wheel.kind != request.kind || wheel.numbers != request.numbers ||
        wheel.guarantee != request.guarantee || wheel.keys != request.keys ||
        wheel.tickets.empty() || wheel.tickets.size() > kMaxTickets)
        return false;
    const NumberSet all = (NumberSet{1} << request.numbers) - 1;
    return std::all_of(wheel.tickets.begin(), wheel.tickets.end(), [&](NumberSet ticket) {
        return (ticket & ~all) == 0 && std::popcount(ticket) == request.kind;
    });
}

struct NamedWheel {
    PlainWheel wheel;
    std::string source;
};

// The smallest of the known wheels and constructions that keeps the guarantee, and the time its
// proof took.
std::optional<NamedWheel> bestStart(const DesignRequest &request,
                                    std::chrono::steady_clock::duration &proofTime) {
    std::vector<NamedWheel> candidates;
    const std::optional<PlainWheel> own =
        ownWheel(request.kind, request.numbers, request.guarantee);
    for (const PlainWheel &wheel : request.starts)
        candidates.push_back(
            {wheel, own && wheel == *own ? "the program's table" : "a known wheel"});
    if (request.constructions)
        if (std::optional<Construction> made =
                constructWheel(request.kind, request.numbers, request.guarantee))
            candidates.push_back({std::move(made->wheel), "a construction: " + made->method});
    std::optional<NamedWheel> best;
    for (NamedWheel &candidate : candidates) {
        const PlainWheel &wheel = candidate.wheel;
        if (!fitsRequest(wheel, request) ||
            (best && wheel.tickets.size() >= best->wheel.tickets.size()))
            continue;
        const Clock::time_point proofBegin = Clock::now();
        const bool keeps = uncoveredDraws(wheel.tickets, request.numbers, request.guarantee.matches,
                                          request.guarantee.drawn, request.threads) == 0;
        proofTime = Clock::now() - proofBegin;
        if (keeps)
            best = std::move(candidate);
    }
    return best;
}

// Before the free search, a short look among wheels with a turn symmetry (orbit_search.h), which
// holds some wheels far smaller than the free search finds in its time (4 of 6 over 14 numbers in
// 14 tickets, 3 of 6 over 20 in 10). It needs a known wheel to beat, takes a fifth of the time at
// most, and is left out of a search held to a move budget, whose wheel must not depend on the
// clock. For every ring length it tries the most base tickets that would still beat the smallest
// wheel so far, but never fewer tickets than the target. Yields a wheel smaller than `known`, or
// nothing.
std::optional<PlainWheel> turnedWheel(const DesignRequest &request, const PlainWheel &known,
                                      int target, const std::atomic<bool> *cancel) {
    constexpr std::uint64_t kMostTurnedDraws = 1'000'000;
    if (request.moveBudget != 0 || request.ticketBudget != 0 ||
        choose(request.numbers, request.guarantee.drawn) > kMostTurnedDraws)
        return std::nullopt;
    const auto fewestTurned = [&](int cycle, int fewest) {
        const int baseTickets = (fewest - 1) / cycle;
        return baseTickets >= 1 && baseTickets * cycle >= target ? baseTickets : 0;
    };
    int tries = 0;
    for (int cycle = 2; cycle <= request.numbers; ++cycle)
        tries += fewestTurned(cycle, static_cast<int>(known.tickets.size())) > 0 ? 1 : 0;
    if (tries == 0)
        return std::nullopt;

    std::optional<PlainWheel> best;
    OrbitRequest orbit;
    orbit.kind = request.kind;
    orbit.numbers = request.numbers;
    orbit.guarantee = request.guarantee;
    orbit.timeBudget = request.timeBudget / 5 / tries;
    orbit.seed = request.seed;
    for (int cycle = 2; cycle <= request.numbers; ++cycle) {
        if (cancel && cancel->load())
            break;
        orbit.cycle = cycle;
        orbit.baseTickets =
            fewestTurned(cycle, static_cast<int>((best ? *best : known).tickets.size()));
        if (orbit.baseTickets == 0 || !orbitProblem(orbit).empty())
            continue; // nothing to beat with, or more base tickets than the turn search takes
        if (std::optional<PlainWheel> found = searchOrbitWheel(orbit, cancel))
            best = std::move(found);
    }
    return best;
}

// The request for the wheel under the keys: the same search, c numbers fewer everywhere.
DesignRequest reducedRequest(const DesignRequest &request) {
    DesignRequest reduced = request;
    reduced.kind -= request.keys;
    reduced.numbers -= request.keys;
    reduced.guarantee = {request.guarantee.matches - request.keys,
                         request.guarantee.drawn - request.keys};
    reduced.keys = 0;
    reduced.starts.clear();
    for (const PlainWheel &start : request.starts)
        if (fitsRequest(start, request) && ticketsHoldKeys(start))
            reduced.starts.push_back(reducedWheel(start));
    return reduced;
}

} // namespace

std::string drawnProblem(int kind, Guarantee guarantee) {
    if (guarantee.drawn <= kind)
        return {};
    return "the guarantee's drawn numbers (m) must be from " + std::to_string(guarantee.matches) +
           " to " + std::to_string(kind) + ", not " + std::to_string(guarantee.drawn) +
           ": a draw holds no more numbers than the " + std::to_string(kind) + " of a ticket";
}

std::string designProblem(const DesignRequest &request) {
    if (std::string problem = shapeProblem(request.kind, request.numbers, request.guarantee);
        !problem.empty())
        return problem;
    if (std::string problem = drawnProblem(request.kind, request.guarantee); !problem.empty())
        return problem;
    if (std::string problem = keyProblem(request.guarantee, request.keys); !problem.empty())
        return problem;
    if (request.ticketBudget < 0)
        return "the ticket budget must be 1 or more (0 for none), not " +
               std::to_string(request.ticketBudget);
    // With keys, only the draws that hold them all count: those of the numbers beside the keys.
    const int numbers = request.numbers - request.keys;
    const int drawn = request.guarantee.drawn - request.keys;
    const std::uint64_t draws = choose(numbers, drawn);
    if (draws > kMaxDesignDraws)
        return "there are " + std::to_string(draws) + " ways to draw " + std::to_string(drawn) +
               " of " + std::to_string(numbers) + " numbers, more than the designer can follow (" +
               std::to_string(kMaxDesignDraws) + ")";
    if (const LowerBound bound =
            lowerBound(request.kind, request.numbers, request.guarantee, request.keys);
        bound.tickets > static_cast<std::uint64_t>(kMaxDesignTickets))
        return "no wheel of at most " + groupedOrZero(kMaxDesignTickets) + " tickets keeps " +
               guaranteeText(request.guarantee) + " over " + std::to_string(request.numbers) +
               " numbers, " + std::to_string(request.kind) + " a ticket" +
               (request.keys == 1  ? " with 1 key number"
                : request.keys > 1 ? " with " + std::to_string(request.keys) + " key numbers"
                                   : "") +
               ": it needs at least " + groupedOrZero(static_cast<std::int64_t>(bound.tickets)) +
               " tickets (" + bound.method + ")";
    return {};
}

DesignResult designWheel(const DesignRequest &request, const std::atomic<bool> *cancel,
                         const DesignProgressCallback &progress) {
    if (const std::string problem = designProblem(request); !problem.empty())
        throw std::invalid_argument(problem);
    if (request.keys > 0) {
        DesignResult result = designWheel(reducedRequest(request), cancel, progress);
        if (result.wheel)
            result.wheel = keyWheelOver(*result.wheel, request.keys);
        return result;
    }
    const Clock::time_point begin = Clock::now();
    const auto elapsed = [begin] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin);
    };
    const std::uint64_t allDraws = choose(request.numbers, request.guarantee.drawn);
    // No wheel is smaller than the lower bound: one that reaches it ends the search.
    const int target =
        std::max(request.targetTickets,
                 static_cast<int>(std::min<std::uint64_t>(
                     lowerBound(request.kind, request.numbers, request.guarantee).tickets,
                     kMaxDesignTickets)));
    std::seed_seq seeds{request.seed, request.seed >> 32};
    std::vector<std::uint64_t> searchSeeds(
        static_cast<std::size_t>(std::clamp(request.threads, 1, 256)) + 1);
    seeds.generate(searchSeeds.begin(), searchSeeds.end());

    // The start: the smallest known wheel, else (or, for small shapes, beside it) a greedy wheel.
    // Each is proven as it is taken; the time of its proof is kept back at the end, for the proof
    // of the final wheel, which has as many draws to look at.
    std::chrono::steady_clock::duration proofTime{0};
    std::optional<NamedWheel> known = bestStart(request, proofTime);
    std::optional<PlainWheel> start;
    std::string startSource;
    if (known) {
        start = std::move(known->wheel);
        startSource = std::move(known->source);
    }
    if (request.designedJoins && request.ticketBudget == 0 &&
        (!start || static_cast<int>(start->tickets.size()) > target)) {
        const int toBeat = start ? static_cast<int>(start->tickets.size()) : 0;
        // The wheel in hand and the time show while the parts are designed.
        const auto tick = [&] {
            if (progress)
                progress({toBeat, elapsed()});
        };
        tick();
        if (std::optional<Construction> joined =
                joinOfDesignedParts(request, toBeat, cancel, tick)) {
            const Clock::time_point proofBegin = Clock::now();
            const bool keeps = uncoveredDraws(joined->wheel.tickets, request.numbers,
                                              request.guarantee.matches, request.guarantee.drawn,
                                              request.threads) == 0;
            proofTime = Clock::now() - proofBegin;
            if (!keeps)
                throw std::logic_error("a join of designed parts does not keep " +
                                       guaranteeText(request.guarantee));
            start = std::move(joined->wheel);
            startSource = "a construction: " + joined->method;
        }
    }
    std::uint64_t startUncovered = 0;
    const bool knownStart = start.has_value();
    if (!start || allDraws <= kCheapGreedyDraws) {
        std::atomic<int> unused{0};
        const Budget greedyBudget{Clock::time_point::max(), 0, 0, 0, cancel, kFirstCooling};
        Search greedy(request, searchSeeds.back(), greedyBudget, unused);
        Clock::time_point lastReport = Clock::now();
        std::vector<NumberSet> tickets = greedy.greedyStart([&] {
            if (progress && Clock::now() - lastReport >= kProgressInterval) {
                lastReport = Clock::now();
                progress({0, elapsed()});
            }
        });
        if (!tickets.empty() && (!start || tickets.size() < start->tickets.size())) {
            const Clock::time_point proofBegin = Clock::now();
            PlainWheel wheel{request.kind, request.numbers, request.guarantee, std::move(tickets)};
            const std::uint64_t missed =
                uncoveredDraws(wheel.tickets, request.numbers, request.guarantee.matches,
                               request.guarantee.drawn, request.threads);
            proofTime = Clock::now() - proofBegin;
            if (missed == 0 || !start) {
                start = std::move(wheel);
                startUncovered = missed;
                startSource = "the greedy start";
            }
        }
    }
    DesignResult result;
    result.allDraws = allDraws;
    if (!start) { // cancelled before the first wheel
        result.cancelled = true;
        result.elapsed = elapsed();
        return result;
    }
    if (progress)
        progress({startUncovered == 0 ? static_cast<int>(start->tickets.size()) : 0, elapsed()});
    if (knownStart && startUncovered == 0)
        if (std::optional<PlainWheel> turned = turnedWheel(request, *start, target, cancel)) {
            start = std::move(turned);
            startSource = "the turn search";
        }

    const std::uint64_t perSearch = allDraws * kBytesPerDraw;
    const int searches = static_cast<int>(std::clamp<std::uint64_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(std::max(request.threads, 1)),
                                kSearchMemory / std::max<std::uint64_t>(perSearch, 1)),
        1, 256));
    const Budget budget{begin + request.timeBudget - proofTime,
                        request.moveBudget,
                        target,
                        request.ticketBudget,
                        cancel,
                        slowestCooling(request.timeBudget)};
    std::atomic<int> sharedBest{startUncovered == 0 ? static_cast<int>(start->tickets.size()) : 0};
    // No time left after the start and its proof (a large shape on a short budget): the start
    // is the answer, without setting up the searches' counts, which take about as long again.
    const bool timeLeft = request.moveBudget != 0 || Clock::now() + proofTime < budget.deadline;
    const int searchesRun = timeLeft ? searches : 0;
    int running = searchesRun;
    std::mutex runningMutex;
    std::condition_variable finished;
    std::vector<Search> pool;
    pool.reserve(static_cast<std::size_t>(searchesRun));
    for (int i = 0; i < searchesRun; ++i)
        pool.emplace_back(request, searchSeeds[static_cast<std::size_t>(i)], budget, sharedBest);
    {
        std::vector<std::jthread> threads;
        for (Search &search : pool)
            threads.emplace_back([&search, &start, &running, &runningMutex, &finished] {
                search.run(start->tickets);
                const std::lock_guard lock(runningMutex);
                --running;
                finished.notify_all();
            });
        std::unique_lock lock(runningMutex);
        while (!finished.wait_for(lock, kProgressInterval, [&] { return running == 0; })) {
            lock.unlock();
            if (progress)
                progress({sharedBest.load(), elapsed()});
            lock.lock();
        }
    }

    // A wheel that keeps the guarantee wins, the smallest of them; under a ticket budget too small
    // for that, the one leaving the fewest m-sets uncovered; else the start.
    std::uint64_t leastUncovered = startUncovered;
    for (const Search &search : pool) {
        result.moves += search.moves();
        if (search.best().empty())
            continue;
        if (!result.wheel || search.bestUncovered() < leastUncovered ||
            (search.bestUncovered() == leastUncovered &&
             search.best().size() < result.wheel->tickets.size())) {
            result.wheel =
                PlainWheel{request.kind, request.numbers, request.guarantee, search.best()};
            leastUncovered = search.bestUncovered();
        }
    }
    if (!result.wheel || (leastUncovered == startUncovered &&
                          result.wheel->tickets.size() >= start->tickets.size())) {
        result.wheel = *start;
        leastUncovered = startUncovered;
        result.source = startSource;
    } else {
        result.source = "the search";
    }
    const LowerBound bound = lowerBound(request.kind, request.numbers, request.guarantee);
    result.lowerBound = bound.tickets;
    result.lowerBoundMethod = bound.method;
    // The proof, independent of the search's counts, which must agree with it (the start was
    // proven when it was taken).
    const std::uint64_t uncovered =
        result.wheel == start
            ? startUncovered
            : uncoveredDraws(result.wheel->tickets, request.numbers, request.guarantee.matches,
                             request.guarantee.drawn, request.threads);
    if (uncovered != leastUncovered)
        throw std::logic_error("the designer miscounted the draws its wheel leaves out of " +
                               guaranteeText(request.guarantee));
    result.coveredDraws = allDraws - uncovered;
    result.cancelled = cancel && cancel->load();
    result.elapsed = elapsed();
    if (progress)
        progress({result.keepsGuarantee() ? static_cast<int>(result.wheel->tickets.size()) : 0,
                  result.elapsed});
    return result;
}

} // namespace marlek
