#pragma once
// Small pure helpers for the number texts the program writes.

#include <cstdint>
#include <string>
#include <string_view>

namespace marlek {

// Plain decimal digits: 7 -> "7", 1234567 -> "1234567".
std::string plain(std::int64_t value);

// At least two digits: 7 -> "07", 12 -> "12" (the "00" format).
std::string twoDigits(int value);

// Digits in groups of three separated by commas; nothing at all for 0: 13983816 -> "13,983,816".
std::string grouped(std::int64_t value);

// As grouped, but 0 is written "0".
std::string groupedOrZero(std::int64_t value);

// A count and what it counts, one or many, grouped: "1 ticket", "0 tickets", "1,000 tickets".
// The count of characters of UTF-8 text, for lining up columns.
std::size_t shownWidth(std::string_view text);
// `text` with spaces after it (padRight) or before it (padLeft) up to `width` characters.
std::string padRight(const std::string &text, std::size_t width);
std::string padLeft(const std::string &text, std::size_t width);

std::string counted(std::int64_t count, std::string_view one, std::string_view many);

// The count of k-number combinations of n numbers, C(n, k), exact; 0 when n < k or n < 0.
std::int64_t combinations(int n, int k);

// The integer part of total / perFile, plus one when there is a remainder.
std::int64_t filesNeeded(std::int64_t total, std::int64_t perFile);

} // namespace marlek
