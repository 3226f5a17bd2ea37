// The viewer tests' main: one QApplication on X11, since GLX draws only
// there. Without a display Qt runs off screen and the tests that need a
// context skip (or fail under REQUIRE_GL=1).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
