// Windows that open in the middle of their screen (window_screen.h),
// whatever window opened them. The middle is the frame's, title bar included:
// the window manager adds the frame only once the window is mapped, so a
// window first centred without knowing its frame is centred again as soon as
// the frame is known.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// A message box takes its size as it shows, and again as it lays out its
// text: it is centred each time.
enum class Centring { every_show, first_show, every_show_and_size };

// The window is centred when it is shown (only the first time, or every time),
// and, if asked, whenever the program gives it another size while it is shown.
void centre_on_screen_when_shown(QWidget& window, Centring when);

// Where the client area goes so that the frame around it is centred in the area.
QPoint centred_client_position(const QRect& area, const QSize& client, const QMargins& frame);
