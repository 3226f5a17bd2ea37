#include "model/state/undo_history.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "layout_fixture.h"
#include "model/layout/geometry_check.h"
#include "model/layout/layout_engine.h"

namespace {

class UndoHistoryTest : public CellTest {
 protected:
  bool undo_enabled() { return ui->buttons_enabled[5]; }
  bool redo_enabled() { return ui->buttons_enabled[6]; }
};

// One action of a session (an edit that names the cell, or a step of -1 for
// Undo or +1 for Redo) and the history after it.
struct SessionStep {
  int step;          // 0 for an edit
  const char* name;  // of the cell: the one edited, or the one a step restores
  int position;
  std::size_t size;
  bool undo, redo;  // the buttons enabled
};

const SessionStep session[] = {
    {0, "a", 0, 1, false, false},  // edit: the first step, nothing to undo
    {0, "b", 1, 2, true, false},   // edit
    {0, "c", 2, 3, true, false},   // edit
    {-1, "b", 1, 3, true, true},   // undo
    {-1, "a", 0, 3, false, true},  // undo
    {-1, "a", 0, 3, false, true},  // undo at the first step: nothing
    {1, "b", 1, 3, true, true},    // redo
    {1, "c", 2, 3, true, false},   // redo
    {1, "c", 2, 3, true, false},   // redo at the last step: nothing
    {-1, "b", 1, 3, true, true},   // undo
    {-1, "a", 0, 3, false, true},  // undo
    {0, "d", 1, 2, true, false},   // edit: drops the two steps undone, nothing is left to redo
    {1, "d", 1, 2, true, false},   // redo: nothing
    {-1, "a", 0, 2, false, true},  // undo
};

TEST_F(UndoHistoryTest, EditsAddStepsThatUndoAndRedoWalkThrough) {
  for (std::size_t i = 0; i < std::size(session); ++i) {
    const SessionStep& s = session[i];
    SCOPED_TRACE("action " + std::to_string(i));
    if (s.step == 0) {
      cell().name = s.name;
      push_undo_snapshot();
    } else {
      step_undo_history(s.step);
    }
    EXPECT_EQ(cell().name, s.name);
    EXPECT_EQ(UndoPosition, s.position);
    EXPECT_EQ(UndoHistory.size(), s.size);
    EXPECT_EQ(undo_enabled(), s.undo);
    EXPECT_EQ(redo_enabled(), s.redo);
    EXPECT_EQ(AppState.modified, 1) << "from the first edit on";
  }
}

// The 3-D pictures must be taken again after an edit. (That snapshots are
// copies the session and the roll-back show.)
TEST_F(UndoHistoryTest, SnapshotDropsTheCellPictures) {
  Cells.push_back(Tcell{});
  for (Tcell& c : Cells) c.picture = std::make_shared<Tpicture>();
  push_undo_snapshot();
  for (const Tcell& c : Cells) EXPECT_FALSE(c.picture);
  for (const auto& c : UndoHistory[0].cells) EXPECT_FALSE(c->picture);
}

// A step keeps only the cells that changed: the others are shared with the
// step before, whichever cell is current, and each step still restores its own.
TEST_F(UndoHistoryTest, StepsShareTheCellsThatDidNotChange) {
  Cells = {Tcell{}, Tcell{}, Tcell{}};
  push_undo_snapshot();
  Cells[1].name = "changed";
  push_undo_snapshot();
  push_undo_snapshot();  // nothing changed
  for (std::size_t c : {0u, 2u}) EXPECT_EQ(UndoHistory[1].cells[c], UndoHistory[0].cells[c]) << c;
  EXPECT_NE(UndoHistory[1].cells[1], UndoHistory[0].cells[1]);
  for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(UndoHistory[2].cells[c], UndoHistory[1].cells[c]) << c;
  step_undo_history(-2);
  EXPECT_EQ(Cells[1].name, "");
  step_undo_history(1);
  EXPECT_EQ(Cells[1].name, "changed");
}

// Tripwire: a new field of Tvar_amb changes its size. Classify it, in the undo
// step, as editing state (restored) or preference (kept, then listed below),
// and only then update the size here.
static_assert(sizeof(Tvar_amb) == 2064, "classify the new Tvar_amb field for the undo step");

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
  push_undo_snapshot();
  AppState.zoom = 5.0;
  AppState.pan_x = 99;
  AppState.select_walls_mode = 0;
  push_undo_snapshot();
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
  EXPECT_EQ(std::pair(Cells.size(), AppState.current_cell), std::pair(std::size_t{3}, 2));
  EXPECT_TRUE(!Cells[2].walls[0].selected2 && Cells[2].walls[1].selected);
  // A step whose cell index lies beyond its cells goes to the first cell.
  UndoHistory[1].state.current_cell = 2;
  step_undo_history(1);
  EXPECT_EQ(AppState.current_cell, 0);
}

class GeometryCheck : public CellTest {};

TEST_F(GeometryCheck, ClosedRectanglesAndStraightContinuationsAreValid) {
  make_rectangle(4000, 3000);
  EXPECT_TRUE(check_cell_geometry());
  make_outline({{0, 0}, {0, 3000}, {4000, 3000}, {4000, 0}});
  EXPECT_TRUE(check_cell_geometry());
  EXPECT_EQ(wall(0).normal_x, -1) << "clockwise";
  make_room_with_opening();
  EXPECT_TRUE(check_cell_geometry());
}

TEST_F(GeometryCheck, SlantedWallIsInvalid) {
  make_rectangle(4000, 3000);
  wall(1).x2 += 100;
  wall(2).x1 += 100;
  EXPECT_FALSE(check_cell_geometry());
}

TEST_F(GeometryCheck, CornerMustBeATurnThatAgreesWithBothNormals) {
  // Two walls at a corner: the first from (0, 0) to (1000, 0), the second on from there.
  const struct {
    Tvec2 first_normal, second_normal, second_end;
    bool valid;
  } corners[] = {
      {{0, -1}, {1, 0}, {1000, 1000}, true},    // an inside corner seen from both walls
      {{0, 1}, {1, 0}, {1000, 1000}, false},    // runs into the second's normal, which leaves along the first's
      {{0, -1}, {-1, 0}, {1000, 1000}, false},  // neither an inside nor an outside corner
      {{0, -1}, {0, 1}, {500, 0}, false},       // the second wall folds back onto the first
  };
  for (const auto& c : corners) {
    SCOPED_TRACE(&c - corners);
    make_outline({{0, 0}, {1000, 0}, c.second_end});
    cell().walls.pop_back();
    wall(0).normal_x = c.first_normal.x;
    wall(0).normal_y = c.first_normal.y;
    wall(1).normal_x = c.second_normal.x;
    wall(1).normal_y = c.second_normal.y;
    EXPECT_EQ(check_cell_geometry(), c.valid);
  }
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
  EXPECT_EQ(std::pair(UndoPosition, UndoHistory.size()), std::pair(1, std::size_t{2}));
  EXPECT_TRUE(undo_enabled() && !redo_enabled());
  EXPECT_EQ(AppState.place_free_module_mode, 0) << "the edit mode ends";
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"text 8"}));
}

TEST_F(UndoRollback, RejectedFirstSnapshotLeavesAnEmptyHistory) {
  make_rectangle(4000, 3000);
  wall(1).x2 += 500;
  push_undo_snapshot();
  EXPECT_TRUE(UndoHistory.empty());
  EXPECT_EQ(UndoPosition, -1);
  EXPECT_FALSE(undo_enabled() || redo_enabled());
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
