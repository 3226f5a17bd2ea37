#include "gfx3d/glx_display.h"

#include <QGuiApplication>

#include "gfx3d/gl_context.h"

// clang-format off
#include <X11/Xlib.h>
// clang-format on

namespace {

// X error codes raised inside a trap are recorded here instead of ending the program.
int trapped_error = 0;

int RecordXError(Display*, XErrorEvent* event) {
  if (trapped_error == 0) trapped_error = event->error_code;
  return 0;
}

}  // namespace

Display* XDisplayConnection() {
  static Display* display = [] {
    // Qt's offscreen platform answers as an X11 application without a connection of its own.
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
      if (Display* shared = x11->display()) return shared;
    return XOpenDisplay(nullptr);
  }();
  if (!display) throw EGLContext("Cannot connect to the X display");
  return display;
}

TXErrorTrap::TXErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  trapped_error = 0;
  previous_ = reinterpret_cast<void (*)()>(XSetErrorHandler(RecordXError));
}

TXErrorTrap::~TXErrorTrap() {
  XSync(display_, False);
  XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_));
}

int TXErrorTrap::Error() {
  XSync(display_, False);
  return trapped_error;
}

std::string XErrorText(Display* display, int code) {
  char text[256] = {};
  XGetErrorText(display, code, text, sizeof text);
  return text;
}
