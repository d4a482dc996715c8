#include "game_file.h"

#include "file_output.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <istream>
#include <map>
#include <optional>
#include <vector>

namespace marlek {
namespace {

// No game file comes near these; a file past them is something else.
constexpr std::size_t kMaxLineLength = 1000;
constexpr std::size_t kMaxLines = 5000;

const char *const kFieldsHint =
    "the fields are format, name, note and currency before the rules, and main, bonus pool, "
    "bonus ball, price and prize levels (\"prize 5+1\") in a rules section";

std::string formatLine() {
    return "format: " + std::string(kGameFormatName) + ' ' + std::to_string(kGameFormatVersion);
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A whole number of at most four digits (every count of a game is below 100; a larger one is
// read, so the message can say it is too large).
std::optional<int> smallNumber(std::string_view text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// "5 of 69" as {5, 69}.
std::optional<std::pair<int, int>> countOf(std::string_view text) {
    const std::size_t of = text.find(" of ");
    if (of == std::string_view::npos)
        return std::nullopt;
    const auto count = smallNumber(trimmed(text.substr(0, of)));
    const auto field = smallNumber(trimmed(text.substr(of + 4)));
    if (!count || !field)
        return std::nullopt;
    return std::pair{*count, *field};
}

// The level of a prize field: "5+1" or "3".
std::optional<std::pair<int, std::optional<int>>> levelOf(std::string_view text) {
    const std::size_t plus = text.find('+');
    const auto main = smallNumber(trimmed(text.substr(0, plus)));
    if (!main)
        return std::nullopt;
    if (plus == std::string_view::npos)
        return std::pair{*main, std::optional<int>()};
    const auto bonus = smallNumber(trimmed(text.substr(plus + 1)));
    if (!bonus)
        return std::nullopt;
    return std::pair{*main, std::optional<int>(*bonus)};
}

// Where each field of one part of the file (the game's own fields, or one rules section) was given.
struct FieldLines {
    std::size_t start = 0; // the section's line; for the game's own fields, the format line
    std::map<std::string, std::size_t> lines;

    std::size_t of(const std::string &field) const {
        const auto found = lines.find(field);
        return found == lines.end() ? start : found->second;
    }
};

class GameReader {
public:
    explicit GameReader(std::istream &in) : m_in(in) {}

    Game read() {
        while (const std::optional<std::string> line = nextLine()) {
            const std::string_view text = trimmed(*line);
            if (text.empty() || text.front() == '#')
                continue;
            if (!m_formatSeen)
                readFormat(text);
            else if (text.front() == '[')
                startSection(text);
            else
                readField(text);
        }
        if (m_in.bad())
            throw GameFileError(m_lineNumber, {}, "the file could not be read");
        if (!m_formatSeen)
            throw GameFileError(m_lineNumber, "format",
                                "the file holds no game; a game file begins with \"" +
                                    formatLine() + "\"");
        if (m_game.name.empty() && m_header.lines.count("name") == 0)
            throw GameFileError(m_sections.empty() ? m_lineNumber : m_sections.front().start,
                                "name",
                                "the game's name is missing; it comes before the rules "
                                "(\"name: My Lotto\")");
        if (m_game.rules.empty())
            throw GameFileError(m_lineNumber, "rules",
                                "the file holds no rules; they follow the game's name in a "
                                "section such as \"[rules from 2015-10-07]\" or \"[rules]\"");
        checkSectionEnd();
        if (const std::optional<GameProblem> problem = gameProblem(m_game)) {
            const FieldLines &lines = problem->rules ? m_sections[*problem->rules] : m_header;
            throw GameFileError(lines.of(problem->field), problem->field, problem->message);
        }
        return m_game;
    }

private:
    // The next line without its line end, or nothing at the end of the file.
    std::optional<std::string> nextLine() {
        std::string line;
        char c = 0;
        bool any = false;
        const std::size_t number = m_lineNumber + 1;
        while (m_in.get(c)) {
            any = true;
            if (c == '\n')
                break;
            if (c == '\0')
                throw GameFileError(number, {}, "the line holds a zero byte; this is no text file");
            if (line.size() == kMaxLineLength)
                throw GameFileError(number, {},
                                    "the line is longer than " + std::to_string(kMaxLineLength) +
                                        " characters; this is no game file");
            line += c;
        }
        if (!any)
            return std::nullopt;
        if (++m_lineNumber > kMaxLines)
            throw GameFileError(m_lineNumber, {},
                                "the file has more than " + std::to_string(kMaxLines) +
                                    " lines; this is no game file");
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (m_lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) // a byte order mark
            line.erase(0, 3);
        return line;
    }

    [[noreturn]] void fail(const std::string &field, const std::string &message) const {
        throw GameFileError(m_lineNumber, field, message);
    }

    void readFormat(std::string_view text) {
        const std::string prefix = "format: " + std::string(kGameFormatName) + ' ';
        if (!text.starts_with(prefix))
            fail("format", "a game file begins with \"" + formatLine() + "\"");
        const std::string_view versionText = trimmed(text.substr(prefix.size()));
        int version = 0;
        const auto [end, error] =
            std::from_chars(versionText.data(), versionText.data() + versionText.size(), version);
        if (versionText.empty() || error != std::errc{} ||
            end != versionText.data() + versionText.size() || version < 1)
            fail("format", "\"" + std::string(versionText) + "\" is not a version number");
        if (version > kGameFormatVersion)
            fail("format", "the file is of version " + std::to_string(version) +
                               ", newer than this program reads (" +
                               std::to_string(kGameFormatVersion) +
                               "); a newer version of the program reads it");
        m_formatSeen = true;
        m_header.start = m_lineNumber;
        m_header.lines["format"] = m_lineNumber;
    }

    void startSection(std::string_view text) {
        if (text.back() != ']')
            fail({}, "a section line ends with ']', e.g. \"[rules from 2015-10-07]\"");
        const std::string_view inside = trimmed(text.substr(1, text.size() - 2));
        GameRules rules;
        std::string field = "rules";
        if (inside.starts_with("rules from ")) {
            const std::string_view dateText = trimmed(inside.substr(11));
            rules.from = parseDate(dateText);
            if (!rules.from)
                fail("rules", "\"" + std::string(dateText) +
                                  "\" is not a date written as year-month-day, e.g. 2015-10-07");
        } else if (inside != "rules") {
            fail({}, "\"[" + std::string(inside) +
                         "]\" is no section of a game file; a section is \"[rules from "
                         "2015-10-07]\", or \"[rules]\" for rules since the game began");
        }
        if (m_game.name.empty() && m_header.lines.count("name") == 0)
            fail("name", "the game's name is missing; it comes before the rules "
                         "(\"name: My Lotto\")");
        if (!m_game.rules.empty())
            checkSectionEnd();
        m_game.rules.push_back(rules);
        m_sections.push_back({m_lineNumber, {}});
    }

    // A section must say what is drawn; everything else it holds is checked with the whole game.
    void checkSectionEnd() const {
        const FieldLines &section = m_sections.back();
        if (section.lines.count("main") == 0)
            throw GameFileError(section.start, "main",
                                "the rules do not say what is drawn (e.g. \"main: 6 of 49\": 6 "
                                "numbers drawn from 1 to 49)");
    }

    void readField(std::string_view text) {
        const std::size_t colon = text.find(':');
        if (colon == std::string_view::npos)
            fail({}, "the line is neither a field (\"main: 6 of 49\"), a section (\"[rules from "
                     "2015-10-07]\") nor a comment (\"# ...\")");
        std::string field(trimmed(text.substr(0, colon)));
        const std::string_view value = trimmed(text.substr(colon + 1));
        if (field.starts_with("prize ")) {
            const auto level = levelOf(trimmed(std::string_view(field).substr(6)));
            if (!level)
                fail(field, "a prize level is the count of main numbers matched, and of bonus "
                            "numbers after a '+', e.g. \"prize 5+1\" or \"prize 3\"");
            field = "prize " + levelText(level->first, level->second); // one spelling a level
        }
        const bool gameField =
            field == "format" || field == "name" || field == "note" || field == "currency";
        const bool rulesField = field == "main" || field == "bonus pool" || field == "bonus ball" ||
                                field == "price" || field.starts_with("prize ");
        if (!gameField && !rulesField)
            fail(field, "no such field; " + std::string(kFieldsHint));
        if (gameField && !m_sections.empty())
            fail(field, "the game's own fields come before its first rules section");
        if (rulesField && m_sections.empty())
            fail(field, "belongs in a rules section, after a line such as \"[rules from "
                        "2015-10-07]\" or \"[rules]\"");
        FieldLines &lines = m_sections.empty() ? m_header : m_sections.back();
        if (const auto given = lines.lines.find(field); given != lines.lines.end())
            fail(field, "given twice (first on line " + std::to_string(given->second) + ")");
        if (value.empty())
            fail(field, "the value is missing");
        if (gameField)
            readGameField(field, value);
        else
            readRulesField(field, value, m_game.rules.back());
        lines.lines[field] = m_lineNumber;
    }

    // format is read by readFormat, and a second one is refused as given twice.
    void readGameField(const std::string &field, std::string_view value) {
        if (field == "name")
            m_game.name = value;
        else if (field == "note")
            m_game.note = value;
        else
            m_game.currency = value;
    }

    void readRulesField(const std::string &field, std::string_view value, GameRules &rules) {
        if (field == "main") {
            const auto drawn = countOf(value);
            if (!drawn)
                fail(field, "write the numbers drawn and the field as \"6 of 49\" (6 numbers "
                            "drawn from 1 to 49), not \"" +
                                std::string(value) + "\"");
            rules.drawn = drawn->first;
            rules.field = drawn->second;
        } else if (field == "bonus pool" || field == "bonus ball") {
            if (rules.bonus.kind != BonusKind::none)
                fail(field, "the rules have a bonus already; a game has a bonus pool or bonus "
                            "balls, not both");
            if (field == "bonus pool") {
                const auto pool = countOf(value);
                if (!pool)
                    fail(field, "write the bonus numbers drawn and their pool as \"1 of 26\" (1 "
                                "number drawn from a second pool of 1 to 26), not \"" +
                                    std::string(value) + "\"");
                rules.bonus = {BonusKind::pool, pool->first, pool->second};
            } else {
                const auto balls = smallNumber(value);
                if (!balls)
                    fail(field, "write the count of bonus balls drawn from the main field, e.g. "
                                "\"bonus ball: 1\", not \"" +
                                    std::string(value) + "\"");
                rules.bonus = {BonusKind::ball, *balls, 0};
            }
        } else if (field == "price") {
            rules.price = parseMoney(value);
            if (!rules.price)
                fail(field, "write an amount as digits with an optional point and two decimals, "
                            "e.g. 2.50, not \"" +
                                std::string(value) + "\"");
        } else {
            readPrize(field, value, rules);
        }
    }

    void readPrize(const std::string &field, std::string_view value, GameRules &rules) {
        const auto level = levelOf(std::string_view(field).substr(6));
        PrizeLevel prize{level->first, level->second, PrizeKind::fixed, {}};
        const std::size_t space = value.find(' ');
        const std::string_view kind = value.substr(0, space);
        if (kind == "estimate")
            prize.kind = PrizeKind::estimate;
        else if (kind != "fixed")
            fail(field, "a prize is \"fixed\" (the lottery pays that amount) or \"estimate\" (a "
                        "shared prize, your estimate), then the amount, e.g. \"fixed 100.00\"");
        const std::string_view amount =
            space == std::string_view::npos ? std::string_view() : trimmed(value.substr(space));
        const std::optional<Money> money = parseMoney(amount);
        if (!money)
            fail(field, "write an amount as digits with an optional point and two decimals, e.g. "
                        "100.00, not \"" +
                            std::string(amount) + "\"");
        prize.amount = *money;
        rules.prizes.push_back(prize);
    }

    std::istream &m_in;
    std::size_t m_lineNumber = 0;
    bool m_formatSeen = false;
    Game m_game;
    FieldLines m_header;
    std::vector<FieldLines> m_sections;
};

std::string prizeKindText(PrizeKind kind) {
    return kind == PrizeKind::fixed ? "fixed" : "estimate";
}

} // namespace

GameFileError::GameFileError(std::size_t line, std::string field, const std::string &message)
    : std::runtime_error("line " + std::to_string(line) + ": " +
                         (field.empty() ? std::string() : field + ": ") + message),
      m_line(line), m_field(std::move(field)) {}

Game readGameFile(std::istream &in) {
    return GameReader(in).read();
}

Game readGameFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError("read", path, errno);
    return readGameFile(in);
}

void writeGameFile(const Game &game, const GameLineSink &sink) {
    sink(formatLine());
    sink("name: " + game.name);
    if (!game.currency.empty())
        sink("currency: " + game.currency);
    if (!game.note.empty())
        sink("note: " + game.note);
    for (const GameRules &rules : game.rules) {
        sink("");
        sink(rules.from ? "[rules from " + dateText(*rules.from) + "]" : "[rules]");
        sink("main: " + mainDrawText(rules));
        if (rules.bonus.kind == BonusKind::pool)
            sink("bonus pool: " + bonusText(rules.bonus));
        else if (rules.bonus.kind == BonusKind::ball)
            sink("bonus ball: " + std::to_string(rules.bonus.count));
        if (rules.price)
            sink("price: " + moneyText(*rules.price));
        for (const PrizeLevel &level : rules.prizes)
            sink("prize " + levelText(level) + ": " + prizeKindText(level.kind) + ' ' +
                 moneyText(level.amount));
    }
}

void saveGameFile(const Game &game, const std::string &path) {
    if (const std::optional<GameProblem> problem = gameProblem(game))
        throw std::invalid_argument(problem->field + ": " + problem->message);
    OutputFile file(path);
    writeGameFile(game, [&file](std::string_view line) {
        file.write(line);
        file.write("\n");
    });
    file.commit();
}

} // namespace marlek
