#pragma once
// The browser window the about box opens on the maker's web page: a top-level window of its own
// with a toolbar (back, forward, reload, address) and a status bar. It outlives the about box;
// while the window that asked for it lives, its progress texts go to that window's callback.

#include <QString>

#include <functional>

namespace marlek {

// The progress texts a browser window reports.
inline const QString kNavigationBegun = QStringLiteral("Navigation begun...");
inline const QString kNavigationComplete = QStringLiteral("Navigation complete...");
inline const QString kDownloadBegun = QStringLiteral("Download begun...");
inline const QString kDownloadComplete = QStringLiteral("Download complete...");

// Where and how large a browser window opens, in screen pixels.
inline constexpr int kBrowserLeft = 270;
inline constexpr int kBrowserTop = 105;
inline constexpr int kBrowserWidth = 740;
inline constexpr int kBrowserHeight = 540;

} // namespace marlek

#ifdef MARLEK_HAVE_WEBENGINE

#include <QMainWindow>
#include <QPointer>

class QLineEdit;
class QWebEngineDownloadRequest;
class QWebEngineView;

namespace marlek {

class WebBrowserWindow : public QMainWindow {
    Q_OBJECT
public:
    using Progress = std::function<void(const QString &)>;

    // `progress` receives the progress texts for as long as `receiver` lives.
    WebBrowserWindow(QWidget *receiver, Progress progress);

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

    QPointer<QWidget> m_receiver;
    Progress m_progress;
    QWebEngineView *m_view = nullptr;
    QLineEdit *m_address = nullptr;
};

} // namespace marlek

#endif
