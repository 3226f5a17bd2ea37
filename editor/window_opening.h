// When a window of the program fills itself: only when it opens. A window
// opens when the program shows it (every exec() or show(), also of a window
// shown before). The window system shows a window again when the user
// restores it after a minimise, of the window itself or of the whole program
// (the window manager minimises a dialog together with the window it belongs
// to): that show is spontaneous, and the window is shown as the user left it,
// with what was typed and not yet confirmed.
#pragma once

#include <QShowEvent>

inline bool opens_the_window(const QShowEvent& event) { return !event.spontaneous(); }
