// How the desktop opens a web page: through the browser program where it is given, reading its
// progress lines, and through the desktop's default browser where it is missing or ends before its
// window is shown. Small shell scripts stand in for the browser program.

#include "browser_program.h"
#include "desktop_browser_stand_in.h"
#include "qstring_print.h"
#include "qt_desktop.h"
#include "temp_dir.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace marlek {
namespace {

using test::TempDir;

constexpr int kProgramTimeoutMs = 60000;

QString qPath(const std::filesystem::path &path) {
    return QString::fromStdString(path.string());
}

class QtDesktopBrowserTest : public ::testing::Test {
protected:
    // A browser program made of a shell script; "$1" is the page.
    QString browserProgram(const std::string &body) {
        const auto path = dir / "browser";
        test::writeFileBytes(path, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return qPath(path);
    }

    // Opens the page and waits until the browser program has ended.
    void openAndWaitForTheEnd(QtDesktop &desktop) {
        ASSERT_TRUE(desktop.openWebPage(&receiver, page, [this](const QString &t) { texts << t; }));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return desktop.runningBrowsers() == 0; }, kProgramTimeoutMs));
    }

    TempDir dir;
    QUrl page = QUrl::fromLocalFile(QStringLiteral("/usr/share/marlek-lotto/about/index.html"));
    QWidget receiver;
    test::DesktopBrowserStandIn desktopBrowser;
    QStringList texts;
};

TEST_F(QtDesktopBrowserTest, TheBrowserProgramGetsThePageAndItsProgressReachesTheAskingWindow) {
    QtDesktop desktop(browserProgram(
        "printf '%s' \"$1\" > \"$(dirname \"$0\")/page\"\n"
        "printf 'Window shown\\nNavigation begun...\\nLoading 50%%\\nNavigation complete...\\n'\n"
        "printf 'Download begun...\\nDownload complete...\\nWindow shown'"));
    openAndWaitForTheEnd(desktop);
    EXPECT_EQ(test::readFileBytes(dir / "page"), page.toString().toStdString());
    // Other lines, and a last one cut short, are no progress.
    EXPECT_EQ(texts, QStringList({kNavigationBegun, kNavigationComplete, kDownloadBegun,
                                  kDownloadComplete}));
    EXPECT_TRUE(desktopBrowser.opened.isEmpty());
}

// Whatever ends the browser program before its window is shown, the desktop's browser opens the
// page instead; once the window was shown, its end is its own.
TEST_F(QtDesktopBrowserTest, ABrowserProgramThatEndsBeforeItsWindowHandsThePageOn) {
    const struct {
        const char *name;
        std::string body;
        bool handedOn;
    } cases[] = {
        {"the engine cannot start here", "exit " + std::to_string(kBrowserCannotStart), true},
        {"a library is missing", "echo 'error while loading shared libraries' >&2; exit 127", true},
        {"it crashes", "kill -SEGV $$", true},
        {"it ends without a word", "exit 0", true},
        {"it crashes after its window", "echo 'Window shown'; kill -SEGV $$", false},
        {"it is closed after its window", "echo 'Window shown'; exit 0", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        desktopBrowser.opened.clear();
        QtDesktop desktop(browserProgram(c.body));
        openAndWaitForTheEnd(desktop);
        EXPECT_EQ(desktopBrowser.opened, c.handedOn ? QList<QUrl>{page} : QList<QUrl>{});
    }
    EXPECT_TRUE(texts.isEmpty());
}

TEST_F(QtDesktopBrowserTest, WithoutTheBrowserProgramTheDesktopsBrowserOpensThePage) {
    QtDesktop notInstalled{QString()};
    EXPECT_TRUE(notInstalled.openWebPage(&receiver, page, [](const QString &) {}));
    EXPECT_EQ(desktopBrowser.opened, QList<QUrl>{page}); // at once

    desktopBrowser.opened.clear();
    QtDesktop removedSince(qPath(dir / "gone"));
    openAndWaitForTheEnd(removedSince);
    EXPECT_EQ(desktopBrowser.opened, QList<QUrl>{page});
}

TEST_F(QtDesktopBrowserTest, AnInvalidLocationOpensNothing) {
    QtDesktop desktop(browserProgram("echo 'Window shown'"));
    EXPECT_FALSE(desktop.openWebPage(&receiver, QUrl(), [](const QString &) {}));
    EXPECT_EQ(desktop.runningBrowsers(), 0);
    EXPECT_TRUE(desktopBrowser.opened.isEmpty());
}

// The asking window (the about box) may close while the browser goes on: nothing reaches it then.
TEST_F(QtDesktopBrowserTest, AfterTheAskingWindowIsGoneNoProgressIsReported) {
    QtDesktop desktop(browserProgram("printf 'Window shown\\nNavigation begun...\\n'"));
    auto asking = std::make_unique<QWidget>();
    ASSERT_TRUE(desktop.openWebPage(asking.get(), page, [this](const QString &t) { texts << t; }));
    asking.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop.runningBrowsers() == 0; }, kProgramTimeoutMs));
    EXPECT_TRUE(texts.isEmpty());
    EXPECT_TRUE(desktopBrowser.opened.isEmpty());
}

TEST(BrowserProgram, IsFoundInstalledOrInTheBuildTree) {
    EXPECT_EQ(browserProgramCandidates(QStringLiteral("/usr/bin")),
              QStringList({QStringLiteral("/usr/libexec/marlek-lotto/marlek-lotto-browser"),
                           QStringLiteral("/usr/browser/marlek-lotto-browser")}));
    TempDir dir;
    const auto program = dir / "marlek-lotto-browser";
    const auto notExecutable = dir / "not-executable";
    test::writeFileBytes(program, "#!/bin/sh\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    test::writeFileBytes(notExecutable, "#!/bin/sh\n");
    EXPECT_EQ(findBrowserProgram({qPath(notExecutable), qPath(dir.path()), qPath(program)}),
              qPath(program));
    EXPECT_EQ(findBrowserProgram({qPath(notExecutable), qPath(dir / "none")}), QString());
}

} // namespace
} // namespace marlek
