#include "document_window.h"

#include "qt_desktop.h"
#include "wheel_report.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QListView>
#include <QMdiSubWindow>
#include <QMouseEvent>

#include <algorithm>

namespace marlek {

ReportLinesModel::ReportLinesModel(std::vector<std::string> lines, QObject *parent)
    : QAbstractListModel(parent), m_lines(std::move(lines)) {}

int ReportLinesModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant ReportLinesModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::SizeHintRole)
        return m_rowSize.isValid() ? QVariant(m_rowSize) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::string &line = m_lines[static_cast<std::size_t>(index.row())];
    // Reports are ASCII; a game's name in What It Wins may be any UTF-8 text.
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

int ReportLinesModel::longestRow() const {
    const auto longest = std::max_element(
        m_lines.begin(), m_lines.end(),
        [](const std::string &a, const std::string &b) { return a.size() < b.size(); });
    return longest == m_lines.end() ? 0 : static_cast<int>(longest - m_lines.begin());
}

DocumentWindow::DocumentWindow(ReportRequest request, QWidget *parent)
    : QWidget(parent), m_request(std::move(request)) {
    setObjectName(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    Form_Load(reportLines(m_request));
}

DocumentWindow::DocumentWindow(ReportRequest request, std::vector<int> draw,
                               std::vector<std::string> checkLines, QWidget *parent)
    : QWidget(parent), m_request(std::move(request)), m_draw(std::move(draw)) {
    setObjectName(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    Form_Load(std::move(checkLines));
}

DocumentWindow::DocumentWindow(ReportRequest request, std::vector<std::string> lines,
                               const QString &listName, QWidget *parent)
    : QWidget(parent), m_request(std::move(request)), m_listName(listName), m_holdsTickets(false) {
    setObjectName(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    Form_Load(std::move(lines));
}

DocumentWindow::DocumentWindow(std::shared_ptr<const OpenedReport> saved, QWidget *parent)
    : QWidget(parent), m_saved(std::move(saved)) {
    setObjectName(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    Form_Load(m_saved->report.lines);
}

DocumentWindow::DocumentWindow(std::shared_ptr<const OpenedReport> saved, std::vector<int> draw,
                               std::vector<std::string> checkLines, QWidget *parent)
    : QWidget(parent), m_saved(std::move(saved)), m_draw(std::move(draw)) {
    setObjectName(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    Form_Load(std::move(checkLines));
}

void DocumentWindow::Form_Load(std::vector<std::string> lines) {
    m_model = new ReportLinesModel(std::move(lines), this);

    List1 = new QListView(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(!m_listName.isEmpty() ? m_listName
                             : m_draw.empty()      ? QStringLiteral("Report")
                                                   : QStringLiteral("Draw Check"));
    // Ticket numbers sit in columns: a fixed-pitch font keeps them lined up.
    List1->setFont(ticketFont());
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setModel(m_model);
    List1->setTextElideMode(Qt::ElideNone);
    if (m_model->rowCount() > 0)
        m_model->setRowSize(List1->sizeHintForIndex(m_model->index(m_model->longestRow())));
    Form_Resize();
}

const std::vector<std::string> &DocumentWindow::lines() const {
    return m_model->lines();
}

std::int32_t DocumentWindow::ticketCount() const {
    if (m_saved)
        return static_cast<std::int32_t>(std::min<std::int64_t>(m_saved->report.ticketCount, INT32_MAX));
    return m_holdsTickets ? reportTicketCount(m_request) : 0;
}

QSize DocumentWindow::sizeHint() const {
    // Wide enough for the longest report line, and tall enough for a good part of the tickets.
    const QFontMetrics metrics(List1->font());
    const int frame = 2 * List1->frameWidth();
    const int scrollBar = List1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int lines = std::max(metrics.horizontalAdvance(QString(62, QLatin1Char('0'))),
                               m_model->rowSize().width());
    const int width = lines + frame + scrollBar;
    const int height = metrics.lineSpacing() * 24 + frame;
    return {width, height};
}

void DocumentWindow::Form_Resize() {
    List1->setGeometry(0, 0, width(), height());
}

void DocumentWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void DocumentWindow::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        m_open = false;
}

void DocumentWindow::Form_Click() {
    closeDocument();
}

void DocumentWindow::mouseReleaseEvent(QMouseEvent *event) {
    // Only clicks on the window's own surface arrive here; the list takes those on itself.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
    else
        QWidget::mouseReleaseEvent(event);
}

void DocumentWindow::Form_Deactivate() {
    closeDocument();
}

void DocumentWindow::closeDocument() {
    m_open = false;
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

} // namespace marlek
