// What the windows of customers, prices, quotes, printing and mail share: the
// model's texts as the windows show them (qt_lang_text.h), and guarded(), in
// which the four that run commands (customers, price table, quote header,
// print) wrap their handlers, so that an error shows its message and the
// window goes on instead of the exception reaching Qt's event loop.
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
