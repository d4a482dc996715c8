#pragma once
// Importing a lottery's draw file into the draw history: the rows read with the header's layout
// (or the player's), each judged by the game's rules of its date, then stored in one transaction.
// Rows that cannot be read or break the rules are refused by line; the rest are imported.

#include "draw_file.h"
#include "draw_store.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace marlek {

// The file is no draw file at all (empty, a header without a known layout and no layout given,
// larger than any draw file). what() says why and what to do.
struct DrawFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A draw file read and judged, ready to store.
struct ReadDrawFile {
    char separator = ',';
    std::vector<std::string> header;
    ColumnLayout layout;
    bool layoutFromHeader = false;
    std::vector<SourcedDraw> draws;
    std::vector<RowProblem> refused; // by line, in the file's order
    std::int64_t rows = 0;           // rows under the header
};

// The largest file taken: far more than a lottery's every draw since the 1950s.
inline constexpr std::size_t kMaxDrawFileBytes = std::size_t{64} << 20;

// The first lines of a file's text split into fields, for the player to map the columns
// (the header first).
std::vector<FileRow> previewRows(std::string_view text, std::size_t rows);

// Whether a file's text reads as a lottery's draw file rather than anything else a player opens:
// a header row that names a known layout, or a header of three or more names (no numbers) over at
// least one row, whose columns the player then maps.
bool looksLikeDrawFile(std::string_view text);

// Reads a draw file's text for `game`: the layout from the header unless `layout` is given; each
// row's draw must fit the game's rules of its date. A single main column that holds the bonus
// numbers too (as some lotteries write "17 33 36 37 64 08") gives them as the bonus when the file
// has no bonus column. Throws DrawFileError.
ReadDrawFile readDrawFile(std::string_view text, const Game &game,
                          const std::optional<ColumnLayout> &layout, Date today);

// The bytes of a file. Throws FileError (file_output.h) when it cannot be read, DrawFileError
// when it is larger than kMaxDrawFileBytes.
std::string readFileText(const std::string &path);

struct ImportSummary {
    std::int64_t rows = 0;
    StoreResult stored;
    std::vector<RowProblem> refused;
};

// Reads and stores in one go. Throws DrawFileError, HistoryError.
ImportSummary importDrawFile(DrawStore &store, std::string_view text, const Game &game,
                             const std::optional<ColumnLayout> &layout,
                             const StoreProgress &progress = {});

// Keeps one typed draw of `game` (its main numbers, no bonus) in the store when it fits the game's
// rules of its date, and says what became of it in a sentence for the player: kept, stored
// already, disagreeing with a stored draw (which is kept), or refused and why. Throws HistoryError.
std::string keepTypedDraw(DrawStore &store, const Game &game, const Draw &draw);

// "12 rows: 9 draws added, 1 already stored, 1 contradicting a stored draw, 1 refused".
std::string importCountsText(const ImportSummary &summary);

// Every line to show after an import: refused rows and contradictions by line, then the counts.
std::vector<std::string> importReportLines(const ImportSummary &summary);

} // namespace marlek
