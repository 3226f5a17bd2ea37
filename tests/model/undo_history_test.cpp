#include "model/undo_history.h"

#include <gtest/gtest.h>

#include <memory>

#include "layout_fixture.h"
#include "model/geometry_check.h"
#include "model/layout_engine.h"

namespace {

class UndoHistoryTest : public CellTest {
 protected:
  bool undo_enabled() { return ui->buttons_enabled[5]; }
  bool redo_enabled() { return ui->buttons_enabled[6]; }
  // Takes a step after naming the cell, so each step can be told apart.
  void edit(const std::string& name) {
    cell().name = name;
    push_undo_snapshot();
  }
};

TEST_F(UndoHistoryTest, EachSnapshotIsAStepAndMarksTheProjectModified) {
  edit("a");
  EXPECT_EQ(UndoPosition, 0);
  EXPECT_EQ(AppState.modified, 1);
  EXPECT_FALSE(undo_enabled());
  edit("b");
  EXPECT_EQ(UndoPosition, 1);
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_TRUE(undo_enabled());
}

TEST_F(UndoHistoryTest, UndoAndRedoStepThroughTheSnapshots) {
  edit("a");
  edit("b");
  edit("c");
  step_undo_history(-1);
  EXPECT_EQ(cell().name, "b");
  EXPECT_TRUE(undo_enabled());
  EXPECT_TRUE(redo_enabled());
  step_undo_history(-1);
  EXPECT_EQ(cell().name, "a");
  EXPECT_FALSE(undo_enabled());
  step_undo_history(-1);  // at the first step: nothing
  EXPECT_EQ(cell().name, "a");
  EXPECT_EQ(UndoPosition, 0);
  EXPECT_FALSE(undo_enabled());
  step_undo_history(1);
  step_undo_history(1);
  EXPECT_EQ(cell().name, "c");
  EXPECT_FALSE(redo_enabled());
  step_undo_history(1);  // at the last step: nothing
  EXPECT_EQ(cell().name, "c");
  EXPECT_EQ(UndoPosition, 2);
}

TEST_F(UndoHistoryTest, NewStepAfterUndoDropsTheStepsAfterIt) {
  edit("a");
  edit("b");
  edit("c");
  step_undo_history(-1);
  step_undo_history(-1);
  EXPECT_TRUE(redo_enabled());
  edit("d");
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_FALSE(redo_enabled()) << "nothing is left to redo";
  step_undo_history(1);
  EXPECT_EQ(cell().name, "d");
  EXPECT_FALSE(redo_enabled());
  step_undo_history(-1);
  EXPECT_EQ(cell().name, "a");
}

TEST_F(UndoHistoryTest, SnapshotsAreDeepCopies) {
  make_rectangle(4000, 3000);
  set_run(wall(0), 2, 0);
  recompute_layout();
  push_undo_snapshot();
  wall(0).modules[0].length = 1;
  wall(0).end_frames[0].frame_type = "XX";
  cell().free_modules.resize(3);
  EXPECT_EQ(UndoHistory[0].cells[0].walls[0].modules[0].length, 1300);
  EXPECT_EQ(UndoHistory[0].cells[0].walls[0].end_frames[0].frame_type, "TE");
  EXPECT_TRUE(UndoHistory[0].cells[0].free_modules.empty());
}

TEST_F(UndoHistoryTest, SnapshotDropsTheCellPictures) {
  Cells.push_back(Tcell{});
  for (Tcell& c : Cells) c.picture = std::make_shared<Tpicture>();
  push_undo_snapshot();
  for (const Tcell& c : Cells) EXPECT_FALSE(c.picture);
  for (const Tcell& c : UndoHistory[0].cells) EXPECT_FALSE(c.picture);
}

// The state with every preference and the file name changed, as the user may
// have done since a step was taken.
Tvar_amb with_changed_preferences(Tvar_amb state) {
  state.file_name = "prv00012.cel";
  state.max_length_index = 2;
  state.background_3d = 1;
  state.wall_transparency = 50;
  state.wall_height = 2500;
  state.language = 3;
  state.debug = 1;
  state.optional_sizes = 1;
  state.product_switch = 1;
  state.resolution_3d = 2;
  state.archive_col_widths = {1, 2, 3, 4, 5, 6};
  state.inches = true;
  state.decimals = 3;
  state.unit_factor = MmPerInch;
  state.black_background = true;
  state.print_max_loads = false;
  state.palette[4] = 77;
  return state;
}

TEST_F(UndoHistoryTest, StepRestoresTheEditingStateAndKeepsThePreferences) {
  AppState.zoom = 2.0;
  AppState.pan_x = 10;
  AppState.select_walls_mode = 1;
  edit("a");
  AppState.zoom = 5.0;
  AppState.pan_x = 99;
  AppState.select_walls_mode = 0;
  edit("b");
  AppState = with_changed_preferences(AppState);
  AppState.modified = 0;  // saved
  step_undo_history(-1);
  Tvar_amb expected = with_changed_preferences(UndoHistory[0].state);
  expected.modified = 1;
  EXPECT_EQ(AppState, expected);
  EXPECT_EQ(AppState.zoom, 2.0);
}

TEST_F(UndoHistoryTest, StepClearsTheSecondWallMarkAndKeepsTheCellIndexValid) {
  Cells.resize(3);
  AppState.current_cell = 2;
  make_rectangle(4000, 3000);
  Cells[2].walls[0].selected2 = true;
  Cells[2].walls[1].selected = true;
  push_undo_snapshot();
  Cells.resize(1);
  AppState.current_cell = 0;
  push_undo_snapshot();
  step_undo_history(-1);
  EXPECT_EQ(Cells.size(), 3u);
  EXPECT_EQ(AppState.current_cell, 2);
  EXPECT_FALSE(Cells[2].walls[0].selected2);
  EXPECT_TRUE(Cells[2].walls[1].selected);
  // A step whose cell index lies beyond its cells goes to the first cell.
  UndoHistory[1].state.current_cell = 2;
  step_undo_history(1);
  EXPECT_EQ(AppState.current_cell, 0);
}

class GeometryCheck : public CellTest {
 protected:
  // Two walls at a corner, with the given normals.
  void corner(Tvec2 n0, Tvec2 n1) {
    make_outline({{0, 0}, {1000, 0}, {1000, 1000}});
    cell().walls.pop_back();
    wall(0).normal_x = n0.x;
    wall(0).normal_y = n0.y;
    wall(1).normal_x = n1.x;
    wall(1).normal_y = n1.y;
  }
};

TEST_F(GeometryCheck, ClosedRectanglesAreValidEitherWayRound) {
  make_rectangle(4000, 3000);
  EXPECT_TRUE(check_cell_geometry());
  make_outline({{0, 0}, {0, 3000}, {4000, 3000}, {4000, 0}});
  EXPECT_TRUE(check_cell_geometry());
  EXPECT_EQ(wall(0).normal_x, -1);
}

TEST_F(GeometryCheck, StraightContinuationIsValid) {
  make_outline({{0, 0}, {2000, 0}, {2800, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  EXPECT_TRUE(check_cell_geometry());
}

TEST_F(GeometryCheck, SlantedWallIsInvalid) {
  make_rectangle(4000, 3000);
  wall(1).x2 += 100;
  wall(2).x1 += 100;
  EXPECT_FALSE(check_cell_geometry());
}

TEST_F(GeometryCheck, WallFoldingBackIsInvalid) {
  corner({0, -1}, {0, 1});
  wall(1).x2 = 500;
  wall(1).y2 = 0;
  EXPECT_FALSE(check_cell_geometry());
}

TEST_F(GeometryCheck, NormalsContradictingTheCornerAreInvalid) {
  corner({0, -1}, {1, 0});  // an inside corner seen from both walls
  EXPECT_TRUE(check_cell_geometry());
  corner({0, 1}, {1, 0});  // wall 0 runs into wall 1's normal and wall 1 leaves along wall 0's
  EXPECT_FALSE(check_cell_geometry());
}

TEST_F(GeometryCheck, CornerInconsistentWithTheNormalsIsInvalid) {
  corner({0, -1}, {-1, 0});
  EXPECT_FALSE(check_cell_geometry());
}

class UndoRollback : public UndoHistoryTest {};

TEST_F(UndoRollback, MoveFoldingANeighbourBackIsRolledBackWithTextEight) {
  make_rectangle(4000, 3000);
  push_undo_snapshot();
  push_undo_snapshot();
  const std::vector<Tlinea> before = cell().walls;
  AppState.place_free_module_mode = 1;
  wall(1).selected = true;
  ui->input_answers.push_back("-5000");
  move_selection_by_value(vec_make(1, 0));  // the right wall passes the left one
  push_undo_snapshot();
  EXPECT_EQ(cell().walls, before);
  EXPECT_EQ(UndoPosition, 1);
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_TRUE(undo_enabled());
  EXPECT_FALSE(redo_enabled());
  EXPECT_EQ(AppState.place_free_module_mode, 0) << "the edit mode ends";
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"text 8"}));
}

TEST_F(UndoRollback, RejectedFirstSnapshotLeavesAnEmptyHistory) {
  make_rectangle(4000, 3000);
  wall(1).x2 += 500;
  push_undo_snapshot();
  EXPECT_TRUE(UndoHistory.empty());
  EXPECT_EQ(UndoPosition, -1);
  EXPECT_FALSE(undo_enabled());
  EXPECT_FALSE(redo_enabled());
  EXPECT_EQ(ui->messages.size(), 1u);
  push_undo_snapshot();  // the next step starts the history again
  EXPECT_EQ(UndoPosition, -1);
  wall(1).x2 -= 500;
  push_undo_snapshot();
  EXPECT_EQ(UndoPosition, 0);
}

TEST_F(UndoRollback, NoCheckWhileTheOutlineIsDrawnOrOpen) {
  make_rectangle(4000, 3000);
  wall(1).x2 += 500;
  AppState.outline_mode = 1;
  push_undo_snapshot();
  AppState.outline_mode = 0;
  cell().outline_closed = false;
  push_undo_snapshot();
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_TRUE(ui->messages.empty());
}

}  // namespace
