#pragma once
// Form1 (Pick 5) and Form2 (Pick 6): the wheel catalogues, one class of one design.

#include "session.h"

#include <QDialog>

namespace marlek {

class CatalogueWindow : public QDialog {
    Q_OBJECT
public:
    CatalogueWindow(int kind, Session &session, QWidget *parent = nullptr);

private:
    int m_kind;
    Session &m_session;
};

} // namespace marlek
