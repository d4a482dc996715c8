#include "keep_draw_dialog.h"

#include "draw_file.h"
#include "draw_import.h"
#include "game_range_fields.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace marlek {

KeepDrawDialog::KeepDrawDialog(Desktop &desktop, const GameList &games, std::vector<int> draw,
                               QWidget *parent)
    : QDialog(parent), m_desktop(desktop), m_draw(std::move(draw)) {
    setObjectName(QStringLiteral("frmKeepDraw"));
    setWindowTitle(QStringLiteral("Keep the Draw in the History"));
    auto *layout = new QVBoxLayout(this);
    std::string numbers;
    for (const int number : m_draw)
        numbers += (numbers.empty() ? "" : " ") + std::to_string(number);
    auto *note = new QLabel(QStringLiteral("The draw %1, kept in the game's past draws.")
                                .arg(QString::fromStdString(numbers)),
                            this);
    note->setObjectName(QStringLiteral("lblDraw"));
    note->setWordWrap(true);
    layout->addWidget(note);
    m_fields = new GameRangeFields(games, false, this);
    layout->addWidget(m_fields);
    auto *form = new QFormLayout;
    m_date = new QLineEdit(QString::fromStdString(dateText(today())), this);
    m_date->setObjectName(QStringLiteral("txtDate"));
    m_date->setAccessibleName(QStringLiteral("Date of the draw"));
    auto *dateLabel = new QLabel(QStringLiteral("&Date (YYYY-MM-DD):"), this);
    dateLabel->setBuddy(m_date);
    form->addRow(dateLabel, m_date);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *keep = buttons->addButton(QStringLiteral("&Keep"), QDialogButtonBox::AcceptRole);
    keep->setObjectName(QStringLiteral("cmdKeep"));
    keep->setDefault(true);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addWidget(buttons);
    connect(keep, &QPushButton::clicked, this, &KeepDrawDialog::keepClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void KeepDrawDialog::keepClicked() {
    const std::optional<Date> date = parseDate(m_date->text().trimmed().toStdString());
    if (!date) {
        m_desktop.showMessage(this,
                              QStringLiteral("\"%1\" is no date written YYYY-MM-DD, such as "
                                             "2020-09-26.")
                                  .arg(m_date->text()),
                              kMessageTitle);
        return;
    }
    std::string said;
    try {
        const GameRange range = m_fields->read();
        DrawStore store(drawDatabasePath());
        said = keepTypedDraw(store, range.game, Draw{*date, std::nullopt, m_draw, {}});
    } catch (const std::exception &error) {
        said = error.what();
    }
    accept();
    m_desktop.showMessage(parentWidget(), QString::fromStdString(said), kMessageTitle);
}

} // namespace marlek
