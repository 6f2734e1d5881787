#pragma once

#include <QString>

class QObject;
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

// From now on fits every dialog of the application into its screen when it is shown: a size
// chosen in the code grows with the scale factor and could otherwise put the buttons off-screen.
// The watcher lives as long as owner.
void FitDialogsToScreen(QObject& owner);

} // namespace tessaray
