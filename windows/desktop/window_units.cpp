#include "window_units.h"

#include "placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace marlek {
namespace {

QScreen *screenOf(const QWidget *widget) {
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

double dpiX(const QWidget *widget) {
    QScreen *screen = screenOf(widget);
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY(const QWidget *widget) {
    QScreen *screen = screenOf(widget);
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

int pixelsToTwips(double pixels, double dpi) { return static_cast<int>(std::lround(pixels * 1440.0 / dpi)); }

} // namespace

int twipsToPixelsX(const QWidget *widget, int twips) {
    return static_cast<int>(std::lround(twips * dpiX(widget) / 1440.0));
}

int twipsToPixelsY(const QWidget *widget, int twips) {
    return static_cast<int>(std::lround(twips * dpiY(widget) / 1440.0));
}

void setOuterSizeTwips(QWidget *window, int widthTwips, int heightTwips) {
    // The frame is known only once the window is shown; before that, outer and client size agree.
    const QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
    window->resize(twipsToPixelsX(window, widthTwips) - frameExtra.width(),
                   twipsToPixelsY(window, heightTwips) - frameExtra.height());
}

void setClientSizeTwips(QWidget *window, int widthTwips, int heightTwips) {
    window->resize(twipsToPixelsX(window, widthTwips), twipsToPixelsY(window, heightTwips));
}

void placeWindow(QWidget *window, double factor) {
    QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = window->frameGeometry().size();
    const int left = placementOffset(pixelsToTwips(area.width(), dpiX(window)), factor,
                                     pixelsToTwips(outer.width(), dpiX(window)));
    const int top = placementOffset(pixelsToTwips(area.height(), dpiY(window)), 1.0,
                                    pixelsToTwips(outer.height(), dpiY(window)));
    window->move(area.x() + twipsToPixelsX(window, left), area.y() + twipsToPixelsY(window, top));
}

} // namespace marlek
