// Start-up (Main): the wheel tables are constant data, complete before any window asks for one; the
// main window is created with what the run carries from window to window (the player's numbers
// 1 to 50 among it), loaded and shown.

#include "main_window.h"
#include "program_identity.h"
#include "qt_desktop.h"
#include "stop_signals.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    // Ctrl+C, SIGTERM or SIGHUP during a save leave no temporary file behind.
    marlek::removeTemporaryFilesOnStopSignals();
    marlek::setProgramIdentity();

    marlek::QtDesktop desktop;
    marlek::MainWindow mainForm(desktop);
    mainForm.show();

    // The run ends when the last window closes: the Pick 6 generator and the odds tables have no
    // owner and may outlive the main window, which only hides when closed.
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}
