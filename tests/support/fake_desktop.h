#pragma once
// A desktop for tests: answers dialogs from prepared values, records what the windows asked for.

#include "desktop.h"
#include "navigator.h"
#include "report_request.h"

#include <QStringList>
#include <QUrl>

#include <deque>
#include <optional>
#include <vector>

namespace marlek::test {

struct ShownMessage {
    QString text;
    QString title;
};

class FakeDesktop : public Desktop {
public:
    // Answers of the next save dialogs, in order; an empty queue answers "" (cancel).
    std::deque<QString> saveFileNames;
    std::vector<QString> saveFilters; // the filter each save dialog was shown with

    // Answers of the next open dialogs, in order; an empty queue answers "" (cancel).
    std::deque<QString> openFileNames;
    std::vector<QString> openFilters; // the filter each open dialog was shown with

    int printSetupCount = 0;
    bool printerAvailable = true;
    std::vector<QStringList> printedDocuments;
    std::vector<int> printedPointSizes;

    std::vector<ShownMessage> messages;
    // Answers of the next messages that ask whether to try again, in order (recorded in
    // `messages` too); an empty queue answers Try Again.
    std::deque<bool> tryAgainAnswers;

    // Answers of the next text requests, in order: a text is typed over what the edit holds and
    // OK pressed; nothing (or an empty queue) presses Cancel. Each request's prompt and the text
    // its edit started with are recorded.
    std::deque<std::optional<QString>> textAnswers;
    struct TextRequest {
        QString title;
        QString prompt;
        QString startText;
    };
    std::vector<TextRequest> textRequests;

    // Answers of the next yes-or-no questions, in order (recorded in `messages` too); an empty
    // queue answers No, the safe answer.
    std::deque<bool> yesNoAnswers;

    bool clipboardWorks = true;
    QString clipboard; // what the clipboard holds now
    int clipboardClears = 0;

    int beeps = 0;
    std::vector<std::pair<QWidget *, bool>> busyPointers;
    int arrowRestores = 0;

    bool browserAvailable = true;
    std::vector<QUrl> openedPages;
    std::function<void(const QString &)> lastProgress; // the progress callback of the last page

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
};

class FakeNavigator : public Navigator {
public:
    std::vector<WheelChoice> wheelsPlayed; // each wheel handed on to the number picker
    std::vector<QWidget *> pickerOwners;   // and the owner its picker was asked for with
    std::vector<int> generatorsOpened;     // the kind of each generator asked for

    void playWheel(const WheelChoice &choice, QWidget *owner) override {
        wheelsPlayed.push_back(choice);
        pickerOwners.push_back(owner);
    }
    void openGeneratorFromCatalogue(int kind) override { generatorsOpened.push_back(kind); }
};

} // namespace marlek::test
