#include "draw_import.h"

#include "file_output.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>

namespace marlek {
namespace {

std::string counted(std::int64_t count, const char *one, const char *many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string firstLine(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return std::string(text.substr(0, std::min(text.find('\n'), text.size())));
}

// How many bonus numbers the rules draw, 0 for none.
int bonusCount(const GameRules &rules) {
    return rules.bonus.kind == BonusKind::none ? 0 : rules.bonus.count;
}

} // namespace

std::vector<FileRow> previewRows(std::string_view text, std::size_t rows) {
    std::vector<RowProblem> ignored;
    std::size_t end = 0;
    for (std::size_t lines = 0; lines <= rows && end < text.size(); ++lines)
        end = std::min(text.find('\n', end), text.size()) + 1;
    const std::string_view head = text.substr(0, std::min(end, text.size()));
    std::vector<FileRow> result = splitRows(head, guessSeparator(firstLine(text)), ignored);
    if (result.size() > rows + 1)
        result.resize(rows + 1);
    return result;
}

bool looksLikeDrawFile(std::string_view text) {
    const std::vector<FileRow> rows = previewRows(text, 1);
    if (rows.empty())
        return false;
    const std::vector<std::string> &header = rows.front().fields;
    if (layoutFromHeader(header))
        return true;
    const bool namesOnly = std::all_of(header.begin(), header.end(), [](const std::string &name) {
        return std::any_of(name.begin(), name.end(), [](unsigned char c) { return std::isalpha(c); });
    });
    return rows.size() > 1 && header.size() >= 3 && namesOnly;
}

ReadDrawFile readDrawFile(std::string_view text, const Game &game,
                          const std::optional<ColumnLayout> &layout, Date today) {
    ReadDrawFile file;
    file.separator = guessSeparator(firstLine(text));
    std::vector<FileRow> rows = splitRows(text, file.separator, file.refused);
    if (rows.empty() && file.refused.empty())
        throw DrawFileError("the file holds no rows");
    if (!file.refused.empty() && (rows.empty() || file.refused.front().line < rows.front().line))
        throw DrawFileError("line " + std::to_string(file.refused.front().line) +
                            ": the header row cannot be read: " + file.refused.front().message);
    file.header = rows.front().fields;
    rows.erase(rows.begin());
    file.rows = static_cast<std::int64_t>(rows.size()) +
                static_cast<std::int64_t>(file.refused.size());
    if (layout) {
        file.layout = *layout;
    } else if (const std::optional<ColumnLayout> named = layoutFromHeader(file.header)) {
        file.layout = *named;
        file.layoutFromHeader = true;
    } else {
        throw DrawFileError("the header row does not say which columns hold the date and the "
                            "numbers; give the columns' roles (date, year, month, day, draw, "
                            "main, bonus, -), one a column, e.g. \"date,draw,main,main,main,main,"
                            "main,bonus\"");
    }
    const bool bonusColumns = std::count(file.layout.roles.begin(), file.layout.roles.end(),
                                         ColumnRole::bonus) > 0;
    const DateOrder order = guessDateOrder(rows, file.layout);
    for (const FileRow &row : rows) {
        try {
            RowDraw read = readRow(row, file.layout, order, today);
            const GameRules *rules = rulesOn(game, read.draw.date);
            if (!rules)
                throw std::invalid_argument(
                    "the draw of " + dateText(read.draw.date) + " is before " + game.name +
                    "'s first rules (from " + dateText(*game.rules.front().from) + ")");
            // "17 33 36 37 64 08": the main numbers and the bonus in one column.
            const auto drawn = static_cast<std::size_t>(rules->drawn);
            if (!bonusColumns && bonusCount(*rules) > 0 &&
                read.draw.main.size() == drawn + static_cast<std::size_t>(bonusCount(*rules))) {
                read.draw.bonus.assign(read.draw.main.begin() + static_cast<std::ptrdiff_t>(drawn),
                                       read.draw.main.end());
                read.draw.main.resize(drawn);
            }
            if (bonusColumns && read.draw.bonus.empty() && bonusCount(*rules) > 0)
                throw std::invalid_argument("no bonus number where the game draws " +
                                            std::to_string(bonusCount(*rules)));
            if (const std::optional<std::string> problem = drawProblem(read.draw, *rules))
                throw std::invalid_argument(*problem);
            file.draws.push_back({std::move(read.draw), row.line});
        } catch (const std::invalid_argument &error) {
            file.refused.push_back({row.line, error.what()});
        }
    }
    std::stable_sort(file.refused.begin(), file.refused.end(),
                     [](const RowProblem &a, const RowProblem &b) { return a.line < b.line; });
    return file;
}

std::string readFileText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError("read", path, errno);
    std::string text;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxDrawFileBytes)
            throw DrawFileError("the file is larger than " +
                                std::to_string(kMaxDrawFileBytes >> 20) +
                                " MB, more than any lottery's draws");
    }
    if (in.bad())
        throw FileError("read", path, errno);
    return text;
}

ImportSummary importDrawFile(DrawStore &store, std::string_view text, const Game &game,
                             const std::optional<ColumnLayout> &layout,
                             const StoreProgress &progress) {
    ReadDrawFile file = readDrawFile(text, game, layout, today());
    ImportSummary summary;
    summary.rows = file.rows;
    summary.refused = std::move(file.refused);
    summary.stored = store.store(game.name, file.draws, progress);
    return summary;
}

std::string keepTypedDraw(DrawStore &store, const Game &game, const Draw &draw) {
    const GameRules *rules = rulesOn(game, draw.date);
    if (!rules)
        return "The draw is not kept: " + dateText(draw.date) + " is before " + game.name +
               "'s first rules.";
    if (const std::optional<std::string> problem = drawProblem(draw, *rules))
        return "The draw is not kept: " + *problem + ".";
    const StoreResult result = store.store(game.name, {{draw, 0}});
    if (!result.contradictions.empty())
        return "The draw is not kept: " + contradictionText(result.contradictions.front()) + ".";
    if (result.alreadyStored > 0)
        return game.name + "'s past draws hold the draw of " + dateText(draw.date) + " (" +
               drawNumbersText(draw) + ") already.";
    return "The draw of " + dateText(draw.date) + " (" + drawNumbersText(draw) +
           ") is kept in " + game.name + "'s past draws.";
}

std::string importCountsText(const ImportSummary &summary) {
    return counted(summary.rows, "row", "rows") + ": " +
           counted(summary.stored.added, "draw added", "draws added") + ", " +
           std::to_string(summary.stored.alreadyStored) + " already stored, " +
           std::to_string(summary.stored.contradictions.size()) +
           (summary.stored.contradictions.size() == 1 ? " contradicting a stored draw, "
                                                      : " contradicting stored draws, ") +
           std::to_string(summary.refused.size()) + " refused";
}

std::vector<std::string> importReportLines(const ImportSummary &summary) {
    // Refused rows and contradictions together, in the order of their lines.
    std::vector<std::pair<std::int64_t, std::string>> byLine;
    for (const RowProblem &problem : summary.refused)
        byLine.emplace_back(problem.line, "refused: " + rowProblemText(problem));
    for (const Contradiction &contradiction : summary.stored.contradictions)
        byLine.emplace_back(contradiction.line, "not stored: " + contradictionText(contradiction));
    std::stable_sort(byLine.begin(), byLine.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<std::string> lines;
    for (auto &entry : byLine)
        lines.push_back(std::move(entry.second));
    lines.push_back(importCountsText(summary));
    return lines;
}

} // namespace marlek
