#include "options.h"

#include "commands.h"

#include "number_text.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <set>

namespace marlek::cli {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string rangeText(std::int64_t low, std::int64_t high) {
    return "from " + std::to_string(low) + " to " + std::to_string(high);
}

} // namespace

bool parseWholeNumber(std::string_view text, std::int64_t &value) {
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return false; // no sign, no spaces: only digits
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

CLI::Validator wholeNumberFrom(std::int64_t low, std::int64_t high) {
    return CLI::Validator(
        [low, high](std::string &input) -> std::string {
            std::int64_t value = 0;
            if (!parseWholeNumber(input, value) || value < low || value > high)
                return "must be a whole number " + rangeText(low, high) + ", not \"" + input + "\"";
            return {};
        },
        std::to_string(low) + ".." + std::to_string(high));
}

CLI::Option *addKindOption(CLI::App &command, int &kind, bool required) {
    CLI::Option *option =
        command.add_option("--kind", kind, "lotto kind: 5 for Pick 5, 6 for Pick 6")
            ->check(CLI::Validator(
                [](std::string &input) -> std::string {
                    if (input == "5" || input == "6")
                        return {};
                    return "must be 5 (Pick 5) or 6 (Pick 6), not \"" + input + "\"";
                },
                ""))
            ->type_name("K");
    if (required)
        option->required();
    return option;
}

std::vector<int> parseNumberList(std::string_view text, std::string_view optionName, int count,
                                 int low, int high) {
    const std::string name(optionName);
    std::vector<int> numbers;
    std::set<int> seen;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = trimmed(
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
        std::int64_t value = 0;
        if (!parseWholeNumber(item, value))
            throw UsageError(name + ": \"" + std::string(item) +
                             "\" is not a whole number (give the numbers separated by commas, "
                             "e.g. 3,11,17)");
        if (value < low || value > high)
            throw UsageError(name + ": " + std::string(item) + " is not a number " +
                             rangeText(low, high));
        if (!seen.insert(static_cast<int>(value)).second)
            throw UsageError(name + ": " + std::to_string(value) + " is given twice");
        numbers.push_back(static_cast<int>(value));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (static_cast<int>(numbers.size()) != count)
        throw UsageError(name + ": " + counted(count, "number", "numbers") + " needed, " +
                         std::to_string(numbers.size()) + " given");
    return numbers;
}

} // namespace marlek::cli
