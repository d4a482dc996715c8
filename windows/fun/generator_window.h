#pragma once
// Form4 (Pick 6) and Form5 (Pick 5): the all-combinations generator windows, one class. The player
// picks the field size, reads the total and the estimates, and either writes every combination to
// text files ("Save As") or plays them all as a full wheel through the number picker ("Yes").

#include "combo_writer.h"
#include "generator_texts.h"
#include "session.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace marlek {

class GeneratorWindow : public QDialog {
    Q_OBJECT
public:
    // kind 6 builds Form4, kind 5 Form5. The caller decides modality and shows the window.
    GeneratorWindow(int kind, Session &session, QWidget *parent = nullptr);

    // True while "Save As" is writing files.
    bool isWriting() const { return m_writing; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void createWidgets();
    void layOutWidgets();
    void fitToScreen();
    void connectSignals();
    void Form_Load();

    void hsbpick_Change();
    void Combo1_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_MouseMove();
    void Command1_MouseMove();
    void Command2_MouseMove();
    void Command3_MouseMove();

    void refresh();
    // Runs the writer off the user-interface thread; the windows repaint meanwhile but take no
    // input. Returns when the run has ended.
    ComboOutcome writeFilesWhileBlocked(const ComboRequest &request);
    void setControlsEnabled(bool enabled);
    void showProgress(std::int64_t ticketsWritten);
    std::int64_t currentTotal() const;

    const GeneratorKind &m_kind;
    Session &m_session;
    std::int64_t m_perFile = kPerFileChoices[kStartPerFileIndex];
    bool m_writing = false;

    QPlainTextEdit *Text1 = nullptr;
    QLabel *Label2 = nullptr;
    QScrollBar *hsbpick = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Lblpick = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
};

} // namespace marlek
