#include "game_range_fields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <stdexcept>

namespace marlek {
namespace {

std::optional<Date> dateField(const QLineEdit *edit, const char *name) {
    const std::string text = edit->text().trimmed().toStdString();
    if (text.empty())
        return std::nullopt;
    const std::optional<Date> date = parseDate(text);
    if (!date)
        throw std::invalid_argument(std::string(name) + " \"" + text +
                                    "\" is no date written YYYY-MM-DD, such as 2020-09-26.");
    return date;
}

} // namespace

GameRangeFields::GameRangeFields(const GameList &games, bool withRange, QWidget *parent)
    : QWidget(parent), m_games(games) {
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_game = new QComboBox(this);
    m_game->setObjectName(QStringLiteral("cboGame"));
    m_game->setAccessibleName(QStringLiteral("Game"));
    for (const GameEntry &entry : m_games.games)
        if (!entry.replaced)
            m_game->addItem(QString::fromStdString(entry.game.name));
    auto *gameLabel = new QLabel(QStringLiteral("&Game:"), this);
    gameLabel->setBuddy(m_game);
    form->addRow(gameLabel, m_game);
    if (!withRange)
        return;
    m_from = new QLineEdit(this);
    m_from->setObjectName(QStringLiteral("txtFrom"));
    m_from->setAccessibleName(QStringLiteral("From date"));
    m_from->setPlaceholderText(QStringLiteral("YYYY-MM-DD, empty for the first draw"));
    m_to = new QLineEdit(this);
    m_to->setObjectName(QStringLiteral("txtTo"));
    m_to->setAccessibleName(QStringLiteral("To date"));
    m_to->setPlaceholderText(QStringLiteral("YYYY-MM-DD, empty for the last draw"));
    auto *fromLabel = new QLabel(QStringLiteral("&From:"), this);
    fromLabel->setBuddy(m_from);
    auto *toLabel = new QLabel(QStringLiteral("&To:"), this);
    toLabel->setBuddy(m_to);
    form->addRow(fromLabel, m_from);
    form->addRow(toLabel, m_to);
}

GameRange GameRangeFields::read() const {
    const GameEntry *entry = findGame(m_games, m_game->currentText().toStdString());
    if (!entry)
        throw std::invalid_argument("Choose the game the draws belong to.");
    GameRange range{entry->game, std::nullopt, std::nullopt};
    if (m_from) {
        range.from = dateField(m_from, "From:");
        range.to = dateField(m_to, "To:");
        if (range.from && range.to && *range.to < *range.from)
            throw std::invalid_argument("The last date, " + dateText(*range.to) +
                                        ", is before the first, " + dateText(*range.from) + ".");
    }
    return range;
}

} // namespace marlek
