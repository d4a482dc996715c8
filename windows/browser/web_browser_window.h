#pragma once
// The browser window of the browser program: a top-level window with a toolbar (back, forward,
// reload, address) and a status bar, which reports its progress texts (browser_program.h) to a
// callback as it navigates and downloads.

#include "browser_program.h"

#include <QMainWindow>

#include <functional>

class QLineEdit;
class QUrl;
class QWebEngineDownloadRequest;
class QWebEngineView;

namespace marlek {

class WebBrowserWindow : public QMainWindow {
    Q_OBJECT
public:
    using Progress = std::function<void(const QString &)>;

    explicit WebBrowserWindow(Progress progress);

    // Shows the window at its place and size, in front of the others and active.
    void showInFront();
    void navigate(const QUrl &url);
    QWebEngineView *view() const { return m_view; }

private:
    void createWidgets();
    void createToolBar();
    void connectSignals();
    void report(const QString &text);
    void onLoadFinished(bool ok);
    void onDownloadRequested(QWebEngineDownloadRequest *download);
    void onAddressEntered();

    Progress m_progress;
    QWebEngineView *m_view = nullptr;
    QLineEdit *m_address = nullptr;
};

} // namespace marlek
