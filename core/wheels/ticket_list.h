#pragma once
// A plain list of tickets, as players write them and pass them on: one ticket a line, its numbers
// separated by spaces, commas or dashes ("01-02-03-04-05-06", "3, 11, 17, 25, 33"). Blank lines
// and lines beginning with '#' are left out. Every ticket holds the same count of numbers, 5 or 6,
// each from 1 to 99 and none twice, in any order. The numbers the tickets use are the wheel's
// numbers: the lowest is position 1, the next position 2, and so on, so the list plays as a wheel
// over them. A list claims no guarantee: the proof finds the one it keeps.

#include "plain_wheel.h"
#include "wheel_file.h"

#include <iosfwd>
#include <variant>
#include <vector>

namespace marlek {

inline constexpr int kHighestTicketNumber = 99;

struct TicketList {
    int kind = 0;                   // 5 or 6, the numbers on every ticket
    std::vector<int> numbers;       // the numbers used, ascending: position p is numbers[p - 1]
    std::vector<NumberSet> tickets; // in the order of the file, over the positions
    friend bool operator==(const TicketList &, const TicketList &) = default;
};

// Reads a whole ticket list strictly (a CR before each LF and a last line without its line end
// are allowed; lines of up to 200 characters, at most a million tickets and 49 different numbers).
// Throws WheelFileError naming the line, or WheelFileReadError when the stream fails.
TicketList readTicketList(std::istream &in);

// A wheel file or a ticket list, told apart by the first line: 4 whole numbers, or 5 that do not
// ascend and make a wheel file's header ("6 20 3 6 1"), begin a wheel file, read as readWheelFile
// reads it; anything else begins a ticket list. A ticket's numbers never form a header that way
// unless they are out of order and the header a valid one.
std::variant<PlainWheel, TicketList> readWheelOrTicketList(std::istream &in);

// For each count m of the list's numbers drawn, from 1 to its kind: the most matches t that at
// least one ticket is sure to hold ("t of m"), by trying every set of m numbers. Every number is
// on some ticket, so t is at least 1.
std::vector<Guarantee> provenGuarantees(const TicketList &list, int threads = 1);

// The list as a wheel over its positions 1..N with that guarantee and no key numbers, as a
// designed wheel is played. A list plays with the last of provenGuarantees, the matches for as
// many drawn numbers as a ticket holds ("3 of 6" for Pick 6), as a catalogued wheel states its own.
PlainWheel wheelOfTicketList(const TicketList &list, Guarantee guarantee);

} // namespace marlek
