// The program as a user starts it (see started_program.h) with a room of four
// walls in its first cell and the main window shown; every window goes after
// the test.
#pragma once

#include <gtest/gtest.h>

#include "editor/main/main_window.h"
#include "editor/main/windows.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "editor/view_window/view_3d_window.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "support/fresh_project.h"
#include "support/room_outline.h"

class ProgramWithARoom : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start_program_in_italian());
    current_cell().walls = four_by_three_walls();
    compute_wall_normals();
    Main->show();
  }
  void TearDown() override {
    F3d->hide();
    Main->hide();
    destroy_windows();
    reset_open_project();
  }

  StagedProgramDir folder;
};
