#include "web_browser_window.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace marlek {

WebBrowserWindow::WebBrowserWindow(Progress progress) : m_progress(std::move(progress)) {
    setObjectName(QStringLiteral("WebBrowserWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    createWidgets();
    createToolBar();
    connectSignals();
}

void WebBrowserWindow::createWidgets() {
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("browserView"));
    setCentralWidget(m_view);

    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("browserAddress"));
    m_address->setAccessibleName(QStringLiteral("Address"));
    m_address->setClearButtonEnabled(true);

    statusBar()->setObjectName(QStringLiteral("browserStatusBar"));
}

void WebBrowserWindow::createToolBar() {
    QToolBar *toolBar = addToolBar(QStringLiteral("Navigation"));
    toolBar->setObjectName(QStringLiteral("browserToolBar"));
    toolBar->setMovable(false);

    QAction *back = m_view->pageAction(QWebEnginePage::Back);
    back->setObjectName(QStringLiteral("browserBack"));
    back->setShortcut(QKeySequence::Back);
    QAction *forward = m_view->pageAction(QWebEnginePage::Forward);
    forward->setObjectName(QStringLiteral("browserForward"));
    forward->setShortcut(QKeySequence::Forward);
    QAction *reload = m_view->pageAction(QWebEnginePage::Reload);
    reload->setObjectName(QStringLiteral("browserReload"));
    reload->setShortcut(QKeySequence::Refresh);

    toolBar->addAction(back);
    toolBar->addAction(forward);
    toolBar->addAction(reload);
    toolBar->addWidget(m_address);
}

void WebBrowserWindow::connectSignals() {
    connect(m_view, &QWebEngineView::loadStarted, this, [this] { report(kNavigationBegun); });
    connect(m_view, &QWebEngineView::loadProgress, this, [this](int percent) {
        statusBar()->showMessage(QStringLiteral("Loading... %1%").arg(percent));
    });
    connect(m_view, &QWebEngineView::loadFinished, this, &WebBrowserWindow::onLoadFinished);
    connect(m_view, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_view, &QWebEngineView::urlChanged, this,
            [this](const QUrl &url) { m_address->setText(url.toDisplayString()); });
    connect(m_view->page(), &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { statusBar()->showMessage(url); });
    connect(m_view->page()->profile(), &QWebEngineProfile::downloadRequested, this,
            &WebBrowserWindow::onDownloadRequested);
    connect(m_address, &QLineEdit::returnPressed, this, &WebBrowserWindow::onAddressEntered);
}

void WebBrowserWindow::showInFront() {
    move(kBrowserLeft, kBrowserTop);
    resize(kBrowserWidth, kBrowserHeight);
    show();
    raise();
    activateWindow();
}

void WebBrowserWindow::navigate(const QUrl &url) {
    m_address->setText(url.toDisplayString());
    m_view->setUrl(url);
}

void WebBrowserWindow::report(const QString &text) {
    if (m_progress)
        m_progress(text);
}

void WebBrowserWindow::onLoadFinished(bool ok) {
    statusBar()->showMessage(ok ? QStringLiteral("Done")
                                : QStringLiteral("The page %1 could not be opened.")
                                      .arg(m_view->url().toDisplayString()));
    report(kNavigationComplete);
}

void WebBrowserWindow::onDownloadRequested(QWebEngineDownloadRequest *download) {
    if (download->page() != m_view->page())
        return; // the profile is shared: another browser window's download
    download->accept();
    const QString path = QDir(download->downloadDirectory()).filePath(download->downloadFileName());
    statusBar()->showMessage(
        QStringLiteral("Downloading %1...").arg(QDir::toNativeSeparators(path)));
    report(kDownloadBegun);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download, path] {
        if (!download->isFinished())
            return;
        statusBar()->showMessage(
            download->state() == QWebEngineDownloadRequest::DownloadCompleted
                ? QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(path))
                : QStringLiteral("Could not download %1: %2")
                      .arg(QDir::toNativeSeparators(path), download->interruptReasonString()));
        report(kDownloadComplete);
    });
}

void WebBrowserWindow::onAddressEntered() {
    const QUrl url = QUrl::fromUserInput(m_address->text(), QDir::currentPath());
    if (url.isValid())
        m_view->setUrl(url);
}

} // namespace marlek
