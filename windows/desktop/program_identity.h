#pragma once
// What the desktop knows the program's windows by: the program's name, its desktop entry (the
// task bar groups the windows under it) and its icon, from the icon resource linked into the
// program. The desktop program and the browser program carry the same.

namespace marlek {

// Call once, after the QApplication is made and before the first window shows.
void setProgramIdentity();

} // namespace marlek
