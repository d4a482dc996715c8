#include "program_identity.h"

#include <QApplication>
#include <QIcon>

namespace marlek {

void setProgramIdentity() {
    QApplication::setApplicationName(QStringLiteral("Marlek's Lotto Software"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.marleklotto.MarlekLotto"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/net.marleklotto.MarlekLotto.png").arg(size));
    QApplication::setWindowIcon(icon);
}

} // namespace marlek
