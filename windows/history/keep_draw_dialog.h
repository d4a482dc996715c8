#pragma once
// "Keep the Draw in the History": the draw a check document checked, kept in a game's past draws
// under the date the player gives (today unless changed).

#include "desktop.h"
#include "game_library.h"

#include <QDialog>

#include <vector>

class QLineEdit;

namespace marlek {

class GameRangeFields;

class KeepDrawDialog : public QDialog {
public:
    KeepDrawDialog(Desktop &desktop, const GameList &games, std::vector<int> draw,
                   QWidget *parent = nullptr);

    GameRangeFields *fields() const { return m_fields; }
    QLineEdit *dateEdit() const { return m_date; }
    // Keeps the draw and says what became of it; the dialog closes unless the date is none.
    void keepClicked();

private:
    Desktop &m_desktop;
    std::vector<int> m_draw;
    GameRangeFields *m_fields = nullptr;
    QLineEdit *m_date = nullptr;
};

} // namespace marlek
