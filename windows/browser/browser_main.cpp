// marlek-lotto-browser URL: the browser window the about box opens on the maker's web page. It
// writes "Window shown" once its window is on the screen and then each progress text, one a line,
// to standard output, where the desktop program reads them (browser_program.h). Where the engine
// cannot run here it ends at once with kBrowserCannotStart, before touching the engine.

#include "browser_program.h"
#include "program_identity.h"
#include "web_browser_window.h"
#include "web_engine_check.h"

#include <QApplication>
#include <QUrl>

#include <csignal>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
// Qt WebEngine's own library frees some of its objects through a base of another size, which
// AddressSanitizer reports as new-delete-type-mismatch inside libQt6WebEngineCore; in the test
// build that check is turned off for this program, every other check stays on.
extern "C" const char *__asan_default_options() {
    return "new_delete_type_mismatch=0";
}
#endif

namespace {

// One line to the desktop program. Once it has ended, the lines go nowhere and the window stays.
void tell(const QString &line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[]) {
    std::signal(SIGPIPE, SIG_IGN);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s URL\n", argv[0]);
        return 2;
    }
    if (!marlek::webEngineCanStart(marlek::webEngineEnvironmentHere())) {
        std::fputs("marlek-lotto-browser: the browser engine cannot run here (as root it needs "
                   "QTWEBENGINE_DISABLE_SANDBOX=1); the page opens in the desktop's browser\n",
                   stderr);
        return marlek::kBrowserCannotStart;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    marlek::setProgramIdentity();

    auto *browser = new marlek::WebBrowserWindow(tell); // deletes itself when closed
    browser->showInFront();
    tell(marlek::kBrowserWindowShown);
    browser->navigate(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    return QApplication::exec();
}
