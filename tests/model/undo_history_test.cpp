#include "model/layout/undo_history.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "layout_fixture.h"
#include "model/base/units.h"
#include "model/files/cell_list.h"
#include "model/layout/compact_groups.h"
#include "model/layout/edit_modes.h"
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

const SessionStep kSession[] = {
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
  for (std::size_t i = 0; i < std::size(kSession); ++i) {
    const SessionStep& s = kSession[i];
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
  for (Tcell& c : Cells.edit_all()) c.picture = std::make_shared<Tpicture>();
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

// Sharing is by identity: a cell the edit did not touch is the step before's
// object, whatever its place, and a touched one is a fresh copy of it.
class UndoSharing : public UndoHistoryTest {
 protected:
  void SetUp() override {
    UndoHistoryTest::SetUp();
    Cells = {Tcell{}, Tcell{}, Tcell{}};
    for (std::size_t c = 0; c < 3; ++c) Cells[c].name = std::string(1, static_cast<char>('A' + c));
    push_undo_snapshot();
  }
  static const Tcell* stored(int step, std::size_t c) {
    return UndoHistory.at(static_cast<std::size_t>(step)).cells.at(c).get();
  }
  static std::string names() {
    std::string all;
    for (const Tcell& c : Cells) all += c.name;
    return all;
  }
  // Every cell of the last step equals the live one: no change was lost.
  static void expect_last_step_is_live() {
    const auto& step = UndoHistory.back().cells;
    ASSERT_EQ(step.size(), Cells.size());
    for (std::size_t c = 0; c < step.size(); ++c) EXPECT_TRUE(*step[c] == std::as_const(Cells)[c]) << c;
  }
};

TEST_F(UndoSharing, ReorderingInsertingAndDeletingShareEveryUnchangedCell) {
  CellOrderForm form = cell_order_form();
  form.selected = 0;
  move_cell_line(form, 1);
  move_cell_line(form, 1);
  apply_cell_order(form);  // every cell changes its place
  EXPECT_EQ(names(), "BCA");
  EXPECT_EQ(std::tuple(stored(1, 0), stored(1, 1), stored(1, 2)), std::tuple(stored(0, 1), stored(0, 2), stored(0, 0)));
  add_cell("D", 0);
  push_undo_snapshot();
  for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(stored(2, c), stored(1, c)) << c;
  Cells.erase(Cells.begin() + 1);
  push_undo_snapshot();
  EXPECT_EQ(std::tuple(stored(3, 0), stored(3, 1), stored(3, 2)), std::tuple(stored(2, 0), stored(2, 2), stored(2, 3)));
  expect_last_step_is_live();
  step_undo_history(-3);
  EXPECT_EQ(names(), "ABC");
  step_undo_history(3);
  EXPECT_EQ(names(), "BAD");
}

TEST_F(UndoSharing, ReadingRedrawingAndStepsBackKeepCellsShared) {
  Cells[1].name = "changed";
  push_undo_snapshot();
  step_undo_history(-1);
  // What a redraw and the dialogs do without changing a cell.
  EXPECT_EQ(names(), "ABC");
  EXPECT_EQ(cell_order_form().order.size(), 3u);
  rebuild_derived_values();
  clear_all_selections();
  current_cell().name = "edited";
  push_undo_snapshot();
  EXPECT_EQ(std::tuple(stored(1, 1), stored(1, 2)), std::tuple(stored(0, 1), stored(0, 2)));
  EXPECT_NE(stored(1, 0), stored(0, 0));
  EXPECT_EQ(stored(0, 0)->name, "A") << "the step before is left as it was";
  expect_last_step_is_live();
}

TEST_F(UndoSharing, ATouchedCellThatCameOutAsItWasIsNotStoredAgain) {
  current_cell().name = "A";  // touched, but as it was
  Cells[1].name = "changed";
  push_undo_snapshot();
  EXPECT_EQ(stored(1, 0), stored(0, 0));
  EXPECT_NE(stored(1, 1), stored(0, 1));
  expect_last_step_is_live();
}

TEST_F(UndoSharing, NoChangeIsLostHoweverItIsMade) {
  Cells[2].free_modules.emplace_back().selected = true;
  Cells[0].walls.emplace_back().selected2 = true;
  push_undo_snapshot();
  const std::function<void()> changes[] = {
      [] { Cells[0].clearance = 1; },
      [] { Cells.at(1).clearance = 2; },
      [] { current_cell().clearance = 3; },
      [] { Cells.back().clearance = 4; },
      [] { Cells.edit_all()[1].clearance = 5; },
      [] { clear_all_selections(); },
      [] { rebuild_derived_values(); },
  };
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    SCOPED_TRACE(i);
    changes[i]();
    push_undo_snapshot();
    expect_last_step_is_live();
  }
  EXPECT_FALSE(std::as_const(Cells)[2].free_modules[0].selected);
  // A step back clears the second wall mark the step stored: the next step keeps the cleared wall.
  step_undo_history(-(static_cast<int>(std::size(changes))));
  EXPECT_FALSE(std::as_const(Cells)[0].walls[0].selected2);
  push_undo_snapshot();
  expect_last_step_is_live();
  EXPECT_NE(stored(2, 0), stored(1, 0));
  EXPECT_EQ(std::tuple(stored(2, 1), stored(2, 2)), std::tuple(stored(1, 1), stored(1, 2)));
}

// The tests are built with assertions (test.sh), so a change made through a
// reference held across a step, which the next step would not see, stops the
// test that makes it wherever the reference is held: the windows' tests too.
TEST_F(UndoSharing, AChangeThroughAReferenceHeldAcrossAStepStopsTheTest) {
#ifdef NDEBUG
  GTEST_SKIP() << "built without assertions";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Tcell& held = Cells[0];
  push_undo_snapshot();
  EXPECT_DEATH(
      {
        held.clearance = 9;
        push_undo_snapshot();
      },
      "");
#endif
}

// Tripwire: a new field of Tvar_amb changes its size. Give it its role in the
// table of state fields (model/state/state_fields.cpp), and only then update
// the size here.
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

// The first step has nothing before it to return to: it is kept as it is
// (whoever loaded it says why). Edits of a room invalid before them are no
// refusal, nor is a room invalid before made current, copied or moved; once
// the room is valid, the check holds it.
TEST_F(UndoRollback, ARoomInvalidBeforeTheEditIsNoRefusalAndAFirstStepStands) {
  make_rectangle(4000, 3000);
  Cells.push_back(room_with_a_turned_normal("invalid"));
  AppState.current_cell = 1;
  push_undo_snapshot();
  EXPECT_EQ(std::pair(UndoPosition, UndoHistory.size()), std::pair(0, std::size_t{1}));
  current_cell().walls[2].x2 += 500;  // slanted as well
  push_undo_snapshot();
  add_cell("copy", 1);
  push_undo_snapshot();
  AppState.current_cell = 0;
  Cells.erase(Cells.begin());  // the invalid room moves to the first place
  push_undo_snapshot();
  CellOrderForm form = cell_order_form();
  move_cell_line(form, 1);
  apply_cell_order(form);
  EXPECT_EQ(std::pair(Cells[1].name, AppState.current_cell), (std::pair<std::string, int>("invalid", 1)));
  EXPECT_EQ(UndoHistory.size(), 5u);
  EXPECT_TRUE(ui->messages.empty());

  current_cell() = room_with_a_turned_normal("mended");
  current_cell().walls[1].normal_x = 1;
  push_undo_snapshot();
  current_cell().walls[1].normal_x = -1;
  push_undo_snapshot();
  EXPECT_EQ(std::as_const(Cells)[1].name, "mended");
  EXPECT_EQ(std::as_const(Cells)[1].walls[1].normal_x, 1);
  EXPECT_EQ(UndoHistory.size(), 6u);
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"text 8"}));
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
