#pragma once
// The past draws of every game, kept in one SQLite database in the user's data folder
// ($XDG_DATA_HOME/marlek-lotto/draws.sqlite, by default ~/.local/share/marlek-lotto/draws.sqlite).
//
// A draw is known by its draw number where the lottery gives one, else by its date and its
// numbers: a date may hold more than one draw (an extra draw, a second draw of the game). A stored
// draw is never changed: a record that disagrees with it is reported and left out. Every import is
// one transaction, so a crash or a power loss at any moment leaves the database as it was before
// the import or with the whole import.

#include "draw.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace marlek {

// The database cannot be opened, read or written; what() names the file and SQLite's reason.
struct HistoryError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The database of the user's data folder: <userDataFolder>/marlek-lotto/draws.sqlite.
std::string drawDatabasePath();

// A draw to store and the line of the file it came from (0 for a draw typed in).
struct SourcedDraw {
    Draw draw;
    std::int64_t line = 0;
};

// A record that disagrees with a stored draw: the record, where it came from, and the stored draw.
struct Contradiction {
    std::int64_t line = 0;
    Draw record;
    Draw stored;
};

// "line 14: 2020-09-26 (draw 812): the file has 3 11 17 25 34, the stored draw 3 11 17 25 33;
// the stored draw is kept".
std::string contradictionText(const Contradiction &contradiction);

struct StoreResult {
    std::int64_t added = 0;
    std::int64_t alreadyStored = 0;
    std::vector<Contradiction> contradictions;
};

// Called with the count of draws written so far, inside the import's transaction (after each
// draw), and once more with `committed` true when the transaction is on disk.
using StoreProgress = std::function<void(std::int64_t written, bool committed)>;

class DrawStore {
public:
    // Opens the database at `path`, creating it and its folder when missing. Throws HistoryError.
    explicit DrawStore(const std::string &path);
    ~DrawStore();
    DrawStore(const DrawStore &) = delete;
    DrawStore &operator=(const DrawStore &) = delete;

    const std::string &path() const { return m_path; }

    // Stores the draws of the game (named as the player names it; case does not matter) that are
    // not stored yet, in one transaction: a record the store holds already adds nothing, one that
    // disagrees with a stored draw is returned in `contradictions`. The draws may come in any order.
    StoreResult store(std::string_view game, const std::vector<SourcedDraw> &draws,
                      const StoreProgress &progress = {});

    // The game's draws from `from` to `to` (each included when given), oldest first; draws of one
    // date in the order of their draw numbers, then in the order they were stored.
    std::vector<Draw> draws(std::string_view game, std::optional<Date> from = std::nullopt,
                            std::optional<Date> to = std::nullopt) const;

    // How many draws of the game are stored.
    std::int64_t count(std::string_view game) const;

private:
    void execute(const char *sql) const;
    [[noreturn]] void fail(const std::string &what) const;

    std::string m_path;
    sqlite3 *m_db = nullptr;
};

} // namespace marlek
