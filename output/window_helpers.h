// What every window of the printed output shares: model texts handed to Qt,
// and handlers that never let an exception reach Qt's event loop.
#pragma once

#include <QLocale>
#include <QString>
#include <exception>
#include <string>

#include "model/state/ui_seam.h"

inline QString qtext(const std::string& text) { return QString::fromStdString(text); }

// The decimal separator of the user's locale, in which prices and discounts
// are shown and typed.
inline char user_decimal_separator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
}

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
