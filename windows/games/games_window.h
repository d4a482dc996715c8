#pragma once
// "Games": the presets installed with the program and the player's own games, the chosen game's
// rules and prizes, and the commands that make and change the player's games: New, Edit, Copy to
// Edit (a preset, or a game of the player's, as a new game of the player's) and Delete. Files in
// the folders that hold no sound game are listed with what is wrong in them (line and field).
// To choose a game, the window hands the game back as a value (gameChosen, chosenGame).

#include "desktop.h"
#include "game_library.h"

#include <QDialog>

#include <optional>
#include <string>
#include <string_view>

class QAction;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace marlek {

class GameEditor;
struct GameForm;
struct GameEditTarget;

class GamesWindow : public QDialog {
    Q_OBJECT
public:
    enum class Purpose {
        manage, // look at the games and change the player's; no game is chosen
        choose, // the same, and "Choose" hands the game selected back
    };

    GamesWindow(Desktop &desktop, GameFolders folders, Purpose purpose, QWidget *parent = nullptr);

    // The game handed back with Choose, once chosen.
    const std::optional<Game> &chosenGame() const { return m_chosen; }
    // Selects the game of that name as the program finds it (the player's before a preset's).
    void selectGame(std::string_view name);
    // The game selected in the list, if any.
    const GameEntry *selectedGame() const;
    // The editor open from this window, if any.
    GameEditor *editor() const;

    // Reads both folders again; the selection stays on the game (or file) of `path`, if given.
    void reload(const std::string &path = {});

    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdCopy_Click();
    void cmdDelete_Click();
    void cmdChoose_Click();

signals:
    void gameChosen(const marlek::Game &game);

private:
    void createWidgets();
    void createActions();
    void connectSignals();
    void games_Select();
    void refused_Select();
    void updateButtons();
    void openEditor(const GameForm &form, const GameEditTarget &target);
    // The refused file selected, when it lies in the player's folder (the only one the window
    // changes).
    const RefusedGameFile *selectedOwnRefusedFile() const;

    Desktop &m_desktop;
    const GameFolders m_folders;
    const Purpose m_purpose;
    GameList m_list;
    std::optional<Game> m_chosen;

    QListWidget *lstGames = nullptr;
    QPlainTextEdit *txtRules = nullptr;
    QLabel *lblRefused = nullptr;
    QListWidget *lstRefused = nullptr;
    QLabel *lblFolder = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdChoose = nullptr;
    QPushButton *cmdClose = nullptr;
    QAction *actNew = nullptr;
    QAction *actEdit = nullptr;
    QAction *actDelete = nullptr;
};

} // namespace marlek
