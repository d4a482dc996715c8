#include "about_texts.h"

#include <QDir>
#include <QFileInfo>

namespace marlek {

QString aboutCaption() {
    return QStringLiteral("Vorrin's Lotto Software");
}

QString aboutTitleText() {
    return QStringLiteral("\r\nVorrin's Lotto Software \r\nVersion 3.5");
}

QString aboutSloganText() {
    return QStringLiteral("Just Pick Your Lotto\r\nPick Your Numbers\r\nThat's All");
}

QString aboutSiteButtonText() {
    return QStringLiteral("Vorrin's Site");
}

QString aboutCloseButtonText() {
    return QStringLiteral("Cancel");
}

QString aboutHoverText(AboutElement element) {
    switch (element) {
    case AboutElement::Surface:
        return QStringLiteral("Play Any Ticket ");
    case AboutElement::CmdOK:
        return QStringLiteral("Go Back to Menu");
    case AboutElement::Command1:
        return QStringLiteral("GoTo Vorrin's Web Site");
    case AboutElement::Label1:
        return QStringLiteral("Pick Your Numbers Play Any Lotto");
    case AboutElement::Label4:
        return QStringLiteral("Try Vorrin's Web Site");
    case AboutElement::LblTitle:
        return QStringLiteral("Version 3.4 of Vorrin's Lotto");
    }
    return {};
}

QStringList makerPageCandidates(const QString &applicationDir) {
    const QString page = QStringLiteral("/index.html");
    return {QDir::cleanPath(applicationDir + QLatin1Char('/') +
                            QStringLiteral(MARLEK_PAGE_INSTALL_RELATIVE) + page),
            QDir::cleanPath(QStringLiteral(MARLEK_PAGE_SOURCE_DIR) + page)};
}

QString findMakerPage(const QStringList &candidates) {
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return candidates.isEmpty() ? QString() : candidates.front();
}

QUrl makerPageUrl(const QString &applicationDir) {
    return QUrl::fromLocalFile(findMakerPage(makerPageCandidates(applicationDir)));
}

} // namespace marlek
