#include "designed_joins.h"

#include "lower_bound.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace marlek {
namespace {

using Clock = std::chrono::steady_clock;

// The joins whose parts are designed: the most promising few, by their parts' lower bounds.
constexpr std::size_t kMostSplits = 4;
// The share of the request's time (or moves) the parts take together, and the most time: parts
// are small, and a long search gains more from its own moves.
constexpr int kShareOfBudget = 4; // a quarter
constexpr std::chrono::seconds kMostPartsTime{15};
// A part with more m-sets than this keeps its construction: its search would take the time the
// whole request has.
constexpr std::uint64_t kMostPartDraws = 100'000;
// A part is not designed with less time than this: its search could not set up its counts.
constexpr std::chrono::milliseconds kShortestPartTime{20};

// "t of m" on the first `numbers` numbers of a join.
struct Part {
    int numbers = 0;
    int drawn = 0;
    friend auto operator<=>(const Part &, const Part &) = default;
};

struct Split {
    Part first;
    Part second;
    std::uint64_t bound = 0; // the lower bounds of the parts added up
};

// A part of at most k numbers is one ticket, and its own lower bound is that ticket.
std::uint64_t partBound(int kind, int t, Part part) {
    if (part.numbers <= kind)
        return 1;
    return lowerBound(kind, part.numbers, {t, part.drawn}).tickets;
}

// Every split of the numbers and the drawn count whose parts both hold their drawn numbers, once
// each (a join and its mirror image are the same), the most promising first.
std::vector<Split> promisingSplits(const DesignRequest &request, int toBeat) {
    const int numbers = request.numbers;
    const int t = request.guarantee.matches;
    const int m = request.guarantee.drawn;
    std::set<std::pair<Part, Part>> seen;
    std::vector<Split> splits;
    for (int first = 1; first < numbers; ++first)
        for (int s = t; m - s + 1 >= t; ++s) {
            Part a{first, s};
            Part b{numbers - first, m - s + 1};
            if (a.drawn > a.numbers || b.drawn > b.numbers)
                continue; // one part alone: a wheel with numbers left out (constructions.h)
            if (b < a)
                std::swap(a, b);
            if (!seen.insert({a, b}).second)
                continue;
            const std::uint64_t bound =
                partBound(request.kind, t, a) + partBound(request.kind, t, b);
            if (toBeat == 0 || bound < static_cast<std::uint64_t>(toBeat))
                splits.push_back({a, b, bound});
        }
    std::stable_sort(splits.begin(), splits.end(),
                     [](const Split &x, const Split &y) { return x.bound < y.bound; });
    if (splits.size() > kMostSplits)
        splits.resize(kMostSplits);
    return splits;
}

} // namespace

std::optional<Construction> joinOfDesignedParts(const DesignRequest &request, int toBeat,
                                                const std::atomic<bool> *cancel,
                                                const std::function<void()> &tick) {
    const int kind = request.kind;
    const int t = request.guarantee.matches;
    const std::vector<Split> splits = promisingSplits(request, toBeat);
    if (splits.empty())
        return std::nullopt;

    // Each part once, designed when the search can follow its m-sets; a part of at most k numbers
    // is one ticket.
    std::vector<Part> toDesign;
    for (const Split &split : splits)
        for (const Part part : {split.first, split.second})
            if (part.numbers > kind && choose(part.numbers, part.drawn) <= kMostPartDraws &&
                std::find(toDesign.begin(), toDesign.end(), part) == toDesign.end())
                toDesign.push_back(part);
    std::map<Part, std::vector<NumberSet>> designed;
    const Clock::time_point phaseEnd =
        Clock::now() + std::min<std::chrono::milliseconds>(request.timeBudget / kShareOfBudget,
                                                           kMostPartsTime);
    for (std::size_t i = 0; i < toDesign.size(); ++i) {
        if (cancel && cancel->load())
            return std::nullopt;
        const Part part = toDesign[i];
        const auto partsLeft = static_cast<long>(toDesign.size() - i);
        DesignRequest partRequest;
        partRequest.kind = kind;
        partRequest.numbers = part.numbers;
        partRequest.guarantee = {t, part.drawn};
        partRequest.seed = request.seed + i + 1;
        partRequest.threads = request.threads;
        partRequest.designedJoins = false;
        if (request.moveBudget != 0) {
            partRequest.moveBudget = std::max<std::uint64_t>(
                request.moveBudget / kShareOfBudget / toDesign.size(), 1);
            partRequest.timeBudget = request.timeBudget;
        } else {
            partRequest.timeBudget =
                std::chrono::duration_cast<std::chrono::milliseconds>(phaseEnd - Clock::now()) /
                partsLeft;
            if (partRequest.timeBudget < kShortestPartTime)
                break;
        }
        if (!designProblem(partRequest).empty())
            continue;
        DesignResult result = designWheel(partRequest, cancel, [&tick](const DesignProgress &) {
            if (tick)
                tick();
        });
        if (result.keepsGuarantee())
            designed[part] = std::move(result.wheel->tickets);
    }

    // The smallest join: each part designed, else constructed, else one ticket.
    const auto partTickets = [&](Part part) -> std::optional<std::vector<NumberSet>> {
        if (part.numbers <= kind)
            return std::vector<NumberSet>{(NumberSet{1} << part.numbers) - 1};
        if (const auto found = designed.find(part); found != designed.end())
            return found->second;
        if (std::optional<Construction> made = constructWheel(kind, part.numbers, {t, part.drawn}))
            return std::move(made->wheel.tickets);
        return std::nullopt;
    };
    std::optional<Construction> best;
    for (const Split &split : splits) {
        const std::optional<std::vector<NumberSet>> a = partTickets(split.first);
        const std::optional<std::vector<NumberSet>> b = partTickets(split.second);
        if (!a || !b)
            continue;
        const std::size_t count = a->size() + b->size();
        if ((toBeat != 0 && count >= static_cast<std::size_t>(toBeat)) ||
            (best && count >= best->wheel.tickets.size()))
            continue;
        std::vector<NumberSet> tickets = *a;
        for (const NumberSet ticket : *b)
            tickets.push_back(ticket << split.first.numbers);
        const auto partText = [&](Part part, std::size_t size) {
            std::string text = guaranteeText({t, part.drawn});
            text += " on " + std::to_string(part.numbers) + " numbers (" + std::to_string(size);
            text += size == 1 ? " ticket)" : " tickets)";
            return text;
        };
        Construction join;
        join.wheel = {kind, request.numbers, request.guarantee,
                      filledTickets(kind, tickets, request.numbers)};
        join.method = "a join of " + partText(split.first, a->size());
        join.method += " and " + partText(split.second, b->size());
        join.method += ", each part designed here";
        best = std::move(join);
    }
    return best;
}

} // namespace marlek
