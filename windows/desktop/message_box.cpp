#include "message_box.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace marlek {

MessageBox::MessageBox(const QString &text, const QString &title, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("messageBox"));
    setWindowTitle(title);

    // Texts end their lines in CR LF like everything the program writes; a label wants LF alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text = new QLabel(shown);
    m_text->setObjectName(QStringLiteral("messageText"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    m_text->setContentsMargins(margin, margin, margin, margin);

    m_textArea = new QScrollArea(this);
    m_textArea->setObjectName(QStringLiteral("messageTextArea"));
    m_textArea->setFrameShape(QFrame::NoFrame);
    m_textArea->setWidget(m_text);
    m_textArea->setWidgetResizable(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *continueButton = nullptr;
    const Answer answers[] = {Answer::Cancel, Answer::TryAgain, Answer::Continue};
    for (const Answer answer : answers) {
        const QString caption = answer == Answer::Cancel     ? QStringLiteral("Cancel")
                                : answer == Answer::TryAgain ? QStringLiteral("Try Again")
                                                             : QStringLiteral("Continue");
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("messageButton%1").arg(buttons->count()));
        buttons->addWidget(button);
        // Every answer ends the box; the caller asks which one it was only where it matters.
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        continueButton = button;
    }
    continueButton->setDefault(true);
    continueButton->setFocus();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_textArea, 1);
    layout->addLayout(buttons);
    fitToScreen();
}

// As large as the text wants, up to most of the screen; beyond that the text scrolls inside the
// box, whose buttons stay in view.
void MessageBox::fitToScreen() {
    const QScreen *screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Margins and buttons, and room for the window frame the window manager adds.
    const int frameRoom = 4 * fontMetrics().height();
    const QSize rest = sizeHint() - m_textArea->sizeHint() + QSize(frameRoom, frameRoom);
    const int widest = std::max(available.width() * 9 / 10 - rest.width(), 1);
    const int tallest = std::max(available.height() * 9 / 10 - rest.height(), 1);

    const QSize wanted = m_text->sizeHint();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool scrollsDown = wanted.height() > tallest;
    const bool scrollsAcross = wanted.width() + (scrollsDown ? scrollBar : 0) > widest;
    m_textArea->setVerticalScrollBarPolicy(scrollsDown ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    m_textArea->setHorizontalScrollBarPolicy(scrollsAcross ? Qt::ScrollBarAlwaysOn
                                                           : Qt::ScrollBarAlwaysOff);
    m_textArea->setMinimumSize(
        std::min(wanted.width() + (scrollsDown ? scrollBar : 0), widest),
        std::min(wanted.height() + (scrollsAcross ? scrollBar : 0), tallest));
    adjustSize();
}

} // namespace marlek
