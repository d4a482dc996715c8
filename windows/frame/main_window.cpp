#include "main_window.h"

#include "about_window.h"
#include "catalogue_window.h"
#include "designer_window.h"
#include "document_file.h"
#include "document_window.h"
#include "draw_check.h"
#include "draw_import.h"
#include "game_library.h"
#include "games_window.h"
#include "generator_window.h"
#include "history_check.h"
#include "history_range_dialog.h"
#include "import_draws_window.h"
#include "keep_draw_dialog.h"
#include "number_picker.h"
#include "odds_window.h"
#include "open_texts.h"
#include "past_draws_window.h"
#include "readme_window.h"
#include "report_tickets.h"
#include "report_wheel_reader.h"
#include "saved_report.h"
#include "wheel_report.h"
#include "wheel_verify.h"
#include "window_units.h"
#include "wins_texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>
#include <thread>

namespace marlek {
namespace {

QAction *namedAction(QObject *parent, const char *name, const QString &caption) {
    auto *action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A document's lines: the reports' ASCII, or What It Wins with a game's name in any UTF-8.
QString documentText(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the system says of an errno, for a message.
std::string systemReason(int error) {
    return std::generic_category().message(error);
}

} // namespace

MainWindow::MainWindow(Desktop &desktop, QWidget *parent)
    : QMainWindow(parent), m_desktop(desktop), m_session{m_carried, desktop, *this} {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Marlek's Lotto Software"));
    createWidgets();
    createActions();
    createMenus();
    createStatusBar();
    connectSignals();
    MDIForm_Load();
}

MainWindow::~MainWindow() {
    // The documents close as the area goes; their activations must not reach a half-gone window.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    // Windows without an owner work with this window's session: they cannot outlive the object.
    for (QPointer<GeneratorWindow> &generator : m_generators)
        delete generator.data();
    delete m_odds5.data();
    delete m_odds6.data();
    // Stops a design that still runs while the session it plays through is there.
    delete m_designer.data();
}

void MainWindow::createWidgets() {
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    // The desktop's application-workspace colour behind the documents.
    m_mdiArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_mdiArea);
}

void MainWindow::createActions() {
    mnuFileSaveAs = namedAction(this, "mnuFileSaveAs", QStringLiteral("Save &As..."));
    // The "-" caption of a separator line: the line alone, without a text beside it.
    mnuFileBar2 = namedAction(this, "mnuFileBar2", QString());
    mnuFileBar2->setSeparator(true);
    mnuFilePageSetup = namedAction(this, "mnuFilePageSetup", QStringLiteral("Print Set&up..."));
    mnuFilePrint = namedAction(this, "mnuFilePrint", QStringLiteral("&Print..."));
    mnuFilePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFileExit = namedAction(this, "mnuFileExit", QStringLiteral("E&xit"));
    mnuFileBar3 = namedAction(this, "mnuFileBar3", QString());
    mnuFileBar3->setSeparator(true);
    mnuFileOpen = namedAction(this, "mnuFileOpen", QStringLiteral("&Open..."));
    mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuEditCopy = namedAction(this, "mnuEditCopy", QStringLiteral("&CopyAll"));
    mnuEditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuEditCheckDraw = namedAction(this, "mnuEditCheckDraw", QStringLiteral("Check a &Draw..."));
    mnuEditCheckDraw->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuEditKeepDraw =
        namedAction(this, "mnuEditKeepDraw", QStringLiteral("&Keep the Draw in the History..."));
    mnu6wheel = namedAction(this, "mnu6wheel", QStringLiteral("&Pick 6 Lotto"));
    mnu5wheel = namedAction(this, "mnu5wheel", QStringLiteral("&Pick 5 Lotto"));
    mnureadme = namedAction(this, "mnureadme", QStringLiteral("&Read Me"));
    mnufunwheel6 = namedAction(this, "mnufunwheel6", QStringLiteral("&Pick 6 Lottos"));
    mnufunwheel5 = namedAction(this, "mnufunwheel5", QStringLiteral("&Pick 5 Lottos"));
    mnu6table = namedAction(this, "mnu6table", QStringLiteral("Pick 6 Tables"));
    mnu5table = namedAction(this, "mnu5table", QStringLiteral("Pick 5 Tables"));
    mnuHelpAbout = namedAction(this, "mnuHelpAbout", QStringLiteral("&Marlek's Lotto Software"));
    mnuDesign = namedAction(this, "mnuDesign", QStringLiteral("&Design"));
    mnuGamesWins = namedAction(this, "mnuGamesWins", QStringLiteral("&What It Wins..."));
    mnuGamesWins->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    mnuGamesGames = namedAction(this, "mnuGamesGames", QStringLiteral("&Games..."));
    mnuGamesGames->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuHistoryImport = namedAction(this, "mnuHistoryImport", QStringLiteral("&Import Draws..."));
    mnuHistoryImport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuHistoryDraws = namedAction(this, "mnuHistoryDraws", QStringLiteral("&Past Draws..."));
    mnuHistoryDraws->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    mnuHistoryCheck =
        namedAction(this, "mnuHistoryCheck", QStringLiteral("&Check Against Past Draws..."));
    mnuHistoryCheck->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
}

void MainWindow::createMenus() {
    auto addMenu = [this](const char *name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
        return menu;
    };
    menuBar()->setObjectName(QStringLiteral("menuBar"));

    mnuFile = addMenu("mnuFile", QStringLiteral("&File"));
    mnuFile->addActions({mnuFileSaveAs, mnuFileBar2, mnuFilePageSetup, mnuFilePrint, mnuFileExit});
    // Opening files came later than the menu's own items: it follows them, behind a line.
    mnuFile->addActions({mnuFileBar3, mnuFileOpen});

    mnuEdit = addMenu("mnuEdit", QStringLiteral("&Edit"));
    mnuEdit->addActions({mnuEditCopy, mnuEditCheckDraw, mnuEditKeepDraw});

    // The two catalogues are commands on the menu bar itself.
    menuBar()->addAction(mnu6wheel);
    menuBar()->addAction(mnu5wheel);

    mnufun = addMenu("mnufun", QStringLiteral("&Just for Fun"));
    mnufun->addActions({mnureadme, mnufunwheel6, mnufunwheel5});

    mnuodds = addMenu("mnuodds", QStringLiteral("&Odds"));
    mnuodds->addActions({mnu6table, mnu5table});

    mnuHelp = addMenu("mnuHelp", QStringLiteral("&About"));
    mnuHelp->addAction(mnuHelpAbout);

    // The wheel designer comes after every menu above, a command on the bar like the catalogues.
    menuBar()->addAction(mnuDesign);

    // The games and what a wheel wins in them, after everything above.
    mnuGames = addMenu("mnuGames", QStringLiteral("&Games"));
    mnuGames->addActions({mnuGamesWins, mnuGamesGames});

    // The draw history comes last.
    mnuHistory = addMenu("mnuHistory", QStringLiteral("&History"));
    mnuHistory->addActions({mnuHistoryImport, mnuHistoryDraws, mnuHistoryCheck});
}

void MainWindow::createStatusBar() {
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    // A screen reader reads each panel's text; what the panel is goes in its description, since
    // a name would be read in place of the text.
    auto addPanel = [bar](const char *name, const QString &role, int stretch) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setAccessibleDescription(role);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        if (stretch > 0)
            bar->addWidget(panel, stretch);
        else
            bar->addPermanentWidget(panel);
        return panel;
    };
    m_statusText = addPanel("sbStatusBarText", QStringLiteral("Status"), 1);
    m_statusText->setText(QStringLiteral("Status"));
    m_statusDate = addPanel("sbStatusBarDate", QStringLiteral("Date"), 0);
    m_statusTime = addPanel("sbStatusBarTime", QStringLiteral("Time"), 0);

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    updateClock();
}

void MainWindow::connectSignals() {
    connect(mnuFileSaveAs, &QAction::triggered, this, &MainWindow::mnuFileSaveAs_Click);
    connect(mnuFilePageSetup, &QAction::triggered, this, &MainWindow::mnuFilePageSetup_Click);
    connect(mnuFilePrint, &QAction::triggered, this, &MainWindow::mnuFilePrint_Click);
    connect(mnuFileExit, &QAction::triggered, this, &MainWindow::mnuFileExit_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &MainWindow::mnuFileOpen_Click);
    connect(mnuEditCopy, &QAction::triggered, this, &MainWindow::mnuEditCopy_Click);
    connect(mnuEditCheckDraw, &QAction::triggered, this, &MainWindow::mnuEditCheckDraw_Click);
    connect(mnuEditKeepDraw, &QAction::triggered, this, &MainWindow::mnuEditKeepDraw_Click);
    connect(mnu6wheel, &QAction::triggered, this, &MainWindow::mnu6wheel_Click);
    connect(mnu5wheel, &QAction::triggered, this, &MainWindow::mnu5wheel_Click);
    connect(mnureadme, &QAction::triggered, this, &MainWindow::mnureadme_Click);
    connect(mnufunwheel6, &QAction::triggered, this, &MainWindow::mnufunwheel6_Click);
    connect(mnufunwheel5, &QAction::triggered, this, &MainWindow::mnufunwheel5_Click);
    connect(mnu6table, &QAction::triggered, this, &MainWindow::mnu6table_Click);
    connect(mnu5table, &QAction::triggered, this, &MainWindow::mnu5table_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &MainWindow::mnuHelpAbout_Click);
    connect(mnuDesign, &QAction::triggered, this, &MainWindow::mnuDesign_Click);
    connect(mnuGamesWins, &QAction::triggered, this, &MainWindow::mnuGamesWins_Click);
    connect(mnuGamesGames, &QAction::triggered, this, &MainWindow::mnuGamesGames_Click);
    connect(mnuHistoryImport, &QAction::triggered, this, &MainWindow::mnuHistoryImport_Click);
    connect(mnuHistoryDraws, &QAction::triggered, this, &MainWindow::mnuHistoryDraws_Click);
    connect(mnuHistoryCheck, &QAction::triggered, this, &MainWindow::mnuHistoryCheck_Click);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::documentActivated);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClock);
}

void MainWindow::MDIForm_Load() {
    setOuterSizeTwips(this, 8500, 7000);
    widenForMenuBar();
    placeWindow(this, 0.9);
    m_statusText->setText(QStringLiteral("Pick Your Pick 6 or Pick 5 Lotto"));
    m_clock->start();
}

void MainWindow::MDIForm_Unload() {}

// Every menu stays on the bar, none behind its overflow button: a font wider than the one the
// window's size was set for may need more room than the size in twips gives, as far as the
// screen has it.
void MainWindow::widenForMenuBar() {
    const int needed = menuBar()->sizeHint().width();
    if (width() >= needed)
        return;
    const int frame = frameGeometry().width() - width();
    const int room = screen() ? screen()->availableGeometry().width() - frame : needed;
    resize(std::max(width(), std::min(needed, room)), height());
}

void MainWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // The frame around the window is known only once it is shown: size and place it again, once.
    if (!m_framePlaced && frameGeometry().size() != geometry().size()) {
        m_framePlaced = true;
        setOuterSizeTwips(this, 8500, 7000);
        widenForMenuBar();
        placeWindow(this, 0.9);
    }
}

void MainWindow::closeEvent(QCloseEvent *event) {
    m_mdiArea->closeAllSubWindows();
    MDIForm_Unload();
    event->accept();
}

void MainWindow::updateClock() {
    const QLocale locale;
    m_statusDate->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_statusTime->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

// --- Documents ------------------------------------------------------------------------------

DocumentWindow *MainWindow::document(int position) const {
    if (position < 1 || position > kDocumentPositions)
        return nullptr;
    DocumentWindow *doc = m_docs[static_cast<std::size_t>(position - 1)];
    return doc && doc->isOpen() ? doc : nullptr;
}

void MainWindow::playWheel(const WheelChoice &choice, QWidget *owner) {
    m_carried.wheelChosen(choice);
    NumberPicker::showModal(m_session, owner, choice,
                            [this](const ReportRequest &request) { openWheelDocument(request); });
}

void MainWindow::openWheelDocument(const ReportRequest &request) {
    // The caption shows the wheel as the chooser stated it; a table wheel's report has its own.
    openDocumentAtNextPosition(request, latin1(documentCaption(request)));
    // The report comes in front of the window it was played from (a generator or design window
    // without an owner).
    raise();
    activateWindow();
}

void MainWindow::openDocumentAtNextPosition(ReportRequest request, const QString &caption) {
    ++m_carried.documentCount;
    std::array<bool, kDocumentPositions> occupied{};
    for (std::size_t i = 0; i < occupied.size(); ++i)
        occupied[i] = m_docs[i] && m_docs[i]->isOpen();
    const std::optional<int> position = documentPosition(m_carried.documentCount, occupied);
    if (!position) {
        showError(documentsFullMessage());
        return;
    }
    m_docs[static_cast<std::size_t>(*position - 1)] = showDocument(std::move(request), caption);
}

DocumentWindow *MainWindow::showDocument(ReportRequest request, const QString &caption) {
    // A generator window may ask for a report after this window was closed: show it again.
    if (!isVisible())
        show();
    m_lastRequest = request;
    m_desktop.setBusyPointer(this, true);
    auto *doc = new DocumentWindow(std::move(request));
    m_desktop.setBusyPointer(this, false);
    placeDocument(doc, caption);
    return doc;
}

// Shows a new document inside the area as the active one; the one shown before closes.
void MainWindow::placeDocument(DocumentWindow *doc, const QString &caption) {
    doc->setWindowTitle(caption);
    QMdiSubWindow *frame = m_mdiArea->addSubWindow(doc);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    const QSize area = m_mdiArea->viewport()->size();
    const QSize decoration = frame->size() - frame->contentsRect().size();
    const QSize wanted = doc->sizeHint() + decoration;
    frame->setGeometry(0, 0, std::min(wanted.width(), area.width()), area.height());
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    // The document shown before closes now even where the platform reports no activation.
    documentActivated(frame);
    doc->list()->setFocus();
}

void MainWindow::documentActivated(QMdiSubWindow *window) {
    if (!window)
        return; // the whole main window lost the focus: the document stays
    for (QMdiSubWindow *other : m_mdiArea->subWindowList()) {
        if (other == window)
            continue;
        if (auto *doc = qobject_cast<DocumentWindow *>(other->widget()); doc && doc->isOpen())
            doc->Form_Deactivate();
    }
}

DocumentWindow *MainWindow::defaultDocument() const {
    return m_defaultDocument && m_defaultDocument->isOpen() ? m_defaultDocument.data() : nullptr;
}

DocumentWindow *MainWindow::shownDocument() const {
    auto documentIn = [](const QMdiSubWindow *frame) -> DocumentWindow * {
        auto *doc = frame ? qobject_cast<DocumentWindow *>(frame->widget()) : nullptr;
        return doc && doc->isOpen() ? doc : nullptr;
    };
    // The current frame stays current while another top-level window has the focus.
    if (DocumentWindow *current = documentIn(m_mdiArea->currentSubWindow()))
        return current;
    for (const QMdiSubWindow *frame : m_mdiArea->subWindowList())
        if (DocumentWindow *doc = documentIn(frame))
            return doc;
    return nullptr;
}

// What the commands' document is written from when none is on screen: the last document opened,
// so a catalogue or generator visited since changes nothing; before any, the wheel chosen last.
ReportRequest MainWindow::commandRequest() const {
    return m_lastRequest ? *m_lastRequest : m_carried.lastChoiceRequest();
}

// The commands work on the document on screen, as it stands. With none on screen they load their
// own from commandRequest().
const DocumentWindow &MainWindow::commandDocument() {
    if (DocumentWindow *shown = shownDocument())
        return *shown;
    m_defaultDocument = showDocument(commandRequest(), QString());
    return *m_defaultDocument;
}

void MainWindow::showError(const std::string &text) {
    m_desktop.showMessage(this, QString::fromStdString(text), kMessageTitle);
}

// --- Document commands ------------------------------------------------------------------------

void MainWindow::mnuEditCopy_Click() {
    if (!m_desktop.clearClipboard()) {
        showError(clipboardFailedMessage());
        return;
    }
    const DocumentWindow *shown = shownDocument();
    if (!copyAllowed(shown ? shown->ticketCount() : reportTicketCount(commandRequest()))) {
        m_desktop.showMessage(this, latin1(copyRefusedMessage()), kMessageTitle);
        return;
    }
    const DocumentWindow &doc = commandDocument();
    if (!m_desktop.setClipboardText(documentText(linesWithCrLf(doc.lines()))))
        showError(clipboardFailedMessage());
}

// The drawn numbers for a report of that kind, asked for with `prompt` until they can be a draw
// of its kind; a refused draw says why and, unless the player cancels there, is asked for again
// with the text as typed. Nothing on Cancel.
std::optional<std::vector<int>> MainWindow::askDraw(int kind, const QString &prompt) {
    QString typed;
    while (m_desktop.askText(this, kMessageTitle, prompt, &typed)) {
        try {
            return parseDraw(typed.toStdString(), kind);
        } catch (const DrawError &error) {
            if (!m_desktop.askTryAgain(
                    this, QString::fromStdString(drawRefusedMessage(error.what())), kMessageTitle))
                return std::nullopt;
        }
    }
    return std::nullopt;
}

void MainWindow::mnuEditCheckDraw_Click() {
    const DocumentWindow *shown = shownDocument();
    if (!shown) {
        showError(noReportToCheckMessage());
        return;
    }
    // A check document checks its report again, against another draw.
    if (const std::shared_ptr<const OpenedReport> &opened = shown->openedReport()) {
        checkOpenedReport(opened);
        return;
    }
    const ReportRequest request = shown->request();
    if (lottoKindOfMode(request.wheel.wheelMode) == 0) {
        showError(noWheelToCheckMessage());
        return;
    }
    const std::optional<std::vector<int>> draw =
        askDraw(lottoKindOfMode(request.wheel.wheelMode), latin1(drawPrompt(request)));
    if (!draw)
        return;
    std::vector<std::string> lines;
    m_desktop.setBusyPointer(this, true);
    try {
        lines = drawCheckLines(request, *draw);
    } catch (const std::exception &error) { // a report left in a state no wheel writes
        m_desktop.setBusyPointer(this, false);
        showError(checkFailedMessage(error.what()));
        return;
    }
    auto *doc = new DocumentWindow(request, *draw, std::move(lines));
    m_desktop.setBusyPointer(this, false);
    placeDocument(doc, latin1(drawCheckCaption(request, *draw)));
}

void MainWindow::mnuFileSaveAs_Click() {
    const QString path = m_desktop.askSaveFileName(this, kSaveFilter);
    if (path.isEmpty())
        return;
    const DocumentWindow &doc = commandDocument();
    QString reason;
    m_desktop.setBusyPointer(this, true);
    const bool saved = saveLinesToFile(path, doc.lines(), &reason);
    m_desktop.setBusyPointer(this, false);
    if (!saved)
        showError(
            saveFailedMessage(QDir::toNativeSeparators(path).toStdString(), reason.toStdString()));
}

void MainWindow::mnuFilePageSetup_Click() {
    m_desktop.showPrintSetup(this);
}

void MainWindow::mnuFilePrint_Click() {
    const DocumentWindow &doc = commandDocument();
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(doc.lines().size()));
    for (const std::string &line : doc.lines())
        lines << documentText(line);
    QString reason;
    m_desktop.setBusyPointer(this, true);
    const bool printed = m_desktop.printLines(lines, 12, &reason);
    m_desktop.setBusyPointer(this, false);
    if (!printed)
        showError(printFailedMessage(reason.toStdString()));
}

void MainWindow::mnuFileExit_Click() {
    close();
}

// --- Opening files ----------------------------------------------------------------------------

void MainWindow::mnuFileOpen_Click() {
    const QString path = m_desktop.askOpenFileName(this, kOpenFilter);
    if (!path.isEmpty())
        openFile(path);
}

// Reads the file once it is known what it is: a report by its title, else a wheel file or a
// ticket list; what is neither may be a lottery's file of past draws. Every refusal says why, and
// the program goes on.
void MainWindow::openFile(const QString &path) {
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    if (QFileInfo(path).isDir()) {
        showError(openUnreadableMessage(shown, systemReason(EISDIR)));
        return;
    }
    errno = 0;
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) {
        showError(openUnreadableMessage(shown, systemReason(errno != 0 ? errno : EIO)));
        return;
    }
    std::string start(9, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    in.clear();
    errno = 0;
    if (in.bad() || !in.seekg(0)) {
        showError(openUnreadableMessage(shown, systemReason(errno != 0 ? errno : EIO)));
        return;
    }
    if (beginsLikeReport(start)) {
        openSavedReport(path, in);
        return;
    }
    std::variant<PlainWheel, TicketList> read;
    m_desktop.setBusyPointer(this, true);
    try {
        read = readWheelOrTicketList(in);
    } catch (const WheelFileReadError &error) {
        m_desktop.setBusyPointer(this, false);
        showError(openUnreadableMessage(shown, systemReason(error.error)));
        return;
    } catch (const WheelFileError &error) {
        m_desktop.setBusyPointer(this, false);
        if (!importDrawHistory(path))
            showError(openRefusedMessage(shown, error.what()));
        return;
    }
    m_desktop.setBusyPointer(this, false);
    if (const auto *wheel = std::get_if<PlainWheel>(&read))
        playOpenedWheel(path, *wheel);
    else
        playOpenedTicketList(path, std::get<TicketList>(read));
}

// A lottery's file of past draws opens the import, as History > Import Draws does: true when it
// took the file. Anything else is left to the message of the wheel file it is not.
bool MainWindow::importDrawHistory(const QString &path) {
    std::string text;
    try {
        text = readFileText(path.toStdString());
    } catch (const std::exception &) {
        return false;
    }
    if (!looksLikeDrawFile(text))
        return false;
    delete m_history.data();
    m_history = new ImportDrawsWindow(m_desktop, loadGames(defaultGameFolders()), path,
                                      std::move(text), this);
    showModal(m_history);
    return true;
}

void MainWindow::openSavedReport(const QString &path, std::istream &in) {
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    auto opened = std::make_shared<OpenedReport>();
    m_desktop.setBusyPointer(this, true);
    try {
        opened->report = readSavedReport(in);
    } catch (const ReportReadError &error) {
        m_desktop.setBusyPointer(this, false);
        showError(openUnreadableMessage(shown, systemReason(error.error)));
        return;
    } catch (const std::exception &error) { // a line that does not belong there
        m_desktop.setBusyPointer(this, false);
        showError(reportRefusedMessage(shown, error.what()));
        return;
    }
    opened->caption = QString::fromStdString(
        savedReportCaption(QFileInfo(path).fileName().toStdString(), opened->report));
    auto *doc = new DocumentWindow(std::shared_ptr<const OpenedReport>(std::move(opened)));
    m_desktop.setBusyPointer(this, false);
    if (!isVisible())
        show();
    placeDocument(doc, doc->openedReport()->caption);
}

void MainWindow::checkOpenedReport(const std::shared_ptr<const OpenedReport> &opened) {
    const std::optional<std::vector<int>> draw = askDraw(
        opened->report.kind,
        QString::fromStdString(drawPromptFor(opened->report.kind, opened->caption.toStdString())));
    if (!draw)
        return;
    m_desktop.setBusyPointer(this, true);
    std::vector<std::string> lines = savedReportCheckLines(opened->report, *draw);
    auto *doc = new DocumentWindow(opened, *draw, std::move(lines));
    m_desktop.setBusyPointer(this, false);
    placeDocument(doc, QString::fromStdString(drawCheckCaptionFor(
                           *draw, "  " + opened->caption.toStdString())));
}

namespace {

int proofThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

} // namespace

// A wheel file's claimed guarantee is proven before it is played: a file is never taken at its
// word.
void MainWindow::playOpenedWheel(const QString &path, const PlainWheel &wheel) {
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    if (wheel.kind != 5 && wheel.kind != 6) {
        showError(wheelNotPlayedMessage(shown, notALottoKindReason(wheel.kind)));
        return;
    }
    const int drawn = wheel.guarantee.drawn - wheel.keys;
    const PlainWheel reduced = reducedWheel(wheel);
    if (const std::uint64_t checks =
            proofChecks(reduced.numbers, drawn, drawn, reduced.tickets.size());
        checks > kMaxProofChecks) {
        showError(wheelNotPlayedMessage(shown, proofTooLongReason(checks)));
        return;
    }
    m_desktop.setBusyPointer(this, true);
    const bool kept = meetsGuarantee(wheel, proofThreads());
    m_desktop.setBusyPointer(this, false);
    if (!kept) {
        m_desktop.setBusyPointer(this, true);
        const int proven =
            provenMatches(reduced.tickets, reduced.numbers, drawn, proofThreads()) + wheel.keys;
        m_desktop.setBusyPointer(this, false);
        showError(wheelNotPlayedMessage(shown, guaranteeNotKeptReason(wheel.guarantee, proven)));
        return;
    }
    if (m_desktop.askTryAgain(this, QString::fromStdString(wheelFileProvenMessage(shown, wheel)),
                              kMessageTitle))
        playWheel(designedWheelChoice(wheel), this);
}

// A list claims nothing: the proof finds what it keeps for every count drawn, and it plays with
// what it keeps for a whole draw, over its own numbers unless the player draws or chooses others.
void MainWindow::playOpenedTicketList(const QString &path, const TicketList &list) {
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    const int numbers = static_cast<int>(list.numbers.size());
    if (const std::uint64_t checks = proofChecks(numbers, 1, list.kind, list.tickets.size());
        checks > kMaxProofChecks) {
        showError(wheelNotPlayedMessage(shown, proofTooLongReason(checks)));
        return;
    }
    m_desktop.setBusyPointer(this, true);
    const std::vector<Guarantee> proven = provenGuarantees(list, proofThreads());
    m_desktop.setBusyPointer(this, false);
    if (!m_desktop.askTryAgain(
            this, QString::fromStdString(ticketListProvenMessage(shown, list, proven)),
            kMessageTitle))
        return;
    for (std::size_t p = 0; p < list.numbers.size(); ++p)
        m_carried.picks[p + 1] = static_cast<std::int16_t>(list.numbers[p]);
    playWheel(designedWheelChoice(wheelOfTicketList(list, proven.back())), this);
}

// --- Other windows ----------------------------------------------------------------------------

void MainWindow::showModal(QDialog *window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

void MainWindow::openCatalogue(int kind) {
    m_carried.catalogueOpened(kind);
    if (m_catalogue) {
        m_catalogue->raise();
        return;
    }
    m_catalogue = new CatalogueWindow(kind, m_session, this);
    showModal(m_catalogue);
}

void MainWindow::mnu6wheel_Click() {
    openCatalogue(6);
}

void MainWindow::mnu5wheel_Click() {
    openCatalogue(5);
}

void MainWindow::mnureadme_Click() {
    if (m_readMe) {
        m_readMe->raise();
        return;
    }
    m_readMe = new ReadMeWindow(this);
    showModal(m_readMe);
}

void MainWindow::showGenerator(int kind, bool modal) {
    QPointer<GeneratorWindow> &generator = m_generators[kind == 6 ? 1 : 0];
    if (generator) {
        generator->show();
        generator->raise();
        generator->activateWindow();
        return;
    }
    generator = new GeneratorWindow(kind, m_session, modal ? this : nullptr);
    if (modal) {
        showModal(generator);
    } else {
        generator->setAttribute(Qt::WA_DeleteOnClose);
        generator->show();
    }
}

void MainWindow::openGeneratorFromCatalogue(int kind) {
    showGenerator(kind, true);
}

void MainWindow::mnufunwheel6_Click() {
    showGenerator(6, false);
}

void MainWindow::mnufunwheel5_Click() {
    showGenerator(5, true);
}

void MainWindow::showOdds(QPointer<OddsWindow> &window, int kind) {
    if (!window) {
        window = new OddsWindow(kind, nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::mnu6table_Click() {
    showOdds(m_odds6, 6);
}

void MainWindow::mnu5table_Click() {
    showOdds(m_odds5, 5);
}

void MainWindow::mnuHelpAbout_Click() {
    if (m_about) {
        m_about->raise();
        return;
    }
    m_about = new AboutWindow(m_desktop, this);
    showModal(m_about);
}

void MainWindow::mnuDesign_Click() {
    // Without an owner, like the generators: the report it plays can come in front of it, and the
    // player may read reports while a design runs.
    if (!m_designer) {
        m_designer = new DesignerWindow(m_session, nullptr);
        m_designer->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_designer->show();
    m_designer->raise();
    m_designer->activateWindow();
}

void MainWindow::mnuGamesGames_Click() {
    if (m_games) {
        m_games->raise();
        m_games->activateWindow();
        return;
    }
    // The folders are looked up afresh each time: the games are files the player may change.
    m_games = new GamesWindow(m_desktop, defaultGameFolders(), GamesWindow::Purpose::manage, this);
    m_games->setAttribute(Qt::WA_DeleteOnClose);
    m_games->show();
}

// --- What It Wins -----------------------------------------------------------------------------

// The report on screen (or the report a check or an earlier What It Wins was made from) is the
// wheel counted; the game comes from the dialog.
void MainWindow::mnuGamesWins_Click() {
    const DocumentWindow *shown = shownDocument();
    // With no document on screen, the wheel chosen last (in a catalogue, a generator or the
    // designer, played or not) is counted over its positions 1 to N.
    if (!shown && m_carried.lastChoice.wheelMode == 0) {
        showError(noReportForWinsMessage());
        return;
    }
    const ReportRequest request =
        shown ? shown->request() : reportRequestFor(m_carried.lastChoice, {});
    std::optional<PlayedWheel> wheel;
    if (const std::shared_ptr<const OpenedReport> opened =
            shown ? shown->openedReport() : nullptr) {
        // A report opened from its file: its wheel is read from the lines it was saved with.
        try {
            wheel = playedWheelOfReportLines(opened->report.lines);
        } catch (const std::exception &error) {
            showError(winsRefusedMessage(error.what()));
            return;
        }
    } else {
        wheel = playedWheelOf(request);
    }
    if (!wheel) {
        showError(noReportForWinsMessage());
        return;
    }
    if (const std::string problem = winTableProblem(*wheel); !problem.empty()) {
        showError(winsRefusedMessage(problem));
        return;
    }
    const GameList games = loadGames(defaultGameFolders());
    auto *dialog = WinsGameDialog::showModal(
        wheel->kind, wheel->numbers, playedWheelText(*wheel), games,
        [this, request, played = *wheel](const WinsGameChoice &choice) {
            openWinsDocument(request, played, choice);
        },
        this);
    dialog->activateWindow();
}

void MainWindow::openWinsDocument(const ReportRequest &request, const PlayedWheel &wheel,
                                  const WinsGameChoice &choice) {
    m_desktop.setBusyPointer(this, true);
    std::vector<std::string> lines;
    std::string caption;
    try {
        const WinsDocument document = winsDocument(wheel, choice.game, choice.plain, choice.play);
        lines = winsLines(document);
        caption = winsCaption(document);
    } catch (const std::exception &error) {
        m_desktop.setBusyPointer(this, false);
        showError(winsRefusedMessage(error.what()));
        return;
    }
    auto *doc = new DocumentWindow(request, std::move(lines), QStringLiteral("What It Wins"));
    m_desktop.setBusyPointer(this, false);
    placeDocument(doc, documentText(caption));
}

// --- The draw history ---------------------------------------------------------------------

namespace {

// The games read afresh each time: a game the player saved meanwhile is there.
GameList currentGames() {
    return loadGames(defaultGameFolders());
}

} // namespace

void MainWindow::mnuHistoryImport_Click() {
    const QString path = m_desktop.askOpenFileName(this, kDrawFileFilter);
    if (path.isEmpty())
        return;
    std::string text;
    try {
        text = readFileText(path.toStdString());
    } catch (const std::exception &error) {
        showError(error.what());
        return;
    }
    delete m_history.data();
    m_history = new ImportDrawsWindow(m_desktop, currentGames(), path, std::move(text), this);
    showModal(m_history);
}

void MainWindow::mnuHistoryDraws_Click() {
    delete m_history.data();
    m_history = new PastDrawsWindow(m_desktop, currentGames(), this);
    showModal(m_history);
}

void MainWindow::mnuEditKeepDraw_Click() {
    const DocumentWindow *shown = shownDocument();
    if (!shown || shown->draw().empty()) {
        showError("Check a Draw first: the draw kept is the one the check on screen was made "
                  "against.");
        return;
    }
    delete m_history.data();
    m_history = new KeepDrawDialog(m_desktop, currentGames(), shown->draw(), this);
    showModal(m_history);
}

void MainWindow::mnuHistoryCheck_Click() {
    const DocumentWindow *shown = shownDocument();
    if (!shown) {
        showError(noReportToCheckMessage());
        return;
    }
    const ReportRequest request = shown->request();
    const std::shared_ptr<const OpenedReport> opened = shown->openedReport();
    if (!opened && lottoKindOfMode(request.wheel.wheelMode) == 0) {
        showError(noWheelToCheckMessage());
        return;
    }
    delete m_history.data();
    m_history = new HistoryRangeDialog(
        m_desktop, currentGames(),
        [this, request, opened](const GameRange &range) { openHistoryCheck(request, opened, range); },
        this);
    showModal(m_history);
}

void MainWindow::openHistoryCheck(const ReportRequest &request,
                                  const std::shared_ptr<const OpenedReport> &opened,
                                  const GameRange &range) {
    std::vector<std::string> lines;
    m_desktop.setBusyPointer(this, true);
    try {
        const std::int64_t ticketCount = opened ? opened->report.ticketCount : reportTicketCount(request);
        if (ticketCount > static_cast<std::int64_t>(kMaxHistoryTickets))
            throw std::invalid_argument("the report has more than the " +
                                        std::to_string(kMaxHistoryTickets) +
                                        " tickets checked against past draws at once");
        // A report opened from its file gives its tickets from the lines it was saved with.
        const std::vector<std::vector<int>> tickets =
            opened ? ticketsOfReportLines(opened->report.lines) : ticketsOfRequest(request);
        const std::vector<Draw> draws =
            DrawStore(drawDatabasePath()).draws(range.game.name, range.from, range.to);
        lines = historyCheckLines(
            checkAgainstDraws(range.game, draws, tickets, range.from, range.to));
    } catch (const std::exception &error) {
        m_desktop.setBusyPointer(this, false);
        showError(checkFailedMessage(error.what()));
        return;
    }
    // The document keeps the report's request, so Check a Draw on it checks the same tickets; the
    // record of an opened report is a document of lines.
    auto *doc = opened ? new DocumentWindow(request, std::move(lines), QStringLiteral("Past Draws"))
                       : new DocumentWindow(request, std::vector<int>{}, std::move(lines));
    m_desktop.setBusyPointer(this, false);
    placeDocument(doc, QString::fromStdString("Past Draws of " + range.game.name));
}

} // namespace marlek
