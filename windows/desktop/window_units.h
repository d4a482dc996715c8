#pragma once
// Window sizes and positions are given in twips (1440 to the inch) and turned into pixels through
// the screen's logical DPI and the window's font: the windows were laid out for the desktop's
// default font (Sans Serif at 9 points), and a window whose font is larger grows with it, as far
// as the font is wider and taller, so every text keeps its room at any font size. At the default
// font, or a smaller one, a twip is what the screen's DPI makes it.

class QWidget;
class QScreen;
class QFont;

namespace marlek {

// The font the twips were measured for.
QFont designFont();

// How much wider (x) and taller (y) than the design font the widget's font is; 1 for the design
// font and any smaller one.
struct FontScale {
    double x = 1;
    double y = 1;
};
FontScale fontScale(const QWidget *widget);

// Pixels for a length in twips in the widget (horizontal and vertical DPI may differ), grown with
// the widget's font.
int twipsToPixelsX(const QWidget *widget, int twips);
int twipsToPixelsY(const QWidget *widget, int twips);

// Resizes the window's outer frame to the size in twips. Where a larger font grows the window,
// it grows no further than the screen's free area.
void setOuterSizeTwips(QWidget *window, int widthTwips, int heightTwips);

// Gives the window a client area of the size in twips.
void setClientSizeTwips(QWidget *window, int widthTwips, int heightTwips);

// Moves the window by the placement rule: left from (screen width x factor - window width),
// top from (screen height - window height), each rounded half to even and halved; all in twips
// of the screen's DPI. A window grown with a large font is kept on the screen where it fits.
void placeWindow(QWidget *window, double factor);

} // namespace marlek
