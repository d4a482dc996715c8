#include "designed_report.h"

#include "number_text.h"

namespace marlek {

void writeDesignedReport(const PlainWheel &wheel, std::span<const int> numbers,
                         const DesignedReportSink &sink) {
    const std::string n = plain(wheel.numbers);
    const std::string t = plain(static_cast<std::int64_t>(wheel.tickets.size()));
    const std::string label = " " + guaranteeText(wheel.guarantee); // as the catalogue's labels
    sink(wheel.kind == 5 ? "Marlek's Pick 5 Lotto" : "Marlek's Pick 6 Lotto");
    sink(" $" + t + "  " + t + " Tickets  " + n + " Numbers " + label + " Guarantee");
    sink("");
    sink("The " + n + " Numbers you've Selected to Play");
    std::string line;
    for (const int number : numbers)
        line += "  " + plain(number);
    sink(line);
    sink("");
    sink("Play these " + t + " Tickets");
    std::int64_t ticketNumber = 0;
    for (const NumberSet ticket : wheel.tickets) {
        ++ticketNumber;
        line = (ticketNumber < 10 ? "Lotto Ticket     " : "Lotto Ticket   ") + plain(ticketNumber) +
               "    ";
        bool first = true;
        for (const int position : numbersOf(ticket)) {
            line += first ? "" : "  ";
            line += twoDigits(numbers[static_cast<std::size_t>(position - 1)]);
            first = false;
        }
        sink(line);
    }
    sink("Ticket Cost based on $1 US");
    sink("");
    sink("Does this Wheel Work?  It's Easy to Prove.");
    sink("Pick Any " + plain(wheel.guarantee.drawn) + " of the " + n + " Numbers you've Selected");
    sink("Check All  " + t + " Tickets. At Least 1 Ticket will have " +
         plain(wheel.guarantee.matches) + " Numbers");
    sink("Thats your " + label + " Guarantee");
    sink("Good Luck in All your Lotto Pursuits");
}

std::string designedReportCaption(const PlainWheel &wheel) {
    const std::string t = plain(static_cast<std::int64_t>(wheel.tickets.size()));
    return "  $" + t + "   " + t + "  Tickets  " + plain(wheel.numbers) + " Numbers  Pick " +
           plain(wheel.kind) + " Wheel";
}

} // namespace marlek
