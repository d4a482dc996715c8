// Form4 and Form5 driven as a player would: the labels at load and after moving the scroll bar,
// the list of P values, the hints, "Yes" into the number picker, and "Save As" through to the
// files and the message, including a failed write and a run watched while it goes.

#include "generator_window.h"

#include "combo_writer.h"
#include "fake_desktop.h"
#include "file_output.h"
#include "generator_state.h"
#include "qstring_print.h"
#include "temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::TempDir;

class GeneratorWindowTest : public ::testing::Test {
protected:
    ~GeneratorWindowTest() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *widget : QApplication::topLevelWidgets())
            delete widget;
    }

    GeneratorWindow *open(int kind, QWidget *owner = nullptr) {
        auto *window = new GeneratorWindow(kind, session, owner);
        window->show();
        return window;
    }

    template <typename T> static T *child(QWidget *window, const char *name) {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString text(QWidget *window, const char *name) {
        return child<QLabel>(window, name)->text();
    }
    static void moveOver(QWidget *widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }
    static void clickButton(QWidget *window, const char *name) {
        QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
    }
    static QString hint(QWidget *window) {
        return child<QStatusBar>(window, "StatusBar1")->currentMessage();
    }
    static bool closed(const QPointer<GeneratorWindow> &window) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

    RunCarryOver carried;
    test::FakeDesktop desktop;
    test::FakeNavigator navigator;
    Session session{carried, desktop, navigator};
};

TEST_F(GeneratorWindowTest, Pick6WindowAtLoad) {
    GeneratorWindow *window = open(6);
    EXPECT_EQ(window->objectName(), "Form4");
    EXPECT_EQ(window->windowTitle(), "Pick 6 Lotto        Play All Combinations");
    EXPECT_EQ(text(window, "Label2"), "Win it All\n\nPlay All the Lotto 6 Combinations");
    EXPECT_EQ(text(window, "Label3"), "<<Pick Your Total Numbers");
    auto *scrollBar = child<QScrollBar>(window, "hsbpick");
    EXPECT_EQ(scrollBar->value(), 42);
    EXPECT_EQ(scrollBar->minimum(), 0);
    EXPECT_EQ(scrollBar->maximum(), 60);
    EXPECT_EQ(text(window, "Lblpick"), "42 Numbers      5,245,786  Total Combinations");
    EXPECT_EQ(text(window, "Label1"), "File Size > 200 Megs\nProcessing > 7 Minutes");
    auto *list = child<QComboBox>(window, "Combo1");
    EXPECT_EQ(list->count(), 9);
    EXPECT_EQ(list->itemText(0), "200000");
    EXPECT_EQ(list->itemText(8), "1000000");
    EXPECT_EQ(list->currentText(), "400000");
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(child<QLabel>(window, "Label4")->isVisible());
    EXPECT_EQ(text(window, "Label4"), "  Combinations per File");
    EXPECT_FALSE(child<QPushButton>(window, "Command1")->isEnabled());
    EXPECT_EQ(child<QPushButton>(window, "Command1")->text(), "Yes");
    EXPECT_EQ(child<QPushButton>(window, "Command2")->text(), "Cancel");
    EXPECT_EQ(child<QPushButton>(window, "Command3")->text(), "Save As");
    EXPECT_TRUE(child<QProgressBar>(window, "ProgressBar1")->isVisible());
    EXPECT_EQ(child<QPlainTextEdit>(window, "Text1")->toPlainText(),
              QString::fromStdString(informationText(6)).replace("\r\n", "\n"));
}

TEST_F(GeneratorWindowTest, Pick5WindowAtLoad) {
    GeneratorWindow *window = open(5);
    EXPECT_EQ(window->objectName(), "Form5");
    EXPECT_EQ(window->windowTitle(), "Pick 5 Lotto        Play All Combinations");
    EXPECT_EQ(text(window, "Lblpick"), "42 Numbers      850,668  Total Combinations");
    EXPECT_EQ(text(window, "Label1"), "File Size > 22 Megs\nProcessing > 2 Minutes");
    EXPECT_TRUE(child<QComboBox>(window, "Combo1")->isVisible());
    EXPECT_FALSE(child<QPushButton>(window, "Command1")->isEnabled());
    EXPECT_TRUE(child<QPlainTextEdit>(window, "Text1")
                    ->toPlainText()
                    .contains("This is Not Practical-thats why It's Just for Fun"));
}

struct MoveCase {
    int kind;
    int from;
    int to;
    int perFileIndex; // Combo1 row chosen before the move
    const char *total;
    const char *estimate;
    bool yesEnabled;
    bool listShown;
};

class GeneratorWindowMove : public GeneratorWindowTest,
                            public ::testing::WithParamInterface<MoveCase> {};

// One arrow step from `from` (set first), as a player steps across a threshold.
TEST_P(GeneratorWindowMove, LabelsAndStatesFollowTheScrollBar) {
    const MoveCase &c = GetParam();
    GeneratorWindow *window = open(c.kind);
    child<QComboBox>(window, "Combo1")->setCurrentIndex(c.perFileIndex);
    auto *scrollBar = child<QScrollBar>(window, "hsbpick");
    scrollBar->setValue(c.from);
    if (c.to == c.from + 1)
        QTest::keyClick(scrollBar, Qt::Key_Right);
    else
        scrollBar->setValue(c.to);
    ASSERT_EQ(scrollBar->value(), c.to);
    EXPECT_EQ(text(window, "Lblpick"), QString::fromLatin1(c.total));
    EXPECT_EQ(text(window, "Label1"), QString::fromLatin1(c.estimate));
    EXPECT_EQ(child<QPushButton>(window, "Command1")->isEnabled(), c.yesEnabled);
    EXPECT_EQ(child<QComboBox>(window, "Combo1")->isVisible(), c.listShown);
    EXPECT_EQ(child<QLabel>(window, "Label4")->isVisible(), c.listShown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneratorWindowMove,
    ::testing::Values(
        MoveCase{6, 18, 19, 2, "19 Numbers      27,132  Total Combinations", "", true, false},
        MoveCase{6, 19, 20, 2, "20 Numbers      38,760  Total Combinations",
                 "File Size > 1 Megs\nProcessing > 1 Minute", false, false},
        MoveCase{6, 24, 25, 2, "25 Numbers      177,100  Total Combinations",
                 "File Size > 1 Megs\nProcessing > 1 Minute", false, false},
        MoveCase{6, 25, 26, 2, "26 Numbers      230,230  Total Combinations",
                 "File Size > 80 Megs\nProcessing > 3 Minutes\n1 Files Saved Automatically\n"
                 "400,000 Combinations per File",
                 false, true},
        MoveCase{6, 42, 49, 2, "49 Numbers      13,983,816  Total Combinations",
                 "File Size > 750 Megs\nProcessing > 25 Minutes\n35 Files Saved Automatically\n"
                 "400,000 Combinations per File",
                 false, true},
        MoveCase{6, 59, 60, 0, "60 Numbers      50,063,860  Total Combinations",
                 "File Size > 2000 Megs\nProcessing > 60 Minutes\n251 Files Saved Automatically\n"
                 "200,000 Combinations per File",
                 false, true},
        MoveCase{6, 42, 3, 2, "3 Numbers        Total Combinations", "", true, false},
        MoveCase{5, 22, 23, 2, "23 Numbers      33,649  Total Combinations",
                 "File Size > 2 Megs\nProcessing > 1 Minute", false, false},
        MoveCase{5, 31, 32, 2, "32 Numbers      201,376  Total Combinations",
                 "File Size > 30 Megs\nProcessing > 2 Minutes\n1 Files Saved Automatically\n"
                 "400,000 Combinations per File",
                 false, true},
        MoveCase{5, 42, 39, 0, "39 Numbers      575,757  Total Combinations",
                 "File Size > 30 Megs\nProcessing > 2 Minutes\n3 Files Saved Automatically\n"
                 "200,000 Combinations per File",
                 false, true}));

TEST_F(GeneratorWindowTest, ChoosingAnotherPerFileRefreshesTheFileCountAndTheSaveAsHint) {
    GeneratorWindow *window = open(6);
    child<QScrollBar>(window, "hsbpick")->setValue(49);
    auto *list = child<QComboBox>(window, "Combo1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End); // 1000000
    EXPECT_EQ(text(window, "Label1"),
              "File Size > 750 Megs\nProcessing > 25 Minutes\n"
              "14 Files Saved Automatically\n1,000,000 Combinations per File");
    moveOver(child<QPushButton>(window, "Command3"));
    EXPECT_EQ(hint(window), "Saving 13,983,816 Total Combinations to 14 Files");
}

TEST_F(GeneratorWindowTest, HintsFollowThePointer) {
    for (int kind : {6, 5}) {
        GeneratorWindow *window = open(kind);
        moveOver(window);
        EXPECT_EQ(hint(window), "Play all 42 Numbers in your Lotto");
        moveOver(child<QPushButton>(window, "Command1"));
        EXPECT_EQ(hint(window), "Play these 42 Numbers");
        moveOver(child<QPushButton>(window, "Command2"));
        EXPECT_EQ(hint(window), "Return to Menu");
        moveOver(child<QPushButton>(window, "Command3"));
        EXPECT_EQ(hint(window), kind == 6 ? "Saving 5,245,786 Total Combinations to 14 Files"
                                          : "Saving 850,668 Total Combinations to 3 Files");
        window->close();
    }
}

TEST_F(GeneratorWindowTest, YesHandsOnEveryCombinationOfTheField) {
    for (const auto &[kind, mode, tickets] : {std::tuple{6, 8, 5005}, std::tuple{5, 7, 3003}}) {
        // Right after a catalogued wheel of 10 numbers.
        carried.wheelChosen(cataloguedWheelChoice(5, 6, 10, 14));
        for (int j = 1; j <= 12; ++j)
            carried.picks[static_cast<std::size_t>(j)] = static_cast<std::int16_t>(40 + j);
        desktop.beeps = 0;
        navigator.wheelsPlayed.clear();
        QWidget owner;
        QPointer<GeneratorWindow> window = open(kind, &owner);
        child<QScrollBar>(window, "hsbpick")->setValue(15);
        clickButton(window, "Command1");

        ASSERT_EQ(navigator.wheelsPlayed.size(), 1u);
        const WheelChoice &played = navigator.wheelsPlayed[0];
        EXPECT_EQ(played.wheelIndex, -1);
        EXPECT_EQ(played.ticketCount, tickets);
        EXPECT_EQ(played.pickCount, 15);
        EXPECT_EQ(played.wheelMode, mode);
        EXPECT_EQ(navigator.pickerOwners[0], &owner) << "the picker takes the window's place";
        for (int j = 1; j <= 10; ++j)
            EXPECT_EQ(carried.picks[static_cast<std::size_t>(j)], j);
        EXPECT_EQ(carried.picks[11], 51); // beyond the old count: untouched
        EXPECT_EQ(desktop.beeps, 1);
        EXPECT_TRUE(closed(window));
    }
}

// Each generator window reads its own scroll bar, whatever the other one shows.
TEST_F(GeneratorWindowTest, YesAndHintsGoByThisWindowsFieldWhateverTheOtherWindowDid) {
    QPointer<GeneratorWindow> pick6 = open(6);
    child<QScrollBar>(pick6, "hsbpick")->setValue(10);
    GeneratorWindow *pick5 = open(5); // at 42: 850,668 combinations
    moveOver(child<QPushButton>(pick5, "Command3"));
    pick5->close();

    moveOver(pick6);
    EXPECT_EQ(hint(pick6), "Play all 10 Numbers in your Lotto");
    moveOver(child<QPushButton>(pick6, "Command1"));
    EXPECT_EQ(hint(pick6), "Play these 10 Numbers");
    clickButton(pick6, "Command1");
    ASSERT_EQ(navigator.wheelsPlayed.size(), 1u);
    EXPECT_EQ(navigator.wheelsPlayed[0], allCombinationsChoice(6, 10));
    EXPECT_EQ(navigator.wheelsPlayed[0].ticketCount, 210);
}

TEST_F(GeneratorWindowTest, EnterPressesNoButton) {
    for (int kind : {6, 5}) {
        QPointer<GeneratorWindow> window = open(kind);
        auto *field = child<QScrollBar>(window, "hsbpick");
        field->setValue(0);
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
            EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
        }
        for (QWidget *focus : {static_cast<QWidget *>(field), child<QWidget>(window, "Combo1"),
                               child<QWidget>(window, "Command1")}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
            QTest::keyClick(focus, Qt::Key_Enter);
            ASSERT_FALSE(closed(window)) << focus->objectName().toStdString();
        }
        EXPECT_TRUE(navigator.wheelsPlayed.empty());
        window->close();
    }
}

TEST_F(GeneratorWindowTest, CancelClosesAndDiscardsTheWindow) {
    QPointer<GeneratorWindow> window = open(6);
    clickButton(window, "Command2");
    EXPECT_TRUE(closed(window));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(GeneratorWindowTest, SaveAsWritesTheFilesClosesAndListsThem) {
    TempDir dir;
    TempDir reference;
    const std::string first = (dir / "pick5.txt").string();
    desktop.saveFileNames.push_back(QString::fromStdString(first));
    QPointer<GeneratorWindow> window = open(5);
    child<QComboBox>(window, "Combo1")->setCurrentIndex(0); // 200000 a file
    child<QScrollBar>(window, "hsbpick")->setValue(33);     // 237,336 tickets: two files
    clickButton(window, "Command3");

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              QString::fromStdString("2 Files Saved\r\n" + first + "\r\n1.txt"));
    EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");
    EXPECT_EQ(desktop.saveFilters, std::vector<QString>{kSaveFilter});
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(desktop.arrowRestores, 1);
    EXPECT_TRUE(closed(window));

    ASSERT_TRUE(writeComboFiles({5, 33, 200000, (reference / "pick5.txt").string()}).ok);
    EXPECT_EQ(readFileBytes(first), readFileBytes(reference / "pick5.txt"));
    EXPECT_EQ(readFileBytes(dir / "1.txt"), readFileBytes(reference / "1.txt"));
    EXPECT_EQ(carried.matchCountLeft, 5);
    for (int p = 1; p <= 60; ++p)
        EXPECT_EQ(carried.picks[static_cast<std::size_t>(p)], p);
}

TEST_F(GeneratorWindowTest, SaveAsOfAFieldBelowSixSavesHeaderAndTrailerOnly) {
    TempDir dir;
    const std::string first = (dir / "none.txt").string();
    desktop.saveFileNames.push_back(QString::fromStdString(first));
    QPointer<GeneratorWindow> window = open(6);
    child<QScrollBar>(window, "hsbpick")->setValue(5);
    clickButton(window, "Command3");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, QString::fromStdString("0 Files Saved\r\n" + first));
    EXPECT_NE(readFileBytes(first).find("Check All   Tickets."), std::string::npos);
    // Pick 6: the hourglass over the window while it works.
    ASSERT_EQ(desktop.busyPointers.size(), 2u);
    EXPECT_TRUE(desktop.busyPointers[0].second);
    EXPECT_FALSE(desktop.busyPointers[1].second);
}

TEST_F(GeneratorWindowTest, CancelledDialogWritesNothingButResetsThePicks) {
    carried.picks[55] = 0;
    QPointer<GeneratorWindow> window = open(6);
    clickButton(window, "Command3"); // the fake dialog answers "" (cancel)
    EXPECT_EQ(carried.picks[55], 55);
    EXPECT_EQ(carried.matchCountLeft, 0);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(closed(window));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(GeneratorWindowTest, FailedWriteNamesTheFileAndKeepsTheWindowForAnotherTry) {
    TempDir dir;
    const std::string missing = (dir / "no-such-folder" / "c.txt").string();
    desktop.saveFileNames.push_back(QString::fromStdString(missing));
    QPointer<GeneratorWindow> window = open(6);
    child<QScrollBar>(window, "hsbpick")->setValue(10);
    clickButton(window, "Command3");

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");
    EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromStdString(missing)));
    EXPECT_TRUE(desktop.messages[0].text.contains("No such file or directory"));
    EXPECT_EQ(desktop.beeps, 0);
    ASSERT_FALSE(closed(window));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(child<QPushButton>(window, "Command3")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(window, "Command1")->isEnabled()); // n = 10: offered again

    const std::string good = (dir / "c.txt").string();
    desktop.saveFileNames.push_back(QString::fromStdString(good));
    clickButton(window, "Command3");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text, QString::fromStdString("1 Files Saved\r\n" + good));
    EXPECT_TRUE(closed(window));
}

TEST_F(GeneratorWindowTest, AFolderAnotherRunWritesIntoIsRefusedWithAMessage) {
    TempDir dir;
    const FolderLock otherRun(dir.path().string());
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "c.txt").string()));
    QPointer<GeneratorWindow> window = open(6);
    child<QScrollBar>(window, "hsbpick")->setValue(10);
    clickButton(window, "Command3");

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith(
        QString::fromStdString("Cannot write into the folder " + dir.path().string())));
    EXPECT_TRUE(desktop.messages[0].text.contains("Another run is writing its files"));
    ASSERT_FALSE(closed(window));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// While the files are written the progress bar moves, and neither a click on "Cancel" nor a close
// request reaches the window.
TEST_F(GeneratorWindowTest, RunShowsProgressAndTakesNoInputUntilItEnds) {
    TempDir dir;
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "big.txt").string()));
    QPointer<GeneratorWindow> window = open(6);
    child<QScrollBar>(window, "hsbpick")->setValue(40); // 3,838,380 tickets
    auto *bar = child<QProgressBar>(window, "ProgressBar1");
    std::vector<int> seen;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!window || !window->isWriting())
            return;
        seen.push_back(bar->value());
        EXPECT_FALSE(child<QPushButton>(window, "Command2")->isEnabled());
        QTest::keyClick(window, Qt::Key_Escape);
        window->close();
    });
    watcher.start(5);
    clickButton(window, "Command3");
    watcher.stop();

    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 3838380);
    EXPECT_LT(seen.front(), seen.back());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    ASSERT_EQ(desktop.messages.size(), 1u); // the run ended normally, not through Cancel
    EXPECT_TRUE(desktop.messages[0].text.startsWith("10 Files Saved\r\n"));
    EXPECT_TRUE(fs::exists(dir / "9.txt"));
    EXPECT_TRUE(closed(window));
}

} // namespace
} // namespace marlek
