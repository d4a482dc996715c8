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
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>

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

QString QtDesktop::askOpenFileName(QWidget *parent, const QString &filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), qtFileFilter(filter));
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
// A page keeps every line whole at the size asked for, or at a smaller size down to this one;
// smaller still would be hard to read on paper.
constexpr qreal kSmallestPrintPointSize = 10;

namespace {

// The printed font: the size asked for, or the largest size down to kSmallestPrintPointSize at
// which the widest line fits across the page.
QFont printFont(const QStringList &lines, int pointSize, QPaintDevice *printer, int pageWidth) {
    QFont font = ticketFont();
    font.setPointSizeF(pointSize);
    const QFontMetricsF metrics(font, printer);
    const QString *widest = nullptr;
    qreal widestWidth = 0;
    for (const QString &line : lines) {
        if (const qreal width = metrics.horizontalAdvance(line); width > widestWidth) {
            widest = &line;
            widestWidth = width;
        }
    }
    if (!widest || widestWidth <= pageWidth)
        return font;
    const qreal smallest = std::min<qreal>(pointSize, kSmallestPrintPointSize);
    // Text widths follow the size closely; steps of a tenth make up for the rounding.
    qreal size = std::max(smallest, std::floor(pointSize * pageWidth / widestWidth * 10) / 10);
    font.setPointSizeF(size);
    while (size > smallest && QFontMetricsF(font, printer).horizontalAdvance(*widest) > pageWidth) {
        size = std::max(smallest, size - 0.1);
        font.setPointSizeF(size);
    }
    return font;
}

qsizetype leadingSpaces(const QString &text) {
    return std::find_if(text.begin(), text.end(), [](QChar c) { return c != QLatin1Char(' '); }) -
           text.begin();
}

} // namespace

QStringList printedLines(const QString &line, const std::function<bool(const QString &)> &fits) {
    if (fits(line))
        return {line};
    const QString continuation = line.left(leadingSpaces(line)) + kContinuationMark;
    QStringList pieces;
    QString rest = line;
    QString lead; // what a piece starts with: nothing on the first, the mark on the others
    while (!fits(lead + rest)) {
        // The most characters of the rest that fit after the lead; at least one, so it ends.
        qsizetype low = 1;
        qsizetype high = rest.size();
        while (low < high) {
            const qsizetype middle = (low + high + 1) / 2;
            if (fits(lead + rest.left(middle)))
                low = middle;
            else
                high = middle - 1;
        }
        // Cut at the last space of that much that follows a word; a word wider than the page is
        // cut where the page ends.
        qsizetype cut = low;
        if (low < rest.size() && rest[low] != QLatin1Char(' ')) {
            const qsizetype space = rest.lastIndexOf(QLatin1Char(' '), low - 1);
            if (space > 0 && !rest.left(space).trimmed().isEmpty())
                cut = space;
        }
        QString piece = lead + rest.left(cut);
        while (piece.endsWith(QLatin1Char(' ')))
            piece.chop(1);
        pieces << piece;
        rest = rest.mid(cut);
        rest = rest.mid(leadingSpaces(rest));
        lead = continuation;
        if (rest.isEmpty())
            return pieces;
    }
    pieces << lead + rest;
    return pieces;
}

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
    const QRect page = painter.viewport();
    const QFont font = printFont(lines, pointSize, m_printer.get(), page.width());
    painter.setFont(font);
    const QFontMetricsF metrics(font, m_printer.get());
    const auto fits = [&metrics, &page](const QString &text) {
        return metrics.horizontalAdvance(text) <= page.width();
    };
    const qreal lineHeight = metrics.lineSpacing();
    qreal y = metrics.ascent();
    for (const QString &line : lines) {
        for (const QString &printed : printedLines(line, fits)) {
            if (y + metrics.descent() > page.height()) {
                if (!m_printer->newPage()) {
                    if (errorText)
                        *errorText = QStringLiteral("The printer could not start a new page.");
                    painter.end();
                    return false;
                }
                y = metrics.ascent();
            }
            painter.drawText(QPointF(0, y), printed);
            y += lineHeight;
        }
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

bool QtDesktop::askTryAgain(QWidget *parent, const QString &text, const QString &title) {
    MessageBox box(text, title, parent);
    box.exec();
    return box.answer() != MessageBox::Answer::Cancel;
}

bool QtDesktop::askYesNo(QWidget *parent, const QString &text, const QString &title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
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
