#pragma once
// What wheel files and players' ticket lists read alike: a line at a time with its length bounded,
// whole numbers as digits only, and faults named by their line (WheelFileError).

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace marlek {

// Longer lines are neither a wheel file's nor a ticket list's: a ticket of six numbers with ", "
// between takes 22 characters, one of eight two-digit numbers 23.
inline constexpr std::size_t kMaxWheelLineLength = 200;

// Throws WheelFileError("line N: what").
[[noreturn]] void failAtLine(std::size_t line, const std::string &what);

// The next line without its line end (and a CR before it), or nothing at the end of the file; a
// line longer than kMaxWheelLineLength is refused as not being `notWhat` ("a wheel file"). Read a
// line at a time, not a character: a file of a million tickets is read in moments. Throws
// WheelFileReadError when the stream fails.
std::optional<std::string> nextWheelLine(std::istream &in, std::size_t lineNumber,
                                         std::string_view notWhat);

// A word of digits only as a whole number; anything else is refused on `lineNumber`.
int wholeNumberAt(std::string_view word, std::size_t lineNumber);

} // namespace marlek
