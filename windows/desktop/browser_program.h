#pragma once
// The browser window is a program of its own, `marlek-lotto-browser`, installed with the optional
// browser package: the desktop program starts it with the page's location and reads its progress,
// one line each, from its standard output. Where it is missing or cannot start, the desktop's
// default browser opens the page. This header is what both sides agree on; it needs no engine.

#include <QString>
#include <QStringList>

namespace marlek {

// The progress texts a browser window reports, each written as a line of its own.
inline const QString kNavigationBegun = QStringLiteral("Navigation begun...");
inline const QString kNavigationComplete = QStringLiteral("Navigation complete...");
inline const QString kDownloadBegun = QStringLiteral("Download begun...");
inline const QString kDownloadComplete = QStringLiteral("Download complete...");

// The first line, written once the window is on the screen: from then on the browser has started,
// and whatever becomes of it later, the desktop's browser is not asked.
inline const QString kBrowserWindowShown = QStringLiteral("Window shown");

// The browser program's exit status when its engine cannot run here (as root with the sandbox on,
// or without the engine's helper program); it then ends before touching the engine.
inline constexpr int kBrowserCannotStart = 3;

// Where and how large a browser window opens, in screen pixels.
inline constexpr int kBrowserLeft = 270;
inline constexpr int kBrowserTop = 105;
inline constexpr int kBrowserWidth = 740;
inline constexpr int kBrowserHeight = 540;

// The file name of the browser program.
inline const QString kBrowserProgramName = QStringLiteral("marlek-lotto-browser");

// Where the browser program may be, given the folder of the desktop program: installed, in the
// package's private program folder; in a build tree, beside the program's own folder.
QStringList browserProgramCandidates(const QString &applicationDir);

// The first candidate that is an executable file, or an empty string.
QString findBrowserProgram(const QStringList &candidates);

} // namespace marlek
