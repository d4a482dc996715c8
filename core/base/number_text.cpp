#include "number_text.h"

#include <algorithm>

namespace marlek {

std::string plain(std::int64_t value) { return std::to_string(value); }

std::string twoDigits(int value) {
    if (value >= 0 && value < 10)
        return std::string(1, '0') + char('0' + value);
    return std::to_string(value);
}

std::string grouped(std::int64_t value) {
    if (value == 0)
        return {};
    return groupedOrZero(value);
}

std::string groupedOrZero(std::int64_t value) {
    const bool negative = value < 0;
    std::string digits = std::to_string(value);
    if (negative)
        digits.erase(0, 1);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i >= lead && (i - lead) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return negative ? "-" + out : out;
}

std::string counted(std::int64_t count, std::string_view one, std::string_view many) {
    return groupedOrZero(count) + ' ' + std::string(count == 1 ? one : many);
}

std::int64_t combinations(int n, int k) {
    if (n < 0 || k < 0 || n < k)
        return 0;
    std::int64_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i; // exact: each partial product is C(n-k+i, i)
    return result;
}

std::int64_t filesNeeded(std::int64_t total, std::int64_t perFile) {
    return total / perFile + (total % perFile != 0 ? 1 : 0);
}

std::size_t shownWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string padRight(const std::string &text, std::size_t width) {
    const std::size_t shown = shownWidth(text);
    return text + std::string(width > shown ? width - shown : 0, ' ');
}

std::string padLeft(const std::string &text, std::size_t width) {
    const std::size_t shown = shownWidth(text);
    return std::string(width > shown ? width - shown : 0, ' ') + text;
}

} // namespace marlek
