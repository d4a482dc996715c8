#pragma once
// frmAbout: the product, its maker and the way to the maker's web page. A dialog owned by the
// main window: modal over it, fixed frame, no task-bar entry. The status line at the bottom shows
// what the element under the pointer is for, and the progress of the browser window it opened.

#include "desktop.h"

#include <QDialog>
#include <QHash>
#include <QUrl>

class QLabel;
class QPushButton;
class QStatusBar;

namespace marlek {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Desktop &desktop, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

private:
    void createWidgets();
    void createLayout();
    void connectSignals();
    void watchHoverTexts();
    void Form_Load();

    void Command1_Click();
    void cmdOK_Click();
    void showSurfaceTextAt(const QPoint &position);
    void showStatus(const QString &text);

    Desktop &m_desktop;
    QUrl m_pageUrl;
    // Each press of "Vorrin's Site" opens a further browser window; only the newest one reports.
    int m_browserGeneration = 0;
    QHash<QObject *, QString> m_hoverTexts;

    QLabel *m_picIcon = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label4 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QStatusBar *m_statusBar1 = nullptr;
};

} // namespace marlek
