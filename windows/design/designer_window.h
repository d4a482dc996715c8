#pragma once
// "Design a Wheel": the player asks for a guarantee, the designer searches on a worker thread
// while the window shows its progress, and the proven wheel can be saved as a wheel file or
// handed on to the number picker to play.

#include "plain_wheel.h"
#include "session.h"
#include "wheel_designer.h"

#include <QDialog>

#include <atomic>
#include <optional>
#include <thread>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace marlek {

class DesignerWindow : public QDialog {
    Q_OBJECT
public:
    explicit DesignerWindow(Session &session, QWidget *parent = nullptr);
    // Stops a design that still runs and waits for its thread.
    ~DesignerWindow() override;

    // The search's threads (all cores unless set) and seed: the same pair gives the same search.
    void setSearchThreads(int threads) { m_threads = threads; }
    void setSeed(std::uint64_t seed) { m_seed = seed; }

    bool isDesigning() const { return m_worker.joinable(); }
    // The last wheel designed and proven, if any.
    const std::optional<PlainWheel> &wheel() const { return m_wheel; }

    void cmdDesign_Click();
    void cmdCancel_Click();
    void cmdSave_Click();
    void cmdPlay_Click();
    // Shows or hides the technical comparison below the result.
    void cmdDetails_Toggle(bool shown);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Escape stops a running design first, and closes the window only when none runs.
    void reject() override;

private:
    void createWidgets();
    void connectSignals();
    void kind_Change();
    void numbers_Change(int numbers);
    void matches_Change(int matches);

    // The wheel's shape as the fields give it; request() adds the search's budgets and starts.
    DesignRequest shapeRequest() const;
    DesignRequest request() const;
    void showProgress(const DesignProgress &progress);
    void designFinished(const DesignResult &result, const QString &failure);
    void stopWorker();
    void updateButtons();
    void showOwnTable();
    void showFieldProblem(QSpinBox *field, std::optional<int> typed);
    // Whether the wheel shown was designed for the fields as they are now.
    bool resultMatchesFields() const;
    // A value typed but not yet taken (its field not left, as when a button is pressed by its
    // Alt key) is taken before a button acts on the fields.
    void commitTypedValues();

    Session &m_session;
    int m_threads = 0;
    std::uint64_t m_seed = 1;

    QComboBox *cboKind = nullptr;
    QSpinBox *spnNumbers = nullptr;
    QSpinBox *spnMatches = nullptr;
    QSpinBox *spnDrawn = nullptr;
    QSpinBox *spnKeys = nullptr;
    QSpinBox *spnSeconds = nullptr;
    QSpinBox *spnBudget = nullptr;
    QPushButton *cmdDesign = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdDetails = nullptr; // checked while the details show
    QPushButton *cmdClose = nullptr;
    QProgressBar *barElapsed = nullptr;
    // The details: the result against the catalogue, the best known and the lower bound, and
    // what the program's own table holds for the fields.
    QWidget *details = nullptr;
    QLabel *lblDetails = nullptr;
    QLabel *lblTable = nullptr;
    QLabel *lblProgress = nullptr;
    QLabel *lblResult = nullptr;
    QLabel *lblFieldProblem = nullptr; // what is wrong with a value typed into a field
    QLabel *lblStale = nullptr;        // the fields ask for another wheel than the one shown

    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::optional<PlainWheel> m_wheel;
    // The fields the wheel shown was designed for.
    DesignRequest m_designedFor;
    // False for a wheel held to a ticket budget below what the guarantee needs.
    bool m_wheelKeepsGuarantee = false;
    std::uint64_t m_coveredDraws = 0; // the draws of m it keeps the guarantee for, of all
    std::uint64_t m_allDraws = 0;
};

} // namespace marlek
