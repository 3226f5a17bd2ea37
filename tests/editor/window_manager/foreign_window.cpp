#include "foreign_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
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

// The window's id comes back on a pipe, once it is mapped.
ForeignWindow::ForeignWindow() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return;
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length > 0)
    process_ = spawn({std::string(path, static_cast<std::size_t>(length)), kForeignWindowOption}, ends[1]);
  ::close(ends[1]);
  std::string number;
  char c = 0;
  while (process_ && ::read(ends[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(ends[0]);
  if (!number.empty()) id_ = std::stoul(number);
}

ForeignWindow::~ForeignWindow() { stop(process_); }

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
