#include "draw_store.h"

#include "game_library.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace marlek {
namespace {

namespace fs = std::filesystem;

// Games are kept under their name in lower-case ASCII, as names are compared.
std::string gameKey(std::string_view name) {
    std::string key(name);
    for (char &c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

std::string numbersText(const std::vector<int> &numbers) {
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(number);
    return text;
}

// A prepared statement that is finalised however its scope ends.
class Statement {
public:
    Statement(sqlite3 *db, const char *sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
            m_statement = nullptr;
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    explicit operator bool() const { return m_statement != nullptr; }
    sqlite3_stmt *get() const { return m_statement; }

    void bindText(int index, const std::string &text) {
        sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }

private:
    sqlite3_stmt *m_statement = nullptr;
};

std::string columnText(sqlite3_stmt *statement, int column) {
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                : std::string();
}

// The stored draws of the game, and where each is, to match records against.
struct Known {
    std::vector<Draw> draws;
    std::map<std::int64_t, std::size_t> byNumber;
    std::multimap<int, std::size_t> byDay;
    std::size_t preexisting = 0; // draws[0, preexisting) were stored before this import

    void add(Draw draw) {
        const std::size_t index = draws.size();
        if (draw.number)
            byNumber.emplace(*draw.number, index);
        byDay.emplace(std::chrono::sys_days(draw.date).time_since_epoch().count(), index);
        draws.push_back(std::move(draw));
    }
};

int dayOf(const Draw &draw) {
    return std::chrono::sys_days(draw.date).time_since_epoch().count();
}

// Two records can be the same draw unless both carry draw numbers and they differ.
bool mayBeSame(const Draw &a, const Draw &b) {
    return !(a.number && b.number && *a.number != *b.number);
}

} // namespace

std::string drawDatabasePath() {
    return (fs::path(userDataFolder()) / "marlek-lotto" / "draws.sqlite").string();
}

std::string contradictionText(const Contradiction &contradiction) {
    Draw named = contradiction.record;
    if (!named.number)
        named.number = contradiction.stored.number;
    std::string text = contradiction.line > 0 ? "line " + std::to_string(contradiction.line) + ": "
                                              : std::string();
    text += drawNameText(named) + ": ";
    if (contradiction.record.date != contradiction.stored.date)
        text += "the stored draw of that number is of " + dateText(contradiction.stored.date) +
                ", ";
    return text + (contradiction.line > 0 ? "the file has " : "typed ") +
           drawNumbersText(contradiction.record) + ", the stored draw " +
           drawNumbersText(contradiction.stored) + "; the stored draw is kept";
}

DrawStore::DrawStore(const std::string &path) : m_path(path) {
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const std::string reason = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw HistoryError("cannot open the draw history \"" + path + "\": " + reason);
    }
    try {
        sqlite3_busy_timeout(m_db, 5000);
        // A rollback journal synced at every commit: an import is on disk whole or not at all.
        execute("PRAGMA synchronous = FULL");
        execute("PRAGMA foreign_keys = ON");
        execute("CREATE TABLE IF NOT EXISTS draws ("
                " id INTEGER PRIMARY KEY,"
                " game TEXT NOT NULL,"
                " date TEXT NOT NULL,"
                " number INTEGER,"
                " main TEXT NOT NULL,"
                " bonus TEXT NOT NULL DEFAULT '')");
        execute("CREATE INDEX IF NOT EXISTS draws_by_date ON draws (game, date)");
        execute("CREATE UNIQUE INDEX IF NOT EXISTS draws_by_number ON draws (game, number) "
                "WHERE number IS NOT NULL");
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

DrawStore::~DrawStore() {
    sqlite3_close(m_db);
}

void DrawStore::fail(const std::string &what) const {
    throw HistoryError("cannot " + what + " the draw history \"" + m_path +
                       "\": " + sqlite3_errmsg(m_db));
}

void DrawStore::execute(const char *sql) const {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail("write");
}

std::vector<Draw> DrawStore::draws(std::string_view game, std::optional<Date> from,
                                   std::optional<Date> to) const {
    Statement query(m_db, "SELECT date, number, main, bonus FROM draws WHERE game = ?1 "
                          "AND date >= ?2 AND date <= ?3 ORDER BY date, number IS NULL, number, id");
    if (!query)
        fail("read");
    query.bindText(1, gameKey(game));
    query.bindText(2, from ? dateText(*from) : std::string("0000-00-00"));
    query.bindText(3, to ? dateText(*to) : std::string("9999-99-99"));
    std::vector<Draw> result;
    int step = 0;
    while ((step = sqlite3_step(query.get())) == SQLITE_ROW) {
        Draw draw;
        const std::optional<Date> date = parseDate(columnText(query.get(), 0));
        const std::optional<std::vector<int>> main = parseNumberWords(columnText(query.get(), 2));
        const std::optional<std::vector<int>> bonus = parseNumberWords(columnText(query.get(), 3));
        if (!date || !main || !bonus)
            throw HistoryError("the draw history \"" + m_path + "\" holds a draw it cannot read");
        draw.date = *date;
        if (sqlite3_column_type(query.get(), 1) != SQLITE_NULL)
            draw.number = sqlite3_column_int64(query.get(), 1);
        draw.main = *main;
        draw.bonus = *bonus;
        result.push_back(std::move(draw));
    }
    if (step != SQLITE_DONE)
        fail("read");
    return result;
}

std::int64_t DrawStore::count(std::string_view game) const {
    Statement query(m_db, "SELECT count(*) FROM draws WHERE game = ?1");
    if (!query)
        fail("read");
    query.bindText(1, gameKey(game));
    if (sqlite3_step(query.get()) != SQLITE_ROW)
        fail("read");
    return sqlite3_column_int64(query.get(), 0);
}

StoreResult DrawStore::store(std::string_view game, const std::vector<SourcedDraw> &records,
                             const StoreProgress &progress) {
    // Taken for writing at once, so no other writer comes between the reading and the writing.
    execute("BEGIN IMMEDIATE");
    StoreResult result;
    try {
        Known known;
        for (Draw &draw : draws(game))
            known.add(std::move(draw));
        known.preexisting = known.draws.size();

        Statement insert(m_db, "INSERT INTO draws (game, date, number, main, bonus) "
                               "VALUES (?1, ?2, ?3, ?4, ?5)");
        if (!insert)
            fail("write");
        const std::string key = gameKey(game);
        std::int64_t written = 0;
        const auto write = [&](const SourcedDraw &record) {
            sqlite3_reset(insert.get());
            insert.bindText(1, key);
            insert.bindText(2, dateText(record.draw.date));
            if (record.draw.number)
                sqlite3_bind_int64(insert.get(), 3, *record.draw.number);
            else
                sqlite3_bind_null(insert.get(), 3);
            insert.bindText(4, numbersText(record.draw.main));
            insert.bindText(5, numbersText(record.draw.bonus));
            if (sqlite3_step(insert.get()) != SQLITE_DONE)
                fail("write");
            known.add(record.draw);
            ++result.added;
            if (progress)
                progress(++written, false);
        };

        // Records of one date are matched together: a file that lists the draws of a date in
        // another order than the store, or a file whose blocks of dates are out of order, finds
        // them all the same.
        std::vector<const SourcedDraw *> ordered;
        for (const SourcedDraw &record : records)
            ordered.push_back(&record);
        std::stable_sort(ordered.begin(), ordered.end(), [](const auto *a, const auto *b) {
            return a->draw.date < b->draw.date;
        });
        for (std::size_t begin = 0; begin < ordered.size();) {
            std::size_t end = begin;
            while (end < ordered.size() && ordered[end]->draw.date == ordered[begin]->draw.date)
                ++end;
            const int day = dayOf(ordered[begin]->draw);
            std::vector<bool> matched(known.preexisting, false);
            std::vector<const SourcedDraw *> unknown;
            for (std::size_t i = begin; i < end; ++i) {
                const SourcedDraw &record = *ordered[i];
                if (record.draw.number) {
                    if (const auto found = known.byNumber.find(*record.draw.number);
                        found != known.byNumber.end()) {
                        const Draw &stored = known.draws[found->second];
                        if (stored.date == record.draw.date && sameNumbers(stored, record.draw)) {
                            ++result.alreadyStored;
                            if (found->second < known.preexisting)
                                matched[found->second] = true;
                        } else {
                            result.contradictions.push_back({record.line, record.draw, stored});
                        }
                        continue;
                    }
                }
                bool same = false;
                const auto [first, last] = known.byDay.equal_range(day);
                for (auto it = first; it != last && !same; ++it) {
                    const Draw &stored = known.draws[it->second];
                    if (mayBeSame(stored, record.draw) && sameNumbers(stored, record.draw)) {
                        same = true;
                        if (it->second < known.preexisting)
                            matched[it->second] = true;
                    }
                }
                if (same)
                    ++result.alreadyStored;
                else
                    unknown.push_back(&record);
            }
            // A record of a date whose stored draw no record of the file matched disagrees with
            // it (another source, another number); only dates with every stored draw accounted
            // for take new draws (an extra draw the store did not know of).
            const auto [first, last] = known.byDay.equal_range(day);
            std::vector<std::size_t> unmatched;
            for (auto it = first; it != last; ++it)
                if (it->second < known.preexisting && !matched[it->second])
                    unmatched.push_back(it->second);
            for (const SourcedDraw *record : unknown) {
                const auto other = std::find_if(unmatched.begin(), unmatched.end(), [&](std::size_t i) {
                    return mayBeSame(known.draws[i], record->draw);
                });
                if (other != unmatched.end())
                    result.contradictions.push_back({record->line, record->draw, known.draws[*other]});
                else
                    write(*record);
            }
            begin = end;
        }
        execute("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    if (progress)
        progress(result.added, true);
    return result;
}

} // namespace marlek
