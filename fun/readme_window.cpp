#include "readme_window.h"

namespace marlek {

ReadMeWindow::ReadMeWindow(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
}

} // namespace marlek
