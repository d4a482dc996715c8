#pragma once
// Form1 (Pick 5) and Form2 (Pick 6): the wheel catalogues, one class of one design. The player
// clicks a row and plays it with "OK" (or double-clicks it); the window closes and hands the
// row's wheel on to the number picker.

#include "catalogue_rows.h"
#include "session.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace marlek {

class SortOptionButton;

class CatalogueWindow : public QDialog {
    Q_OBJECT
public:
    // kind 5 builds Form1, kind 6 Form2.
    CatalogueWindow(int kind, Session &session, QWidget *parent = nullptr);

    void Option1_Click(int index);
    void List1_Click();
    void List1_DblClick();
    void Command4_Click();
    void Command3_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWidgets();
    void layOutInTwips();
    void widenToFitTexts();
    void connectSignals();
    void setHints();
    void Form_Load();

    void fillList(CatalogueOrder order);
    void choosewheel(int code);
    void pick6loader(const WheelChoice &wheel);

    const int m_kind;
    Session &m_session;
    std::int16_t chosenWheel = 0;
    bool m_filling = false; // re-filling the list is no click of the player
    std::optional<CatalogueOrder> m_shownOrder;

    QLabel *Label1 = nullptr;
    QListWidget *List1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<SortOptionButton *, 3> Option1{};
    QButtonGroup *m_sortGroup = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command3 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QHash<QObject *, QString> m_hints; // the status-bar hint of each element under the mouse
};

} // namespace marlek
