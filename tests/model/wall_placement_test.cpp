#include "model/layout/wall_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "layout_fixture.h"
#include "model/layout/layout_engine.h"

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
  // The outline is centred: the wall runs from x = -607 to 607 at y = -1500.
  // Leftover 0; the bay at x = -607 + 50 + 30 + 32 + 500, y = -1500 + 50 +
  // 250; a "TE" frame 518 mm to each side; the measured end gaps are the
  // clearances.
  EXPECT_EQ(wall_summary(wall(0)),
            "joins 0000 bounded 11 free 0 80 70 chain 0 | 1000@5,-1200 | TE-1/0@-513,-1200 TE0/-1@523,-1200");
}

TEST_F(WallPlacement, BaysCarryTheWallsSizesAndAFreshShelfPattern) {
  make_rectangle(3000, 3000);
  set_run(wall(1), 2, 0, 400, 1700, 4);
  recompute_layout();
  // {height, depth, shelves, orientation, shelf pattern, hand-edited shelves}
  for (const Tmodulo& bay : wall(1).modules)
    EXPECT_EQ(std::tie(bay.height, bay.width, bay.shelf_count, bay.orientation, bay.shelf_pattern, bay.custom_shelves),
              std::make_tuple(1700.0, 400.0, 4, 'V', std::string("10010010010"), 0));
  for (const Ttestata& frame : wall(1).end_frames)
    EXPECT_EQ(std::tie(frame.height, frame.depth, frame.orientation), std::make_tuple(1700.0, 400.0, 'V'));
}

TEST_F(WallPlacement, WallJoinedAtItsStartToAHigherRunHasNoStartFrame) {
  make_rectangle(5000, 4000);
  set_run(wall(3), 3, 1);  // the left wall owns the bottom-left corner
  set_run(wall(0), 3, 0);
  wall(1).priority = wall(2).priority = 0;
  recompute_layout();
  expect_cell_invariants(cell());
  ASSERT_EQ(wall(0).modules.size(), 3u);
  EXPECT_EQ(wall(0).modules[0].corner_joint_start, 1);
  EXPECT_EQ(wall(0).modules[2].corner_joint_end, 0);
  // Its first frame follows the first bay; the higher run passes through the
  // corner with both its end frames. Centred, the lower run would be out of
  // reach of the higher run on its wall: it stands at the corner instead.
  EXPECT_EQ(wall_summary(wall(0)),
            "joins 1000 bounded 11 free 64 0 492 chain 64 | 1300@-1346,-1686 1300@-10,-1686 1300@1326,-1686 | "
            "TI0/1@-678,-1686 TI1/2@658,-1686 TE2/-1@1994,-1686");
  EXPECT_EQ(wall_summary(wall(3)),
            "joins 0001 bounded 11 free 32 32 32 chain 0 | 1300@-2250,1286 1300@-2250,-50 1200@-2250,-1336 | "
            "TE2/-1@-2250,-1954 TI1/2@-2250,-718 TI0/1@-2250,618 TE-1/0@-2250,1954");
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
