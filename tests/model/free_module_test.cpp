#include <gtest/gtest.h>

#include <array>

#include "layout_fixture.h"
#include "model/layout/layout_engine.h"
#include "model/layout/shelf_patterns.h"
#include "model/modules/free_module_clearances.h"
#include "model/modules/free_module_snapping.h"
#include "support/plan_builders.h"

namespace {

class FreeModules : public CellTest {
 protected:
  // A wall whose one bay stands along y at the origin: 1000 long, 500 deep.
  static Tlinea wall_with_vertical_bay() {
    Tmodulo bay = make_bay(0, 0, 500, 1000, 'V');
    bay.shelf_pattern = shelf_pattern(bay.shelf_count, bay.height);
    Tlinea w;
    w.modules = {bay};
    return w;
  }
};

// Each kind of snap pulls a module whose gap to its neighbour is 99 mm and
// leaves it alone at 100 mm.
TEST_F(FreeModules, SnapsWithinOneHundredMillimetres) {
  struct Case {
    const char* name;
    void (*neighbour)(Tcell&);
    Tmodulo_agg (*module_at_gap)(double gap);
    Tvec2 snapped;
  };
  const Case cases[] = {
      {"end 4 mm from the face of a wall bay across it",
       [](Tcell& c) { c.walls = {wall_with_vertical_bay()}; },
       [](double gap) { return make_free(250 + gap + 500, 0, 400, 1000, 'H'); },
       {754, 0}},
      {"end 4 mm from the face of a free module across it",
       [](Tcell& c) { c.free_modules = {make_free(0, 0, 500, 1000, 'V')}; },
       [](double gap) { return make_free(250 + gap + 500, 0, 400, 1000, 'H'); },
       {754, 0}},
      {"in line with a parallel module, 36 mm apart",
       [](Tcell& c) { c.free_modules = {make_free(0, 0, 400, 1000, 'H')}; },
       [](double gap) { return make_free(1000 + gap, 50, 400, 1000, 'H'); },
       {1036, 0}},
      {"back to back with a parallel module beside the run",
       [](Tcell& c) { c.free_modules = {make_free(0, 0, 400, 1000, 'H')}; },
       [](double gap) { return make_free(150, 400 + gap, 400, 800, 'H'); },
       {100, 400}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cell() = Tcell{};
    c.neighbour(cell());
    Tmodulo_agg near = c.module_at_gap(99);
    EXPECT_TRUE(snap_free_module(near, false));
    EXPECT_EQ(near.x, c.snapped.x);
    EXPECT_EQ(near.y, c.snapped.y);
    const Tmodulo_agg far_before = c.module_at_gap(100);
    Tmodulo_agg far = far_before;
    EXPECT_FALSE(snap_free_module(far, false));
    EXPECT_EQ(far.x, far_before.x);
    EXPECT_EQ(far.y, far_before.y);
  }
}

TEST_F(FreeModules, SnapAgainstABayMarksTheJointAndALowerModuleTakesItsShelves) {
  cell().walls = {wall_with_vertical_bay()};
  Tmodulo_agg m = make_free(800, 0, 400, 1000, 'H');
  m.side_flags = {0, 0, 1, 1, 0, 0};
  m.height = 1700;
  m.shelf_count = 3;
  m.shelf_pattern = shelf_pattern(3, 1700);
  ASSERT_TRUE(snap_free_module(m, false));
  EXPECT_EQ(m.clear_o, 0);
  EXPECT_EQ(m.side_flags, (std::array<int, 6>{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(m.shelf_pattern, "00001001001");  // the bay's bottom three shelves
  EXPECT_EQ(m.shelf_count, 3);
  EXPECT_EQ(m.custom_shelves, 1);
}

TEST_F(FreeModules, ModuleStickingOutPastTheBayIsBroughtWithinIt) {
  cell().walls = {wall_with_vertical_bay()};
  Tmodulo_agg m = make_free(-800, 450, 400, 1000, 'H');  // east of it, west end 50 from the face
  ASSERT_TRUE(snap_free_module(m, false));
  EXPECT_EQ(m.x, -(500 + 250 + 4));
  EXPECT_EQ(m.clear_e, 0);
  EXPECT_EQ(m.side_flags[1], 1);
  EXPECT_EQ(m.y, 500 - 200);  // its side flush with the bay's end
}

TEST_F(FreeModules, ParallelModulesInLineShareAnUprightButAModuleNeverSnapsToItself) {
  cell().free_modules = {make_free(0, 0, 400, 1000, 'H')};
  EXPECT_FALSE(snap_free_module(cell().free_modules[0], false));
  EXPECT_EQ(cell().free_modules[0].x, 0);
  EXPECT_EQ(cell().free_modules[0].coupled_with, -1);
  Tmodulo_agg m = make_free(1090, 50, 400, 1000, 'H');
  ASSERT_TRUE(snap_free_module(m, false));  // to (1036, 0), as the snap table shows
  EXPECT_EQ(m.coupled_with, 0);
  EXPECT_EQ(m.snap_side, 1);
  EXPECT_EQ(m.snap_a, 0);
  EXPECT_EQ(m.snap_b, -1);
  EXPECT_EQ(m.clear_o, 0);

  Tmodulo_agg block_end = make_free(-1090, 0, 400, 1000, 'H');
  ASSERT_TRUE(snap_free_module(block_end, true));
  EXPECT_EQ(block_end.x, -1136);
  EXPECT_EQ(block_end.snap_side, 0);
  EXPECT_EQ(block_end.snap_b, 0);
}

TEST_F(FreeModules, CompactBlockFollowsTheSnapOfItsEndOnceItHasNumericUnitDepths) {
  // A 'V' module below the block's west end, in line with it.
  cell().free_modules = {make_free(-1250, -690, 500, 600, 'V')};
  Tcorvane& block = AppState.compact_template;
  block.orientation = 'H';
  block.overall_length = 3000;
  block.depth = 600;
  // Without a numeric unit depth there is nothing to preview.
  const Tcorvane before = block;
  preview_compact_block();
  EXPECT_EQ(block, before);
  block.unit_depths = {"abc"};
  preview_compact_block();
  EXPECT_EQ(block.end_a, before.end_a);

  block.unit_depths = {"500", "400", "500"};
  preview_compact_block();
  EXPECT_EQ(block.x, 0);
  EXPECT_EQ(block.y, 46);  // 600 + 136 above the module's centre
  EXPECT_EQ(block.end_a.orientation, 'V');
  EXPECT_EQ(block.end_a.y, 46);
  EXPECT_EQ(block.end_a.snap_a, 0);
  EXPECT_EQ(block.end_a.extent_x, 500);
  EXPECT_EQ(block.end_a.extent_y, 600);
  EXPECT_EQ(block.end_b.x, 1250);
  EXPECT_EQ(block.end_b.snap_a, -1);
}

class Clearances : public FreeModules {};

TEST_F(Clearances, DistancesToTheWallsAndTheBaysBeforeThem) {
  make_rectangle(6000, 4000);
  set_run(wall(0), 4, 0);
  cell().free_modules = {make_free(0, 0, 500, 1000, 'H')};
  recompute_layout();  // measures every free module at its end
  const Tmodulo_agg& m = cell().free_modules[0];
  EXPECT_EQ(m.clear_n, 1750);
  EXPECT_EQ(m.clear_s, 2000 - 250 - 500);  // the bays stand in front of the bottom wall
  EXPECT_EQ(m.clear_e, 2500);
  EXPECT_EQ(m.clear_o, 2500);
}

TEST_F(Clearances, OtherModulesAlongTheRunLeaveRoomForTheirUpright) {
  cell().free_modules = {make_free(0, 0, 500, 1000, 'H'), make_free(2000, 0, 500, 1000, 'H'),
                         make_free(0, 1500, 500, 1000, 'V')};
  compute_free_module_clearances(cell().free_modules[0]);
  const Tmodulo_agg& m = cell().free_modules[0];
  EXPECT_EQ(m.clear_e, 2000 - 500 - 500 - 32);
  EXPECT_EQ(m.clear_n, 1500 - 250 - 500 - 32);
  EXPECT_EQ(m.clear_s, 0) << "nothing to the south";
  EXPECT_EQ(m.clear_o, 0);
  EXPECT_EQ(m.extent_x, 1000);
  EXPECT_EQ(m.extent_y, 500);
}

TEST_F(Clearances, RoundedToOneDecimalHalfToEven) {
  cell().walls = {make_wall(-1000, 0, 1000, 0)};
  Tmodulo_agg m = make_free(0, -123.45, 0, 1000, 'H');
  compute_free_module_clearances(m);
  EXPECT_EQ(m.clear_n, 123.4);
  m.y = -123.35;
  compute_free_module_clearances(m);
  EXPECT_EQ(m.clear_n, 123.4);
}

}  // namespace
