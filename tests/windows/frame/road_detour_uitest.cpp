// Every chooser's road to its report, taken after a detour through every other window: each of
// them chooses a wheel and leaves the picker without playing it, and the report shown is still
// exactly the one of the wheel the chooser handed on, over the numbers the picker drew.

#include "designer_window.h"
#include "document_window.h"
#include "fake_desktop.h"
#include "generator_state.h"
#include "main_window.h"
#include "number_picker.h"
#include "wheel_report.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace marlek {
namespace {

const char *const kPick5Row = "    $   17        17    Tickets   15  Numbers        3 of 5";
const char *const kPick6Row = "    $    30      30    Tickets  23  Numbers          3 of 6";

class RoadDetourTest : public ::testing::Test {
protected:
    RoadDetourTest() { window.show(); }
    ~RoadDetourTest() override {
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
    void trigger(const char *action) {
        window.findChild<QAction *>(QLatin1String(action))->trigger();
    }
    static void click(QWidget *window, const char *button) {
        ASSERT_NE(window, nullptr);
        QTest::mouseClick(window->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }

    // The menu's catalogue, a row and OK: the picker opens for the row's wheel.
    void chooseRow(const char *menuCommand, const char *catalogueName, const char *row) {
        trigger(menuCommand);
        QWidget *catalogue = openWindow(catalogueName);
        ASSERT_NE(catalogue, nullptr);
        auto *rows = catalogue->findChild<QListWidget *>("List1");
        const QList<QListWidgetItem *> found =
            rows->findItems(QLatin1String(row), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        rows->scrollToItem(found[0]);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                          rows->visualItemRect(found[0]).center());
        click(catalogue, "Command4");
    }
    // A generator window from the menu, its field set, "Yes": the picker opens for the full wheel.
    void generatorYes(const char *menuCommand, const char *name, int field) {
        trigger(menuCommand);
        QWidget *generator = openWindow(name);
        ASSERT_NE(generator, nullptr);
        generator->findChild<QScrollBar *>("hsbpick")->setValue(field);
        click(generator, "Command1");
    }
    // The design window from the menu, "Play" of the wheel designed at the start.
    void designerPlay() {
        trigger("mnuDesign");
        click(openWindow("frmDesign"), "cmdPlay");
    }
    // Random, then Yes, or the picker closed without playing.
    void drawAndConfirm() {
        QWidget *picker = openWindow("Form3");
        ASSERT_NE(picker, nullptr) << "the number picker did not open";
        click(picker, "command3");
        click(picker, "Command1");
    }
    void closePicker() {
        QWidget *picker = openWindow("Form3");
        ASSERT_NE(picker, nullptr) << "the number picker did not open";
        picker->close();
    }

    // Every window but `skip` (a chooser's window name): the choosers choose and leave the
    // picker unplayed, a draw is made in one of them, the others open and close.
    void detour(const std::string &skip) {
        const struct {
            const char *name;
            std::function<void()> choose;
        } choosers[] = {
            {"Form1", [this] { chooseRow("mnu5wheel", "Form1", kPick5Row); }},
            {"Form2", [this] { chooseRow("mnu6wheel", "Form2", kPick6Row); }},
            {"Form4", [this] { generatorYes("mnufunwheel6", "Form4", 9); }},
            {"Form5", [this] { generatorYes("mnufunwheel5", "Form5", 11); }},
            {"frmDesign", [this] { designerPlay(); }},
        };
        bool drawn = false;
        for (const auto &chooser : choosers) {
            if (chooser.name == skip)
                continue;
            chooser.choose();
            if (!drawn) { // a draw of another wheel's count, never played
                click(openWindow("Form3"), "command3");
                drawn = true;
            }
            closePicker();
        }
        for (const char *menuCommand : {"mnureadme", "mnu5table", "mnu6table", "mnuHelpAbout"}) {
            trigger(menuCommand);
            for (const char *name : {"Form6", "Form7", "Form8", "frmAbout"})
                if (QWidget *opened = openWindow(name))
                    opened->close();
        }
        ASSERT_EQ(openWindow("Form3"), nullptr);
    }

    // The report shown must be that of `chosen` over the numbers the picker drew.
    void expectReportOf(const WheelChoice &chosen) {
        QMdiSubWindow *frame = window.findChild<QMdiArea *>()->activeSubWindow();
        ASSERT_NE(frame, nullptr);
        auto *document = qobject_cast<DocumentWindow *>(frame->widget());
        ASSERT_NE(document, nullptr);
        const ReportRequest expected =
            reportRequestFor(chosen, std::span(window.carriedOver().picks).subspan(1));
        EXPECT_EQ(document->request().wheel, chosen);
        EXPECT_EQ(document->windowTitle().toStdString(), documentCaption(expected));
        EXPECT_EQ(document->lines(), reportLines(expected));
    }

    // A 4 of 5 wheel over 8 numbers: the program's own table holds it at the best known, so the
    // search ends at once.
    void designWheel() {
        trigger("mnuDesign");
        auto *designer = qobject_cast<DesignerWindow *>(openWindow("frmDesign"));
        ASSERT_NE(designer, nullptr);
        designer->setSearchThreads(1);
        designer->findChild<QComboBox *>("cboKind")->setCurrentIndex(0);
        designer->findChild<QSpinBox *>("spnNumbers")->setValue(8);
        designer->findChild<QSpinBox *>("spnMatches")->setValue(4);
        designer->findChild<QSpinBox *>("spnDrawn")->setValue(5);
        click(designer, "cmdDesign");
        QTRY_VERIFY_WITH_TIMEOUT(!designer->isDesigning(), 600'000);
        ASSERT_TRUE(designer->wheel().has_value());
        designed = *designer->wheel();
    }

    PlainWheel designed;
    test::FakeDesktop desktop;
    MainWindow window{desktop};
};

TEST_F(RoadDetourTest, EveryChooserGetsTheReportOfWhatItChoseAfterEveryOtherWindow) {
    designWheel();
    ASSERT_EQ(designed.tickets.size(), 5u);

    detour("Form1");
    chooseRow("mnu5wheel", "Form1", kPick5Row);
    drawAndConfirm();
    expectReportOf(cataloguedWheelChoice(5, 7, 15, 17));

    detour("Form2");
    chooseRow("mnu6wheel", "Form2", kPick6Row);
    drawAndConfirm();
    expectReportOf(cataloguedWheelChoice(6, 10, 23, 30));

    // The modeless generator and design windows are chosen in, then left for the detour.
    trigger("mnufunwheel6");
    openWindow("Form4")->findChild<QScrollBar *>("hsbpick")->setValue(8);
    detour("Form4");
    click(openWindow("Form4"), "Command1");
    drawAndConfirm();
    expectReportOf(allCombinationsChoice(6, 8));

    detour("Form5");
    generatorYes("mnufunwheel5", "Form5", 7);
    drawAndConfirm();
    expectReportOf(allCombinationsChoice(5, 7));

    detour("frmDesign");
    designerPlay();
    drawAndConfirm();
    expectReportOf(designedWheelChoice(designed));
}

} // namespace
} // namespace marlek
