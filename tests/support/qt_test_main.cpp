// The test main of every test program that needs Qt: one QApplication for the
// whole program, created before any test runs. Widget tests run offscreen
// unless the environment chose a platform (the 3-D viewer's tests ask for xcb).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
