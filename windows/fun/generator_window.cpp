#include "generator_window.h"

#include "generator_state.h"
#include "number_text.h"
#include "window_units.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <thread>

namespace marlek {
namespace {

// Texts from the core use CR LF between lines; the widgets want LF.
QString displayText(const std::string &text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// While a run writes files, the player can use no window of the program: input and close
// requests are dropped, everything else (painting above all) goes on.
class InputBlocker : public QObject {
public:
    InputBlocker() { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

GeneratorWindow::GeneratorWindow(int kind, Session &session, QWidget *parent)
    : QDialog(parent), m_kind(generatorKind(kind)), m_session(session) {
    setObjectName(QString::fromLatin1(m_kind.objectName));
    setAttribute(Qt::WA_DeleteOnClose);
    createWidgets();
    layOutWidgets();
    connectSignals();
    Form_Load();
}

void GeneratorWindow::createWidgets() {
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("What is Just for Fun?"));
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont titleFont = Label2->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    Label2->setFont(titleFont);

    hsbpick = new QScrollBar(Qt::Horizontal, this);
    hsbpick->setObjectName(QStringLiteral("hsbpick"));
    hsbpick->setRange(0, 60);
    hsbpick->setValue(kStartFieldSize);
    hsbpick->setSingleStep(1);
    hsbpick->setPageStep(5);
    // Like the arrows and the keys, a drag counts once, where the thumb is let go.
    hsbpick->setTracking(false);
    hsbpick->setFocusPolicy(Qt::StrongFocus);
    // A scroll bar's controls come inverted for the wheel, which also turns the arrow keys round:
    // Right must give more numbers.
    hsbpick->setInvertedControls(false);
    hsbpick->setAccessibleName(QStringLiteral("Pick Your Total Numbers"));

    Label3 = new QLabel(QStringLiteral("<<Pick Your Total Numbers"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setBuddy(hsbpick);

    Lblpick = new QLabel(this);
    Lblpick->setObjectName(QStringLiteral("Lblpick"));
    QFont totalFont = Lblpick->font();
    totalFont.setBold(true);
    Lblpick->setFont(totalFont);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the four lines of the longest estimate, so nothing below it jumps.
    Label1->setMinimumHeight(4 * Label1->fontMetrics().lineSpacing() + 4);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (std::int64_t choice : kPerFileChoices)
        Combo1->addItem(QString::number(choice));
    Combo1->setAccessibleName(QStringLiteral("Combinations per File"));

    Label4 = new QLabel(QStringLiteral("  Combinations per File"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setBuddy(Combo1);

    Command1 = new QPushButton(QStringLiteral("Yes"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("Save As"), this);
    Command3->setObjectName(QStringLiteral("Command3"));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false); // a percentage only while a run goes
    ProgressBar1->setAccessibleName(QStringLiteral("Progress of saving the combinations"));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    // The hints follow the pointer over the window and its buttons.
    setMouseTracking(true);
    for (QPushButton *button : {Command1, Command2, Command3}) {
        // Enter must not play a full wheel or start a run by accident: no button is a default.
        button->setAutoDefault(false);
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
}

void GeneratorWindow::layOutWidgets() {
    const int em = fontMetrics().averageCharWidth();
    // The information text fits without wrapping or scrolling: its longest line, its 14 lines.
    const QFontMetrics textMetrics(Text1->font());
    int longest = 0;
    for (const QString &line : displayText(informationText(m_kind.kind)).split(QLatin1Char('\n')))
        longest = std::max(longest, textMetrics.horizontalAdvance(line));
    const int textMargins =
        2 * (Text1->frameWidth() + int(Text1->document()->documentMargin())) + em;
    Text1->setMinimumWidth(longest + textMargins);
    Text1->setMinimumHeight(15 * textMetrics.lineSpacing() + textMargins);

    auto *pickRow = new QHBoxLayout;
    hsbpick->setMinimumWidth(18 * em);
    pickRow->setSpacing(em);
    pickRow->addWidget(hsbpick, 1);
    pickRow->addWidget(Label3);

    auto *perFileRow = new QHBoxLayout;
    perFileRow->addWidget(Combo1);
    perFileRow->addWidget(Label4);
    perFileRow->addStretch(1);
    // The list comes and goes with n; the space it takes stays, so the buttons stay put.
    for (QWidget *widget : {static_cast<QWidget *>(Combo1), static_cast<QWidget *>(Label4)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Command1);
    buttonRow->addWidget(Command2);
    buttonRow->addWidget(Command3);

    auto *controls = new QVBoxLayout;
    controls->addWidget(Label2);
    controls->addSpacing(em);
    controls->addLayout(pickRow);
    controls->addWidget(Lblpick);
    controls->addSpacing(em / 2);
    controls->addWidget(Label1);
    controls->addLayout(perFileRow);
    controls->addStretch(1);
    controls->addLayout(buttonRow);

    auto *body = new QHBoxLayout;
    body->addWidget(Text1, 1);
    body->addLayout(controls);

    auto *window = new QVBoxLayout(this);
    window->addLayout(body, 1);
    window->addWidget(ProgressBar1);
    window->addWidget(StatusBar1);
    window->setContentsMargins(em * 3 / 2, em * 3 / 2, em * 3 / 2, 0);

    setTabOrder(hsbpick, Combo1);
    setTabOrder(Combo1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Text1);
}

void GeneratorWindow::connectSignals() {
    connect(hsbpick, &QScrollBar::valueChanged, this, &GeneratorWindow::hsbpick_Change);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &GeneratorWindow::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &GeneratorWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &GeneratorWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &GeneratorWindow::Command3_Click);
}

void GeneratorWindow::Form_Load() {
    // Choosing the third entry runs Combo1_Click, and with it one refresh, before the rest.
    Combo1->setCurrentIndex(kStartPerFileIndex);
    Text1->setPlainText(displayText(informationText(m_kind.kind)));
    ProgressBar1->setVisible(true);
    setWindowTitle(QString::fromLatin1(m_kind.caption));
    Label2->setText(displayText(m_kind.title));

    const int n = hsbpick->value();
    Label1->setText(displayText(loadEstimateText(m_kind.kind, n)));
    Lblpick->setText(QString::fromStdString(fieldTotalText(n, combinations(n, m_kind.kind))));

    adjustSize();
    fitToScreen();
    placeWindow(this, 1.0);
    hsbpick->setFocus();
}

// At a large desktop font the information text, one line a row, may be wider than the screen
// leaves beside the controls: it then gives up width and wraps its longest lines.
void GeneratorWindow::fitToScreen() {
    if (!screen())
        return;
    const int em = fontMetrics().averageCharWidth();
    const int room = screen()->availableGeometry().width() - 2 * em; // the frame, a margin
    const int excess = width() - room;
    if (excess <= 0)
        return;
    Text1->setMinimumWidth(std::max(20 * em, Text1->minimumWidth() - excess));
    adjustSize();
}

void GeneratorWindow::refresh() {
    const int n = hsbpick->value();
    Label1->setText(displayText(estimateText(m_kind.kind, n, m_perFile)));
    Command1->setEnabled(fullWheelOffered(m_kind.kind, n));
    Combo1->setVisible(perFileChoiceShown(m_kind.kind, n));
    Label4->setVisible(perFileChoiceShown(m_kind.kind, n));
    Lblpick->setText(QString::fromStdString(fieldTotalText(n, combinations(n, m_kind.kind))));
}

void GeneratorWindow::hsbpick_Change() {
    refresh();
}

void GeneratorWindow::Combo1_Click(int index) {
    if (index < 0 || index >= static_cast<int>(kPerFileChoices.size()))
        return;
    m_perFile = kPerFileChoices[static_cast<std::size_t>(index)];
    refresh();
}

// "Yes": every combination of n numbers as a full wheel, through the number picker.
void GeneratorWindow::Command1_Click() {
    m_session.carried.restartNumbersOfLastChoice();
    m_session.desktop.beep();

    QWidget *owner = parentWidget();
    close();
    m_session.navigator.playWheel(allCombinationsChoice(m_kind.kind, hsbpick->value()), owner);
}

void GeneratorWindow::Command2_Click() {
    close();
}

// "Save As": every combination of the field into text files.
void GeneratorWindow::Command3_Click() {
    m_session.carried.setNumbersOneToSixty();
    const QString chosen = m_session.desktop.askSaveFileName(this, kSaveFilter);
    if (chosen.isEmpty())
        return;

    ComboRequest request;
    request.kind = m_kind.kind;
    request.fieldSize = hsbpick->value();
    request.perFile = m_perFile;
    request.firstPath = QFile::encodeName(chosen).toStdString();

    if (m_kind.kind == 6)
        ProgressBar1->setMinimum(1);
    m_session.carried.comboRunStarted(request.kind);
    if (m_kind.kind == 6)
        m_session.desktop.setBusyPointer(this, true);
    const std::int64_t total = combinations(request.fieldSize, request.kind);
    // A run of no or one ticket still gets a range the bar can show.
    ProgressBar1->setMaximum(
        static_cast<int>(std::max<std::int64_t>(total, ProgressBar1->minimum() + 1)));
    ProgressBar1->setVisible(true);
    ProgressBar1->setValue(ProgressBar1->minimum());

    setControlsEnabled(false);
    ProgressBar1->setTextVisible(true);
    StatusBar1->showMessage(QString::fromStdString(saveAsHint(total, request.perFile)));
    const ComboOutcome outcome = writeFilesWhileBlocked(request);
    setControlsEnabled(true);

    if (m_kind.kind == 6)
        m_session.desktop.setBusyPointer(this, false);
    m_session.desktop.restoreArrowPointer();
    if (!outcome.ok) {
        // The window stays for another try; what was saved before the failure stays on disk.
        ProgressBar1->setValue(ProgressBar1->minimum());
        ProgressBar1->setTextVisible(false);
        StatusBar1->clearMessage();
        m_session.desktop.showMessage(this, displayText(comboFailureMessage(outcome)),
                                      kMessageTitle);
        return;
    }
    ProgressBar1->setValue(ProgressBar1->maximum());
    m_session.desktop.beep();
    QWidget *owner = parentWidget();
    close();
    m_session.desktop.showMessage(
        owner,
        QFile::decodeName(savedFilesMessage(request.firstPath, outcome.plan.fileCount).c_str()),
        kMessageTitle);
}

ComboOutcome GeneratorWindow::writeFilesWhileBlocked(const ComboRequest &request) {
    const InputBlocker blocker;
    m_writing = true;
    ComboOutcome outcome;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            outcome = writeComboFiles(request, [this](std::int64_t written) {
                QMetaObject::invokeMethod(
                    this, [this, written] { showProgress(written); }, Qt::QueuedConnection);
            });
        } catch (const std::exception &error) {
            outcome.failedPath = request.firstPath;
            outcome.reason = error.what();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    m_writing = false;
    return outcome;
}

// Greyed while a run writes, so the player sees why nothing answers.
void GeneratorWindow::setControlsEnabled(bool enabled) {
    hsbpick->setEnabled(enabled);
    Combo1->setEnabled(enabled);
    Command1->setEnabled(enabled && fullWheelOffered(m_kind.kind, hsbpick->value()));
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

void GeneratorWindow::showProgress(std::int64_t ticketsWritten) {
    if (!m_writing)
        return;
    const std::int64_t value =
        std::clamp<std::int64_t>(ticketsWritten, ProgressBar1->minimum(), ProgressBar1->maximum());
    ProgressBar1->setValue(static_cast<int>(value));
}

std::int64_t GeneratorWindow::currentTotal() const {
    return combinations(hsbpick->value(), m_kind.kind);
}

// The hints read this window's own scroll bar, not the other generator window's.
void GeneratorWindow::Form_MouseMove() {
    StatusBar1->showMessage(QString::fromStdString(backgroundHint(hsbpick->value())));
}

void GeneratorWindow::Command1_MouseMove() {
    StatusBar1->showMessage(QString::fromStdString(fullWheelHint(hsbpick->value())));
}

void GeneratorWindow::Command2_MouseMove() {
    StatusBar1->showMessage(QString::fromStdString(cancelHint()));
}

void GeneratorWindow::Command3_MouseMove() {
    const std::int64_t total = currentTotal();
    StatusBar1->showMessage(QString::fromStdString(saveAsHint(total, m_perFile)));
}

bool GeneratorWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseMove) {
        // Taken here: a button ignores a move without a press, which would carry it on to the
        // window and its own hint.
        if (watched == Command1) {
            Command1_MouseMove();
            return true;
        }
        if (watched == Command2) {
            Command2_MouseMove();
            return true;
        }
        if (watched == Command3) {
            Command3_MouseMove();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void GeneratorWindow::mouseMoveEvent(QMouseEvent *event) {
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void GeneratorWindow::closeEvent(QCloseEvent *event) {
    // A run cannot be left half done by closing its window.
    if (m_writing)
        event->ignore();
    else
        event->accept();
}

// Escape closes the window like "Cancel" (and so discards it).
void GeneratorWindow::reject() {
    if (!m_writing)
        close();
}

} // namespace marlek
