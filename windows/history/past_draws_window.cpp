#include "past_draws_window.h"

#include "draw_store.h"
#include "game_range_fields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace marlek {
namespace {

QString shown(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PastDrawsWindow::PastDrawsWindow(Desktop &desktop, const GameList &games, QWidget *parent)
    : QDialog(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("frmPastDraws"));
    setWindowTitle(QStringLiteral("Past Draws"));
    auto *layout = new QVBoxLayout(this);
    m_fields = new GameRangeFields(games, true, this);
    layout->addWidget(m_fields);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    m_count->setWordWrap(true);
    layout->addWidget(m_count);
    m_list = new QPlainTextEdit(this);
    m_list->setObjectName(QStringLiteral("txtDraws"));
    m_list->setAccessibleName(QStringLiteral("Stored draws"));
    m_list->setReadOnly(true);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_list, 1);
    auto *buttons = new QDialogButtonBox(this);
    m_show = buttons->addButton(QStringLiteral("&Show"), QDialogButtonBox::ApplyRole);
    m_show->setObjectName(QStringLiteral("cmdShow"));
    m_show->setDefault(true);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    layout->addWidget(buttons);
    connect(m_show, &QPushButton::clicked, this, &PastDrawsWindow::showDraws);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fields->gameBox(), &QComboBox::currentIndexChanged, this,
            &PastDrawsWindow::showDraws);
    resize(fontMetrics().averageCharWidth() * 70, fontMetrics().height() * 30);
    showDraws();
}

void PastDrawsWindow::showDraws() {
    GameRange range;
    try {
        range = m_fields->read();
    } catch (const std::invalid_argument &error) {
        m_desktop.showMessage(this, shown(error.what()), kMessageTitle);
        return;
    }
    std::vector<Draw> draws;
    try {
        draws = DrawStore(drawDatabasePath()).draws(range.game.name, range.from, range.to);
    } catch (const HistoryError &error) {
        m_desktop.showMessage(this, shown(error.what()), kMessageTitle);
        return;
    }
    QStringList lines;
    for (const Draw &draw : draws)
        lines << shown(dateText(draw.date) + "  " +
                       (draw.number ? "draw " + std::to_string(*draw.number) + "  " : "") +
                       drawNumbersText(draw));
    m_list->setPlainText(lines.join(QLatin1Char('\n')));
    m_count->setText(draws.empty()
                         ? QStringLiteral("No draws of %1 are stored for these dates; History > "
                                          "Import Draws adds them.")
                               .arg(shown(range.game.name))
                         : QStringLiteral("%1 draws of %2").arg(draws.size()).arg(
                               shown(range.game.name)));
}

} // namespace marlek
