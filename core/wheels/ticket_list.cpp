#include "ticket_list.h"

#include "shown_text.h"
#include "wheel_lines.h"
#include "wheel_verify.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <istream>
#include <optional>
#include <sstream>
#include <string>

namespace marlek {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

bool isSeparator(char c) {
    return isSpace(c) || c == ',' || c == '-';
}

// A line that holds no ticket: blank, or a comment.
bool isSkipped(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

// The numbers of one line as written: words between separators, where a separator is a run of
// spaces with at most one comma or dash in it ("1, 2", "1 - 2", "1-2").
std::vector<int> wordsOf(std::string_view line, std::size_t lineNumber) {
    std::vector<int> values;
    std::size_t at = 0;
    const auto skipSpaces = [&] {
        while (at < line.size() && isSpace(line[at]))
            ++at;
    };
    const auto misplacedMark = [&] {
        failAtLine(lineNumber, "a comma or dash stands where a number belongs (" + quotedText(line) +
                             "); they go between the numbers of a ticket");
    };
    skipSpaces();
    while (at < line.size()) {
        const std::size_t start = at;
        while (at < line.size() && !isSeparator(line[at]))
            ++at;
        const std::string_view word = line.substr(start, at - start);
        if (word.empty())
            misplacedMark();
        values.push_back(wholeNumberAt(word, lineNumber));
        skipSpaces();
        if (at < line.size() && (line[at] == ',' || line[at] == '-')) {
            ++at;
            skipSpaces();
            if (at == line.size())
                misplacedMark();
        }
    }
    return values;
}

// A ticket in the numbers written, checked: the list's count, 1 to 99, no number twice.
using WrittenTicket = std::array<std::uint8_t, 6>;

class ListReader {
public:
    void add(std::string_view line, std::size_t lineNumber) {
        if (isSkipped(line))
            return;
        const std::vector<int> values = wordsOf(line, lineNumber);
        const int count = static_cast<int>(values.size());
        if (m_kind == 0) {
            if (count != 5 && count != 6)
                failAtLine(lineNumber, "a ticket holds 5 or 6 numbers, not " + std::to_string(count));
            m_kind = count;
        } else if (count != m_kind) {
            failAtLine(lineNumber, std::to_string(m_kind) + " numbers needed, " +
                                 std::to_string(count) + " given");
        }
        if (m_tickets.size() == kMaxWheelFileTickets)
            failAtLine(lineNumber, "more than " + std::to_string(kMaxWheelFileTickets) +
                                 " tickets; no ticket list holds that many");
        WrittenTicket ticket{};
        std::array<bool, kHighestTicketNumber + 1> onTicket{};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int value = values[i];
            if (value < 1 || value > kHighestTicketNumber)
                failAtLine(lineNumber, std::to_string(value) + " is not a number from 1 to " +
                                     std::to_string(kHighestTicketNumber));
            const auto index = static_cast<std::size_t>(value);
            if (onTicket[index])
                failAtLine(lineNumber, std::to_string(value) + " is given twice");
            onTicket[index] = true;
            if (!m_used[index]) {
                if (m_usedCount == kMaxWheelNumbers)
                    failAtLine(lineNumber, std::to_string(value) + " would be the " +
                                         std::to_string(kMaxWheelNumbers + 1) +
                                         "th different number; a wheel plays at most " +
                                         std::to_string(kMaxWheelNumbers));
                m_used[index] = true;
                ++m_usedCount;
            }
            ticket[i] = static_cast<std::uint8_t>(value);
        }
        m_tickets.push_back(ticket);
    }

    TicketList finish() && {
        if (m_tickets.empty())
            throw WheelFileError("the file holds no ticket: a ticket list holds one ticket a "
                                 "line, e.g. \"01-02-03-04-05-06\"");
        TicketList list;
        list.kind = m_kind;
        std::array<int, kHighestTicketNumber + 1> position{};
        for (int number = 1; number <= kHighestTicketNumber; ++number) {
            if (m_used[static_cast<std::size_t>(number)]) {
                list.numbers.push_back(number);
                position[static_cast<std::size_t>(number)] = static_cast<int>(list.numbers.size());
            }
        }
        list.tickets.reserve(m_tickets.size());
        for (const WrittenTicket &written : m_tickets) {
            NumberSet ticket = 0;
            for (int i = 0; i < m_kind; ++i)
                ticket |= bitOf(position[written[static_cast<std::size_t>(i)]]);
            list.tickets.push_back(ticket);
        }
        return list;
    }

private:
    int m_kind = 0;
    std::vector<WrittenTicket> m_tickets;
    std::array<bool, kHighestTicketNumber + 1> m_used{};
    int m_usedCount = 0;
};

TicketList readListFrom(std::optional<std::string> first, std::istream &in) {
    ListReader reader;
    std::size_t lineNumber = 1;
    for (std::optional<std::string> line = std::move(first); line;
         line = nextWheelLine(in, ++lineNumber, "a ticket list"))
        reader.add(*line, lineNumber);
    return std::move(reader).finish();
}

// Whether a first line reads as a wheel file's header: 4 whole numbers separated by spaces, or 5
// out of ascending order that make a valid header (a ticket's numbers, as players write them,
// ascend; a header's never do, its N being at least its t).
bool isWheelHeader(std::string_view line) {
    if (line.find_first_not_of("0123456789 ") != std::string_view::npos)
        return false;
    std::vector<int> values;
    std::istringstream words{std::string(line)};
    for (int value = 0; words >> value;)
        values.push_back(value);
    if (!words.eof())
        return false; // a number too large for an int: no header of ours
    if (values.size() == 4)
        return true;
    if (values.size() != 5 || std::is_sorted(values.begin(), values.end()))
        return false;
    const Guarantee guarantee{values[2], values[3]};
    return shapeProblem(values[0], values[1], guarantee).empty() &&
           keyProblem(guarantee, values[4]).empty();
}

} // namespace

TicketList readTicketList(std::istream &in) {
    std::optional<std::string> first = nextWheelLine(in, 1, "a ticket list");
    if (first && first->starts_with("\xef\xbb\xbf"))
        failAtLine(1, "the file begins with a byte-order mark (U+FEFF), which a ticket list does not "
                "have; save it as plain text without one");
    return readListFrom(std::move(first), in);
}

std::variant<PlainWheel, TicketList> readWheelOrTicketList(std::istream &in) {
    std::optional<std::string> first = nextWheelLine(in, 1, "a wheel file or a ticket list");
    if (!first)
        throw WheelFileError("the file is empty: a wheel file begins with a line of k N t m, "
                             "e.g. \"6 20 3 6\", and a ticket list holds one ticket a line, e.g. "
                             "\"01-02-03-04-05-06\"");
    if (first->starts_with("\xef\xbb\xbf"))
        failAtLine(1, "the file begins with a byte-order mark (U+FEFF), which a wheel file does not "
                "have; save it as plain text without one");
    if (isWheelHeader(*first))
        return readWheelFileAfter(*first, in);
    return readListFrom(std::move(first), in);
}

std::vector<Guarantee> provenGuarantees(const TicketList &list, int threads) {
    std::vector<Guarantee> proven;
    const int numbers = static_cast<int>(list.numbers.size());
    for (int drawn = 1; drawn <= list.kind; ++drawn)
        proven.push_back({provenMatches(list.tickets, numbers, drawn, threads), drawn});
    return proven;
}

PlainWheel wheelOfTicketList(const TicketList &list, Guarantee guarantee) {
    return PlainWheel{list.kind, static_cast<int>(list.numbers.size()), guarantee, list.tickets,
                      0};
}

} // namespace marlek
