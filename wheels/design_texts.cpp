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

// A wheel short of its guarantee is compared with nothing: fewer tickets than the best known is
// no feat then.
std::string standingText(const PlainWheel &wheel, bool keepsGuarantee) {
    const std::optional<int> catalogued =
        cataloguedTickets(wheel.kind, wheel.numbers, wheel.guarantee);
    const std::optional<int> best = bestKnownTickets(wheel.kind, wheel.numbers, wheel.guarantee);
    std::string text = "Catalogue: " + (catalogued ? ticketsText(*catalogued) : "no such wheel") +
                       ". Best known: " + (best ? ticketsText(*best) : "not in the table") + ".";
    if (!best || !keepsGuarantee)
        return text;
    const auto found = static_cast<std::int64_t>(wheel.tickets.size());
    if (found <= *best)
        return text + " This wheel is at the best known.";
    return text + " This wheel is " + std::to_string(found - *best) + " above the best known.";
}

} // namespace

void aimAtKnownWheels(DesignRequest &request) {
    request.targetTickets =
        bestKnownTickets(request.kind, request.numbers, request.guarantee).value_or(0);
    request.starts = cataloguedWheelsFor(request.kind, request.numbers, request.guarantee);
    if (std::optional<PlainWheel> own = ownWheel(request.kind, request.numbers, request.guarantee))
        request.starts.push_back(std::move(*own));
}

std::string ownTableText(std::optional<int> ownTickets, std::optional<int> bestKnown) {
    if (!ownTickets)
        return "The program's table has no wheel for this guarantee.";
    std::string text =
        "The program's table has a wheel of " + ticketsText(*ownTickets) + " for this guarantee";
    if (!bestKnown)
        return text + ".";
    if (*ownTickets <= *bestKnown)
        return text + ", at the best known.";
    return text + ", " + std::to_string(*ownTickets - *bestKnown) + " above the best known (" +
           std::to_string(*bestKnown) + ").";
}

std::string ownTableText(int kind, int numbers, Guarantee guarantee) {
    const std::optional<PlainWheel> own = ownWheel(kind, numbers, guarantee);
    return ownTableText(own ? std::optional<int>(static_cast<int>(own->tickets.size()))
                            : std::nullopt,
                        bestKnownTickets(kind, numbers, guarantee));
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
           std::to_string(result.wheel->guarantee.drawn) + " (" +
           std::to_string(tenthsOfPercent / 10) + "." + std::to_string(tenthsOfPercent % 10) + "%)";
}

std::string designResultText(const DesignResult &result) {
    if (!result.wheel)
        return "Stopped after " + elapsedText(result.elapsed) + ", before a wheel was found.";
    const PlainWheel &wheel = *result.wheel;
    const bool keeps = result.keepsGuarantee();
    return (result.cancelled ? "Stopped early. " : "") +
           ticketsText(static_cast<std::int64_t>(wheel.tickets.size())) +
           (keeps ? ", proven: " : " for ") + guaranteeText(wheel.guarantee) + " over " +
           std::to_string(wheel.numbers) + " numbers, " + std::to_string(wheel.kind) +
           " a ticket (" + elapsedText(result.elapsed) + ")" +
           (keeps ? "" : ": " + coverageText(result)) + ".\n" + standingText(wheel, keeps);
}

} // namespace marlek
