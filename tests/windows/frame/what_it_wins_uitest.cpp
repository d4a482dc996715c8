// Games > What It Wins: the report on screen counted in a game chosen in the dialog, as a document
// that copies, saves and prints like a report; refused without a report, and Cancel opens nothing.

#include "main_window.h"

#include "document_text.h"
#include "document_window.h"
#include "fake_desktop.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "wins_game_dialog.h"
#include "wins_texts.h"
#include "worked_example.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace marlek {
namespace {

using test::FakeDesktop;

QString documentText(const std::vector<std::string> &lines) {
    return QString::fromUtf8(linesWithCrLf(lines));
}

class WhatItWinsTest : public ::testing::Test {
protected:
    WhatItWinsTest() { window.show(); }
    ~WhatItWinsTest() override {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != &window && top->isVisible())
                top->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void trigger(const char *name) {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    WinsGameDialog *dialog() const {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<WinsGameDialog *>(top); found && found->isVisible())
                return found;
        return nullptr;
    }
    // Chooses the game by its text in the dialog's list and presses Count.
    void count(const QString &game, int bonusIndex = 0) {
        WinsGameDialog *shown = dialog();
        ASSERT_NE(shown, nullptr);
        auto *games = shown->findChild<QComboBox *>(QStringLiteral("cboGame"));
        const int index = games->findText(game);
        ASSERT_GE(index, 0) << game.toStdString();
        games->setCurrentIndex(index);
        auto *bonus = shown->findChild<QComboBox *>(QStringLiteral("cboBonus"));
        if (bonus->isEnabled())
            bonus->setCurrentIndex(bonusIndex);
        QTest::mouseClick(shown->findChild<QPushButton *>(QStringLiteral("cmdCount")),
                          Qt::LeftButton);
    }
    DocumentWindow *shownDocument() const {
        QMdiSubWindow *frame = window.mdiArea()->currentSubWindow();
        return frame ? qobject_cast<DocumentWindow *>(frame->widget()) : nullptr;
    }
    const Game &preset(const std::string &name) {
        return findGame(m_games, name)->game;
    }

    test::TempDir m_config;
    test::ScopedEnv m_env{"XDG_CONFIG_HOME", m_config.path().c_str()};
    GameList m_games = loadGames(defaultGameFolders());
    FakeDesktop desktop;
    MainWindow window{desktop};
};

TEST_F(WhatItWinsTest, WithoutAReportOnScreenItSaysWhatToDo) {
    trigger("mnuGamesWins");
    EXPECT_EQ(dialog(), nullptr);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text.toStdString(), noReportForWinsMessage());
}

// A wheel chosen in a catalogue and not played (the picker closed) is counted as it stands.
TEST_F(WhatItWinsTest, WithoutAReportTheWheelChosenLastIsCounted) {
    trigger("mnu5wheel");
    QWidget *catalogue = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->objectName() == QStringLiteral("Form1"))
            catalogue = top;
    ASSERT_NE(catalogue, nullptr);
    auto *rows = catalogue->findChild<QListWidget *>(QStringLiteral("List1"));
    const QList<QListWidgetItem *> found = rows->findItems(
        QStringLiteral("    $   17        17    Tickets   15  Numbers        3 of 5"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    rows->scrollToItem(found[0]);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(found[0]).center());
    QTest::mouseClick(catalogue->findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != &window && top->isVisible())
            top->close();

    trigger("mnuGamesWins");
    EXPECT_TRUE(desktop.messages.empty());
    WinsGameDialog *shown = dialog();
    ASSERT_NE(shown, nullptr);
    bool named = false;
    for (const QLabel *label : shown->findChildren<QLabel *>())
        named = named || label->text().contains(QStringLiteral("17 Tickets over 15 Numbers"));
    EXPECT_TRUE(named);
}

TEST_F(WhatItWinsTest, CountsTheReportOnScreenInTheChosenGameAsADocumentLikeAReport) {
    const ReportRequest request = test::workedExampleRequest();
    window.openWheelDocument(request);
    trigger("mnuGamesWins");
    WinsGameDialog *shown = dialog();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isModal());
    // Only the games whose tickets hold 5 numbers are offered, after the plain game.
    auto *games = shown->findChild<QComboBox *>(QStringLiteral("cboGame"));
    EXPECT_EQ(games->itemText(0), "Pick 5 with a field");
    EXPECT_GE(games->findText("Powerball"), 1);
    EXPECT_EQ(games->findText("Lotto 6/49"), -1);
    for (const char *name : {"cboGame", "spnField", "cboBonus"}) {
        QAccessibleInterface *field =
            QAccessible::queryAccessibleInterface(shown->findChild<QWidget *>(name));
        ASSERT_NE(field, nullptr);
        EXPECT_FALSE(field->text(QAccessible::Name).isEmpty()) << name;
    }

    count("Powerball", 1); // each Powerball on every ticket
    EXPECT_EQ(dialog(), nullptr);
    DocumentWindow *doc = shownDocument();
    ASSERT_NE(doc, nullptr);
    const WinsDocument expected = winsDocument(*playedWheelOf(request), preset("Powerball"), false,
                                               BonusPlay::everyChoice);
    EXPECT_EQ(doc->lines(), winsLines(expected));
    EXPECT_EQ(doc->windowTitle().toStdString(), winsCaption(expected));
    EXPECT_EQ(doc->list()->accessibleName(), "What It Wins");
    EXPECT_EQ(doc->request(), request);
    // The holes and the odds name the player's numbers and the game.
    EXPECT_NE(std::find(doc->lines().begin(), doc->lines().end(),
                        "The Odds in Powerball (Rules from 2015-10-07)"),
              doc->lines().end());

    trigger("mnuEditCopy");
    EXPECT_EQ(desktop.clipboard, documentText(doc->lines()));
    const test::TempDir folder;
    const QString path = QString::fromStdString((folder.path() / "wins.txt").string());
    desktop.saveFileNames.push_back(path);
    trigger("mnuFileSaveAs");
    EXPECT_EQ(test::readFileBytes(path.toStdString()), linesWithCrLf(doc->lines()));
    trigger("mnuFilePrint");
    ASSERT_EQ(desktop.printedDocuments.size(), 1u);
    EXPECT_EQ(desktop.printedDocuments[0].join("\r\n") + "\r\n", documentText(doc->lines()));
    EXPECT_TRUE(desktop.messages.empty());

    // What It Wins again from its own document counts the same wheel, here in a plain field.
    trigger("mnuGamesWins");
    ASSERT_NE(dialog(), nullptr);
    dialog()->findChild<QSpinBox *>(QStringLiteral("spnField"))->setValue(35);
    count("Pick 5 with a field");
    ASSERT_NE(shownDocument(), nullptr);
    EXPECT_EQ(shownDocument()->lines(),
              winsLines(winsDocument(*playedWheelOf(request), plainGame(5, 35), true,
                                     BonusPlay::sameChoice)));
}

TEST_F(WhatItWinsTest, CancelOpensNothingAndTheFieldHoldsTheWheelsNumbers) {
    window.openWheelDocument(test::workedExampleRequest());
    DocumentWindow *report = shownDocument();
    trigger("mnuGamesWins");
    ASSERT_NE(dialog(), nullptr);
    auto *field = dialog()->findChild<QSpinBox *>(QStringLiteral("spnField"));
    EXPECT_EQ(field->minimum(), 7);
    EXPECT_FALSE(dialog()->findChild<QComboBox *>(QStringLiteral("cboBonus"))->isEnabled());
    QTest::mouseClick(dialog()->findChild<QPushButton *>(QStringLiteral("cmdCancel")),
                      Qt::LeftButton);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(shownDocument(), report);
    EXPECT_TRUE(desktop.messages.empty());
}

} // namespace
} // namespace marlek
