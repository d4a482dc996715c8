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

QSpinBox *spinBox(QWidget *parent, const char *name, int low, int high, int value) {
    auto *box = new QSpinBox(parent);
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
    addRow(tr("&Matches on one ticket (t):"), spnMatches);
    addRow(tr("&When this many are drawn (m):"), spnDrawn);
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
    cmdClose = new QPushButton(tr("Cl&ose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    barElapsed = new QProgressBar(this);
    barElapsed->setObjectName(QStringLiteral("barElapsed"));
    barElapsed->setAccessibleName(tr("Time searched"));
    barElapsed->setTextVisible(false);
    barElapsed->setRange(0, 1);
    barElapsed->setValue(0);
    lblTable = statusLabel(this, "lblTable", tr("Program's table"));
    lblProgress = statusLabel(this, "lblProgress", tr("Progress"));
    lblResult = statusLabel(this, "lblResult", tr("Result"));
    lblResult->setText(tr("Choose the guarantee and press Design."));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {cmdDesign, cmdCancel, cmdSave, cmdPlay})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblTable);
    layout->addLayout(buttons);
    layout->addWidget(barElapsed);
    layout->addWidget(lblProgress);
    layout->addWidget(lblResult);
    layout->addStretch();
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);

    setTabOrder(cboKind, spnNumbers);
    setTabOrder(spnNumbers, spnMatches);
    setTabOrder(spnMatches, spnDrawn);
    setTabOrder(spnDrawn, spnKeys);
    setTabOrder(spnKeys, spnSeconds);
    setTabOrder(spnSeconds, spnBudget);
    setTabOrder(spnBudget, lblTable);
    setTabOrder(lblTable, cmdDesign);
    setTabOrder(cmdDesign, cmdCancel);
    setTabOrder(cmdCancel, cmdSave);
    setTabOrder(cmdSave, cmdPlay);
    setTabOrder(cmdPlay, cmdClose);
    setTabOrder(cmdClose, lblProgress);
    setTabOrder(lblProgress, lblResult);
}

void DesignerWindow::connectSignals() {
    connect(cboKind, &QComboBox::currentIndexChanged, this, &DesignerWindow::kind_Change);
    connect(spnNumbers, &QSpinBox::valueChanged, this, &DesignerWindow::numbers_Change);
    connect(spnMatches, &QSpinBox::valueChanged, this, &DesignerWindow::matches_Change);
    // What the program's own table holds follows every field of the guarantee.
    for (QSpinBox *field : {spnNumbers, spnMatches, spnDrawn, spnKeys})
        connect(field, &QSpinBox::valueChanged, this, &DesignerWindow::showOwnTable);
    connect(cboKind, &QComboBox::currentIndexChanged, this, &DesignerWindow::showOwnTable);
    connect(cmdDesign, &QPushButton::clicked, this, &DesignerWindow::cmdDesign_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &DesignerWindow::cmdCancel_Click);
    connect(cmdSave, &QPushButton::clicked, this, &DesignerWindow::cmdSave_Click);
    connect(cmdPlay, &QPushButton::clicked, this, &DesignerWindow::cmdPlay_Click);
    connect(cmdClose, &QPushButton::clicked, this, &DesignerWindow::close);
}

// The fields keep a shape the designer accepts: k ≤ N, t ≤ k, t ≤ m ≤ N and fewer keys than t.
void DesignerWindow::kind_Change() {
    const int kind = cboKind->currentData().toInt();
    spnNumbers->setMinimum(kind);
    spnMatches->setMaximum(kind);
}

void DesignerWindow::numbers_Change(int numbers) {
    spnDrawn->setMaximum(numbers);
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

void DesignerWindow::cmdDesign_Click() {
    if (isDesigning())
        return;
    const DesignRequest wanted = request();
    if (const std::string problem = designProblem(wanted); !problem.empty()) {
        m_session.desktop.showMessage(this, qText(problem), kMessageTitle);
        return;
    }
    m_wheel.reset();
    m_cancel = false;
    barElapsed->setRange(0, static_cast<int>(wanted.timeBudget.count()));
    barElapsed->setValue(0);
    lblResult->clear();

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
    barElapsed->setValue(barElapsed->maximum());
    lblProgress->clear();
    if (!failure.isEmpty()) {
        lblResult->setText(
            tr("The design failed (%1). Try fewer numbers or fewer drawn.").arg(failure));
    } else {
        m_wheel = result.wheel;
        m_wheelKeepsGuarantee = result.keepsGuarantee();
        lblResult->setText(qText(designResultText(result)));
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
    cmdSave->setEnabled(!designing && m_wheel.has_value());
    // A report states the guarantee as kept, so only a wheel that keeps it is played.
    cmdPlay->setEnabled(!designing && m_wheel.has_value() && m_wheelKeepsGuarantee);
    cmdPlay->setToolTip(m_wheel && !m_wheelKeepsGuarantee
                            ? tr("This wheel does not keep the guarantee for every draw, so it "
                                 "has no report: save it, or design without a ticket budget")
                            : tr("Draw the numbers to play this wheel with and open its report"));
    // The keyboard goes where the next step is: Cancel while it runs, then Play or Design again.
    if (designing)
        cmdCancel->setFocus();
    else if (cancelHadFocus)
        (cmdPlay->isEnabled() ? cmdPlay : cmdDesign)->setFocus();
}

void DesignerWindow::cmdSave_Click() {
    if (!m_wheel)
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
    if (!m_wheel || !m_wheelKeepsGuarantee)
        return;
    m_session.navigator.playWheel(designedWheelChoice(*m_wheel), this);
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
