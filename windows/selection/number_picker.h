#pragma once
// Form3: the number picker, between choosing a wheel and reading its report. The player sets the
// lotto's field size, lets the program draw the wheel's N numbers ("Random") or checks their own
// ("Choose"), and plays them ("Yes"): the picker takes the wheel a chooser handed on and hands on
// the report request of that wheel over the numbers played.

#include "report_request.h"
#include "session.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace marlek {

class NumberPicker : public QDialog {
    Q_OBJECT
public:
    // What "Yes" hands on, after the picker has closed.
    using Play = std::function<void(ReportRequest)>;

    NumberPicker(Session &session, WheelChoice choice, Play play, QWidget *parent = nullptr);

    // Opens a picker for the chosen wheel, modal, owned by `owner`: the step after a catalogue
    // row, the generator's "Yes" or a designed wheel's "Play".
    static NumberPicker *showModal(Session &session, QWidget *owner, WheelChoice choice, Play play);

    // The wheel this picker plays.
    const WheelChoice &choice() const { return m_choice; }

    void hsbpick_Scroll(int value);
    void hsbpick_Change(int value);
    void command3_Click();
    void Command2_Click();
    void Command1_Click();
    // "Choose": the player checks their own N numbers in the boxes instead of a draw.
    void cmdChoose_Click();

private:
    void createWidgets();
    void layOutInTwips();
    void connectSignals();
    void Form_Load();

    void clearBoxes();
    void clearSurface();
    void writeOnSurface(const QString &text);
    void Check1_Toggled();
    void fitBoxesToField();
    std::vector<std::int16_t> checkedNumbers() const;
    void endChoosing();
    std::string keyNote(std::span<const std::int16_t> played) const;

    Session &m_session;
    const WheelChoice m_choice;
    const int m_count; // N, the numbers the wheel plays
    Play m_play;

    QScrollBar *hsbpick = nullptr;
    QLabel *Lblpick = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QCheckBox *, 60> Check1{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *command3 = nullptr;
    QPushButton *cmdChoose = nullptr;
    bool m_choosing = false;     // after "Choose", until "Random", "Reset" or "Yes"
    QLabel *m_surface = nullptr; // the band above the buttons where the draw is written
};

} // namespace marlek
