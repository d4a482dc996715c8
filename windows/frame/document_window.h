#pragma once
// frmDocument: one wheel report as a list of lines inside the main window.

#include "report_request.h"
#include "saved_report.h"

#include <QAbstractListModel>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QListView;

namespace marlek {

// The report's lines for the list. A list view asks only for the rows it shows, so a full wheel of
// tens of thousands of tickets opens at once.
class ReportLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ReportLinesModel(std::vector<std::string> lines, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const std::vector<std::string> &lines() const { return m_lines; }

    // The row with the most characters: in the report's fixed-pitch font, the widest.
    int longestRow() const;
    // Every row takes this size, the one the longest row needs, so no line is cut short and the
    // list scrolls sideways to show it all.
    void setRowSize(QSize size) { m_rowSize = size; }
    QSize rowSize() const { return m_rowSize; }

private:
    std::vector<std::string> m_lines;
    QSize m_rowSize;
};

// A report read back from a file, with the caption its documents name it by.
struct OpenedReport {
    SavedReport report;
    QString caption;
};

class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    // Writes the report of the request into the new window's list (Form_Load). The window keeps
    // the request: what it shows never follows anything chosen later.
    explicit DocumentWindow(ReportRequest request, QWidget *parent = nullptr);
    // A check of the request's report against `draw`, showing `checkLines` as drawCheckLines
    // wrote them (the caller writes them first, so a report that cannot be checked opens nothing).
    DocumentWindow(ReportRequest request, std::vector<int> draw,
                   std::vector<std::string> checkLines, QWidget *parent = nullptr);

    // A document of other lines about the request's wheel (What It Wins), read out under
    // `listName`. It holds none of the wheel's tickets.
    DocumentWindow(ReportRequest request, std::vector<std::string> lines, const QString &listName,
                   QWidget *parent = nullptr);

    // A report read back from a file (File > Open), showing its lines as they were saved; and a
    // check of such a report against `draw`.
    explicit DocumentWindow(std::shared_ptr<const OpenedReport> saved, QWidget *parent = nullptr);
    DocumentWindow(std::shared_ptr<const OpenedReport> saved, std::vector<int> draw,
                   std::vector<std::string> checkLines, QWidget *parent = nullptr);

    // What the document was written from: a request, or for an opened report none (mode 0) and
    // the report in openedReport().
    const ReportRequest &request() const { return m_request; }
    const std::shared_ptr<const OpenedReport> &openedReport() const { return m_saved; }
    // The draw a check document checks against; empty for a report.
    const std::vector<int> &draw() const { return m_draw; }
    // The lines the report wrote, in order: what the window shows and the commands hand over.
    const std::vector<std::string> &lines() const;
    // T as the report states it; 0 for a document that holds no tickets.
    std::int32_t ticketCount() const;

    QListView *list() const { return List1; }

    // Wide enough for the longest report line, tall enough for a good part of the tickets.
    QSize sizeHint() const override;

    // Closes the window, with the frame it sits in inside the main window.
    void closeDocument();
    // False from the moment the window closes (it is deleted a moment later).
    bool isOpen() const { return m_open; }

    // Another document became the active one.
    void Form_Deactivate();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Form_Load(std::vector<std::string> lines);
    void Form_Resize();
    void Form_Click();

    ReportRequest m_request;
    std::shared_ptr<const OpenedReport> m_saved;
    std::vector<int> m_draw; // what a check document checks against; empty for a report
    QString m_listName;
    bool m_holdsTickets = true;
    QListView *List1 = nullptr;
    ReportLinesModel *m_model = nullptr;
    bool m_open = true;
};

} // namespace marlek
