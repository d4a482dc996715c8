#pragma once
// The catalogue's sort options. Checking an option sorts the list in its order, also where the
// option was checked already: the Pick 5 catalogue opens with the Cost/Tickets option checked
// beside a first list that is not yet that order, and a click, Space, the program and a screen
// reader's action each give the order.

#include <QRadioButton>

namespace marlek {

class SortOptionButton : public QRadioButton {
    Q_OBJECT
public:
    SortOptionButton(const QString &text, QWidget *parent);

signals:
    // The option was checked, or checked again while it was checked.
    void chosen();

protected:
    void checkStateSet() override;
};

} // namespace marlek
