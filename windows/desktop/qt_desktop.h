#pragma once
// The real desktop: Qt's dialogs, message boxes, clipboard, printer and browser.

#include "desktop.h"

#include <QFont>
#include <QObject>

#include <functional>
#include <memory>

class QPrinter;

namespace marlek {

class QtDesktop : public Desktop {
public:
    // `browserProgram` is the browser program that opens web pages (see browser_program.h); where
    // it is empty, missing or cannot start, the desktop's default browser opens the page.
    explicit QtDesktop(QString browserProgram = installedBrowserProgram());
    ~QtDesktop() override;

    QString askSaveFileName(QWidget *parent, const QString &filter) override;
    QString askOpenFileName(QWidget *parent, const QString &filter) override;
    void showPrintSetup(QWidget *parent) override;
    bool printLines(const QStringList &lines, int pointSize, QString *errorText) override;
    bool askText(QWidget *parent, const QString &title, const QString &prompt,
                 QString *text) override;
    void showMessage(QWidget *parent, const QString &text, const QString &title) override;
    bool askTryAgain(QWidget *parent, const QString &text, const QString &title) override;
    bool askYesNo(QWidget *parent, const QString &text, const QString &title) override;
    bool clearClipboard() override;
    bool setClipboardText(const QString &text) override;
    void beep() override;
    void setBusyPointer(QWidget *window, bool busy) override;
    void restoreArrowPointer() override;
    bool openWebPage(QWidget *receiver, const QUrl &url,
                     std::function<void(const QString &)> progress) override;

    // The printer that Print Setup chooses and Print uses (tests point it at a PDF file).
    QPrinter &printer();

    // The browser program beside this program, or an empty string where it is not installed.
    static QString installedBrowserProgram();
    // How many browser programs this desktop started are still running.
    int runningBrowsers() const;

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_browserProgram;
    // Owns the browser programs started, each while it runs.
    std::unique_ptr<QObject> m_browsers;
};

// The font of reports on screen and on paper: fixed pitch, so the ticket columns line up. The
// desktop's own fixed font where it names one, else the system's monospace family.
QFont ticketFont();

// What begins each further printed line of a line too wide for the page, after its indentation.
inline const QString kContinuationMark = QStringLiteral("(continued) ");

// One report line as printed: whole where `fits` takes it, else cut at spaces into pieces that
// fit, each piece after the first starting with the line's indentation and kContinuationMark.
QStringList printedLines(const QString &line, const std::function<bool(const QString &)> &fits);

// "All Files (*.txt)|*.txt" -> "All Files (*.txt)": the "label|pattern" filter in Qt's form.
QString qtFileFilter(const QString &filter);

} // namespace marlek
