#include "game_editor.h"

#include "file_output.h"
#include "game_file.h"
#include "game_library.h"
#include "game_texts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace marlek {
namespace {

namespace fs = std::filesystem;

enum PrizeColumn { kLevelColumn, kKindColumn, kAmountColumn };

QString qText(const std::string &text) {
    return QString::fromStdString(text);
}

std::string utf8(const QString &text) {
    return text.toStdString();
}

// A path as the system names it, shown to the player.
QString shownPath(const std::string &path) {
    return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
}

QString kindText(PrizeKind kind) {
    return kind == PrizeKind::fixed ? QStringLiteral("fixed") : QStringLiteral("estimate");
}

bool sameFile(const std::string &a, const std::string &b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    return error ? a == b : same;
}

// The prize column is edited with a choice of the two kinds, so nothing else can be typed there.
class PrizeKindDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("cboPrizeKind"));
        box->setAccessibleName(QStringLiteral("Prize"));
        for (const PrizeKind kind : {PrizeKind::fixed, PrizeKind::estimate})
            box->addItem(kindText(kind), static_cast<int>(kind));
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override {
        auto *box = static_cast<QComboBox *>(editor);
        box->setCurrentIndex(std::max(0, box->findData(index.data(Qt::UserRole))));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override {
        const auto *box = static_cast<QComboBox *>(editor);
        model->setData(index, box->currentData(), Qt::UserRole);
        model->setData(index, box->currentText(), Qt::DisplayRole);
    }
};

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &hint) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setPlaceholderText(hint);
    return edit;
}

QSpinBox *spinBox(QWidget *parent, const char *name, int low, int high,
                  const QString &accessibleName) {
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setAccessibleName(accessibleName);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption) {
    auto *made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setAutoDefault(false);
    return made;
}

} // namespace

GameEditor::GameEditor(Desktop &desktop, const GameForm &form, GameEditTarget target,
                       QWidget *parent)
    : QDialog(parent), m_desktop(desktop), m_target(std::move(target)), m_form(form) {
    setObjectName(QStringLiteral("frmGameEditor"));
    setWindowTitle(m_target.path.empty() ? tr("New Game") : tr("Edit Game"));
    if (m_form.rules.empty())
        m_form.rules.emplace_back();
    createWidgets();
    txtName->setText(qText(m_form.name));
    txtCurrency->setText(qText(m_form.currency));
    txtNote->setText(qText(m_form.note));
    for (const RulesForm &rules : m_form.rules)
        cboRules->addItem(qText(rulesCaption(rules)));
    // The newest rules are those a ticket bought now is played by: they are shown first.
    m_rulesShown = static_cast<int>(m_form.rules.size()) - 1;
    cboRules->setCurrentIndex(m_rulesShown);
    showRules(m_rulesShown);
    connectSignals();
    m_startForm = this->form();
    clearProblem();
}

void GameEditor::createWidgets() {
    txtName = lineEdit(this, "txtName", tr("e.g. My Lotto"));
    txtCurrency = lineEdit(this, "txtCurrency", tr("e.g. USD or EUR; may be left empty"));
    txtNote = lineEdit(this, "txtNote", tr("e.g. where the rules come from; may be left empty"));

    cboRules = new QComboBox(this);
    cboRules->setObjectName(QStringLiteral("cboRules"));
    cboRules->setToolTip(tr("Each set of rules holds from its date until the next begins"));
    cmdAddRules = button(this, "cmdAddRules", tr("&Add Rules From a Date..."));
    cmdAddRules->setToolTip(
        tr("New rules from a date on, such as a larger field or a new price; draws before it "
           "keep the rules they had"));
    cmdRemoveRules = button(this, "cmdRemoveRules", tr("Remo&ve These Rules"));

    txtFrom = lineEdit(this, "txtFrom", tr("since the game began"));
    txtFrom->setToolTip(tr("YYYY-MM-DD; only the first rules may leave it empty"));
    spnDrawn = spinBox(this, "spnDrawn", kMinDrawn, kMaxDrawn, tr("Main numbers drawn"));
    spnField = spinBox(this, "spnField", 1, kMaxField, tr("Main numbers from 1 to"));
    cboBonus = new QComboBox(this);
    cboBonus->setObjectName(QStringLiteral("cboBonus"));
    cboBonus->addItem(tr("none"), static_cast<int>(BonusKind::none));
    cboBonus->addItem(tr("a second pool; a ticket picks its numbers"),
                      static_cast<int>(BonusKind::pool));
    cboBonus->addItem(tr("bonus balls drawn from the main numbers"),
                      static_cast<int>(BonusKind::ball));
    spnBonusCount = spinBox(this, "spnBonusCount", 1, kMaxBonusCount, tr("Bonus numbers drawn"));
    spnBonusField = spinBox(this, "spnBonusField", 1, kMaxField, tr("Bonus pool from 1 to"));
    txtPrice = lineEdit(this, "txtPrice", tr("e.g. 2.00"));

    tblPrizes = new QTableWidget(0, 3, this);
    tblPrizes->setObjectName(QStringLiteral("tblPrizes"));
    tblPrizes->setAccessibleName(tr("Prize levels"));
    tblPrizes->setHorizontalHeaderLabels({tr("Level"), tr("Prize"), tr("Amount")});
    tblPrizes->setToolTip(
        tr("Level: main numbers matched and, after +, bonus numbers matched (5+1), or main "
           "numbers alone (3). Prize: fixed (the lottery pays it) or estimate (a shared prize, "
           "your estimate). Amount: e.g. 1000.00"));
    tblPrizes->setItemDelegateForColumn(kKindColumn, new PrizeKindDelegate(tblPrizes));
    tblPrizes->setSelectionBehavior(QAbstractItemView::SelectItems);
    tblPrizes->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the next field; the arrow keys move between its cells.
    tblPrizes->setTabKeyNavigation(false);
    tblPrizes->verticalHeader()->hide();
    tblPrizes->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblPrizes->horizontalHeader()->setSectionResizeMode(kAmountColumn, QHeaderView::Stretch);
    tblPrizes->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0")) * 34);
    tblPrizes->setMinimumHeight(fontMetrics().lineSpacing() * 9);
    cmdAddPrize = button(this, "cmdAddPrize", tr("Add &Level"));
    cmdRemovePrize = button(this, "cmdRemovePrize", tr("Remove Lev&el"));

    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setTextFormat(Qt::PlainText);
    lblProblem->setWordWrap(true);
    lblProblem->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblProblem->setFocusPolicy(Qt::TabFocus);
    lblProblem->setAccessibleDescription(tr("What is wrong"));

    cmdSave = new QPushButton(tr("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto addRow = [this](QFormLayout *form, const QString &caption, QWidget *field,
                         QLayout *row = nullptr) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        if (row)
            form->addRow(label, row);
        else
            form->addRow(label, field);
    };
    auto *gameForm = new QFormLayout;
    addRow(gameForm, tr("&Name:"), txtName);
    addRow(gameForm, tr("C&urrency:"), txtCurrency);
    addRow(gameForm, tr("N&ote:"), txtNote);

    auto *rulesRow = new QHBoxLayout;
    auto *rulesLabel = new QLabel(tr("&Rules:"), this);
    rulesLabel->setBuddy(cboRules);
    rulesRow->addWidget(rulesLabel);
    rulesRow->addWidget(cboRules, 1);
    rulesRow->addWidget(cmdAddRules);
    rulesRow->addWidget(cmdRemoveRules);

    auto *rulesForm = new QFormLayout;
    addRow(rulesForm, tr("&Date the rules begin:"), txtFrom);
    auto *mainRow = new QHBoxLayout;
    mainRow->addWidget(spnDrawn);
    auto *fieldLabel = new QLabel(tr("numbers of 1 &to"), this);
    fieldLabel->setBuddy(spnField);
    mainRow->addWidget(fieldLabel);
    mainRow->addWidget(spnField);
    mainRow->addStretch();
    addRow(rulesForm, tr("&Main draw:"), spnDrawn, mainRow);
    addRow(rulesForm, tr("&Bonus:"), cboBonus);
    addRow(rulesForm, tr("Bonus numbers dra&wn:"), spnBonusCount);
    addRow(rulesForm, tr("Bonus &pool: numbers 1 to"), spnBonusField);
    addRow(rulesForm, tr("Ticket pr&ice:"), txtPrice);

    auto *prizes = new QVBoxLayout;
    auto *prizesLabel = new QLabel(tr("Pri&zes:"), this);
    prizesLabel->setBuddy(tblPrizes);
    prizes->addWidget(prizesLabel);
    prizes->addWidget(tblPrizes, 1);
    auto *prizeButtons = new QHBoxLayout;
    prizeButtons->addWidget(cmdAddPrize);
    prizeButtons->addWidget(cmdRemovePrize);
    prizeButtons->addStretch();
    prizes->addLayout(prizeButtons);

    auto *rulesFields = new QHBoxLayout;
    rulesFields->addLayout(rulesForm);
    rulesFields->addLayout(prizes, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(gameForm);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addLayout(rulesRow);
    layout->addLayout(rulesFields, 1);
    layout->addWidget(lblProblem);
    layout->addLayout(buttons);

    QWidget *order[] = {txtName,  txtCurrency, txtNote,       cboRules,      cmdAddRules,
                        cmdRemoveRules, txtFrom, spnDrawn, spnField, cboBonus, spnBonusCount,
                        spnBonusField,  txtPrice, tblPrizes, cmdAddPrize, cmdRemovePrize,
                        lblProblem, cmdSave, cmdCancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void GameEditor::connectSignals() {
    connect(cboRules, &QComboBox::currentIndexChanged, this, &GameEditor::rules_Change);
    connect(txtFrom, &QLineEdit::textEdited, this, &GameEditor::from_Edit);
    connect(cboBonus, &QComboBox::currentIndexChanged, this, &GameEditor::bonus_Change);
    connect(cmdAddRules, &QPushButton::clicked, this, &GameEditor::cmdAddRules_Click);
    connect(cmdRemoveRules, &QPushButton::clicked, this, &GameEditor::cmdRemoveRules_Click);
    connect(cmdAddPrize, &QPushButton::clicked, this, &GameEditor::cmdAddPrize_Click);
    connect(cmdRemovePrize, &QPushButton::clicked, this, &GameEditor::cmdRemovePrize_Click);
    connect(cmdSave, &QPushButton::clicked, this, &GameEditor::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &GameEditor::reject);
    // What was wrong goes once the player changes anything: it spoke of the fields as they were.
    for (QLineEdit *edit : {txtName, txtCurrency, txtNote, txtFrom, txtPrice})
        connect(edit, &QLineEdit::textEdited, this, &GameEditor::clearProblem);
    for (QSpinBox *box : {spnDrawn, spnField, spnBonusCount, spnBonusField})
        connect(box, &QSpinBox::valueChanged, this, &GameEditor::clearProblem);
    connect(cboBonus, &QComboBox::currentIndexChanged, this, &GameEditor::clearProblem);
    connect(tblPrizes, &QTableWidget::itemChanged, this, &GameEditor::clearProblem);
}

RulesForm GameEditor::shownRules() const {
    RulesForm rules;
    rules.from = utf8(txtFrom->text());
    rules.drawn = spnDrawn->value();
    rules.field = spnField->value();
    rules.bonusKind = static_cast<BonusKind>(cboBonus->currentData().toInt());
    rules.bonusCount = spnBonusCount->value();
    rules.bonusField = spnBonusField->value();
    rules.price = utf8(txtPrice->text());
    for (int row = 0; row < tblPrizes->rowCount(); ++row) {
        const QTableWidgetItem *level = tblPrizes->item(row, kLevelColumn);
        const QTableWidgetItem *kind = tblPrizes->item(row, kKindColumn);
        const QTableWidgetItem *amount = tblPrizes->item(row, kAmountColumn);
        rules.prizes.push_back({level ? utf8(level->text()) : std::string(),
                                kind ? static_cast<PrizeKind>(kind->data(Qt::UserRole).toInt())
                                     : PrizeKind::fixed,
                                amount ? utf8(amount->text()) : std::string()});
    }
    return rules;
}

GameForm GameEditor::form() const {
    GameForm form = m_form;
    form.name = utf8(txtName->text());
    form.currency = utf8(txtCurrency->text());
    form.note = utf8(txtNote->text());
    form.rules[static_cast<std::size_t>(m_rulesShown)] = shownRules();
    return form;
}

void GameEditor::showRules(int index) {
    m_rulesShown = index;
    const RulesForm &rules = m_form.rules[static_cast<std::size_t>(index)];
    txtFrom->setText(qText(rules.from));
    spnDrawn->setValue(rules.drawn);
    spnField->setValue(rules.field);
    cboBonus->setCurrentIndex(std::max(0, cboBonus->findData(static_cast<int>(rules.bonusKind))));
    spnBonusCount->setValue(rules.bonusCount);
    spnBonusField->setValue(rules.bonusField);
    txtPrice->setText(qText(rules.price));
    tblPrizes->setRowCount(0);
    for (const PrizeRowForm &prize : rules.prizes)
        addPrizeRow(prize);
    bonus_Change();
    cmdRemoveRules->setEnabled(m_form.rules.size() > 1);
}

void GameEditor::rules_Change(int index) {
    if (index < 0 || index == m_rulesShown)
        return;
    m_form.rules[static_cast<std::size_t>(m_rulesShown)] = shownRules();
    showRules(index);
}

void GameEditor::from_Edit() {
    cboRules->setItemText(m_rulesShown, qText(rulesCaption(shownRules())));
}

void GameEditor::bonus_Change() {
    const auto kind = static_cast<BonusKind>(cboBonus->currentData().toInt());
    spnBonusCount->setEnabled(kind != BonusKind::none);
    spnBonusField->setEnabled(kind == BonusKind::pool);
}

void GameEditor::addPrizeRow(const PrizeRowForm &prize) {
    const QSignalBlocker quiet(tblPrizes);
    const int row = tblPrizes->rowCount();
    tblPrizes->insertRow(row);
    tblPrizes->setItem(row, kLevelColumn, new QTableWidgetItem(qText(prize.level)));
    auto *kind = new QTableWidgetItem(kindText(prize.kind));
    kind->setData(Qt::UserRole, static_cast<int>(prize.kind));
    tblPrizes->setItem(row, kKindColumn, kind);
    auto *amount = new QTableWidgetItem(qText(prize.amount));
    amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tblPrizes->setItem(row, kAmountColumn, amount);
}

void GameEditor::cmdAddRules_Click() {
    QString typed;
    if (!m_desktop.askText(this, tr("Add Rules"),
                           tr("The date the new rules begin (YYYY-MM-DD):"), &typed))
        return;
    const std::optional<Date> from = parseDate(utf8(typed.trimmed()));
    if (!from) {
        m_desktop.showMessage(
            this,
            tr("\"%1\" is no date: write the date the new rules begin as YYYY-MM-DD, e.g. "
               "2015-10-07.")
                .arg(typed),
            kMessageTitle);
        return;
    }
    m_form = form();
    // The new rules go where their date puts them, as a copy of the rules in force before them.
    std::size_t position = 0;
    for (std::size_t i = 0; i < m_form.rules.size(); ++i) {
        const std::string date = utf8(QString::fromStdString(m_form.rules[i].from).trimmed());
        const std::optional<Date> begins = parseDate(date);
        if (begins == from) {
            m_desktop.showMessage(
                this, tr("There are rules from %1 already.").arg(qText(dateText(*from))),
                kMessageTitle);
            return;
        }
        if (date.empty() ||
            (begins && std::chrono::sys_days(*begins) < std::chrono::sys_days(*from)))
            position = i + 1;
    }
    const RulesForm &model = m_form.rules[position == 0 ? 0 : position - 1];
    m_form.rules.insert(m_form.rules.begin() + static_cast<std::ptrdiff_t>(position),
                        rulesFrom(model, *from));
    {
        const QSignalBlocker quiet(cboRules);
        cboRules->clear();
        for (const RulesForm &rules : m_form.rules)
            cboRules->addItem(qText(rulesCaption(rules)));
        cboRules->setCurrentIndex(static_cast<int>(position));
    }
    showRules(static_cast<int>(position));
    txtFrom->setFocus();
}

void GameEditor::cmdRemoveRules_Click() {
    if (m_form.rules.size() < 2)
        return;
    const int removed = m_rulesShown;
    m_form.rules.erase(m_form.rules.begin() + removed);
    const int shown = std::min(removed, static_cast<int>(m_form.rules.size()) - 1);
    {
        const QSignalBlocker quiet(cboRules);
        cboRules->removeItem(removed);
        cboRules->setCurrentIndex(shown);
    }
    showRules(shown);
    cboRules->setFocus();
}

void GameEditor::cmdAddPrize_Click() {
    addPrizeRow({});
    const int row = tblPrizes->rowCount() - 1;
    tblPrizes->setFocus();
    tblPrizes->setCurrentCell(row, kLevelColumn);
    tblPrizes->editItem(tblPrizes->item(row, kLevelColumn));
}

void GameEditor::cmdRemovePrize_Click() {
    const int row = tblPrizes->currentRow();
    if (row < 0)
        return;
    tblPrizes->removeRow(row);
    clearProblem();
}

void GameEditor::clearProblem() {
    lblProblem->clear();
    lblProblem->hide();
}

void GameEditor::showProblem(const GameForm &form, const FormProblem &problem) {
    if (problem.rules && static_cast<int>(*problem.rules) != m_rulesShown)
        cboRules->setCurrentIndex(static_cast<int>(*problem.rules));
    const std::string &field = problem.field;
    const bool aboutField = problem.message.find("field") != std::string::npos;
    QWidget *where = txtName;
    if (field == "currency")
        where = txtCurrency;
    else if (field == "note")
        where = txtNote;
    else if (field == "date")
        where = txtFrom;
    else if (field == "main")
        where = aboutField ? spnField : spnDrawn;
    else if (field == "bonus pool" || field == "bonus ball")
        where = aboutField ? static_cast<QWidget *>(cboBonus)
                : problem.message.find("pool must") != std::string::npos
                    ? static_cast<QWidget *>(spnBonusField)
                    : static_cast<QWidget *>(spnBonusCount);
    else if (field == "price")
        where = txtPrice;
    else if (field.starts_with("prize")) {
        where = tblPrizes;
        const bool aboutAmount = problem.message.find("amount") != std::string::npos;
        if (problem.prizeRow)
            tblPrizes->setCurrentCell(static_cast<int>(*problem.prizeRow),
                                      aboutAmount ? kAmountColumn : kLevelColumn);
    }
    where->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(where))
        edit->selectAll();
    lblProblem->setText(qText(formProblemText(form, problem)));
    lblProblem->show();
}

std::string GameEditor::targetPath(const Game &game) {
    const GameList own = loadGames({{}, m_target.folder});
    for (const GameEntry &entry : own.games) {
        if (!sameGameName(entry.game.name, game.name) || sameFile(entry.path, m_target.path))
            continue;
        showProblem(form(), FormProblem{{}, {}, "name",
                                        "you have a game named \"" + entry.game.name + "\" in \"" +
                                            fs::path(entry.path).filename().string() +
                                            "\" already; give this game another name"});
        return {};
    }
    if (!m_target.path.empty())
        return m_target.path;
    const std::string path = newGameFilePath(m_target.folder, game.name);
    std::error_code error;
    fs::create_directories(m_target.folder, error);
    if (error) {
        m_desktop.showMessage(
            this,
            qText(gameNotSavedMessage(utf8(shownPath(path)), "The folder " +
                                                                 utf8(shownPath(m_target.folder)) +
                                                                 " could not be made: " +
                                                                 error.message())),
            kMessageTitle);
        return {};
    }
    return path;
}

bool GameEditor::mayReplace(const std::string &path) {
    if (m_target.path.empty())
        return true;
    std::string what;
    try {
        if (m_target.original && readGameFile(path) == *m_target.original)
            return true;
        what = "was changed since the editor opened it.";
    } catch (const GameFileError &error) {
        what = std::string("no longer holds a game the program can read (") + error.what() + ").";
    } catch (const FileError &error) {
        what = "can no longer be read (" + error.reason() + ").";
    }
    return m_desktop.askYesNo(this, qText(replaceChangedFileQuestion(utf8(shownPath(path)), what)),
                              kMessageTitle);
}

void GameEditor::cmdSave_Click() {
    const GameForm typed = form();
    const std::variant<Game, FormProblem> read = gameOfForm(typed);
    if (const auto *problem = std::get_if<FormProblem>(&read)) {
        showProblem(typed, *problem);
        return;
    }
    const Game &game = std::get<Game>(read);
    const std::string path = targetPath(game);
    if (path.empty() || !mayReplace(path))
        return;

    // The file is written beside its target and replaces it only once whole: a failure leaves
    // the file as it was, and the editor keeps everything typed.
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    QString reason;
    if (file.open(QIODevice::WriteOnly)) {
        writeGameFile(game, [&file](std::string_view line) {
            file.write(line.data(), static_cast<qint64>(line.size()));
            file.write("\n", 1);
        });
        if (!file.commit())
            reason = file.errorString();
    } else {
        reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        m_desktop.showMessage(this, qText(gameNotSavedMessage(utf8(shownPath(path)), utf8(reason))),
                              kMessageTitle);
        return;
    }
    m_savedPath = path;
    emit gameSaved(path, game);
    accept();
}

void GameEditor::reject() {
    if (form() != m_startForm &&
        !m_desktop.askYesNo(this,
                            tr("Close the editor without saving? What was changed here is lost."),
                            kMessageTitle))
        return;
    QDialog::reject();
}

} // namespace marlek
