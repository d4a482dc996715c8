#include "qt_desktop.h"
#include "web_browser_window.h"

#include <QDesktopServices>
#include <QWindow>

namespace marlek {
namespace {

// The desktop's default browser; it reports no progress.
bool openInDesktopBrowser(const QUrl &url) {
    return url.isValid() && QDesktopServices::openUrl(url);
}

#ifdef MARLEK_HAVE_WEBENGINE

// A modal window (the about box) blocks every window but its own transient ones: the browser
// becomes one of them, without being owned by it, so it stays usable while the modal window is
// open and stays open after it closes.
void keepUsableBeside(QWidget *browser, QWidget *receiver) {
    if (!receiver || !receiver->window()->windowHandle())
        return;
    browser->winId(); // creates the browser's native window
    browser->windowHandle()->setTransientParent(receiver->window()->windowHandle());
}

#endif

} // namespace

#ifdef MARLEK_HAVE_WEBENGINE

// A browser window of our own, whose progress the asking window can show. It is not owned by the
// asking window, so it stays open when that one closes. Where the engine cannot start, the
// desktop's browser opens the page instead: starting it anyway would end the program.
bool QtDesktop::openWebPage(QWidget *receiver, const QUrl &url,
                            std::function<void(const QString &)> progress) {
    if (!url.isValid())
        return false;
    if (!m_webEngineUsable())
        return openInDesktopBrowser(url);
    try {
        auto *browser = new WebBrowserWindow(receiver, std::move(progress));
        browser->move(kBrowserLeft, kBrowserTop);
        browser->resize(kBrowserWidth, kBrowserHeight);
        keepUsableBeside(browser, receiver);
        browser->show();
        browser->navigate(url);
        return true;
    } catch (...) {
        return false; // the page is a courtesy: never let it disturb the caller
    }
}

#else

bool QtDesktop::openWebPage(QWidget *, const QUrl &url, std::function<void(const QString &)>) {
    return openInDesktopBrowser(url);
}

#endif

} // namespace marlek
