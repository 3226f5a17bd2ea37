// Where the activation is on X11, as the window manager announces it on the
// root window and as the server has the keyboard focus. Qt learns that the
// program lost the activation only some time later (it waits for the
// activation to come to another of its windows); the window manager announces
// a move only after the server has carried it out.
#pragma once

#include <qwindowdefs.h>

#include <optional>

struct X11Activation {
  WId announced = 0;       // the active window the window manager names, 0 for none
  WId keyboard_focus = 0;  // 0 for none, the root window or the window manager's own window
};

// Nothing when Qt does not run on X11 or the window manager announces no active window.
std::optional<X11Activation> x11_activation();
