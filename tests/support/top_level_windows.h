#pragma once
// Finding and closing the program's top-level windows in window tests.

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLatin1String>
#include <QWidget>

namespace marlek::test {

// The open top-level window of that object name, or null; windows closed with WA_DeleteOnClose
// are gone once the deferred deletions have run.
inline QWidget *openTopLevel(const char *name) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name) && top->isVisible())
            return top;
    return nullptr;
}

// Closes every open top-level window but `keep`, and lets those closed go.
inline void closeTopLevelsBut(const QWidget *keep) {
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != keep && top->isVisible())
            top->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace marlek::test
