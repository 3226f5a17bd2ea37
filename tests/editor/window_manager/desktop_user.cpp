#include "desktop_user.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdexcept>

namespace {

Display* connection() {
  static Display* const opened = XOpenDisplay(nullptr);
  if (!opened) throw std::runtime_error("no X server to act on");
  return opened;
}

// The user's requests reach the server at once, in order.
void send() { XSync(connection(), False); }

void tap_key(KeySym symbol) {
  const KeyCode key = XKeysymToKeycode(connection(), symbol);
  XTestFakeKeyEvent(connection(), key, True, CurrentTime);
  XTestFakeKeyEvent(connection(), key, False, CurrentTime);
  send();
}

// A message to the window manager about a window, as pagers and task bars send them.
void tell_window_manager(XWindowId window, const char* message, long first) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(connection(), message, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(connection(), DefaultRootWindow(connection()), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
  send();
}

}  // namespace

XWindowId window_named_on_root(Display* display, const char* property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XWindowId named = 0;
  if (XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, property, False), 0, 1, False,
                         XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      count == 1)
    named = *reinterpret_cast<const Window*>(data);
  if (data) XFree(data);
  return named;
}

XWindowId announced_active_window() { return window_named_on_root(connection(), "_NET_ACTIVE_WINDOW"); }

void click_in(XWindowId window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(connection(), window, &attributes);
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(connection(), window, DefaultRootWindow(connection()), attributes.width / 2,
                        attributes.height / 2, &x, &y, &child);
  XTestFakeMotionEvent(connection(), -1, x, y, CurrentTime);
  XTestFakeButtonEvent(connection(), Button1, True, CurrentTime);
  XTestFakeButtonEvent(connection(), Button1, False, CurrentTime);
  send();
}

void click_at(XWindowId window, int x, int y) {
  int on_screen_x = 0, on_screen_y = 0;
  Window child = 0;
  XTranslateCoordinates(connection(), window, DefaultRootWindow(connection()), x, y, &on_screen_x, &on_screen_y,
                        &child);
  XTestFakeMotionEvent(connection(), -1, on_screen_x, on_screen_y, CurrentTime);
  XTestFakeButtonEvent(connection(), Button1, True, CurrentTime);
  XTestFakeButtonEvent(connection(), Button1, False, CurrentTime);
  send();
}

void type_keys(const std::string& text) {
  for (const char c : text) tap_key(c == '.' ? XK_period : XStringToKeysym(std::string(1, c).c_str()));
}

void press_return() { tap_key(XK_Return); }

void minimise(XWindowId window) { tell_window_manager(window, "WM_CHANGE_STATE", IconicState); }

void restore(XWindowId window) {
  constexpr long kFromATaskBar = 2;
  tell_window_manager(window, "_NET_ACTIVE_WINDOW", kFromATaskBar);
}
