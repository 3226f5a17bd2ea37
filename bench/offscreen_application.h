// The one QApplication of a benchmark of windows, offscreen, made on first use.
#pragma once

#include <QApplication>

inline QApplication& offscreen_application() {
  static int argc = 1;
  static char name[] = "rackwright_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}
