#include "fake_desktop.h"

namespace marlek::test {

QString FakeDesktop::askSaveFileName(QWidget *, const QString &filter) {
    saveFilters.push_back(filter);
    if (saveFileNames.empty())
        return {};
    QString name = saveFileNames.front();
    saveFileNames.pop_front();
    return name;
}

QString FakeDesktop::askOpenFileName(QWidget *, const QString &filter) {
    openFilters.push_back(filter);
    if (openFileNames.empty())
        return {};
    QString name = openFileNames.front();
    openFileNames.pop_front();
    return name;
}

void FakeDesktop::showPrintSetup(QWidget *) {
    ++printSetupCount;
}

bool FakeDesktop::printLines(const QStringList &lines, int pointSize, QString *errorText) {
    if (!printerAvailable) {
        if (errorText)
            *errorText = QStringLiteral("No printer is available.");
        return false;
    }
    printedDocuments.push_back(lines);
    printedPointSizes.push_back(pointSize);
    return true;
}

bool FakeDesktop::askText(QWidget *, const QString &title, const QString &prompt, QString *text) {
    textRequests.push_back({title, prompt, *text});
    if (textAnswers.empty() || !textAnswers.front()) {
        if (!textAnswers.empty())
            textAnswers.pop_front();
        return false;
    }
    *text = *textAnswers.front();
    textAnswers.pop_front();
    return true;
}

void FakeDesktop::showMessage(QWidget *, const QString &text, const QString &title) {
    messages.push_back({text, title});
}

bool FakeDesktop::askTryAgain(QWidget *parent, const QString &text, const QString &title) {
    showMessage(parent, text, title);
    if (tryAgainAnswers.empty())
        return true;
    const bool again = tryAgainAnswers.front();
    tryAgainAnswers.pop_front();
    return again;
}

bool FakeDesktop::askYesNo(QWidget *parent, const QString &text, const QString &title) {
    showMessage(parent, text, title);
    if (yesNoAnswers.empty())
        return false;
    const bool yes = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return yes;
}

bool FakeDesktop::clearClipboard() {
    ++clipboardClears;
    if (!clipboardWorks)
        return false;
    clipboard.clear();
    return true;
}

bool FakeDesktop::setClipboardText(const QString &text) {
    if (!clipboardWorks)
        return false;
    clipboard = text;
    return true;
}

void FakeDesktop::beep() {
    ++beeps;
}

void FakeDesktop::setBusyPointer(QWidget *window, bool busy) {
    busyPointers.emplace_back(window, busy);
}

void FakeDesktop::restoreArrowPointer() {
    ++arrowRestores;
}

bool FakeDesktop::openWebPage(QWidget *, const QUrl &url,
                              std::function<void(const QString &)> progress) {
    if (!browserAvailable)
        return false;
    openedPages.push_back(url);
    lastProgress = std::move(progress);
    return true;
}

} // namespace marlek::test
