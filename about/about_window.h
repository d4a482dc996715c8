#pragma once
// frmAbout: the product, its maker and the way to the maker's web page.

#include "desktop.h"

#include <QDialog>

namespace marlek {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Desktop &desktop, QWidget *parent = nullptr);

private:
    Desktop &m_desktop;
};

} // namespace marlek
