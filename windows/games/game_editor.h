#pragma once
// The game editor: a game's name, currency and note, each set of its rules (the date they begin,
// the main draw, the bonus, the price of a ticket, the prize levels in a table), and Save, which
// checks the whole game as a game file is checked and writes it into the player's games folder.
// What is wrong is said under the fields, naming the set of rules and the field, and the field
// takes the keyboard; a save that fails says why and keeps everything typed.

#include "desktop.h"
#include "game_form.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace marlek {

// Where an edited game goes.
struct GameEditTarget {
    std::string folder; // the player's games folder; a new game gets a file of its own there
    std::string path;   // the file an edited game replaces; empty for a new game
    // The game as read from `path` when the editor opened: a file that no longer holds it is
    // replaced only when the player says so.
    std::optional<Game> original;
};

class GameEditor : public QDialog {
    Q_OBJECT
public:
    GameEditor(Desktop &desktop, const GameForm &form, GameEditTarget target,
               QWidget *parent = nullptr);

    // The fields as they stand, every set of rules included.
    GameForm form() const;
    // The file the game was saved in, once saved.
    const std::string &savedPath() const { return m_savedPath; }

    void cmdSave_Click();
    void cmdAddRules_Click();
    void cmdRemoveRules_Click();
    void cmdAddPrize_Click();
    void cmdRemovePrize_Click();

signals:
    // The game was saved in `path`; the editor closes.
    void gameSaved(const std::string &path, const marlek::Game &game);

protected:
    // Cancel, Escape and the close box ask first when something was changed.
    void reject() override;

private:
    void createWidgets();
    void connectSignals();

    RulesForm shownRules() const;
    void showRules(int index);
    void rules_Change(int index);
    void from_Edit();
    void bonus_Change();
    void addPrizeRow(const PrizeRowForm &prize);
    void showProblem(const GameForm &form, const FormProblem &problem);
    void clearProblem();
    // The file the game goes in, the folder made when missing; empty after saying why not.
    std::string targetPath(const Game &game);
    bool mayReplace(const std::string &path);

    Desktop &m_desktop;
    GameEditTarget m_target;
    GameForm m_form;      // every set of rules; the one shown is in the fields
    GameForm m_startForm; // what the editor opened with
    int m_rulesShown = 0;
    std::string m_savedPath;

    QLineEdit *txtName = nullptr;
    QLineEdit *txtCurrency = nullptr;
    QLineEdit *txtNote = nullptr;
    QComboBox *cboRules = nullptr;
    QPushButton *cmdAddRules = nullptr;
    QPushButton *cmdRemoveRules = nullptr;
    QLineEdit *txtFrom = nullptr;
    QSpinBox *spnDrawn = nullptr;
    QSpinBox *spnField = nullptr;
    QComboBox *cboBonus = nullptr;
    QSpinBox *spnBonusCount = nullptr;
    QSpinBox *spnBonusField = nullptr;
    QLineEdit *txtPrice = nullptr;
    QTableWidget *tblPrizes = nullptr;
    QPushButton *cmdAddPrize = nullptr;
    QPushButton *cmdRemovePrize = nullptr;
    QLabel *lblProblem = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdCancel = nullptr;
};

} // namespace marlek
