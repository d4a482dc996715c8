#pragma once
// Where a window opens: its left and top edge, in twips, for a screen and window size in twips.

namespace marlek {

// (screen x factor - window) rounded to the nearest whole number, a half to the even neighbour,
// then halved toward zero. The factor is 0.9 for the main window and the catalogues, 1.2 for the
// number picker and 1 for centred windows. The result may be negative on a small screen.
int placementOffset(double screenTwips, double factor, double windowTwips);

} // namespace marlek
