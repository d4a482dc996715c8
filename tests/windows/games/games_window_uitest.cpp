// The "Games" window and the game editor, driven as a player would, with the fake desktop: the
// presets and the player's games listed, a game made, changed, copied and removed, what is wrong
// with a game named by its field, a save that fails, and a bad file in the player's folder.

#include "games_window.h"

#include "fake_desktop.h"
#include "game_editor.h"
#include "game_file.h"
#include "game_texts.h"
#include "main_window.h"
#include "qstring_print.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "top_level_windows.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::FakeDesktop;
using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

const char *const kFixtureLotto = R"(format: marlek-lotto-game 1
name: Fixture Lotto
currency: EUR
note: Prizes as published; check them against the lottery's own rules.

[rules from 2009-01-07]
main: 6 of 45
price: 1.00

[rules from 2015-10-07]
main: 6 of 49
bonus ball: 1
price: 2.00
prize 6: estimate 1000000.00
prize 5+1: fixed 25000.00
prize 5: fixed 1500.00
prize 3: fixed 5.00
)";

const char *const kPoolGame = R"(format: marlek-lotto-game 1
name: Pool Game
currency: USD
note: Prizes as published; check them against the lottery's own rules.

[rules from 2015-10-07]
main: 5 of 69
bonus pool: 1 of 26
price: 2.00
prize 5+1: estimate 20000000.00
prize 0+1: fixed 4.00
)";

const char *const kMyLotto = R"(format: marlek-lotto-game 1
name: My Lotto

[rules]
main: 6 of 42
price: 1.50
prize 6: estimate 500000.00
)";

// A player's game with a preset's name: it is the one used.
const char *const kMyFixtureLotto = R"(format: marlek-lotto-game 1
name: Fixture Lotto

[rules]
main: 6 of 49
price: 3.00
)";

// Line 5 names a field of 100 numbers.
const char *const kBadGame = "format: marlek-lotto-game 1\nname: Bad\n\n[rules]\nmain: 6 of 100\n"
                             "price: 1.00\n";

QStringList itemTexts(const QListWidget *list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

class GamesWindowTest : public ::testing::Test {
public:
    GamesWindowTest() {
        fs::create_directories(presets);
        writeFileBytes(presets / "fixture-lotto.game", kFixtureLotto);
        writeFileBytes(presets / "pool-game.game", kPoolGame);
    }
    ~GamesWindowTest() override {
        window.reset();
        test::closeTopLevelsBut(nullptr);
    }

    void writeOwn(const std::string &file, const char *text) {
        fs::create_directories(player);
        writeFileBytes(player / file, text);
    }
    GamesWindow &open(GamesWindow::Purpose purpose = GamesWindow::Purpose::manage) {
        window = std::make_unique<GamesWindow>(
            desktop, GameFolders{presets.string(), player.string()}, purpose);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    template <typename Widget> Widget *child(const char *name) const {
        auto *widget = window->findChild<Widget *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    template <typename Widget> Widget *field(const char *name) const {
        GameEditor *editor = window->editor();
        EXPECT_NE(editor, nullptr);
        auto *widget = editor ? editor->findChild<Widget *>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void clickInEditor(const char *name) {
        QTest::mouseClick(field<QPushButton>(name), Qt::LeftButton);
    }
    // Types over what the field holds.
    void type(const char *name, const QString &text) {
        QLineEdit *edit = field<QLineEdit>(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
    }
    void select(const QString &caption) {
        const QList<QListWidgetItem *> found =
            child<QListWidget>("lstGames")->findItems(caption, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << caption.toStdString();
        child<QListWidget>("lstGames")->setCurrentItem(found[0]);
    }
    QString rulesText() const { return child<QPlainTextEdit>("txtRules")->toPlainText(); }
    QString problemText() const { return field<QLabel>("lblProblem")->text(); }

    // A prize row added with the editor's button, its cells typed.
    void addPrize(const QString &level, PrizeKind kind, const QString &amount) {
        clickInEditor("cmdAddPrize");
        QTableWidget *table = field<QTableWidget>("tblPrizes");
        const int row = table->rowCount() - 1;
        table->item(row, 0)->setText(level);
        table->item(row, 1)->setData(Qt::UserRole, static_cast<int>(kind));
        table->item(row, 2)->setText(amount);
    }
    // A sound new game typed into the editor: Pick 5 of 39 and a pool of 1 of 12.
    void typeNewGame() {
        type("txtName", QStringLiteral("My Game"));
        type("txtCurrency", QStringLiteral("usd"));
        field<QSpinBox>("spnDrawn")->setValue(5);
        field<QSpinBox>("spnField")->setValue(39);
        QComboBox *bonus = field<QComboBox>("cboBonus");
        bonus->setCurrentIndex(bonus->findData(static_cast<int>(BonusKind::pool)));
        field<QSpinBox>("spnBonusField")->setValue(12);
        type("txtPrice", QStringLiteral("1.5"));
        addPrize(QStringLiteral("5+1"), PrizeKind::estimate, QStringLiteral("100000"));
        addPrize(QStringLiteral("5"), PrizeKind::fixed, QStringLiteral("500.00"));
    }

    TempDir dir;
    const fs::path presets = dir / "presets";
    const fs::path player = dir / "config" / "marlek-lotto" / "games";
    FakeDesktop desktop;
    std::unique_ptr<GamesWindow> window;
};

TEST_F(GamesWindowTest, ListsThePresetsAndThePlayersGamesAndShowsTheRulesOfTheOneSelected) {
    writeOwn("my-lotto.game", kMyLotto);
    writeOwn("fixture-lotto.game", kMyFixtureLotto);
    open();
    EXPECT_EQ(window->windowTitle(), "Games");
    EXPECT_EQ(itemTexts(child<QListWidget>("lstGames")),
              QStringList({"Fixture Lotto (preset; yours is used)", "Pool Game (preset)",
                           "Fixture Lotto (yours)", "My Lotto (yours)"}));
    EXPECT_FALSE(child<QListWidget>("lstRefused")->isVisible());
    EXPECT_FALSE(child<QPushButton>("cmdChoose")->isVisible());
    EXPECT_TRUE(child<QLabel>("lblFolder")->text().contains(QString::fromStdString(player)));

    // A preset: where it comes from, the check against the lottery's rules, each set of rules
    // with its dates, the bonus, the price and the prizes, fixed or estimated.
    select(QStringLiteral("Fixture Lotto (preset; yours is used)"));
    const QString preset = rulesText();
    for (const QString &expected :
         {QString::fromStdString(presetCheckText()),
          QStringLiteral("a game of yours of the same name is used in its place"),
          QStringLiteral("note: Prizes as published; check them against the lottery's own rules."),
          QStringLiteral("Rules from 2009-01-07 to 2015-10-06\n"
                         "  main draw: 6 of the numbers 1 to 45; a ticket holds 6\n"
                         "  price of a ticket: 1.00 EUR\n"
                         "  prizes: not given"),
          QStringLiteral("Rules from 2015-10-07 on\n"
                         "  main draw: 6 of the numbers 1 to 49; a ticket holds 6\n"
                         "  bonus ball: 1 more drawn from the same numbers after the main draw\n"
                         "  price of a ticket: 2.00 EUR\n"
                         "  prizes (main numbers matched + bonus balls matched):\n"
                         "    6    estimate  1,000,000.00 EUR\n"
                         "    5+1  fixed        25,000.00 EUR\n")})
        EXPECT_TRUE(preset.contains(expected)) << expected.toStdString() << "\nin\n"
                                               << preset.toStdString();
    EXPECT_FALSE(child<QPushButton>("cmdEdit")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmdCopy")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("cmdDelete")->isEnabled());

    select(QStringLiteral("My Lotto (yours)"));
    EXPECT_TRUE(rulesText().startsWith("My Lotto\n  yours: "));
    EXPECT_FALSE(rulesText().contains(QString::fromStdString(presetCheckText())));
    EXPECT_TRUE(child<QPushButton>("cmdEdit")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmdDelete")->isEnabled());
}

// Choose hands the game back as a value; a preset that a game of the player's replaces is not
// chosen in its place.
TEST_F(GamesWindowTest, ChooseHandsBackTheGameSelected) {
    writeOwn("fixture-lotto.game", kMyFixtureLotto);
    open(GamesWindow::Purpose::choose);
    QSignalSpy chosen(window.get(), &GamesWindow::gameChosen);
    select(QStringLiteral("Fixture Lotto (preset; yours is used)"));
    EXPECT_FALSE(child<QPushButton>("cmdChoose")->isEnabled());

    window->selectGame("fixture lotto");
    EXPECT_EQ(window->selectedGame()->origin, GameOrigin::player);
    QTest::keyClick(child<QListWidget>("lstGames"), Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].value<Game>().name, "Fixture Lotto");
    ASSERT_TRUE(window->chosenGame());
    EXPECT_EQ(latestRules(*window->chosenGame()).price, Money{300});
    EXPECT_FALSE(window->isVisible());
}

TEST_F(GamesWindowTest, ANewGameIsSavedInThePlayersFolderAndListed) {
    open();
    click("cmdNew");
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(window->editor()->windowTitle(), "New Game");
    typeNewGame();
    clickInEditor("cmdSave");

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(window->editor(), nullptr);
    const fs::path saved = player / "my-game.game";
    ASSERT_TRUE(fs::exists(saved)) << "the folder is made when missing";
    const Game game = readGameFile(saved.string());
    EXPECT_EQ(game.name, "My Game");
    EXPECT_EQ(game.currency, "USD");
    ASSERT_EQ(game.rules.size(), 1u);
    const GameRules &rules = game.rules[0];
    EXPECT_EQ(rules.from, std::nullopt);
    EXPECT_EQ(mainDrawText(rules), "5 of 39");
    EXPECT_EQ(rules.bonus, (Bonus{BonusKind::pool, 1, 12}));
    EXPECT_EQ(rules.price, Money{150});
    EXPECT_EQ(rules.prizes,
              (std::vector<PrizeLevel>{{5, 1, PrizeKind::estimate, Money{10000000}},
                                       {5, std::nullopt, PrizeKind::fixed, Money{50000}}}));
    ASSERT_NE(window->selectedGame(), nullptr);
    EXPECT_EQ(window->selectedGame()->game, game);
}

// What is wrong is said under the fields with the field named, as the game file's reader names
// it, and the field takes the keyboard; nothing is written.
TEST_F(GamesWindowTest, AGameWithAMistakeIsNotSavedAndTheFieldIsNamed) {
    struct Case {
        const char *what;
        std::function<void(GamesWindowTest &)> change;
        QString problem;
        const char *focused;
    };
    const std::vector<Case> cases{
        {"no name", [](GamesWindowTest &t) { t.type("txtName", {}); },
         "name: the text is empty", "txtName"},
        {"a price with a comma", [](GamesWindowTest &t) { t.type("txtPrice", "1,50"); },
         "price: write an amount as digits with an optional point and two decimals, e.g. 2.50, "
         "not \"1,50\"",
         "txtPrice"},
        {"no price", [](GamesWindowTest &t) { t.type("txtPrice", {}); },
         "price: the newest rules need the price of a ticket (e.g. \"price: 2.00\")", "txtPrice"},
        {"a pool smaller than its draw",
         [](GamesWindowTest &t) {
             t.field<QSpinBox>("spnBonusCount")->setValue(3);
             t.field<QSpinBox>("spnBonusField")->setValue(2);
         },
         "bonus pool: the pool must be from 3 to 99 numbers, not 2", "spnBonusField"},
        {"a level a ticket cannot match",
         [](GamesWindowTest &t) { t.addPrize("6", PrizeKind::fixed, "10.00"); },
         "prize 6: a ticket matches from 0 to 5 main numbers, not 6", "tblPrizes"},
        {"a level given twice",
         [](GamesWindowTest &t) { t.addPrize("5", PrizeKind::fixed, "10.00"); },
         "prize 5: the level is given twice", "tblPrizes"},
        {"an amount that is no amount",
         [](GamesWindowTest &t) { t.addPrize("4", PrizeKind::fixed, "ten"); },
         "prize 4: write an amount as digits with an optional point and two decimals, e.g. "
         "100.00, not \"ten\"",
         "tblPrizes"},
        {"a date that is no date", [](GamesWindowTest &t) { t.type("txtFrom", "7/10/2015"); },
         "Rules from 7/10/2015, date: write the date the rules begin as YYYY-MM-DD, e.g. "
         "2015-10-07, not \"7/10/2015\"",
         "txtFrom"},
    };
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        click("cmdNew");
        ASSERT_NE(window->editor(), nullptr);
        typeNewGame();
        c.change(*this);
        clickInEditor("cmdSave");
        ASSERT_NE(window->editor(), nullptr);
        EXPECT_EQ(problemText(), c.problem);
        EXPECT_TRUE(field<QLabel>("lblProblem")->isVisible());
        QWidget *focused = window->editor()->focusWidget();
        EXPECT_EQ(focused ? focused->objectName() : QString(), QString::fromLatin1(c.focused));
        EXPECT_FALSE(fs::exists(player));
        if (std::string(c.focused) == "tblPrizes") {
            EXPECT_EQ(field<QTableWidget>("tblPrizes")->currentRow(), 2) << "the row named";
        }
        desktop.yesNoAnswers = {true};
        clickInEditor("cmdCancel");
        EXPECT_EQ(window->editor(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A later set of rules is added from a date as a copy of the rules before it; the earlier rules
// stay as they were, and the editor shows the set a problem lies in.
TEST_F(GamesWindowTest, RulesAreAddedFromADateAndEachSetIsEdited) {
    writeOwn("my-lotto.game", kMyLotto);
    open();
    select(QStringLiteral("My Lotto (yours)"));
    click("cmdEdit");
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(window->editor()->windowTitle(), "Edit Game");
    QComboBox *rules = field<QComboBox>("cboRules");
    EXPECT_FALSE(field<QPushButton>("cmdRemoveRules")->isEnabled());

    desktop.textAnswers = {QStringLiteral("2024-02-30"), QStringLiteral(" 2024-03-01 ")};
    clickInEditor("cmdAddRules");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "\"2024-02-30\" is no date: write the date the new rules "
                                        "begin as YYYY-MM-DD, e.g. 2015-10-07.");
    EXPECT_EQ(rules->count(), 1);
    clickInEditor("cmdAddRules");
    ASSERT_EQ(rules->count(), 2);
    EXPECT_EQ(rules->itemText(0), "Rules since the game began");
    EXPECT_EQ(rules->itemText(1), "Rules from 2024-03-01");
    EXPECT_EQ(rules->currentIndex(), 1);
    EXPECT_EQ(field<QSpinBox>("spnField")->value(), 42) << "a copy of the rules before";
    field<QSpinBox>("spnField")->setValue(45);
    type("txtPrice", QStringLiteral("2.00"));

    // A mistake in the earlier rules brings them back on screen.
    rules->setCurrentIndex(0);
    field<QTableWidget>("tblPrizes")->item(0, 2)->setText(QStringLiteral("0"));
    rules->setCurrentIndex(1);
    clickInEditor("cmdSave");
    EXPECT_EQ(problemText(), "Rules since the game began, prize 6: the amount must be more than 0");
    EXPECT_EQ(rules->currentIndex(), 0);
    field<QTableWidget>("tblPrizes")->item(0, 2)->setText(QStringLiteral("400000"));
    clickInEditor("cmdSave");
    ASSERT_EQ(window->editor(), nullptr) << problemText().toStdString();

    const Game game = readGameFile((player / "my-lotto.game").string());
    ASSERT_EQ(game.rules.size(), 2u);
    EXPECT_EQ(mainDrawText(game.rules[0]), "6 of 42");
    EXPECT_EQ(game.rules[0].price, Money{150});
    EXPECT_EQ(game.rules[0].prizes[0].amount, Money{40000000});
    EXPECT_EQ(game.rules[1].from, Date{std::chrono::year{2024} / 3 / 1});
    EXPECT_EQ(mainDrawText(game.rules[1]), "6 of 45");
    EXPECT_EQ(game.rules[1].price, Money{200});
    EXPECT_EQ(game.rules[1].prizes[0].amount, Money{50000000});
    EXPECT_EQ(fs::directory_iterator(player)->path().filename(), "my-lotto.game");
}

// The prize column offers the two kinds to choose from.
TEST_F(GamesWindowTest, APrizesKindIsChosenInItsCell) {
    open();
    click("cmdNew");
    typeNewGame();
    QTableWidget *table = field<QTableWidget>("tblPrizes");
    table->setCurrentCell(1, 1);
    table->editItem(table->item(1, 1));
    auto *kind = table->findChild<QComboBox *>(QStringLiteral("cboPrizeKind"));
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->currentText(), "fixed");
    kind->setCurrentIndex(kind->findText(QStringLiteral("estimate")));
    QTest::keyClick(kind, Qt::Key_Return);
    QCoreApplication::processEvents(); // the cell takes the choice once the editor has closed
    EXPECT_EQ(table->item(1, 1)->text(), "estimate");
    EXPECT_EQ(window->editor()->form().rules[0].prizes[1].kind, PrizeKind::estimate);
}

TEST_F(GamesWindowTest, APresetIsCopiedIntoAGameOfThePlayersThatIsUsedInItsPlace) {
    open();
    select(QStringLiteral("Fixture Lotto (preset)"));
    click("cmdCopy");
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(field<QLineEdit>("txtName")->text(), "Fixture Lotto");
    EXPECT_EQ(field<QComboBox>("cboRules")->currentText(), "Rules from 2015-10-07");
    type("txtPrice", QStringLiteral("2.50"));
    clickInEditor("cmdSave");
    ASSERT_EQ(window->editor(), nullptr);

    const Game copy = readGameFile((player / "fixture-lotto.game").string());
    EXPECT_EQ(latestRules(copy).price, Money{250});
    EXPECT_EQ(copy.rules.size(), 2u);
    EXPECT_EQ(readFileBytes(presets / "fixture-lotto.game"), kFixtureLotto);
    EXPECT_EQ(itemTexts(child<QListWidget>("lstGames")),
              QStringList({"Fixture Lotto (preset; yours is used)", "Pool Game (preset)",
                           "Fixture Lotto (yours)"}));
    EXPECT_EQ(window->selectedGame()->origin, GameOrigin::player);

    // A second copy of the preset would have the name of the game just made.
    select(QStringLiteral("Fixture Lotto (preset; yours is used)"));
    click("cmdCopy");
    clickInEditor("cmdSave");
    EXPECT_EQ(problemText(), "name: you have a game named \"Fixture Lotto\" in "
                             "\"fixture-lotto.game\" already; give this game another name");
    EXPECT_EQ(fs::directory_iterator(player)->path().filename(), "fixture-lotto.game");
}

// An edit replaces the game's own file, and nothing else; a file changed by hand since the
// editor opened is replaced only when the player says so.
TEST_F(GamesWindowTest, AnEditReplacesItsFileAndAsksFirstWhenTheFileChangedMeanwhile) {
    writeOwn("my-lotto.game", kMyLotto);
    writeOwn("zz-other.game", kMyFixtureLotto);
    open();
    select(QStringLiteral("My Lotto (yours)"));
    click("cmdEdit");
    type("txtName", QStringLiteral("My Big Lotto"));

    const std::string byHand = std::string(kMyLotto) + "prize 5: fixed 100.00\n";
    writeFileBytes(player / "my-lotto.game", byHand);
    desktop.yesNoAnswers = {false};
    clickInEditor("cmdSave");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("The file\n%1\nwas changed since the editor opened it.\n\nReplace it "
                             "with the game as edited here?")
                  .arg(QString::fromStdString((player / "my-lotto.game").string())));
    EXPECT_EQ(readFileBytes(player / "my-lotto.game"), byHand);
    ASSERT_NE(window->editor(), nullptr);

    desktop.yesNoAnswers = {true};
    clickInEditor("cmdSave");
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(readGameFile((player / "my-lotto.game").string()).name, "My Big Lotto");
    EXPECT_EQ(readFileBytes(player / "zz-other.game"), kMyFixtureLotto);
    EXPECT_EQ(itemTexts(child<QListWidget>("lstGames")).filter("(yours)"),
              QStringList({"Fixture Lotto (yours)", "My Big Lotto (yours)"}));
}

TEST_F(GamesWindowTest, AGameIsDeletedOnlyOnceThePlayerSaysYes) {
    writeOwn("my-lotto.game", kMyLotto);
    open();
    select(QStringLiteral("My Lotto (yours)"));
    desktop.yesNoAnswers = {false};
    click("cmdDelete");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              QString::fromStdString(removeGameQuestion(
                  "My Lotto", (player / "my-lotto.game").string())));
    EXPECT_TRUE(fs::exists(player / "my-lotto.game"));

    desktop.yesNoAnswers = {true};
    QTest::keyClick(child<QListWidget>("lstGames"), Qt::Key_Delete);
    EXPECT_FALSE(fs::exists(player / "my-lotto.game"));
    EXPECT_EQ(itemTexts(child<QListWidget>("lstGames")),
              QStringList({"Fixture Lotto (preset)", "Pool Game (preset)"}));
}

// A file that holds no sound game is listed with its line and field, never taken for a game, and
// never overwritten: a new game of the same name gets a file of its own.
TEST_F(GamesWindowTest, ABadFileIsListedWithItsProblemAndNeverOverwritten) {
    writeOwn("bad.game", kBadGame);
    open();
    QListWidget *refused = child<QListWidget>("lstRefused");
    EXPECT_TRUE(refused->isVisible());
    EXPECT_EQ(itemTexts(refused),
              QStringList({"bad.game (yours): line 5: main: the field must be from 6 to 99 "
                           "numbers, not 100"}));
    refused->setCurrentRow(0);
    EXPECT_TRUE(rulesText().contains("line 5: main:"));
    EXPECT_EQ(window->selectedGame(), nullptr);
    EXPECT_FALSE(child<QPushButton>("cmdEdit")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmdDelete")->isEnabled());

    click("cmdNew");
    type("txtName", QStringLiteral("Bad"));
    type("txtPrice", QStringLiteral("1.00"));
    clickInEditor("cmdSave");
    ASSERT_EQ(window->editor(), nullptr) << problemText().toStdString();
    EXPECT_EQ(readFileBytes(player / "bad.game"), kBadGame);
    EXPECT_EQ(readGameFile((player / "bad-2.game").string()).name, "Bad");
    EXPECT_EQ(refused->count(), 1);

    refused->setCurrentRow(0);
    desktop.yesNoAnswers = {true};
    click("cmdDelete");
    EXPECT_EQ(desktop.messages.back().text,
              QString::fromStdString(removeFileQuestion((player / "bad.game").string())));
    EXPECT_FALSE(fs::exists(player / "bad.game"));
    EXPECT_FALSE(refused->isVisible());
}

// The effective user nobody for a scope, when the tests run as root, so a folder without write
// permission refuses the program as it refuses a player.
class AsAnotherUser {
public:
    AsAnotherUser() {
        if (::geteuid() != 0)
            return;
        const passwd *nobody = ::getpwnam("nobody");
        if (nobody && ::setegid(nobody->pw_gid) == 0 && ::seteuid(nobody->pw_uid) == 0)
            m_switched = true;
    }
    ~AsAnotherUser() {
        if (m_switched) {
            EXPECT_EQ(::seteuid(0), 0);
            EXPECT_EQ(::setegid(0), 0);
        }
    }
    bool works() const { return m_switched || ::geteuid() != 0; }

private:
    bool m_switched = false;
};

// A save that fails names the file and the system's reason, changes no file and keeps the editor
// open with everything typed.
TEST_F(GamesWindowTest, ASaveThatFailsSaysWhyAndLosesNothing) {
    writeOwn("my-lotto.game", kMyLotto);
    open();
    select(QStringLiteral("My Lotto (yours)"));
    click("cmdEdit");
    type("txtPrice", QStringLiteral("9.99"));
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_exec);
    for (const fs::path &folder : {dir / "config", dir / "config" / "marlek-lotto"})
        fs::permissions(folder, fs::perms::owner_all | fs::perms::others_exec);
    fs::permissions(player, fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    {
        AsAnotherUser nobody;
        if (!nobody.works())
            GTEST_SKIP() << "no user without write permission to test with";
        clickInEditor("cmdSave");
    }
    ASSERT_EQ(desktop.messages.size(), 1u);
    const QString path = QString::fromStdString((player / "my-lotto.game").string());
    EXPECT_TRUE(desktop.messages[0].text.startsWith("The game could not be saved as\n" + path +
                                                    "\n\n"))
        << desktop.messages[0].text.toStdString();
    EXPECT_TRUE(desktop.messages[0].text.contains("Permission denied"))
        << desktop.messages[0].text.toStdString();
    EXPECT_EQ(readFileBytes(player / "my-lotto.game"), kMyLotto);
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(field<QLineEdit>("txtPrice")->text(), "9.99");
    EXPECT_EQ(test::filesIn(player), std::vector<std::string>{"my-lotto.game"});

    // Once the folder can be written, Save again saves what was typed.
    fs::permissions(player, fs::perms::owner_all);
    clickInEditor("cmdSave");
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(latestRules(readGameFile((player / "my-lotto.game").string())).price, Money{999});
}

// A player's folder that cannot be made (a file has its name) is said with the reason.
TEST_F(GamesWindowTest, AFolderThatCannotBeMadeIsSaid) {
    fs::create_directories(dir / "config");
    writeFileBytes(dir / "config" / "marlek-lotto", "a file, not a folder");
    open();
    click("cmdNew");
    typeNewGame();
    clickInEditor("cmdSave");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith(
        "The game could not be saved as\n" +
        QString::fromStdString((player / "my-game.game").string())));
    EXPECT_TRUE(desktop.messages[0].text.contains("Not a directory"))
        << desktop.messages[0].text.toStdString();
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(field<QLineEdit>("txtName")->text(), "My Game");
}

// Closing the editor with something changed asks first; No keeps it open as it was.
TEST_F(GamesWindowTest, ClosingTheEditorWithChangesAsksFirst) {
    open();
    click("cmdNew");
    QTest::keyClick(window->editor(), Qt::Key_Escape);
    EXPECT_EQ(window->editor(), nullptr) << "nothing typed: closes at once";
    EXPECT_TRUE(desktop.messages.empty());

    click("cmdNew");
    type("txtName", QStringLiteral("Half Typed"));
    desktop.yesNoAnswers = {false};
    QTest::keyClick(window->editor(), Qt::Key_Escape);
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(field<QLineEdit>("txtName")->text(), "Half Typed");
    desktop.yesNoAnswers = {true};
    clickInEditor("cmdCancel");
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_FALSE(fs::exists(player));
}

// Every control the keyboard reaches has a name a screen reader reads, and Tab goes through
// the window in the order of its parts.
TEST_F(GamesWindowTest, EveryControlHasANameAndTabFollowsTheLayout) {
    writeOwn("bad.game", kBadGame);
    open();
    auto expectNamed = [](QWidget *window) {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            // The edit inside a spin box or a combo box is read as part of it.
            const QWidget *owner = widget->parentWidget();
            if (!widget->isVisibleTo(window) || !(widget->focusPolicy() & Qt::TabFocus) ||
                widget->window() != window || qobject_cast<const QAbstractSpinBox *>(owner) ||
                qobject_cast<const QComboBox *>(owner))
                continue;
            EXPECT_FALSE(QAccessible::queryAccessibleInterface(widget)
                             ->text(QAccessible::Name)
                             .isEmpty())
                << widget->objectName().toStdString();
        }
    };
    expectNamed(window.get());
    QStringList order;
    QWidget *at = child<QListWidget>("lstGames");
    for (int i = 0; i < 9; ++i, at = at->nextInFocusChain()) {
        while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible() || !at->isEnabled())
            at = at->nextInFocusChain();
        order << at->objectName();
    }
    EXPECT_EQ(order, QStringList({"lstGames", "txtRules", "lstRefused", "cmdNew", "cmdCopy",
                                  "cmdClose", "lblFolder", "lstGames", "txtRules"}));

    click("cmdNew");
    expectNamed(window->editor());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(field<QLineEdit>("txtPrice"))
                  ->text(QAccessible::Name),
              "Ticket price:");
}

TEST(GamesMenu, TheGamesMenuComesAfterTheDesignerAndOpensTheGamesOfTheUsersFolder) {
    TempDir config;
    const test::ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
    fs::create_directories(config / "marlek-lotto" / "games");
    writeFileBytes(config / "marlek-lotto" / "games" / "my-lotto.game", kMyLotto);
    FakeDesktop desktop;
    MainWindow window(desktop);
    window.show();
    const QList<QAction *> bar = window.menuBar()->actions();
    const auto design = std::find_if(bar.begin(), bar.end(), [](const QAction *action) {
        return action->objectName() == QStringLiteral("mnuDesign");
    });
    ASSERT_NE(design, bar.end());
    ASSERT_NE(design + 1, bar.end());
    EXPECT_EQ(design[1]->objectName(), "mnuGamesAction");
    EXPECT_EQ(design[1]->text(), "&Games");
    auto *games = window.findChild<QAction *>(QStringLiteral("mnuGamesGames"));
    ASSERT_NE(games, nullptr);
    EXPECT_EQ(games->text(), "&Games...");
    EXPECT_EQ(games->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    games->trigger();
    QWidget *opened = test::openTopLevel("frmGames");
    ASSERT_NE(opened, nullptr);
    auto *list = opened->findChild<QListWidget *>(QStringLiteral("lstGames"));
    EXPECT_FALSE(list->findItems(QStringLiteral("My Lotto (yours)"), Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(list->findItems(QStringLiteral("Powerball (preset)"), Qt::MatchExactly).isEmpty());
    test::closeTopLevelsBut(&window);
}

} // namespace
} // namespace marlek
