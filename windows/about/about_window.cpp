#include "about_window.h"

#include "about_texts.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

namespace marlek {
namespace {

constexpr int kIconSize = 48;

// The main window's icon (or the program's), until one is set a standard one.
QIcon programIcon(const QWidget *dialog) {
    const QIcon icon =
        dialog->parentWidget() ? dialog->parentWidget()->windowIcon() : QApplication::windowIcon();
    return icon.isNull() ? dialog->style()->standardIcon(QStyle::SP_MessageBoxInformation) : icon;
}

} // namespace

AboutWindow::AboutWindow(Desktop &desktop, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_desktop(desktop), m_pageUrl(makerPageUrl(QCoreApplication::applicationDirPath())) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(aboutCaption());
    setAttribute(Qt::WA_DeleteOnClose);
    // Modal over the whole program, as every modal window is; the browser window it opens belongs
    // to a program of its own, so it comes to the front and stays usable beside it.
    setWindowModality(Qt::ApplicationModal);
    createWidgets();
    createLayout();
    connectSignals();
    watchHoverTexts();
    Form_Load();
}

void AboutWindow::createWidgets() {
    m_picIcon = new QLabel(this);
    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setPixmap(programIcon(this).pixmap(kIconSize, kIconSize));
    m_picIcon->setFixedSize(kIconSize, kIconSize);
    m_picIcon->setAccessibleName(QStringLiteral("Program icon"));

    m_lblTitle = new QLabel(this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    m_lblTitle->setFont(titleFont);

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));

    // Looks and acts like a link: a click opens the page, as the button does.
    m_label4 = new QLabel(this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->setCursor(Qt::PointingHandCursor);
    QFont linkFont = m_label4->font();
    linkFont.setUnderline(true);
    m_label4->setFont(linkFont);
    QPalette linkPalette = m_label4->palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    m_label4->setPalette(linkPalette);
    // No accessible name: a screen reader reads the address itself, and the description says
    // what it leads to.

    m_command1 = new QPushButton(aboutSiteButtonText(), this);
    m_command1->setObjectName(QStringLiteral("Command1"));

    m_cmdOK = new QPushButton(aboutCloseButtonText(), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);

    m_statusBar1 = new QStatusBar(this);
    m_statusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar1->setSizeGripEnabled(false);
    // A line above the status text sets it apart from the box, even while it is empty.
    m_statusBar1->setStyleSheet(
        QStringLiteral("QStatusBar { border-top: 1px solid palette(mid); }"));
}

void AboutWindow::createLayout() {
    auto *texts = new QVBoxLayout;
    texts->addWidget(m_lblTitle);
    texts->addSpacing(8);
    texts->addWidget(m_label1);
    texts->addSpacing(8);
    texts->addWidget(m_label4);

    auto *top = new QHBoxLayout;
    top->addWidget(m_picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command1);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 8, 16, 12);
    body->addLayout(top);
    body->addSpacing(16);
    body->addLayout(buttons);

    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addLayout(body);
    window->addWidget(m_statusBar1);
    window->setSizeConstraint(QLayout::SetFixedSize); // a fixed dialog frame

    setTabOrder(m_cmdOK, m_command1);
    m_cmdOK->setFocus();
}

void AboutWindow::connectSignals() {
    connect(m_command1, &QPushButton::clicked, this, &AboutWindow::Command1_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
}

void AboutWindow::watchHoverTexts() {
    m_hoverTexts = {{m_cmdOK, aboutHoverText(AboutElement::CmdOK)},
                    {m_command1, aboutHoverText(AboutElement::Command1)},
                    {m_label1, aboutHoverText(AboutElement::Label1)},
                    {m_label4, aboutHoverText(AboutElement::Label4)},
                    {m_lblTitle, aboutHoverText(AboutElement::LblTitle)}};
    setMouseTracking(true);
    for (auto it = m_hoverTexts.cbegin(); it != m_hoverTexts.cend(); ++it) {
        auto *element = static_cast<QWidget *>(it.key());
        element->setMouseTracking(true);
        element->installEventFilter(this);
        element->setAccessibleDescription(it.value());
    }
}

void AboutWindow::Form_Load() {
    m_lblTitle->setText(aboutTitleText());
    m_label1->setText(aboutSloganText());
    m_label4->setText(m_pageUrl.toString());
}

void AboutWindow::Command1_Click() {
    const int previous = m_browserGeneration;
    const int generation = ++m_browserGeneration;
    QPointer<AboutWindow> self(this);
    const bool opened =
        m_desktop.openWebPage(this, m_pageUrl, [self, generation](const QString &text) {
            if (self && self->m_browserGeneration == generation)
                self->showStatus(text);
        });
    // A browser that could not be started changes nothing: the box stays as it was.
    if (!opened)
        m_browserGeneration = previous;
}

void AboutWindow::cmdOK_Click() {
    close();
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        showStatus(m_hoverTexts.value(watched));
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_label4) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                m_label4->rect().contains(mouse->position().toPoint()))
                Command1_Click();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::mouseMoveEvent(QMouseEvent *event) {
    showSurfaceTextAt(event->position().toPoint());
    QDialog::mouseMoveEvent(event);
}

void AboutWindow::enterEvent(QEnterEvent *event) {
    showSurfaceTextAt(event->position().toPoint());
    QDialog::enterEvent(event);
}

void AboutWindow::showSurfaceTextAt(const QPoint &position) {
    // Moves over an element reach the window too; only the bare surface has its own text.
    if (!childAt(position))
        showStatus(aboutHoverText(AboutElement::Surface));
}

void AboutWindow::showStatus(const QString &text) {
    m_statusBar1->showMessage(text);
}

} // namespace marlek
