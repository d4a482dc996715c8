#include "catalogue_window.h"

namespace marlek {

CatalogueWindow::CatalogueWindow(int kind, Session &session, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_session(session) {
    setObjectName(kind == 5 ? QStringLiteral("Form1") : QStringLiteral("Form2"));
}

} // namespace marlek
