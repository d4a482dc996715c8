#include "desktop_browser_stand_in.h"

#include <QDesktopServices>

namespace marlek::test {

DesktopBrowserStandIn::DesktopBrowserStandIn() {
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
}

DesktopBrowserStandIn::~DesktopBrowserStandIn() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void DesktopBrowserStandIn::open(const QUrl &url) {
    opened << url;
}

} // namespace marlek::test
