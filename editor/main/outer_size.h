// A window that opens at a given outer size, frame included, as far as its
// screen allows. The window manager adds the frame only once the window is
// mapped, so the client area is sized again as soon as the frame is known,
// about its centre, so that a window centred on the screen stays centred.
#pragma once

#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

// Sizes the window now, as if it had no frame, and again each time it is
// shown; sized runs each time the window has been sized with its frame known.
void open_at_outer_size(QWidget& window, QSize outer, std::function<void()> sized);

// The client area that makes the outer size, bounded by the area, with a frame of that size.
QSize client_size_within(const QRect& area, QSize outer, QSize frame);
