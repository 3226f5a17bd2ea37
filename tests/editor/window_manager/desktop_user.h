// The user at the desktop: mouse, keyboard and task bar acting through the X
// server (as real input, which the window manager sees first), and what the
// window manager then announces, read once it has done all it was asked
// rather than after some time. A connection of the test's own, apart from
// the program's.
#pragma once

#include <functional>
#include <string>

struct _XDisplay;
using XWindowId = unsigned long;

// The window a root window property names, 0 when it names none.
XWindowId window_named_on_root(_XDisplay* connection, const char* property);

// True once done() holds, looked at again as each event reaches the
// connection; false once keep_waiting(), asked after each wait (at most
// 100 ms long), no longer holds.
bool wait_on(_XDisplay* connection, const std::function<bool()>& done, const std::function<bool()>& keep_waiting);

// True once the window manager has handled all that reached the server
// before the call: it answers a question about a window of the caller's own
// (the frame it would give it) after everything it was sent before. False
// once keep_waiting(), asked at least every 100 ms, no longer holds.
bool window_manager_answers(_XDisplay* connection, const std::function<bool()>& keep_waiting);

// True once the window manager has done all it was asked, the program has
// handled all it was sent and asks nothing more, and the window announced as
// active has the keys: the same over two more rounds with the window manager.
// False when that does not come within a minute.
bool window_manager_settled();

// The window the window manager announces as active, 0 for none.
XWindowId announced_active_window();

// Presses and releases the left button at the middle of a window.
void click_in(XWindowId window);
// Presses and releases the left button at a point of a window, from its top left corner.
void click_at(XWindowId window, int x, int y);
// Turns the mouse wheel one step towards the user with the pointer at a point
// of a window, from its top left corner.
void turn_wheel_down_at(XWindowId window, int x, int y);
// Types letters, digits and points on the keyboard, then Return on its own.
void type_keys(const std::string& text);
void press_return();
// Presses and releases one key, by the name X gives it ("Alt_L", "F10", "Right", "Escape").
void press_key(const char* name);

// Minimises a window as its frame's button does; restores it as a task bar does.
void minimise(XWindowId window);
void restore(XWindowId window);
