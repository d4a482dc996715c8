// Every window at a larger desktop font: 1.5 times and twice the default (a low-vision player's
// usual choices). Every text keeps its room, the lists show their rows, and the menu bar all its
// menus; at the default font the windows keep the sizes and places of their design.

#include "fake_desktop.h"
#include "main_window.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "top_level_windows.h"
#include "window_units.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>

namespace marlek {
namespace {

std::string nameOf(const QWidget *widget) {
    return widget->window()->objectName().toStdString() + "/" + widget->objectName().toStdString();
}

// The room a button's style leaves its text: beside the indicator of a box, inside the frame of
// a push button.
QRect textRoom(const QAbstractButton *button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement room = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton *>(button))
        room = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<const QCheckBox *>(button))
        room = QStyle::SE_CheckBoxContents;
    return button->style()->subElementRect(room, &option, button);
}

// Every text the window shows is whole: each label's and each button's text fits its widget.
void expectTextsWhole(const QWidget *window) {
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap() ||
            label->objectName().isEmpty())
            continue;
        SCOPED_TRACE(nameOf(label) + " \"" + label->text().toStdString() + "\"");
        const QRect room = label->contentsRect();
        const QFontMetrics metrics(label->font());
        // A label with a buddy shows its '&' as the underline of the next letter.
        const QString shown =
            label->buddy() ? QString(label->text()).remove(QLatin1Char('&')) : label->text();
        const QStringList lines = shown.split(QLatin1Char('\n'));
        for (const QString &line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), room.width());
        EXPECT_LE(metrics.height() + (lines.size() - 1) * metrics.lineSpacing(), room.height());
    }
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (!button->isVisible() || button->text().isEmpty() ||
            qobject_cast<const QToolButton *>(button))
            continue;
        SCOPED_TRACE(nameOf(button) + " \"" + button->text().toStdString() + "\"");
        const QRect room = textRoom(button);
        const QFontMetrics metrics(button->font());
        const QString text = QString(button->text()).remove(QLatin1Char('&'));
        EXPECT_LE(metrics.horizontalAdvance(text), room.width());
        EXPECT_LE(metrics.height(), room.height());
        EXPECT_TRUE(button->rect().contains(room)) << room.width() << " in " << button->width();
    }
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>()) {
        if (!frame->isVisible() || frame->title().isEmpty())
            continue;
        SCOPED_TRACE(nameOf(frame));
        // Each option inside stays inside the frame's border.
        for (const QWidget *inside : frame->findChildren<QWidget *>()) {
            if (!inside->isVisible())
                continue;
            EXPECT_TRUE(frame->contentsRect().contains(inside->geometry())) << nameOf(inside);
        }
    }
}

// The window stands whole on the screen.
void expectOnScreen(const QWidget *window) {
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()))
        << window->objectName().toStdString() << " " << window->frameGeometry().x() << ","
        << window->frameGeometry().y() << " " << window->frameGeometry().width() << "x"
        << window->frameGeometry().height();
}

// How many whole rows the list shows.
int rowsShown(const QListWidget *list) {
    return list->viewport()->height() / list->sizeHintForRow(0);
}

class DesktopFontTest : public ::testing::TestWithParam<double> {
protected:
    DesktopFontTest() : defaultFont(QApplication::font()) {
        QFont larger = defaultFont;
        larger.setPointSizeF(defaultFont.pointSizeF() * GetParam());
        QApplication::setFont(larger);
        window = new MainWindow(desktop);
        window->show();
    }
    ~DesktopFontTest() override {
        test::closeTopLevelsBut(window);
        delete window;
        QApplication::setFont(defaultFont);
    }

    void trigger(const char *name) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // windows closed
        QAction *action = window->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    // The window that `command` opens, looked at, then closed.
    void expectWhole(const char *command, const char *name) {
        trigger(command);
        QWidget *opened = test::openTopLevel(name);
        ASSERT_NE(opened, nullptr) << name;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(opened));
        expectTextsWhole(opened);
        expectOnScreen(opened);
        opened->close();
    }

    const QFont defaultFont;
    test::FakeDesktop desktop;
    MainWindow *window = nullptr;
};

TEST_P(DesktopFontTest, TheMenuBarShowsEveryMenu) {
    QMenuBar *bar = window->menuBar();
    for (QAction *menu : bar->actions()) {
        SCOPED_TRACE(menu->text().toStdString());
        const QRect place = bar->actionGeometry(menu);
        EXPECT_FALSE(place.isEmpty());
        EXPECT_TRUE(bar->rect().contains(place));
    }
    const auto *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
    EXPECT_TRUE(!overflow || !overflow->isVisible());
    expectTextsWhole(window);
    expectOnScreen(window);
}

TEST_P(DesktopFontTest, CataloguesShowTheirTextsAndRows) {
    for (const auto &[command, name] : {std::pair{"mnu5wheel", "Form1"}, {"mnu6wheel", "Form2"}}) {
        trigger(command);
        QWidget *catalogue = test::openTopLevel(name);
        ASSERT_NE(catalogue, nullptr) << name;
        expectTextsWhole(catalogue);
        expectOnScreen(catalogue);
        // The rows the design's list shows at the default font: 17 of each catalogue.
        auto *list = catalogue->findChild<QListWidget *>(QStringLiteral("List1"));
        EXPECT_GE(rowsShown(list), 17) << name;
        for (int row = 0; row < list->count(); ++row)
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->item(row)->text()),
                      list->viewport()->width());
        catalogue->close();
    }
}

// The picker's heading and numbers grow with the desktop's font: a draw of the catalogue's largest
// wheel (26 numbers), which the surface writes a little smaller than the window's font, keeps
// that share of the larger font.
TEST_P(DesktopFontTest, ThePickerShowsItsTextsAndTheDrawAtTheDesktopsSize) {
    trigger("mnu5wheel");
    QWidget *catalogue = test::openTopLevel("Form1");
    ASSERT_NE(catalogue, nullptr);
    auto *list = catalogue->findChild<QListWidget *>(QStringLiteral("List1"));
    const QList<QListWidgetItem *> widest =
        list->findItems(QStringLiteral("    $ 150     150    Tickets   26  Numbers        3 of 5"),
                        Qt::MatchExactly);
    ASSERT_EQ(widest.size(), 1);
    list->setCurrentItem(widest[0]);
    QTest::mouseClick(catalogue->findChild<QPushButton *>(QStringLiteral("Command4")),
                      Qt::LeftButton);
    QWidget *picker = test::openTopLevel("Form3");
    ASSERT_NE(picker, nullptr);
    expectTextsWhole(picker);
    expectOnScreen(picker);

    for (const char *button : {"command3", "cmdChoose"}) {
        QTest::mouseClick(picker->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
        auto *surface = picker->findChild<QLabel *>(QStringLiteral("drawingSurface"));
        EXPECT_GE(surface->font().pointSizeF(), 0.8 * QApplication::font().pointSizeF()) << button;
        expectTextsWhole(picker);
    }
}

TEST_P(DesktopFontTest, TheOtherWindowsShowTheirTexts) {
    expectWhole("mnufunwheel5", "Form5");
    expectWhole("mnufunwheel6", "Form4");
    expectWhole("mnureadme", "Form6");
    expectWhole("mnu5table", "Form8");
    expectWhole("mnu6table", "Form7");
    expectWhole("mnuHelpAbout", "frmAbout");
    expectWhole("mnuDesign", "frmDesign");
}

// The games window and the game editor it opens, with the player's folder of a test's own.
TEST_P(DesktopFontTest, TheGamesWindowAndItsEditorShowTheirTexts) {
    const test::TempDir config;
    const test::ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
    trigger("mnuGamesGames");
    QWidget *games = test::openTopLevel("frmGames");
    ASSERT_NE(games, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(games));
    expectTextsWhole(games);
    expectOnScreen(games);
    QTest::mouseClick(games->findChild<QPushButton *>(QStringLiteral("cmdNew")), Qt::LeftButton);
    QWidget *editor = test::openTopLevel("frmGameEditor");
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    expectTextsWhole(editor);
    expectOnScreen(editor);
    editor->close();
    games->close();
}

// The odds tables show as many rows as at the default font.
TEST_P(DesktopFontTest, OddsTablesShowTheirRows) {
    for (const auto &[command, name] : {std::pair{"mnu5table", "Form8"}, {"mnu6table", "Form7"}}) {
        trigger(command);
        QWidget *table = test::openTopLevel(name);
        ASSERT_NE(table, nullptr) << name;
        EXPECT_GE(rowsShown(table->findChild<QListWidget *>(QStringLiteral("List1"))), 25) << name;
        table->close();
    }
}

INSTANTIATE_TEST_SUITE_P(DefaultOneAndAHalfAndTwice, DesktopFontTest,
                         ::testing::Values(1.0, 1.5, 2.0), [](const auto &info) {
                             return info.param == 1.0   ? std::string("Default")
                                    : info.param == 1.5 ? std::string("OneAndAHalf")
                                                        : std::string("Twice");
                         });

// At the default font a twip is what the screen's DPI makes it: the windows keep their design.
TEST(WindowUnits, AtTheDefaultFontATwipFollowsTheDpiAlone) {
    QWidget widget;
    ASSERT_EQ(QApplication::font().pointSizeF(), designFont().pointSizeF());
    const QScreen *screen = widget.screen();
    EXPECT_EQ(twipsToPixelsX(&widget, 14400), qRound(10 * screen->logicalDotsPerInchX()));
    EXPECT_EQ(twipsToPixelsY(&widget, 14400), qRound(10 * screen->logicalDotsPerInchY()));

    QFont larger = QApplication::font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    widget.setFont(larger);
    EXPECT_NEAR(fontScale(&widget).x, 1.5, 0.1);
    EXPECT_NEAR(fontScale(&widget).y, 1.5, 0.1);
    QFont smaller = QApplication::font();
    smaller.setPointSizeF(7);
    widget.setFont(smaller);
    EXPECT_EQ(fontScale(&widget).x, 1.0);
    EXPECT_EQ(fontScale(&widget).y, 1.0);
}

} // namespace
} // namespace marlek
