// The whole road as a player takes it, through the real windows: a menu command, a catalogue row
// (or the generator's "Yes"), the number picker's "Random" and "Yes", and the report document that
// then stands in the main window.

#include "document_window.h"
#include "fake_desktop.h"
#include "main_window.h"
#include "temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace marlek {
namespace {

struct Road {
    const char *menuCommand;
    const char *row; // the catalogue row clicked
    const char *caption;
    const char *header;
    int tickets;
};

void PrintTo(const Road &road, std::ostream *out) {
    *out << road.caption;
}

class PlayerRoadTest : public ::testing::TestWithParam<Road> {
protected:
    PlayerRoadTest() { window.show(); }
    ~PlayerRoadTest() override {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != &window && top->isVisible())
                top->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QWidget *openWindow(const char *name) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String(name) && top->isVisible())
                return top;
        return nullptr;
    }

    // Clicks a catalogue row and OK in the catalogue that is open now.
    void chooseRow(const char *catalogueName, const char *row) {
        QWidget *catalogue = openWindow(catalogueName);
        ASSERT_NE(catalogue, nullptr) << catalogueName << " did not open";
        auto *rows = catalogue->findChild<QListWidget *>("List1");
        const QList<QListWidgetItem *> found =
            rows->findItems(QLatin1String(row), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        rows->scrollToItem(found[0]);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                          rows->visualItemRect(found[0]).center());
        QTest::mouseClick(catalogue->findChild<QPushButton *>("Command4"), Qt::LeftButton);
        EXPECT_EQ(openWindow(catalogueName), nullptr);
    }

    // Random, then Yes, in the picker that is open now.
    void drawAndConfirm() {
        QWidget *picker = openWindow("Form3");
        ASSERT_NE(picker, nullptr) << "the number picker did not open";
        QTest::mouseClick(picker->findChild<QPushButton *>("command3"), Qt::LeftButton);
        QTest::mouseClick(picker->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        EXPECT_EQ(openWindow("Form3"), nullptr);
    }

    DocumentWindow *shownDocument() const {
        QMdiSubWindow *frame = window.findChild<QMdiArea *>()->activeSubWindow();
        return frame ? qobject_cast<DocumentWindow *>(frame->widget()) : nullptr;
    }

    // The numbers line a report must show for the numbers the picker drew.
    std::string drawnNumbersLine() const {
        std::string line;
        const int count = shownDocument()->request().wheel.pickCount;
        for (int p = 1; p <= count; ++p)
            line += "  " + std::to_string(carried.picks[static_cast<std::size_t>(p)]);
        return line;
    }

    test::FakeDesktop desktop;
    MainWindow window{desktop};
    const RunCarryOver &carried = window.carriedOver();
};

TEST_P(PlayerRoadTest, MenuCatalogueRandomYesShowsTheReport) {
    const Road &road = GetParam();
    window.findChild<QAction *>(QLatin1String(road.menuCommand))->trigger();
    chooseRow(road.menuCommand == std::string("mnu5wheel") ? "Form1" : "Form2", road.row);
    drawAndConfirm();

    DocumentWindow *document = shownDocument();
    ASSERT_NE(document, nullptr) << "no report document is shown";
    EXPECT_EQ(document->windowTitle().toStdString(), road.caption);
    const std::vector<std::string> &lines = document->lines();
    ASSERT_EQ(lines.size(), 14u + static_cast<std::size_t>(road.tickets));
    EXPECT_EQ(lines[1], road.header);
    EXPECT_EQ(lines[4], drawnNumbersLine());
    EXPECT_EQ(lines.back(), "Good Luck in All your Lotto Pursuits");
    EXPECT_EQ(carried.documentCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Wheels, PlayerRoadTest,
    ::testing::Values(Road{"mnu5wheel",
                           "    $   17        17    Tickets   15  Numbers        3 of 5",
                           "  $17   17  Tickets  15 Numbers  Pick 5 Wheel",
                           " $17  17 Tickets  15 Numbers  3 of 5 Guarantee", 17},
                      Road{"mnu6wheel",
                           "    $    30      30    Tickets  23  Numbers          3 of 6",
                           "  $30   30  Tickets  23 Numbers  Pick 6 Wheel",
                           " $30  30 Tickets  23 Numbers  3 of 6 Guarantee", 30},
                      Road{"mnu5wheel", "    $1287   1287   Tickets   13  Numbers                5",
                           "  $1287   1287  Tickets  13 Numbers  Pick 5 Wheel",
                           " $1287  1287 Tickets  13 Numbers  5 of 5 Guarantee", 1287},
                      Road{"mnu6wheel", "    $3003  3003    Tickets 14  Numbers                  6",
                           "  $3003   3003  Tickets  14 Numbers  Pick 6 Wheel",
                           " $3003  3003 Tickets  14 Numbers  6 Guarantee", 3003}));

TEST_F(PlayerRoadTest, GeneratorYesPlaysEveryCombinationOfItsField) {
    window.findChild<QAction *>(QStringLiteral("mnufunwheel6"))->trigger();
    QWidget *generator = openWindow("Form4");
    ASSERT_NE(generator, nullptr);
    generator->findChild<QScrollBar *>("hsbpick")->setValue(8);
    QTest::mouseClick(generator->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    EXPECT_EQ(openWindow("Form4"), nullptr);

    drawAndConfirm();

    DocumentWindow *document = shownDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->windowTitle(), "  $28   28  Tickets  8 Numbers  Pick 6 Wheel");
    ASSERT_EQ(document->lines().size(), 14u + 28u);
    EXPECT_EQ(document->lines()[1], " $28  28 Tickets  8 Numbers  6 Guarantee");
    EXPECT_EQ(document->lines()[4], drawnNumbersLine());
    EXPECT_EQ(document->request().wheel, fullWheelChoice(6, 8, -1));
}

// The report a player takes to the lottery is the one on screen, whatever windows were visited
// after it was written.
TEST_F(PlayerRoadTest, CopySaveAndPrintHandOverTheReportOnScreen) {
    window.findChild<QAction *>(QStringLiteral("mnu6wheel"))->trigger();
    chooseRow("Form2", "    $    30      30    Tickets  23  Numbers          3 of 6");
    drawAndConfirm();
    DocumentWindow *document = shownDocument();
    ASSERT_NE(document, nullptr);
    const QString caption = document->windowTitle();
    const std::vector<std::string> onScreen = document->lines();
    ASSERT_EQ(onScreen.size(), 14u + 30u);
    QListView *list = document->list();
    list->setCurrentIndex(list->model()->index(20, 0));
    list->scrollTo(list->currentIndex(), QAbstractItemView::PositionAtTop);
    const int scrolledTo = list->verticalScrollBar()->value();

    // Another catalogue, a row chosen, the picker cancelled.
    window.findChild<QAction *>(QStringLiteral("mnu5wheel"))->trigger();
    chooseRow("Form1", "    $   17        17    Tickets   15  Numbers        3 of 5");
    QWidget *picker = openWindow("Form3");
    ASSERT_NE(picker, nullptr);
    picker->close();
    // The Pick 5 catalogue opened and cancelled.
    window.findChild<QAction *>(QStringLiteral("mnu5wheel"))->trigger();
    QWidget *catalogue = openWindow("Form1");
    ASSERT_NE(catalogue, nullptr);
    QTest::mouseClick(catalogue->findChild<QPushButton *>("Command3"), Qt::LeftButton);
    // The other generator window, its field changed, cancelled.
    window.findChild<QAction *>(QStringLiteral("mnufunwheel5"))->trigger();
    QWidget *generator = openWindow("Form5");
    ASSERT_NE(generator, nullptr);
    generator->findChild<QScrollBar *>("hsbpick")->setValue(14);
    QTest::mouseClick(generator->findChild<QPushButton *>("Command2"), Qt::LeftButton);
    ASSERT_EQ(openWindow("Form5"), nullptr);
    ASSERT_NE(carried.lastChoice.wheelMode, 6) << "the visits must have chosen other wheels";

    test::TempDir dir;
    const std::filesystem::path saved = dir / "wheel.txt";
    desktop.saveFileNames.push_back(QString::fromStdString(saved.string()));
    window.findChild<QAction *>(QStringLiteral("mnuEditCopy"))->trigger();
    window.findChild<QAction *>(QStringLiteral("mnuFileSaveAs"))->trigger();
    window.findChild<QAction *>(QStringLiteral("mnuFilePrint"))->trigger();

    std::string expected;
    for (const std::string &line : onScreen)
        expected += line + "\r\n";
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(desktop.clipboard.toStdString(), expected);
    EXPECT_EQ(test::readFileBytes(saved), expected);
    ASSERT_EQ(desktop.printedDocuments.size(), 1u);
    EXPECT_EQ((desktop.printedDocuments[0].join("\r\n") + "\r\n").toStdString(), expected);

    EXPECT_EQ(shownDocument(), document);
    EXPECT_TRUE(document->isOpen());
    EXPECT_EQ(document->windowTitle(), caption);
    EXPECT_EQ(document->lines(), onScreen);
    EXPECT_EQ(list->verticalScrollBar()->value(), scrolledTo);
    EXPECT_EQ(list->currentIndex().row(), 20);
}

} // namespace
} // namespace marlek
