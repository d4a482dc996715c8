#include "main_window.h"

#include "about_window.h"
#include "catalogue_window.h"
#include "document_text.h"
#include "document_window.h"
#include "draw_check.h"
#include "fake_desktop.h"
#include "generator_window.h"
#include "odds_window.h"
#include "qstring_print.h"
#include "readme_window.h"
#include "temp_dir.h"
#include "wheel_report.h"
#include "window_units.h"
#include "worked_example.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

using test::FakeDesktop;
using test::kWorkedExampleLines;
using test::readFileBytes;
using test::TempDir;
using test::workedExampleRequest;
using test::writeFileBytes;

// The request the number picker hands on for a choice over these numbers.
ReportRequest requestOf(const WheelChoice &choice, const RunCarryOver &carried) {
    return reportRequestFor(choice, std::span(carried.picks).subspan(1));
}

QString crLfText(const std::vector<std::string> &lines) {
    return QString::fromLatin1(linesWithCrLf(lines));
}

void deleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { window.show(); }
    ~MainWindowTest() override {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != &window && top->isVisible())
                top->close();
        deleteClosedWindows();
    }

    void trigger(const char *name) {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    std::vector<DocumentWindow *> openDocuments() const {
        std::vector<DocumentWindow *> open;
        for (QMdiSubWindow *frame : window.mdiArea()->subWindowList())
            if (auto *doc = qobject_cast<DocumentWindow *>(frame->widget()); doc && doc->isOpen())
                open.push_back(doc);
        return open;
    }
    template <typename Window> std::vector<Window *> shown() const {
        std::vector<Window *> found;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *w = qobject_cast<Window *>(top); w && w->isVisible())
                found.push_back(w);
        return found;
    }

    // A document of the choice over the player's numbers as they stand, as the picker's "Yes"
    // opens it.
    void openDocument(const WheelChoice &choice = {}) {
        window.openWheelDocument(requestOf(choice, carried));
    }

    FakeDesktop desktop;
    MainWindow window{desktop};
    RunCarryOver &carried = window.carriedOver();
};

// --- Main window --------------------------------------------------------------------------------

TEST_F(MainWindowTest, MenuBarHoldsExactlyTheProgramsMenusAndCommands) {
    struct Item {
        QString caption;
        QString name;
        QKeySequence shortcut;
    };
    struct Entry {
        QString caption;
        QString name;
        std::vector<Item> items; // empty: a command on the menu bar itself
    };
    const QKeySequence none;
    const std::vector<Entry> expected = {
        {"&File",
         "mnuFile",
         {{"Save &As...", "mnuFileSaveAs", none},
          {"-", "mnuFileBar2", none},
          {"Print Set&up...", "mnuFilePageSetup", none},
          {"&Print...", "mnuFilePrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
          {"E&xit", "mnuFileExit", none},
          {"-", "mnuFileBar3", none},
          {"&Open...", "mnuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O)}}},
        {"&Edit",
         "mnuEdit",
         {{"&CopyAll", "mnuEditCopy", QKeySequence(Qt::CTRL | Qt::Key_C)},
          {"Check a &Draw...", "mnuEditCheckDraw", QKeySequence(Qt::CTRL | Qt::Key_D)},
          {"&Keep the Draw in the History...", "mnuEditKeepDraw", none}}},
        {"&Pick 6 Lotto", "mnu6wheel", {}},
        {"&Pick 5 Lotto", "mnu5wheel", {}},
        {"&Just for Fun",
         "mnufun",
         {{"&Read Me", "mnureadme", none},
          {"&Pick 6 Lottos", "mnufunwheel6", none},
          {"&Pick 5 Lottos", "mnufunwheel5", none}}},
        {"&Odds",
         "mnuodds",
         {{"Pick 6 Tables", "mnu6table", none}, {"Pick 5 Tables", "mnu5table", none}}},
        {"&About", "mnuHelp", {{"&Marlek's Lotto Software", "mnuHelpAbout", none}}},
        {"&Design", "mnuDesign", {}},
        {"&Games",
         "mnuGames",
         {{"&What It Wins...", "mnuGamesWins", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)},
          {"&Games...", "mnuGamesGames", QKeySequence(Qt::CTRL | Qt::Key_G)}}},
        {"&History",
         "mnuHistory",
         {{"&Import Draws...", "mnuHistoryImport", QKeySequence(Qt::CTRL | Qt::Key_I)},
          {"&Past Draws...", "mnuHistoryDraws", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H)},
          {"&Check Against Past Draws...", "mnuHistoryCheck", QKeySequence(Qt::CTRL | Qt::Key_H)}}},
    };

    const QList<QAction *> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Entry &entry = expected[i];
        QAction *action = bar[static_cast<qsizetype>(i)];
        EXPECT_EQ(action->text(), entry.caption);
        if (entry.items.empty()) {
            EXPECT_EQ(action->menu(), nullptr) << entry.caption.toStdString();
            EXPECT_EQ(action->objectName(), entry.name);
            EXPECT_TRUE(action->shortcut().isEmpty());
            continue;
        }
        ASSERT_NE(action->menu(), nullptr) << entry.caption.toStdString();
        EXPECT_EQ(action->menu()->objectName(), entry.name);
        const QList<QAction *> items = action->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(entry.items.size()));
        for (std::size_t j = 0; j < entry.items.size(); ++j) {
            QAction *item = items[static_cast<qsizetype>(j)];
            EXPECT_EQ(item->objectName(), entry.items[j].name);
            EXPECT_EQ(item->isSeparator(), entry.items[j].caption == "-");
            // A separator is a line alone: a text would be drawn beside it.
            EXPECT_EQ(item->text(), item->isSeparator() ? QString() : entry.items[j].caption);
            EXPECT_EQ(item->shortcut(), entry.items[j].shortcut) << item->text().toStdString();
        }
    }
    EXPECT_TRUE(window.findChildren<QToolBar *>().isEmpty());
}

TEST_F(MainWindowTest, OpensWithCaptionSizeStatusPanelsAndNoDocument) {
    EXPECT_EQ(window.windowTitle(), "Marlek's Lotto Software");
    EXPECT_TRUE(openDocuments().empty());

    // 8500 x 7000 twips, placed by the rule for the factor 0.9; wider only as far as the menu
    // bar needs to show every menu (the Games and History menus after the designer).
    const int frame = window.frameGeometry().width() - window.width();
    EXPECT_EQ(window.frameGeometry().width(),
              std::max(twipsToPixelsX(&window, 8500), window.menuBar()->sizeHint().width() + frame));
    EXPECT_EQ(window.frameGeometry().height(), twipsToPixelsY(&window, 7000));
    QWidget probe;
    probe.resize(window.frameGeometry().size());
    placeWindow(&probe, 0.9);
    EXPECT_EQ(window.pos(), probe.pos());

    QStatusBar *bar = window.findChild<QStatusBar *>("sbStatusBar");
    ASSERT_NE(bar, nullptr);
    const auto *text = bar->findChild<QLabel *>("sbStatusBarText");
    const auto *date = bar->findChild<QLabel *>("sbStatusBarDate");
    const auto *time = bar->findChild<QLabel *>("sbStatusBarTime");
    ASSERT_TRUE(text && date && time);
    EXPECT_EQ(text->text(), "Pick Your Pick 6 or Pick 5 Lotto");
    EXPECT_EQ(date->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_FALSE(time->text().isEmpty());
    EXPECT_GT(text->width(), date->width()); // the text panel takes the free width
}

// A screen reader reads what each panel shows; what the panel is comes as its description.
TEST_F(MainWindowTest, ScreenReadersHearTheStatusPanelsTexts) {
    const struct {
        const char *name;
        const char *role;
    } panels[] = {
        {"sbStatusBarText", "Status"}, {"sbStatusBarDate", "Date"}, {"sbStatusBarTime", "Time"}};
    for (const auto &panel : panels) {
        auto *label = window.findChild<QLabel *>(QString::fromLatin1(panel.name));
        ASSERT_NE(label, nullptr);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(label);
        ASSERT_FALSE(label->text().isEmpty());
        EXPECT_EQ(accessible->text(QAccessible::Name), label->text());
        EXPECT_EQ(accessible->text(QAccessible::Description), panel.role);
    }
}

// Tools that list the program's windows find every one of them as a window.
TEST_F(MainWindowTest, EveryTopLevelWindowIsExposedAsAWindow) {
    for (const char *command : {"mnufunwheel6", "mnu6table", "mnu5table", "mnu5wheel"}) {
        trigger(command);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(top);
            ASSERT_NE(accessible, nullptr);
            EXPECT_TRUE(accessible->role() == QAccessible::Window ||
                        accessible->role() == QAccessible::Dialog)
                << top->objectName().toStdString() << " " << accessible->role();
            EXPECT_EQ(accessible->text(QAccessible::Name), top->windowTitle());
        }
    }
}

TEST_F(MainWindowTest, CatalogueCommandsSetTheModeAndOpenTheCatalogueModal) {
    for (const auto &[name, mode] : {std::pair{"mnu5wheel", 5}, std::pair{"mnu6wheel", 6}}) {
        carried.lastChoice.wheelMode = 0;
        trigger(name);
        EXPECT_EQ(carried.lastChoice.wheelMode, mode);
        const auto catalogues = shown<CatalogueWindow>();
        ASSERT_EQ(catalogues.size(), 1u) << name;
        EXPECT_EQ(catalogues[0]->parentWidget(), &window);
        EXPECT_EQ(catalogues[0]->windowModality(), Qt::ApplicationModal);
        EXPECT_TRUE(catalogues[0]->testAttribute(Qt::WA_DeleteOnClose));
        catalogues[0]->close();
        deleteClosedWindows();
        EXPECT_EQ(carried.lastChoice.wheelMode, mode) << "closing without a choice keeps the mode";
    }
}

TEST_F(MainWindowTest, ModalWindowsAreOwnedByTheMainWindow) {
    trigger("mnureadme");
    ASSERT_EQ(shown<ReadMeWindow>().size(), 1u);
    EXPECT_EQ(shown<ReadMeWindow>()[0]->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(shown<ReadMeWindow>()[0]->parentWidget(), &window);

    trigger("mnuHelpAbout");
    ASSERT_EQ(shown<AboutWindow>().size(), 1u);
    EXPECT_EQ(shown<AboutWindow>()[0]->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(shown<AboutWindow>()[0]->parentWidget(), &window);

    trigger("mnufunwheel5");
    const auto generators = shown<GeneratorWindow>();
    ASSERT_EQ(generators.size(), 1u);
    EXPECT_EQ(generators[0]->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(generators[0]->parentWidget(), &window);
}

TEST_F(MainWindowTest, Pick6GeneratorAndOddsTablesAreSingleWindowsWithoutOwner) {
    trigger("mnufunwheel6");
    trigger("mnufunwheel6");
    const auto generators = shown<GeneratorWindow>();
    ASSERT_EQ(generators.size(), 1u);
    EXPECT_EQ(generators[0]->parentWidget(), nullptr);
    EXPECT_EQ(generators[0]->windowModality(), Qt::NonModal);

    trigger("mnu5table");
    trigger("mnu5table");
    trigger("mnu6table");
    const auto tables = shown<OddsWindow>();
    ASSERT_EQ(tables.size(), 2u);
    for (OddsWindow *table : tables) {
        EXPECT_EQ(table->parentWidget(), nullptr);
        EXPECT_EQ(table->windowModality(), Qt::NonModal);
    }

    // They stay open when the main window closes.
    trigger("mnuFileExit");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(shown<GeneratorWindow>().size(), 1u);
    EXPECT_EQ(shown<OddsWindow>().size(), 2u);
}

TEST_F(MainWindowTest, CatalogueRowOpensThatKindsGeneratorModal) {
    window.openGeneratorFromCatalogue(5);
    const auto generators = shown<GeneratorWindow>();
    ASSERT_EQ(generators.size(), 1u);
    EXPECT_EQ(generators[0]->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(generators[0]->parentWidget(), &window);
}

// --- Documents ----------------------------------------------------------------------------------

TEST_F(MainWindowTest, WheelDocumentShowsCaptionAndReportOfTheWorkedExample) {
    window.openWheelDocument(workedExampleRequest());
    EXPECT_EQ(carried.documentCount, 1);
    DocumentWindow *doc = window.document(1);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->windowTitle(), "  $5   5  Tickets  7 Numbers  Pick 5 Wheel");
    EXPECT_EQ(doc->lines(), kWorkedExampleLines);

    QListView *list = doc->findChild<QListView *>("List1");
    ASSERT_EQ(list, doc->list());
    ASSERT_EQ(list->model()->rowCount(), 19);
    EXPECT_EQ(list->model()->index(4, 0).data().toString(), "  3  11  17  25  33  40  42");
    // Ticket columns line up: every character is as wide as a space.
    const QString ticket = QString::fromStdString(kWorkedExampleLines[7]);
    const QFontMetricsF metrics(list->font());
    EXPECT_NEAR(metrics.horizontalAdvance(ticket), ticket.size() * metrics.horizontalAdvance(' '),
                0.5);
    // The first size shows the longest line without cutting it off.
    const int longest = list->fontMetrics().horizontalAdvance(
        "Check All  5 Tickets. At Least 1 Ticket will have 4 Numbers");
    EXPECT_GE(list->viewport()->width(), longest);
}

// The numbers line of a wheel of 19 numbers is longer than any other line.
TEST_F(MainWindowTest, EveryLineIsShownWholeAndTheListScrollsSideways) {
    for (int p = 1; p <= 19; ++p)
        carried.picks[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p + 40);
    openDocument(fullWheelChoice(5, 19, -1));
    QListView *list = window.document(1)->list();
    const QModelIndex numbers = list->model()->index(4, 0);
    const QString line = numbers.data().toString();
    ASSERT_TRUE(line.endsWith("  59"));
    const int wanted = list->fontMetrics().horizontalAdvance(line);
    EXPECT_GE(list->visualRect(numbers).width(), wanted);
    EXPECT_GE(list->visualRect(list->model()->index(20, 0)).width(), wanted);

    // Narrower than its lines, the list scrolls to their ends.
    window.mdiArea()->subWindowList().front()->resize(200, 300);
    QScrollBar *across = list->horizontalScrollBar();
    EXPECT_TRUE(across->isVisible());
    across->setValue(across->maximum());
    EXPECT_LE(list->visualRect(numbers).left() + wanted, list->viewport()->width());
}

TEST_F(MainWindowTest, CaptionIsBuiltBeforeTheReportSetsNAndTAgain) {
    ReportRequest request = workedExampleRequest();
    request.wheel.pickCount = 9;
    request.wheel.ticketCount = 99;
    window.openWheelDocument(request);
    EXPECT_EQ(window.document(1)->windowTitle(), "  $99   99  Tickets  9 Numbers  Pick 5 Wheel");
    EXPECT_EQ(window.document(1)->lines()[1], " $5  5 Tickets  7 Numbers  4 of 5 Guarantee");
}

TEST_F(MainWindowTest, ANewDocumentClosesTheOneShownBefore) {
    openDocument();
    DocumentWindow *first = window.document(1);
    window.openWheelDocument(workedExampleRequest());
    EXPECT_FALSE(first->isOpen());
    deleteClosedWindows();
    EXPECT_EQ(window.document(1), nullptr);
    ASSERT_EQ(openDocuments().size(), 1u);
    EXPECT_EQ(openDocuments()[0], window.document(2));
    EXPECT_EQ(window.mdiArea()->activeSubWindow()->widget(), window.document(2));
}

TEST_F(MainWindowTest, ListKeepsFillingTheDocumentAndAClickOnItsSurfaceClosesIt) {
    openDocument();
    DocumentWindow *doc = window.document(1);
    QMdiSubWindow *frame = window.mdiArea()->subWindowList().front();
    for (const QSize size : {QSize(300, 200), QSize(520, 410), QSize(120, 90)}) {
        frame->resize(size);
        EXPECT_EQ(doc->list()->geometry(), doc->rect()) << size.width() << "x" << size.height();
    }
    // A click on the list, below its last line, leaves the document open.
    QWidget *lines = doc->list()->viewport();
    QTest::mouseClick(lines, Qt::LeftButton, {}, QPoint(5, lines->height() - 3));
    EXPECT_TRUE(doc->isOpen());
    QTest::mouseClick(doc, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(doc->isOpen());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainWindowTest, ThirtyFourthAndThirtyFifthDocumentsOfARunOpen) {
    for (int n = 1; n <= 34; ++n)
        openDocument();
    EXPECT_EQ(carried.documentCount, 34);
    ASSERT_NE(window.document(34), nullptr);
    EXPECT_EQ(window.document(34)->windowTitle(),
              QString::fromLatin1(documentCaption(requestOf({}, carried))));

    openDocument(); // the 35th takes the position of a closed one
    openDocument();
    EXPECT_EQ(carried.documentCount, 36);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(window.document(34), nullptr);
    ASSERT_EQ(openDocuments().size(), 1u);
    EXPECT_EQ(openDocuments()[0], window.document(2));
}

TEST_F(MainWindowTest, ClosingTheMainWindowClosesItsDocuments) {
    openDocument();
    DocumentWindow *doc = window.document(1);
    trigger("mnuFileExit");
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(doc->isOpen());
}

// --- Document commands --------------------------------------------------------------------------

TEST_F(MainWindowTest, CopyAtTheLimitRefusesAndLeavesTheClipboardEmpty) {
    const struct {
        std::int32_t tickets;
        bool copies;
    } cases[] = {{2099, true}, {2100, false}, {27132, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tickets);
        desktop.messages.clear();
        desktop.clipboard = "held before";
        WheelChoice noWheel;
        noWheel.ticketCount = c.tickets; // mode 0: the report keeps the count
        openDocument(noWheel);
        trigger("mnuEditCopy");
        if (c.copies) {
            EXPECT_TRUE(desktop.messages.empty());
            EXPECT_EQ(desktop.clipboard, crLfText(window.shownDocument()->lines()));
        } else {
            ASSERT_EQ(desktop.messages.size(), 1u);
            EXPECT_EQ(desktop.messages[0].text,
                      "     File is to Big for Clipboard\r\nYou Can Save this File to Disk");
            EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");
            EXPECT_TRUE(desktop.clipboard.isEmpty());
            EXPECT_EQ(window.defaultDocument(), nullptr);
        }
    }
}

TEST_F(MainWindowTest, FirstCommandOfARunWorksOnTheReportOfModeZero) {
    TempDir dir;
    const std::vector<std::string> modeZero = reportLines(requestOf({}, carried));
    ASSERT_FALSE(modeZero.empty());
    EXPECT_EQ(modeZero.front(), "Marlek's ");

    trigger("mnuEditCopy");
    EXPECT_EQ(desktop.clipboard, crLfText(modeZero));
    ASSERT_NE(window.defaultDocument(), nullptr);
    EXPECT_EQ(window.defaultDocument()->windowTitle(), "");
    EXPECT_EQ(carried.documentCount, 0)
        << "the command's document is not one of the run's documents";

    window.defaultDocument()->closeDocument();
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "first.txt").string()));
    trigger("mnuFileSaveAs");
    EXPECT_EQ(readFileBytes(dir / "first.txt"), linesWithCrLf(modeZero));
    EXPECT_EQ(desktop.saveFilters, std::vector<QString>{"All Files (*.txt)|*.txt"});

    window.defaultDocument()->closeDocument();
    trigger("mnuFilePrint");
    ASSERT_EQ(desktop.printedDocuments.size(), 1u);
    EXPECT_EQ(desktop.printedPointSizes[0], 12);
    EXPECT_EQ(desktop.printedDocuments[0].size(), static_cast<qsizetype>(modeZero.size()));
    EXPECT_EQ(desktop.printedDocuments[0].front(), "Marlek's ");
}

TEST_F(MainWindowTest, CommandsWorkOnTheShownDocumentAndLeaveItAsItIs) {
    window.openWheelDocument(workedExampleRequest());
    DocumentWindow *shownDoc = window.document(1);
    const QString caption = shownDoc->windowTitle();

    // A catalogue choice of another wheel, the number picker closed without confirming.
    window.playWheel(cataloguedWheelChoice(6, 1, 7, 7), &window);
    carried.picks[1] = 4;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == "Form3")
            top->close();
    trigger("mnuEditCopy");
    EXPECT_EQ(desktop.clipboard, crLfText(kWorkedExampleLines));
    EXPECT_EQ(window.defaultDocument(), nullptr) << "no further document is loaded";
    EXPECT_TRUE(shownDoc->isOpen());
    EXPECT_EQ(shownDoc->windowTitle(), caption);
    EXPECT_EQ(shownDoc->lines(), kWorkedExampleLines);
}

TEST_F(MainWindowTest, WithTheDocumentClosedCommandsRewriteTheLastOneOpened) {
    window.openWheelDocument(workedExampleRequest());
    window.document(1)->closeDocument();
    deleteClosedWindows();
    // A wheel chosen since, which the copy limit would refuse.
    carried.wheelChosen(cataloguedWheelChoice(5, 1, 11, 2500));

    trigger("mnuEditCopy");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(desktop.clipboard, crLfText(kWorkedExampleLines));
    DocumentWindow *commandDoc = window.defaultDocument();
    ASSERT_NE(commandDoc, nullptr);
    EXPECT_EQ(commandDoc->windowTitle(), "");
    EXPECT_EQ(carried.documentCount, 1);

    // Loaded once, it stays the commands' document until it closes.
    trigger("mnuFilePrint");
    EXPECT_EQ(window.defaultDocument(), commandDoc);
    ASSERT_EQ(desktop.printedDocuments.size(), 1u);
    EXPECT_EQ(desktop.printedDocuments[0].join("\r\n") + "\r\n", crLfText(kWorkedExampleLines));
}

TEST_F(MainWindowTest, CtrlCInTheReportCopiesTheWholeReport) {
    window.openWheelDocument(workedExampleRequest());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.document(1)->list(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(desktop.clipboard, crLfText(kWorkedExampleLines));
}

TEST_F(MainWindowTest, SaveAsWritesTheWorkedExampleByteForByte) {
    TempDir dir;
    writeFileBytes(dir / "wheel", "an older file of that name, replaced without a question");
    window.openWheelDocument(workedExampleRequest());
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "wheel").string()));
    trigger("mnuFileSaveAs");

    std::string expected;
    for (const std::string &line : kWorkedExampleLines)
        expected += line + "\r\n";
    EXPECT_EQ(readFileBytes(dir / "wheel"), expected);
    EXPECT_NE(expected.find("42\r\n\r\nPlay these"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "wheel.txt"));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindowTest, CancelledSaveAsWritesAndLoadsNothing) {
    TempDir dir;
    trigger("mnuFileSaveAs"); // the fake answers "" like a cancelled dialog
    EXPECT_EQ(desktop.saveFilters.size(), 1u);
    EXPECT_EQ(window.defaultDocument(), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindowTest, AFailedSaveSaysWhereAndWhyAndTheProgramGoesOn) {
    TempDir dir;
    writeFileBytes(dir / "plain", "not a folder");
    const std::string paths[] = {(dir / "missing" / "r.txt").string(),
                                 (dir / "plain" / "r.txt").string(), "/dev/full"};
    for (const std::string &path : paths) {
        SCOPED_TRACE(path);
        desktop.messages.clear();
        desktop.saveFileNames.push_back(QString::fromStdString(path));
        trigger("mnuFileSaveAs");
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");
        EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromStdString(path)));
    }
    EXPECT_TRUE(desktop.messages[0].text.contains("No space left on device"));
    EXPECT_EQ(readFileBytes(dir / "plain"), "not a folder");
    EXPECT_TRUE(window.isVisible());

    // The next save works.
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "ok.txt").string()));
    trigger("mnuFileSaveAs");
    EXPECT_EQ(readFileBytes(dir / "ok.txt"), linesWithCrLf(window.defaultDocument()->lines()));
}

TEST_F(MainWindowTest, PrintSetupAndAMissingPrinterOrClipboardAreReported) {
    trigger("mnuFilePageSetup");
    EXPECT_EQ(desktop.printSetupCount, 1);
    EXPECT_EQ(window.defaultDocument(), nullptr);

    desktop.printerAvailable = false;
    trigger("mnuFilePrint");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains("No printer is available."));
    EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");

    desktop.clipboardWorks = false;
    trigger("mnuEditCopy");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_TRUE(desktop.messages[1].text.contains("clipboard"));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, LargeFullWheelReportsArePrintedAndSavedWhole) {
    TempDir dir;
    // Chosen but not played: every Pick 6 combination of 19 numbers, 27,132 tickets.
    carried.wheelChosen(fullWheelChoice(6, 19, -1));
    trigger("mnuFilePrint");
    const qsizetype lineCount = desktop.printedDocuments.at(0).size();
    EXPECT_EQ(lineCount, 27132 + 14); // seven lines before the tickets, seven after
    EXPECT_EQ(desktop.printedDocuments[0][lineCount - 1], "Good Luck in All your Lotto Pursuits");

    desktop.saveFileNames.push_back(QString::fromStdString((dir / "big.txt").string()));
    trigger("mnuFileSaveAs");
    EXPECT_EQ(std::filesystem::file_size(dir / "big.txt"),
              linesWithCrLf(window.defaultDocument()->lines()).size());
}

// --- Check a Draw -------------------------------------------------------------------------------

class CheckDrawTest : public MainWindowTest {
protected:
    // The worked example's report on screen.
    CheckDrawTest() { window.openWheelDocument(workedExampleRequest()); }
    static std::vector<std::string> workedExampleCheck(const std::vector<int> &draw) {
        return drawCheckLines(workedExampleRequest(), draw);
    }
};

TEST_F(CheckDrawTest, OpensTheCheckOfTheReportOnScreenAsADocument) {
    TempDir dir;
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "report.txt").string()));
    trigger("mnuFileSaveAs");

    desktop.textAnswers.push_back(QStringLiteral("42, 40 33 25,11"));
    trigger("mnuEditCheckDraw");
    ASSERT_EQ(desktop.textRequests.size(), 1u);
    EXPECT_EQ(desktop.textRequests[0].title, "Marlek's Lotto");
    EXPECT_EQ(desktop.textRequests[0].prompt,
              "Type the 5 numbers drawn, each from 1 to 99, separated by spaces or commas.\n"
              "They are checked against the tickets of this report:\n"
              "  $5   5  Tickets  7 Numbers  Pick 5 Wheel");
    EXPECT_EQ(desktop.textRequests[0].startText, "");
    deleteClosedWindows();

    // It replaces the report on screen, as any new document does.
    const std::vector<DocumentWindow *> open = openDocuments();
    ASSERT_EQ(open.size(), 1u);
    DocumentWindow *check = open[0];
    EXPECT_EQ(check->windowTitle(),
              "Draw  11  25  33  40  42  against  $5   5  Tickets  7 Numbers  Pick 5 Wheel");
    EXPECT_EQ(check->lines(), workedExampleCheck({11, 25, 33, 40, 42}));
    EXPECT_EQ(check->lines()[8], "Lotto Ticket     1    03  11  17  25  33    Hits 3:  11  25  33");
    EXPECT_EQ(carried.documentCount, 1);

    // The saved report, read back, checks the same.
    std::vector<std::string> fromFile;
    DrawChecker checker({11, 25, 33, 40, 42},
                        [&fromFile](std::string_view line) { fromFile.emplace_back(line); });
    const std::string saved = readFileBytes(dir / "report.txt");
    for (std::size_t at = 0; at < saved.size();) {
        const std::size_t end = saved.find('\n', at);
        checker.feed(std::string_view(saved).substr(at, end - at));
        at = end + 1;
    }
    checker.finish();
    EXPECT_EQ(fromFile, check->lines());

    // Copied, saved and printed like a report.
    trigger("mnuEditCopy");
    EXPECT_EQ(desktop.clipboard, crLfText(check->lines()));
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "check.txt").string()));
    trigger("mnuFileSaveAs");
    EXPECT_EQ(readFileBytes(dir / "check.txt"), linesWithCrLf(check->lines()));
    trigger("mnuFilePrint");
    ASSERT_EQ(desktop.printedDocuments.size(), 1u);
    EXPECT_EQ(desktop.printedDocuments[0].join("\r\n") + "\r\n", crLfText(check->lines()));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(check->isOpen());
}

// A refused draw says what is wrong and is asked for again, the text kept as typed.
TEST_F(CheckDrawTest, ABadDrawIsRefusedAndAskedAgainWithTheTextKept) {
    desktop.textAnswers = {QStringLiteral("3 11 17 25"), QStringLiteral("3 11 17 25 100"),
                           QStringLiteral("3 11 17 25 33")};
    trigger("mnuEditCheckDraw");
    ASSERT_EQ(desktop.textRequests.size(), 3u);
    EXPECT_EQ(desktop.textRequests[1].startText, "3 11 17 25");
    EXPECT_EQ(desktop.textRequests[2].startText, "3 11 17 25 100");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text,
              "This draw cannot be checked: 4 numbers given: a Pick 5 draw has 5 numbers.\n"
              "Press Try Again to correct the numbers, or Cancel to check no draw.");
    EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");
    EXPECT_TRUE(desktop.messages[1].text.contains("100 is not a lotto number"));
    deleteClosedWindows();
    ASSERT_EQ(openDocuments().size(), 1u);
    EXPECT_EQ(openDocuments()[0]->lines(), workedExampleCheck({3, 11, 17, 25, 33}));
}

TEST_F(CheckDrawTest, CancelOpensNothing) {
    desktop.textAnswers = {QStringLiteral("3 11"), std::nullopt};
    trigger("mnuEditCheckDraw");
    deleteClosedWindows();
    ASSERT_EQ(openDocuments().size(), 1u);
    EXPECT_EQ(openDocuments()[0]->lines(), kWorkedExampleLines);
}

// Cancel on the message about a refused draw cancels the check: nothing is asked again.
TEST_F(CheckDrawTest, CancelOnTheRefusalCancelsTheCheck) {
    desktop.textAnswers = {QStringLiteral("3.0 11 17 25 33"), QStringLiteral("3 11 17 25 33")};
    desktop.tryAgainAnswers = {false};
    trigger("mnuEditCheckDraw");
    EXPECT_EQ(desktop.textRequests.size(), 1u);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains("\"3.0\" has a decimal point"));
    deleteClosedWindows();
    ASSERT_EQ(openDocuments().size(), 1u);
    EXPECT_EQ(openDocuments()[0]->lines(), kWorkedExampleLines);
}

// Checking again from a check document checks its report against the new draw.
TEST_F(CheckDrawTest, ACheckDocumentIsCheckedAgainstAnotherDraw) {
    desktop.textAnswers = {QStringLiteral("1 2 3 4 5"), QStringLiteral("3 11 17 25 33")};
    trigger("mnuEditCheckDraw");
    trigger("mnuEditCheckDraw");
    deleteClosedWindows();
    ASSERT_EQ(openDocuments().size(), 1u);
    EXPECT_EQ(openDocuments()[0]->lines(), workedExampleCheck({3, 11, 17, 25, 33}));
}

TEST_F(MainWindowTest, CheckADrawWithoutAWheelOnScreenSaysWhatToDo) {
    trigger("mnuEditCheckDraw");
    trigger("mnuEditCopy"); // the report of no wheel, on screen
    trigger("mnuEditCheckDraw");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith("There is no report on screen"));
    EXPECT_TRUE(desktop.messages[1].text.startsWith("This report was written before a wheel"));
    EXPECT_TRUE(desktop.textRequests.empty());
}

} // namespace
} // namespace marlek
