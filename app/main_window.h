#pragma once
// frmMain: the multiple-document main window with the menus and the status bar.

#include "desktop.h"
#include "navigator.h"
#include "shared_state.h"
#include "uniform_random.h"

#include <QMainWindow>

namespace marlek {

class MainWindow : public QMainWindow, public Navigator {
    Q_OBJECT
public:
    MainWindow(SharedState &state, Desktop &desktop, UniformRandom &random, QWidget *parent = nullptr);

    void openWheelDocument() override;
    void openGeneratorFromCatalogue(int kind) override;

private:
    SharedState &m_state;
    Desktop &m_desktop;
};

} // namespace marlek
