#pragma once
// Window sizes and positions are given in twips (1440 to the inch) and turned into pixels through
// the screen's logical DPI.

class QWidget;
class QScreen;

namespace marlek {

// Pixels for a length in twips on the widget's screen (horizontal and vertical DPI may differ).
int twipsToPixelsX(const QWidget *widget, int twips);
int twipsToPixelsY(const QWidget *widget, int twips);

// Resizes the window's outer frame to the size in twips.
void setOuterSizeTwips(QWidget *window, int widthTwips, int heightTwips);

// Gives the window a client area of the size in twips.
void setClientSizeTwips(QWidget *window, int widthTwips, int heightTwips);

// Moves the window by the placement rule: left from (screen width x factor - window width),
// top from (screen height - window height), each rounded half to even and halved; all in twips.
void placeWindow(QWidget *window, double factor);

} // namespace marlek
