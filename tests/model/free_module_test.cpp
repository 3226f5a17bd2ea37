#include <gtest/gtest.h>

#include <array>

#include "layout_fixture.h"
#include "model/layout/free_module_clearances.h"
#include "model/layout/layout_engine.h"
#include "model/layout/shelf_patterns.h"
#include "model/modules/free_module_snapping.h"
#include "support/plan_builders.h"

namespace {

using Place = std::pair<double, double>;
Place place(const Tmodulo_agg& m) { return {m.x, m.y}; }
// The four clearances, north, south, east and west.
std::array<double, 4> clearances(const Tmodulo_agg& m) { return {m.clear_n, m.clear_s, m.clear_e, m.clear_o}; }
// How a module hangs on its neighbour: the neighbour, its side and the two snap ends.
std::array<int, 4> coupling(const Tmodulo_agg& m) { return {m.coupled_with, m.snap_side, m.snap_a, m.snap_b}; }

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
    EXPECT_EQ(place(near), Place(c.snapped.x, c.snapped.y));
    Tmodulo_agg far = c.module_at_gap(100);
    EXPECT_FALSE(snap_free_module(far, false));
    EXPECT_EQ(place(far), place(c.module_at_gap(100)));
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
  EXPECT_EQ(std::pair(m.shelf_count, m.custom_shelves), std::pair(3, 1)) << "three shelves, marked as custom";
}

TEST_F(FreeModules, ModuleStickingOutPastTheBayIsBroughtWithinIt) {
  cell().walls = {wall_with_vertical_bay()};
  Tmodulo_agg m = make_free(-800, 450, 400, 1000, 'H');  // east of it, west end 50 from the face
  ASSERT_TRUE(snap_free_module(m, false));
  EXPECT_EQ(place(m), Place(-(500 + 250 + 4), 500 - 200));  // its side flush with the bay's end
  EXPECT_EQ(m.clear_e, 0);
  EXPECT_EQ(m.side_flags[1], 1);
}

TEST_F(FreeModules, ParallelModulesInLineShareAnUprightButAModuleNeverSnapsToItself) {
  cell().free_modules = {make_free(0, 0, 400, 1000, 'H')};
  EXPECT_FALSE(snap_free_module(cell().free_modules[0], false));
  EXPECT_EQ(place(cell().free_modules[0]), Place(0, 0));
  EXPECT_EQ(cell().free_modules[0].coupled_with, -1);
  Tmodulo_agg m = make_free(1090, 50, 400, 1000, 'H');
  ASSERT_TRUE(snap_free_module(m, false));  // to (1036, 0), as the snap table shows
  EXPECT_EQ(coupling(m), (std::array<int, 4>{0, 1, 0, -1}));
  EXPECT_EQ(m.clear_o, 0);

  Tmodulo_agg block_end = make_free(-1090, 0, 400, 1000, 'H');
  ASSERT_TRUE(snap_free_module(block_end, true));
  EXPECT_EQ(block_end.x, -1136);
  EXPECT_EQ(coupling(block_end), (std::array<int, 4>{0, 0, -1, 0}));
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
  EXPECT_EQ(Place(block.x, block.y), Place(0, 46));  // 600 + 136 above the module's centre
  EXPECT_EQ(block.end_a.orientation, 'V');
  EXPECT_EQ(block.end_a.y, 46);
  EXPECT_EQ(Place(block.end_a.extent_x, block.end_a.extent_y), Place(500, 600));
  EXPECT_EQ(block.end_b.x, 1250);
  EXPECT_EQ(std::pair(block.end_a.snap_a, block.end_b.snap_a), std::pair(0, -1));
}

class Clearances : public FreeModules {};

TEST_F(Clearances, DistancesToTheWallsAndTheBaysBeforeThem) {
  make_rectangle(6000, 4000);
  set_run(wall(0), 4, 0);
  cell().free_modules = {make_free(0, 0, 500, 1000, 'H')};
  recompute_layout();  // measures every free module at its end
  const Tmodulo_agg& m = cell().free_modules[0];
  // The bays stand in front of the bottom wall.
  EXPECT_EQ(clearances(m), (std::array<double, 4>{1750, 2000 - 250 - 500, 2500, 2500}));
}

TEST_F(Clearances, OtherModulesAlongTheRunLeaveRoomForTheirUpright) {
  cell().free_modules = {make_free(0, 0, 500, 1000, 'H'), make_free(2000, 0, 500, 1000, 'H'),
                         make_free(0, 1500, 500, 1000, 'V')};
  compute_free_module_clearances(cell().free_modules[0]);
  const Tmodulo_agg& m = cell().free_modules[0];
  // Nothing to the south and west.
  EXPECT_EQ(clearances(m), (std::array<double, 4>{1500 - 250 - 500 - 32, 0, 2000 - 500 - 500 - 32, 0}));
  EXPECT_EQ(Place(m.extent_x, m.extent_y), Place(1000, 500));
}

// An empty orientation line of a project file gives a blank orientation; the
// plan, the 3-D view and the exports draw such a module along y.
TEST_F(Clearances, ABlankOrientationIsMeasuredAlongYAsItIsDrawn) {
  cell().free_modules = {make_free(0, 0, 500, 1000, ' '), make_free(0, 1500, 500, 1000, 'H')};
  compute_free_module_clearances(cell().free_modules[0]);
  const Tmodulo_agg& m = cell().free_modules[0];
  EXPECT_EQ(Place(m.extent_x, m.extent_y), Place(500, 1000));
  EXPECT_EQ(m.clear_n, 1500 - 250 - 500);
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
