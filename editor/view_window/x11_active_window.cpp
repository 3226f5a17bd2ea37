#include "editor/view_window/x11_active_window.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string_view>

// X headers last: they define Status and Bool, which Qt's headers refuse.
#include <xcb/xcb.h>

namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using Owned = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t* qt_connection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// The window a root window property names; nothing when it names none.
std::optional<xcb_window_t> window_named_on_root(xcb_connection_t* connection, xcb_window_t root,
                                                 std::string_view property) {
  const Owned<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(property.size()), property.data()), nullptr));
  if (!atom || atom->atom == XCB_ATOM_NONE) return std::nullopt;
  const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr));
  if (!reply || reply->type != XCB_ATOM_WINDOW || xcb_get_property_value_length(reply.get()) != sizeof(xcb_window_t))
    return std::nullopt;
  return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

xcb_window_t keyboard_focus(xcb_connection_t* connection) {
  const Owned<xcb_get_input_focus_reply_t> reply(
      xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  return reply ? reply->focus : xcb_window_t{XCB_NONE};
}

}  // namespace

std::optional<X11Activation> x11_activation() {
  xcb_connection_t* connection = qt_connection();
  if (!connection) return std::nullopt;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const std::optional<xcb_window_t> announced = window_named_on_root(connection, root, "_NET_ACTIVE_WINDOW");
  if (!announced) return std::nullopt;
  // A window manager that gives the keys to no client gives them to its own window.
  const std::optional<xcb_window_t> own = window_named_on_root(connection, root, "_NET_SUPPORTING_WM_CHECK");
  const xcb_window_t focus = keyboard_focus(connection);
  const bool on_no_client = focus == XCB_NONE || focus == XCB_INPUT_FOCUS_POINTER_ROOT || focus == root || focus == own;
  return X11Activation{*announced, on_no_client ? 0 : focus};
}
