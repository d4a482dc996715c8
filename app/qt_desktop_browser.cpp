#include "qt_desktop.h"

#include <QDesktopServices>

namespace marlek {

bool QtDesktop::openWebPage(QWidget *, const QUrl &url, std::function<void(const QString &)>) {
    return QDesktopServices::openUrl(url);
}

} // namespace marlek
