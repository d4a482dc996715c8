#pragma once
// The program's message box: a text, the title, and the three buttons Cancel, Try Again and
// Continue, in that order whatever the desktop's habit. A text taller or wider than the screen
// scrolls inside the box, so the box and its buttons always fit the screen.

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace marlek {

class MessageBox : public QDialog {
    Q_OBJECT
public:
    MessageBox(const QString &text, const QString &title, QWidget *parent = nullptr);

    // The button that closed the box; the close box and Escape are Cancel.
    enum class Answer { Cancel, TryAgain, Continue };
    Answer answer() const { return m_answer; }

    QLabel *textLabel() const { return m_text; }
    QScrollArea *textArea() const { return m_textArea; }

private:
    void fitToScreen();

    QLabel *m_text = nullptr;
    QScrollArea *m_textArea = nullptr;
    Answer m_answer = Answer::Cancel;
};

} // namespace marlek
