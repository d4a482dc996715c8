#pragma once
// The about box's texts and where the maker's web page lies.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace marlek {

enum class AboutElement { Surface, CmdOK, Command1, Label1, Label4, LblTitle };

QString aboutCaption();
// The title block: an empty first line, the product and its version ("\r\n...\r\nVersion 3.5").
QString aboutTitleText();
QString aboutSloganText();
QString aboutSiteButtonText();
QString aboutCloseButtonText();

// What the status line says while the pointer is over an element.
QString aboutHoverText(AboutElement element);

// Where the maker's page may lie, in the order searched: installed beside the program
// (<prefix>/share/marlek-lotto/about/index.html for <prefix>/bin), then the source tree of a
// development build.
QStringList makerPageCandidates(const QString &applicationDir);

// The first candidate that exists; the installed location when none does.
QString findMakerPage(const QStringList &candidates);

// The location shown in Label4 and opened by "Vorrin's Site": a file: URL.
QUrl makerPageUrl(const QString &applicationDir);

} // namespace marlek
