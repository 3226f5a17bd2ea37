// The main of the tests under a window manager: their own desktop first, then
// the one QApplication on it.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

#include "private_desktop.h"

int main(int argc, char** argv) {
  PrivateDesktop desktop;
  if (!desktop.error().empty()) {
    std::fprintf(stderr, "no desktop to test on: %s (scripts/install-deps.sh installs it)\n", desktop.error().c_str());
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
