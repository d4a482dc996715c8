#pragma once
// Option helpers every command shares, so the same mistake gets the same message everywhere.
// Values are checked as text, before conversion: a non-numeric value, one out of range or one too
// large for any integer all end in a usage error (exit 2) that names the option and the value.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Option;
class Validator;
} // namespace CLI

namespace marlek::cli {

// A validator for a whole number from low to high (decimal digits only), e.g.
// "--full: must be a whole number from 5 to 60, not \"61\"".
CLI::Validator wholeNumberFrom(std::int64_t low, std::int64_t high);

// "--kind K": the lotto kind, 5 (Pick 5) or 6 (Pick 6). Required unless told otherwise.
CLI::Option *addKindOption(CLI::App &command, int &kind, bool required = true);

// A whole number from text, or nothing when the text is not one (or does not fit 64 bits).
bool parseWholeNumber(std::string_view text, std::int64_t &value);

// The player's numbers from a comma-separated list ("3,11,17"): exactly `count` whole numbers,
// each from low to high, no number twice. Spaces around a number are allowed. Throws UsageError
// naming `optionName` and what is wrong.
std::vector<int> parseNumberList(std::string_view text, std::string_view optionName, int count,
                                 int low, int high);

} // namespace marlek::cli
