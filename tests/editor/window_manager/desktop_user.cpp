#include "desktop_user.h"

#include <poll.h>

#include <QApplication>
#include <chrono>

// X headers last: they define Bool and Status, which Qt's headers refuse.
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
void tell_window_manager(Display* display, XWindowId window, const char* message, long first) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, message, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display, False);
}

bool has_property(Display* display, Window window, const char* property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 0, False, AnyPropertyType, &type,
                     &format, &count, &after, &data);
  if (data) XFree(data);
  return type != None;
}

// Where the window manager says the activation is, and where the server has the keys.
struct Activation {
  Window announced = 0;
  Window keys = 0;
  bool operator==(const Activation&) const = default;
};

Activation activation_now() {
  Activation now{announced_active_window(), 0};
  int revert = 0;
  XGetInputFocus(connection(), &now.keys, &revert);
  return now;
}

// The keys are in the announced window or one inside it; with none
// announced, nowhere or in the window manager's own window.
bool keys_with_the_announced(const Activation& activation) {
  const Window root = DefaultRootWindow(connection());
  if (!activation.announced)
    return activation.keys == None || activation.keys == PointerRoot || activation.keys == root ||
           activation.keys == window_named_on_root(connection(), "_NET_SUPPORTING_WM_CHECK");
  for (Window window = activation.keys; window && window != PointerRoot && window != root;) {
    if (window == activation.announced) return true;
    Window tree_root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(connection(), window, &tree_root, &parent, &children, &count)) return false;
    if (children) XFree(children);
    window = parent;
  }
  return false;
}

// The program handles what the window system sent it, and the server what
// the program asked.
void program_acts() {
  if (!qApp) return;
  QApplication::processEvents();
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 && x11->display()) XSync(x11->display(), False);
}

// Presses and releases a button with the pointer at a point of a window.
void press_at(XWindowId window, int x, int y, unsigned button) {
  int on_screen_x = 0, on_screen_y = 0;
  Window child = 0;
  XTranslateCoordinates(connection(), window, DefaultRootWindow(connection()), x, y, &on_screen_x, &on_screen_y,
                        &child);
  XTestFakeMotionEvent(connection(), -1, on_screen_x, on_screen_y, CurrentTime);
  XTestFakeButtonEvent(connection(), button, True, CurrentTime);
  XTestFakeButtonEvent(connection(), button, False, CurrentTime);
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

bool wait_on(Display* display, const std::function<bool()>& done, const std::function<bool()>& keep_waiting) {
  for (bool waited = false;; waited = true) {
    if (done()) return true;
    if (waited && !keep_waiting()) return false;
    pollfd events{ConnectionNumber(display), POLLIN, 0};
    if (!XPending(display)) ::poll(&events, 1, 100);
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
    }
  }
}

// A window manager still starting may not receive the question yet: it is
// asked again while it does not answer. An answer to any of the questions
// comes after all that reached the server before the first.
bool window_manager_answers(Display* display, const std::function<bool()>& keep_waiting) {
  const Window asking = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, asking, PropertyChangeMask);
  const auto ask = [display, asking] { tell_window_manager(display, asking, "_NET_REQUEST_FRAME_EXTENTS", 0); };
  const auto answered = [display, asking] { return has_property(display, asking, "_NET_FRAME_EXTENTS"); };
  const auto ask_again = [&] {
    if (!keep_waiting()) return false;
    ask();
    return true;
  };
  ask();
  const bool got_it = wait_on(display, answered, ask_again);
  XDestroyWindow(display, asking);
  XSync(display, False);
  return got_it;
}

// Each round lets the program act first, then waits for the window manager
// to handle what reached it, so that what the one asks of the other and what
// the window manager does in answer (the keys moved, then announced) is done.
bool window_manager_settled() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  const auto in_time = [deadline] { return std::chrono::steady_clock::now() < deadline; };
  Activation last = activation_now();
  for (int quiet_rounds = 0; quiet_rounds < 2;) {
    program_acts();
    if (!window_manager_answers(connection(), in_time) || !in_time()) return false;
    const Activation now = activation_now();
    quiet_rounds = now == last && keys_with_the_announced(now) ? quiet_rounds + 1 : 0;
    last = now;
  }
  return true;
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

void click_at(XWindowId window, int x, int y) { press_at(window, x, y, Button1); }

// The X server reports each step of the wheel as a press and release of a button of its own.
void turn_wheel_down_at(XWindowId window, int x, int y) {
  constexpr unsigned kWheelTowardsTheUser = Button5;
  press_at(window, x, y, kWheelTowardsTheUser);
}

void type_keys(const std::string& text) {
  for (const char c : text) tap_key(c == '.' ? XK_period : XStringToKeysym(std::string(1, c).c_str()));
}

void press_return() { tap_key(XK_Return); }

void press_key(const char* name) { tap_key(XStringToKeysym(name)); }

void minimise(XWindowId window) { tell_window_manager(connection(), window, "WM_CHANGE_STATE", IconicState); }

void restore(XWindowId window) {
  constexpr long kFromATaskBar = 2;
  tell_window_manager(connection(), window, "_NET_ACTIVE_WINDOW", kFromATaskBar);
}
