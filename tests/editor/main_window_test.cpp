// The main window opens with the program's title and clears the service flag.
#include "editor/main_window.h"

#include <gtest/gtest.h>

#include "model/state/globals.h"

TEST(MainWindow, OpensWithTheProgramTitle) {
  AppState.debug = 1;
  TMain window;
  window.show();
  EXPECT_EQ(window.windowTitle().toStdString(), "Rackwright V1.12");
  EXPECT_EQ(AppState.debug, 0);
  EXPECT_TRUE(window.close());
}
