#include "games_window.h"

#include "game_editor.h"
#include "game_form.h"
#include "game_texts.h"
#include "qt_desktop.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace marlek {
namespace {

namespace fs = std::filesystem;

// Where an item of the games list points: an index into the list of games.
constexpr int kEntryRole = Qt::UserRole;
// Where an item of the refused files points: an index into the refused files.
constexpr int kRefusedRole = Qt::UserRole;

QString qText(const std::string &text) {
    return QString::fromStdString(text);
}

QString shownPath(const std::string &path) {
    return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
}

bool sameFile(const std::string &a, const std::string &b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    return error ? a == b : same;
}

bool inFolder(const std::string &path, const std::string &folder) {
    return !folder.empty() && sameFile(fs::path(path).parent_path().string(), folder);
}

QString entryCaption(const GameEntry &entry) {
    const QString name = qText(entry.game.name);
    if (entry.origin == GameOrigin::player)
        return QObject::tr("%1 (yours)").arg(name);
    return entry.replaced ? QObject::tr("%1 (preset; yours is used)").arg(name)
                          : QObject::tr("%1 (preset)").arg(name);
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption) {
    auto *made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setAutoDefault(false);
    return made;
}

} // namespace

GamesWindow::GamesWindow(Desktop &desktop, GameFolders folders, Purpose purpose, QWidget *parent)
    : QDialog(parent), m_desktop(desktop), m_folders(std::move(folders)), m_purpose(purpose) {
    setObjectName(QStringLiteral("frmGames"));
    setWindowTitle(tr("Games"));
    createWidgets();
    createActions();
    connectSignals();
    reload();
    if (lstGames->count() > 0)
        lstGames->setCurrentRow(0);
    updateButtons();
}

void GamesWindow::createWidgets() {
    lstGames = new QListWidget(this);
    lstGames->setObjectName(QStringLiteral("lstGames"));
    lstGames->setAccessibleName(tr("Games"));
    txtRules = new QPlainTextEdit(this);
    txtRules->setObjectName(QStringLiteral("txtRules"));
    txtRules->setAccessibleName(tr("Rules and prizes"));
    txtRules->setReadOnly(true);
    txtRules->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtRules->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The prize columns line up in the tickets' font, at the size of the window's own font.
    QFont rulesFont = ticketFont();
    rulesFont.setPointSizeF(font().pointSizeF());
    txtRules->setFont(rulesFont);
    lstRefused = new QListWidget(this);
    lstRefused->setObjectName(QStringLiteral("lstRefused"));
    lstRefused->setAccessibleName(tr("Files not read"));
    lstRefused->setWordWrap(true);
    lstRefused->setTextElideMode(Qt::ElideNone);
    lstRefused->setMaximumHeight(fontMetrics().lineSpacing() * 6);

    auto *gamesLabel = new QLabel(tr("&Games:"), this);
    gamesLabel->setObjectName(QStringLiteral("lblGames"));
    gamesLabel->setBuddy(lstGames);
    auto *rulesLabel = new QLabel(tr("&Rules and prizes:"), this);
    rulesLabel->setObjectName(QStringLiteral("lblRules"));
    rulesLabel->setBuddy(txtRules);
    lblRefused = new QLabel(tr("&Files not read, with what is wrong in them:"), this);
    lblRefused->setObjectName(QStringLiteral("lblRefused"));
    lblRefused->setBuddy(lstRefused);
    lblFolder = new QLabel(this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    lblFolder->setTextFormat(Qt::PlainText);
    lblFolder->setWordWrap(true);
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblFolder->setFocusPolicy(Qt::TabFocus);
    lblFolder->setText(
        tr("Your games are kept in %1; a game file put there by hand is listed too.")
            .arg(shownPath(m_folders.player)));

    cmdNew = button(this, "cmdNew", tr("&New..."));
    cmdEdit = button(this, "cmdEdit", tr("&Edit..."));
    cmdCopy = button(this, "cmdCopy", tr("Co&py to Edit..."));
    cmdCopy->setToolTip(tr("Make a game of yours from the game selected, to change it"));
    cmdDelete = button(this, "cmdDelete", tr("&Delete..."));
    cmdChoose = button(this, "cmdChoose", tr("C&hoose"));
    cmdChoose->setToolTip(tr("Use the game selected"));
    cmdClose = button(this, "cmdClose", tr("&Close"));
    if (m_purpose == Purpose::choose) {
        cmdChoose->setDefault(true);
    } else {
        cmdChoose->hide();
    }

    auto *gamesColumn = new QVBoxLayout;
    gamesColumn->addWidget(gamesLabel);
    gamesColumn->addWidget(lstGames, 1);
    auto *rulesColumn = new QVBoxLayout;
    rulesColumn->addWidget(rulesLabel);
    rulesColumn->addWidget(txtRules, 1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(gamesColumn, 2);
    columns->addLayout(rulesColumn, 5);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *command : {cmdNew, cmdEdit, cmdCopy, cmdDelete})
        buttons->addWidget(command);
    buttons->addStretch();
    buttons->addWidget(cmdChoose);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(lblRefused);
    layout->addWidget(lstRefused);
    layout->addWidget(lblFolder);
    layout->addLayout(buttons);

    QWidget *order[] = {lstGames, txtRules,  lstRefused, cmdNew,   cmdEdit,
                        cmdCopy,  cmdDelete, cmdChoose,  cmdClose, lblFolder};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Room for the list's names and a prize line beside it, within the screen.
    const QFontMetrics rulesMetrics(rulesFont);
    const int wanted = fontMetrics().averageCharWidth() * 34 +
                       rulesMetrics.horizontalAdvance(QLatin1Char('0')) * 66;
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
    resize(std::min(std::max(wanted, sizeHint().width()), room.width() * 9 / 10),
           std::min(std::max(fontMetrics().lineSpacing() * 30, sizeHint().height()),
                    room.height() * 9 / 10));
}

void GamesWindow::createActions() {
    auto makeAction = [this](const char *name, const QKeySequence &keys, QPushButton *command) {
        auto *action = new QAction(command->text(), this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        this->addAction(action);
        command->setToolTip(command->toolTip().isEmpty()
                                ? keys.toString(QKeySequence::NativeText)
                                : command->toolTip() + QStringLiteral(" (") +
                                      keys.toString(QKeySequence::NativeText) +
                                      QStringLiteral(")"));
        return action;
    };
    actNew = makeAction("actNew", QKeySequence(Qt::CTRL | Qt::Key_N), cmdNew);
    actEdit = makeAction("actEdit", QKeySequence(Qt::CTRL | Qt::Key_E), cmdEdit);
    actDelete = makeAction("actDelete", QKeySequence(QKeySequence::Delete), cmdDelete);
}

void GamesWindow::connectSignals() {
    connect(lstGames, &QListWidget::itemSelectionChanged, this, &GamesWindow::games_Select);
    connect(lstRefused, &QListWidget::itemSelectionChanged, this, &GamesWindow::refused_Select);
    connect(lstGames, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_purpose == Purpose::choose)
            cmdChoose_Click();
        else if (cmdEdit->isEnabled())
            cmdEdit_Click();
    });
    connect(cmdNew, &QPushButton::clicked, this, &GamesWindow::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &GamesWindow::cmdEdit_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &GamesWindow::cmdCopy_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &GamesWindow::cmdDelete_Click);
    connect(cmdChoose, &QPushButton::clicked, this, &GamesWindow::cmdChoose_Click);
    connect(cmdClose, &QPushButton::clicked, this, &GamesWindow::reject);
    connect(actNew, &QAction::triggered, this, &GamesWindow::cmdNew_Click);
    connect(actEdit, &QAction::triggered, this, &GamesWindow::cmdEdit_Click);
    connect(actDelete, &QAction::triggered, this, &GamesWindow::cmdDelete_Click);
}

void GamesWindow::reload(const std::string &path) {
    std::string keep = path;
    if (keep.empty()) {
        if (const GameEntry *entry = selectedGame())
            keep = entry->path;
        else if (const QListWidgetItem *item = lstRefused->currentItem();
                 item && item->isSelected())
            keep = m_list.refused[static_cast<std::size_t>(item->data(kRefusedRole).toInt())].path;
    }
    m_list = loadGames(m_folders);
    {
        const QSignalBlocker quietGames(lstGames);
        const QSignalBlocker quietRefused(lstRefused);
        lstGames->clear();
        for (std::size_t i = 0; i < m_list.games.size(); ++i) {
            auto *item = new QListWidgetItem(entryCaption(m_list.games[i]), lstGames);
            item->setData(kEntryRole, static_cast<int>(i));
            item->setToolTip(shownPath(m_list.games[i].path));
            if (sameFile(m_list.games[i].path, keep))
                lstGames->setCurrentItem(item);
        }
        lstRefused->clear();
        for (std::size_t i = 0; i < m_list.refused.size(); ++i) {
            const RefusedGameFile &file = m_list.refused[i];
            const QString where = inFolder(file.path, m_folders.player) ? tr("yours") : tr("preset");
            auto *item = new QListWidgetItem(
                tr("%1 (%2): %3")
                    .arg(QFile::decodeName(
                             QByteArray::fromStdString(fs::path(file.path).filename().string())),
                         where, qText(file.message)),
                lstRefused);
            item->setData(kRefusedRole, static_cast<int>(i));
            item->setToolTip(shownPath(file.path));
            if (sameFile(file.path, keep))
                lstRefused->setCurrentItem(item);
        }
    }
    lblRefused->setVisible(!m_list.refused.empty());
    lstRefused->setVisible(!m_list.refused.empty());
    if (lstRefused->currentItem() && lstRefused->currentItem()->isSelected())
        refused_Select();
    else
        games_Select();
}

const GameEntry *GamesWindow::selectedGame() const {
    const QListWidgetItem *item = lstGames->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    return &m_list.games[static_cast<std::size_t>(item->data(kEntryRole).toInt())];
}

const RefusedGameFile *GamesWindow::selectedOwnRefusedFile() const {
    const QListWidgetItem *item = lstRefused->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    const RefusedGameFile &file =
        m_list.refused[static_cast<std::size_t>(item->data(kRefusedRole).toInt())];
    return inFolder(file.path, m_folders.player) ? &file : nullptr;
}

void GamesWindow::selectGame(std::string_view name) {
    const GameEntry *found = findGame(m_list, name);
    for (int row = 0; found && row < lstGames->count(); ++row)
        if (&m_list.games[static_cast<std::size_t>(lstGames->item(row)->data(kEntryRole).toInt())] ==
            found)
            lstGames->setCurrentRow(row);
}

GameEditor *GamesWindow::editor() const {
    for (GameEditor *open : findChildren<GameEditor *>())
        if (open->isVisible())
            return open;
    return nullptr;
}

void GamesWindow::games_Select() {
    if (const GameEntry *entry = selectedGame()) {
        const QSignalBlocker quiet(lstRefused);
        lstRefused->clearSelection();
        QStringList lines;
        if (entry->origin == GameOrigin::preset)
            lines << qText(presetCheckText()) << QString();
        for (const std::string &line : gameDescriptionLines(*entry))
            lines << qText(line);
        txtRules->setPlainText(lines.join(QLatin1Char('\n')));
    } else {
        txtRules->setPlainText(tr("Select a game in the list to read its rules and prizes."));
    }
    updateButtons();
}

void GamesWindow::refused_Select() {
    const QListWidgetItem *item = lstRefused->currentItem();
    if (!item || !item->isSelected()) {
        games_Select();
        return;
    }
    {
        const QSignalBlocker quiet(lstGames);
        lstGames->clearSelection();
    }
    const RefusedGameFile &file =
        m_list.refused[static_cast<std::size_t>(item->data(kRefusedRole).toInt())];
    txtRules->setPlainText(
        tr("This file holds no game the program can read, so it is not used:\n%1\n\n%2\n\n"
           "Correct it in a text editor (the line and the field are named above), or delete it.")
            .arg(shownPath(file.path), qText(file.message)));
    updateButtons();
}

void GamesWindow::updateButtons() {
    const GameEntry *entry = selectedGame();
    const bool own = entry && entry->origin == GameOrigin::player;
    cmdEdit->setEnabled(own);
    cmdCopy->setEnabled(entry != nullptr);
    cmdDelete->setEnabled(own || selectedOwnRefusedFile());
    cmdChoose->setEnabled(entry && !entry->replaced);
    cmdChoose->setToolTip(entry && entry->replaced
                              ? tr("Your game of the same name is used in place of this preset")
                              : tr("Use the game selected"));
    actEdit->setEnabled(cmdEdit->isEnabled());
    actDelete->setEnabled(cmdDelete->isEnabled());
}

void GamesWindow::openEditor(const GameForm &form, const GameEditTarget &target) {
    if (GameEditor *open = editor()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *opened = new GameEditor(m_desktop, form, target, this);
    opened->setAttribute(Qt::WA_DeleteOnClose);
    opened->setWindowModality(Qt::WindowModal);
    connect(opened, &GameEditor::gameSaved, this,
            [this](const std::string &path, const Game &) { reload(path); });
    opened->show();
}

void GamesWindow::cmdNew_Click() {
    openEditor(newGameForm(), GameEditTarget{m_folders.player, {}, {}});
}

void GamesWindow::cmdEdit_Click() {
    const GameEntry *entry = selectedGame();
    if (!entry || entry->origin != GameOrigin::player)
        return;
    openEditor(formOf(entry->game), GameEditTarget{m_folders.player, entry->path, entry->game});
}

void GamesWindow::cmdCopy_Click() {
    const GameEntry *entry = selectedGame();
    if (!entry)
        return;
    GameForm form = formOf(entry->game);
    // A copy of a preset keeps its name, and is used in its place; a copy of a game of the
    // player's needs a name of its own.
    if (entry->origin == GameOrigin::player)
        form.name += " (copy)";
    openEditor(form, GameEditTarget{m_folders.player, {}, {}});
}

void GamesWindow::cmdDelete_Click() {
    std::string path;
    QString question;
    if (const GameEntry *entry = selectedGame(); entry && entry->origin == GameOrigin::player) {
        path = entry->path;
        question = qText(removeGameQuestion(entry->game.name, shownPath(path).toStdString()));
    } else if (const RefusedGameFile *file = selectedOwnRefusedFile()) {
        path = file->path;
        question = qText(removeFileQuestion(shownPath(path).toStdString()));
    } else {
        return;
    }
    if (!m_desktop.askYesNo(this, question, kMessageTitle))
        return;
    std::error_code error;
    if (!fs::remove(path, error) && !error)
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    if (error)
        m_desktop.showMessage(
            this, qText(fileNotRemovedMessage(shownPath(path).toStdString(), error.message())),
            kMessageTitle);
    reload();
}

void GamesWindow::cmdChoose_Click() {
    const GameEntry *entry = selectedGame();
    if (!entry || entry->replaced)
        return;
    m_chosen = entry->game;
    emit gameChosen(*m_chosen);
    accept();
}

} // namespace marlek
