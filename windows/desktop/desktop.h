#pragma once
// Everything a window asks of the desktop goes through this interface: dialogs, message boxes,
// clipboard, printer, beep, mouse pointer and web browser. The program passes QtDesktop; tests pass
// a fake that answers with prepared file names and records what was shown, so every window path,
// failures included, runs without a person.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

namespace marlek {

// The one filter of every save dialog: one entry "All Files (*.txt)" matching "*.txt".
inline const QString kSaveFilter = QStringLiteral("All Files (*.txt)|*.txt");
// The filter of the open dialog: text files first, any file beside them.
inline const QString kOpenFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*)|*");
// Title of every message the program shows.
inline const QString kMessageTitle = QStringLiteral("Marlek's Lotto");

class Desktop {
public:
    virtual ~Desktop() = default;

    // Save-file dialog. `filter` uses the "label|pattern" form of kSaveFilter. No default
    // extension, no overwrite prompt. Returns the chosen path exactly as chosen, or an empty string
    // on cancel.
    virtual QString askSaveFileName(QWidget *parent, const QString &filter) = 0;

    // Open-file dialog for an existing file, `filter` in the same form. Returns the chosen path,
    // or an empty string on cancel.
    virtual QString askOpenFileName(QWidget *parent, const QString &filter) = 0;

    // The printer set-up dialog; the printer chosen there is the one printLines uses afterwards.
    virtual void showPrintSetup(QWidget *parent) = 0;

    // Prints the lines one below another at the given point size, a new page when a page is full,
    // no header or footer. Every character of every line is printed: where the widest line is
    // wider than the page the size goes down as far as it needs (to no less than 10 points), and
    // a line still too wide goes on in a further line marked as its continuation. On failure
    // returns false and says why in *errorText.
    virtual bool printLines(const QStringList &lines, int pointSize, QString *errorText) = 0;

    // Asks for one line of text: a dialog with `prompt`, an edit that starts with *text, OK and
    // Cancel. Returns false on Cancel; else *text holds what was typed.
    virtual bool askText(QWidget *parent, const QString &title, const QString &prompt,
                         QString *text) = 0;

    // A message box with the buttons Cancel, Try Again and Continue; the answer is not used.
    virtual void showMessage(QWidget *parent, const QString &text, const QString &title) = 0;
    // The same message box where the answer matters: false for Cancel (the close box and Escape
    // too), true for Try Again and Continue.
    virtual bool askTryAgain(QWidget *parent, const QString &text, const QString &title) = 0;

    // A question with the buttons Yes and No, No the default (Escape and the close box too): true
    // only for Yes. For a step that cannot be undone, such as removing a file.
    virtual bool askYesNo(QWidget *parent, const QString &text, const QString &title) = 0;

    // Clipboard. Each returns false when the clipboard could not be used.
    virtual bool clearClipboard() = 0;
    virtual bool setClipboardText(const QString &text) = 0;

    virtual void beep() = 0;

    // The hourglass over one window while it works, and the standard arrow for the whole program.
    virtual void setBusyPointer(QWidget *window, bool busy) = 0;
    virtual void restoreArrowPointer() = 0;

    // Opens a web page in a browser window; `progress` receives the browser's progress texts
    // ("Navigation begun...", ...) for as long as the caller's `receiver` lives. Returns false when
    // no browser could be started; a browser started that fails later hands the page to the next
    // one it can (in the end the desktop's default browser) by itself. Never throws, never waits
    // for the browser and never shows anything on failure.
    virtual bool openWebPage(QWidget *receiver, const QUrl &url,
                             std::function<void(const QString &)> progress) = 0;
};

} // namespace marlek
