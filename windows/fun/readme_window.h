#pragma once
// Form6: "What is Just for Fun?", the generator's information text on its own.

#include <QDialog>

class QPlainTextEdit;

namespace marlek {

class ReadMeWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReadMeWindow(QWidget *parent = nullptr);

private:
    void createWidgets();
    void Form_Load();

    QPlainTextEdit *Text1 = nullptr;
};

} // namespace marlek
