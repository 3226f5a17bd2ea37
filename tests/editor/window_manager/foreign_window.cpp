#include "foreign_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <string>

#include "child_process.h"

namespace {

constexpr int kWidth = 200, kHeight = 150;

// Placed where the program asks and kept above normal windows, as a window
// the user keeps in view.
void place_above_in_the_corner(Display* display, Window window) {
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = DisplayWidth(display, DefaultScreen(display)) - kWidth - 20;
  hints.y = 40;
  hints.width = kWidth;
  hints.height = kHeight;
  XSetWMNormalHints(display, window, &hints);
  const Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&above), 1);
}

}  // namespace

// The other program writes its window's id once the window is mapped, while
// the window manager may still be about to move the keys to it.
ForeignWindow::ForeignWindow() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return;
  std::string written;
  process_ = spawn_until_ready({std::string(path, static_cast<std::size_t>(length)), kForeignWindowOption}, written);
  if (!written.empty() && window_manager_settled()) id_ = std::stoul(written);
}

ForeignWindow::~ForeignWindow() {
  stop(process_);
  window_manager_settled();
}

int run_foreign_window() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kWidth, kHeight, 0,
                                            BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, "Another program");
  place_above_in_the_corner(display, window);
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  XEvent event{};
  do XNextEvent(display, &event);
  while (event.type != MapNotify);
  const std::string id = std::to_string(window) + "\n";
  if (::write(3, id.data(), id.size()) != static_cast<ssize_t>(id.size())) return 1;
  ::close(3);
  for (;;) XNextEvent(display, &event);
}
