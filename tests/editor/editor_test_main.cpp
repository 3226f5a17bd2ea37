// The main of the editor's test programs: the program's own application, so
// that the windows meet the failure policy they meet in the program. Widget
// tests run offscreen unless the environment chose a platform; the 3-D view
// window's draw through GLX, so on X11 wherever there is a display.
#include <gtest/gtest.h>

#include "editor/application.h"

int main(int argc, char** argv) {
#ifdef EDITOR_TESTS_ON_X11
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
#else
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  Application application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
