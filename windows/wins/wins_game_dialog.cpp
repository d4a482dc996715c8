#include "wins_game_dialog.h"

#include "wheel_odds.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace marlek {
namespace {

QString utf8(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The field a plain game starts with: the common lotto fields, or the wheel's N when larger.
int defaultField(int kind, int numbers) {
    return std::max(numbers, kind == 6 ? 49 : 39);
}

} // namespace

WinsGameDialog::WinsGameDialog(int kind, int numbers, const std::string &wheelText,
                               const GameList &games, Chosen chosen, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_numbers(numbers), m_chosen(std::move(chosen)) {
    setObjectName(QStringLiteral("frmWinsGame"));
    setWindowTitle(tr("What It Wins"));
    for (const GameEntry &entry : games.games)
        if (!entry.replaced && oddsProblem(latestRules(entry.game), kind, numbers).empty())
            m_games.push_back(entry.game);
    createWidgets(wheelText);
    gameChanged();
}

WinsGameDialog *WinsGameDialog::showModal(int kind, int numbers, const std::string &wheelText,
                                          const GameList &games, Chosen chosen, QWidget *owner) {
    auto *dialog = new WinsGameDialog(kind, numbers, wheelText, games, std::move(chosen), owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    return dialog;
}

void WinsGameDialog::createWidgets(const std::string &wheelText) {
    auto *intro = new QLabel(tr("The odds of every prize for %1, one ticket and the full wheel, "
                                "in the game you choose. Odds and expectations over many draws, "
                                "never predictions.")
                                 .arg(utf8(wheelText)),
                             this);
    intro->setObjectName(QStringLiteral("lblIntro"));
    intro->setWordWrap(true);

    cboGame = new QComboBox(this);
    cboGame->setObjectName(QStringLiteral("cboGame"));
    cboGame->addItem(tr("Pick %1 with a field").arg(m_kind));
    for (const Game &game : m_games)
        cboGame->addItem(utf8(game.name));

    spnField = new QSpinBox(this);
    spnField->setObjectName(QStringLiteral("spnField"));
    spnField->setRange(std::max(m_numbers, m_kind), kMaxField);
    spnField->setValue(defaultField(m_kind, m_numbers));

    cboBonus = new QComboBox(this);
    cboBonus->setObjectName(QStringLiteral("cboBonus"));
    cboBonus->addItem(tr("Every ticket plays the same bonus numbers"));
    cboBonus->addItem(tr("Each choice of bonus numbers on every ticket"));

    lblGameNote = new QLabel(this);
    lblGameNote->setObjectName(QStringLiteral("lblGameNote"));
    lblGameNote->setWordWrap(true);
    lblGameNote->setTextFormat(Qt::PlainText);

    auto *form = new QFormLayout;
    form->addRow(tr("&Game:"), cboGame);
    form->addRow(tr("&Field, numbers drawn from 1 to:"), spnField);
    form->addRow(tr("&Bonus numbers:"), cboBonus);
    // The labels the form made name their fields for a screen reader.
    cboGame->setAccessibleName(tr("Game"));
    spnField->setAccessibleName(tr("Field, numbers drawn from 1 to"));
    cboBonus->setAccessibleName(tr("Bonus numbers"));

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttons"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("&Count"));
    m_buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdCount"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(lblGameNote);
    layout->addWidget(m_buttons);

    connect(cboGame, &QComboBox::currentIndexChanged, this, &WinsGameDialog::gameChanged);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &WinsGameDialog::accepted);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    cboGame->setFocus();
}

void WinsGameDialog::gameChanged() {
    const int index = cboGame->currentIndex();
    const bool plain = index <= 0;
    spnField->setEnabled(plain);
    const Game *game = plain ? nullptr : &m_games[static_cast<std::size_t>(index - 1)];
    const bool pool = game && latestRules(*game).bonus.kind == BonusKind::pool;
    cboBonus->setEnabled(pool);
    if (!game) {
        lblGameNote->setText(tr("%1 numbers drawn from the field, no prizes: the odds of each "
                                "count matched.")
                                 .arg(m_kind));
        return;
    }
    const GameRules &rules = latestRules(*game);
    const std::string bonus = bonusText(rules.bonus);
    lblGameNote->setText(utf8(mainDrawText(rules) + (bonus.empty() ? "" : " + " + bonus) +
                              (game->note.empty() ? "" : ". " + game->note)));
}

WinsGameChoice WinsGameDialog::choice() const {
    const int index = cboGame->currentIndex();
    if (index <= 0)
        return {plainGame(m_kind, spnField->value()), true, BonusPlay::sameChoice};
    const Game &game = m_games[static_cast<std::size_t>(index - 1)];
    const bool pool = latestRules(game).bonus.kind == BonusKind::pool;
    return {game, false,
            pool && cboBonus->currentIndex() == 1 ? BonusPlay::everyChoice : BonusPlay::sameChoice};
}

void WinsGameDialog::accepted() {
    const WinsGameChoice chosen = choice();
    Chosen handOn = m_chosen;
    accept();
    if (handOn)
        handOn(chosen);
}

} // namespace marlek
