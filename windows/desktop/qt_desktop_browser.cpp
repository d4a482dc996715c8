#include "browser_program.h"
#include "qt_desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoopLocker>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QWidget>

namespace marlek {
namespace {

// The desktop's default browser; it reports no progress.
bool openInDesktopBrowser(const QUrl &url) {
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool isProgressText(const QString &line) {
    return line == kNavigationBegun || line == kNavigationComplete || line == kDownloadBegun ||
           line == kDownloadComplete;
}

// One browser program from its start to its end. Until it says that its window is shown, its end
// (whatever the cause: the engine refused to start, a library is missing, it crashed) hands the
// page to the desktop's browser; afterwards its end just ends it. While it runs, this program's
// run goes on too, as it would for a window of its own.
class BrowserRun : public QObject {
public:
    using Progress = std::function<void(const QString &)>;

    BrowserRun(QObject *owner, QWidget *receiver, const QUrl &url, Progress progress)
        : QObject(owner), m_receiver(receiver), m_url(url), m_progress(std::move(progress)) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardInputFile(QProcess::nullDevice());
        connect(&m_process, &QProcess::readyReadStandardOutput, this, &BrowserRun::readLines);
        connect(&m_process, &QProcess::finished, this, &BrowserRun::end);
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                end();
        });
    }

    void start(const QString &program) {
        m_process.start(program, {m_url.toString(QUrl::FullyEncoded)});
    }

private:
    void readLines() {
        while (m_process.canReadLine()) {
            const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
            if (line == kBrowserWindowShown)
                m_shown = true;
            else if (isProgressText(line))
                report(line);
        }
    }

    void report(const QString &text) {
        if (m_receiver && m_progress)
            m_progress(text);
        else
            m_progress = nullptr; // the window that asked is gone: stop reporting for good
    }

    void end() {
        if (m_ended)
            return;
        m_ended = true;
        readLines();
        if (!m_shown)
            openInDesktopBrowser(m_url);
        deleteLater();
    }

    QEventLoopLocker m_runGoesOn;
    QProcess m_process;
    QPointer<QWidget> m_receiver;
    QUrl m_url;
    Progress m_progress;
    bool m_shown = false;
    bool m_ended = false;
};

} // namespace

QStringList browserProgramCandidates(const QString &applicationDir) {
    return {QDir::cleanPath(applicationDir + QLatin1Char('/') +
                            QStringLiteral(MARLEK_BROWSER_INSTALL_RELATIVE) + QLatin1Char('/') +
                            kBrowserProgramName),
            QDir::cleanPath(applicationDir + QStringLiteral("/../browser/") + kBrowserProgramName)};
}

QString findBrowserProgram(const QStringList &candidates) {
    for (const QString &candidate : candidates) {
        const QFileInfo program(candidate);
        if (program.isFile() && program.isExecutable())
            return candidate;
    }
    return {};
}

QString QtDesktop::installedBrowserProgram() {
    return findBrowserProgram(browserProgramCandidates(QCoreApplication::applicationDirPath()));
}

int QtDesktop::runningBrowsers() const {
    return static_cast<int>(m_browsers->children().size());
}

// The browser program where it is installed, else the desktop's default browser. The browser
// program starts on its own; its window is not owned by the asking window, so it stays open when
// that one closes, and being another program's window, no modal window of this one blocks it.
bool QtDesktop::openWebPage(QWidget *receiver, const QUrl &url,
                            std::function<void(const QString &)> progress) {
    if (!url.isValid())
        return false;
    if (m_browserProgram.isEmpty())
        return openInDesktopBrowser(url);
    auto *run = new BrowserRun(m_browsers.get(), receiver, url, std::move(progress));
    run->start(m_browserProgram);
    return true;
}

} // namespace marlek
