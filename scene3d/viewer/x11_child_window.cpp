#include "scene3d/viewer/x11_child_window.h"

#include <QGuiApplication>
#include <cstdlib>

#include "gfx3d/gl_binding.h"

// X headers last: they define Status and Bool, which Qt's headers refuse.
#include <GL/glx.h>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* QtConnection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

bool HasGLXExtension(const char* name) {
  Display* display = glXGetCurrentDisplay();
  if (!display) return false;
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  return extensions && HasExtension(name, extensions);
}

}  // namespace

bool QtRunsOnX11() { return QtConnection() != nullptr; }

void FlushQtX11Connection() {
  xcb_connection_t* connection = QtConnection();
  if (!connection) return;
  // A round trip: when its reply arrives, the server has carried out every earlier request.
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

TChildWindowExposeFilter::TChildWindowExposeFilter(std::function<void()> onExpose) : on_expose_(std::move(onExpose)) {
  if (qApp) qApp->installNativeEventFilter(this);
}

TChildWindowExposeFilter::~TChildWindowExposeFilter() {
  if (qApp) qApp->removeNativeEventFilter(this);
}

void TChildWindowExposeFilter::Watch(std::uintptr_t window) {
  window_ = window;
  xcb_connection_t* connection = QtConnection();
  if (!window || !connection) return;
  // Each client selects its own events on a window; Qt's connection asks for the child's Exposes.
  const std::uint32_t mask = XCB_EVENT_MASK_EXPOSURE;
  xcb_change_window_attributes(connection, static_cast<xcb_window_t>(window), XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);
}

bool TChildWindowExposeFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (!window_ || eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & ~0x80) != XCB_EXPOSE) return false;
  const auto* expose = reinterpret_cast<const xcb_expose_event_t*>(event);
  if (expose->window != static_cast<xcb_window_t>(window_)) return false;
  if (expose->count == 0) on_expose_();
  return true;
}

bool CurrentSwapInterval(int& interval) {
  if (HasGLXExtension("GLX_EXT_swap_control")) {
    unsigned value = 0;
    glXQueryDrawable(glXGetCurrentDisplay(), glXGetCurrentDrawable(), GLX_SWAP_INTERVAL_EXT, &value);
    interval = static_cast<int>(value);
    return true;
  }
  if (HasGLXExtension("GLX_MESA_swap_control")) {
    auto get =
        reinterpret_cast<int (*)()>(glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXGetSwapIntervalMESA")));
    interval = get ? get() : 0;
    return get != nullptr;
  }
  return false;
}

void SetCurrentSwapInterval(int interval) {
  if (HasGLXExtension("GLX_EXT_swap_control")) {
    auto set = reinterpret_cast<void (*)(Display*, GLXDrawable, int)>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    if (set) set(glXGetCurrentDisplay(), glXGetCurrentDrawable(), interval);
  } else if (HasGLXExtension("GLX_MESA_swap_control")) {
    auto set =
        reinterpret_cast<int (*)(unsigned)>(glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    if (set) set(static_cast<unsigned>(interval));
  }
}
