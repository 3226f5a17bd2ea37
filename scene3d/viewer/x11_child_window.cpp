#include "scene3d/viewer/x11_child_window.h"

#include <QGuiApplication>
#include <cstdlib>

// X headers last: they define Status and Bool, which Qt's headers refuse.
#include <xcb/xcb.h>

namespace {

xcb_connection_t* QtConnection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
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
