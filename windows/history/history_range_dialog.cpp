#include "history_range_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace marlek {

HistoryRangeDialog::HistoryRangeDialog(Desktop &desktop, const GameList &games,
                                       std::function<void(const GameRange &)> chosen,
                                       QWidget *parent)
    : QDialog(parent), m_desktop(desktop), m_chosen(std::move(chosen)) {
    setObjectName(QStringLiteral("frmCheckPastDraws"));
    setWindowTitle(QStringLiteral("Check Against Past Draws"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(QStringLiteral("The tickets of the report on screen, checked against "
                                           "every stored draw of the game between the dates "
                                           "(empty: all of them)."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    m_fields = new GameRangeFields(games, true, this);
    layout->addWidget(m_fields);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *check = buttons->addButton(QStringLiteral("&Check"), QDialogButtonBox::AcceptRole);
    check->setObjectName(QStringLiteral("cmdCheck"));
    check->setDefault(true);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addWidget(buttons);
    connect(check, &QPushButton::clicked, this, &HistoryRangeDialog::checkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void HistoryRangeDialog::checkClicked() {
    GameRange range;
    try {
        range = m_fields->read();
    } catch (const std::invalid_argument &error) {
        m_desktop.showMessage(this, QString::fromStdString(error.what()), kMessageTitle);
        return;
    }
    accept();
    m_chosen(range);
}

} // namespace marlek
