#include "model/layout/corner_joints.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "layout_fixture.h"
#include "model/layout/layout_engine.h"

namespace {

class CornerJoints : public CellTest {};

TEST_F(CornerJoints, LowerRunTakesTheTallerCornerBaysPattern) {
  make_rectangle(6000, 4000);
  set_run(wall(3), 4, 1, 500, 2500, 6);  // owns the bottom-left corner
  set_run(wall(0), 4, 0, 500, 2000, 5);
  recompute_layout();  // joins the corner bays as its last layout step

  // The 16 slots of six shelves in 2500 mm, refitted to the 13 slots of 2000 mm.
  ASSERT_EQ(wall(3).modules.back().shelf_pattern, "1001001001001001");
  for (const Tmodulo& bay : wall(0).modules) {
    EXPECT_EQ(bay.shelf_pattern, "1001001001001");
    EXPECT_EQ(bay.shelf_count, 5);
    EXPECT_EQ(bay.custom_shelves, 1);
  }
  EXPECT_EQ(wall(0).shelf_count, 5);
  for (const Tmodulo& bay : wall(3).modules) EXPECT_EQ(bay.custom_shelves, 0);
}

TEST_F(CornerJoints, NeighbourWithASingleBayOrALowerOneGivesNothing) {
  make_rectangle(6000, 4000);
  set_run(wall(3), 1, 1, 500, 2500, 6);
  set_run(wall(0), 4, 0, 500, 2000, 5);
  set_run(wall(1), 3, 2, 500, 1700, 4);  // lower than wall 0
  recompute_layout();
  for (const Tmodulo& bay : wall(0).modules) EXPECT_EQ(bay.custom_shelves, 0);
  // Wall 1 is lower than wall 0, which has at least two bays at their corner.
  for (const Tmodulo& bay : wall(1).modules) EXPECT_EQ(bay.custom_shelves, 1);
}

TEST_F(CornerJoints, FrameIsAsTallAsTheTallerBayBesideIt) {
  Tlinea w;
  w.modules.resize(2);
  w.modules[0].height = 2000;
  w.modules[1].height = 2500;
  w.modules[1].group_code = "CVFISSO_3";
  w.end_frames.resize(4);
  w.end_frames[0].module_after = 0;
  w.end_frames[1].module_before = 0;
  w.end_frames[1].module_after = 1;
  w.end_frames[2].module_before = 7;  // loaded data naming a bay the run lacks
  w.end_frames[3].module_before = 0;
  cell().walls = {w};
  compute_end_frame_heights();
  const Ttestate& frames = wall(0).end_frames;
  EXPECT_EQ((std::array{frames[0].height, frames[1].height, frames[2].height, frames[3].height}),
            (std::array{2000.0, 2500.0, 0.0, 2000.0}));
  EXPECT_TRUE(!frames[0].beside_fixed_compact && frames[1].beside_fixed_compact);
}

TEST_F(CornerJoints, FreeModuleBesideAFixedCompactModuleHasItsFrameHeight) {
  Tmodulo_agg plain;
  plain.height = 2200;
  plain.side_flags[kInnerFrameA] = 1;
  Tmodulo_agg fixed;
  fixed.height = 2000;
  fixed.code = "CVFISSO_1";
  fixed.coupled_with = 0;
  cell().free_modules = {plain, fixed};
  compute_end_frame_heights();
  const Tmodulo_agg& m = cell().free_modules[0];
  EXPECT_EQ(std::tuple(m.frame_flag_a, m.frame_height_a, m.frame_flag_b, m.frame_height_b),
            std::tuple(true, 1850.0, false, 2200.0));
  const Tmodulo_agg& f = cell().free_modules[1];
  EXPECT_TRUE(f.frame_flag_a && f.frame_flag_b);
  EXPECT_EQ(f.frame_height_b, 1850.0);
}

}  // namespace
