#pragma once
// A session of fakes for the catalogue and picker windows, and a way to find the windows they open.

#include "fake_desktop.h"
#include "qstring_print.h"
#include "session.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

namespace marlek::test {

class WindowFixture : public ::testing::Test {
protected:
    WindowFixture() = default;

    ~WindowFixture() override {
        // A picker may be the child of a window of the test: delete through guards.
        QList<QPointer<QWidget>> windows;
        for (QWidget *window : QApplication::topLevelWidgets())
            windows.append(window);
        for (const QPointer<QWidget> &window : windows)
            delete window.data();
    }

    // The open window of that object name, or null; windows closed with WA_DeleteOnClose are gone
    // once the deferred deletions have run.
    static QWidget *openWindow(const QString &name) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == name && window->isVisible())
                return window;
        return nullptr;
    }

    RunCarryOver carried;
    FakeDesktop desktop;
    FakeNavigator navigator;
    Session session{carried, desktop, navigator};
};

} // namespace marlek::test
