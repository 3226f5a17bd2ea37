// Where a window opens: the screen, and the frame the window manager puts
// around it, title bar included. The manager adds the frame only once the
// window is mapped: until then a window is expected to get the frame the last
// framed window got, as the manager frames them all alike.
#pragma once

#include <QMargins>

class QScreen;
class QWidget;

// The screen a window opens on: the screen of the window it belongs to, where
// the user works with the program, or its own.
QScreen* opening_screen(const QWidget& window);

// The frame around the window; null while the window is not framed.
QMargins frame_margins(const QWidget& window);

// The frame around the window, or the frame it is expected to get.
QMargins expected_frame(const QWidget& window);
