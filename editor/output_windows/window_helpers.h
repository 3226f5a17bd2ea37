// What every window of the printed output shares: handlers that never let an
// exception reach Qt's event loop.
#pragma once

#include <QString>
#include <exception>
#include <string>

#include "editor/qt_lang_text.h"
#include "model/state/ui_seam.h"

// Wraps a handler so that an error shows its message and the window goes on.
template <typename Handler>
auto guarded(Handler handler) {
  return [handler](auto&&...) {
    try {
      handler();
    } catch (const std::exception& error) {
      ui().show_message(error.what());
    }
  };
}
