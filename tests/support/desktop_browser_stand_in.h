#pragma once
// Stands in for the desktop's default browser while it lives: every file location the program
// asks the desktop to open is recorded instead of opened.

#include <QList>
#include <QObject>
#include <QUrl>

namespace marlek::test {

class DesktopBrowserStandIn : public QObject {
    Q_OBJECT
public:
    DesktopBrowserStandIn();
    ~DesktopBrowserStandIn() override;

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url);
};

} // namespace marlek::test
