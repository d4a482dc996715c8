#pragma once
// "Past Draws": the stored draws of a game, oldest first, over the dates the player gives.

#include "desktop.h"
#include "game_library.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace marlek {

class GameRangeFields;

class PastDrawsWindow : public QDialog {
public:
    PastDrawsWindow(Desktop &desktop, const GameList &games, QWidget *parent = nullptr);

    GameRangeFields *fields() const { return m_fields; }
    QPlainTextEdit *list() const { return m_list; }
    QLabel *count() const { return m_count; }

    // Shows the draws of the game and dates in the fields.
    void showDraws();

private:
    Desktop &m_desktop;
    GameRangeFields *m_fields = nullptr;
    QPushButton *m_show = nullptr;
    QLabel *m_count = nullptr;
    QPlainTextEdit *m_list = nullptr;
};

} // namespace marlek
