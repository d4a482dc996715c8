#include "wheel_file.h"

#include "number_text.h"
#include "shown_text.h"
#include "wheel_lines.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace marlek {
namespace {

// The whole numbers of a line separated by spaces, each checked to be digits only, into `values`
// (a vector kept from line to line, so a million lines take no million allocations).
void readWords(const std::string &line, std::size_t lineNumber, std::vector<int> &values) {
    values.clear();
    std::size_t start = 0;
    while (true) {
        while (start < line.size() && line[start] == ' ')
            ++start;
        if (start == line.size())
            return;
        std::size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        values.push_back(
            wholeNumberAt(std::string_view(line.data() + start, end - start), lineNumber));
        start = end;
    }
}

PlainWheel headerOf(const std::optional<std::string> &line) {
    if (!line)
        throw WheelFileError("the file is empty: a wheel file begins with a line of k N t m, "
                             "e.g. \"6 20 3 6\"");
    if (line->starts_with("\xef\xbb\xbf"))
        failAtLine(1, "the file begins with a byte-order mark (U+FEFF), which a wheel file does not "
                "have; save it as plain text without one");
    std::vector<int> values;
    readWords(*line, 1, values);
    if (values.size() < 4)
        failAtLine(1, "the header needs 4 numbers, k N t m (numbers a ticket, numbers played, the "
                "guarantee's t and m, e.g. \"6 20 3 6\"), not " +
                    std::to_string(values.size()));
    if (values.size() > 5)
        failAtLine(1, "the header holds at most 5 numbers, k N t m and the count of key numbers c "
                "(e.g. \"6 20 3 6 1\"), not " +
                    std::to_string(values.size()));
    PlainWheel wheel{values[0], values[1], {values[2], values[3]}, {}, 0};
    if (const std::string problem = shapeProblem(wheel.kind, wheel.numbers, wheel.guarantee);
        !problem.empty())
        failAtLine(1, problem);
    if (values.size() == 5) {
        wheel.keys = values[4];
        if (const std::string problem = keyProblem(wheel.guarantee, wheel.keys); !problem.empty())
            failAtLine(1, problem);
    }
    return wheel;
}

NumberSet ticketOf(const std::string &line, std::size_t lineNumber, const PlainWheel &wheel,
                   std::vector<int> &values) {
    if (line.find_first_not_of(' ') == std::string::npos)
        failAtLine(lineNumber, "the line is empty; every line after the header holds one ticket");
    readWords(line, lineNumber, values);
    if (static_cast<int>(values.size()) != wheel.kind)
        failAtLine(lineNumber, counted(wheel.kind, "number", "numbers") + " needed, " +
                             std::to_string(values.size()) + " given");
    NumberSet ticket = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] < 1 || values[i] > wheel.numbers)
            failAtLine(lineNumber, std::to_string(values[i]) + " is not a number from 1 to " +
                                 std::to_string(wheel.numbers));
        if (i > 0 && values[i] <= values[i - 1])
            failAtLine(lineNumber, values[i] == values[i - 1]
                                 ? std::to_string(values[i]) + " is given twice"
                                 : "the numbers must ascend (" + std::to_string(values[i]) +
                                       " follows " + std::to_string(values[i - 1]) + ")");
        ticket |= bitOf(values[i]);
    }
    if (const NumberSet keys = keySet(wheel.keys); (ticket & keys) != keys)
        failAtLine(lineNumber,
             "key number " + std::to_string(std::countr_one(ticket & keys) + 1) +
                 " is missing; every ticket holds " +
                 (wheel.keys == 1 ? std::string("the key number 1")
                                  : "the key numbers 1 to " + std::to_string(wheel.keys)));
    return ticket;
}

// The tickets after a header, from line 2 to the end of the file.
PlainWheel readTickets(PlainWheel wheel, std::istream &in) {
    std::vector<int> values;
    std::size_t lineNumber = 2;
    for (std::optional<std::string> line = nextWheelLine(in, lineNumber, "a wheel file"); line;
         line = nextWheelLine(in, ++lineNumber, "a wheel file")) {
        if (wheel.tickets.size() == kMaxWheelFileTickets)
            failAtLine(lineNumber, "more than " + std::to_string(kMaxWheelFileTickets) +
                                 " tickets; no wheel file holds that many");
        wheel.tickets.push_back(ticketOf(*line, lineNumber, wheel, values));
    }
    if (wheel.tickets.empty())
        throw WheelFileError("line 2: the file ends after its header; a wheel needs at least one "
                             "ticket");
    return wheel;
}

} // namespace

WheelFileReadError::WheelFileReadError(int error)
    : std::runtime_error("the file could not be read"), error(error) {}

void writeWheelFile(const PlainWheel &wheel, const WheelLineSink &sink) {
    sink(std::to_string(wheel.kind) + ' ' + std::to_string(wheel.numbers) + ' ' +
         std::to_string(wheel.guarantee.matches) + ' ' + std::to_string(wheel.guarantee.drawn) +
         (wheel.keys > 0 ? ' ' + std::to_string(wheel.keys) : std::string()));
    std::string line;
    for (const NumberSet ticket : wheel.tickets) {
        line.clear();
        for (const int number : numbersOf(ticket))
            line += (line.empty() ? "" : " ") + std::to_string(number);
        sink(line);
    }
}

PlainWheel readWheelFile(std::istream &in) {
    return readTickets(headerOf(nextWheelLine(in, 1, "a wheel file")), in);
}

PlainWheel readWheelFileAfter(std::string_view header, std::istream &rest) {
    return readTickets(headerOf(std::string(header)), rest);
}

} // namespace marlek
