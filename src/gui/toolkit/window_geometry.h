#pragma once

#include <QString>

class QWidget;

namespace tessaray {

// Keeps the place and size of window in the program's settings under "Window/<key>": restored when
// the window is first shown, stored whenever it is hidden. Either way the window is then fitted
// into the available geometry of its screen, so it never opens larger than the screen or beyond its
// edges (a screen that became smaller or a larger scale factor).
void RememberGeometry(QWidget* window, const QString& key);

// Shrinks window to the available geometry of its screen (as far as its minimum size allows) and
// moves it inside.
void FitToScreen(QWidget* window);

} // namespace tessaray
