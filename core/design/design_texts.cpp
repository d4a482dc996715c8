#include "design_texts.h"

#include "best_known.h"
#include "number_text.h"
#include "own_wheels.h"

#include <cstdio>

namespace marlek {
namespace {

std::string ticketsText(std::int64_t count) {
    return std::to_string(count) + (count == 1 ? " ticket" : " tickets");
}

// The best-known figure of a shape with where it was published, or nothing.
std::optional<BestKnown> bestKnownOf(const PlainWheel &wheel) {
    for (const BestKnown &known : bestKnownTable())
        if (known.kind == wheel.kind && known.numbers == wheel.numbers &&
            known.guarantee == wheel.guarantee)
            return known;
    return std::nullopt;
}

// A wheel short of its guarantee is compared with nothing: fewer tickets than the best known is
// no feat then.
std::string standingText(const PlainWheel &wheel, bool keepsGuarantee) {
    const std::optional<int> catalogued =
        cataloguedTickets(wheel.kind, wheel.numbers, wheel.guarantee);
    const std::optional<int> best = bestKnownTickets(wheel.kind, wheel.numbers, wheel.guarantee);
    const std::optional<BestKnown> known = bestKnownOf(wheel);
    const std::string source =
        known && !known->source.empty() ? " (" + std::string(known->source) + ")" : "";
    std::string text =
        "Catalogue: " + (catalogued ? ticketsText(*catalogued) : "no such wheel") +
        ". Best known: " + (best ? ticketsText(*best) + source : "not in the table") + ".";
    if (!best || !keepsGuarantee)
        return text;
    const auto found = static_cast<std::int64_t>(wheel.tickets.size());
    if (found <= *best)
        return text + " This wheel is at the best known.";
    return text + " This wheel is " + std::to_string(found - *best) + " above the best known.";
}

// The shape of a request's wheel without its keys, which holds as many tickets: the shape the
// tables are looked up for.
PlainWheel shapeWithoutKeys(const DesignRequest &request) {
    return reducedWheel({request.kind, request.numbers, request.guarantee, {}, request.keys});
}

// "When 6 of your 20 numbers are drawn, your key number among them, at least one ticket wins 3
// of them": the guarantee as a player says it.
std::string promiseText(const PlainWheel &wheel) {
    const int keys = wheel.keys;
    const std::string among = keys == 0 ? ""
                              : keys == 1
                                  ? ", your key number among them"
                                  : ", your " + std::to_string(keys) + " key numbers among them";
    const Guarantee guarantee = wheel.guarantee;
    return "When " + std::to_string(guarantee.drawn) + " of your " + std::to_string(wheel.numbers) +
           " numbers are drawn" + among + ", at least one ticket wins " +
           (guarantee.matches == guarantee.drawn ? "all " : "") +
           std::to_string(guarantee.matches) + " of them";
}

// " in 37,506 of the 38,760 ways they can be drawn (96.7%)": the share rounded down, so a wheel
// short of the guarantee never shows 100.0%.
std::string shareText(const DesignResult &result) {
    const std::uint64_t tenthsOfPercent =
        result.allDraws == 0 ? 0 : result.coveredDraws * 1000 / result.allDraws;
    return " in " + groupedOrZero(static_cast<std::int64_t>(result.coveredDraws)) + " of the " +
           groupedOrZero(static_cast<std::int64_t>(result.allDraws)) + " ways they can be drawn" +
           (result.wheel->keys > 0 ? " with the key numbers" : "") + " (" +
           std::to_string(tenthsOfPercent / 10) + "." + std::to_string(tenthsOfPercent % 10) + "%)";
}

// How a wheel that keeps its guarantee stands, in a player's words: "No wheel for this can have
// fewer than 7 tickets; the smallest known has 10, as many as this one." Empty when nothing is
// known.
std::string playerStandingText(const DesignResult &result) {
    const PlainWheel reduced = reducedWheel(*result.wheel);
    const auto found = static_cast<std::uint64_t>(result.wheel->tickets.size());
    const std::uint64_t bound = result.lowerBound;
    if (bound > 0 && found <= bound)
        return "No wheel for this can have fewer than " +
               ticketsText(static_cast<std::int64_t>(bound)) +
               ", so none is smaller than this one.";
    const std::optional<int> best =
        bestKnownTickets(reduced.kind, reduced.numbers, reduced.guarantee);
    const std::string boundText = bound > 0 ? "No wheel for this can have fewer than " +
                                                  ticketsText(static_cast<std::int64_t>(bound))
                                            : std::string();
    if (!best)
        return bound > 0 ? boundText + "; this one has " + std::to_string(found - bound) + " more."
                         : std::string();
    const auto smallest = static_cast<std::uint64_t>(*best);
    const std::string against =
        found == smallest  ? ", as many as this one."
        : found > smallest ? ", " + std::to_string(found - smallest) + " fewer than this one."
                           : ", " + std::to_string(smallest - found) + " more than this one.";
    if (bound > 0)
        return boundText + "; the smallest known has " + std::to_string(smallest) + against;
    return "The smallest known wheel for this has " +
           ticketsText(static_cast<std::int64_t>(smallest)) + against;
}

} // namespace

void aimAtKnownWheels(DesignRequest &request) {
    // A key wheel holds as many tickets as its wheel without the keys: that one is aimed at.
    const int keys = request.keys;
    const PlainWheel reduced = shapeWithoutKeys(request);
    request.targetTickets =
        bestKnownTickets(reduced.kind, reduced.numbers, reduced.guarantee).value_or(0);
    request.starts.clear();
    for (const PlainWheel &wheel :
         cataloguedWheelsFor(reduced.kind, reduced.numbers, reduced.guarantee))
        request.starts.push_back(keyWheelOver(wheel, keys));
    if (std::optional<PlainWheel> own = ownWheel(reduced.kind, reduced.numbers, reduced.guarantee))
        request.starts.push_back(keyWheelOver(*own, keys));
}

std::string ownTableText(std::optional<int> ownTickets, std::optional<int> bestKnown,
                         bool withoutKeys) {
    const std::string guarantee =
        withoutKeys ? "this guarantee without the keys" : "this guarantee";
    if (!ownTickets)
        return "The program's table has no wheel for " + guarantee + ".";
    const std::string text =
        "The program's table has a wheel of " + ticketsText(*ownTickets) + " for " + guarantee;
    if (!bestKnown)
        return text + ".";
    if (*ownTickets <= *bestKnown)
        return text + ", at the best known.";
    return text + ", " + std::to_string(*ownTickets - *bestKnown) + " above the best known (" +
           std::to_string(*bestKnown) + ").";
}

std::string ownTableText(const DesignRequest &request) {
    const PlainWheel reduced = shapeWithoutKeys(request);
    const std::optional<PlainWheel> own =
        ownWheel(reduced.kind, reduced.numbers, reduced.guarantee);
    return ownTableText(
        own ? std::optional<int>(static_cast<int>(own->tickets.size())) : std::nullopt,
        bestKnownTickets(reduced.kind, reduced.numbers, reduced.guarantee), request.keys > 0);
}

std::string shapeText(const PlainWheel &wheel) {
    return guaranteeText(wheel.guarantee) + " over " + std::to_string(wheel.numbers) +
           " numbers, " + std::to_string(wheel.kind) + " a ticket";
}

std::string keyNumbersText(int keys) {
    std::string text;
    for (int key = 1; key <= keys; ++key)
        text += (key > 1 ? " " : "") + std::to_string(key);
    return text;
}

std::string elapsedText(std::chrono::milliseconds elapsed) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(elapsed.count()) / 1000.0);
    return text;
}

std::string designProgressText(const DesignProgress &progress) {
    return "Designing: " + elapsedText(progress.elapsed) + ", " +
           (progress.bestTickets > 0 ? "best so far " + ticketsText(progress.bestTickets)
                                     : std::string("no wheel yet"));
}

std::string coverageText(const DesignResult &result) {
    const std::uint64_t tenthsOfPercent =
        result.allDraws == 0 ? 0 : result.coveredDraws * 1000 / result.allDraws;
    return "meets the guarantee for " +
           groupedOrZero(static_cast<std::int64_t>(result.coveredDraws)) + " of " +
           groupedOrZero(static_cast<std::int64_t>(result.allDraws)) + " draws of " +
           std::to_string(result.wheel->guarantee.drawn) +
           (result.wheel->keys > 0 ? " holding the keys" : "") + " (" +
           std::to_string(tenthsOfPercent / 10) + "." + std::to_string(tenthsOfPercent % 10) + "%)";
}

std::string designResultText(const DesignResult &result) {
    if (!result.wheel)
        return "Stopped after " + elapsedText(result.elapsed) +
               ", before a wheel was found. Give the search more time, or ask for fewer numbers "
               "or fewer drawn, and press Design again.";
    const PlainWheel &wheel = *result.wheel;
    const bool keeps = result.keepsGuarantee();
    std::string text = (result.cancelled ? "Stopped early. " : "") +
                       ticketsText(static_cast<std::int64_t>(wheel.tickets.size())) + ". " +
                       promiseText(wheel) + (keeps ? "" : shareText(result)) +
                       ". Checked against every draw.";
    if (wheel.keys > 0)
        text += "\n" + keyConditionText(wheel.keys);
    if (const std::string standing = keeps ? playerStandingText(result) : ""; !standing.empty())
        text += "\n" + standing;
    return text;
}

std::string designDetailsText(const DesignResult &result) {
    if (!result.wheel)
        return {};
    const PlainWheel &wheel = *result.wheel;
    const bool keeps = result.keepsGuarantee();
    std::string text = ticketsText(static_cast<std::int64_t>(wheel.tickets.size())) +
                       (keeps ? ", proven: " : " for ") + shapeText(wheel) + " (" +
                       elapsedText(result.elapsed) + ")" +
                       (keeps ? "" : ": " + coverageText(result)) + ".\n";
    if (wheel.keys == 0) {
        text += standingText(wheel, keeps);
    } else {
        const PlainWheel reduced = reducedWheel(wheel);
        text += "Compared without the keys, as " + shapeText(reduced) + ". " +
                standingText(reduced, keeps);
    }
    if (const std::string bound = lowerBoundText(result); !bound.empty())
        text += "\n" + bound;
    return text;
}

std::string lowerBoundText(const DesignResult &result) {
    if (!result.wheel || result.lowerBound == 0)
        return {};
    const auto found = static_cast<std::uint64_t>(result.wheel->tickets.size());
    std::string text = "No wheel for this guarantee can have fewer than " +
                       ticketsText(static_cast<std::int64_t>(result.lowerBound)) + " (" +
                       result.lowerBoundMethod + ")";
    if (!result.keepsGuarantee())
        text += ".";
    else if (found <= result.lowerBound)
        text += ": this one is the smallest there is.";
    else
        text += "; this one has " + std::to_string(found - result.lowerBound) + " more.";
    if (result.source.empty())
        return text;
    return text + " From " + result.source + ".";
}

std::string keyConditionText(int keys) {
    const std::string played =
        " When you play it, the lowest " +
        (keys == 1 ? std::string("of your numbers is the key number")
                   : std::to_string(keys) + " of your numbers are the key numbers") +
        ".";
    if (keys == 1)
        return "Key number 1 is in every ticket: the guarantee holds when it is drawn." + played;
    return "Key numbers " + keyNumbersText(keys) +
           " are in every ticket: the guarantee holds when all of them are drawn." + played;
}

std::string outOfRangeText(int typed, int low, int high, int kept) {
    return std::to_string(typed) + " is out of range: this field takes " + std::to_string(low) +
           " to " + std::to_string(high) + "; it keeps " + std::to_string(kept) +
           " when you leave it.";
}

std::string drawnAboveTicketText(int typed, int kind, int kept) {
    return std::to_string(typed) + " drawn is more than the " + std::to_string(kind) +
           " numbers on a Pick " + std::to_string(kind) + " ticket: no ticket can hold them, so " +
           "a guarantee counts at most " + std::to_string(kind) + " drawn; the field keeps " +
           std::to_string(kept) + " when you leave it.";
}

std::string staleDesignText(const PlainWheel &wheel) {
    return "The fields changed since this wheel was designed for Pick " +
           std::to_string(wheel.kind) + ", " + std::to_string(wheel.numbers) + " numbers, " +
           guaranteeText(wheel.guarantee) +
           (wheel.keys > 0 ? ", " + std::to_string(wheel.keys) + " key numbers" : "") +
           ": press Design for the fields as they are, or set them back to save or play it.";
}

} // namespace marlek
