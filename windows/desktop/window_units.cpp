#include "window_units.h"

#include "placement.h"

#include <QEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
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

// Twips of the screen: the DPI alone.
int screenPixelsX(const QWidget *widget, int twips) {
    return static_cast<int>(std::lround(twips * dpiX(widget) / 1440.0));
}

int screenPixelsY(const QWidget *widget, int twips) {
    return static_cast<int>(std::lround(twips * dpiY(widget) / 1440.0));
}

int pixelsToTwips(double pixels, double dpi) {
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

} // namespace

QFont designFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(9);
    return font;
}

FontScale fontScale(const QWidget *widget) {
    if (!widget)
        return {};
    // Both measured for the widget's screen, so a higher DPI, which grows the twip already, does
    // not count twice.
    const QFontMetricsF font(widget->font(), widget);
    const QFontMetricsF design(designFont(), widget);
    if (design.averageCharWidth() <= 0 || design.height() <= 0)
        return {};
    return {std::max(1.0, font.averageCharWidth() / design.averageCharWidth()),
            std::max(1.0, font.height() / design.height())};
}

int twipsToPixelsX(const QWidget *widget, int twips) {
    return static_cast<int>(std::lround(twips * dpiX(widget) / 1440.0 * fontScale(widget).x));
}

int twipsToPixelsY(const QWidget *widget, int twips) {
    return static_cast<int>(std::lround(twips * dpiY(widget) / 1440.0 * fontScale(widget).y));
}

void setOuterSizeTwips(QWidget *window, int widthTwips, int heightTwips) {
    // The frame is known only once the window is shown; before that, outer and client size agree.
    const QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
    int width = twipsToPixelsX(window, widthTwips);
    int height = twipsToPixelsY(window, heightTwips);
    if (QScreen *screen = screenOf(window)) {
        const QSize room = screen->availableGeometry().size();
        width = std::max(screenPixelsX(window, widthTwips), std::min(width, room.width()));
        height = std::max(screenPixelsY(window, heightTwips), std::min(height, room.height()));
    }
    window->resize(width - frameExtra.width(), height - frameExtra.height());
}

void setClientSizeTwips(QWidget *window, int widthTwips, int heightTwips) {
    window->resize(twipsToPixelsX(window, widthTwips), twipsToPixelsY(window, heightTwips));
}

namespace {

// Moves the window as little as needed to stand whole in the screen's free area, where it fits.
void keepOnScreen(QWidget *window) {
    QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect outer = window->frameGeometry();
    QPoint place = outer.topLeft();
    if (outer.width() <= room.width())
        place.setX(std::clamp(place.x(), room.left(), room.right() + 1 - outer.width()));
    if (outer.height() <= room.height())
        place.setY(std::clamp(place.y(), room.top(), room.bottom() + 1 - outer.height()));
    if (place != outer.topLeft())
        window->move(place);
}

// The frame a window manager puts around a window is known only once it is shown: keeps the
// window on the screen again then, once.
class KeepOnScreenWhenFramed : public QObject {
public:
    static constexpr const char *kName = "keepOnScreenWhenFramed";

    explicit KeepOnScreenWhenFramed(QWidget *window) : QObject(window) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *window = static_cast<QWidget *>(watched);
        if ((event->type() == QEvent::Show || event->type() == QEvent::Move) &&
            window->isVisible() && window->frameGeometry().size() != window->size()) {
            keepOnScreen(window);
            deleteLater();
        }
        return false;
    }
};

} // namespace

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
    window->move(area.x() + screenPixelsX(window, left), area.y() + screenPixelsY(window, top));
    // A window grown with a large font stays on the screen where the screen can hold it: the rule
    // was made for the design's size, and its factor 1.2 would push a grown picker past the
    // right edge.
    const FontScale scale = fontScale(window);
    if (scale.x > 1 || scale.y > 1) {
        keepOnScreen(window);
        const bool watched = window->findChild<QObject *>(
            QLatin1String(KeepOnScreenWhenFramed::kName), Qt::FindDirectChildrenOnly);
        if (!window->isVisible() && !watched)
            new KeepOnScreenWhenFramed(window);
    }
}

} // namespace marlek
