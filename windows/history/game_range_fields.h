#pragma once
// The game and the dates a list or a check of past draws covers: a game of the player's or a
// preset, and an optional first and last date written YYYY-MM-DD.

#include "draw.h"
#include "game_library.h"

#include <QWidget>

#include <optional>
#include <string>

class QComboBox;
class QLineEdit;

namespace marlek {

// What the fields hold once they are read: the game and the range.
struct GameRange {
    Game game;
    std::optional<Date> from;
    std::optional<Date> to;
};

class GameRangeFields : public QWidget {
public:
    GameRangeFields(const GameList &games, bool withRange, QWidget *parent = nullptr);

    QComboBox *gameBox() const { return m_game; }
    QLineEdit *fromEdit() const { return m_from; }
    QLineEdit *toEdit() const { return m_to; }

    // The game chosen and the dates typed; throws std::invalid_argument with a sentence for the
    // player when a date is none or the range runs backwards, or there is no game.
    GameRange read() const;

private:
    GameList m_games;
    QComboBox *m_game = nullptr;
    QLineEdit *m_from = nullptr;
    QLineEdit *m_to = nullptr;
};

} // namespace marlek
