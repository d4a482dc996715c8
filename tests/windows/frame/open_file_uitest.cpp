// File > Open through the real main window and the fake desktop: a ticket list or a wheel file is
// proven, stated and played through the number picker; a saved report opens as a document that
// checks, copies, saves and prints; every file that cannot be opened is refused with one message
// and the program goes on.

#include "main_window.h"

#include "document_text.h"
#include "document_window.h"
#include "draw_check.h"
#include "fake_desktop.h"
#include "number_picker.h"
#include "qstring_print.h"
#include "temp_dir.h"
#include "wheel_report.h"
#include "worked_example.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marlek {
namespace {

using test::FakeDesktop;
using test::kWorkedExampleLines;
using test::readFileBytes;
using test::TempDir;
using test::workedExampleRequest;
using test::writeFileBytes;

void deleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The worked example's tickets as a player writes them down, with the numbers played.
constexpr const char *kWorkedExampleList = "# Saturday\r\n03-11-17-25-33\r\n03, 11, 25, 33, 40\r\n"
                                           "3 17 25 40 42\r\n\r\n11 17 25 33 42\r\n"
                                           "11-17-33-40-42";

class OpenFileTest : public ::testing::Test {
protected:
    OpenFileTest() { window.show(); }
    ~OpenFileTest() override {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != &window && top->isVisible())
                top->close();
        deleteClosedWindows();
    }

    // File > Open... with the dialog answering `path`.
    void open(const std::filesystem::path &path) {
        desktop.openFileNames.push_back(QString::fromStdString(path.string()));
        QAction *action = window.findChild<QAction *>(QStringLiteral("mnuFileOpen"));
        ASSERT_NE(action, nullptr);
        action->trigger();
    }
    void trigger(const char *name) { window.findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    std::vector<DocumentWindow *> openDocuments() const {
        std::vector<DocumentWindow *> open;
        for (QMdiSubWindow *frame : window.mdiArea()->subWindowList())
            if (auto *doc = qobject_cast<DocumentWindow *>(frame->widget()); doc && doc->isOpen())
                open.push_back(doc);
        return open;
    }
    NumberPicker *picker() const {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<NumberPicker *>(top); p && p->isVisible())
                return p;
        return nullptr;
    }
    QString lastMessage() const {
        return desktop.messages.empty() ? QString() : desktop.messages.back().text;
    }

    TempDir dir;
    FakeDesktop desktop;
    MainWindow window{desktop};
};

TEST_F(OpenFileTest, CancelInTheDialogOpensNothingAndSaysNothing) {
    trigger("mnuFileOpen");
    ASSERT_EQ(desktop.openFilters.size(), 1u);
    EXPECT_EQ(desktop.openFilters[0], kOpenFilter);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(picker(), nullptr);
}

TEST_F(OpenFileTest, ATicketListIsProvenStatedAndPlaysItsOwnNumbers) {
    writeFileBytes(dir / "saturday.txt", kWorkedExampleList);
    open(dir / "saturday.txt");
    ASSERT_EQ(desktop.messages.size(), 1u);
    const std::string path = (dir / "saturday.txt").string();
    EXPECT_EQ(lastMessage(),
              QString::fromStdString(
                  "\"" + path +
                  "\": a list of 5 Pick 5 tickets over 7 numbers: 3 11 17 25 33 40 42.\n"
                  "Proven on opening: 4 of 5, 3 of 4, 2 of 3, 2 of 2, 1 of 1\n(t of m: whenever "
                  "m of these numbers are drawn, at least one ticket holds t of them).\n"
                  "It plays as a wheel with the 4 of 5 guarantee.\n"
                  "The number picker's Yes plays the list's own numbers; Random or Choose plays "
                  "others.\n"
                  "Press Continue to choose the numbers to play it with, or Cancel to leave it."));

    NumberPicker *shown = picker();
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->choice().designedWheel);
    EXPECT_EQ(shown->choice().designedWheel->guarantee, (Guarantee{4, 5}));
    shown->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    deleteClosedWindows();

    // Its report is the catalogue's own for the same tickets and numbers.
    const std::vector<DocumentWindow *> docs = openDocuments();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->lines(), kWorkedExampleLines);
}

TEST_F(OpenFileTest, AWheelFileIsProvenBeforeItPlaysAndCancelLeavesIt) {
    // Pick 5 wheel 0 as a wheel file: "4 of 5" over 7 numbers.
    writeFileBytes(dir / "wheel.txt",
                   "5 7 4 5\n1 2 3 4 5\n1 2 4 5 6\n1 3 4 6 7\n2 3 4 5 7\n2 3 5 6 7\n");
    desktop.tryAgainAnswers.push_back(false);
    open(dir / "wheel.txt");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(lastMessage(), QString::fromStdString(
                                 "\"" + (dir / "wheel.txt").string() +
                                 "\": a Pick 5 wheel of 5 tickets over 7 numbers.\n"
                                 "Its 4 of 5 guarantee is proven: whenever 5 of the 7 numbers "
                                 "are drawn,\nat least one ticket holds 4 of them.\n"
                                 "Press Continue to choose the numbers to play it with, or "
                                 "Cancel to leave it."));
    EXPECT_EQ(picker(), nullptr);

    open(dir / "wheel.txt");
    NumberPicker *shown = picker();
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->choice().designedWheel);
    EXPECT_EQ(shown->choice(), designedWheelChoice(*shown->choice().designedWheel));
    EXPECT_EQ(shown->choice().designedWheel->tickets.size(), 5u);
    shown->close();
    deleteClosedWindows();

    // A key wheel's statement names its keys.
    writeFileBytes(dir / "key.txt", "6 8 5 6 1\n1 2 3 4 5 6\n1 2 3 5 6 7\n1 2 4 5 7 8\n"
                                    "1 3 4 5 6 8\n1 3 4 6 7 8\n");
    desktop.tryAgainAnswers.push_back(false);
    open(dir / "key.txt");
    EXPECT_NE(lastMessage().indexOf("Its 5 of 6 guarantee is proven: whenever 6 of the 8 numbers "
                                    "are drawn, key number 1 among them (the lowest number you "
                                    "play),\nat least one ticket holds 5 of them."),
              -1)
        << lastMessage().toStdString();
}

TEST_F(OpenFileTest, ASavedReportOpensAsADocumentThatChecksCopiesSavesAndPrints) {
    window.openWheelDocument(workedExampleRequest());
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "report.txt").string()));
    trigger("mnuFileSaveAs");
    openDocuments()[0]->closeDocument();
    deleteClosedWindows();

    open(dir / "report.txt");
    deleteClosedWindows();
    std::vector<DocumentWindow *> docs = openDocuments();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->lines(), kWorkedExampleLines);
    EXPECT_EQ(docs[0]->windowTitle(), "report.txt  $5   5  Tickets  7 Numbers  Pick 5 Wheel");
    EXPECT_TRUE(desktop.messages.empty());

    desktop.textAnswers.push_back(QStringLiteral("42, 40 33 25,11"));
    trigger("mnuEditCheckDraw");
    ASSERT_EQ(desktop.textRequests.size(), 1u);
    EXPECT_EQ(desktop.textRequests[0].prompt,
              "Type the 5 numbers drawn, each from 1 to 99, separated by spaces or commas.\n"
              "They are checked against the tickets of this report:\n"
              "report.txt  $5   5  Tickets  7 Numbers  Pick 5 Wheel");
    deleteClosedWindows();
    docs = openDocuments();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->lines(), drawCheckLines(workedExampleRequest(), {11, 25, 33, 40, 42}));
    EXPECT_EQ(docs[0]->windowTitle(),
              "Draw  11  25  33  40  42  against  report.txt  $5   5  Tickets  7 Numbers  Pick 5 "
              "Wheel");

    // The check document checks the opened report again, against another draw.
    desktop.textAnswers.push_back(QStringLiteral("3 17 25 40 42"));
    trigger("mnuEditCheckDraw");
    deleteClosedWindows();
    docs = openDocuments();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->lines(), drawCheckLines(workedExampleRequest(), {3, 17, 25, 40, 42}));

    // Copy, Save As and Print work on the opened report as on any.
    open(dir / "report.txt");
    deleteClosedWindows();
    trigger("mnuEditCopy");
    EXPECT_EQ(desktop.clipboard, QString::fromLatin1(linesWithCrLf(kWorkedExampleLines)));
    desktop.saveFileNames.push_back(QString::fromStdString((dir / "again.txt").string()));
    trigger("mnuFileSaveAs");
    EXPECT_EQ(readFileBytes(dir / "again.txt"), readFileBytes(dir / "report.txt"));
    trigger("mnuFilePrint");
    ASSERT_EQ(desktop.printedDocuments.size(), 1u);
    EXPECT_EQ(desktop.printedDocuments[0].size(),
              static_cast<qsizetype>(kWorkedExampleLines.size()));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(OpenFileTest, EveryFileThatCannotBeOpenedIsRefusedWithOneMessageAndTheProgramGoesOn) {
    const std::string report = linesWithCrLf(kWorkedExampleLines);
    std::string edited = report;
    edited.replace(edited.find("03  17  25  40  42"), 2, "05");
    const std::string whatOpens =
        ".\nThe program opens a report saved by Save As,\na wheel file (a first line of k N t m "
        "such as \"6 20 3 6\", then one ticket a line),\na list of tickets, one a line, their "
        "numbers separated by spaces, commas or dashes (\"01-02-03-04-05-06\"),\nor a lottery's "
        "file of past draws, its columns named in its first line.";
    struct Case {
        const char *name;
        std::string content; // none: the file is not written
        std::string says;    // after "The file "<path>" " or "The wheel in "<path>" "
    };
    const std::vector<Case> cases = {
        {"missing.txt", {}, "cannot be read: No such file or directory."},
        {"empty.txt", "",
         "cannot be opened: the file is empty: a wheel file begins with a line of k N t m, e.g. "
         "\"6 20 3 6\", and a ticket list holds one ticket a line, e.g. \"01-02-03-04-05-06\"" +
             whatOpens},
        {"short.txt", "1 2 3 4 5 6\n1 2 3 4 5\n",
         "cannot be opened: line 2: 6 numbers needed, 5 given" + whatOpens},
        {"names.csv", "Name,Value\nSaturday,11 21 27 36 62\n",
         "cannot be opened: line 1: \"Name\" is not a whole number" + whatOpens},
        {"edited.txt", edited, "is not a report as this program saves it: line 10: "},
        {"cut.txt", report.substr(0, report.size() - 10),
         "is not a report as this program saves it: line " +
             std::to_string(kWorkedExampleLines.size()) +
             ": the line has no line end: the file ends in the middle of it."},
        {"seven.txt", "7 8 3 7\n1 2 3 4 5 6 7\n",
         "cannot be played: reports are for Pick 5 and Pick 6 wheels, and this wheel has 7 "
         "numbers a ticket."},
        {"false.txt", "6 14 3 6\n1 2 3 4 5 6\n7 8 9 10 11 12\n",
         "cannot be played: the wheel does not keep the 3 of 6 guarantee its file claims:\nthe "
         "proof finds only 2 of 6."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) != "missing.txt")
            writeFileBytes(dir / c.name, c.content);
        desktop.messages.clear();
        open(dir / c.name);
        ASSERT_EQ(desktop.messages.size(), 1u);
        const QString text = desktop.messages[0].text;
        const QString quoted = QString::fromStdString("\"" + (dir / c.name).string() + "\" ");
        EXPECT_TRUE(text.startsWith(QStringLiteral("The file ") + quoted) ||
                    text.startsWith(QStringLiteral("The wheel in ") + quoted))
            << text.toStdString();
        EXPECT_NE(text.indexOf(QString::fromStdString(c.says)), -1) << text.toStdString();
        EXPECT_EQ(desktop.messages[0].title, kMessageTitle);
        EXPECT_EQ(picker(), nullptr);
        EXPECT_TRUE(openDocuments().empty());
        EXPECT_TRUE(window.isVisible());
    }

    // A folder is no file to open.
    desktop.messages.clear();
    open(dir.path());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(lastMessage().indexOf("cannot be read: Is a directory."), -1)
        << lastMessage().toStdString();
}

// A lottery's file of past draws, its columns named in a header (a known layout, or three names or
// more that the player maps), opens the import as History > Import Draws does.
TEST_F(OpenFileTest, ALotterysDrawFileOpensTheImport) {
    const std::vector<std::pair<const char *, const char *>> files = {
        {"known.csv", "Draw Date,Winning Numbers\r\n09/26/2020,11 21 27 36 62\r\n"},
        {"mapped.csv", "When;Which;Balls\n2020-09-26;1234;11 21 27 36 62"},
    };
    for (const auto &[name, content] : files) {
        SCOPED_TRACE(name);
        writeFileBytes(dir / name, content);
        open(dir / name);
        EXPECT_TRUE(desktop.messages.empty()) << lastMessage().toStdString();
        QWidget *import = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->objectName() == QStringLiteral("frmImportDraws"))
                import = top;
        ASSERT_NE(import, nullptr);
        EXPECT_EQ(picker(), nullptr);
        EXPECT_TRUE(openDocuments().empty());
        import->close();
        deleteClosedWindows();
    }
}

} // namespace
} // namespace marlek
