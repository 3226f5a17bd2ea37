// The main of the tests under a window manager: their own desktop first, then
// the program's one application on it. Started again with an option, it is the other
// program whose window the tests click.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "editor/application.h"
#include "foreign_window.h"
#include "private_desktop.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kForeignWindowOption) == 0) return run_foreign_window();
  PrivateDesktop desktop;
  if (!desktop.error().empty()) {
    std::fprintf(stderr, "no desktop to test on: %s (scripts/install-deps.sh installs it)\n", desktop.error().c_str());
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  Application application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
