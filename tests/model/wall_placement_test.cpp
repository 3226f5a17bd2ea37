#include "model/wall_placement.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"
#include "model/layout_engine.h"

namespace {

class WallPlacement : public CellTest {};

TEST_F(WallPlacement, OneBayFillsAWallOfItsLengthPlusUprightsAndClearances) {
  // 1000 + 64 + 2 * 50 + 30 + 20
  make_rectangle(1214, 3000);
  cell().clearance = 50;
  set_run(wall(0), 1, 0, 500);
  wall(0).start_gap = 30;
  wall(0).end_gap = 20;
  recompute_layout();

  const Tlinea& w = wall(0);
  EXPECT_EQ(w.free_space, 0);
  ASSERT_EQ(w.modules.size(), 1u);
  const Tmodulo& bay = w.modules[0];
  EXPECT_EQ(bay.length, 1000);
  // The outline is centred: the wall runs from x = -607 to 607 at y = -1500.
  EXPECT_DOUBLE_EQ(bay.x, -607 + 50 + 30 + 32 + 500);
  EXPECT_DOUBLE_EQ(bay.y, -1500 + 50 + 250);
  ASSERT_EQ(w.end_frames.size(), 2u);
  EXPECT_EQ(w.end_frames[0].frame_type, "TE");
  EXPECT_DOUBLE_EQ(w.end_frames[0].x, bay.x - 518);
  EXPECT_EQ(w.end_frames[0].module_before, -1);
  EXPECT_EQ(w.end_frames[0].module_after, 0);
  EXPECT_EQ(w.end_frames[1].frame_type, "TE");
  EXPECT_DOUBLE_EQ(w.end_frames[1].x, bay.x + 518);
  EXPECT_EQ(w.end_frames[1].module_before, 0);
  EXPECT_EQ(w.end_frames[1].module_after, -1);
  // The measured end gaps are the clearances.
  EXPECT_DOUBLE_EQ(w.start_free, 80);
  EXPECT_DOUBLE_EQ(w.end_free, 70);
}

TEST_F(WallPlacement, BaysCarryTheWallsSizesAndAFreshShelfPattern) {
  make_rectangle(3000, 3000);
  set_run(wall(1), 2, 0, 400, 1700, 4);
  recompute_layout();
  for (const Tmodulo& bay : wall(1).modules) {
    EXPECT_EQ(bay.height, 1700);
    EXPECT_EQ(bay.width, 400);
    EXPECT_EQ(bay.shelf_count, 4);
    EXPECT_EQ(bay.orientation, 'V');
    EXPECT_EQ(bay.shelf_pattern, "10010010010");
    EXPECT_EQ(bay.custom_shelves, 0);
  }
  for (const Ttestata& frame : wall(1).end_frames) {
    EXPECT_EQ(frame.height, 1700);
    EXPECT_EQ(frame.depth, 400);
    EXPECT_EQ(frame.orientation, 'V');
  }
}

TEST_F(WallPlacement, WallJoinedAtItsStartToAHigherRunHasNoStartFrame) {
  make_rectangle(5000, 4000);
  set_run(wall(3), 3, 1);  // the left wall owns the bottom-left corner
  set_run(wall(0), 3, 0);
  wall(1).priority = wall(2).priority = 0;
  recompute_layout();

  const Tlinea& w = wall(0);
  EXPECT_TRUE(w.start_join_high);
  EXPECT_FALSE(w.end_join_high);
  ASSERT_EQ(w.modules.size(), 3u);
  EXPECT_EQ(w.modules[0].corner_joint_start, 1);
  EXPECT_EQ(w.modules[2].corner_joint_end, 0);
  ASSERT_EQ(w.end_frames.size(), 3u);
  EXPECT_EQ(w.end_frames.front().frame_type, "TI");
  EXPECT_EQ(w.end_frames.front().module_before, 0);
  EXPECT_EQ(w.end_frames.back().frame_type, "TE");
  // The higher run passes through the corner with both its end frames.
  EXPECT_TRUE(wall(3).end_join_low);
  EXPECT_EQ(wall(3).end_frames.size(), 4u);
  expect_cell_invariants(cell());
}

TEST_F(WallPlacement, NoFittingLengthLeavesTheWallEmptyWithTextFiftySix) {
  make_rectangle(2000, 3000);
  set_run(wall(0), 4, 0);  // 4 bays cannot fit 2000 mm
  set_run(wall(1), 2, 0);
  recompute_layout();
  EXPECT_TRUE(wall(0).modules.empty());
  EXPECT_TRUE(wall(0).end_frames.empty());
  EXPECT_TRUE(wall(0).laid_out);
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"text 56"}));
  EXPECT_EQ(wall(1).modules.size(), 2u);
}

}  // namespace
