// The plan's mouse and key rules without a window: selection by click and
// rubber band, the arrow steps, placement, and what takes an undo step.
#include "editor/plan/plan_editing.h"

#include <gtest/gtest.h>

#include <QPoint>

#include "model/state/globals.h"
#include "support/plan_builders.h"
#include "support/plan_rooms.h"
#include "support/scripted_ui.h"

namespace {

constexpr int kPlanViewWidth = 800, kPlanViewHeight = 600;  // the view; at zoom 0.1 the plan origin is pixel (400, 300)

class PlanEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_plan_globals();
    AppState.zoom = 0.1;
    // A 6 x 4 m room: its bottom wall is screen row 500 from x 100 to 700.
    Cells[0].walls = walls_through({{-3000, -2000}, {3000, -2000}, {3000, 2000}, {-3000, 2000}});
    Cells[0].free_modules = {make_free(0, 0, 500, 1000, 'H')};
  }
  void TearDown() override { reset_plan_globals(); }

  static void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    plan_mouse_move(Qt::NoButton, Qt::NoModifier, from.x(), from.y(), kPlanViewWidth, kPlanViewHeight);
    plan_mouse_down(button, from.x(), from.y());
    plan_mouse_move(button, Qt::NoModifier, to.x(), to.y(), kPlanViewWidth, kPlanViewHeight);
    plan_mouse_up(button);
  }
  // A press and release without moving between: the hover decides.
  static void click(QPoint at) {
    plan_mouse_move(Qt::NoButton, Qt::NoModifier, at.x(), at.y(), kPlanViewWidth, kPlanViewHeight);
    plan_mouse_down(Qt::LeftButton, at.x(), at.y());
    plan_mouse_up(Qt::LeftButton);
  }
  static Tlinea& wall(int i) { return Cells[0].walls[static_cast<std::size_t>(i)]; }
  static Tmodulo_agg& module() { return Cells[0].free_modules[0]; }

  ScopedScriptedUi ui;
};

TEST_F(PlanEditing, ABandDraggedLeftCatchesWhatItCrossesDraggedRightWhatItHolds) {
  AppState.select_walls_mode = 1;
  drag({300, 480}, {500, 520});  // to the right, over the middle of the bottom wall
  EXPECT_FALSE(wall(0).selected);
  drag({500, 480}, {300, 520});  // to the left over the same area
  EXPECT_TRUE(wall(0).selected);
  EXPECT_FALSE(wall(1).selected);
  drag({90, 90}, {710, 510});      // to the right round the whole room
  EXPECT_FALSE(wall(0).selected);  // caught again: toggled off
  EXPECT_TRUE(wall(1).selected && wall(2).selected && wall(3).selected);
  EXPECT_EQ(AppState.rubber_band[0], -1);
}

TEST_F(PlanEditing, AClickTogglesWhatIsUnderThePointerAndARightClickClearsEveryCell) {
  AppState.select_modules_mode = 1;
  click({405, 300});
  EXPECT_TRUE(module().selected);
  click({405, 300});
  EXPECT_FALSE(module().selected);
  click({300, 300});  // more than 16 pixels from its centre
  EXPECT_FALSE(module().selected);

  click({405, 300});
  Cells.push_back(Cells[0]);
  Cells[1].walls[0].selected = true;
  plan_mouse_down(Qt::RightButton, 10, 10);
  plan_mouse_up(Qt::RightButton);
  EXPECT_FALSE(module().selected);
  EXPECT_FALSE(Cells[1].walls[0].selected || Cells[1].free_modules[0].selected);
}

TEST_F(PlanEditing, ArrowStepsShiftBeforeAltBeforeCtrl) {
  EXPECT_EQ(arrow_step(Qt::NoModifier), 1);
  EXPECT_EQ(arrow_step(Qt::ControlModifier), 10);
  EXPECT_EQ(arrow_step(Qt::AltModifier | Qt::ControlModifier), 100);
  EXPECT_EQ(arrow_step(Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier), 0.5);
}

TEST_F(PlanEditing, ArrowKeysMoveTheSelectionAsOneUndoStepOnRelease) {
  EXPECT_TRUE(plan_key_down(Qt::Key_Left, Qt::NoModifier));  // consumed even with nothing to move
  plan_key_up(Qt::Key_Left);
  EXPECT_TRUE(UndoHistory.empty());

  module().selected = true;
  plan_key_down(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
  plan_key_down(Qt::Key_Right, Qt::AltModifier);
  plan_key_down(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(module().x, 100.5);
  EXPECT_EQ(module().y, 10);
  EXPECT_GT(module().clear_n, 0);  // the clearances follow the move
  EXPECT_TRUE(UndoHistory.empty());
  plan_key_up(Qt::Key_Up);
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_TRUE(AppState.modified);
  plan_key_up(Qt::Key_Up);  // nothing moved since
  EXPECT_EQ(UndoHistory.size(), 1u);
}

TEST_F(PlanEditing, DeleteTakesAnUndoStepOnlyWhenSomethingIsSelected) {
  EXPECT_FALSE(plan_key_down(Qt::Key_Delete, Qt::NoModifier));
  EXPECT_TRUE(UndoHistory.empty());
  module().selected = true;
  plan_key_down(Qt::Key_Delete, Qt::NoModifier);
  EXPECT_TRUE(Cells[0].free_modules.empty());
  EXPECT_EQ(UndoHistory.size(), 1u);
}

TEST_F(PlanEditing, ThePlacedModuleFollowsThePointerTurnsOnARightPressAndStaysInMode) {
  AppState.place_free_module_mode = 1;
  Tmodulo_agg& t = AppState.free_module_template;
  t = make_free(0, 0, 500, 1000, 'H');
  plan_mouse_move(Qt::NoButton, Qt::ControlModifier, 603, 103, kPlanViewWidth, kPlanViewHeight);  // Ctrl: no snapping
  EXPECT_EQ(t.x, 2030);
  EXPECT_EQ(t.y, 1970);
  EXPECT_EQ(t.coupled_with, -1);
  plan_mouse_down(Qt::RightButton, 603, 103);
  EXPECT_EQ(t.orientation, 'V');
  EXPECT_EQ(t.extent_y, 1000);
  plan_mouse_move(Qt::RightButton, Qt::NoModifier, 613, 103, kPlanViewWidth,
                  kPlanViewHeight);  // a right drag pans, no second turn
  EXPECT_EQ(AppState.pan_x, 10);
  EXPECT_EQ(t.orientation, 'V');
  plan_mouse_down(Qt::LeftButton, 613, 103);
  EXPECT_EQ(Cells[0].free_modules.size(), 2u);
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_TRUE(AppState.place_free_module_mode);
  plan_key_down(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(AppState.place_free_module_mode);
}

TEST_F(PlanEditing, ALeftDragZoomsOutsideTheModesAndTheOutlineSegmentFollowsThePointer) {
  plan_mouse_down(Qt::LeftButton, 400, 300);
  plan_mouse_move(Qt::LeftButton, Qt::NoModifier, 400, 340, kPlanViewWidth, kPlanViewHeight);
  EXPECT_DOUBLE_EQ(AppState.zoom, 0.11);
  AppState.select_walls_mode = 1;
  plan_mouse_move(Qt::LeftButton, Qt::NoModifier, 400, 380, kPlanViewWidth, kPlanViewHeight);
  EXPECT_DOUBLE_EQ(AppState.zoom, 0.11);
  AppState.select_walls_mode = 0;

  AppState.outline_mode = AppState.segment_pending = 1;
  AppState.zoom = 0.1;
  Cells[0].walls.clear();
  plan_mouse_move(Qt::NoButton, Qt::NoModifier, 420, 400, kPlanViewWidth, kPlanViewHeight);
  EXPECT_EQ(AppState.segment_offset[0], 0);
  EXPECT_EQ(AppState.segment_offset[1], 100);  // the first segment follows the larger movement
  plan_key_down(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(AppState.outline_mode);
  EXPECT_TRUE(Cells[0].walls.empty());
}

}  // namespace
