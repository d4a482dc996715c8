// Start-up (Main): the wheel tables are constant data, ready before any window asks; the main window
// is created and shown, then the player's numbers are set to 1 to 50.

#include "main_window.h"
#include "qt_desktop.h"
#include "shared_state.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // the about box's web browser
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marlek's Lotto Software"));

    marlek::SharedState state;
    marlek::QtDesktop desktop;
    marlek::UniformRandom random;
    marlek::MainWindow mainForm(state, desktop, random);
    mainForm.show();
    state.setStartupPicks();

    // The run ends when the last window closes: generator and odds windows may outlive the main one.
    return QApplication::exec();
}
