#pragma once
// Form8 (Pick 5) and Form7 (Pick 6): the total-odds tables, one class with two data sets. A
// read-only list of the count of different tickets for every field size, under a header line.
// The window keeps its design size (the player cannot drag it) but can be maximised, minimised
// and restored; the list always fills the client area below the header.

#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;
class QListWidget;
class QTimer;

namespace marlek {

class OddsWindow : public QWidget {
    Q_OBJECT
public:
    // kind 5: Form8 "Pick 5 Total Odds"; kind 6: Form7 "Pick 6 Total Odds".
    explicit OddsWindow(int kind, QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createWidgets();
    void createShortcuts();
    void setDesignSize();
    void Form_Load();
    void Form_Resize();
    void fitSizeLimits();
    void fitBorderToWindowState();
    void keepNormalGeometry();

    int m_kind;
    QSize m_designSize;
    QRect m_normalGeometry;   // where the window last stood at its design size, frame excluded
    bool m_restoring = false; // back from maximised or minimised, its geometry not yet mended
    QTimer *m_keepDesignSize = nullptr;
    QLabel *m_label1 = nullptr;
    QListWidget *m_list1 = nullptr;
};

} // namespace marlek
