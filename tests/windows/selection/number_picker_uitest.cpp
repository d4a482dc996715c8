// Form3, the number picker: the scroll bar and its label, the draw shown in the boxes and on the
// surface, Reset, Yes and the close box.

#include "number_draw.h"
#include "number_picker.h"
#include "wheel_report.h"
#include "window_fixture.h"
#include "worked_example.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <set>

namespace marlek::test {
namespace {

class NumberPickerTest : public WindowFixture {
protected:
    // As a catalogue opens it after the choice of a wheel.
    NumberPicker *open(int mode, int count, int tickets) {
        m_count = count;
        const WheelChoice choice{static_cast<std::int16_t>(mode), std::nullopt,
                                 static_cast<std::int16_t>(count), tickets, std::nullopt,
                                 std::nullopt};
        auto *picker = new NumberPicker(
            session, choice, [this](ReportRequest request) { requests.push_back(request); },
            nullptr);
        picker->setWindowModality(Qt::ApplicationModal);
        picker->show();
        return picker;
    }

    template <typename T> static T *child(QWidget *window, const QString &name) {
        T *found = window->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static QCheckBox *box(QWidget *picker, int index) {
        return child<QCheckBox>(picker, QStringLiteral("Check1_%1").arg(index));
    }
    static QString surface(QWidget *picker) {
        return child<QLabel>(picker, QStringLiteral("drawingSurface"))->text();
    }
    static QString label(QWidget *picker) {
        return child<QLabel>(picker, QStringLiteral("Lblpick"))->text();
    }
    static QScrollBar *scrollBar(QWidget *picker) {
        return child<QScrollBar>(picker, QStringLiteral("hsbpick"));
    }
    static void press(QWidget *picker, const char *button) {
        QTest::mouseClick(child<QPushButton>(picker, QString::fromLatin1(button)), Qt::LeftButton);
    }

    std::vector<int> played() const {
        return std::vector<int>(carried.picks.begin() + 1, carried.picks.begin() + 1 + m_count);
    }

    // The requests "Yes" handed on, in order.
    std::vector<ReportRequest> requests;
    int m_count = 0;

    // The boxes show exactly the numbers played: those enabled and checked, all others neither.
    void expectBoxesShow(QWidget *picker, const std::set<int> &numbers) {
        for (int i = 0; i < 60; ++i) {
            const bool drawn = numbers.count(i + 1) > 0;
            EXPECT_EQ(box(picker, i)->isEnabled(), drawn) << "box " << i + 1;
            EXPECT_EQ(box(picker, i)->isChecked(), drawn) << "box " << i + 1;
        }
    }
};

TEST_F(NumberPickerTest, OpensEmptyWithCaptionToolTipsAndFieldOf49) {
    NumberPicker *picker = open(5, 10, 4);
    EXPECT_EQ(picker->windowTitle(), "Pick 5 Wheels        Pick 10  Numbers 4 Tickets");
    EXPECT_EQ(child<QPushButton>(picker, "command3")->text(), "Random");
    EXPECT_EQ(child<QPushButton>(picker, "command3")->toolTip(), "Play 10 Random Numbers");
    EXPECT_EQ(child<QPushButton>(picker, "Command1")->text(), "Yes");
    EXPECT_EQ(child<QPushButton>(picker, "Command1")->toolTip(), "Play these 10 Numbers");
    EXPECT_EQ(child<QPushButton>(picker, "Command2")->text(), "Reset");
    EXPECT_EQ(child<QLabel>(picker, "Label1")->text(), "Lotto Numbers");
    EXPECT_EQ(scrollBar(picker)->minimum(), 0);
    EXPECT_EQ(scrollBar(picker)->maximum(), 60);
    EXPECT_EQ(scrollBar(picker)->value(), 49);
    EXPECT_EQ(label(picker), "49 ");
    EXPECT_EQ(surface(picker), "");
    expectBoxesShow(picker, {});
}

// Six columns of ten: 1-10 down the first column, 51-60 down the last.
TEST_F(NumberPickerTest, BoxesStandInSixColumnsOfTen) {
    NumberPicker *picker = open(6, 14, 5);
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(box(picker, i)->text(), QString::number(i + 1));
        const QRect here = box(picker, i)->geometry();
        if (i % 10 != 0) {
            const QRect above = box(picker, i - 1)->geometry();
            EXPECT_EQ(here.left(), above.left()) << i + 1;
            EXPECT_GE(here.top(), above.bottom()) << i + 1;
        }
        if (i >= 10) {
            const QRect left = box(picker, i - 10)->geometry();
            EXPECT_EQ(here.top(), left.top()) << i + 1;
            EXPECT_GT(here.left(), left.right() - 2) << i + 1;
        }
    }
}

TEST_F(NumberPickerTest, RandomDrawsFromTheSessionGeneratorAndShowsTheDraw) {
    NumberPicker *picker = open(5, 10, 4);
    press(picker, "command3");
    EXPECT_EQ(desktop.beeps, 1);

    UniformRandom sameSeed;
    const auto expected = drawNumbers(10, 49, [&] { return sameSeed.next(); });
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), carried.picks.begin()));

    QString numbersLine;
    for (int number : played())
        numbersLine += QStringLiteral(" %1 ").arg(number);
    EXPECT_EQ(surface(picker), "                Play these  10  Numbers?\n" + numbersLine);
    expectBoxesShow(picker, std::set<int>(expected.begin() + 1, expected.end()));
}

// However many numbers the wheel plays, the whole draw is written inside the surface.
TEST_F(NumberPickerTest, EveryDrawnNumberIsWrittenWhole) {
    for (const int count : {6, 24, 26}) { // 26: the largest wheel of the catalogues
        NumberPicker *picker = open(7, count, 1);
        press(picker, "command3");
        auto *surfaceLabel = child<QLabel>(picker, QStringLiteral("drawingSurface"));
        const QFontMetrics metrics(surfaceLabel->font());
        const QRect written = metrics.boundingRect(QRect(), 0, surfaceLabel->text());
        EXPECT_LE(written.width(), surfaceLabel->contentsRect().width()) << count;
        EXPECT_LE(written.height(), surfaceLabel->contentsRect().height()) << count;
        EXPECT_TRUE(surfaceLabel->text().endsWith(QStringLiteral(" %1 ").arg(played().back())));
        if (count == 6) { // a short draw keeps the window's font
            EXPECT_EQ(surfaceLabel->font(), picker->font());
        }
        picker->close();
    }
}

// A screen reader reads the numbers drawn; "Drawn numbers" says what they are.
TEST_F(NumberPickerTest, ScreenReadersHearTheDrawnNumbers) {
    NumberPicker *picker = open(5, 7, 5);
    press(picker, "command3");
    auto *surfaceLabel = child<QLabel>(picker, QStringLiteral("drawingSurface"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(surfaceLabel);
    EXPECT_EQ(accessible->text(QAccessible::Name), surface(picker));
    EXPECT_TRUE(
        accessible->text(QAccessible::Name).contains(QStringLiteral(" %1 ").arg(played().back())));
    EXPECT_EQ(accessible->text(QAccessible::Description), "Drawn numbers");
}

// The keys move the scroll bar the way its arrows do: Right and Up raise the field size.
TEST_F(NumberPickerTest, KeysMoveTheFieldSizeTheWayTheArrowsDo) {
    NumberPicker *picker = open(5, 5, 1);
    QScrollBar *field = scrollBar(picker);
    field->setFocus();
    const struct {
        Qt::Key key;
        int value;
    } steps[] = {{Qt::Key_Right, 50},  {Qt::Key_Up, 51},  {Qt::Key_Left, 50}, {Qt::Key_Down, 49},
                 {Qt::Key_PageUp, 50}, {Qt::Key_End, 60}, {Qt::Key_Home, 0}};
    for (const auto &step : steps) {
        QTest::keyClick(field, step.key);
        EXPECT_EQ(field->value(), step.value) << step.key;
    }
    // The right arrow of the bar raises it too.
    field->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(field->value(), 1);
}

// The second draw clears the first completely and comes from the same run of the generator.
TEST_F(NumberPickerTest, SecondDrawReplacesTheFirst) {
    NumberPicker *picker = open(6, 6, 1);
    press(picker, "command3");
    const std::vector<int> first = played();
    press(picker, "command3");
    const std::vector<int> second = played();
    EXPECT_NE(first, second);
    expectBoxesShow(picker, std::set<int>(second.begin(), second.end()));
    EXPECT_EQ(desktop.beeps, 2);
}

// Dragging shows any value; a change shows only values that leave two numbers to spare.
TEST_F(NumberPickerTest, LabelFollowsDragAlwaysAndChangeFromNPlusTwo) {
    NumberPicker *picker = open(5, 5, 1);
    QScrollBar *bar = scrollBar(picker);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(label(picker), "49 "); // 0 is below 7
    bar->setValue(7);
    EXPECT_EQ(label(picker), "7");
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(bar->value(), 6);
    EXPECT_EQ(label(picker), "7");

    bar->setSliderDown(true);
    bar->setSliderPosition(3);
    EXPECT_EQ(label(picker), "3");
    bar->setSliderDown(false); // the change where the drag ends keeps the dragged value shown
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(label(picker), "3");

    // The draw then uses N + 2 = 7 numbers.
    press(picker, "command3");
    for (int number : played()) {
        EXPECT_GE(number, 1);
        EXPECT_LE(number, 7);
    }
    EXPECT_GE(carried.picks[0], 1);
    EXPECT_LE(carried.picks[0], 7);
}

TEST_F(NumberPickerTest, ResetClearsTheShownDrawButYesPlaysIt) {
    NumberPicker *picker = open(5, 7, 5);
    press(picker, "command3");
    const auto picks = carried.picks;
    press(picker, "Command2");
    expectBoxesShow(picker, {});
    EXPECT_EQ(surface(picker), "");
    EXPECT_EQ(carried.picks, picks);

    press(picker, "Command1");
    EXPECT_EQ(openWindow("Form3"), nullptr);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(carried.picks, picks);
    EXPECT_EQ(requests[0].numbers, std::vector<std::int16_t>(picks.begin() + 1, picks.begin() + 8));
    EXPECT_EQ(requests[0].wheel.pickCount, 7);
}

TEST_F(NumberPickerTest, YesRightAfterOpeningPlaysOneToN) {
    NumberPicker *picker = open(6, 14, 5);
    press(picker, "Command1");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].numbers,
              (std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(openWindow("Form3"), nullptr);
}

TEST_F(NumberPickerTest, CloseBoxAndEscapeOpenNoReport) {
    open(5, 7, 5)->close();
    QTest::keyClick(open(5, 7, 5), Qt::Key_Escape);
    EXPECT_EQ(openWindow("Form3"), nullptr);
    EXPECT_TRUE(requests.empty());
}

// More numbers than a field of 60 can supply with two to spare: the draw is refused.
TEST_F(NumberPickerTest, DrawOfMoreThan58NumbersIsRefusedWithAMessage) {
    NumberPicker *picker = open(8, 59, 1);
    const auto picks = carried.picks;
    press(picker, "command3");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, "Marlek's Lotto");
    EXPECT_TRUE(desktop.messages[0].text.contains("59")) << desktop.messages[0].text.toStdString();
    EXPECT_EQ(carried.picks, picks);
    expectBoxesShow(picker, {});
    EXPECT_NE(openWindow("Form3"), nullptr);

    NumberPicker *largest = open(8, 58, 1);
    press(largest, "command3");
    EXPECT_EQ(desktop.messages.size(), 1u);
    expectBoxesShow(largest, std::set<int>(carried.picks.begin() + 1, carried.picks.begin() + 59));
}

// --- Choosing one's own numbers ---------------------------------------------------------------

class ChoosingTest : public NumberPickerTest {
protected:
    // The worked example's wheel, its field set to 45, "Choose" pressed.
    NumberPicker *choosing() {
        NumberPicker *picker = open(5, 7, 5);
        scrollBar(picker)->setValue(45);
        press(picker, "cmdChoose");
        return picker;
    }
    static QPushButton *yes(QWidget *picker) { return child<QPushButton>(picker, "Command1"); }
    // Toggles boxes as the keyboard does: Space on each.
    static void toggle(QWidget *picker, const std::vector<int> &numbers) {
        for (int number : numbers)
            QTest::keyClick(box(picker, number - 1), Qt::Key_Space);
    }
};

TEST_F(ChoosingTest, ChooseEnablesTheFieldsBoxesUncheckedAndAsksForN) {
    NumberPicker *picker = choosing();
    const QPushButton *choose = child<QPushButton>(picker, "cmdChoose");
    const QPushButton *reset = child<QPushButton>(picker, "Command2");
    EXPECT_EQ(choose->text(), "Choose");
    EXPECT_EQ(choose->size(), reset->size());
    EXPECT_EQ(choose->x(), reset->x());
    EXPECT_GT(choose->y(), reset->geometry().bottom());
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(box(picker, i)->isEnabled(), i < 45) << i + 1;
        EXPECT_FALSE(box(picker, i)->isChecked()) << i + 1;
    }
    EXPECT_EQ(surface(picker), "Check 7 Numbers\n");
    EXPECT_FALSE(yes(picker)->isEnabled());
    EXPECT_EQ(yes(picker)->toolTip(), "Check 7 Numbers first");
}

// The field follows the scroll bar as a draw does: never fewer than N + 2 boxes.
TEST_F(ChoosingTest, TheFieldIsAtLeastNPlusTwo) {
    NumberPicker *picker = open(5, 7, 5);
    scrollBar(picker)->setValue(3);
    press(picker, "cmdChoose");
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(box(picker, i)->isEnabled(), i < 9) << i + 1;
}

// The boxes follow the field size while choosing: more numbers enable more boxes; fewer disable
// the boxes beyond the field and uncheck them, and the surface says how many are still to check.
TEST_F(ChoosingTest, TheBoxesFollowTheFieldSize) {
    NumberPicker *picker = choosing();
    toggle(picker, {3, 44});
    const auto expectField = [&](int fieldSize, const std::set<int> &checked) {
        for (int i = 0; i < 60; ++i) {
            EXPECT_EQ(box(picker, i)->isEnabled(), i < fieldSize) << i + 1;
            EXPECT_EQ(box(picker, i)->isChecked(), checked.count(i + 1) > 0) << i + 1;
        }
    };
    scrollBar(picker)->setFocus();
    for (int step = 45; step < 55; ++step)
        QTest::keyClick(scrollBar(picker), Qt::Key_Right);
    EXPECT_EQ(label(picker), "55");
    expectField(55, {3, 44});
    EXPECT_EQ(surface(picker), "Check 5 more Numbers\n 3  44 ");

    scrollBar(picker)->setValue(40);
    expectField(40, {3});
    EXPECT_EQ(surface(picker), "Check 6 more Numbers\n 3 ");

    scrollBar(picker)->setValue(2); // never fewer than N + 2
    expectField(9, {3});
    toggle(picker, {1, 2, 4, 5, 6, 7});
    ASSERT_TRUE(yes(picker)->isEnabled());
    press(picker, "Command1");
    EXPECT_EQ(played(), std::vector<int>({1, 2, 3, 4, 5, 6, 7}));
}

// N - 1 and N + 1 checked keep "Yes" disabled; exactly N plays them, ascending, and the report
// then lists those numbers and the wheel's tickets over them.
TEST_F(ChoosingTest, ExactlyNCheckedPlaysThoseNumbers) {
    NumberPicker *picker = choosing();
    const std::int16_t extra = carried.picks[0];
    toggle(picker, {42, 3, 33, 11, 25, 17});
    EXPECT_FALSE(yes(picker)->isEnabled());
    EXPECT_EQ(surface(picker), "Check 1 more Number\n 3  11  17  25  33  42 ");
    EXPECT_EQ(yes(picker)->toolTip(), "Check 1 more Number first");

    toggle(picker, {40, 44});
    EXPECT_FALSE(yes(picker)->isEnabled());
    EXPECT_EQ(surface(picker), "Uncheck 1 Number\n 3  11  17  25  33  40  42  44 ");
    press(picker, "Command1"); // disabled: nothing happens
    EXPECT_TRUE(requests.empty());

    toggle(picker, {44});
    ASSERT_TRUE(yes(picker)->isEnabled());
    EXPECT_EQ(surface(picker),
              "                Play these  7  Numbers?\n 3  11  17  25  33  40  42 ");
    EXPECT_EQ(yes(picker)->toolTip(), "Play these 7 Numbers");
    press(picker, "Command1");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(openWindow("Form3"), nullptr);
    EXPECT_EQ(carried.picks[0], extra);

    // As the worked example's wheel, the request's report is the worked example.
    ReportRequest request = requests[0];
    request.wheel = test::workedExampleChoice();
    EXPECT_EQ(reportLines(request), kWorkedExampleLines);
}

// "Random" ends the choosing and draws exactly as without it; the boxes then only show the draw.
TEST_F(ChoosingTest, RandomAfterChoosingDrawsAsBefore) {
    NumberPicker *picker = choosing();
    toggle(picker, {1, 2, 3});
    press(picker, "command3");

    UniformRandom sameSeed;
    const auto expected = drawNumbers(7, 45, [&] { return sameSeed.next(); });
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), carried.picks.begin()));
    expectBoxesShow(picker, std::set<int>(expected.begin() + 1, expected.end()));
    EXPECT_TRUE(yes(picker)->isEnabled());
    EXPECT_EQ(yes(picker)->toolTip(), "Play these 7 Numbers");

    const QString shown = surface(picker);
    box(picker, expected[1] - 1)->setChecked(false);
    EXPECT_EQ(surface(picker), shown);
    const auto picks = carried.picks;
    press(picker, "Command1");
    EXPECT_EQ(carried.picks, picks);
}

TEST_F(ChoosingTest, ResetEndsTheChoosing) {
    NumberPicker *picker = choosing();
    toggle(picker, {5});
    const auto picks = carried.picks;
    press(picker, "Command2");
    expectBoxesShow(picker, {});
    EXPECT_EQ(surface(picker), "");
    EXPECT_TRUE(yes(picker)->isEnabled());
    press(picker, "Command1");
    EXPECT_EQ(carried.picks, picks);
}

// Tab leads from "Choose" into the boxes; a screen reader hears each box's number and state and
// can toggle it.
TEST_F(ChoosingTest, BoxesAreReachedByTabAndHeardByScreenReaders) {
    NumberPicker *picker = choosing();
    QPushButton *choose = child<QPushButton>(picker, "cmdChoose");
    choose->setFocus();
    QTest::keyClick(choose, Qt::Key_Tab);
    EXPECT_EQ(picker->focusWidget(), box(picker, 0));
    QTest::keyClick(box(picker, 0), Qt::Key_Tab);
    EXPECT_EQ(picker->focusWidget(), box(picker, 1));

    QAccessibleInterface *seven = QAccessible::queryAccessibleInterface(box(picker, 6));
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(seven->text(QAccessible::Name), "7");
    EXPECT_FALSE(seven->state().checked);
    ASSERT_NE(seven->actionInterface(), nullptr);
    seven->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(seven->state().checked);
    EXPECT_EQ(surface(picker), "Check 6 more Numbers\n 7 ");
}

} // namespace
} // namespace marlek::test
