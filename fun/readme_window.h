#pragma once
// Form6: "What is Just for Fun?", the generator's information text on its own.

#include <QDialog>

namespace marlek {

class ReadMeWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReadMeWindow(QWidget *parent = nullptr);
};

} // namespace marlek
