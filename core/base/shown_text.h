#pragma once
// A user's bytes (a path, a typed value, a word read from a file) as a message may show them: one
// line, every character visible, nothing a terminal would take as a command. Messages build their
// values with these, so no byte of the user's can cut a message short or steer the terminal.

#include <string>
#include <string_view>

namespace marlek {

// The bytes with every character that is invisible or acts on a terminal written as an escape:
// "\n", "\r", "\t", other control characters and NUL as "\x1b" or "\x00", the C1 controls
// (U+0080 to U+009F) and invisible marks that turn or break a line (U+200B to U+200F, U+2028,
// U+2029, U+202A to U+202E, U+2060 to U+2064, U+2066 to U+2069) as "\u009b", a byte that is no
// part of UTF-8 as "\xff", and a byte-order mark named: "<byte-order mark U+FEFF>". Printable
// UTF-8 ("é", "€") stays as it is. Text already shown so comes back unchanged.
std::string shownText(std::string_view bytes);

// shownText in double quotes: "\"a\\nb\"".
std::string quotedText(std::string_view bytes);

} // namespace marlek
