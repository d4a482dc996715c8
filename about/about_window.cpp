#include "about_window.h"

namespace marlek {

AboutWindow::AboutWindow(Desktop &desktop, QWidget *parent) : QDialog(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("frmAbout"));
}

} // namespace marlek
