#include "constructions.h"

#include "best_known.h"
#include "known_designs.h"
#include "own_wheels.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace marlek {
namespace {

constexpr int kMostNumbers = kMaxWheelNumbers;
constexpr int kMostKind = kMaxWheelKind;
constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();

struct Known {
    const PlainWheel *wheel = nullptr;
    std::string name;
};

// How a shape is made, chosen by ticket count before anything is built.
struct Recipe {
    enum class Kind { None, Empty, OneTicket, Known, LeftOut, Join, Through } kind = Kind::None;
    std::uint64_t tickets = kNone;
    const Known *known = nullptr;
    int part = 0;  // LeftOut: the numbers left out; Join: the first part's numbers
    int split = 0; // Join: s, the drawn count of the first part
};

class Constructor {
public:
    explicit Constructor(int kind) : m_kind(kind) {
        for (const KnownDesign &design : knownDesigns())
            addKnown(design.wheel, design.name);
        for (const OwnWheel &own : ownWheelTable())
            addKnown(own.wheel, "the program's table");
        if (kind == 5 || kind == 6)
            for (int numbers = kind; numbers <= kMostNumbers; ++numbers)
                for (int t = 1; t <= kind; ++t)
                    for (const PlainWheel &wheel : cataloguedWheelsFor(kind, numbers, {t, kind}))
                        m_catalogued.push_back(wheel);
        for (const PlainWheel &wheel : m_catalogued)
            addKnown(wheel, "the catalogue");
    }

    const Recipe &recipe(int numbers, int t, int m) {
        Recipe &memo = m_memo[index(numbers, t, m)];
        if (memo.kind != Recipe::Kind::None)
            return memo;
        Recipe best;
        const auto consider = [&best](const Recipe &candidate) {
            if (candidate.tickets < best.tickets)
                best = candidate;
        };
        if (m > numbers) {
            best = {Recipe::Kind::Empty, 0};
        } else if (t == 0 || numbers <= m_kind) {
            best = {Recipe::Kind::OneTicket, 1};
        } else {
            if (const Known *known = knownFor(numbers, t, m))
                consider({Recipe::Kind::Known, known->wheel->tickets.size(), known});
            for (int a = 1; m - a >= t; ++a)
                consider(
                    {Recipe::Kind::LeftOut, recipe(numbers - a, t, m - a).tickets, nullptr, a});
            for (int first = 1; first < numbers; ++first)
                for (int s = t; m - s + 1 >= t; ++s) {
                    const std::uint64_t a = recipe(first, t, s).tickets;
                    const std::uint64_t b = recipe(numbers - first, t, m - s + 1).tickets;
                    if (a != kNone && b != kNone)
                        consider({Recipe::Kind::Join, a + b, nullptr, first, s});
                }
            // Every t-set without the last number in a wheel for one number fewer, every t-set
            // with it in a wheel of k - 1 numbers a ticket for "t-1 of t-1", the last added.
            if (m == t && m_kind > 1) {
                const std::uint64_t without = recipe(numbers - 1, t, t).tickets;
                const std::uint64_t with = lower().recipe(numbers - 1, t - 1, t - 1).tickets;
                if (without != kNone && with != kNone)
                    consider({Recipe::Kind::Through, without + with});
            }
        }
        m_memo[index(numbers, t, m)] = best;
        return m_memo[index(numbers, t, m)];
    }

    // The tickets of a recipe over the numbers 1..numbers (below k numbers, the rest of a ticket
    // is any numbers), and how it was made.
    std::vector<NumberSet> build(int numbers, int t, int m, std::string *method) {
        const Recipe recipe = this->recipe(numbers, t, m);
        switch (recipe.kind) {
        case Recipe::Kind::None:
        case Recipe::Kind::Empty:
            return {};
        case Recipe::Kind::OneTicket:
            if (method)
                *method = "one ticket";
            return {numbers >= 64 ? ~NumberSet{0} : (NumberSet{1} << numbers) - 1};
        case Recipe::Kind::Known: {
            const PlainWheel &wheel = *recipe.known->wheel;
            if (method) {
                *method = recipe.known->name;
                if (wheel.numbers > numbers)
                    *method += " for " + std::to_string(wheel.numbers) + " numbers, " +
                               std::to_string(wheel.numbers - numbers) +
                               (wheel.numbers - numbers == 1 ? " number" : " numbers") +
                               " taken out";
                if (wheel.guarantee != Guarantee{t, m})
                    *method += " (" + guaranteeText(wheel.guarantee) + ")";
            }
            return takenOut(wheel.tickets, numbers);
        }
        case Recipe::Kind::LeftOut:
            if (method)
                *method = guaranteeText({t, m - recipe.part}) + " on " +
                          std::to_string(numbers - recipe.part) + " numbers, " +
                          std::to_string(recipe.part) + " left out";
            return build(numbers - recipe.part, t, m - recipe.part, nullptr);
        case Recipe::Kind::Join: {
            const int first = recipe.part;
            const int second = numbers - first;
            const int s = recipe.split;
            if (method)
                *method = "a join of " + guaranteeText({t, s}) + " on " + std::to_string(first) +
                          " numbers and " + guaranteeText({t, m - s + 1}) + " on " +
                          std::to_string(second);
            std::vector<NumberSet> tickets = build(first, t, s, nullptr);
            for (const NumberSet ticket : build(second, t, m - s + 1, nullptr))
                tickets.push_back(ticket << first);
            return tickets;
        }
        case Recipe::Kind::Through: {
            if (method)
                *method = "a wheel for " + std::to_string(numbers - 1) + " numbers beside one of " +
                          std::to_string(m_kind - 1) + " a ticket for " +
                          guaranteeText({t - 1, t - 1}) + " with number " +
                          std::to_string(numbers) + " added";
            std::vector<NumberSet> tickets = build(numbers - 1, t, t, nullptr);
            for (const NumberSet ticket : lower().build(numbers - 1, t - 1, t - 1, nullptr))
                tickets.push_back(lower().filled({ticket}, numbers - 1).front() | bitOf(numbers));
            return tickets;
        }
        }
        return {};
    }

    std::vector<NumberSet> filled(const std::vector<NumberSet> &tickets, int numbers) const {
        return filledTickets(m_kind, tickets, numbers);
    }

private:
    Constructor &lower() {
        if (!m_lower)
            m_lower = std::make_unique<Constructor>(m_kind - 1);
        return *m_lower;
    }

    std::size_t index(int numbers, int t, int m) const {
        return (static_cast<std::size_t>(numbers) * (kMostKind + 1) + static_cast<std::size_t>(t)) *
                   (kMostKind + 1) +
               static_cast<std::size_t>(m);
    }

    void addKnown(const PlainWheel &wheel, const std::string &name) {
        if (wheel.kind != m_kind || wheel.keys != 0 || wheel.numbers > kMostNumbers)
            return;
        Known &slot = m_known[index(wheel.numbers, wheel.guarantee.matches, wheel.guarantee.drawn)];
        if (!slot.wheel || wheel.tickets.size() < slot.wheel->tickets.size())
            slot = {&wheel, name};
    }

    // The smallest known wheel that keeps "t of m" on these numbers: one for as many numbers or
    // more, at least t matched of at most m drawn.
    const Known *knownFor(int numbers, int t, int m) const {
        const Known *best = nullptr;
        for (int n = numbers; n <= kMostNumbers; ++n)
            for (int matches = t; matches <= m_kind; ++matches)
                for (int drawn = matches; drawn <= m; ++drawn) {
                    const Known &known = m_known[index(n, matches, drawn)];
                    if (known.wheel &&
                        (!best || known.wheel->tickets.size() < best->wheel->tickets.size()))
                        best = &known;
                }
        return best;
    }

    // A wheel's tickets with the numbers above `numbers` taken out: each ticket that held one
    // takes the lowest numbers it lacks instead.
    std::vector<NumberSet> takenOut(const std::vector<NumberSet> &tickets, int numbers) const {
        std::vector<NumberSet> result;
        const NumberSet all = (NumberSet{1} << numbers) - 1;
        for (const NumberSet ticket : tickets)
            result.push_back(ticket & all);
        return result; // filled up by the caller
    }

    int m_kind;
    std::unique_ptr<Constructor> m_lower; // for k - 1 numbers a ticket, made when needed
    std::vector<PlainWheel> m_catalogued;
    std::vector<Known> m_known{(kMostNumbers + 1) * (kMostKind + 1) * (kMostKind + 1)};
    std::vector<Recipe> m_memo{(kMostNumbers + 1) * (kMostKind + 1) * (kMostKind + 1)};
};

} // namespace

std::vector<NumberSet> filledTickets(int kind, const std::vector<NumberSet> &tickets, int numbers) {
    const NumberSet all = numbers >= 64 ? ~NumberSet{0} : (NumberSet{1} << numbers) - 1;
    std::set<NumberSet> seen;
    std::vector<NumberSet> result;
    for (NumberSet ticket : tickets) {
        ticket &= all;
        while (std::popcount(ticket) > kind)
            ticket &= ticket - 1;
        for (int number = 1; std::popcount(ticket) < kind && number <= numbers; ++number)
            ticket |= bitOf(number);
        if (seen.insert(ticket).second)
            result.push_back(ticket);
    }
    return result;
}

std::optional<Construction> constructWheel(int kind, int numbers, Guarantee guarantee) {
    if (kind < 1 || kind > kMostKind || numbers > kMostNumbers || numbers < kind ||
        guarantee.matches < 1 || guarantee.drawn < guarantee.matches || guarantee.drawn > kind)
        return std::nullopt;
    // The recipes of a kind, once worked out, serve every later request (the tables they come
    // from do not change while the program runs).
    static std::mutex mutex;
    static std::array<std::unique_ptr<Constructor>, kMostKind + 1> constructors;
    const std::lock_guard lock(mutex);
    auto &slot = constructors[static_cast<std::size_t>(kind)];
    if (!slot)
        slot = std::make_unique<Constructor>(kind);
    Constructor &constructor = *slot;
    if (constructor.recipe(numbers, guarantee.matches, guarantee.drawn).tickets == kNone)
        return std::nullopt;
    Construction construction;
    const std::vector<NumberSet> tickets =
        constructor.build(numbers, guarantee.matches, guarantee.drawn, &construction.method);
    construction.wheel = {kind, numbers, guarantee, constructor.filled(tickets, numbers)};
    return construction;
}

} // namespace marlek
