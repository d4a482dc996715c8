#pragma once
// Reading the draw files lotteries publish: comma- or semicolon-separated rows under a header row,
// the numbers in a column each or together in one column ("11 21 27 36 62", "18|30|40|48|52"),
// dates in the common forms ("09/26/2020", "26/09/2020", "24-Apr-2026", "09.10.1955", ISO, with two
// or four digits of the year) or spread over a year, a month and a day column. Known layouts are
// found from the header's names; any other file is read through a column layout the player gives.
// A row that cannot be read is refused with its line; the other rows are still read.

#include "draw.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// One row of the file: its line (1 for the first) and its fields, quotes taken off.
struct FileRow {
    std::int64_t line = 0;
    std::vector<std::string> fields;
};

struct RowProblem {
    std::int64_t line = 0;
    std::string message; // a sentence without the line
};

// "line 12: ..."
std::string rowProblemText(const RowProblem &problem);

// The separator of a file whose first line is `header`: ';' or TAB where the line holds more of
// them than of commas (outside quotes), else ','.
char guessSeparator(std::string_view header);

// The rows of a file's text, one a line: CR LF or LF, the last line with or without its end, a
// byte order mark taken off, blank lines left out. A field in double quotes may hold the separator
// and "" for a quote. A line whose quote does not close is refused in `problems`.
std::vector<FileRow> splitRows(std::string_view text, char separator,
                               std::vector<RowProblem> &problems);

// What a column holds.
enum class ColumnRole { ignored, date, year, month, day, drawNumber, main, bonus };

// The word for a role in a column layout: "date", "year", "month", "day", "draw", "main", "bonus",
// "-" (ignored).
std::string_view roleWord(ColumnRole role);

// The roles of a file's columns, one for each column from the first; columns past the end are
// ignored. A main or bonus column holds one number or several.
struct ColumnLayout {
    std::vector<ColumnRole> roles;
    friend bool operator==(const ColumnLayout &, const ColumnLayout &) = default;
};

// The role a header name stands for in the layouts lotteries publish ("Draw Date", "Ball 3",
// "Winning Numbers", "Powerball", "Lucky Star 2"...); ignored for any other name.
ColumnRole roleOfHeaderName(std::string_view name);

// The layout the header row names, or nothing when the names do not tell where the date and the
// main numbers are. A date column wins over year, month and day columns (a "Day" column then holds
// the weekday).
std::optional<ColumnLayout> layoutFromHeader(const std::vector<std::string> &header);

// A layout written as role words separated by commas, one a column ("date,draw,main,main,-").
// Throws std::invalid_argument naming the word that is no role, or what the layout lacks.
ColumnLayout parseColumnLayout(std::string_view text);
std::string columnLayoutText(const ColumnLayout &layout);

// What the layout lacks to read a draw (the date or the main numbers), or "" when it is whole.
std::string layoutProblem(const ColumnLayout &layout);

// The order of day and month in dates written with numbers only.
enum class DateOrder { dayFirst, monthFirst };

// The order the dates of a file's date column are written in: a first part above 12 makes it
// day-first, a second part above 12 month-first; when no date tells, dates with dots or dashes are
// day-first and dates with slashes month-first (as American lotteries write them).
DateOrder guessDateOrder(const std::vector<FileRow> &rows, const ColumnLayout &layout);

// A date as draw files write it, or nothing. Two-digit years are taken as the most recent year
// that is not more than a year after `today`'s.
std::optional<Date> parseDrawDate(std::string_view text, DateOrder order, Date today);

// A row read with a layout, before it is judged by the game's rules. The bonus is given when the
// layout has a bonus column.
struct RowDraw {
    std::int64_t line = 0;
    Draw draw;
    bool bonusGiven = false;
};

// Reads one row. Throws std::invalid_argument with a sentence (no line) when it cannot.
RowDraw readRow(const FileRow &row, const ColumnLayout &layout, DateOrder order, Date today);

// The date of today by the system's clock, in UTC.
Date today();

} // namespace marlek
