#include "odds_window.h"

#include "odds_rows.h"
#include "window_units.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace marlek {
namespace {

constexpr int kLabelLeftTwips = 120;
constexpr int kLabelTopTwips = 120;
constexpr int kLabelWidthTwips = 2772;
constexpr int kLabelHeightTwips = 252;
constexpr int kListTopTwips = 360;

struct DesignSize {
    int widthTwips;
    int heightTwips;
};

DesignSize designSizeOf(int kind) {
    return kind == 5 ? DesignSize{5160, 5895} : DesignSize{5085, 5925};
}

// The rows line their columns up with runs of spaces, which works in a proportional font whose
// space and comma are half as wide as a digit (as in these families). The desktop's size is kept.
QFont tableFont(QFont font) {
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica"), font.family()});
    return font;
}

// A plain widget is exposed as a pane inside some window; a table is a window of its own, so
// tools that list the program's windows find it.
QAccessibleInterface *oddsWindowAccessible(const QString &, QObject *object) {
    if (auto *window = qobject_cast<OddsWindow *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    return nullptr;
}

} // namespace

OddsWindow::OddsWindow(int kind, QWidget *parent)
    : QWidget(parent, Qt::Window), m_kind(kind == 5 ? 5 : 6) {
    static const bool exposedAsWindow = [] {
        QAccessible::installFactory(oddsWindowAccessible);
        return true;
    }();
    Q_UNUSED(exposedAsWindow);
    setObjectName(m_kind == 5 ? QStringLiteral("Form8") : QStringLiteral("Form7"));
    setWindowTitle(QString::fromStdString(oddsCaption(m_kind)));
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed single-line border that still offers minimise and maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    createWidgets();
    createShortcuts();
    // A border dragged in the normal state goes back to the design size once the drag settles,
    // and a restored window to where it stood; the pause lets a maximise that arrives as a resize
    // first be seen as one.
    m_keepDesignSize = new QTimer(this);
    m_keepDesignSize->setSingleShot(true);
    m_keepDesignSize->setInterval(150);
    connect(m_keepDesignSize, &QTimer::timeout, this, &OddsWindow::fitBorderToWindowState);
    setDesignSize();
    Form_Load();
    Form_Resize();
    // The two tables open side by side rather than one over the other.
    placeWindow(this, m_kind == 5 ? 0.7 : 1.3);
}

void OddsWindow::createWidgets() {
    setFont(tableFont(font()));

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));

    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list1->setTextElideMode(Qt::ElideNone);
    m_list1->setAccessibleName(windowTitle());
    m_list1->setFocus();
}

void OddsWindow::createShortcuts() {
    // A read-only window: Escape closes it, as in a message window.
    auto *closeShortcut = new QShortcut(QKeySequence::Cancel, this);
    connect(closeShortcut, &QShortcut::activated, this, &QWidget::close);
}

void OddsWindow::setDesignSize() {
    const DesignSize design = designSizeOf(m_kind);
    setClientSizeTwips(this, design.widthTwips, design.heightTwips);
    m_designSize = size();
    fitBorderToWindowState();
}

void OddsWindow::Form_Load() {
    m_label1->setText(QString::fromLatin1(kOddsHeader));
    m_list1->setAccessibleDescription(m_label1->text());
    // The header stays whole even where the system font is larger than the design's.
    m_label1->setGeometry(
        twipsToPixelsX(this, kLabelLeftTwips), twipsToPixelsY(this, kLabelTopTwips),
        std::max(twipsToPixelsX(this, kLabelWidthTwips), m_label1->sizeHint().width()),
        twipsToPixelsY(this, kLabelHeightTwips));

    m_list1->clear();
    for (const std::string &item : oddsListItems(m_kind))
        m_list1->addItem(QString::fromStdString(item));
}

void OddsWindow::Form_Resize() {
    const int top = twipsToPixelsY(this, kListTopTwips);
    m_list1->setGeometry(0, top, width(), std::max(0, height() - top));
}

// The window keeps its design size in the normal state. It declares no largest size, though:
// window managers refuse to maximise a window whose smallest and largest sizes are equal.
void OddsWindow::fitSizeLimits() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) {
        setMinimumSize(0, 0);
        return;
    }
    setMinimumSize(m_designSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void OddsWindow::fitBorderToWindowState() {
    fitSizeLimits();
    if (windowState() != Qt::WindowNoState)
        return;
    // Back from maximised or minimised, the window stands where it stood before (a resize alone
    // would keep the screen's corner the maximised window had); a dragged border keeps its place.
    const bool restored = std::exchange(m_restoring, false) && m_normalGeometry.isValid();
    if (size() != m_designSize)
        setGeometry(QRect(restored ? m_normalGeometry.topLeft() : pos(), m_designSize));
}

void OddsWindow::keepNormalGeometry() {
    if (windowState() == Qt::WindowNoState && size() == m_designSize && isVisible())
        m_normalGeometry = geometry();
}

void OddsWindow::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    keepNormalGeometry();
}

void OddsWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    Form_Resize();
    keepNormalGeometry();
    if (size() != m_designSize && windowState() == Qt::WindowNoState)
        m_keepDesignSize->start();
}

void OddsWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // Back in the normal state, the platform or the window manager gives the window its normal
    // geometry back after this event: mend only what is left to mend once that has settled.
    fitSizeLimits();
    if (windowState() == Qt::WindowNoState) {
        m_restoring =
            static_cast<QWindowStateChangeEvent *>(event)->oldState() != Qt::WindowNoState;
        m_keepDesignSize->start();
    }
}

} // namespace marlek
