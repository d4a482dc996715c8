// The "Design a Wheel" window through the main window's menu: design, cancel, save, play.

#include "designer_window.h"

#include "best_known.h"
#include "document_text.h"
#include "document_window.h"
#include "fake_desktop.h"
#include "main_window.h"
#include "number_picker.h"
#include "qstring_print.h"
#include "temp_dir.h"
#include "wheel_file.h"
#include "wheel_report.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace marlek {
namespace {

using test::FakeDesktop;
using test::TempDir;

struct Shape {
    int kind;
    int numbers;
    int matches;
    int drawn;
    int seconds;
};

class DesignerWindowTest : public ::testing::Test {
protected:
    DesignerWindowTest() {
        window.show();
        designer = openDesigner();
        designer->setSearchThreads(1);
        designer->setSeed(7);
    }
    ~DesignerWindowTest() override {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != &window && top->isVisible())
                top->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    DesignerWindow *openDesigner() {
        window.findChild<QAction *>(QStringLiteral("mnuDesign"))->trigger();
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<DesignerWindow *>(top); found && found->isVisible())
                return found;
        return nullptr;
    }
    template <typename Widget> Widget *child(const char *name) const {
        auto *widget = designer->findChild<Widget *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    QString readOut(const char *label) const {
        return QAccessible::queryAccessibleInterface(child<QLabel>(label))->text(QAccessible::Name);
    }

    void startDesign(const Shape &shape) {
        child<QComboBox>("cboKind")->setCurrentIndex(shape.kind == 5 ? 0 : 1);
        child<QSpinBox>("spnNumbers")->setValue(shape.numbers);
        child<QSpinBox>("spnMatches")->setValue(shape.matches);
        child<QSpinBox>("spnDrawn")->setValue(shape.drawn);
        child<QSpinBox>("spnSeconds")->setValue(shape.seconds);
        click("cmdDesign");
    }
    // 3 of 3 over 7 numbers, 5 a ticket: proven in a moment.
    void designSmallWheel() {
        startDesign({5, 7, 3, 3, 1});
        QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 10'000);
        ASSERT_TRUE(designer->wheel().has_value());
    }
    // Far more than a test waits for: 4 of 6 over 30 numbers for an hour.
    void startLongDesign() {
        startDesign({6, 30, 4, 6, 3600});
        QTRY_VERIFY_WITH_TIMEOUT(readOut("lblProgress").startsWith("Designing: "), 10'000);
    }

    FakeDesktop desktop;
    MainWindow window{desktop};
    const RunCarryOver &carried = window.carriedOver();
    QPointer<DesignerWindow> designer;
};

TEST_F(DesignerWindowTest, DesignsAProvenWheelAndSaysSoToAScreenReader) {
    ASSERT_NE(designer, nullptr);
    EXPECT_EQ(designer->windowTitle(), "Design a Wheel");
    EXPECT_FALSE(child<QPushButton>("cmdSave")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("cmdPlay")->isEnabled());

    designSmallWheel();
    const PlainWheel &wheel = *designer->wheel();
    EXPECT_EQ(wheel.kind, 5);
    EXPECT_EQ(wheel.numbers, 7);
    EXPECT_EQ(wheel.guarantee, (Guarantee{3, 3}));
    EXPECT_TRUE(meetsGuarantee(wheel));
    const QString result = readOut("lblResult");
    EXPECT_TRUE(result.startsWith(QString::number(wheel.tickets.size()) +
                                  " tickets. When 3 of your 7 numbers are drawn, at least one "
                                  "ticket wins all 3 of them. Checked against every draw."))
        << result.toStdString();
    EXPECT_FALSE(result.contains("Catalogue")) << result.toStdString();

    // The comparison waits behind Details, which says whether it is shown.
    auto *details = child<QPushButton>("cmdDetails");
    auto *detailsText = child<QLabel>("lblDetails");
    EXPECT_FALSE(detailsText->isVisible());
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(details)->state().checked);
    details->setFocus();
    QTest::keyClick(details, Qt::Key_Space);
    EXPECT_TRUE(detailsText->isVisible());
    EXPECT_TRUE(child<QLabel>("lblTable")->isVisible());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(details)->state().checkable);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(details)->state().checked);
    EXPECT_TRUE(readOut("lblDetails").contains("Catalogue: no such wheel."))
        << readOut("lblDetails").toStdString();
    QTest::keyClick(details, Qt::Key_Space);
    EXPECT_FALSE(detailsText->isVisible());
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(details)->state().checked);
    EXPECT_TRUE(child<QPushButton>("cmdSave")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmdPlay")->isEnabled());
    EXPECT_TRUE(child<QSpinBox>("spnNumbers")->isEnabled());
}

TEST_F(DesignerWindowTest, AWheelAtTheBestKnownSaysSoBesideTheCatalogue) {
    // 3 of 5 over 11 numbers: the catalogue has one, and the best known (5) is found quickly.
    startDesign({5, 11, 3, 5, 60});
    QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 60'000);
    ASSERT_TRUE(designer->wheel().has_value());
    const std::optional<int> catalogued = cataloguedTickets(5, 11, {3, 5});
    ASSERT_TRUE(catalogued.has_value());
    const QString result = readOut("lblResult");
    EXPECT_TRUE(result.startsWith("5 tickets. When 5 of your 11 numbers are drawn, at least one "
                                  "ticket wins 3 of them. Checked against every draw.\n"))
        << result.toStdString();
    EXPECT_TRUE(result.endsWith("as many as this one.") ||
                result.endsWith("smaller than this one."))
        << result.toStdString();
    const QString details = readOut("lblDetails");
    EXPECT_TRUE(details.startsWith("5 tickets, proven: 3 of 5 over 11 numbers, 5 a ticket ("))
        << details.toStdString();
    EXPECT_TRUE(details.contains(QStringLiteral(" s).\nCatalogue: %1 tickets. Best known: 5 "
                                                "tickets (")
                                     .arg(*catalogued)))
        << details.toStdString();
    EXPECT_TRUE(details.contains("This wheel is at the best known.")) << details.toStdString();
}

// Before a design, the window says what the program's own table holds for the guarantee chosen;
// the 3 of 6 over 20 numbers it opens with is there at the best known, and the design returns
// it at once.
TEST_F(DesignerWindowTest, SaysWhatTheOwnTableHoldsAndStartsFromIt) {
    EXPECT_EQ(readOut("lblTable"), "The program's table has a wheel of 10 tickets for this "
                                   "guarantee, at the best known.");
    child<QSpinBox>("spnNumbers")->setValue(40);
    EXPECT_EQ(readOut("lblTable"), "The program's table has no wheel for this guarantee.");
    child<QSpinBox>("spnKeys")->setValue(1);
    EXPECT_EQ(readOut("lblTable"),
              "The program's table has no wheel for this guarantee without the keys.");

    child<QSpinBox>("spnKeys")->setValue(0);
    startDesign({6, 20, 3, 6, 60});
    QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 60'000);
    ASSERT_TRUE(designer->wheel().has_value());
    EXPECT_EQ(designer->wheel()->tickets.size(), 10u);
    EXPECT_TRUE(readOut("lblDetails").contains("This wheel is at the best known."));
}

TEST_F(DesignerWindowTest, ATicketBudgetBelowTheGuaranteeGivesItsCoverageAndPlaysIt) {
    auto *budget = child<QSpinBox>("spnBudget");
    EXPECT_EQ(budget->value(), 0);
    EXPECT_EQ(budget->text(), "none"); // the designs above run with no budget

    // 3 of 3 over 7 numbers needs more than one ticket; one ticket holds 10 of the 35 triples.
    budget->setValue(1);
    designSmallWheel();
    EXPECT_EQ(designer->wheel()->tickets.size(), 1u);
    const QString result = readOut("lblResult");
    EXPECT_TRUE(result.startsWith("1 ticket. When 3 of your 7 numbers are drawn, at least one "
                                  "ticket wins all 3 of them in 10 of the 35 ways they can be "
                                  "drawn (28.5%)."))
        << result.toStdString();
    const QString details = readOut("lblDetails");
    EXPECT_TRUE(details.startsWith("1 ticket for 3 of 3 over 7 numbers, 5 a ticket ("))
        << details.toStdString();
    EXPECT_TRUE(details.contains("meets the guarantee for 10 of 35 draws of 3 (28.5%)."))
        << details.toStdString();
    EXPECT_TRUE(child<QPushButton>("cmdSave")->isEnabled());
    auto *play = child<QPushButton>("cmdPlay");
    ASSERT_TRUE(play->isEnabled());
    EXPECT_TRUE(play->toolTip().contains("share of draws")) << play->toolTip().toStdString();

    // Its report states the coverage it has, and Check a Draw reads it.
    click("cmdPlay");
    auto *picker = designer->findChild<NumberPicker *>();
    ASSERT_NE(picker, nullptr);
    picker->Command1_Click(); // Yes: the numbers 1 to 7
    DocumentWindow *doc = window.shownDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->lines()[1], " $1  1 Tickets  7 Numbers  3 of 3 Guarantee for 10 of 35 Draws");
    desktop.textAnswers.push_back(QStringLiteral("1 2 3 4 5"));
    window.findChild<QAction *>(QStringLiteral("mnuEditCheckDraw"))->trigger();
    ASSERT_NE(window.shownDocument(), doc);
    const std::vector<std::string> check = window.shownDocument()->lines();
    EXPECT_TRUE(check[check.size() - 2].starts_with("This Draw: it is one the wheel covers"))
        << check[check.size() - 2];

    budget->setValue(0); // back to none: the next wheel keeps the guarantee and plays
    designSmallWheel();
    EXPECT_TRUE(meetsGuarantee(*designer->wheel()));
    EXPECT_TRUE(play->isEnabled());
    EXPECT_FALSE(play->toolTip().contains("share of draws"));
}

// No guarantee the fields allow is too large to count: more drawn than a ticket holds cannot be
// set, and with at most 6 of 49 numbers the designer takes every shape.
TEST_F(DesignerWindowTest, AGuaranteeNoTicketCanHoldCannotBeSet) {
    startDesign({6, 49, 3, 20, 1});
    EXPECT_EQ(child<QSpinBox>("spnDrawn")->value(), 6);
    EXPECT_TRUE(desktop.messages.empty());
    click("cmdCancel");
    QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 600'000);
    EXPECT_TRUE(child<QPushButton>("cmdDesign")->isEnabled());
}

TEST_F(DesignerWindowTest, CancelStopsALongDesignAtOnceAndKeepsTheWindowUsable) {
    startDesign({6, 30, 4, 6, 3600});
    EXPECT_EQ(readOut("lblProgress"), "Designing: 0.0 s, no wheel yet");
    QTRY_VERIFY_WITH_TIMEOUT(readOut("lblProgress") != "Designing: 0.0 s, no wheel yet", 10'000);
    EXPECT_FALSE(child<QPushButton>("cmdDesign")->isEnabled());
    EXPECT_FALSE(child<QSpinBox>("spnNumbers")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmdCancel")->isEnabled());

    click("cmdCancel");
    QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 60'000);
    EXPECT_TRUE(readOut("lblResult").contains("Stopped")) << readOut("lblResult").toStdString();
    // Stopped long before its hour, the bar does not show the time as run out.
    auto *bar = child<QProgressBar>("barElapsed");
    EXPECT_LT(bar->value(), bar->maximum());
    EXPECT_TRUE(child<QPushButton>("cmdDesign")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("cmdCancel")->isEnabled());
    if (designer->wheel()) {
        EXPECT_TRUE(meetsGuarantee(*designer->wheel(), 2));
    }
}

TEST_F(DesignerWindowTest, EscapeStopsTheDesignBeforeItClosesTheWindow) {
    startLongDesign();
    QTest::keyClick(designer, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 60'000);
    EXPECT_TRUE(designer->isVisible());
    QTest::keyClick(designer, Qt::Key_Escape);
    EXPECT_FALSE(designer->isVisible());
}

TEST_F(DesignerWindowTest, ClosingTheWindowDuringADesignStopsItAndWaits) {
    startLongDesign();
    designer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(designer, nullptr);
    // The window comes back fresh from the menu.
    designer = openDesigner();
    ASSERT_NE(designer, nullptr);
    EXPECT_FALSE(designer->isDesigning());
}

TEST_F(DesignerWindowTest, SavesTheWheelFileThatReadsBackTheSame) {
    designSmallWheel();
    TempDir dir;
    const std::filesystem::path path = dir / "designed.txt";
    desktop.saveFileNames.push_back(QString::fromStdString(path.string()));
    click("cmdSave");
    EXPECT_TRUE(desktop.messages.empty());
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(readWheelFile(in), *designer->wheel());
}

TEST_F(DesignerWindowTest, AFailedSaveNamesThePathAndWritesNothing) {
    designSmallWheel();
    TempDir dir;
    const std::string path = (dir / "missing" / "designed.txt").string();
    desktop.saveFileNames.push_back(QString::fromStdString(path));
    click("cmdSave");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");
    EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromStdString(path)));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    click("cmdSave"); // a cancelled dialog writes nothing and says nothing
    EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(DesignerWindowTest, PlayingOpensThePickerAndItsYesTheDesignedReport) {
    designSmallWheel();
    const PlainWheel wheel = *designer->wheel();
    click("cmdPlay");
    auto *picker = designer->findChild<NumberPicker *>();
    ASSERT_NE(picker, nullptr);
    const QString tickets = QString::number(wheel.tickets.size());
    EXPECT_EQ(picker->windowTitle(),
              "Pick 5 Wheels        Pick 7  Numbers " + tickets + " Tickets");
    picker->command3_Click(); // Random
    picker->Command1_Click(); // Yes

    DocumentWindow *doc = window.shownDocument();
    ASSERT_NE(doc, nullptr);
    std::vector<std::int16_t> played(carried.picks.begin() + 1, carried.picks.begin() + 8);
    EXPECT_NE(played, (std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7})); // the draw
    const ReportRequest request = reportRequestFor(designedWheelChoice(wheel), played);
    const std::vector<std::string> expected = reportLines(request);
    EXPECT_EQ(doc->lines(), expected);
    EXPECT_EQ(doc->windowTitle().toStdString(), documentCaption(request));

    // Copy and Print hand over the document like any report.
    window.findChild<QAction *>(QStringLiteral("mnuEditCopy"))->trigger();
    EXPECT_EQ(desktop.clipboard, QString::fromLatin1(linesWithCrLf(expected)));
    window.findChild<QAction *>(QStringLiteral("mnuFilePrint"))->trigger();
    ASSERT_EQ(desktop.printedDocuments.size(), 1u);
    EXPECT_EQ(desktop.printedDocuments[0].size(), static_cast<qsizetype>(expected.size()));
    EXPECT_EQ(desktop.printedDocuments[0].front().toStdString(), expected.front());
}

TEST_F(DesignerWindowTest, KeyNumbersReachTheDesignAndTheReportOfThePlayedWheel) {
    auto *keys = child<QSpinBox>("spnKeys");
    EXPECT_EQ(keys->value(), 0);
    EXPECT_EQ(keys->maximum(), 2); // fewer than t, 3 at the start
    child<QSpinBox>("spnMatches")->setValue(2);
    EXPECT_EQ(keys->maximum(), 1);

    // 3 of 3 over 8 numbers, 6 a ticket, with key 1: 2 of 2 over 7 numbers, 5 a ticket.
    child<QSpinBox>("spnNumbers")->setValue(8);
    child<QSpinBox>("spnMatches")->setValue(3);
    child<QSpinBox>("spnDrawn")->setValue(3);
    keys->setValue(1);
    click("cmdDesign");
    QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 10'000);
    ASSERT_TRUE(designer->wheel().has_value());
    const PlainWheel wheel = *designer->wheel();
    EXPECT_EQ(wheel.keys, 1);
    EXPECT_EQ(wheel.guarantee, (Guarantee{3, 3}));
    EXPECT_TRUE(meetsGuarantee(wheel));
    const QString result = readOut("lblResult");
    EXPECT_TRUE(result.contains("When 3 of your 8 numbers are drawn, your key number among them, "
                                "at least one ticket wins all 3 of them. Checked against every "
                                "draw.\nKey number 1 is in every ticket: the guarantee holds when "
                                "it is drawn. When you play it, the lowest of your numbers is the "
                                "key number."))
        << result.toStdString();
    EXPECT_TRUE(readOut("lblDetails")
                    .contains("\nCompared without the keys, as 2 of 2 over 7 "
                              "numbers, 5 a ticket."))
        << readOut("lblDetails").toStdString();

    click("cmdPlay");
    auto *picker = designer->findChild<NumberPicker *>();
    ASSERT_NE(picker, nullptr);
    picker->command3_Click(); // Random
    // Before "Yes", the picker names the played number that becomes the key.
    const std::string key = std::to_string(carried.picks[1]);
    const QString surface = picker->findChild<QLabel *>("drawingSurface")->text();
    EXPECT_TRUE(surface.section('\n', 0, 0)
                    .endsWith(QString::fromStdString("   Key Number " + key + " on Every Ticket")))
        << surface.toStdString();
    picker->Command1_Click(); // Yes
    DocumentWindow *doc = window.shownDocument();
    ASSERT_NE(doc, nullptr);
    const std::vector<std::string> lines = doc->lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[lines.size() - 4],
              "Pick Any 3 of the 8 Numbers you've Selected, Key Number " + key + " among them");
    for (std::size_t t = 0; t < wheel.tickets.size(); ++t)
        EXPECT_EQ(lines[7 + t].substr(22, 2), (key.size() == 1 ? "0" : "") + key) << lines[7 + t];
}

// A wheel belongs to the fields it was designed for: changed fields leave Save and Play waiting for
// Design, and say so; set back, the wheel is theirs again.
TEST_F(DesignerWindowTest, ChangedFieldsMarkTheWheelAsNotTheirs) {
    designSmallWheel();
    auto *save = child<QPushButton>("cmdSave");
    auto *play = child<QPushButton>("cmdPlay");
    ASSERT_TRUE(save->isEnabled());
    ASSERT_TRUE(play->isEnabled());
    EXPECT_FALSE(child<QLabel>("lblStale")->isVisibleTo(designer));

    child<QComboBox>("cboKind")->setCurrentIndex(1); // Pick 6, as the player changes the fields
    child<QSpinBox>("spnNumbers")->setValue(12);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(play->isEnabled());
    EXPECT_TRUE(child<QLabel>("lblStale")->isVisibleTo(designer));
    EXPECT_EQ(readOut("lblStale"), "The fields changed since this wheel was designed for Pick 5, "
                                   "7 numbers, 3 of 3: press Design for the fields as they are, "
                                   "or set them back to save or play it.");
    designer->cmdPlay_Click(); // a shortcut plays nothing either
    EXPECT_EQ(designer->findChild<NumberPicker *>(), nullptr);

    child<QComboBox>("cboKind")->setCurrentIndex(0);
    child<QSpinBox>("spnNumbers")->setValue(7);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(play->isEnabled());
    EXPECT_FALSE(child<QLabel>("lblStale")->isVisibleTo(designer));
}

// A value typed into a field that has not been left counts when Design is pressed without leaving
// it, as its Alt key does.
TEST_F(DesignerWindowTest, DesignByTheKeyboardTakesTheValueJustTyped) {
    child<QComboBox>("cboKind")->setCurrentIndex(0);
    child<QSpinBox>("spnSeconds")->setValue(1);
    auto *numbers = child<QSpinBox>("spnNumbers");
    numbers->setValue(7);
    auto *matches = child<QSpinBox>("spnMatches");
    matches->setValue(3);
    auto *drawn = child<QSpinBox>("spnDrawn");
    drawn->setValue(3);
    drawn->setFocus();
    drawn->selectAll();
    QTest::keyClicks(drawn, QStringLiteral("4"));
    EXPECT_EQ(drawn->value(), 3); // not taken while the field has the keyboard
    child<QPushButton>("cmdDesign")->click(); // as its Alt key does, the keyboard left in place
    QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 10'000);
    ASSERT_TRUE(designer->wheel().has_value());
    EXPECT_EQ(designer->wheel()->guarantee, (Guarantee{3, 4}));
    EXPECT_TRUE(child<QPushButton>("cmdSave")->isEnabled());
}

// Values outside a field's range are said where they are typed; a count drawn above the ticket's
// size says why it cannot be.
TEST_F(DesignerWindowTest, ValuesOutOfRangeAreSaidWhereTheyAreTyped) {
    auto typeInto = [this](const char *name, const QString &text) {
        auto *field = child<QSpinBox>(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    };
    auto *problem = child<QLabel>("lblFieldProblem");
    EXPECT_EQ(child<QSpinBox>("spnDrawn")->maximum(), 6); // Pick 6 over 20 numbers
    typeInto("spnDrawn", QStringLiteral("10"));
    QTRY_VERIFY(problem->isVisibleTo(designer));
    EXPECT_EQ(readOut("lblFieldProblem"),
              "10 drawn is more than the 6 numbers on a Pick 6 ticket: no ticket can hold them, "
              "so a guarantee counts at most 6 drawn; the field keeps 6 when you leave it.");
    typeInto("spnDrawn", QStringLiteral("5"));
    QTRY_VERIFY(!problem->isVisibleTo(designer));
    child<QSpinBox>("spnDrawn")->interpretText(); // as when the field is left
    EXPECT_EQ(child<QSpinBox>("spnDrawn")->value(), 5);

    typeInto("spnNumbers", QStringLiteral("60"));
    QTRY_VERIFY(problem->isVisibleTo(designer));
    EXPECT_EQ(readOut("lblFieldProblem"),
              "60 is out of range: this field takes 6 to 49; it keeps 20 when you leave it.");
}

// A long result scrolls in its own area: the fields keep their height.
TEST_F(DesignerWindowTest, ALongResultLeavesTheFieldsTheirHeight) {
    auto *numbers = child<QSpinBox>("spnNumbers");
    const int height = numbers->height();
    child<QLabel>("lblResult")->setText(QString("A long result line.\n").repeated(60));
    QCoreApplication::processEvents();
    EXPECT_GE(numbers->height(), std::min(height, numbers->sizeHint().height()));
    EXPECT_GE(numbers->height(), numbers->minimumSizeHint().height());
}

TEST_F(DesignerWindowTest, EveryFieldIsLabelledAndTabReachesEveryControlInOrder) {
    const char *fields[] = {"cboKind", "spnNumbers", "spnMatches", "spnDrawn",
                            "spnKeys", "spnSeconds", "spnBudget"};
    for (const char *name : fields) {
        QWidget *field = child<QWidget>(name);
        bool labelled = false;
        for (const QLabel *label : designer->findChildren<QLabel *>())
            labelled = labelled || (label->buddy() == field && label->text().contains('&'));
        EXPECT_TRUE(labelled) << name;
    }

    designer->activateWindow();
    QApplication::setActiveWindow(designer);
    child<QWidget>("cboKind")->setFocus();
    // Save and Play wait for a wheel; Cancel for a design; the program's table for Details.
    const char *order[] = {"spnNumbers", "spnMatches",  "spnDrawn",  "spnKeys",
                           "spnSeconds", "spnBudget",   "cmdDesign", "cmdDetails",
                           "cmdClose",   "lblProgress", "lblResult", "cboKind"};
    for (const char *name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(name)) << name;
    }
    QTest::keyClick(child<QWidget>("cmdDetails"), Qt::Key_Space);
    child<QWidget>("lblResult")->setFocus();
    for (const char *name : {"lblTable", "cboKind"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(name)) << name;
    }
}

} // namespace
} // namespace marlek
