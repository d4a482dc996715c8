#include "document_window.h"

namespace marlek {

DocumentWindow::DocumentWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDocument"));
}

} // namespace marlek
