// Start-up (Main): the wheel tables are constant data, complete before any window asks for one; the
// main window is created, loaded and shown, then the player's numbers are set to 1 to 50.

#include "main_window.h"
#include "program_identity.h"
#include "qt_desktop.h"
#include "shared_state.h"
#include "stop_signals.h"
#include "uniform_random.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    // Ctrl+C, SIGTERM or SIGHUP during a save leave no temporary file behind.
    marlek::removeTemporaryFilesOnStopSignals();
    marlek::setProgramIdentity();

    marlek::SharedState state;
    marlek::QtDesktop desktop;
    marlek::UniformRandom random;
    marlek::MainWindow mainForm(state, desktop, random);
    mainForm.show();
    state.setStartupPicks();

    // The run ends when the last window closes: the Pick 6 generator and the odds tables have no
    // owner and may outlive the main window, which only hides when closed.
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}
