#include "main_window.h"

namespace marlek {

MainWindow::MainWindow(SharedState &state, Desktop &desktop, UniformRandom &, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_desktop(desktop) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Marlek's Lotto Software"));
}

void MainWindow::openWheelDocument() {}

void MainWindow::openGeneratorFromCatalogue(int) {}

} // namespace marlek
