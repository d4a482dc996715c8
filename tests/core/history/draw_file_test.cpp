#include "draw_file.h"

#include <gtest/gtest.h>

namespace marlek {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

constexpr Date kToday{year(2026), month(12), day(11)};

Date on(int y, unsigned m, unsigned d) {
    return Date{year(y), month(m), day(d)};
}

TEST(DrawDate, ReadsTheFormsLotteriesWrite) {
    struct Case {
        const char *text;
        DateOrder order;
        std::optional<Date> date;
    };
    const Case cases[] = {
        {"09/26/2020", DateOrder::monthFirst, on(2020, 9, 26)},
        {"26/09/2020", DateOrder::dayFirst, on(2020, 9, 26)},
        {"24-Apr-2026", DateOrder::monthFirst, on(2026, 4, 24)},
        {"24 April 2026", DateOrder::monthFirst, on(2026, 4, 24)},
        {"09.10.1955", DateOrder::dayFirst, on(1955, 10, 9)},
        {"2020-09-26", DateOrder::monthFirst, on(2020, 9, 26)},
        {"2020/09/26", DateOrder::dayFirst, on(2020, 9, 26)},
        {"09/26/2020 00:00:00", DateOrder::monthFirst, on(2020, 9, 26)},
        // Two-digit years: the latest such year up to a year after today's.
        {"26.09.20", DateOrder::dayFirst, on(2020, 9, 26)},
        {"01/02/27", DateOrder::monthFirst, on(2027, 1, 2)},
        {"01/02/28", DateOrder::monthFirst, on(1928, 1, 2)},
        {"15-Jan-98", DateOrder::dayFirst, on(1998, 1, 15)},
        // Not dates.
        {"02/30/2020", DateOrder::monthFirst, std::nullopt},
        {"26/09/2020", DateOrder::monthFirst, std::nullopt},
        {"2020-9", DateOrder::dayFirst, std::nullopt},
        {"yesterday", DateOrder::dayFirst, std::nullopt},
        {"", DateOrder::dayFirst, std::nullopt},
        {"1/2/3/4", DateOrder::dayFirst, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseDrawDate(c.text, c.order, kToday), c.date) << c.text;
}

TEST(DrawDate, OrderOfDayAndMonthIsTakenFromTheWholeColumn) {
    std::vector<RowProblem> problems;
    const ColumnLayout layout{{ColumnRole::date, ColumnRole::main}};
    const auto order = [&](const char *text) {
        return guessDateOrder(splitRows(text, ',', problems), layout);
    };
    EXPECT_EQ(order("01/02/2020,1\n03/04/2020,1\n13/04/2020,1\n"), DateOrder::dayFirst);
    EXPECT_EQ(order("01/02/2020,1\n03/14/2020,1\n"), DateOrder::monthFirst);
    EXPECT_EQ(order("01/02/2020,1\n"), DateOrder::monthFirst); // slashes: American
    EXPECT_EQ(order("01.02.2020,1\n"), DateOrder::dayFirst);
    EXPECT_TRUE(problems.empty());
}

TEST(DrawRows, SplitsQuotedFieldsLineEndsAndBlankLines) {
    std::vector<RowProblem> problems;
    const std::vector<FileRow> rows = splitRows(
        "\xEF\xBB\xBF" "a, \"1,000\" ,\"say \"\"hi\"\"\"\r\n\r\n b ;x\n\"open,1\nlast", ',', problems);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].line, 1);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"a", "1,000 ", "say \"hi\""}));
    EXPECT_EQ(rows[1].line, 3);
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"b ;x"}));
    EXPECT_EQ(rows[2].line, 5);
    EXPECT_EQ(rows[2].fields, (std::vector<std::string>{"last"}));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(rowProblemText(problems[0]), "line 4: a quoted field does not end (a \" is missing)");
    EXPECT_EQ(guessSeparator("Date;Numbers;\"a,b,c\""), ';');
    EXPECT_EQ(guessSeparator("Date,Numbers;x,y"), ',');
    EXPECT_EQ(guessSeparator("Date\tNumbers\tBonus"), '\t');
}

TEST(DrawLayout, HeaderNamesOfKnownLayouts) {
    const auto roles = [](std::vector<std::string> header) {
        const std::optional<ColumnLayout> layout = layoutFromHeader(header);
        return layout ? columnLayoutText(*layout) : std::string("unknown");
    };
    EXPECT_EQ(roles({"Draw Date", "Winning Numbers", "Multiplier"}), "date,main,-");
    EXPECT_EQ(roles({"DrawDate", "Ball1", "BALL_2", "Ball 3", "Powerball", "Ball Set"}),
              "date,main,main,main,bonus,-");
    EXPECT_EQ(roles({"Day", "Date", "N1", "N2", "Lucky Star 1", "Lucky Star 2", "Draw #"}),
              "-,date,main,main,bonus,bonus,draw");
    EXPECT_EQ(roles({"Year", "Month", "Day", "Number 1", "Bonus Ball"}),
              "year,month,day,main,bonus");
    EXPECT_EQ(roles({"Date", "Jackpot", "Winners"}), "unknown"); // no numbers
    EXPECT_EQ(roles({"A", "B", "C"}), "unknown");
    EXPECT_EQ(roles({"Year", "Ball 1"}), "unknown"); // no month or day
}

TEST(DrawLayout, PlayersLayoutIsCheckedWordByWord) {
    EXPECT_EQ(columnLayoutText(parseColumnLayout("date, draw,MAIN,main,-,bonus")),
              "date,draw,main,main,-,bonus");
    const auto refusal = [](const char *text) {
        try {
            parseColumnLayout(text);
        } catch (const std::invalid_argument &error) {
            return std::string(error.what());
        }
        return std::string("taken");
    };
    EXPECT_EQ(refusal("date,ball,main"), "\"ball\" is no column role (date, year, month, day, "
                                         "draw, main, bonus, or - for a column to leave out)");
    EXPECT_EQ(refusal("date,-,bonus"), "no column holds the main numbers");
    EXPECT_EQ(refusal("main,main"), "no column holds the date");
    EXPECT_EQ(refusal("date,date,main"), "only one column can hold the date");
    EXPECT_EQ(refusal("year,month,main"),
              "a date spread over columns needs one year, one month and one day column");
    EXPECT_EQ(refusal("date,year,month,day,main"),
              "the date is in one column or in year, month and day columns, not both");
    EXPECT_EQ(refusal(""), "\"\" is no column role (date, year, month, day, draw, main, bonus, "
                           "or - for a column to leave out)");
}

TEST(DrawRows, ReadsNumbersInOneColumnOrManyAndSaysWhatIsWrong) {
    const ColumnLayout layout = parseColumnLayout("date,draw,main,bonus");
    const auto read = [&](std::vector<std::string> fields) {
        return readRow(FileRow{7, std::move(fields)}, layout, DateOrder::monthFirst, kToday);
    };
    const RowDraw row = read({"09/26/2020", "#812", "18|30|40|48|52", "4"});
    EXPECT_EQ(row.draw.date, on(2020, 9, 26));
    EXPECT_EQ(row.draw.number, 812);
    EXPECT_EQ(row.draw.main, (std::vector<int>{18, 30, 40, 48, 52}));
    EXPECT_EQ(row.draw.bonus, (std::vector<int>{4}));
    EXPECT_TRUE(row.bonusGiven);
    EXPECT_EQ(read({"09/26/2020", "", "11 21-27,36 62", ""}).draw.main,
              (std::vector<int>{11, 21, 27, 36, 62}));

    const auto refusal = [&](std::vector<std::string> fields) {
        try {
            read(std::move(fields));
        } catch (const std::invalid_argument &error) {
            return std::string(error.what());
        }
        return std::string("read");
    };
    EXPECT_EQ(refusal({"09/31/2020", "", "1 2 3 4 5", "4"}), "\"09/31/2020\" is no date");
    EXPECT_EQ(refusal({"09/26/2020", "x1", "1 2 3 4 5", "4"}),
              "the draw number \"x1\" is no whole number");
    EXPECT_EQ(refusal({"09/26/2020", "", "1 2 three", "4"}), "\"three\" in column 3 is no number");
    EXPECT_EQ(refusal({"09/26/2020", "", "", "4"}), "column 3 holds no main number");
    EXPECT_EQ(refusal({"09/26/2020", "", "1 2 3"}),
              "the row has 3 columns; column 4 (bonus) is missing");
}

TEST(Draws, AreJudgedByTheirRules) {
    GameRules rules;
    rules.drawn = 5;
    rules.field = 50;
    rules.bonus = {BonusKind::pool, 2, 12};
    rules.from = on(2016, 9, 24);
    const auto problem = [&](std::vector<int> main, std::vector<int> bonus) {
        return drawProblem(Draw{on(2020, 1, 1), std::nullopt, main, bonus}, rules)
            .value_or("fits");
    };
    EXPECT_EQ(problem({50, 1, 2, 3, 4}, {12, 1}), "fits");
    EXPECT_EQ(problem({50, 1, 2, 3, 4}, {}), "fits"); // a source without the bonus
    EXPECT_EQ(problem({1, 2, 3, 4}, {1, 2}),
              "4 main numbers where 5 are drawn by the rules from 2016-09-24");
    EXPECT_EQ(problem({1, 2, 3, 4, 51}, {1, 2}),
              "the number 51 is outside 1 to 50 by the rules from 2016-09-24");
    EXPECT_EQ(problem({1, 2, 3, 4, 0}, {1, 2}),
              "the number 0 is outside 1 to 50 by the rules from 2016-09-24");
    EXPECT_EQ(problem({1, 2, 3, 2, 5}, {1, 2}), "a main number is there twice (1 2 3 2 5)");
    EXPECT_EQ(problem({1, 2, 3, 4, 5}, {13, 2}),
              "the bonus number 13 is outside 1 to 12 by the rules from 2016-09-24");
    EXPECT_EQ(problem({1, 2, 3, 4, 5}, {3}),
              "1 bonus number where 2 are drawn by the rules from 2016-09-24");
    EXPECT_EQ(problem({1, 2, 3, 4, 5}, {3, 3}), "a bonus number is there twice (3 3)");
    rules.bonus = {BonusKind::ball, 1, 0};
    EXPECT_EQ(problem({1, 2, 3, 4, 5}, {5}),
              "the bonus ball 5 is one of the main numbers; it is drawn from the rest");
    rules.bonus = {};
    EXPECT_EQ(problem({1, 2, 3, 4, 5}, {6}),
              "bonus numbers (6) where the game draws none by the rules from 2016-09-24");
}

TEST(Draws, AreComparedAsSets) {
    const Draw drawn{on(2020, 1, 1), 5, {23, 5, 41, 17, 36, 2}, {44}};
    EXPECT_TRUE(sameNumbers(drawn, Draw{on(2020, 1, 1), {}, {2, 5, 17, 23, 36, 41}, {44}}));
    EXPECT_TRUE(sameNumbers(drawn, Draw{on(2020, 1, 1), {}, {2, 5, 17, 23, 36, 41}, {}}));
    EXPECT_FALSE(sameNumbers(drawn, Draw{on(2020, 1, 1), {}, {2, 5, 17, 23, 36, 41}, {45}}));
    EXPECT_FALSE(sameNumbers(drawn, Draw{on(2020, 1, 1), {}, {2, 5, 17, 23, 36, 42}, {44}}));
    EXPECT_EQ(drawNumbersText(drawn), "23 5 41 17 36 2 + 44");
    EXPECT_EQ(drawNameText(drawn), "2020-01-01 (draw 5)");
}

} // namespace
} // namespace marlek
