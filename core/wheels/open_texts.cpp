#include "open_texts.h"

#include "number_text.h"
#include "shown_text.h"
#include "wheel_verify.h"

namespace marlek {
namespace {

// In lines short enough for a message box, which does not wrap them.
const char *const kWhatOpens =
    "The program opens a report saved by Save As,\n"
    "a wheel file (a first line of k N t m such as \"6 20 3 6\", then one ticket a line),\n"
    "a list of tickets, one a line, their numbers separated by spaces, commas or dashes "
    "(\"01-02-03-04-05-06\"),\n"
    "or a lottery's file of past draws, its columns named in its first line.";

const char *const kPlayOrLeave =
    "Press Continue to choose the numbers to play it with, or Cancel to leave it.";

std::string groupedCount(std::uint64_t count) {
    return count > static_cast<std::uint64_t>(INT64_MAX)
               ? "more than " + groupedOrZero(INT64_MAX)
               : groupedOrZero(static_cast<std::int64_t>(count));
}

} // namespace

std::string wheelFileProvenMessage(std::string_view path, const PlainWheel &wheel) {
    const Guarantee g = wheel.guarantee;
    std::string keys;
    if (wheel.keys == 1)
        keys = ", key number 1 among them (the lowest number you play)";
    else if (wheel.keys > 1)
        keys = ", key numbers 1 to " + plain(wheel.keys) + " among them (the lowest " +
               plain(wheel.keys) + " numbers you play)";
    return quotedText(path) + ": a Pick " + plain(wheel.kind) + " wheel of " +
           counted(static_cast<std::int64_t>(wheel.tickets.size()), "ticket", "tickets") +
           " over " + plain(wheel.numbers) + " numbers.\n" + "Its " + guaranteeText(g) +
           " guarantee is proven: whenever " + plain(g.drawn) + " of the " +
           plain(wheel.numbers) + " numbers are drawn" + keys + ",\nat least one ticket holds " +
           plain(g.matches) + " of them.\n" + kPlayOrLeave;
}

std::string ticketListProvenMessage(std::string_view path, const TicketList &list,
                                    std::span<const Guarantee> proven) {
    std::string numbers;
    for (const int number : list.numbers)
        numbers += (numbers.empty() ? "" : " ") + plain(number);
    std::string guarantees;
    for (auto g = proven.rbegin(); g != proven.rend(); ++g)
        guarantees += (guarantees.empty() ? "" : ", ") + guaranteeText(*g);
    const std::string ticket = "Pick " + plain(list.kind) + " ticket";
    const std::string played = proven.empty() ? std::string() : guaranteeText(proven.back());
    return quotedText(path) + ": a list of " +
           counted(static_cast<std::int64_t>(list.tickets.size()), ticket, ticket + "s") +
           " over " + plain(static_cast<std::int64_t>(list.numbers.size())) + " numbers: " +
           numbers + ".\n" + "Proven on opening: " + guarantees +
           "\n(t of m: whenever m of these numbers are drawn, at least one ticket holds t of "
           "them).\n" +
           "It plays as a wheel with the " + played + " guarantee.\n" +
           "The number picker's Yes plays the list's own numbers; Random or Choose plays "
           "others.\n" +
           kPlayOrLeave;
}

std::string openUnreadableMessage(std::string_view path, std::string_view reason) {
    return "The file " + quotedText(path) + " cannot be read: " + std::string(reason) + ".";
}

std::string openRefusedMessage(std::string_view path, std::string_view reason) {
    return "The file " + quotedText(path) + " cannot be opened: " + std::string(reason) + ".\n" +
           kWhatOpens;
}

std::string reportRefusedMessage(std::string_view path, std::string_view reason) {
    return "The file " + quotedText(path) + " is not a report as this program saves it: " +
           std::string(reason) + ".";
}

std::string wheelNotPlayedMessage(std::string_view path, std::string_view reason) {
    return "The wheel in " + quotedText(path) + " cannot be played: " + std::string(reason) +
           ".";
}

std::string notALottoKindReason(int kind) {
    return "reports are for Pick 5 and Pick 6 wheels, and this wheel has " +
           counted(kind, "number", "numbers") + " a ticket";
}

std::string guaranteeNotKeptReason(Guarantee claimed, int proven) {
    return "the wheel does not keep the " + guaranteeText(claimed) +
           " guarantee its file claims:\nthe proof finds only " +
           guaranteeText({proven, claimed.drawn});
}

std::string proofTooLongReason(std::uint64_t checks) {
    return "proving it means up to " + groupedCount(checks) +
           " checks of a ticket against a draw, more than the " +
           groupedCount(kMaxProofChecks) + " a proof here takes";
}

} // namespace marlek
