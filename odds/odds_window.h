#pragma once
// Form8 (Pick 5) and Form7 (Pick 6): the total-odds tables, one class.

#include <QWidget>

namespace marlek {

class OddsWindow : public QWidget {
    Q_OBJECT
public:
    explicit OddsWindow(int kind, QWidget *parent = nullptr);

private:
    int m_kind;
};

} // namespace marlek
