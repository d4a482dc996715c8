// The road of one wheel through the windows, as a player takes it: a catalogue row, OK, Random,
// Yes, and the report that the new document then shows for the shared state left behind.

#include "catalogue_window.h"
#include "wheel_report.h"
#include "window_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

namespace marlek::test {
namespace {

// Writes the report the moment a document is asked for, as the main window's documents do.
class ReportingNavigator : public Navigator {
public:
    explicit ReportingNavigator(SharedState &state) : m_state(state) {}
    void openWheelDocument() override {
        caption = documentCaption(m_state);
        lines.clear();
        writeReport(m_state, [this](std::string_view line) { lines.emplace_back(line); });
        ++documents;
    }
    void openGeneratorFromCatalogue(int) override { ADD_FAILURE() << "no generator expected"; }
    void openDesignedWheelDocument(const PlainWheel &) override {
        ADD_FAILURE() << "no designed wheel expected";
    }

    int documents = 0;
    std::string caption;
    std::vector<std::string> lines;

private:
    SharedState &m_state;
};

struct Road {
    int kind;
    const char *row;
    int mode;
    int index;
    int numbers;
    int tickets;
    const char *caption;
    const char *header;
};

class WheelRoadTest : public WindowFixture, public ::testing::WithParamInterface<Road> {
protected:
    ReportingNavigator reports{state};
    Session roadSession{state, desktop, reports, random};
};

TEST_P(WheelRoadTest, CatalogueRowRandomYesGivesTheReport) {
    const Road &road = GetParam();
    state.wheelMode = static_cast<std::int16_t>(road.kind); // the menu's choice
    auto *catalogue = new CatalogueWindow(road.kind, roadSession, nullptr);
    catalogue->setWindowModality(Qt::ApplicationModal);
    catalogue->show();

    auto *rows = catalogue->findChild<QListWidget *>("List1");
    const auto found = rows->findItems(QString::fromLatin1(road.row), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    rows->scrollToItem(found[0]);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      rows->visualItemRect(found[0]).center());
    QTest::mouseClick(catalogue->findChild<QPushButton *>("Command4"), Qt::LeftButton);

    QWidget *picker = openWindow("Form3");
    ASSERT_NE(picker, nullptr);
    QTest::mouseClick(picker->findChild<QPushButton *>("command3"), Qt::LeftButton);
    QTest::mouseClick(picker->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    EXPECT_EQ(openWindow("Form3"), nullptr);
    ASSERT_EQ(reports.documents, 1);

    EXPECT_EQ(state.wheelMode, road.mode);
    EXPECT_EQ(state.wheelIndex, road.index); // a full Pick 5 wheel leaves it as it was
    EXPECT_EQ(state.pickCount, road.numbers);
    EXPECT_EQ(state.ticketCount, road.tickets);

    std::string numbersLine;
    for (int p = 1; p <= road.numbers; ++p) {
        EXPECT_GE(state.picks[p], 1);
        EXPECT_LE(state.picks[p], 49);
        if (p > 1) {
            EXPECT_LT(state.picks[p - 1], state.picks[p]);
        }
        numbersLine += "  " + std::to_string(state.picks[p]);
    }
    EXPECT_EQ(reports.caption, road.caption);
    ASSERT_GE(reports.lines.size(), 5u);
    EXPECT_EQ(reports.lines[0], road.kind == 5 ? "Marlek's Pick 5 Lotto" : "Marlek's Pick 6 Lotto");
    EXPECT_EQ(reports.lines[1], road.header);
    EXPECT_EQ(reports.lines[4], numbersLine);
    EXPECT_EQ(reports.lines.size(), 14u + static_cast<std::size_t>(road.tickets));
}

INSTANTIATE_TEST_SUITE_P(
    Wheels, WheelRoadTest,
    ::testing::Values(Road{5, "    $     5          5    Tickets      7  Numbers        4 of 5", 5,
                           0, 7, 5, "  $5   5  Tickets  7 Numbers  Pick 5 Wheel",
                           " $5  5 Tickets  7 Numbers  4 of 5 Guarantee"},
                      Road{6, "    $      5        5    Tickets   14  Numbers         3 of 6", 6, 0,
                           14, 5, "  $5   5  Tickets  14 Numbers  Pick 6 Wheel",
                           " $5  5 Tickets  14 Numbers  3 of 6 Guarantee"},
                      Road{5, "    $ 252     252    Tickets   10  Numbers                5", 7, 0,
                           10, 252, "  $252   252  Tickets  10 Numbers  Pick 5 Wheel",
                           " $252  252 Tickets  10 Numbers  5 of 5 Guarantee"},
                      Road{6, "    $  462    462    Tickets 11  Numbers                  6", 8, 11,
                           11, 462, "  $462   462  Tickets  11 Numbers  Pick 6 Wheel",
                           " $462  462 Tickets  11 Numbers  6 Guarantee"}));

} // namespace
} // namespace marlek::test
