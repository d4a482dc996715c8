#include "number_picker.h"

namespace marlek {

NumberPicker::NumberPicker(Session &session, QWidget *parent) : QDialog(parent), m_session(session) {
    setObjectName(QStringLiteral("Form3"));
}

} // namespace marlek
