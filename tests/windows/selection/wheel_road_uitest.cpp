// The road of one wheel through the windows, as a player takes it: a catalogue row, OK, Random,
// Yes, and the report of the request the picker hands on.

#include "catalogue_window.h"
#include "number_picker.h"
#include "wheel_report.h"
#include "window_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

namespace marlek::test {
namespace {

// Opens the real number picker for a chosen wheel and writes the report of the request its "Yes"
// hands on, as the main window does.
class ReportingNavigator : public Navigator {
public:
    void playWheel(const WheelChoice &choice, QWidget *owner) override {
        NumberPicker::showModal(*session, owner, choice, [this](const ReportRequest &played) {
            request = played;
            caption = documentCaption(played);
            lines = reportLines(played);
            ++documents;
        });
    }
    void openGeneratorFromCatalogue(int) override { ADD_FAILURE() << "no generator expected"; }

    Session *session = nullptr;
    int documents = 0;
    ReportRequest request;
    std::string caption;
    std::vector<std::string> lines;
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
    WheelRoadTest() { reports.session = &roadSession; }

    ReportingNavigator reports;
    Session roadSession{carried, desktop, reports};
};

TEST_P(WheelRoadTest, CatalogueRowRandomYesGivesTheReport) {
    const Road &road = GetParam();
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

    const WheelChoice &wheel = reports.request.wheel;
    EXPECT_EQ(wheel.wheelMode, road.mode);
    // A full Pick 5 wheel records no index.
    EXPECT_EQ(wheel.wheelIndex,
              road.index < 0 ? std::nullopt : std::optional<std::int16_t>(road.index));
    EXPECT_EQ(wheel.pickCount, road.numbers);
    EXPECT_EQ(wheel.ticketCount, road.tickets);

    const std::vector<std::int16_t> &numbers = reports.request.numbers;
    ASSERT_EQ(numbers.size(), static_cast<std::size_t>(road.numbers));
    std::string numbersLine;
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        EXPECT_GE(numbers[p], 1);
        EXPECT_LE(numbers[p], 49);
        if (p > 0) {
            EXPECT_LT(numbers[p - 1], numbers[p]);
        }
        EXPECT_EQ(numbers[p], carried.picks[p + 1]);
        numbersLine += "  " + std::to_string(numbers[p]);
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
                      Road{5, "    $ 252     252    Tickets   10  Numbers                5", 7, -1,
                           10, 252, "  $252   252  Tickets  10 Numbers  Pick 5 Wheel",
                           " $252  252 Tickets  10 Numbers  5 of 5 Guarantee"},
                      Road{6, "    $  462    462    Tickets 11  Numbers                  6", 8, 11,
                           11, 462, "  $462   462  Tickets  11 Numbers  Pick 6 Wheel",
                           " $462  462 Tickets  11 Numbers  6 Guarantee"}));

} // namespace
} // namespace marlek::test
