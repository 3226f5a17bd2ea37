// The user at the desktop: mouse, keyboard and task bar acting through the X
// server (as real input, which the window manager sees first), and what the
// window manager then announces. A connection of the test's own, apart from
// the program's.
#pragma once

#include <string>

struct _XDisplay;
using XWindowId = unsigned long;

// The window a root window property names, 0 when it names none.
XWindowId window_named_on_root(_XDisplay* connection, const char* property);

// The window the window manager announces as active, 0 for none.
XWindowId announced_active_window();

// Presses and releases the left button at the middle of a window.
void click_in(XWindowId window);
// Presses and releases the left button at a point of a window, from its top left corner.
void click_at(XWindowId window, int x, int y);
// Types letters, digits and points on the keyboard, then Return on its own.
void type_keys(const std::string& text);
void press_return();

// Minimises a window as its frame's button does; restores it as a task bar does.
void minimise(XWindowId window);
void restore(XWindowId window);
