#include "gfx3d/gl/glx_display.h"

#include <dlfcn.h>
#include <link.h>

#include <QGuiApplication>
#include <cstring>

#include "gfx3d/gl/gl_context.h"

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

// The connection contexts are made on, and whether the library opened it.
struct XConnection {
  Display* display = nullptr;
  bool owned = false;
};

XConnection& Connection() {
  static XConnection connection;
  return connection;
}

// Keeps every loaded GL driver module ("*_dri.so") in memory for the rest of
// the process. Closing the last connection would unload the driver, and what
// it allocated for the life of the process would then read as leaked.
void KeepGLDriversLoaded() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void*) {
        const char* name = info->dlpi_name;
        const std::size_t length = name ? std::strlen(name) : 0;
        constexpr std::size_t suffix = sizeof "_dri.so" - 1;
        if (length > suffix && std::strcmp(name + length - suffix, "_dri.so") == 0)
          dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

}  // namespace

Display* XDisplayConnection() {
  XConnection& connection = Connection();
  if (!connection.display) {
    // Qt's offscreen platform answers as an X11 application without a connection of its own.
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
      connection.display = x11->display();
    if (!connection.display) {
      connection.display = XOpenDisplay(nullptr);
      connection.owned = connection.display != nullptr;
    }
  }
  if (!connection.display) throw EGLContext("Cannot connect to the X display");
  return connection.display;
}

bool XDisplayConnected() { return Connection().display != nullptr; }

void CloseXDisplayConnection() {
  XConnection& connection = Connection();
  if (connection.owned) {
    KeepGLDriversLoaded();
    XCloseDisplay(connection.display);
  }
  connection = XConnection{};
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
