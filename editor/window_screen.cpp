#include "editor/window_screen.h"

#include <QWidget>
#include <QWindow>

namespace {

QMargins last_known_frame;

}  // namespace

QScreen* opening_screen(const QWidget& window) {
  const QWidget* owner = window.parentWidget();
  return owner ? owner->window()->screen() : window.screen();
}

QMargins frame_margins(const QWidget& window) {
  // The native window's, asked afresh once the window manager has told them:
  // the widget keeps the first it was told until the window moves or resizes.
  const QWindow* handle = window.windowHandle();
  if (!handle) return {};
  const QMargins margins = handle->frameMargins();
  // Qt may tell a makeshift frame while the window manager frames the window.
  if (margins.isNull() || margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0)
    return {};
  last_known_frame = margins;
  return margins;
}

QMargins expected_frame(const QWidget& window) {
  const QMargins frame = frame_margins(window);
  return frame.isNull() ? last_known_frame : frame;
}
