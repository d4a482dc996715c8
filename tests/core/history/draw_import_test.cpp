#include "draw_import.h"

#include "game_file.h"
#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace marlek {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using testing::ElementsAre;

const std::string kFixtures = MARLEK_HISTORY_FIXTURES;

Date on(int y, unsigned m, unsigned d) {
    return Date{year(y), month(m), day(d)};
}

Game testLotto() {
    return readGameFile(kFixtures + "/test-lotto.game");
}

std::string fixture(const std::string &name) {
    return readFileText(kFixtures + "/" + name);
}

std::vector<std::string> texts(const std::vector<Draw> &draws) {
    std::vector<std::string> result;
    for (const Draw &draw : draws)
        result.push_back(drawNameText(draw) + " " + drawNumbersText(draw));
    return result;
}

class DrawImport : public testing::Test {
protected:
    test::TempDir dir;
    Game game = testLotto();
    std::string path = (dir / "data" / "draws.sqlite").string();

    ImportSummary import(const std::string &name,
                         const std::optional<ColumnLayout> &layout = std::nullopt) {
        DrawStore store(path);
        return importDrawFile(store, fixture(name), game, layout);
    }
    std::vector<std::string> stored() {
        return texts(DrawStore(path).draws(game.name));
    }
};

TEST_F(DrawImport, EachLayoutOfTheFixturesIsRead) {
    struct Case {
        const char *file;
        std::optional<ColumnLayout> layout;
        std::vector<std::string> draws;
    };
    const Case cases[] = {
        // Newest first, CR LF, a quoted jackpot with commas, two draws on one date, balls as drawn.
        {"columns_newest_first.csv",
         {},
         {"2020-09-19 (draw 99) 40 11 26 9 45 31 + 18", "2020-09-23 (draw 100) 14 3 29 48 7 21 + 35",
          "2020-09-26 (draw 101) 23 5 41 17 36 2 + 44", "2020-09-26 (draw 102) 8 19 30 12 47 33 + 1"}},
        // One column with the bonus ball last, no final line end, rules that changed in 2000.
        {"one_column_no_final_newline.csv",
         {},
         {"1995-01-15 3 14 22 35 40 8 + 19", "1995-01-18 1 2 3 4 5 6 + 7",
          "1999-06-30 39 12 5 28 33 17 + 40", "2000-01-05 44 3 18 27 9 49 + 12"}},
        // Semicolons, numbers joined by |, named months, blocks of dates out of order.
        {"semicolons_pipes_blocks.csv",
         {},
         {"2020-09-30 5 15 25 35 45 2 + 6", "2020-10-03 18 30 40 48 12 3 + 7",
          "2020-10-07 1 9 22 33 41 49 + 10"}},
        // Dots, day first, two- and four-digit years.
        {"dotted_dates.csv",
         {},
         {"2020-10-10 6 16 26 36 46 11 + 21", "2020-10-14 7 17 27 37 47 12 + 22",
          "2020-10-17 8 18 28 38 48 13 + 23"}},
        // The date over a year, a month and a day column.
        {"date_over_columns.csv",
         {},
         {"2020-10-21 (draw 110) 2 4 6 8 10 12 + 14", "2020-10-24 (draw 111) 1 3 5 7 9 11 + 13"}},
        // A header that names nothing, read through the player's layout.
        {"unknown_header.csv",
         parseColumnLayout("date,draw,main,main,main,main,main,main,bonus"),
         {"2020-10-28 (draw 112) 13 24 35 46 1 2 + 3",
          "2020-10-31 (draw 113) 10 20 30 40 41 42 + 43"}},
    };
    for (const Case &c : cases) {
        test::TempDir own;
        DrawStore store((own / "draws.sqlite").string());
        const ImportSummary summary = importDrawFile(store, fixture(c.file), game, c.layout);
        EXPECT_THAT(importReportLines(summary),
                    ElementsAre(std::to_string(c.draws.size()) + " rows: " +
                                std::to_string(c.draws.size()) +
                                " draws added, 0 already stored, 0 contradicting stored draws, "
                                "0 refused"))
            << c.file;
        EXPECT_EQ(texts(store.draws(game.name)), c.draws) << c.file;
    }
}

TEST_F(DrawImport, UnknownHeaderWithoutLayoutIsRefusedWhole) {
    try {
        import("unknown_header.csv");
        FAIL() << "imported";
    } catch (const DrawFileError &error) {
        EXPECT_THAT(error.what(), testing::StartsWith("the header row does not say which columns"));
    }
    EXPECT_TRUE(stored().empty());
    DrawStore store(path);
    EXPECT_THROW(importDrawFile(store, "", game, std::nullopt), DrawFileError);
    EXPECT_THROW(importDrawFile(store, "\"Date,Numbers\n", game, std::nullopt), DrawFileError);
}

// File > Open tells a lottery's draw file from the other files a player opens by its header.
TEST(DrawFileLooks, AHeaderOfNamesMakesADrawFile) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"Draw Date,Winning Numbers\n09/26/2020,11 21 27 36 62\n", true}, // a known layout
        {"When;Which;Balls\n2020-09-26;1234;11 21 27 36 62", true},      // names to map
        {"When;Which;Balls\n", false},                                   // a header alone
        {"Name,Value\nSaturday,1\n", false},                             // two unknown names
        {"01-02-03-04-05-06\n", false},                                  // a ticket list
        {"6 20 3 6\n1 2 3 4 5 6\n", false},                              // a wheel file
        {"", false},
    };
    for (const auto &[text, drawFile] : cases)
        EXPECT_EQ(looksLikeDrawFile(text), drawFile) << text;
}

TEST_F(DrawImport, SameFileTwiceAddsNothing) {
    import("columns_newest_first.csv");
    const ImportSummary again = import("columns_newest_first.csv");
    EXPECT_EQ(importCountsText(again), "4 rows: 0 draws added, 4 already stored, 0 contradicting "
                                       "stored draws, 0 refused");
    EXPECT_EQ(stored().size(), 4u);
}

TEST_F(DrawImport, SecondSourceThatDisagreesIsReportedNeverMerged) {
    import("columns_newest_first.csv");
    const std::vector<std::string> before = stored();
    // Sorted balls and no draw numbers: three draws match, one differs in a number, one is new.
    const ImportSummary summary = import("second_source.csv");
    EXPECT_THAT(importReportLines(summary),
                ElementsAre("not stored: line 3: 2020-09-23 (draw 100): the file has 3 7 14 21 29 "
                            "47 + 35, the stored draw 14 3 29 48 7 21 + 35; the stored draw is kept",
                            "5 rows: 1 draw added, 3 already stored, 1 contradicting a stored "
                            "draw, 0 refused"));
    std::vector<std::string> after = stored();
    EXPECT_EQ(after.back(), "2020-09-30 1 2 3 4 5 6 + 7");
    after.pop_back();
    EXPECT_EQ(after, before);
}

TEST_F(DrawImport, DrawNumberThatNamesAnotherDrawIsAContradiction) {
    import("columns_newest_first.csv");
    DrawStore store(path);
    const StoreResult result = store.store(
        game.name, {{Draw{on(2020, 9, 30), 101, {1, 2, 3, 4, 5, 6}, {7}}, 0},
                    {Draw{on(2020, 9, 26), 103, {1, 2, 3, 4, 5, 6}, {7}}, 0}});
    ASSERT_EQ(result.contradictions.size(), 1u);
    EXPECT_EQ(contradictionText(result.contradictions[0]),
              "2020-09-30 (draw 101): the stored draw of that number is of 2020-09-26, typed 1 2 "
              "3 4 5 6 + 7, the stored draw 23 5 41 17 36 2 + 44; the stored draw is kept");
    EXPECT_EQ(result.added, 1); // a third numbered draw of 2020-09-26 is an extra draw
    EXPECT_EQ(store.count("TEST LOTTO"), 5);
}

TEST_F(DrawImport, UntidyRowsAreRefusedByLineAndTheRestImported) {
    const ImportSummary summary = import("untidy_rows.csv");
    EXPECT_THAT(
        importReportLines(summary),
        ElementsAre(
            "refused: line 2: the number 41 is outside 1 to 40 by the rules from 1990-01-01",
            "refused: line 3: a main number is there twice (1 2 3 4 5 5)",
            "refused: line 4: the row has 7 columns; column 8 (bonus) is missing",
            "refused: line 5: \"02/30/1996\" is no date",
            "refused: line 6: \"x\" in column 4 is no number",
            "refused: line 7: a quoted field does not end (a \" is missing)",
            "refused: line 9: the bonus ball 2 is one of the main numbers; it is drawn from the rest",
            "refused: line 10: the draw of 1989-12-31 is before Test Lotto's first rules (from "
            "1990-01-01)",
            "9 rows: 1 draw added, 0 already stored, 0 contradicting stored draws, 8 refused"));
    EXPECT_THAT(stored(), ElementsAre("1996-01-27 10 20 30 40 1 2 + 3"));
}

TEST_F(DrawImport, WrongCountOfNumbersInOneColumnIsRefused) {
    DrawStore store(path);
    const ImportSummary summary = importDrawFile(
        store, "Date,Numbers\n2020-01-01,1 2 3 4 5\n2020-01-04,1 2 3 4 5 6 7 8\n", game,
        std::nullopt);
    EXPECT_THAT(importReportLines(summary),
                ElementsAre("refused: line 2: 5 main numbers where 6 are drawn by the rules from "
                            "2000-01-01",
                            "refused: line 3: 8 main numbers where 6 are drawn by the rules from "
                            "2000-01-01",
                            "2 rows: 0 draws added, 0 already stored, 0 contradicting stored "
                            "draws, 2 refused"));
}

TEST_F(DrawImport, RangesAndGamesAreKeptApart) {
    import("columns_newest_first.csv");
    import("semicolons_pipes_blocks.csv");
    DrawStore store(path);
    EXPECT_THAT(texts(store.draws("test lotto", on(2020, 9, 26), on(2020, 10, 3))),
                ElementsAre("2020-09-26 (draw 101) 23 5 41 17 36 2 + 44",
                            "2020-09-26 (draw 102) 8 19 30 12 47 33 + 1",
                            "2020-09-30 5 15 25 35 45 2 + 6", "2020-10-03 18 30 40 48 12 3 + 7"));
    EXPECT_TRUE(store.draws("Another Game").empty());
    EXPECT_EQ(store.count("Another Game"), 0);
}

TEST_F(DrawImport, TypedDrawIsKeptOnceAndNeverOverAnother) {
    DrawStore store(path);
    const Draw typed{on(2020, 10, 3), {}, {18, 30, 40, 48, 12, 3}, {}};
    EXPECT_EQ(keepTypedDraw(store, game, typed),
              "The draw of 2020-10-03 (18 30 40 48 12 3) is kept in Test Lotto's past draws.");
    EXPECT_EQ(keepTypedDraw(store, game, typed),
              "Test Lotto's past draws hold the draw of 2020-10-03 (18 30 40 48 12 3) already.");
    EXPECT_EQ(keepTypedDraw(store, game, Draw{on(2020, 10, 3), {}, {1, 2, 3, 4, 5, 6}, {}}),
              "The draw is not kept: 2020-10-03: typed 1 2 3 4 5 6, the stored draw 18 30 40 48 "
              "12 3; the stored draw is kept.");
    EXPECT_EQ(keepTypedDraw(store, game, Draw{on(1995, 1, 1), {}, {1, 2, 3, 4, 5, 45}, {}}),
              "The draw is not kept: the number 45 is outside 1 to 40 by the rules from "
              "1990-01-01.");
    EXPECT_EQ(keepTypedDraw(store, game, Draw{on(1989, 1, 1), {}, {1, 2, 3, 4, 5, 6}, {}}),
              "The draw is not kept: 1989-01-01 is before Test Lotto's first rules.");
    EXPECT_EQ(store.count(game.name), 1);
}

TEST(DrawStoreFile, UnwritableDatabaseIsReportedWithItsPath) {
    test::TempDir dir;
    test::writeFileBytes(dir / "draws.sqlite", "not a database, just some text in the way");
    try {
        DrawStore store((dir / "draws.sqlite").string());
        FAIL() << "opened";
    } catch (const HistoryError &error) {
        EXPECT_THAT(error.what(), testing::HasSubstr((dir / "draws.sqlite").string()));
    }
}

// An import killed part-way, in a child process, leaves the database as it was before the import;
// one killed after its commit leaves it complete. The child stops at a marker (inside the
// transaction, or after the commit) and waits there to be killed, so no timing decides the test.
class KilledImport : public DrawImport {
protected:
    std::int64_t killAt(bool committed) {
        std::string text = "Date,Numbers,Bonus\n";
        for (int i = 0; i < 400; ++i) {
            const Date date = Date{std::chrono::sys_days(on(2001, 1, 1)) + std::chrono::days(i)};
            text += dateText(date) + "," + std::to_string(i % 40 + 1) + " 41 42 43 44 45,46\n";
        }
        int marker[2];
        EXPECT_EQ(pipe(marker), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(marker[0]);
            try {
                DrawStore store(path);
                importDrawFile(store, text, game, std::nullopt,
                               [&](std::int64_t written, bool done) {
                                   if ((!committed && written == 200) || (committed && done)) {
                                       (void)!write(marker[1], "x", 1);
                                       while (true)
                                           pause();
                                   }
                               });
            } catch (...) {
            }
            _exit(3); // never reached when the marker came
        }
        close(marker[1]);
        char byte = 0;
        EXPECT_EQ(read(marker[0], &byte, 1), 1);
        close(marker[0]);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        return DrawStore(path).count(game.name);
    }
};

TEST_F(KilledImport, PartWayLeavesTheDatabaseAsBefore) {
    import("columns_newest_first.csv");
    const std::vector<std::string> before = stored();
    EXPECT_EQ(killAt(false), 4);
    EXPECT_EQ(stored(), before);
    // The database is whole: the next import takes every draw.
    EXPECT_EQ(importCountsText(import("semicolons_pipes_blocks.csv")),
              "3 rows: 3 draws added, 0 already stored, 0 contradicting stored draws, 0 refused");
}

TEST_F(KilledImport, AfterTheCommitLeavesItComplete) {
    import("columns_newest_first.csv");
    EXPECT_EQ(killAt(true), 404);
}

} // namespace
} // namespace marlek
