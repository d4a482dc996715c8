#include "number_picker.h"

#include "number_draw.h"
#include "picker_texts.h"
#include "window_units.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace marlek {
namespace {

QString qText(const std::string &text) {
    return QString::fromStdString(text);
}

// The grid of boxes: 6 columns of 10, column c holding 10c + 1 to 10c + 10 from the top.
constexpr std::array<int, 6> kColumnLeft = {1320, 2040, 2880, 3720, 4560, 5424};
constexpr int kFirstRowTop = 600;
constexpr int kRowStep = 300;

} // namespace

NumberPicker::NumberPicker(Session &session, WheelChoice choice, Play play, QWidget *parent)
    : QDialog(parent), m_session(session), m_choice(std::move(choice)), m_count(m_choice.pickCount),
      m_play(std::move(play)) {
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    createWidgets();
    layOutInTwips();
    connectSignals();
    Form_Load();
}

NumberPicker *NumberPicker::showModal(Session &session, QWidget *owner, WheelChoice choice,
                                      Play play) {
    auto *picker = new NumberPicker(session, std::move(choice), std::move(play), owner);
    picker->setWindowModality(Qt::ApplicationModal);
    picker->show();
    return picker;
}

void NumberPicker::createWidgets() {
    m_surface = new QLabel(this);
    m_surface->setObjectName(QStringLiteral("drawingSurface"));
    m_surface->setTextFormat(Qt::PlainText);
    m_surface->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Described, not named: a name would be read in place of the numbers drawn.
    m_surface->setAccessibleDescription(tr("Drawn numbers"));

    Command1 = new QPushButton(tr("Yes"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    command3 = new QPushButton(tr("Random"), this);
    command3->setObjectName(QStringLiteral("command3"));
    Command2 = new QPushButton(tr("Reset"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    cmdChoose = new QPushButton(tr("Choose"), this);
    cmdChoose->setObjectName(QStringLiteral("cmdChoose"));

    for (int i = 0; i < 60; ++i) {
        Check1[i] = new QCheckBox(QString::number(i + 1), this);
        Check1[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        Check1[i]->setEnabled(false);
    }

    Lblpick = new QLabel(QString::fromLatin1(kFieldLabelAtStart), this);
    Lblpick->setObjectName(QStringLiteral("Lblpick"));
    Label1 = new QLabel(tr("Lotto Numbers"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    hsbpick = new QScrollBar(Qt::Horizontal, this);
    hsbpick->setObjectName(QStringLiteral("hsbpick"));
    hsbpick->setRange(0, 60);
    hsbpick->setSingleStep(1);
    hsbpick->setPageStep(1);
    hsbpick->setValue(49);
    // A drag reports every thumb position as it moves and the change only where it ends.
    hsbpick->setTracking(false);
    hsbpick->setFocusPolicy(Qt::StrongFocus);
    // Right and Up raise the field size, as the right arrow does (scroll bars invert the keys).
    hsbpick->setInvertedControls(false);
    hsbpick->setAccessibleName(tr("Lotto Numbers"));
    Label1->setBuddy(hsbpick);

    setTabOrder(command3, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, cmdChoose);
    // While choosing, the enabled boxes come next, in the grid's order 1 to 60.
    setTabOrder(cmdChoose, Check1[0]);
    for (int i = 1; i < 60; ++i)
        setTabOrder(Check1[i - 1], Check1[i]);
    setTabOrder(Check1[59], hsbpick);
    // Enter draws first; "Yes" is one Tab away.
    command3->setFocus();
}

void NumberPicker::layOutInTwips() {
    const auto x = [this](int twips) { return twipsToPixelsX(this, twips); };
    const auto y = [this](int twips) { return twipsToPixelsY(this, twips); };

    setClientSizeTwips(this, 7665, 4275);
    setFixedSize(size());
    m_surface->setGeometry(x(60), 0, x(7545), y(kFirstRowTop));
    Command1->setGeometry(x(120), y(720), x(804), y(408));
    command3->setGeometry(x(120), y(1320), x(804), y(408));
    Command2->setGeometry(x(120), y(1920), x(804), y(408));
    cmdChoose->setGeometry(x(120), y(2520), x(804), y(408));
    for (int i = 0; i < 60; ++i)
        Check1[i]->setGeometry(x(kColumnLeft[i / 10]), y(kFirstRowTop + (i % 10) * kRowStep),
                               x(600), y(300));
    Lblpick->setGeometry(x(120), y(3720), x(804), y(240));
    Label1->setGeometry(x(960), y(3720), x(1500), y(240));
    // Wider than the buttons above it, so the thumb stays visible in today's styles.
    hsbpick->setGeometry(x(120), y(3960), x(2400), y(240));
}

void NumberPicker::connectSignals() {
    connect(hsbpick, &QScrollBar::sliderMoved, this, &NumberPicker::hsbpick_Scroll);
    connect(hsbpick, &QScrollBar::valueChanged, this, &NumberPicker::hsbpick_Change);
    connect(command3, &QPushButton::clicked, this, &NumberPicker::command3_Click);
    connect(Command2, &QPushButton::clicked, this, &NumberPicker::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &NumberPicker::Command1_Click);
    connect(cmdChoose, &QPushButton::clicked, this, &NumberPicker::cmdChoose_Click);
    // Space, a click and a screen reader's action all toggle a box.
    for (QCheckBox *box : Check1)
        connect(box, &QCheckBox::toggled, this, &NumberPicker::Check1_Toggled);
}

void NumberPicker::Form_Load() {
    for (QCheckBox *box : Check1)
        box->setChecked(false);
    clearSurface();
    placeWindow(this, 1.2);
    setWindowTitle(qText(pickerCaption(m_choice)));
    command3->setToolTip(qText(randomToolTip(m_count)));
    Command1->setToolTip(qText(yesToolTip(m_count)));
    cmdChoose->setToolTip(qText(chooseToolTip(m_count)));
}

void NumberPicker::hsbpick_Scroll(int value) {
    Lblpick->setText(QString::number(value));
}

void NumberPicker::hsbpick_Change(int value) {
    if (fieldLabelFollowsChange(value, m_count))
        Lblpick->setText(QString::number(value));
    if (m_choosing)
        fitBoxesToField();
}

void NumberPicker::command3_Click() {
    std::array<std::int16_t, kMostPlayerNumbers + 1> &picks = m_session.carried.picks;
    const int count = m_count;
    endChoosing();
    clearBoxes();
    clearSurface();
    m_session.desktop.beep();
    if (!canDraw(count)) {
        m_session.desktop.showMessage(this, qText(tooManyNumbersMessage(count)), kMessageTitle);
        return;
    }

    const int fieldSize = drawFieldSize(hsbpick->value(), count);
    const std::vector<std::int16_t> drawn =
        drawNumbers(count, fieldSize, [this] { return m_session.carried.random.next(); });
    std::copy(drawn.begin(), drawn.end(), picks.begin());

    const std::span<const std::int16_t> played(picks.data() + 1, count);
    writeOnSurface(qText(drawHeading(count) + keyNote(played)) + QLatin1Char('\n') +
                   qText(drawnNumbersLine(played)));
    for (std::int16_t number : played) {
        Check1[number - 1]->setEnabled(true);
        Check1[number - 1]->setChecked(true);
    }
}

void NumberPicker::Command2_Click() {
    endChoosing();
    clearBoxes();
    clearSurface();
}

void NumberPicker::Command1_Click() {
    std::array<std::int16_t, kMostPlayerNumbers + 1> &picks = m_session.carried.picks;
    if (m_choosing) {
        const std::vector<std::int16_t> chosen = checkedNumbers();
        if (static_cast<int>(chosen.size()) != m_count)
            return; // "Yes" is disabled then; a shortcut must not play either
        std::copy(chosen.begin(), chosen.end(), picks.begin() + 1);
    }
    // The numbers played are those the player's numbers hold now: the last draw or choice, or,
    // with none in this window, whatever they held before.
    ReportRequest request = reportRequestFor(m_choice, std::span(picks).subspan(1));
    close();
    if (m_play)
        m_play(std::move(request));
}

void NumberPicker::cmdChoose_Click() {
    const int count = m_count;
    endChoosing();
    clearBoxes();
    clearSurface();
    if (!canDraw(count)) {
        m_session.desktop.showMessage(this, qText(tooManyNumbersMessage(count)), kMessageTitle);
        return;
    }
    m_choosing = true;
    fitBoxesToField();
    Check1_Toggled();
    Check1[0]->setFocus();
}

void NumberPicker::Check1_Toggled() {
    if (!m_choosing)
        return; // after a draw the boxes only show it
    const int count = m_count;
    const std::vector<std::int16_t> chosen = checkedNumbers();
    const int checked = static_cast<int>(chosen.size());
    writeOnSurface(
        qText(chooseHeading(count, checked) + (checked == count ? keyNote(chosen) : "")) +
        QLatin1Char('\n') + qText(drawnNumbersLine(chosen)));
    Command1->setEnabled(checked == count);
    Command1->setToolTip(qText(chooseYesToolTip(count, checked)));
}

// While choosing, the boxes of the field's numbers are the ones to check, as the field size
// changes too: a number beyond the field is no number of the lotto and is unchecked.
void NumberPicker::fitBoxesToField() {
    const int fieldSize = drawFieldSize(hsbpick->value(), m_count);
    for (int i = 0; i < 60; ++i) {
        if (i >= fieldSize)
            Check1[i]->setChecked(false); // says so on the surface through Check1_Toggled
        Check1[i]->setEnabled(i < fieldSize);
    }
}

// The checked boxes' numbers, ascending.
std::vector<std::int16_t> NumberPicker::checkedNumbers() const {
    std::vector<std::int16_t> numbers;
    for (int i = 0; i < 60; ++i)
        if (Check1[i]->isChecked())
            numbers.push_back(static_cast<std::int16_t>(i + 1));
    return numbers;
}

// A key wheel's keys are the lowest of the numbers played: the heading names them before "Yes".
std::string NumberPicker::keyNote(std::span<const std::int16_t> played) const {
    return m_choice.designedWheel ? keyNumbersNote(played, m_choice.designedWheel->keys)
                                  : std::string();
}

void NumberPicker::endChoosing() {
    m_choosing = false;
    Command1->setEnabled(true);
    Command1->setToolTip(qText(yesToolTip(m_count)));
}

void NumberPicker::clearBoxes() {
    for (QCheckBox *box : Check1) {
        box->setChecked(false);
        box->setEnabled(false);
    }
}

void NumberPicker::clearSurface() {
    m_surface->clear();
}

void NumberPicker::writeOnSurface(const QString &text) {
    // A draw of two dozen numbers is wider than the surface at the window's font: the surface
    // writes smaller just as far as the whole line needs.
    QFont font = this->font();
    const int available = m_surface->contentsRect().width();
    auto widest = [&text](const QFont &candidate) {
        return QFontMetrics(candidate).boundingRect(QRect(), 0, text).width();
    };
    constexpr qreal kSmallest = 5; // points
    while (widest(font) > available && font.pointSizeF() > kSmallest)
        font.setPointSizeF(std::max(kSmallest, font.pointSizeF() * 0.95));
    m_surface->setFont(font);
    m_surface->setText(text);
}

} // namespace marlek
