// What every window of the printed output shares: model texts handed to Qt,
// and handlers that never let an exception reach Qt's event loop.
#pragma once

#include <QString>
#include <exception>
#include <string>

#include "model/state/ui_seam.h"

inline QString qtext(const std::string& text) { return QString::fromStdString(text); }

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
