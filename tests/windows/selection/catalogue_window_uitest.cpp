// Form1 and Form2, driven as a player would: click a row, sort, play it with OK or a double-click.

#include "catalogue_window.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <functional>

namespace marlek::test {
namespace {

class CatalogueWindowTest : public WindowFixture {
protected:
    // As the main window's menu opens it.
    CatalogueWindow *open(int kind) {
        auto *window = new CatalogueWindow(kind, session, nullptr);
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        return window;
    }

    template <typename T> static T *child(QWidget *window, const char *name) {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QListWidget *list(QWidget *window) { return child<QListWidget>(window, "List1"); }
    static QPushButton *ok(QWidget *window) { return child<QPushButton>(window, "Command4"); }

    static int rowOf(QListWidget *list, const QString &text) {
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text() == text)
                return row;
        ADD_FAILURE() << "no row " << text.toStdString();
        return 0;
    }

    static void clickRow(QListWidget *list, int row) {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    static void sortBy(QWidget *window, int option) {
        QTest::mouseClick(child<QRadioButton>(window, option == 0   ? "Option1_0"
                                                      : option == 1 ? "Option1_1"
                                                                    : "Option1_2"),
                          Qt::LeftButton);
    }

    // The one wheel handed on to the number picker so far.
    WheelChoice played() {
        EXPECT_EQ(navigator.wheelsPlayed.size(), 1u);
        return navigator.wheelsPlayed.empty() ? WheelChoice{} : navigator.wheelsPlayed.back();
    }
};

const QString kRowA10 =
    QStringLiteral("    $     5          5    Tickets      7  Numbers        4 of 5");
const QString kRowA17 =
    QStringLiteral("    $   17        17    Tickets   15  Numbers        3 of 5");

TEST_F(CatalogueWindowTest, OpensWithItsFirstListAndOkDisabled) {
    struct Case {
        int kind;
        const char *name;
        const char *caption;
        int rows;
        bool listToolTip;
    };
    for (const Case c : {Case{5, "Form1", "Pick 5 Lotto", 32, true},
                         Case{6, "Form2", "Pick 6 Lotto", 37, false}}) {
        CatalogueWindow *window = open(c.kind);
        EXPECT_EQ(window->objectName(), c.name);
        EXPECT_EQ(window->windowTitle(), c.caption);
        EXPECT_EQ(child<QLabel>(window, "Label1")->text(),
                  "         Cost/Tickets                   Numbers                    Guarantee");
        EXPECT_EQ(list(window)->count(), c.rows);
        EXPECT_EQ(list(window)->toolTip(), c.listToolTip ? "Click on Any Lotto" : "");
        EXPECT_EQ(list(window)->item(c.rows - 1)->text(), "Play More Numbers Click Here");
        EXPECT_EQ(list(window)->item(c.rows - 1)->data(Qt::UserRole).toInt(), 21);
        EXPECT_EQ(child<QGroupBox>(window, "Frame1")->title(), "SORT by");
        EXPECT_EQ(child<QRadioButton>(window, "Option1_0")->text(), " Cost/Tickets");
        EXPECT_TRUE(child<QRadioButton>(window, "Option1_0")->isChecked());
        EXPECT_EQ(child<QRadioButton>(window, "Option1_1")->text(), " Numbers");
        EXPECT_EQ(child<QRadioButton>(window, "Option1_2")->text(), " Guarantee");
        EXPECT_FALSE(ok(window)->isEnabled());
        EXPECT_EQ(ok(window)->text(), "OK");
        EXPECT_EQ(child<QPushButton>(window, "Command3")->text(), "Cancel");
        EXPECT_EQ(child<QStatusBar>(window, "StatusBar1")->currentMessage(), "Pick Any Lotto");
        window->close();
    }
}

// The heading and every row text fit: no column of the catalogue is cut off.
TEST_F(CatalogueWindowTest, HeadingAndRowsFitWithoutClipping) {
    for (int kind : {5, 6}) {
        CatalogueWindow *window = open(kind);
        auto *heading = child<QLabel>(window, "Label1");
        EXPECT_LE(heading->sizeHint().width(), heading->width());
        EXPECT_LE(heading->geometry().right(), window->width());
        QListWidget *rows = list(window);
        EXPECT_LE(rows->geometry().right(), window->width());
        for (int option : {0, 1, 2}) {
            sortBy(window, option);
            for (int row = 0; row < rows->count(); ++row)
                EXPECT_LE(rows->fontMetrics().horizontalAdvance(rows->item(row)->text()),
                          rows->viewport()->width())
                    << rows->item(row)->text().toStdString();
        }
        window->close();
    }
}

TEST_F(CatalogueWindowTest, SortButtonsRefillTheList) {
    CatalogueWindow *window = open(5);
    sortBy(window, 1);
    EXPECT_EQ(list(window)->count(), 32);
    EXPECT_EQ(list(window)->item(4)->text(),
              "    $     6          6    Tickets      6  Numbers                5");
    sortBy(window, 2);
    EXPECT_EQ(list(window)->count(), 33);
    EXPECT_EQ(list(window)->item(1)->data(Qt::UserRole).toInt(), 32);
    sortBy(window, 0); // Cost/Tickets through its button lists both two-ticket six-number rows
    EXPECT_EQ(list(window)->count(), 33);
    EXPECT_EQ(list(window)->item(4)->text(),
              "    $     2          2    Tickets      6  Numbers        4 of 5");
}

TEST_F(CatalogueWindowTest, ClickEnablesOkAndOkHandsTheRowOnToThePicker) {
    CatalogueWindow *window = open(5);
    clickRow(list(window), rowOf(list(window), kRowA10));
    EXPECT_TRUE(ok(window)->isEnabled());
    EXPECT_TRUE(navigator.wheelsPlayed.empty()); // a click only chooses

    QTest::mouseClick(ok(window), Qt::LeftButton);
    EXPECT_EQ(openWindow("Form1"), nullptr);
    EXPECT_EQ(played(), cataloguedWheelChoice(5, 0, 7, 5));
}

// No row is highlighted after a re-sort, but OK still plays the row clicked before.
TEST_F(CatalogueWindowTest, ResortKeepsTheChoiceAndOk) {
    CatalogueWindow *window = open(5);
    clickRow(list(window), rowOf(list(window), kRowA17));
    sortBy(window, 2);
    EXPECT_TRUE(list(window)->selectedItems().isEmpty());
    EXPECT_TRUE(ok(window)->isEnabled());
    sortBy(window, 1);
    QTest::mouseClick(ok(window), Qt::LeftButton);
    EXPECT_EQ(played(), cataloguedWheelChoice(5, 7, 15, 17));
}

// Assistive technology checks an option through its action, without a click.
TEST_F(CatalogueWindowTest, AnOptionCheckedWithoutAClickSortsToo) {
    CatalogueWindow *window = open(5);
    for (const auto &[option, rows, row4] :
         {std::tuple{1, 32, "    $     6          6    Tickets      6  Numbers                5"},
          std::tuple{0, 33, "    $     2          2    Tickets      6  Numbers        4 of 5"}}) {
        auto *button = child<QRadioButton>(window, option == 0 ? "Option1_0" : "Option1_1");
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        ASSERT_NE(accessible->actionInterface(), nullptr);
        QStringList actions = accessible->actionInterface()->actionNames();
        ASSERT_FALSE(actions.isEmpty());
        accessible->actionInterface()->doAction(actions.front());
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(list(window)->count(), rows);
        EXPECT_EQ(list(window)->item(4)->text(), row4);
    }
}

// The option checked at opening stands beside the Pick 5 catalogue's first list: checking it again,
// whichever way, gives the Cost/Tickets order with all its 33 rows.
TEST_F(CatalogueWindowTest, TheOptionCheckedAtOpeningSortsHoweverItIsChecked) {
    using Check = std::function<void(QRadioButton *)>;
    const auto accessibleAction = [](const QString &action) {
        return [action](QRadioButton *button) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
            ASSERT_NE(accessible, nullptr);
            ASSERT_NE(accessible->actionInterface(), nullptr);
            ASSERT_TRUE(accessible->actionInterface()->actionNames().contains(action))
                << accessible->actionInterface()->actionNames().join(", ").toStdString();
            accessible->actionInterface()->doAction(action);
        };
    };
    const std::pair<const char *, Check> ways[] = {
        {"accessible toggle", accessibleAction(QAccessibleActionInterface::toggleAction())},
        {"accessible press", accessibleAction(QAccessibleActionInterface::pressAction())},
        {"checked by the program", [](QRadioButton *button) { button->setChecked(true); }},
        {"Space", [](QRadioButton *button) { QTest::keyClick(button, Qt::Key_Space); }},
        {"click", [](QRadioButton *button) { QTest::mouseClick(button, Qt::LeftButton); }},
    };
    for (const auto &[way, check] : ways) {
        SCOPED_TRACE(way);
        CatalogueWindow *window = open(5);
        ASSERT_EQ(list(window)->count(), 32);
        auto *costTickets = child<QRadioButton>(window, "Option1_0");
        check(costTickets);
        EXPECT_TRUE(costTickets->isChecked());
        EXPECT_EQ(list(window)->count(), 33);
        EXPECT_EQ(list(window)->item(4)->text(),
                  "    $     2          2    Tickets      6  Numbers        4 of 5");
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(costTickets);
        EXPECT_EQ(accessible->role(), QAccessible::RadioButton);
        EXPECT_EQ(accessible->text(QAccessible::Name), " Cost/Tickets");
        EXPECT_TRUE(accessible->state().checkable);
        EXPECT_TRUE(accessible->state().checked);
        window->close();
    }
}

// A row selected through the accessibility layer is the one OK plays, whatever row is current.
TEST_F(CatalogueWindowTest, OkPlaysTheSelectedRow) {
    for (const bool afterResort : {false, true}) {
        CatalogueWindow *window = open(5);
        QListWidget *rows = list(window);
        if (afterResort)
            sortBy(window, 2);
        const int row = rowOf(rows, kRowA17);
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(rows);
        ASSERT_NE(table->tableInterface(), nullptr);
        QAccessibleInterface *cell = table->tableInterface()->cellAt(row, 0);
        ASSERT_NE(cell, nullptr);
        ASSERT_NE(cell->actionInterface(), nullptr);
        cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        ASSERT_EQ(rows->selectedItems().size(), 1);
        ASSERT_EQ(rows->selectedItems().front()->text(), kRowA17);
        EXPECT_NE(rows->currentRow(), row);
        ASSERT_TRUE(ok(window)->isEnabled());
        QTest::mouseClick(ok(window), Qt::LeftButton);
        EXPECT_EQ(played(), cataloguedWheelChoice(5, 7, 15, 17));
        navigator.wheelsPlayed.clear();
    }
}

// The heading keeps clear of the window's right edge, and OK and Cancel of each other.
TEST_F(CatalogueWindowTest, HeadingAndButtonsKeepTheirDistance) {
    for (int kind : {5, 6}) {
        CatalogueWindow *window = open(kind);
        auto *heading = child<QLabel>(window, "Label1");
        const int textRight = heading->x() + heading->sizeHint().width();
        EXPECT_GE(window->width() - textRight, heading->fontMetrics().averageCharWidth());
        const QRect okButton = ok(window)->geometry();
        const QRect cancel = child<QPushButton>(window, "Command3")->geometry();
        EXPECT_GE(cancel.left() - okButton.right(), 4);
        EXPECT_LE(cancel.right(), window->width());
        window->close();
    }
}

TEST_F(CatalogueWindowTest, DoubleClickPlaysAtOnce) {
    CatalogueWindow *window = open(6);
    QListWidget *rows = list(window);
    const int row = rowOf(rows, "    $    84      84    Tickets    9  Numbers                  6");
    rows->scrollToItem(rows->item(row));
    const QPoint where = rows->visualItemRect(rows->item(row)).center();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, where); // the first click of the two
    QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, where);
    EXPECT_EQ(openWindow("Form2"), nullptr);
    EXPECT_EQ(played(), cataloguedWheelChoice(6, 13, 9, 84));
}

TEST_F(CatalogueWindowTest, CancelEscapeAndCloseBoxChangeNothing) {
    const auto closers = {+[](CatalogueWindow *w) {
                              QTest::mouseClick(w->findChild<QPushButton *>("Command3"),
                                                Qt::LeftButton);
                          },
                          +[](CatalogueWindow *w) { QTest::keyClick(w, Qt::Key_Escape); },
                          +[](CatalogueWindow *w) { w->close(); }};
    for (auto closeIt : closers) {
        CatalogueWindow *window = open(6);
        clickRow(list(window), 3);
        closeIt(window);
        EXPECT_EQ(openWindow("Form2"), nullptr);
        EXPECT_TRUE(navigator.wheelsPlayed.empty());
        EXPECT_TRUE(navigator.generatorsOpened.empty());
    }
}

TEST_F(CatalogueWindowTest, LastRowOpensTheGeneratorOfTheSameKind) {
    for (int kind : {5, 6}) {
        CatalogueWindow *window = open(kind);
        clickRow(list(window), list(window)->count() - 1);
        QTest::mouseClick(ok(window), Qt::LeftButton);
        EXPECT_EQ(openWindow(kind == 5 ? "Form1" : "Form2"), nullptr);
        EXPECT_TRUE(navigator.wheelsPlayed.empty());
    }
    EXPECT_EQ(navigator.generatorsOpened, (std::vector<int>{5, 6}));
}

TEST_F(CatalogueWindowTest, KeyboardChoosesAndEnterPlays) {
    CatalogueWindow *window = open(5);
    QApplication::setActiveWindow(window);
    list(window)->setFocus();
    QTest::keyClick(list(window), Qt::Key_Home); // the first row
    QTest::keyClick(list(window), Qt::Key_Down);
    QTest::keyClick(list(window), Qt::Key_Down);
    QTest::keyClick(list(window), Qt::Key_Down);
    EXPECT_TRUE(ok(window)->isEnabled());
    QTest::keyClick(list(window), Qt::Key_Return);
    // The fourth row: two tickets over six numbers.
    EXPECT_EQ(played(), cataloguedWheelChoice(5, 32, 6, 2));
}

// The picker takes the catalogue's place under the catalogue's owner.
TEST_F(CatalogueWindowTest, PickerIsAskedForUnderTheCataloguesOwner) {
    QWidget owner;
    auto *window = new CatalogueWindow(5, session, &owner);
    window->show();
    clickRow(list(window), 0);
    QTest::mouseClick(ok(window), Qt::LeftButton);
    ASSERT_EQ(navigator.pickerOwners.size(), 1u);
    EXPECT_EQ(navigator.pickerOwners[0], &owner);
}

TEST_F(CatalogueWindowTest, StatusBarHintsFollowTheMouse) {
    CatalogueWindow *window = open(6);
    clickRow(list(window), 0); // OK gets mouse moves only when enabled
    const std::pair<QWidget *, const char *> hints[] = {
        {window, "Play Any Ticket "},
        {list(window)->viewport(), "Pick Any Lotto"},
        {child<QLabel>(window, "Label1"), "Win Some Money"},
        {child<QGroupBox>(window, "Frame1"), "Sort by Cost/Tickets Numbers or Guarantee"},
        {ok(window), "Click on Any Lotto"},
        {child<QPushButton>(window, "Command3"), "Go Back to Menu"},
    };
    auto *status = child<QStatusBar>(window, "StatusBar1");
    for (const auto &[widget, hint] : hints) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        EXPECT_EQ(status->currentMessage(), hint);
    }
}

} // namespace
} // namespace marlek::test
