// The History menu through the real main window and the fake desktop: a lottery's file imported
// (a known header and one whose columns the player maps), the stored draws listed, and the report
// on screen checked against them as a document that copies like a report.

#include "main_window.h"

#include "document_window.h"
#include "draw_check.h"
#include "draw_store.h"
#include "fake_desktop.h"
#include "game_range_fields.h"
#include "history_check.h"
#include "import_draws_window.h"
#include "past_draws_window.h"
#include "qstring_print.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "top_level_windows.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace marlek {
namespace {

using test::FakeDesktop;

const std::string kFixtures = MARLEK_HISTORY_FIXTURES;

class HistoryMenuTest : public ::testing::Test {
protected:
    HistoryMenuTest() {
        std::filesystem::create_directories(config.path() / "marlek-lotto/games");
        std::filesystem::copy_file(kFixtures + "/test-lotto.game",
                                   config.path() / "marlek-lotto/games/test-lotto.game");
        window.show();
    }
    ~HistoryMenuTest() override { test::closeTopLevelsBut(&window); }

    void trigger(const char *name) {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    template <typename Window> Window *shown(const char *name) {
        return dynamic_cast<Window *>(test::openTopLevel(name));
    }
    static void chooseGame(QComboBox *box, const char *name) {
        box->setCurrentIndex(box->findText(QString::fromLatin1(name)));
        ASSERT_GE(box->currentIndex(), 0) << name;
    }
    static void click(QWidget *window, const char *button) {
        auto *found = window->findChild<QPushButton *>(QString::fromLatin1(button));
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }
    ImportDrawsWindow *openImport(const std::string &fixture) {
        desktop.openFileNames.push_back(QString::fromStdString(kFixtures + "/" + fixture));
        trigger("mnuHistoryImport");
        return shown<ImportDrawsWindow>("frmImportDraws");
    }
    std::vector<DocumentWindow *> documents() const {
        std::vector<DocumentWindow *> open;
        for (QMdiSubWindow *frame : window.mdiArea()->subWindowList())
            if (auto *doc = qobject_cast<DocumentWindow *>(frame->widget()); doc && doc->isOpen())
                open.push_back(doc);
        return open;
    }

    test::TempDir config;
    test::TempDir data;
    test::ScopedEnv configEnv{"XDG_CONFIG_HOME", config.path().c_str()};
    test::ScopedEnv dataEnv{"XDG_DATA_HOME", data.path().c_str()};
    FakeDesktop desktop;
    MainWindow window{desktop};
};

TEST_F(HistoryMenuTest, ImportsAFileWhoseHeaderNamesItsColumns) {
    ImportDrawsWindow *import = openImport("columns_newest_first.csv");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(desktop.openFilters, std::vector<QString>{kDrawFileFilter});
    EXPECT_EQ(columnLayoutText(import->chosenLayout()),
              "date,draw,main,main,main,main,main,main,bonus,-");
    EXPECT_EQ(import->roleBox(0)->accessibleName(), "Role of column 1");
    chooseGame(import->findChild<QComboBox *>("cboGame"), "Test Lotto");
    click(import, "cmdImport");
    EXPECT_EQ(import->result()->toPlainText(),
              "4 rows: 4 draws added, 0 already stored, 0 contradicting stored draws, 0 refused");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(DrawStore(drawDatabasePath()).count("Test Lotto"), 4);
}

TEST_F(HistoryMenuTest, ColumnsOfAnUnknownHeaderAreMappedByThePlayer) {
    ImportDrawsWindow *import = openImport("unknown_header.csv");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(import->findChild<QLabel *>("lblLayout")->text(),
              "The header does not say which columns hold the date and the numbers: choose each "
              "column's role.");
    chooseGame(import->findChild<QComboBox *>("cboGame"), "Test Lotto");
    click(import, "cmdImport");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "The columns cannot be read so: no column holds the date. "
                                        "Choose each column's role above its rows.");
    const char *roles[] = {"Date", "Draw number", "Main numbers", "Main numbers", "Main numbers",
                           "Main numbers", "Main numbers", "Main numbers", "Bonus numbers"};
    for (int column = 0; column < 9; ++column) {
        QComboBox *box = import->roleBox(column);
        box->setCurrentIndex(box->findText(QString::fromLatin1(roles[column])));
    }
    click(import, "cmdImport");
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(import->result()->toPlainText(),
              "2 rows: 2 draws added, 0 already stored, 0 contradicting stored draws, 0 refused");
}

TEST_F(HistoryMenuTest, RefusedRowsAreNamedAndCancelOpensNothing) {
    trigger("mnuHistoryImport"); // the open dialog cancelled
    EXPECT_EQ(test::openTopLevel("frmImportDraws"), nullptr);

    ImportDrawsWindow *import = openImport("untidy_rows.csv");
    ASSERT_NE(import, nullptr);
    chooseGame(import->findChild<QComboBox *>("cboGame"), "Test Lotto");
    click(import, "cmdImport");
    const QStringList lines = import->result()->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "refused: line 2: the number 41 is outside 1 to 40 by the rules from "
                        "1990-01-01");
    EXPECT_EQ(lines[8], "9 rows: 1 draw added, 0 already stored, 0 contradicting stored draws, "
                        "8 refused");

    desktop.openFileNames.push_back(QString::fromStdString((data / "missing.csv").string()));
    trigger("mnuHistoryImport");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith("cannot read \"")) << desktop.messages[0].text.toStdString();
}

TEST_F(HistoryMenuTest, PastDrawsListsAGamesDrawsOverTheDatesGiven) {
    {
        DrawStore store(drawDatabasePath());
        store.store("Test Lotto", {{Draw{Date{std::chrono::year(2020), std::chrono::month(9),
                                              std::chrono::day(26)},
                                         101,
                                         {23, 5, 41, 17, 36, 2},
                                         {44}},
                                    0},
                                   {Draw{Date{std::chrono::year(2020), std::chrono::month(9),
                                              std::chrono::day(30)},
                                         {},
                                         {1, 2, 3, 4, 5, 6},
                                         {7}},
                                    0}});
    }
    trigger("mnuHistoryDraws");
    auto *draws = shown<PastDrawsWindow>("frmPastDraws");
    ASSERT_NE(draws, nullptr);
    chooseGame(draws->fields()->gameBox(), "Test Lotto");
    EXPECT_EQ(draws->list()->toPlainText(),
              "2020-09-26  draw 101  23 5 41 17 36 2 + 44\n2020-09-30  1 2 3 4 5 6 + 7");
    EXPECT_EQ(draws->count()->text(), "2 draws of Test Lotto");
    draws->fields()->fromEdit()->setText("2020-09-27");
    click(draws, "cmdShow");
    EXPECT_EQ(draws->list()->toPlainText(), "2020-09-30  1 2 3 4 5 6 + 7");
    draws->fields()->toEdit()->setText("2020-09-31");
    click(draws, "cmdShow");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              "To: \"2020-09-31\" is no date written YYYY-MM-DD, such as 2020-09-26.");
}

TEST_F(HistoryMenuTest, ChecksTheReportOnScreenAgainstThePastDrawsAsADocument) {
    trigger("mnuHistoryCheck");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text.toStdString(), noReportToCheckMessage());

    ImportDrawsWindow *import = openImport("columns_newest_first.csv");
    ASSERT_NE(import, nullptr);
    chooseGame(import->findChild<QComboBox *>("cboGame"), "Test Lotto");
    click(import, "cmdImport");
    import->close();

    const std::vector<std::int16_t> numbers = {3, 7, 14, 21, 29, 48, 1, 2};
    window.openWheelDocument(reportRequestFor(fullWheelChoice(6, 8, -1), numbers));
    trigger("mnuHistoryCheck");
    QWidget *ask = test::openTopLevel("frmCheckPastDraws");
    ASSERT_NE(ask, nullptr);
    chooseGame(ask->findChild<QComboBox *>("cboGame"), "Test Lotto");
    ask->findChild<QLineEdit *>("txtFrom")->setText("2020-09-20");
    click(ask, "cmdCheck");

    const std::vector<DocumentWindow *> docs = documents();
    ASSERT_EQ(docs.size(), 1u); // the report closes as the check opens, as Check a Draw's does
    EXPECT_EQ(docs[0]->windowTitle(), "Past Draws of Test Lotto");
    const std::vector<std::string> &lines = docs[0]->lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[1], "28 Tickets of 6 Numbers against 3 stored draws from 2020-09-20 on");
    EXPECT_EQ(lines[2], pastDrawsNotice());
    EXPECT_EQ(lines[5].substr(0, 48), "  2020-09-23 (draw 100)  14 3 29 48 7 21 + 35  2");

    trigger("mnuEditCopy");
    EXPECT_TRUE(desktop.clipboard.startsWith("Past Draws of Test Lotto\r\n")) << desktop.clipboard.toStdString();
}

// A report opened from its file (File > Open) is checked against the past draws, and What It
// Wins counts it, as the report on screen it was saved from.
TEST_F(HistoryMenuTest, AnOpenedReportIsCheckedAgainstThePastDrawsAndCounted) {
    ImportDrawsWindow *import = openImport("columns_newest_first.csv");
    ASSERT_NE(import, nullptr);
    chooseGame(import->findChild<QComboBox *>("cboGame"), "Test Lotto");
    click(import, "cmdImport");
    import->close();

    const std::vector<std::int16_t> numbers = {3, 7, 14, 21, 29, 48, 1, 2};
    window.openWheelDocument(reportRequestFor(fullWheelChoice(6, 8, -1), numbers));
    const QString saved = QString::fromStdString((data.path() / "full8.txt").string());
    desktop.saveFileNames.push_back(saved);
    trigger("mnuFileSaveAs");
    documents()[0]->closeDocument();
    desktop.openFileNames.push_back(saved);
    trigger("mnuFileOpen");
    ASSERT_EQ(documents().size(), 1u);
    ASSERT_TRUE(documents()[0]->openedReport());

    trigger("mnuGamesWins");
    QWidget *wins = test::openTopLevel("frmWinsGame");
    ASSERT_NE(wins, nullptr);
    wins->close();

    trigger("mnuHistoryCheck");
    QWidget *ask = test::openTopLevel("frmCheckPastDraws");
    ASSERT_NE(ask, nullptr);
    chooseGame(ask->findChild<QComboBox *>("cboGame"), "Test Lotto");
    ask->findChild<QLineEdit *>("txtFrom")->setText("2020-09-20");
    click(ask, "cmdCheck");
    EXPECT_TRUE(desktop.messages.empty()) << desktop.messages.back().text.toStdString();
    const std::vector<DocumentWindow *> docs = documents();
    ASSERT_FALSE(docs.empty());
    const std::vector<std::string> &lines = docs.back()->lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[1], "28 Tickets of 6 Numbers against 3 stored draws from 2020-09-20 on");
    EXPECT_EQ(lines[5].substr(0, 48), "  2020-09-23 (draw 100)  14 3 29 48 7 21 + 35  2");
}

TEST_F(HistoryMenuTest, TheCheckedDrawCanBeKeptInAGamesPastDraws) {
    trigger("mnuEditKeepDraw"); // no check on screen
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "Check a Draw first: the draw kept is the one the check on "
                                        "screen was made against.");

    const std::vector<std::int16_t> numbers = {3, 7, 14, 21, 29, 48, 1, 2};
    window.openWheelDocument(reportRequestFor(fullWheelChoice(6, 8, -1), numbers));
    desktop.textAnswers.push_back(QStringLiteral("3 7 14 21 29 48"));
    trigger("mnuEditCheckDraw"); // as before: the check opens, nothing is kept
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(DrawStore(drawDatabasePath()).count("Test Lotto"), 0);

    trigger("mnuEditKeepDraw");
    QWidget *keep = test::openTopLevel("frmKeepDraw");
    ASSERT_NE(keep, nullptr);
    chooseGame(keep->findChild<QComboBox *>("cboGame"), "Test Lotto");
    keep->findChild<QLineEdit *>("txtDate")->setText("2021-01-02");
    click(keep, "cmdKeep");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text, "The draw of 2021-01-02 (3 7 14 21 29 48) is kept in Test "
                                        "Lotto's past draws.");
    EXPECT_EQ(test::openTopLevel("frmKeepDraw"), nullptr);
    EXPECT_EQ(DrawStore(drawDatabasePath()).count("Test Lotto"), 1);
}

} // namespace
} // namespace marlek
