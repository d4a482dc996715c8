#pragma once
// The wheel file: a plain text of our own for designed or imported wheels. The first line holds
// k, N, t and m ("6 20 3 6": six numbers a ticket over 20 numbers, 3 of 6 guaranteed), then one
// ticket a line, k numbers from 1 to N ascending, separated by spaces ("1 2 7 8 9 10"). A wheel
// with key numbers has a fifth number in its header, their count c ("6 20 3 6 2"), and the
// numbers 1 to c in every ticket.

#include "plain_wheel.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string_view>

namespace marlek {

inline constexpr std::size_t kMaxWheelFileTickets = 1'000'000;

// A file that is not a wheel file; the message names the line, e.g. "line 4: 6 numbers needed, 5
// given".
struct WheelFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The stream could not be read (a failing disk, a file the system will not hand over): `error` is
// the system's errno for it.
struct WheelFileReadError : std::runtime_error {
    explicit WheelFileReadError(int error);
    int error;
};

// Receives one line of the file at a time, without its line end.
using WheelLineSink = std::function<void(std::string_view line)>;

void writeWheelFile(const PlainWheel &wheel, const WheelLineSink &sink);

// Reads a whole wheel file strictly: every line must be as written above (a CR before each LF
// and one last line end are allowed), and at least one ticket must follow the header. Whether
// the tickets keep the guarantee is the proof's question, not the reader's. Throws WheelFileError,
// or WheelFileReadError when the stream fails.
PlainWheel readWheelFile(std::istream &in);

// The same for a file whose first line, `header` (without its line end), was read already: `rest`
// holds the lines after it, numbered from 2.
PlainWheel readWheelFileAfter(std::string_view header, std::istream &rest);

} // namespace marlek
