#include "qt_desktop.h"

#include "message_box.h"
#include "qstring_print.h"
#include "temp_dir.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace marlek {
namespace {

using test::TempDir;

// The text of a PDF file, pages separated by form feeds.
QString pdfText(const std::filesystem::path &pdf) {
    QProcess pdftotext;
    pdftotext.start(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The non-empty lines of each page. The text is read back with runs of spaces made one: the
// layout of a PDF's text is approximate.
std::vector<QStringList> pagesOf(const QString &text) {
    std::vector<QStringList> pages;
    for (const QString &page : text.split(QLatin1Char('\f'))) {
        QStringList lines;
        for (const QString &line : page.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.simplified();
        if (!lines.isEmpty())
            pages.push_back(lines);
    }
    return pages;
}

QStringList simplified(QStringList lines) {
    for (QString &line : lines)
        line = line.simplified();
    return lines;
}

class QtDesktopPrintTest : public ::testing::Test {
protected:
    QtDesktopPrintTest() {
        desktop.printer().setOutputFormat(QPrinter::PdfFormat);
        desktop.printer().setOutputFileName(QString::fromStdString(pdf.string()));
    }
    TempDir dir;
    std::filesystem::path pdf = dir / "report.pdf";
    QtDesktop desktop;
};

TEST_F(QtDesktopPrintTest, PrintsTheLinesInOrderFromTheTopOfThePage) {
    const QStringList lines = {"Marlek's Pick 5 Lotto", "Lotto Ticket     1    03  11  17  25  33",
                               "Good Luck in All your Lotto Pursuits"};
    QString error;
    ASSERT_TRUE(desktop.printLines(lines, 12, &error)) << error.toStdString();
    const std::vector<QStringList> pages = pagesOf(pdfText(pdf));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], simplified(lines));
}

TEST_F(QtDesktopPrintTest, AFullPageGoesOnOnTheNextPageWithoutHeaderOrFooter) {
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("Lotto Ticket   %1    01  02  03  04  05  06").arg(i);
    QString error;
    ASSERT_TRUE(desktop.printLines(lines, 12, &error)) << error.toStdString();

    const std::vector<QStringList> pages = pagesOf(pdfText(pdf));
    ASSERT_GE(pages.size(), 2u);
    QStringList printed;
    for (const QStringList &page : pages)
        printed << page;
    EXPECT_EQ(printed, simplified(lines)); // every line once, in order, and nothing else
    // 12 points is a sixth of an inch a line or a little more: a letter or A4 page holds 50 to 66.
    EXPECT_GE(pages[0].size(), 45);
    EXPECT_LE(pages[0].size(), 70);
    for (std::size_t p = 0; p + 1 < pages.size(); ++p)
        EXPECT_EQ(pages[p].size(), pages[0].size()) << "page " << p + 1 << " is not full";
}

// Where each word of the PDF stands, in points from the page's top left corner.
struct PrintedWord {
    QString text;
    QRectF box;
};
std::vector<PrintedWord> wordsOf(const std::filesystem::path &pdf, QSizeF *page) {
    QProcess pdftotext;
    pdftotext.start(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression pageSize(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"));
    if (const QRegularExpressionMatch match = pageSize.match(html); match.hasMatch())
        *page = QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
    std::vector<PrintedWord> words;
    const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch &m : word.globalMatch(html)) {
        words.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

// The lines keep well inside the paper, where real printers print; copies and a page range
// chosen in Print Setup are not used.
TEST_F(QtDesktopPrintTest, PrintsInsideMarginsOneCopyOfEveryPage) {
    desktop.printer().setCopyCount(3);
    desktop.printer().setPrintRange(QPrinter::PageRange);
    desktop.printer().setFromTo(2, 2);
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("Lotto Ticket   %1    01  02  03  04  05  06").arg(i);
    QString error;
    ASSERT_TRUE(desktop.printLines(lines, 12, &error)) << error.toStdString();
    EXPECT_EQ(desktop.printer().copyCount(), 1);
    EXPECT_EQ(desktop.printer().printRange(), QPrinter::AllPages);

    QSizeF page;
    const std::vector<PrintedWord> words = wordsOf(pdf, &page);
    ASSERT_FALSE(words.empty());
    ASSERT_GT(page.width(), 500);
    const qreal margin = 36; // half an inch
    for (const PrintedWord &word : words) {
        EXPECT_GE(word.box.left(), margin) << word.text.toStdString();
        EXPECT_GE(word.box.top(), margin) << word.text.toStdString();
        EXPECT_LE(word.box.right(), page.width() - margin) << word.text.toStdString();
        EXPECT_LE(word.box.bottom(), page.height() - margin) << word.text.toStdString();
    }
    const std::vector<QStringList> pages = pagesOf(pdfText(pdf));
    QStringList printed;
    for (const QStringList &each : pages)
        printed << each;
    EXPECT_EQ(printed, simplified(lines));
}

// A line too wide for the page goes on in marked lines, cut between words where it can be; here
// a page holds 20 characters.
TEST(QtDesktop, ALineWiderThanThePageContinuesInMarkedLines) {
    const auto fits = [](const QString &text) { return text.size() <= 20; };
    struct Case {
        QString line;
        QStringList printed;
    };
    for (const Case &c : {
             Case{"Lotto Ticket   1", {"Lotto Ticket   1"}},
             Case{"  3  11  17  25  33  40  42  45",
                  {"  3  11  17  25  33", "  (continued) 40  42", "  (continued) 45"}},
             Case{"Report 123456789012345678901234",
                  {"Report", "(continued) 12345678", "(continued) 90123456",
                   "(continued) 78901234"}},
         }) {
        EXPECT_EQ(printedLines(c.line, fits), c.printed) << c.line.toStdString();
        EXPECT_EQ(printedLines(c.line, fits).join(QString()).remove(kContinuationMark).remove(' '),
                  QString(c.line).remove(' '));
    }
}

TEST(QtDesktop, UnavailablePrinterIsReportedNotPrinted) {
    QtDesktop desktop;
    desktop.printer().setOutputFormat(QPrinter::PdfFormat);
    desktop.printer().setOutputFileName(QStringLiteral("/no/such/folder/report.pdf"));
    QString error;
    EXPECT_FALSE(desktop.printLines({QStringLiteral("a line")}, 12, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/no/such/folder/report.pdf")))
        << error.toStdString();
}

TEST(QtDesktop, SaveFilterAndTicketFont) {
    EXPECT_EQ(qtFileFilter(QStringLiteral("All Files (*.txt)|*.txt")), "All Files (*.txt)");
    const QFontMetricsF metrics(ticketFont());
    const QString line = QStringLiteral("Lotto Ticket   10    03  11  17  25  33  40 $'");
    EXPECT_NEAR(metrics.horizontalAdvance(line), line.size() * metrics.horizontalAdvance(' '), 0.5);
}

// Shows the message through the desktop and hands the open box to `look` before pressing `answer`.
void withMessageBox(const QString &text, const QString &answer,
                    const std::function<void(MessageBox &)> &look) {
    QtDesktop desktop;
    bool looked = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<MessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        look(*box);
        looked = true;
        for (QPushButton *button : box->findChildren<QPushButton *>())
            if (button->text() == answer)
                QTest::mouseClick(button, Qt::LeftButton);
        if (box->isVisible())
            box->reject();
    });
    desktop.showMessage(nullptr, text, QStringLiteral("Marlek's Lotto"));
    EXPECT_TRUE(looked);
}

// The buttons from left to right.
QStringList buttonCaptions(const MessageBox &box) {
    QList<QPushButton *> buttons = box.findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
    QStringList captions;
    for (const QPushButton *button : buttons)
        captions << button->text();
    return captions;
}

TEST(QtDesktopMessage, ShowsTheTextAndCancelTryAgainContinueInThatOrder) {
    for (const char *answer : {"Cancel", "Try Again", "Continue"}) {
        withMessageBox(
            "     File is to Big for Clipboard\r\nYou Can Save this File to Disk", answer,
            [](MessageBox &box) {
                EXPECT_EQ(box.windowTitle(), "Marlek's Lotto");
                EXPECT_EQ(box.textLabel()->text(), "     File is to Big for "
                                                   "Clipboard\nYou Can Save this File "
                                                   "to Disk");
                EXPECT_EQ(buttonCaptions(box), QStringList({"Cancel", "Try Again", "Continue"}));
                EXPECT_FALSE(box.textArea()->verticalScrollBar()->isVisible());
            });
    }
}

TEST(QtDesktopMessage, ATextTallerThanTheScreenScrollsAndTheButtonsStayOnTheScreen) {
    QString text = QStringLiteral("251 Files Saved\r\n/home/player/lotto/all.txt");
    for (int ordinal = 2; ordinal <= 251; ++ordinal)
        text += QStringLiteral("\r\n/home/player/lotto/%1.txt").arg(ordinal);
    withMessageBox(text, "Continue", [](MessageBox &box) {
        const QRect screen = box.screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(box.frameGeometry())) << box.frameGeometry().height();
        for (const QPushButton *button : box.findChildren<QPushButton *>()) {
            EXPECT_TRUE(button->isVisible());
            EXPECT_TRUE(screen.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
        }
        EXPECT_TRUE(box.textArea()->verticalScrollBar()->isVisible());
        EXPECT_TRUE(box.textLabel()->text().endsWith("/home/player/lotto/251.txt"));
    });
}

// Where the answer matters, Cancel (and Escape) cancel; Try Again and Continue go on.
TEST(QtDesktopMessage, AskTryAgainTellsCancelFromTheOtherButtons) {
    for (const auto &[answer, again] : {std::pair{"Cancel", false}, std::pair{"Try Again", true},
                                        std::pair{"Continue", true}, std::pair{"Escape", false}}) {
        QtDesktop desktop;
        QTimer::singleShot(0, [answer = QString::fromLatin1(answer)] {
            auto *box = qobject_cast<MessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            if (answer == "Escape")
                QTest::keyClick(box, Qt::Key_Escape);
            for (QPushButton *button : box->findChildren<QPushButton *>())
                if (button->text() == answer)
                    QTest::mouseClick(button, Qt::LeftButton);
        });
        EXPECT_EQ(desktop.askTryAgain(nullptr, QStringLiteral("This draw cannot be checked"),
                                      QStringLiteral("Marlek's Lotto")),
                  again)
            << answer;
    }
}

// A yes-or-no question: only Yes says yes; No, Escape and Enter (No is the default) say no.
TEST(QtDesktopMessage, AskYesNoSaysYesOnlyForYes) {
    for (const auto &[answer, yes] : {std::pair{"&Yes", true}, std::pair{"&No", false},
                                      std::pair{"Escape", false}, std::pair{"Enter", false}}) {
        QtDesktop desktop;
        QTimer::singleShot(0, [answer = QString::fromLatin1(answer)] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            if (answer == "Escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else if (answer == "Enter")
                QTest::keyClick(box, Qt::Key_Return);
            for (QPushButton *button : box->findChildren<QPushButton *>())
                if (button->text() == answer)
                    QTest::mouseClick(button, Qt::LeftButton);
        });
        EXPECT_EQ(desktop.askYesNo(nullptr, QStringLiteral("Remove your game?"),
                                   QStringLiteral("Marlek's Lotto")),
                  yes)
            << answer;
    }
}

} // namespace
} // namespace marlek
