#pragma once
// frmMain: the multiple-document main window with the menus and the status bar.

#include "desktop.h"
#include "document_text.h"
#include "navigator.h"
#include "report_request.h"
#include "run_carry_over.h"
#include "session.h"
#include "ticket_list.h"
#include "win_table.h"
#include "wins_game_dialog.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <iosfwd>
#include <memory>
#include <optional>

class QAction;
class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

namespace marlek {

class DocumentWindow;
struct OpenedReport;
struct GameRange;
class GeneratorWindow;
class OddsWindow;

class MainWindow : public QMainWindow, public Navigator {
    Q_OBJECT
public:
    explicit MainWindow(Desktop &desktop, QWidget *parent = nullptr);
    ~MainWindow() override;

    void playWheel(const WheelChoice &choice, QWidget *owner) override;
    void openGeneratorFromCatalogue(int kind) override;
    // OpenWheelDocument: a new report document of the request, in front.
    void openWheelDocument(const ReportRequest &request);

    // What the run carries from window to window; this window owns it.
    RunCarryOver &carriedOver() { return m_carried; }

    QMdiArea *mdiArea() const { return m_mdiArea; }
    // The document the commands loaded for themselves, while it is open.
    DocumentWindow *defaultDocument() const;
    // The document on screen, if any: the active one, else the one open.
    DocumentWindow *shownDocument() const;
    // Position n (1 to 34) of the run's documents; null when that document has closed.
    DocumentWindow *document(int position) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Menu handlers.
    void mnuFileSaveAs_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    // "Open...": a saved report as a document, a wheel file or a ticket list to play once its
    // guarantee is proven.
    void mnuFileOpen_Click();
    void mnuEditCopy_Click();
    // "Check a Draw...": the report on screen checked against the draw the player types.
    void mnuEditCheckDraw_Click();
    // The draw of the check document on screen kept in a game's past draws.
    void mnuEditKeepDraw_Click();
    void mnu6wheel_Click();
    void mnu5wheel_Click();
    void mnureadme_Click();
    void mnufunwheel6_Click();
    void mnufunwheel5_Click();
    void mnu6table_Click();
    void mnu5table_Click();
    void mnuHelpAbout_Click();
    void mnuDesign_Click();
    void mnuGamesWins_Click();
    // "Games...": the presets and the player's own games, to read, make and change.
    void mnuGamesGames_Click();
    // The draw history: a lottery's file imported, the stored draws listed, the report on screen
    // checked against them.
    void mnuHistoryImport_Click();
    void mnuHistoryDraws_Click();
    void mnuHistoryCheck_Click();
    void openHistoryCheck(const ReportRequest &request,
                          const std::shared_ptr<const OpenedReport> &opened, const GameRange &range);

    void createWidgets();
    void createActions();
    void createMenus();
    void createStatusBar();
    void connectSignals();
    void MDIForm_Load();
    void MDIForm_Unload();
    void widenForMenuBar();

    void updateClock();
    void openDocumentAtNextPosition(ReportRequest request, const QString &caption);
    DocumentWindow *showDocument(ReportRequest request, const QString &caption);
    void placeDocument(DocumentWindow *doc, const QString &caption);
    ReportRequest commandRequest() const;
    const DocumentWindow &commandDocument();
    void documentActivated(QMdiSubWindow *window);
    void openCatalogue(int kind);
    void showModal(QDialog *window);
    void showGenerator(int kind, bool modal);
    void showOdds(QPointer<OddsWindow> &window, int kind);
    void showError(const std::string &text);
    void openWinsDocument(const ReportRequest &request, const PlayedWheel &wheel,
                          const WinsGameChoice &choice);
    void openFile(const QString &path);
    void openSavedReport(const QString &path, std::istream &in);
    void playOpenedWheel(const QString &path, const PlainWheel &wheel);
    void playOpenedTicketList(const QString &path, const TicketList &list);
    bool importDrawHistory(const QString &path);
    std::optional<std::vector<int>> askDraw(int kind, const QString &prompt);
    void checkOpenedReport(const std::shared_ptr<const OpenedReport> &opened);

    RunCarryOver m_carried;
    Desktop &m_desktop;
    Session m_session;

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;
    QTimer *m_clock = nullptr;
    bool m_framePlaced = false;

    QMenu *mnuFile = nullptr;
    QAction *mnuFileSaveAs = nullptr;
    QAction *mnuFileBar2 = nullptr;
    QAction *mnuFilePageSetup = nullptr;
    QAction *mnuFilePrint = nullptr;
    QAction *mnuFileExit = nullptr;
    QAction *mnuFileBar3 = nullptr;
    QAction *mnuFileOpen = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuEditCopy = nullptr;
    QAction *mnuEditCheckDraw = nullptr;
    QAction *mnuEditKeepDraw = nullptr;
    QAction *mnu6wheel = nullptr;
    QAction *mnu5wheel = nullptr;
    QMenu *mnufun = nullptr;
    QAction *mnureadme = nullptr;
    QAction *mnufunwheel6 = nullptr;
    QAction *mnufunwheel5 = nullptr;
    QMenu *mnuodds = nullptr;
    QAction *mnu6table = nullptr;
    QAction *mnu5table = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpAbout = nullptr;
    QAction *mnuDesign = nullptr;
    QMenu *mnuGames = nullptr;
    QAction *mnuGamesWins = nullptr;
    QAction *mnuGamesGames = nullptr;
    QMenu *mnuHistory = nullptr;
    QAction *mnuHistoryImport = nullptr;
    QAction *mnuHistoryDraws = nullptr;
    QAction *mnuHistoryCheck = nullptr;

    // docs: the run's report documents at positions 1 to 34.
    std::array<QPointer<DocumentWindow>, kDocumentPositions> m_docs;
    QPointer<DocumentWindow> m_defaultDocument;
    // What the last document opened was written from; the commands fall back on it.
    std::optional<ReportRequest> m_lastRequest;

    // One window of each kind; the generators and odds tables may outlive this window.
    QPointer<QDialog> m_catalogue;
    QPointer<QDialog> m_readMe;
    QPointer<QDialog> m_about;
    QPointer<QDialog> m_designer;
    QPointer<QDialog> m_games;
    QPointer<QDialog> m_history; // the history window open, one at a time
    std::array<QPointer<GeneratorWindow>, 2> m_generators; // Pick 5, Pick 6
    QPointer<OddsWindow> m_odds5;
    QPointer<OddsWindow> m_odds6;
};

} // namespace marlek
