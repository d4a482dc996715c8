#include "report_wheel_reader.h"

#include "number_text.h"
#include "wheel_verify.h"

#include <charconv>

namespace marlek {
namespace {

std::vector<int> wholeNumbers(std::string_view text) {
    std::vector<int> numbers;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ')
            ++at;
        const std::size_t begin = at;
        while (at < text.size() && text[at] != ' ')
            ++at;
        int value = 0;
        const auto [end, error] = std::from_chars(text.data() + begin, text.data() + at, value);
        if (at > begin && error == std::errc() && end == text.data() + at)
            numbers.push_back(value);
        else if (at > begin)
            numbers.push_back(-1);
    }
    return numbers;
}

// The first whole number after `prefix` in the line.
int numberAfter(std::string_view line, std::string_view prefix) {
    const std::size_t at = line.find(prefix);
    if (at == std::string_view::npos)
        return 0;
    int value = 0;
    std::string_view rest = line.substr(at + prefix.size());
    std::from_chars(rest.data(), rest.data() + rest.size(), value);
    return value;
}

} // namespace

void ReportTicketsReader::refuse(const std::string &reason) const {
    throw ReportLineError(m_checker.linesRead(), reason);
}

void ReportTicketsReader::feed(std::string_view line) {
    line = m_checker.feed(line);
    m_wheel.kind = m_checker.kind();
    if (m_numbersNext) {
        m_numbersNext = false;
        readNumbers(line);
    } else if (line.starts_with("The ") && line.ends_with(" Numbers you've Selected to Play")) {
        m_numbersNext = true;
    } else if (line.starts_with("Lotto Ticket ")) {
        readTicket(line);
    } else if (line.starts_with("Pick Any ")) {
        m_pickAny = numberAfter(line, "Pick Any ");
        const std::size_t keys = line.find(", Key Number");
        if (keys != std::string_view::npos) {
            std::string_view rest = line.substr(keys + std::string_view(", Key Number").size());
            if (rest.starts_with('s'))
                rest.remove_prefix(1);
            rest = rest.substr(0, rest.find(" among them"));
            m_wheel.keys = static_cast<int>(wholeNumbers(rest).size());
        }
    } else if (line.starts_with("Check All  ") && m_pickAny > 0) {
        m_wheel.claimed = Guarantee{numberAfter(line, "will have "), m_pickAny};
    }
}

void ReportTicketsReader::readNumbers(std::string_view line) {
    const std::vector<int> numbers = wholeNumbers(line);
    m_wheel.numbers = static_cast<int>(numbers.size());
    if (m_wheel.numbers > kMaxWheelNumbers)
        refuse("a wheel's table is counted for up to " + plain(kMaxWheelNumbers) +
               " numbers, not " + plain(m_wheel.numbers));
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        const int number = numbers[p];
        if (number < 1 || number > kHighestDrawnNumber)
            refuse("the player's numbers must be 1 to " + plain(kHighestDrawnNumber));
        if (m_positionOf[static_cast<std::size_t>(number)] != 0)
            refuse("the number " + plain(number) + " is among the player's numbers twice");
        m_positionOf[static_cast<std::size_t>(number)] = static_cast<int>(p) + 1;
        m_wheel.shownNumbers.push_back(number);
    }
}

void ReportTicketsReader::readTicket(std::string_view line) {
    NumberSet ticket = 0;
    for (const int number : m_checker.ticketNumbers(line)) {
        const int position = number >= 1 && number <= kHighestDrawnNumber
                                 ? m_positionOf[static_cast<std::size_t>(number)]
                                 : 0;
        if (position == 0)
            refuse("the ticket holds " + plain(number) + ", which is not among the player's numbers");
        ticket |= bitOf(position);
    }
    m_wheel.tickets.push_back(ticket);
    if (proofChecks(m_wheel.numbers, 1, m_wheel.kind, m_wheel.tickets.size()) > kMaxProofChecks)
        refuse("the report holds more tickets than a table here counts over " +
               plain(m_wheel.numbers) + " numbers");
}

void ReportTicketsReader::finish() { m_checker.finish(); }

PlayedWheel playedWheelOfReportLines(const std::vector<std::string> &lines) {
    ReportTicketsReader reader;
    for (const std::string &line : lines)
        reader.feed(line);
    reader.finish();
    return reader.wheel();
}

} // namespace marlek
