#include "editor/x11_desktop.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <memory>

// X headers last: they define Status and Bool, which Qt's headers refuse.
#include <xcb/xcb.h>

namespace {

xcb_connection_t* qt_connection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// The program's top-level window holding the window with the id, if any.
const QWindow* program_top_level_holding(xcb_window_t id) {
  for (const QWindow* window : QGuiApplication::allWindows())
    if (window->handle() && window->winId() == id) {
      while (window->parent()) window = window->parent();
      return window;
    }
  return nullptr;
}

}  // namespace

// The request goes out with the program's next ones (a closing window's
// unmapping, which Qt sends at once): the server carries them out together,
// with nothing of the window manager's between them.
std::optional<bool> x11_move_keys(const QWindow& from, const QWindow& to) {
  xcb_connection_t* connection = qt_connection();
  if (!connection) return std::nullopt;
  const std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&std::free)> focus(
      xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr), &std::free);
  if (!focus || !to.handle() || program_top_level_holding(focus->focus) != &from) return false;
  xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, static_cast<xcb_window_t>(to.winId()), XCB_CURRENT_TIME);
  return true;
}

void x11_set_owner(const QWindow& window, const QWindow* owner) {
  xcb_connection_t* connection = qt_connection();
  if (!connection || !window.handle() || (owner && !owner->handle())) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  if (owner) {
    const auto owner_id = static_cast<xcb_window_t>(owner->winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1,
                        &owner_id);
  } else {
    xcb_delete_property(connection, id, XCB_ATOM_WM_TRANSIENT_FOR);
  }
  xcb_flush(connection);
}
