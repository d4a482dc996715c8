#include "odds_window.h"

namespace marlek {

OddsWindow::OddsWindow(int kind, QWidget *parent) : QWidget(parent), m_kind(kind) {
    setObjectName(kind == 5 ? QStringLiteral("Form8") : QStringLiteral("Form7"));
}

} // namespace marlek
