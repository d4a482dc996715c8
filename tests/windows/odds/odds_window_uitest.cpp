#include "odds_rows.h"
#include "odds_window.h"
#include "window_units.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace marlek {
namespace {

// Waits while events run until the condition holds; false after ten seconds.
template <typename Condition> bool eventually(Condition condition) {
    return QTest::qWaitFor(condition, 10000);
}

struct TableCase {
    int kind;
    const char *objectName;
    const char *caption;
    int items;
    int clientWidthTwips;
    int clientHeightTwips;
};

void PrintTo(const TableCase &table, std::ostream *out) {
    *out << table.objectName;
}

const TableCase kTables[] = {
    {5, "Form8", "Pick 5 Total Odds", 57, 5160, 5895},
    {6, "Form7", "Pick 6 Total Odds", 55, 5085, 5925},
};

class OddsWindowTest : public ::testing::TestWithParam<TableCase> {
protected:
    void SetUp() override {
        window = new OddsWindow(GetParam().kind);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        label = window->findChild<QLabel *>(QStringLiteral("Label1"));
        list = window->findChild<QListWidget *>(QStringLiteral("List1"));
        ASSERT_NE(label, nullptr);
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override {
        QPointer<OddsWindow> guard(window);
        if (guard)
            guard->close();
        QApplication::processEvents();
        EXPECT_TRUE(guard.isNull()) << "the window is discarded when it closes";
    }

    // The list keeps its top at 360 twips and fills the rest of the client area.
    void expectListFillsClientArea() {
        const int top = twipsToPixelsY(window, 360);
        EXPECT_EQ(list->geometry(), QRect(0, top, window->width(), window->height() - top));
        EXPECT_LT(label->geometry().top(), top);
        EXPECT_TRUE(label->isVisible());
    }

    OddsWindow *window = nullptr;
    QLabel *label = nullptr;
    QListWidget *list = nullptr;
};

TEST_P(OddsWindowTest, ShowsCaptionHeaderAndEveryRow) {
    const TableCase &table = GetParam();
    EXPECT_EQ(window->objectName(), table.objectName);
    EXPECT_EQ(window->windowTitle(), table.caption);
    EXPECT_EQ(label->text(), "Numbers          Combinations");
    EXPECT_EQ(label->pos(), QPoint(twipsToPixelsX(window, 120), twipsToPixelsY(window, 120)));

    ASSERT_EQ(list->count(), table.items);
    const auto expected = oddsListItems(table.kind);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->item(i)->text().toStdString(), expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(list->item(0)->text(), table.kind == 5
                                         ? "Not all Lottos Listed"
                                         : "        6                                     1");
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
}

TEST_P(OddsWindowTest, OpensAtItsDesignSizeWithAFixedBorderThatCanStillMaximise) {
    const TableCase &table = GetParam();
    const QSize design(twipsToPixelsX(window, table.clientWidthTwips),
                       twipsToPixelsY(window, table.clientHeightTwips));
    EXPECT_EQ(window->size(), design);
    EXPECT_EQ(window->minimumSize(), design);
    // Window managers refuse to maximise a window whose smallest and largest sizes are equal.
    EXPECT_GT(window->maximumWidth(), design.width());
    EXPECT_GT(window->maximumHeight(), design.height());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    expectListFillsClientArea();

    if (table.kind == 5) { // the notes are wider than the window: they can be scrolled to
        EXPECT_TRUE(eventually([&] { return list->horizontalScrollBar()->maximum() > 0; }));
    }

    window->resize(design + QSize(200, 100)); // a dragged border goes back
    EXPECT_TRUE(eventually([&] { return window->size() == design; }));

    window->showMaximized();
    EXPECT_TRUE(eventually(
        [&] { return window->width() > design.width() && window->height() > design.height(); }));
    expectListFillsClientArea();
    EXPECT_EQ(list->count(), table.items);
    // No size limit is left for the window manager to keep a maximised window small.
    EXPECT_GE(window->maximumWidth(), window->width());
    EXPECT_GE(window->maximumHeight(), window->height());

    window->showNormal();
    EXPECT_TRUE(eventually([&] { return window->size() == design; }));
    EXPECT_EQ(window->minimumSize(), design);
    expectListFillsClientArea();

    window->showMinimized();
    window->showNormal();
    EXPECT_TRUE(eventually([&] { return window->size() == design; }));
    expectListFillsClientArea();
}

// Maximise and restore, and minimise and restore, bring the window back where it stood; also where
// the window manager says the window is normal again before it gives back the geometry.
TEST_P(OddsWindowTest, RestoresWhereItStood) {
    const QSize design = window->size();
    window->move(window->pos() + QPoint(37, 23));
    EXPECT_TRUE(eventually([&] { return window->pos() != QPoint(0, 0); }));
    const QPoint placed = window->pos();
    const auto backInPlace = [&] { return window->pos() == placed && window->size() == design; };
    const auto maximised = [&] { return window->width() > design.width(); };

    window->showMaximized();
    EXPECT_TRUE(eventually(maximised));
    window->showNormal();
    EXPECT_TRUE(eventually(backInPlace)) << window->x() << "," << window->y();

    window->showMaximized();
    EXPECT_TRUE(eventually(maximised));
    window->overrideWindowState(Qt::WindowNoState); // the state first, the geometry not yet
    EXPECT_TRUE(eventually(backInPlace)) << window->x() << "," << window->y();

    window->showMinimized();
    EXPECT_TRUE(eventually([&] { return window->isMinimized(); }));
    window->showNormal();
    EXPECT_TRUE(eventually(backInPlace)) << window->x() << "," << window->y();
}

// The header sits over its columns: each field size starts under "Numbers" and each count ends
// under "Combinations", in the fonts the window chose.
TEST_P(OddsWindowTest, HeaderStaysOverItsColumns) {
    const QFontMetrics headerMetrics(label->font());
    const QString header = label->text();
    const int numbersLeft = label->x() + label->contentsRect().left();
    const int numbersRight =
        numbersLeft + headerMetrics.horizontalAdvance(QStringLiteral("Numbers"));
    const int combinationsLeft = numbersLeft + headerMetrics.horizontalAdvance(
                                                   header.left(header.indexOf(QLatin1Char('C'))));
    const int combinationsRight = numbersLeft + headerMetrics.horizontalAdvance(header);

    const QFontMetrics rowMetrics(list->font());
    const int digit = rowMetrics.horizontalAdvance(QLatin1Char('0'));
    const int textMargin =
        list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QRegularExpression columns(QStringLiteral("^ +(\\d+) +([\\d,]+)"));
    for (int i = 0; i < list->count(); ++i) {
        const QString row = list->item(i)->text();
        const QRegularExpressionMatch match = columns.match(row);
        if (!match.hasMatch())
            continue; // the note line
        SCOPED_TRACE(row.toStdString());
        const QRect itemRect = list->visualItemRect(list->item(i));
        const int textLeft = list->viewport()->mapTo(window, itemRect.topLeft()).x() + textMargin;
        const int nLeft = textLeft + rowMetrics.horizontalAdvance(row.left(match.capturedStart(1)));
        const int countRight =
            textLeft + rowMetrics.horizontalAdvance(row.left(match.capturedEnd(2)));
        EXPECT_GE(nLeft, numbersLeft);
        EXPECT_LE(nLeft, numbersRight);
        EXPECT_GE(countRight, combinationsLeft);
        EXPECT_LE(countRight, combinationsRight + 2 * digit);
    }
}

INSTANTIATE_TEST_SUITE_P(BothTables, OddsWindowTest, ::testing::ValuesIn(kTables),
                         [](const auto &info) { return std::string(info.param.objectName); });

TEST(OddsWindow, EscapeClosesTheTable) {
    QPointer<OddsWindow> window = new OddsWindow(6);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window->findChild<QListWidget *>(QStringLiteral("List1")), Qt::Key_Escape);
    EXPECT_TRUE(eventually([&] { return window.isNull(); }));
}

} // namespace
} // namespace marlek
