#include "generator_window.h"

namespace marlek {

GeneratorWindow::GeneratorWindow(int kind, Session &session, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_session(session) {
    setObjectName(kind == 6 ? QStringLiteral("Form4") : QStringLiteral("Form5"));
}

} // namespace marlek
