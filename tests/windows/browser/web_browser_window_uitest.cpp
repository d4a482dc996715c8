// The browser program behind the about box's "Vorrin's Site": its window, in this process, and the
// real program started by the desktop. Kept apart from the other tests: it starts Qt WebEngine's
// own processes, and a failure there must not take them along.

#include "browser_program.h"
#include "desktop_browser_stand_in.h"
#include "qstring_print.h"
#include "qt_desktop.h"
#include "temp_dir.h"
#include "web_browser_window.h"
#include "web_engine_check.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

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

constexpr int kPageTimeoutMs = 60000; // the first page starts WebEngine's processes

QString qPath(const std::filesystem::path &path) {
    return QString::fromStdString(path.string());
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

    bool waitForText(const QString &text) {
        return QTest::qWaitFor([&] { return texts.contains(text); }, kPageTimeoutMs);
    }

    test::TempDir site;
    test::TempDir downloads;
    QUrl page = QUrl::fromLocalFile(qPath(site / "index.html"));
    QStringList texts;
};

TEST_F(WebBrowserWindowTest, OpensInFrontWithBarsAndReportsItsProgress) {
    QPointer<WebBrowserWindow> browser =
        new WebBrowserWindow([this](const QString &text) { texts << text; });
    browser->showInFront();
    browser->navigate(page);
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser));
    EXPECT_EQ(QApplication::activeWindow(), browser.data());
    EXPECT_EQ(browser->pos(), QPoint(270, 105));
    EXPECT_EQ(browser->size(), QSize(740, 540));

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

    browser->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser.isNull(); }));
}

// The real program, asked from a window that is modal over the whole of this program (as the
// about box is): its window is another program's, which that modal window cannot block, and its
// progress comes back over the pipe.
TEST_F(WebBrowserWindowTest, TheProgramOpensThePageBesideAModalWindowAndReportsItsProgress) {
    test::DesktopBrowserStandIn desktopBrowser;
    QtDesktop desktop(QStringLiteral(MARLEK_BROWSER_PROGRAM));
    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    ASSERT_TRUE(desktop.openWebPage(&modal, page, [this](const QString &t) { texts << t; }));
    ASSERT_TRUE(waitForText(kNavigationComplete)) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts.front(), kNavigationBegun);
    EXPECT_EQ(desktop.runningBrowsers(), 1);
    EXPECT_TRUE(desktopBrowser.opened.isEmpty());
}

// As root with the sandbox on, starting the engine would end the program: it ends at once with its
// own status, before touching the engine, and the desktop's browser opens the page.
TEST_F(WebBrowserWindowTest, AsRootWithTheSandboxOnTheDesktopsBrowserOpensThePage) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root is refused the sandbox";
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
    environment.remove(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(MARLEK_BROWSER_PROGRAM), {page.toString()});
    ASSERT_TRUE(program.waitForFinished(kPageTimeoutMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), kBrowserCannotStart);
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());

    // The desktop starts it with this program's environment.
    const QByteArray sandboxOff = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    test::DesktopBrowserStandIn desktopBrowser;
    QtDesktop desktop(QStringLiteral(MARLEK_BROWSER_PROGRAM));
    QWidget receiver;
    const bool opened =
        desktop.openWebPage(&receiver, page, [this](const QString &t) { texts << t; });
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", sandboxOff);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !desktopBrowser.opened.isEmpty(); }, kPageTimeoutMs));
    EXPECT_EQ(desktopBrowser.opened, QList<QUrl>{page});
    EXPECT_TRUE(texts.isEmpty());
}

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
