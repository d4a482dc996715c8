#include "about_window.h"
#include "fake_desktop.h"

#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace marlek {
namespace {

// Waits while events run until the condition holds; false after two seconds.
template <typename Condition> bool eventually(Condition condition) {
    return QTest::qWaitFor(condition, 2000);
}

// Moves the pointer as the window system would, so that enter and move events reach the element
// under it.
void pointAt(QWidget *widget, QPoint local = {}) {
    if (local.isNull())
        local = widget->rect().center();
    QWidget *window = widget->window();
    QTest::mouseMove(window->windowHandle(), widget->mapTo(window, local));
}

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow.resize(800, 600);
        mainWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
        about = new AboutWindow(desktop, &mainWindow);
        about->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));
    }
    void TearDown() override {
        if (about)
            about->close();
        QApplication::processEvents();
    }

    template <typename T> T *element(const char *name) {
        T *found = about->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::string statusText() { return status().toStdString(); }
    QString status() { return element<QStatusBar>("StatusBar1")->currentMessage(); }
    QUrl pageUrl() { return QUrl(element<QLabel>("Label4")->text()); }
    void clickSite() { QTest::mouseClick(element<QPushButton>("Command1"), Qt::LeftButton); }

    test::FakeDesktop desktop;
    QMainWindow mainWindow;
    QPointer<AboutWindow> about;
};

TEST_F(AboutWindowTest, ShowsCaptionTextsAndButtons) {
    EXPECT_EQ(about->objectName(), "frmAbout");
    EXPECT_EQ(about->windowTitle(), "Vorrin's Lotto Software");
    EXPECT_EQ(element<QLabel>("lblTitle")->text(), "\r\nVorrin's Lotto Software \r\nVersion 3.5");
    EXPECT_EQ(element<QLabel>("Label1")->text(),
              "Just Pick Your Lotto\r\nPick Your Numbers\r\nThat's All");
    EXPECT_EQ(element<QPushButton>("Command1")->text(), "Vorrin's Site");
    auto *cancel = element<QPushButton>("cmdOK");
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_TRUE(cancel->isDefault());
    EXPECT_FALSE(element<QLabel>("picIcon")->pixmap().isNull());
    EXPECT_EQ(statusText(), "");

    // The page lies on this machine, so it opens offline.
    const QUrl page = pageUrl();
    EXPECT_EQ(page.scheme(), "file");
    EXPECT_TRUE(QFileInfo(page.toLocalFile()).isFile()) << page.toString().toStdString();
}

TEST_F(AboutWindowTest, IsAFixedDialogOwnedByTheMainWindow) {
    EXPECT_EQ(about->parentWidget(), &mainWindow); // owned: no task-bar entry of its own
    EXPECT_TRUE(about->isModal());
    EXPECT_TRUE(about->testAttribute(Qt::WA_DeleteOnClose));
    const Qt::WindowFlags flags = about->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    // Centred over the main window (window managers differ a little in the frame they add).
    const QPoint offset = about->frameGeometry().center() - mainWindow.frameGeometry().center();
    EXPECT_LE(std::abs(offset.x()), 16);
    EXPECT_LE(std::abs(offset.y()), 48);
    EXPECT_TRUE(mainWindow.frameGeometry().contains(about->frameGeometry()));
}

TEST_F(AboutWindowTest, StatusLineShowsTheHoverTextOfEachElementAndKeepsTheLast) {
    const std::pair<const char *, const char *> hoverTexts[] = {
        {"cmdOK", "Go Back to Menu"},
        {"Command1", "GoTo Vorrin's Web Site"},
        {"Label1", "Pick Your Numbers Play Any Lotto"},
        {"Label4", "Try Vorrin's Web Site"},
        {"lblTitle", "Version 3.4 of Vorrin's Lotto"},
    };
    for (const auto &[name, text] : hoverTexts) {
        SCOPED_TRACE(name);
        QWidget *widget = element<QWidget>(name);
        pointAt(widget);
        EXPECT_TRUE(eventually([&] { return status() == QString::fromLatin1(text); }))
            << status().toStdString();
        // Leaving for the window's bare surface shows the surface's own text.
        pointAt(about, QPoint(2, 2));
        EXPECT_TRUE(eventually([&] { return status() == QStringLiteral("Play Any Ticket "); }))
            << status().toStdString();
    }
    // The icon has no text of its own: the last text stays.
    pointAt(element<QWidget>("Label1"));
    EXPECT_TRUE(eventually([&] {
        return status() == QStringLiteral("Pick Your Numbers Play Any Lotto");
    })) << status().toStdString();
    QWidget *icon = element<QWidget>("picIcon");
    pointAt(icon);
    QApplication::processEvents();
    EXPECT_EQ(statusText(), "Pick Your Numbers Play Any Lotto");
}

class AboutWindowKeys : public AboutWindowTest, public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(AboutWindowKeys, EnterAndEscapeCloseTheBox) {
    QTest::keyClick(about, GetParam());
    EXPECT_TRUE(eventually([&] { return about.isNull(); }));
    EXPECT_TRUE(desktop.openedPages.empty());
}

INSTANTIATE_TEST_SUITE_P(Keys, AboutWindowKeys, ::testing::Values(Qt::Key_Return, Qt::Key_Escape));

// A screen reader reads the web address itself.
TEST_F(AboutWindowTest, ScreenReadersHearTheWebAddress) {
    auto *location = about->findChild<QLabel *>(QStringLiteral("Label4"));
    ASSERT_NE(location, nullptr);
    ASSERT_FALSE(location->text().isEmpty());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(location);
    EXPECT_EQ(accessible->text(QAccessible::Name), location->text());
    EXPECT_EQ(accessible->text(QAccessible::Description), "Try Vorrin's Web Site");
}

TEST_F(AboutWindowTest, CancelClosesTheBox) {
    QTest::mouseClick(element<QPushButton>("cmdOK"), Qt::LeftButton);
    EXPECT_TRUE(eventually([&] { return about.isNull(); }));
}

TEST_F(AboutWindowTest, SiteButtonAndLocationOpenThePageAndShowItsProgress) {
    clickSite();
    ASSERT_EQ(desktop.openedPages.size(), 1u);
    EXPECT_EQ(desktop.openedPages[0], pageUrl());
    ASSERT_TRUE(desktop.lastProgress);
    for (const char *text : {"Navigation begun...", "Download begun...", "Download complete...",
                             "Navigation complete..."}) {
        desktop.lastProgress(QString::fromLatin1(text));
        EXPECT_EQ(statusText(), text);
    }

    // A click on the location acts as the button; the box then follows the newest browser.
    const auto firstBrowser = desktop.lastProgress;
    QLabel *location = element<QLabel>("Label4");
    QTest::mouseClick(location, Qt::LeftButton, {}, location->rect().center());
    ASSERT_EQ(desktop.openedPages.size(), 2u);
    EXPECT_EQ(desktop.openedPages[1], pageUrl());
    desktop.lastProgress(QStringLiteral("Navigation begun..."));
    firstBrowser(QStringLiteral("Download complete..."));
    EXPECT_EQ(statusText(), "Navigation begun...");
    EXPECT_TRUE(about->isVisible());

    // Progress arriving after the box has closed goes nowhere.
    const auto secondBrowser = desktop.lastProgress;
    about->close();
    EXPECT_TRUE(eventually([&] { return about.isNull(); }));
    secondBrowser(QStringLiteral("Navigation complete..."));
}

TEST_F(AboutWindowTest, NoBrowserChangesNothingAndTheBoxGoesOn) {
    desktop.browserAvailable = false;
    const QWidgetList windowsBefore = QApplication::topLevelWidgets();
    pointAt(element<QWidget>("Command1"));
    EXPECT_TRUE(eventually([&] { return status() == QStringLiteral("GoTo Vorrin's Web Site"); }))
        << status().toStdString();
    clickSite();
    QLabel *location = element<QLabel>("Label4");
    pointAt(location);
    QTest::mouseClick(location, Qt::LeftButton, {}, location->rect().center());
    QApplication::processEvents();

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore.size());
    EXPECT_EQ(statusText(), "Try Vorrin's Web Site");
    EXPECT_TRUE(about->isVisible());

    // The box still answers: a browser that appears later reports as usual.
    desktop.browserAvailable = true;
    clickSite();
    desktop.lastProgress(QStringLiteral("Navigation begun..."));
    EXPECT_EQ(statusText(), "Navigation begun...");
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_TRUE(eventually([&] { return about.isNull(); }));
}

} // namespace
} // namespace marlek
