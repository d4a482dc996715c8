#pragma once
// The question before a check against past draws: which game's draws, from which date to which.

#include "desktop.h"
#include "game_range_fields.h"

#include <QDialog>

#include <functional>

namespace marlek {

class HistoryRangeDialog : public QDialog {
public:
    // `chosen` receives the game and dates when the player presses Check.
    HistoryRangeDialog(Desktop &desktop, const GameList &games,
                       std::function<void(const GameRange &)> chosen, QWidget *parent = nullptr);

    GameRangeFields *fields() const { return m_fields; }
    void checkClicked();

private:
    Desktop &m_desktop;
    GameRangeFields *m_fields = nullptr;
    std::function<void(const GameRange &)> m_chosen;
};

} // namespace marlek
