#include "wheel_lines.h"

#include "shown_text.h"
#include "wheel_file.h"

#include <array>
#include <cerrno>
#include <charconv>

namespace marlek {

void failAtLine(std::size_t line, const std::string &what) {
    throw WheelFileError("line " + std::to_string(line) + ": " + what);
}

std::optional<std::string> nextWheelLine(std::istream &in, std::size_t lineNumber,
                                         std::string_view notWhat) {
    std::array<char, kMaxWheelLineLength + 2> buffer{}; // the longest line, its CR, the zero
    errno = 0;
    in.getline(buffer.data(), buffer.size());
    if (in.bad())
        throw WheelFileReadError(errno != 0 ? errno : EIO);
    auto length = static_cast<std::size_t>(in.gcount());
    const bool full = in.fail() && !in.eof(); // the buffer filled before the line ended
    if (length == 0 && !full)
        return std::nullopt; // the end of the file
    if (!full && !in.eof())
        --length; // the LF, counted but not stored
    std::string line(buffer.data(), length);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (full || line.size() > kMaxWheelLineLength)
        failAtLine(lineNumber, "the line is longer than " + std::to_string(kMaxWheelLineLength) +
                                   " characters; this is not " + std::string(notWhat));
    return line;
}

int wholeNumberAt(std::string_view word, std::size_t lineNumber) {
    int value = 0;
    const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || word.front() < '0' || word.front() > '9' || error != std::errc{} ||
        stop != word.data() + word.size())
        failAtLine(lineNumber, quotedText(word) + " is not a whole number");
    return value;
}

} // namespace marlek
