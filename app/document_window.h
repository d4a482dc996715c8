#pragma once
// frmDocument: one wheel report as a list of lines inside the main window.

#include <QWidget>

namespace marlek {

class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    explicit DocumentWindow(QWidget *parent = nullptr);
};

} // namespace marlek
