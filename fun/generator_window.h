#pragma once
// Form4 (Pick 6) and Form5 (Pick 5): the all-combinations generator windows, one class.

#include "session.h"

#include <QDialog>

namespace marlek {

class GeneratorWindow : public QDialog {
    Q_OBJECT
public:
    GeneratorWindow(int kind, Session &session, QWidget *parent = nullptr);

private:
    int m_kind;
    Session &m_session;
};

} // namespace marlek
