#include "draw_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace marlek {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return std::string(text);
}

std::optional<int> wholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// A header name in lower case, every run of other characters than letters and digits one space,
// and a space between letters and digits ("Ball1" and "BALL_1" become "ball 1").
std::string normalisedName(std::string_view name) {
    std::string out;
    char last = ' ';
    for (const char raw : name) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        const bool letter = c >= 'a' && c <= 'z';
        const bool digit = isDigit(c);
        if (!letter && !digit) {
            if (!out.empty() && out.back() != ' ')
                out.push_back(' ');
            last = ' ';
            continue;
        }
        if (last != ' ' && (isDigit(last) != digit) && out.back() != ' ')
            out.push_back(' ');
        out.push_back(c);
        last = c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The name without a last word of digits ("ball 3" -> "ball"); the name itself without one.
std::string withoutIndex(const std::string &name) {
    const std::size_t space = name.rfind(' ');
    if (space == std::string::npos)
        return name;
    const std::string_view last = std::string_view(name).substr(space + 1);
    return std::all_of(last.begin(), last.end(), isDigit) ? name.substr(0, space) : name;
}

constexpr std::array<std::string_view, 12> kMonthNames = {
    "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};

// A month by its English name or its first three letters ("Apr", "april", "Sept").
std::optional<unsigned> monthByName(std::string_view text) {
    if (text.size() < 3)
        return std::nullopt;
    std::string lower;
    for (const char c : text)
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    static constexpr std::array<std::string_view, 12> kFull = {
        "january", "february", "march",     "april",   "may",      "june",
        "july",    "august",   "september", "october", "november", "december"};
    for (unsigned i = 0; i < 12; ++i)
        if (lower == kMonthNames[i] || lower == kFull[i] || (i == 8 && lower == "sept"))
            return i + 1;
    return std::nullopt;
}

std::optional<int> fullYear(std::string_view text, Date today) {
    const std::optional<int> value = wholeNumber(text);
    if (!value)
        return std::nullopt;
    if (text.size() == 4)
        return *value;
    if (text.size() != 2)
        return std::nullopt;
    // The latest year ending in these digits that is at most a year after today's.
    const int limit = static_cast<int>(today.year()) + 1;
    int candidate = limit - (limit % 100) + *value;
    if (candidate > limit)
        candidate -= 100;
    return candidate;
}

std::optional<Date> validDate(std::optional<int> y, std::optional<unsigned> m,
                              std::optional<unsigned> d) {
    if (!y || !m || !d)
        return std::nullopt;
    const Date date{year(*y), month(*m), day(*d)};
    return date.ok() ? std::optional<Date>(date) : std::nullopt;
}

std::optional<unsigned> monthOf(std::string_view text) {
    if (const std::optional<int> number = wholeNumber(text); number && text.size() <= 2)
        return static_cast<unsigned>(*number);
    return monthByName(text);
}

std::optional<unsigned> dayOf(std::string_view text) {
    if (const std::optional<int> number = wholeNumber(text); number && text.size() <= 2)
        return static_cast<unsigned>(*number);
    return std::nullopt;
}

// A date's three parts and the separator between them ("09/26/2020" -> 09, 26, 2020, '/').
struct DateParts {
    std::string_view first, second, third;
    char separator = 0;
};

std::optional<DateParts> datePartsOf(std::string_view text) {
    // A time after the date ("09/26/2020 00:00:00", "2020-09-26T00:00:00") is no part of it.
    if (const std::size_t cut = text.find_first_of(" T"); cut != std::string_view::npos &&
                                                          text.find(':', cut) != std::string_view::npos)
        text = text.substr(0, cut);
    const std::size_t a = text.find_first_of("/.- ");
    if (a == std::string_view::npos)
        return std::nullopt;
    const char separator = text[a];
    const std::size_t b = text.find(separator, a + 1);
    if (b == std::string_view::npos || text.find(separator, b + 1) != std::string_view::npos)
        return std::nullopt;
    return DateParts{text.substr(0, a), text.substr(a + 1, b - a - 1), text.substr(b + 1),
                     separator};
}

std::string lowerWordOf(ColumnRole role) {
    return std::string(roleWord(role));
}

} // namespace

std::string rowProblemText(const RowProblem &problem) {
    return "line " + std::to_string(problem.line) + ": " + problem.message;
}

char guessSeparator(std::string_view header) {
    std::size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const char c : header) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';', tabs += c == '\t';
    }
    if (semicolons > commas && semicolons >= tabs)
        return ';';
    if (tabs > commas)
        return '\t';
    return ',';
}

std::vector<FileRow> splitRows(std::string_view text, char separator,
                               std::vector<RowProblem> &problems) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<FileRow> rows;
    std::int64_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (trimmed(line).empty())
            continue;
        FileRow row{lineNumber, {}};
        std::string field;
        bool quoted = false;
        bool wasQuoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quoted) {
                if (c == '"' && i + 1 < line.size() && line[i + 1] == '"')
                    field.push_back('"'), ++i;
                else if (c == '"')
                    quoted = false;
                else
                    field.push_back(c);
            } else if (c == '"' && trimmed(field).empty()) {
                quoted = wasQuoted = true;
                field.clear();
            } else if (c == separator) {
                row.fields.push_back(wasQuoted ? field : trimmed(field));
                field.clear();
                wasQuoted = false;
            } else {
                field.push_back(c);
            }
        }
        if (quoted) {
            problems.push_back({lineNumber, "a quoted field does not end (a \" is missing)"});
            continue;
        }
        row.fields.push_back(wasQuoted ? field : trimmed(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string_view roleWord(ColumnRole role) {
    switch (role) {
    case ColumnRole::date:
        return "date";
    case ColumnRole::year:
        return "year";
    case ColumnRole::month:
        return "month";
    case ColumnRole::day:
        return "day";
    case ColumnRole::drawNumber:
        return "draw";
    case ColumnRole::main:
        return "main";
    case ColumnRole::bonus:
        return "bonus";
    case ColumnRole::ignored:
        break;
    }
    return "-";
}

ColumnRole roleOfHeaderName(std::string_view rawName) {
    const std::string name = normalisedName(rawName);
    const std::string base = withoutIndex(name);
    const auto among = [](const std::string &word, std::initializer_list<std::string_view> words) {
        return std::find(words.begin(), words.end(), word) != words.end();
    };
    if (among(name, {"date", "draw date", "drawdate", "date of draw", "draw day date", "datum"}))
        return ColumnRole::date;
    if (among(name, {"year", "yr"}))
        return ColumnRole::year;
    if (among(name, {"month", "mon"}))
        return ColumnRole::month;
    if (among(name, {"day"}))
        return ColumnRole::day;
    if (among(name, {"draw", "draw number", "draw no", "draw nr", "draw num", "drawnumber",
                     "draw id", "drawno", "draw nbr"}))
        return ColumnRole::drawNumber;
    if (among(name, {"winning numbers", "winning number", "numbers", "main numbers", "balls",
                     "drawn numbers", "result", "results", "main balls"}))
        return ColumnRole::main;
    if (name != base && among(base, {"ball", "number", "num", "no", "nr", "n", "main", "b",
                                     "main number", "winning number", "drawn number", "numero"}))
        return ColumnRole::main;
    if (among(base, {"bonus", "bonus ball", "bonus number", "bonus balls", "bonus numbers",
                     "powerball", "power ball", "mega ball", "megaball", "lucky star",
                     "lucky stars", "star", "stars", "cash ball", "supplementary",
                     "additional number"}))
        return ColumnRole::bonus;
    return ColumnRole::ignored;
}

std::optional<ColumnLayout> layoutFromHeader(const std::vector<std::string> &header) {
    ColumnLayout layout;
    for (const std::string &name : header)
        layout.roles.push_back(roleOfHeaderName(name));
    const bool hasDate =
        std::find(layout.roles.begin(), layout.roles.end(), ColumnRole::date) != layout.roles.end();
    if (hasDate)
        for (ColumnRole &role : layout.roles)
            if (role == ColumnRole::year || role == ColumnRole::month || role == ColumnRole::day)
                role = ColumnRole::ignored;
    if (!layoutProblem(layout).empty())
        return std::nullopt;
    return layout;
}

ColumnLayout parseColumnLayout(std::string_view text) {
    ColumnLayout layout;
    std::size_t at = 0;
    while (true) {
        const std::size_t end = std::min(text.find(',', at), text.size());
        const std::string word = normalisedName(text.substr(at, end - at));
        const std::string raw = trimmed(text.substr(at, end - at));
        ColumnRole role = ColumnRole::ignored;
        bool found = raw == "-";
        for (const ColumnRole candidate :
             {ColumnRole::date, ColumnRole::year, ColumnRole::month, ColumnRole::day,
              ColumnRole::drawNumber, ColumnRole::main, ColumnRole::bonus})
            if (word == roleWord(candidate))
                role = candidate, found = true;
        if (!found)
            throw std::invalid_argument(
                "\"" + raw + "\" is no column role (date, year, month, day, draw, main, bonus, "
                             "or - for a column to leave out)");
        layout.roles.push_back(role);
        if (end == text.size())
            break;
        at = end + 1;
    }
    if (const std::string problem = layoutProblem(layout); !problem.empty())
        throw std::invalid_argument(problem);
    return layout;
}

std::string columnLayoutText(const ColumnLayout &layout) {
    std::string text;
    for (const ColumnRole role : layout.roles)
        text += (text.empty() ? "" : ",") + lowerWordOf(role);
    return text;
}

std::string layoutProblem(const ColumnLayout &layout) {
    const auto count = [&layout](ColumnRole role) {
        return std::count(layout.roles.begin(), layout.roles.end(), role);
    };
    if (count(ColumnRole::date) > 1)
        return "only one column can hold the date";
    if (count(ColumnRole::drawNumber) > 1)
        return "only one column can hold the draw number";
    const bool spread = count(ColumnRole::year) + count(ColumnRole::month) + count(ColumnRole::day) > 0;
    if (count(ColumnRole::date) == 1 && spread)
        return "the date is in one column or in year, month and day columns, not both";
    if (spread && (count(ColumnRole::year) != 1 || count(ColumnRole::month) != 1 ||
                   count(ColumnRole::day) != 1))
        return "a date spread over columns needs one year, one month and one day column";
    if (count(ColumnRole::date) == 0 && !spread)
        return "no column holds the date";
    if (count(ColumnRole::main) == 0)
        return "no column holds the main numbers";
    return {};
}

DateOrder guessDateOrder(const std::vector<FileRow> &rows, const ColumnLayout &layout) {
    const auto column = std::find(layout.roles.begin(), layout.roles.end(), ColumnRole::date);
    if (column == layout.roles.end())
        return DateOrder::dayFirst;
    const auto index = static_cast<std::size_t>(column - layout.roles.begin());
    int dayFirst = 0, monthFirst = 0, slashes = 0, others = 0;
    for (const FileRow &row : rows) {
        if (index >= row.fields.size())
            continue;
        const std::optional<DateParts> parts = datePartsOf(row.fields[index]);
        if (!parts || parts->first.size() > 2)
            continue;
        (parts->separator == '/' ? slashes : others) += 1;
        const std::optional<int> first = wholeNumber(parts->first);
        const std::optional<int> second = wholeNumber(parts->second);
        dayFirst += first && *first > 12;
        monthFirst += second && *second > 12;
    }
    if (dayFirst > 0 && monthFirst == 0)
        return DateOrder::dayFirst;
    if (monthFirst > 0 && dayFirst == 0)
        return DateOrder::monthFirst;
    return slashes > others ? DateOrder::monthFirst : DateOrder::dayFirst;
}

std::optional<Date> parseDrawDate(std::string_view rawText, DateOrder order, Date today) {
    const std::string text = trimmed(rawText);
    const std::optional<DateParts> parts = datePartsOf(text);
    if (!parts)
        return std::nullopt;
    if (parts->first.size() == 4) // 2020-09-26, 2020/09/26
        return validDate(fullYear(parts->first, today), monthOf(parts->second),
                         dayOf(parts->third));
    if (monthByName(parts->second)) // 24-Apr-2026
        return validDate(fullYear(parts->third, today), monthByName(parts->second),
                         dayOf(parts->first));
    if (monthByName(parts->first)) // Apr-24-2026
        return validDate(fullYear(parts->third, today), monthByName(parts->first),
                         dayOf(parts->second));
    if (!wholeNumber(parts->first) || !wholeNumber(parts->second))
        return std::nullopt;
    return order == DateOrder::dayFirst
               ? validDate(fullYear(parts->third, today), dayOf(parts->second), dayOf(parts->first))
               : validDate(fullYear(parts->third, today), dayOf(parts->first), dayOf(parts->second));
}

RowDraw readRow(const FileRow &row, const ColumnLayout &layout, DateOrder order, Date today) {
    RowDraw result;
    result.line = row.line;
    std::optional<Date> date;
    std::string yearText, monthText, dayText;
    bool dateSeen = false;
    for (std::size_t i = 0; i < layout.roles.size(); ++i) {
        const ColumnRole role = layout.roles[i];
        const std::string cell = i < row.fields.size() ? row.fields[i] : std::string();
        if (role != ColumnRole::ignored && i >= row.fields.size())
            throw std::invalid_argument("the row has " + std::to_string(row.fields.size()) +
                                        " columns; column " + std::to_string(i + 1) +
                                        " (" + lowerWordOf(role) + ") is missing");
        switch (role) {
        case ColumnRole::ignored:
            break;
        case ColumnRole::date:
            dateSeen = true;
            date = parseDrawDate(cell, order, today);
            if (!date)
                throw std::invalid_argument("\"" + cell + "\" is no date");
            break;
        case ColumnRole::year:
            yearText = cell;
            break;
        case ColumnRole::month:
            monthText = cell;
            break;
        case ColumnRole::day:
            dayText = cell;
            break;
        case ColumnRole::drawNumber: {
            std::string_view digits = cell;
            if (digits.starts_with('#'))
                digits.remove_prefix(1);
            if (digits.empty())
                break;
            const std::optional<int> number = wholeNumber(digits);
            if (!number)
                throw std::invalid_argument("the draw number \"" + cell + "\" is no whole number");
            result.draw.number = *number;
            break;
        }
        case ColumnRole::main:
        case ColumnRole::bonus: {
            std::vector<int> &numbers =
                role == ColumnRole::main ? result.draw.main : result.draw.bonus;
            result.bonusGiven |= role == ColumnRole::bonus;
            std::size_t at = 0;
            bool any = false;
            while (at <= cell.size()) {
                const std::size_t end = std::min(cell.find_first_of(" |-,;/\t", at), cell.size());
                const std::string_view word = std::string_view(cell).substr(at, end - at);
                at = end + 1;
                if (word.empty())
                    continue;
                const std::optional<int> number = wholeNumber(word);
                if (!number)
                    throw std::invalid_argument("\"" + std::string(word) + "\" in column " +
                                                std::to_string(i + 1) + " is no number");
                numbers.push_back(*number);
                any = true;
            }
            if (!any && role == ColumnRole::main)
                throw std::invalid_argument("column " + std::to_string(i + 1) +
                                            " holds no main number");
            break;
        }
        }
    }
    if (!dateSeen) {
        date = validDate(fullYear(yearText, today), monthOf(monthText), dayOf(dayText));
        if (!date)
            throw std::invalid_argument("year \"" + yearText + "\", month \"" + monthText +
                                        "\", day \"" + dayText + "\" make no date");
    }
    result.draw.date = *date;
    return result;
}

Date today() {
    return Date{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
}

} // namespace marlek
