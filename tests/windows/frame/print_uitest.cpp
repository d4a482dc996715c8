// Printing from the main window onto paper through the real printer path (a PDF file), read back
// with pdftotext: the widest report and the widest check documents keep every character.

#include "document_window.h"
#include "main_window.h"
#include "qstring_print.h"
#include "qt_desktop.h"
#include "temp_dir.h"
#include "top_level_windows.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace marlek {
namespace {

// Where each word of the PDF stands, in points from the page's top left corner.
struct PrintedWord {
    QString text;
    QRectF box;
};

struct PrintedPages {
    QSizeF page;
    std::vector<PrintedWord> words;
    QStringList lines; // the text's non-empty lines, every page after the other
};

QString pdftotext(const std::filesystem::path &pdf, const QString &option) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {option, QString::fromStdString(pdf.string()), QStringLiteral("-")});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

PrintedPages readBack(const std::filesystem::path &pdf) {
    PrintedPages printed;
    const QString html = pdftotext(pdf, QStringLiteral("-bbox"));
    const QRegularExpression pageSize(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"));
    if (const QRegularExpressionMatch match = pageSize.match(html); match.hasMatch())
        printed.page = QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
    const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch &m : word.globalMatch(html))
        printed.words.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    for (const QString &line : pdftotext(pdf, QStringLiteral("-layout")).split(QLatin1Char('\n')))
        if (!line.trimmed().remove(QLatin1Char('\f')).isEmpty())
            printed.lines << line.trimmed().remove(QLatin1Char('\f'));
    return printed;
}

// The printed lines with every continuation joined to the line it continues, runs of spaces made
// one (the layout of a PDF's text is approximate).
QStringList joinedLines(const QStringList &printed) {
    const QString mark = kContinuationMark.trimmed();
    QStringList joined;
    for (const QString &line : printed) {
        if (line.startsWith(mark) && !joined.isEmpty())
            joined.back() += QLatin1Char(' ') + line.mid(mark.size());
        else
            joined << line;
        joined.back() = joined.back().simplified();
    }
    return joined;
}

struct WidePrint {
    const char *name;
    const char *menuCommand;
    const char *catalogue;
    const char *row;
    const char *draw; // typed into Check a Draw; none prints the report itself
};

void PrintTo(const WidePrint &print, std::ostream *out) {
    *out << print.name;
}

class PrintTest : public ::testing::TestWithParam<WidePrint> {
protected:
    PrintTest() {
        desktop.printer().setOutputFormat(QPrinter::PdfFormat);
        desktop.printer().setOutputFileName(QString::fromStdString(pdf.string()));
        window.show();
    }
    ~PrintTest() override { test::closeTopLevelsBut(&window); }

    // The menu command, the catalogue row and OK, then Random and Yes in the picker.
    void playRow(const WidePrint &print) {
        window.findChild<QAction *>(QLatin1String(print.menuCommand))->trigger();
        QWidget *catalogue = test::openTopLevel(print.catalogue);
        ASSERT_NE(catalogue, nullptr);
        auto *rows = catalogue->findChild<QListWidget *>(QStringLiteral("List1"));
        const QList<QListWidgetItem *> found =
            rows->findItems(QLatin1String(print.row), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        rows->setCurrentItem(found[0]);
        QTest::mouseClick(catalogue->findChild<QPushButton *>(QStringLiteral("Command4")),
                          Qt::LeftButton);
        QWidget *picker = test::openTopLevel("Form3");
        ASSERT_NE(picker, nullptr);
        QTest::mouseClick(picker->findChild<QPushButton *>(QStringLiteral("command3")),
                          Qt::LeftButton);
        QTest::mouseClick(picker->findChild<QPushButton *>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    }

    // Check a Draw, typing `draw` into the question the desktop asks.
    void checkDraw(const QString &draw) {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setTextValue(draw);
            dialog->accept();
            answered = true;
        });
        window.findChild<QAction *>(QStringLiteral("mnuEditCheckDraw"))->trigger();
        EXPECT_TRUE(answered);
    }

    const DocumentWindow *shownDocument() const { return window.shownDocument(); }

    test::TempDir dir;
    std::filesystem::path pdf = dir / "printed.pdf";
    QtDesktop desktop;
    MainWindow window{desktop};
};

TEST_P(PrintTest, EveryCharacterOfEveryLineReachesThePaperReadably) {
    const WidePrint &print = GetParam();
    playRow(print);
    if (print.draw) {
        // The draw: the last numbers the picker drew, so the last ticket, of the widest number,
        // hits all of them.
        const std::vector<std::string> &report = shownDocument()->lines();
        ASSERT_GT(report.size(), 4u);
        const QStringList played =
            QString::fromStdString(report[4]).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int kind = print.menuCommand == std::string("mnu5wheel") ? 5 : 6;
        checkDraw(played.mid(played.size() - kind).join(QLatin1Char(' ')));
    }
    const DocumentWindow *document = shownDocument();
    ASSERT_NE(document, nullptr);
    if (print.draw) {
        ASSERT_TRUE(document->windowTitle().startsWith("Draw"))
            << document->windowTitle().toStdString();
    }

    window.findChild<QAction *>(QStringLiteral("mnuFilePrint"))->trigger();

    QStringList expected;
    std::size_t widest = 0;
    for (const std::string &line : document->lines()) {
        widest = std::max(widest, line.size());
        if (!QString::fromStdString(line).trimmed().isEmpty())
            expected << QString::fromStdString(line).simplified();
    }
    const PrintedPages printed = readBack(pdf);
    ASSERT_FALSE(printed.words.empty());
    EXPECT_EQ(joinedLines(printed.lines), expected);

    // Every word stands on the paper inside its margins, at 10 points or more.
    const qreal margin = 36; // half an inch
    for (const PrintedWord &word : printed.words) {
        SCOPED_TRACE(word.text.toStdString());
        EXPECT_GE(word.box.left(), margin);
        EXPECT_LE(word.box.right(), printed.page.width() - margin);
        EXPECT_GE(word.box.height(), 9.9);
    }
    // A ticket and its hits stay on one line; only the played numbers of a wide wheel continue.
    const QRegularExpression continuedNumbers(QStringLiteral("^\\S+( +\\d+)+$"));
    for (const QString &line : printed.lines.filter(kContinuationMark.trimmed()))
        EXPECT_TRUE(continuedNumbers.match(line).hasMatch()) << line.toStdString();
    if (print.draw && std::string(print.menuCommand) == "mnu6wheel") {
        // A smaller size holds the widest line whole: nothing needs to continue.
        EXPECT_GE(widest, 80u);
        EXPECT_EQ(printed.lines.filter(QStringLiteral("Hits 6:")).size(), 1);
        EXPECT_TRUE(printed.lines.filter(kContinuationMark.trimmed()).isEmpty());
    } else {
        EXPECT_GE(widest, 95u); // 26 numbers of up to two digits
        EXPECT_FALSE(printed.lines.filter(kContinuationMark.trimmed()).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    WidestDocuments, PrintTest,
    ::testing::Values(WidePrint{"Report26Numbers", "mnu5wheel", "Form1",
                                "    $ 150     150    Tickets   26  Numbers        3 of 5",
                                nullptr},
                      WidePrint{"CheckOf26Numbers", "mnu5wheel", "Form1",
                                "    $ 150     150    Tickets   26  Numbers        3 of 5", "draw"},
                      WidePrint{"CheckOf1716Pick6Tickets", "mnu6wheel", "Form2",
                                "    $1716  1716    Tickets 13  Numbers                  6",
                                "draw"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace marlek
