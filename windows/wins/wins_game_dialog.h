#pragma once
// The small dialog "What It Wins" asks first: the game to count the odds in, one of the presets
// and the player's own games whose tickets hold as many numbers as the wheel's, or plain Pick 5 /
// Pick 6 over a field; and, for a game with a second pool, how the tickets play its bonus numbers.

#include "bonus_play.h"
// moc cannot read the standard headers the game model takes in (<compare>, <chrono>).
#ifndef Q_MOC_RUN
#include "game_library.h"
#endif

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace marlek {

struct WinsGameChoice {
    Game game;
    bool plain = false; // Pick K over a field, no prizes
    BonusPlay play = BonusPlay::sameChoice;
};

class WinsGameDialog : public QDialog {
    Q_OBJECT
public:
    using Chosen = std::function<void(const WinsGameChoice &)>;

    // For a wheel of `kind` numbers a ticket over `numbers`, described by `wheelText`. `games`:
    // the games to offer (those that cannot play the wheel are left out). `chosen` is called on
    // OK, after the dialog has closed.
    WinsGameDialog(int kind, int numbers, const std::string &wheelText, const GameList &games,
                   Chosen chosen, QWidget *parent = nullptr);

    // Shows the dialog application-modal and returns at once; it deletes itself when closed.
    static WinsGameDialog *showModal(int kind, int numbers, const std::string &wheelText,
                                     const GameList &games, Chosen chosen, QWidget *owner);

    // What OK hands on, as the fields stand.
    WinsGameChoice choice() const;

private:
    void createWidgets(const std::string &wheelText);
    void gameChanged();
    void accepted();

    int m_kind;
    int m_numbers;
    std::vector<Game> m_games; // the offered games, in the list after the plain game
    Chosen m_chosen;
    QComboBox *cboGame = nullptr;
    QSpinBox *spnField = nullptr;
    QComboBox *cboBonus = nullptr;
    QLabel *lblGameNote = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

} // namespace marlek
