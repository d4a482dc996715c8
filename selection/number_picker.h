#pragma once
// Form3: the number picker, between choosing a wheel and reading its report.

#include "session.h"

#include <QDialog>

namespace marlek {

class NumberPicker : public QDialog {
    Q_OBJECT
public:
    explicit NumberPicker(Session &session, QWidget *parent = nullptr);

private:
    Session &m_session;
};

} // namespace marlek
