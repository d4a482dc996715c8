// The real browser window behind the about box's "Vorrin's Site". Kept apart from the other about
// box tests: it starts Qt WebEngine's own processes, and a failure there must not take them along.

#include "qt_desktop.h"
#include "temp_dir.h"
#include "web_browser_window.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWindow>

#ifdef MARLEK_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#endif

#include <gtest/gtest.h>

#include <filesystem>

#if defined(__SANITIZE_ADDRESS__)
// Qt WebEngine's own library frees some of its objects through a base of another size, which
// AddressSanitizer reports as new-delete-type-mismatch inside libQt6WebEngineCore; that check is
// turned off for this program only, every other check stays on.
extern "C" const char *__asan_default_options() {
    return "new_delete_type_mismatch=0";
}
#endif

namespace marlek {
namespace {

#ifdef MARLEK_HAVE_WEBENGINE

constexpr int kPageTimeoutMs = 60000; // the first page starts WebEngine's processes

QString qPath(const std::filesystem::path &path) {
    return QString::fromStdString(path.string());
}

QList<WebBrowserWindow *> browserWindows() {
    QList<WebBrowserWindow *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *browser = qobject_cast<WebBrowserWindow *>(widget))
            windows << browser;
    }
    return windows;
}

class WebBrowserWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFileBytes(site / "index.html",
                             "<!DOCTYPE html><html><head><title>Test page</title></head><body>"
                             "<a id=\"guide\" href=\"guide.txt\" download>guide</a></body></html>");
        test::writeFileBytes(site / "guide.txt", "Pick your numbers.\n");
        std::filesystem::create_directories(downloads.path());
        QWebEngineProfile::defaultProfile()->setDownloadPath(qPath(downloads.path()));
    }
    void TearDown() override {
        for (WebBrowserWindow *browser : browserWindows())
            browser->close();
        QApplication::processEvents();
    }

    bool waitForText(const QString &text) {
        return QTest::qWaitFor([&] { return texts.contains(text); }, kPageTimeoutMs);
    }

    test::TempDir site;
    test::TempDir downloads;
    QtDesktop desktop;
    QStringList texts;
};

TEST_F(WebBrowserWindowTest, OpensBesideTheAboutBoxWithBarsAndReportsItsProgress) {
    auto receiver = std::make_unique<QWidget>();
    const QUrl page = QUrl::fromLocalFile(qPath(site / "index.html"));
    ASSERT_TRUE(
        desktop.openWebPage(receiver.get(), page, [this](const QString &text) { texts << text; }));

    const auto windows = browserWindows();
    ASSERT_EQ(windows.size(), 1);
    WebBrowserWindow *browser = windows.front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browser));
    EXPECT_EQ(browser->pos(), QPoint(270, 105));
    EXPECT_EQ(browser->size(), QSize(740, 540));
    EXPECT_EQ(browser->parentWidget(), nullptr); // outlives the about box

    auto *toolBar = browser->findChild<QToolBar *>(QStringLiteral("browserToolBar"));
    ASSERT_NE(toolBar, nullptr);
    EXPECT_TRUE(toolBar->isVisible());
    for (const char *name : {"browserBack", "browserForward", "browserReload"}) {
        QAction *action = browser->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_TRUE(toolBar->actions().contains(action)) << name;
    }
    auto *address = browser->findChild<QLineEdit *>(QStringLiteral("browserAddress"));
    ASSERT_NE(address, nullptr);
    EXPECT_TRUE(address->isVisible());
    auto *statusBar = browser->findChild<QStatusBar *>(QStringLiteral("browserStatusBar"));
    ASSERT_NE(statusBar, nullptr);
    EXPECT_TRUE(statusBar->isVisible());

    ASSERT_TRUE(waitForText(kNavigationComplete)) << texts.join(u'|').toStdString();
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(texts.front(), kNavigationBegun);
    EXPECT_EQ(address->text(), page.toDisplayString());
    EXPECT_EQ(browser->windowTitle(), "Test page");

    // A download on the page reports its start and end, and the file arrives.
    browser->view()->page()->runJavaScript(
        QStringLiteral("document.getElementById('guide').click();"));
    ASSERT_TRUE(waitForText(kDownloadComplete)) << texts.join(u'|').toStdString();
    EXPECT_LT(texts.indexOf(kDownloadBegun), texts.indexOf(kDownloadComplete));
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(downloads / "guide.txt"); },
                                kPageTimeoutMs));

    // Once the asking window is gone, the browser stays open and reports to no one.
    receiver.reset();
    texts.clear();
    QPointer<WebBrowserWindow> stays(browser);
    bool reloaded = false;
    QObject::connect(browser->view(), &QWebEngineView::loadFinished, [&] { reloaded = true; });
    browser->view()->reload();
    EXPECT_TRUE(QTest::qWaitFor([&] { return reloaded; }, kPageTimeoutMs));
    EXPECT_TRUE(texts.isEmpty()) << texts.join(u'|').toStdString();
    EXPECT_FALSE(stays.isNull());
    EXPECT_TRUE(browser->isVisible());
}

TEST_F(WebBrowserWindowTest, EachPressOpensAFurtherWindow) {
    QWidget receiver;
    const QUrl page = QUrl::fromLocalFile(qPath(site / "index.html"));
    ASSERT_TRUE(desktop.openWebPage(&receiver, page, [](const QString &) {}));
    ASSERT_TRUE(desktop.openWebPage(&receiver, page, [](const QString &) {}));
    EXPECT_EQ(browserWindows().size(), 2);
}

TEST_F(WebBrowserWindowTest, AnInvalidLocationOpensNothing) {
    QWidget receiver;
    EXPECT_FALSE(desktop.openWebPage(&receiver, QUrl(), [this](const QString &t) { texts << t; }));
    EXPECT_TRUE(browserWindows().isEmpty());
    EXPECT_TRUE(texts.isEmpty());
}

// Counts the presses that reach a widget.
class PressCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

// A click through the widget's native window, as the window system delivers it: it reaches the
// widget only when no modal window blocks that window.
bool takesClicks(QWidget *widget) {
    PressCounter counter;
    widget->installEventFilter(&counter);
    QWindow *window = widget->window()->windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, {},
                      widget->mapTo(widget->window(), widget->rect().center()));
    widget->removeEventFilter(&counter);
    return counter.presses > 0;
}

// The about box is modal over the whole program; the browser it opens stays usable beside it,
// and stays open after it.
TEST_F(WebBrowserWindowTest, ABrowserOpenedByAModalWindowTakesInputBesideIt) {
    QLineEdit blocked; // any other window of the program
    blocked.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&blocked));
    auto *modal = new QDialog;
    modal->setWindowModality(Qt::ApplicationModal);
    modal->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(modal));

    const QUrl page = QUrl::fromLocalFile(qPath(site / "index.html"));
    ASSERT_TRUE(desktop.openWebPage(modal, page, [](const QString &) {}));
    ASSERT_EQ(browserWindows().size(), 1);
    QPointer<WebBrowserWindow> browser = browserWindows().front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browser));
    auto *address = browser->findChild<QLineEdit *>(QStringLiteral("browserAddress"));
    EXPECT_TRUE(takesClicks(address));
    EXPECT_FALSE(takesClicks(&blocked));

    delete modal;
    ASSERT_FALSE(browser.isNull());
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(takesClicks(address));
}

// Stands in for the desktop's default browser.
class DesktopBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

// As root with the sandbox on, starting the engine would end the program: the page goes to the
// desktop's browser and the engine is never started.
TEST_F(WebBrowserWindowTest, WhereTheEngineCannotStartTheDesktopsBrowserOpensThePage) {
    DesktopBrowser desktopBrowser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktopBrowser, "open");
    QtDesktop rootDesktop([] {
        return webEngineCanStart(
            {.runsAsRoot = true, .disableSandbox = {}, .chromiumFlags = {}, .helperFound = true});
    });
    QWidget receiver;
    const QUrl page = QUrl::fromLocalFile(qPath(site / "index.html"));
    EXPECT_TRUE(rootDesktop.openWebPage(&receiver, page, [this](const QString &t) { texts << t; }));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(desktopBrowser.opened, QList<QUrl>{page});
    EXPECT_TRUE(browserWindows().isEmpty());
    EXPECT_TRUE(texts.isEmpty());
}

#else

TEST(WebBrowserWindow, NeedsQtWebEngine) {
    GTEST_SKIP() << "built without Qt WebEngine: the desktop's default browser opens the page";
}

#endif

TEST(WebEngineCheck, StartsOnlyWhereTheEngineCanRun) {
    const struct {
        WebEngineEnvironment environment;
        bool canStart;
    } cases[] = {
        {{false, "", "", true}, true},
        {{true, "", "", true}, false},
        {{true, "0", "", true}, false},
        {{true, "1", "", true}, true},
        {{true, "", "--disable-gpu --no-sandbox", true}, true},
        {{false, "", "", false}, false},
        {{true, "1", "", false}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.environment.runsAsRoot << " '" << c.environment.disableSandbox << "' '"
                     << c.environment.chromiumFlags << "' " << c.environment.helperFound);
        EXPECT_EQ(webEngineCanStart(c.environment), c.canStart);
    }
}

} // namespace
} // namespace marlek

#ifdef MARLEK_HAVE_WEBENGINE
#include "web_browser_window_uitest.moc"
#endif
