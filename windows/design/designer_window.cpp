#include "designer_window.h"

#include "design_texts.h"
#include "document_file.h"
#include "document_text.h"
#include "report_request.h"
#include "wheel_file.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace marlek {
namespace {

QString qText(const std::string &text) {
    return QString::fromStdString(text);
}

// A result or progress text: read out whole by a screen reader, which a name set by hand would
// replace, and selectable for copying.
QLabel *statusLabel(QWidget *parent, const char *name, const QString &role) {
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);
    label->setAccessibleDescription(role);
    return label;
}

} // namespace

// A number field that says where it is typed when a value lies outside its range, instead of
// dropping the keystroke without a word: the text is kept as typed until the field is left, when
// the field goes back to its last value in range.
class FieldSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    // Called with the typed value outside the range, or with nothing once the text is in range.
    std::function<void(std::optional<int>)> typedOutOfRange;

protected:
    QValidator::State validate(QString &text, int &position) const override {
        const QValidator::State state = QSpinBox::validate(text, position);
        bool whole = false;
        const int typed = locale().toInt(cleanText(text), &whole);
        if (whole && (typed < minimum() || typed > maximum())) {
            report(typed);
            return QValidator::Intermediate;
        }
        if (state == QValidator::Acceptable)
            report(std::nullopt);
        return state;
    }

private:
    QString cleanText(QString text) const {
        if (!suffix().isEmpty() && text.endsWith(suffix()))
            text.chop(suffix().size());
        return text.trimmed();
    }
    // validate() runs inside the edit's own handling: the window hears of it afterwards.
    void report(std::optional<int> typed) const {
        if (!typedOutOfRange)
            return;
        QMetaObject::invokeMethod(
            const_cast<FieldSpinBox *>(this), [this, typed] { typedOutOfRange(typed); },
            Qt::QueuedConnection);
    }
};

namespace {

FieldSpinBox *spinBox(QWidget *parent, const char *name, int low, int high, int value) {
    auto *box = new FieldSpinBox(parent);
    // The value follows the text when the field is left, so a value out of range typed on the way
    // never counts.
    box->setKeyboardTracking(false);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

} // namespace

DesignerWindow::DesignerWindow(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session) {
    setObjectName(QStringLiteral("frmDesign"));
    setWindowTitle(tr("Design a Wheel"));
    createWidgets();
    connectSignals();
    kind_Change(); // the ranges of the fields the kind chosen at the start allows
    showOwnTable();
    updateButtons();
}

DesignerWindow::~DesignerWindow() {
    stopWorker();
}

void DesignerWindow::createWidgets() {
    cboKind = new QComboBox(this);
    cboKind->setObjectName(QStringLiteral("cboKind"));
    cboKind->addItem(tr("Pick 5"), 5);
    cboKind->addItem(tr("Pick 6"), 6);
    cboKind->setCurrentIndex(1);
    spnNumbers = spinBox(this, "spnNumbers", 6, kMaxWheelNumbers, 20);
    spnMatches = spinBox(this, "spnMatches", 1, 6, 3);
    spnDrawn = spinBox(this, "spnDrawn", 3, 20, 6);
    spnKeys = spinBox(this, "spnKeys", 0, 2, 0);
    spnKeys->setToolTip(tr("Numbers put in every ticket, the lowest of the numbers you play: the "
                           "guarantee then holds only when all of them are drawn, for far fewer "
                           "tickets"));
    spnSeconds = spinBox(this, "spnSeconds", 1, 3600, 10);
    spnSeconds->setSuffix(tr(" s"));
    spnBudget = spinBox(this, "spnBudget", 0, kMaxDesignTickets, 0);
    spnBudget->setSpecialValueText(tr("none"));
    spnBudget->setToolTip(
        tr("The most tickets you will buy: below what the guarantee needs, the wheel covers as "
           "many draws as it can"));

    auto *form = new QFormLayout;
    auto addRow = [this, form](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow(tr("&Lotto:"), cboKind);
    addRow(tr("&Numbers you play (N):"), spnNumbers);
    addRow(tr("Win at least this many numbers on one &ticket:"), spnMatches);
    addRow(tr("&When this many of your numbers are drawn:"), spnDrawn);
    addRow(tr("&Key numbers:"), spnKeys);
    addRow(tr("&Time to search:"), spnSeconds);
    addRow(tr("Ticket &budget:"), spnBudget);

    cmdDesign = new QPushButton(tr("&Design"), this);
    cmdDesign->setObjectName(QStringLiteral("cmdDesign"));
    cmdDesign->setDefault(true);
    cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setToolTip(tr("Stop the search and keep the best wheel found so far"));
    cmdSave = new QPushButton(tr("&Save Wheel..."), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdPlay = new QPushButton(tr("&Play..."), this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdDetails = new QPushButton(tr("D&etails"), this);
    cmdDetails->setObjectName(QStringLiteral("cmdDetails"));
    cmdDetails->setCheckable(true);
    cmdDetails->setToolTip(tr("Show how the wheel stands against the catalogue, the best known "
                              "wheels and the lower bound, and what the program's table holds"));
    cmdDetails->setAccessibleDescription(cmdDetails->toolTip());
    cmdClose = new QPushButton(tr("Cl&ose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    barElapsed = new QProgressBar(this);
    barElapsed->setObjectName(QStringLiteral("barElapsed"));
    barElapsed->setAccessibleName(tr("Time searched"));
    barElapsed->setTextVisible(false);
    barElapsed->setRange(0, 1);
    barElapsed->setValue(0);
    lblTable = statusLabel(this, "lblTable", tr("Program's table"));
    lblDetails = statusLabel(this, "lblDetails", tr("Details"));
    lblDetails->hide(); // until a design has a result
    lblProgress = statusLabel(this, "lblProgress", tr("Progress"));
    lblResult = statusLabel(this, "lblResult", tr("Result"));
    lblResult->setText(tr("Choose the guarantee and press Design."));
    lblFieldProblem = statusLabel(this, "lblFieldProblem", tr("Field"));
    lblFieldProblem->hide();
    lblStale = statusLabel(this, "lblStale", tr("Result"));
    lblStale->hide();

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {cmdDesign, cmdCancel, cmdSave, cmdPlay, cmdDetails})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    // The result may run long: it scrolls in its own area, and the fields keep their height.
    auto *results = new QWidget;
    auto *resultsLayout = new QVBoxLayout(results);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    resultsLayout->addWidget(lblStale);
    resultsLayout->addWidget(lblProgress);
    resultsLayout->addWidget(lblResult);
    details = new QWidget(results);
    details->setObjectName(QStringLiteral("details"));
    auto *detailsLayout = new QVBoxLayout(details);
    // Half a line apart from the result above.
    detailsLayout->setContentsMargins(0, fontMetrics().lineSpacing() / 2, 0, 0);
    detailsLayout->addWidget(lblDetails);
    detailsLayout->addWidget(lblTable);
    details->hide();
    resultsLayout->addWidget(details);
    resultsLayout->addStretch();
    auto *resultArea = new QScrollArea(this);
    resultArea->setObjectName(QStringLiteral("resultArea"));
    resultArea->setWidget(results);
    resultArea->setWidgetResizable(true);
    resultArea->setFrameShape(QFrame::NoFrame);
    resultArea->setFocusPolicy(Qt::NoFocus);
    resultArea->setMinimumHeight(fontMetrics().lineSpacing() * 6);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblFieldProblem);
    layout->addLayout(buttons);
    layout->addWidget(barElapsed);
    layout->addWidget(resultArea, 1);
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);

    setTabOrder(cboKind, spnNumbers);
    setTabOrder(spnNumbers, spnMatches);
    setTabOrder(spnMatches, spnDrawn);
    setTabOrder(spnDrawn, spnKeys);
    setTabOrder(spnKeys, spnSeconds);
    setTabOrder(spnSeconds, spnBudget);
    setTabOrder(spnBudget, cmdDesign);
    setTabOrder(cmdDesign, cmdCancel);
    setTabOrder(cmdCancel, cmdSave);
    setTabOrder(cmdSave, cmdPlay);
    setTabOrder(cmdPlay, cmdDetails);
    setTabOrder(cmdDetails, cmdClose);
    setTabOrder(cmdClose, lblProgress);
    setTabOrder(lblProgress, lblResult);
    setTabOrder(lblResult, lblDetails);
    setTabOrder(lblDetails, lblTable);
}

void DesignerWindow::connectSignals() {
    connect(cboKind, &QComboBox::currentIndexChanged, this, &DesignerWindow::kind_Change);
    connect(spnNumbers, &QSpinBox::valueChanged, this, &DesignerWindow::numbers_Change);
    connect(spnMatches, &QSpinBox::valueChanged, this, &DesignerWindow::matches_Change);
    // What the program's own table holds follows every field of the guarantee.
    for (QSpinBox *field : {spnNumbers, spnMatches, spnDrawn, spnKeys})
        connect(field, &QSpinBox::valueChanged, this, &DesignerWindow::showOwnTable);
    connect(cboKind, &QComboBox::currentIndexChanged, this, &DesignerWindow::showOwnTable);
    // A wheel belongs to the fields it was designed for: a change marks it as not matching.
    for (QSpinBox *field : {spnNumbers, spnMatches, spnDrawn, spnKeys, spnBudget})
        connect(field, &QSpinBox::valueChanged, this, &DesignerWindow::updateButtons);
    connect(cboKind, &QComboBox::currentIndexChanged, this, &DesignerWindow::updateButtons);
    for (QSpinBox *field : {spnNumbers, spnMatches, spnDrawn, spnKeys, spnSeconds, spnBudget})
        static_cast<FieldSpinBox *>(field)->typedOutOfRange =
            [this, field](std::optional<int> typed) { showFieldProblem(field, typed); };
    connect(cmdDesign, &QPushButton::clicked, this, &DesignerWindow::cmdDesign_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &DesignerWindow::cmdCancel_Click);
    connect(cmdSave, &QPushButton::clicked, this, &DesignerWindow::cmdSave_Click);
    connect(cmdPlay, &QPushButton::clicked, this, &DesignerWindow::cmdPlay_Click);
    connect(cmdDetails, &QPushButton::toggled, this, &DesignerWindow::cmdDetails_Toggle);
    connect(cmdClose, &QPushButton::clicked, this, &DesignerWindow::close);
}

// The fields keep a shape the designer accepts: k ≤ N, t ≤ k, t ≤ m ≤ min(N, k) and fewer keys
// than t.
void DesignerWindow::kind_Change() {
    const int kind = cboKind->currentData().toInt();
    spnNumbers->setMinimum(kind);
    spnMatches->setMaximum(kind);
    spnDrawn->setMaximum(std::min(spnNumbers->value(), kind));
}

void DesignerWindow::numbers_Change(int numbers) {
    spnDrawn->setMaximum(std::min(numbers, cboKind->currentData().toInt()));
}

void DesignerWindow::showFieldProblem(QSpinBox *field, std::optional<int> typed) {
    if (!typed) {
        if (lblFieldProblem->property("field").value<QObject *>() == field)
            lblFieldProblem->hide();
        return;
    }
    const int kind = cboKind->currentData().toInt();
    const bool aboveTicket = field == spnDrawn && *typed > kind && *typed <= spnNumbers->value();
    lblFieldProblem->setText(qText(
        aboveTicket ? drawnAboveTicketText(*typed, kind, field->value())
                    : outOfRangeText(*typed, field->minimum(), field->maximum(), field->value())));
    lblFieldProblem->setProperty("field", QVariant::fromValue<QObject *>(field));
    lblFieldProblem->show();
}

bool DesignerWindow::resultMatchesFields() const {
    const DesignRequest now = shapeRequest();
    return m_wheel && now.kind == m_designedFor.kind && now.numbers == m_designedFor.numbers &&
           now.guarantee == m_designedFor.guarantee && now.keys == m_designedFor.keys &&
           spnBudget->value() == m_designedFor.ticketBudget;
}

void DesignerWindow::matches_Change(int matches) {
    spnDrawn->setMinimum(matches);
    spnKeys->setMaximum(matches - 1);
}

void DesignerWindow::showOwnTable() {
    lblTable->setText(qText(ownTableText(shapeRequest())));
}

DesignRequest DesignerWindow::shapeRequest() const {
    DesignRequest request;
    request.kind = cboKind->currentData().toInt();
    request.numbers = spnNumbers->value();
    request.guarantee = {spnMatches->value(), spnDrawn->value()};
    request.keys = spnKeys->value();
    return request;
}

DesignRequest DesignerWindow::request() const {
    DesignRequest request = shapeRequest();
    request.timeBudget = std::chrono::seconds(spnSeconds->value());
    request.ticketBudget = spnBudget->value();
    request.seed = m_seed;
    request.threads = m_threads > 0 ? m_threads : std::max(1, QThread::idealThreadCount());
    aimAtKnownWheels(request);
    return request;
}

void DesignerWindow::commitTypedValues() {
    for (QSpinBox *field : {spnNumbers, spnMatches, spnDrawn, spnKeys, spnSeconds, spnBudget})
        field->interpretText();
}

void DesignerWindow::cmdDesign_Click() {
    if (isDesigning())
        return;
    commitTypedValues();
    const DesignRequest wanted = request();
    if (const std::string problem = designProblem(wanted); !problem.empty()) {
        m_session.desktop.showMessage(this, qText(problem), kMessageTitle);
        return;
    }
    m_wheel.reset();
    m_designedFor = wanted;
    m_cancel = false;
    barElapsed->setRange(0, static_cast<int>(wanted.timeBudget.count()));
    barElapsed->setValue(0);
    lblResult->clear();
    lblDetails->clear();
    lblDetails->hide();

    // The worker never touches a widget: progress and the result are queued to this window's
    // thread. The window joins the worker before it goes, and Qt drops what is still queued.
    m_worker = std::thread([this, wanted] {
        DesignResult result;
        QString failure;
        try {
            result = designWheel(wanted, &m_cancel, [this](const DesignProgress &progress) {
                QMetaObject::invokeMethod(
                    this, [this, progress] { showProgress(progress); }, Qt::QueuedConnection);
            });
        } catch (const std::exception &error) {
            failure = QString::fromLocal8Bit(error.what());
        }
        QMetaObject::invokeMethod(
            this, [this, result, failure] { designFinished(result, failure); },
            Qt::QueuedConnection);
    });
    showProgress({});
    updateButtons();
}

void DesignerWindow::cmdCancel_Click() {
    // The search answers within milliseconds; its last wheel arrives as the result.
    m_cancel = true;
    lblProgress->setText(tr("Stopping..."));
}

void DesignerWindow::showProgress(const DesignProgress &progress) {
    if (!isDesigning() || m_cancel)
        return;
    barElapsed->setValue(
        std::min(barElapsed->maximum(), static_cast<int>(progress.elapsed.count())));
    lblProgress->setText(qText(designProgressText(progress)));
}

void DesignerWindow::designFinished(const DesignResult &result, const QString &failure) {
    stopWorker();
    // Full only when the search ran its time or found what it aimed at; stopped early, the bar
    // stays where the time stood.
    barElapsed->setValue(
        result.cancelled
            ? std::min(
                  barElapsed->maximum(),
                  static_cast<int>(
                      std::chrono::duration_cast<std::chrono::seconds>(result.elapsed).count()))
            : barElapsed->maximum());
    lblProgress->clear();
    if (!failure.isEmpty()) {
        lblResult->setText(
            tr("The design failed (%1). Try fewer numbers or fewer drawn.").arg(failure));
    } else {
        m_wheel = result.wheel;
        m_wheelKeepsGuarantee = result.keepsGuarantee();
        m_coveredDraws = result.coveredDraws;
        m_allDraws = result.allDraws;
        lblResult->setText(qText(designResultText(result)));
        lblDetails->setText(qText(designDetailsText(result)));
        lblDetails->setVisible(!lblDetails->text().isEmpty());
    }
    updateButtons();
}

void DesignerWindow::stopWorker() {
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
}

void DesignerWindow::updateButtons() {
    const bool designing = isDesigning();
    const bool cancelHadFocus = cmdCancel->hasFocus();
    for (QWidget *field : std::initializer_list<QWidget *>{
             cboKind, spnNumbers, spnMatches, spnDrawn, spnKeys, spnSeconds, spnBudget, cmdDesign})
        field->setEnabled(!designing);
    cmdCancel->setEnabled(designing);
    const bool matching = !designing && resultMatchesFields();
    lblStale->setVisible(!designing && m_wheel && !matching);
    if (m_wheel && !matching)
        lblStale->setText(qText(staleDesignText(*m_wheel)));
    cmdSave->setEnabled(matching);
    // A report states the guarantee as kept, so only a wheel that keeps it is played.
    cmdPlay->setEnabled(matching);
    const QString stale = tr("The fields changed since this wheel was designed: press Design");
    cmdSave->setToolTip(m_wheel && !matching ? stale : tr("Save the wheel shown as a wheel file"));
    cmdPlay->setToolTip(m_wheel && !matching ? stale
                        : m_wheel && !m_wheelKeepsGuarantee
                            ? tr("Draw the numbers to play this wheel with and open its report, "
                                 "which says the share of draws it keeps the guarantee for")
                            : tr("Draw the numbers to play this wheel with and open its report"));
    // The keyboard goes where the next step is: Cancel while it runs, then Play or Design again.
    if (designing)
        cmdCancel->setFocus();
    else if (cancelHadFocus)
        (cmdPlay->isEnabled() ? cmdPlay : cmdDesign)->setFocus();
}

void DesignerWindow::cmdSave_Click() {
    commitTypedValues();
    if (!m_wheel || !resultMatchesFields())
        return;
    const QString path = m_session.desktop.askSaveFileName(this, kSaveFilter);
    if (path.isEmpty())
        return;
    std::vector<std::string> lines;
    writeWheelFile(*m_wheel, [&lines](std::string_view line) { lines.emplace_back(line); });
    QString reason;
    if (!saveLinesToFile(path, lines, &reason))
        m_session.desktop.showMessage(
            this,
            qText(saveFailedMessage(QDir::toNativeSeparators(path).toStdString(),
                                    reason.toStdString())),
            kMessageTitle);
}

void DesignerWindow::cmdPlay_Click() {
    commitTypedValues();
    if (!m_wheel || !resultMatchesFields())
        return;
    // A wheel short of its guarantee carries its coverage: its report never claims the guarantee.
    m_session.navigator.playWheel(designedWheelChoice(*m_wheel, m_coveredDraws, m_allDraws), this);
}

void DesignerWindow::cmdDetails_Toggle(bool shown) {
    details->setVisible(shown);
    if (!shown)
        return;
    // The window grows by the details' height as far as the screen has room; beyond that they
    // scroll in the result's area, brought into view once it has laid them out.
    auto *area = findChild<QScrollArea *>(QStringLiteral("resultArea"));
    const int width = area->viewport()->width();
    const int detailsHeight = details->hasHeightForWidth() ? details->heightForWidth(width)
                                                           : details->sizeHint().height();
    if (const QScreen *shownOn = screen()) {
        const int frame = frameGeometry().height() - height();
        resize(this->width(),
               std::min(height() + detailsHeight, shownOn->availableGeometry().height() - frame));
    }
    QMetaObject::invokeMethod(
        this, [area, this] { area->ensureWidgetVisible(details, 0, 0); }, Qt::QueuedConnection);
}

void DesignerWindow::reject() {
    if (isDesigning())
        cmdCancel_Click();
    else
        QDialog::reject();
}

void DesignerWindow::closeEvent(QCloseEvent *event) {
    stopWorker();
    QDialog::closeEvent(event);
}

} // namespace marlek
