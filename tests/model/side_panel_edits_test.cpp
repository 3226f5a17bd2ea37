// The side panel's edits on the model, without a window: what each writes and
// that each ends as one undo step (or none, where the panel only marks).
#include "model/commands/side_panel_edits.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>

#include "model/base/string_utils.h"
#include "model/layout/cell_walls.h"
#include "model/layout/layout_engine.h"
#include "model/layout/shelf_patterns.h"
#include "model/layout/undo_history.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"
#include "support/plan_builders.h"
#include "support/room_outline.h"
#include "support/scripted_ui.h"

namespace {

class SidePanelEdits : public FreshProjectTest {
 protected:
  void SetUp() override {
    LengthList = {700, 800, 900, 1000, 1100, 1200, 1300};
    Cells = {Tcell{}};
    Tcell& cell = current_cell();
    cell.walls = four_by_three_walls();
    cell.outline_closed = true;
    compute_wall_normals();
    recompute_layout();
    push_undo_snapshot();
  }
  Tlinea& wall(int i) { return current_cell().walls.at(static_cast<std::size_t>(i)); }
  double length(int i) { return vec_length(wall_end(wall(i)) - wall_start(wall(i))); }

  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(SidePanelEdits, TypedWholeNumbers) {
  int whole = 0;
  EXPECT_TRUE(parse_typed_integer("-30", whole));
  EXPECT_EQ(whole, -30);
  EXPECT_FALSE(parse_typed_integer("3.5", whole));
}

TEST_F(SidePanelEdits, AnOpeningGrowsAtBothEndsAndTheWallsBesideItFollow) {
  Tcell& cell = current_cell();
  cell.walls = walls_through({{0, 0}, {1500, 0}, {2400, 0}, {4000, 0}, {4000, 3000}, {0, 3000}});
  cell.walls[1].kind = 0;  // a door of 900 between two pieces of the same wall
  compute_wall_normals();
  recompute_layout();
  wall(1).selected = true;
  edit_wall_length(1200);
  EXPECT_DOUBLE_EQ(length(1), 1200);
  EXPECT_DOUBLE_EQ(length(0), 1350);
  EXPECT_DOUBLE_EQ(length(2), 1450);
  EXPECT_EQ(UndoHistory.size(), 2u);

  // A neighbour that would vanish leaves everything as it was.
  edit_wall_length(4000);
  EXPECT_DOUBLE_EQ(length(1), 1200);
  EXPECT_EQ(UndoHistory.size(), 2u);
}

TEST_F(SidePanelEdits, AModuleCountOnAnEmptyWallFillsItsMissingSizes) {
  wall(0).selected = true;
  edit_module_count(3);
  const Tlinea& w = wall(0);
  EXPECT_EQ(
      std::tuple(w.module_count, w.show_dimensions, w.shelf_count, w.module_height, w.module_depth, w.modules.size()),
      std::tuple(3, true, 4, 1700.0, 475.0, 3u));
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_GE(ui->side_panel_refreshes, 1);
}

TEST_F(SidePanelEdits, HandEditedShelvesAreKeptWhenTheUserSaysNo) {
  wall(0).selected = true;
  edit_module_count(3);
  wall(0).modules[0].custom_shelves = 1;
  int draws = ui->plan_draws;
  ui->yes_no_answers = {false};
  edit_wall_depth(600);
  EXPECT_EQ(wall(0).module_depth, 475);
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_EQ(ui->plan_draws, draws + 1);  // the refresh runs whatever the answer
}

TEST_F(SidePanelEdits, ShelvesAndHeightsRewriteThePatternsOfTheRun) {
  wall(0).selected = true;
  edit_module_count(2);
  edit_wall_shelves(6);
  for (const Tmodulo& bay : wall(0).modules) {
    EXPECT_EQ(bay.shelf_count, 6);
    EXPECT_EQ(shelf_count(bay.shelf_pattern), 6);
  }
  edit_wall_height(2000);
  EXPECT_EQ(std::pair(wall(0).module_height, wall(0).modules[1].height), std::pair(2000.0, 2000.0));
  EXPECT_EQ(UndoHistory.size(), 4u);
}

TEST_F(SidePanelEdits, PriorityNeedsExactlyOneSelectedRun) {
  wall(0).selected = wall(1).selected = true;
  std::vector<int> before;
  for (const Tlinea& w : current_cell().walls) before.push_back(w.priority);
  edit_wall_priority(true);
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(current_cell().walls[i].priority, before[i]);
  wall(1).selected = false;
  edit_wall_priority(true);
  EXPECT_EQ(wall(0).priority, 3);
}

TEST_F(SidePanelEdits, FreeModulesChangeWidthSidesAndTrolleyMark) {
  Tcell& cell = current_cell();
  cell.free_modules = {make_free(2000, 1500, 475, 1000, 'V'), make_free(1000, 1500, 475, 1000, 'H', "CVFISSO_1")};
  for (Tmodulo_agg& module : cell.free_modules) module.selected = true;
  edit_free_module_width(600);
  EXPECT_EQ((std::array{cell.free_modules[0].extent_x, cell.free_modules[0].extent_y, cell.free_modules[1].extent_y}),
            (std::array{600.0, 1000.0, 600.0}));

  std::size_t steps = UndoHistory.size();
  apply_dimension_sides('e', Tick::Checked);
  EXPECT_TRUE(cell.free_modules[0].dim_e && cell.free_modules[1].dim_e);
  apply_dimension_sides('e', Tick::Partly);  // a partly ticked box changes nothing
  EXPECT_TRUE(cell.free_modules[0].dim_e);
  apply_trolley_flag(Tick::Checked);
  // A compact module stays one.
  EXPECT_EQ(std::pair(cell.free_modules[0].code, cell.free_modules[1].code),
            (std::pair<std::string, std::string>("CARRELLO", "CVFISSO_1")));
  apply_trolley_flag(Tick::Unchecked);
  EXPECT_EQ(cell.free_modules[0].code, "");
  // Each change of a mark is an undo step, so closing asks to save it.
  EXPECT_EQ(UndoHistory.size(), steps + 3);
  EXPECT_TRUE(AppState.modified);
}

TEST_F(SidePanelEdits, ModuleHeightAndShelvesMarkTheShelvesAsHandEdited) {
  wall(0).selected = true;
  edit_module_count(2);
  wall(0).modules[1].selected = true;
  edit_module_shelves(3);
  EXPECT_EQ(wall(0).modules[1].shelf_count, 3);
  EXPECT_EQ(std::pair(wall(0).modules[0].custom_shelves, wall(0).modules[1].custom_shelves), std::pair(0, 1));
  edit_module_height(2000);
  EXPECT_EQ(wall(0).modules[1].height, 2000);
  EXPECT_EQ(shelf_count(wall(0).modules[1].shelf_pattern), 3);
}
