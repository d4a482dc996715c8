#include "qt_desktop.h"

#include "message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace marlek {

QtDesktop::QtDesktop(QString browserProgram)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_browserProgram(std::move(browserProgram)), m_browsers(std::make_unique<QObject>()) {}

QtDesktop::~QtDesktop() = default;

QPrinter &QtDesktop::printer() {
    return *m_printer;
}

namespace {

// True when every character a report uses is as wide as a space, so equal-length lines line up
// (some monospace families set a few exotic glyphs wider and so do not call themselves fixed).
bool charactersShareOneWidth(const QFont &font) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char(' '));
    for (const QChar c : QStringLiteral("0123456789$LTicketsWM'"))
        if (!qFuzzyCompare(metrics.horizontalAdvance(c), width))
            return false;
    return true;
}

} // namespace

QFont ticketFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!charactersShareOneWidth(font)) {
        const int pointSize = QFontDatabase::systemFont(QFontDatabase::GeneralFont).pointSize();
        font = QFont(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        if (pointSize > 0)
            font.setPointSize(pointSize);
    }
    return font;
}

QString qtFileFilter(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList qtFilters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &label = parts[i];
        const QString &pattern = parts[i + 1];
        qtFilters << (label.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))
                          ? label
                          : QStringLiteral("%1 (%2)").arg(label, pattern));
    }
    return qtFilters.join(QStringLiteral(";;"));
}

QString QtDesktop::askSaveFileName(QWidget *parent, const QString &filter) {
    return QFileDialog::getSaveFileName(parent, QString(), QString(), qtFileFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool QtDesktop::askText(QWidget *parent, const QString &title, const QString &prompt,
                        QString *text) {
    bool accepted = false;
    const QString typed =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, *text, &accepted);
    if (accepted)
        *text = typed;
    return accepted;
}

void QtDesktop::showPrintSetup(QWidget *parent) {
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.exec();
}

// Lines stay this far inside the paper's edges, where every printer prints.
constexpr qreal kPrintMarginMillimetres = 15;

bool QtDesktop::printLines(const QStringList &lines, int pointSize, QString *errorText) {
    // Of the choices made in Print Setup only the printer counts: one copy of every page.
    m_printer->setCopyCount(1);
    m_printer->setPrintRange(QPrinter::AllPages);
    m_printer->setFullPage(false);
    m_printer->setPageMargins(QMarginsF(kPrintMarginMillimetres, kPrintMarginMillimetres,
                                        kPrintMarginMillimetres, kPrintMarginMillimetres),
                              QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(m_printer.get())) {
        if (errorText) {
            const QString name = m_printer->outputFileName().isEmpty()
                                     ? m_printer->printerName()
                                     : m_printer->outputFileName();
            *errorText = name.isEmpty()
                             ? QStringLiteral("No printer is available.")
                             : QStringLiteral("The printer %1 is not available.").arg(name);
        }
        return false;
    }
    QFont font = ticketFont();
    font.setPointSize(pointSize);
    painter.setFont(font);
    const QFontMetrics metrics(font, m_printer.get());
    const QRect page = painter.viewport();
    const int lineHeight = metrics.lineSpacing();
    int y = metrics.ascent();
    for (const QString &line : lines) {
        if (y + metrics.descent() > page.height()) {
            if (!m_printer->newPage()) {
                if (errorText)
                    *errorText = QStringLiteral("The printer could not start a new page.");
                painter.end();
                return false;
            }
            y = metrics.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    if (!painter.end()) {
        if (errorText)
            *errorText = QStringLiteral("The print job could not be finished.");
        return false;
    }
    return true;
}

void QtDesktop::showMessage(QWidget *parent, const QString &text, const QString &title) {
    MessageBox box(text, title, parent);
    box.exec();
}

bool QtDesktop::clearClipboard() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->clear();
    return true;
}

bool QtDesktop::setClipboardText(const QString &text) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text);
    return clipboard->text() == text;
}

void QtDesktop::beep() {
    QApplication::beep();
}

void QtDesktop::setBusyPointer(QWidget *window, bool busy) {
    if (!window)
        return;
    if (busy)
        window->setCursor(Qt::WaitCursor);
    else
        window->unsetCursor();
}

void QtDesktop::restoreArrowPointer() {
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace marlek
