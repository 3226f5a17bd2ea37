#include "model/modules/free_module_placement.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "model/layout/shelf_patterns.h"
#include "project_globals_fixture.h"
#include "support/scripted_ui.h"

namespace {

class FreeModulePlacement : public ProjectGlobalsTest {
 protected:
  void SetUp() override {
    ProjectGlobalsTest::SetUp();
    Cells = {Tcell{}};
    Tmodulo_agg& t = AppState.free_module_template;
    t = make_free(0, 0, 500, 1000, 'H');
    t.side_flags = {0, 0, 1, 1, 0, 0};
  }
  Tmoduli_agg& modules() { return Cells[0].free_modules; }
  Tmodulo_agg& placed(std::size_t i) { return modules().at(i); }
  // Places the template at (x, y) with the given snaps.
  void place(double x, double y, int snap_a = -1, int snap_b = -1) {
    Tmodulo_agg& t = AppState.free_module_template;
    t.x = x;
    t.y = y;
    t.snap_a = snap_a;
    t.snap_b = snap_b;
    add_free_module();
  }
  using Flags = std::array<int, 6>;
};

TEST_F(FreeModulePlacement, NothingOnAnotherCentreAndEveryModuleGetsItsClearancesAgain) {
  place(0, 0);
  place(0, 0);
  ASSERT_EQ(modules().size(), 1u);
  place(2000, 0);
  // 1000 mm between the two ends, less the other module's end frame.
  EXPECT_EQ(placed(0).clear_e, 968.0);
  EXPECT_EQ(placed(1).clear_o, 968.0);
  place(1, 0);  // one millimetre off a centre
  EXPECT_EQ(modules().size(), 3u);
}

TEST_F(FreeModulePlacement, PatternsOfPlacedModules) {
  AppState.free_module_template.selected = true;
  place(0, 0);
  EXPECT_EQ(placed(0).shelf_pattern, "1001001001001");
  EXPECT_FALSE(placed(0).selected);

  AppState.free_module_template.code = "CVMOBIL_4";
  place(1000, 0);
  EXPECT_EQ(placed(1).shelf_pattern, "100100100100");

  AppState.free_module_template.custom_shelves = 1;
  AppState.free_module_template.shelf_pattern = "0101";
  place(2000, 0);
  EXPECT_EQ(placed(2).shelf_pattern, "0101");
  EXPECT_EQ(placed(2).custom_shelves, 1);
}

TEST_F(FreeModulePlacement, CouplingOnEitherSide) {
  place(0, 0);
  place(1036, 0, 0, -1);  // snapped to module 0 on its first side
  EXPECT_EQ(placed(0).side_flags, (Flags{0, 0, 1, 0, 0, 1}));
  EXPECT_EQ(placed(1).coupled_with, 0);

  AppState.free_module_template.side_flags = {0, 1, 1, 0, 0, 0};
  place(-1036, 0, -1, 0);  // snapped to module 0 on its second side
  EXPECT_EQ(placed(0).side_flags, (Flags{0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(placed(2).side_flags, (Flags{0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(placed(2).coupled_with, 0);
}

TEST_F(FreeModulePlacement, PlacedBetweenTwoRunsRelinksTheChainTowardsIt) {
  place(0, 0);
  place(3000, 0);
  place(4036, 0);
  placed(1).coupled_with = 2;
  AppState.free_module_template.side_flags = {1, 1, 0, 0, 0, 0};
  place(1500, 0, 0, 1);
  // The chain runs 2 -> 1 -> 3 -> 0.
  EXPECT_EQ((std::array{placed(1).coupled_with, placed(2).coupled_with, placed(3).coupled_with}),
            (std::array{3, 1, 0}));
  EXPECT_EQ((std::array{placed(1).side_flags, placed(2).side_flags, placed(3).side_flags}),
            (std::array{Flags{0, 0, 0, 1, 1, 0}, Flags{0, 0, 0, 1, 1, 0}, Flags{0, 0, 0, 0, 0, 0}}));
}

TEST_F(FreeModulePlacement, DamagedLinksNeitherHangNorReachOutside) {
  place(0, 0);
  place(3000, 0);
  placed(0).coupled_with = 1;
  placed(1).coupled_with = 0;  // a cycle from a damaged file
  place(1500, 0, -1, 1);
  place(6000, 0, 0, 1);
  EXPECT_EQ(modules().size(), 4u);
  place(9000, 0, 17, -5);  // indices of no module
  EXPECT_EQ(placed(4).coupled_with, AppState.free_module_template.coupled_with);
}

class CompactBlock : public FreeModulePlacement {
 protected:
  void SetUp() override {
    FreeModulePlacement::SetUp();
    Tcorvane& block = AppState.compact_template;
    block.orientation = 'H';
    block.overall_length = 4 * 577 + 3 * 23;
    block.depth = 1000;
    block.x = 5000;
    block.y = 2000;
    block.unit_depths = {"577", "577", "577", "577"};
    block.kit_code = "KIT-4";
    block.end_a.snap_a = block.end_a.snap_b = block.end_b.snap_a = block.end_b.snap_b = -1;
  }
};

TEST_F(CompactBlock, FourUnitsBetweenTwoFixedEnds) {
  modules().push_back(make_free(0, 0, 577, 1000, 'V', "CVFISSO_2"));
  const Tmodulo_agg template_before = AppState.free_module_template;
  ASSERT_TRUE(add_compact_block());
  ASSERT_EQ(modules().size(), 5u);
  const double first_x = 5000 - (2377.0 / 2 - 577.0 / 2);
  for (std::size_t u = 0; u < 4; ++u) {
    const Tmodulo_agg& unit = placed(u + 1);
    EXPECT_DOUBLE_EQ(unit.x, first_x + 600.0 * static_cast<double>(u)) << u;
    const bool end = u == 0 || u == 3;
    EXPECT_EQ(std::tuple(unit.height, unit.code), std::tuple(end ? 1850.0 : 1700.0, end ? "CVFISSO_3" : "CVMOBIL_3"));
    EXPECT_EQ(std::tuple(unit.y, unit.shelf_pattern, unit.shelf_count, unit.orientation, unit.spare_texts[0]),
              std::tuple(2000.0, "100100100100", 4, 'V', "KIT-4"));
    EXPECT_EQ(std::tuple(unit.extent_x, unit.extent_y, unit.side_flags),
              std::tuple(577.0, 1000.0, Flags{0, 0, 1, 1, 0, 0}));
  }
  EXPECT_EQ(AppState.free_module_template, template_before);
  ASSERT_EQ(Cells[0].compact_groups.size(), 1u);
  EXPECT_EQ(Cells[0].compact_groups[0].overall_length, 2377.0);
}

TEST_F(CompactBlock, EndsShareFramesWithTheModulesTheySnappedTo) {
  modules() = {make_free(3000, 2000, 577, 1000, 'V'), make_free(7000, 2000, 577, 1000, 'V')};
  modules()[0].side_flags = modules()[1].side_flags = {0, 0, 1, 1, 0, 0};
  AppState.compact_template.end_a.snap_a = 0;
  AppState.compact_template.end_b.snap_b = 1;
  ASSERT_TRUE(add_compact_block());
  EXPECT_EQ(placed(0).side_flags, (Flags{0, 0, 1, 0, 0, 1}));
  EXPECT_EQ(placed(1).side_flags, (Flags{0, 0, 0, 1, 1, 0}));
}

TEST_F(CompactBlock, UnusableUnitListsPlaceNothing) {
  AppState.compact_template.unit_depths = {"577"};
  EXPECT_FALSE(add_compact_block());
  AppState.compact_template.unit_depths = {"577", "wide"};
  EXPECT_FALSE(add_compact_block());
  EXPECT_TRUE(modules().empty());
}

TEST_F(FreeModulePlacement, DeletingTheMiddleOfThreeRestoresEndFrames) {
  place(0, 0);
  AppState.free_module_template.side_flags = {1, 0, 0, 1, 0, 0};  // as snapping leaves them
  place(1036, 0, 0, -1);
  place(2072, 0, 1, -1);
  place(5000, 0);
  placed(3).coupled_with = 2;
  placed(1).selected = true;
  delete_selected_free_modules();
  ASSERT_EQ(modules().size(), 3u);
  EXPECT_EQ(placed(0).side_flags, (Flags{0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(placed(1).x, 2072.0);
  EXPECT_EQ(placed(1).coupled_with, -1);
  EXPECT_EQ(placed(1).side_flags, (Flags{0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(placed(2).coupled_with, 1);  // links beyond the deleted module move down
}

TEST_F(FreeModulePlacement, DeletingAModuleOfAGroupDissolvesTheGroup) {
  modules() = {make_free(0, 0, 577, 1000, 'V', "CVFISSO_1"), make_free(600, 0, 577, 1000, 'V', "CVMOBIL_1"),
               make_free(1200, 0, 577, 1000, 'V', "CVFISSO_1"), make_free(0, 3000, 577, 1000, 'V', "CVFISSO_2"),
               make_free(900, 3000, 577, 1000, 'V', "CVFISSO_2")};
  Cells[0].walls = {make_wall(0, 5000, 3000, 5000)};
  Cells[0].walls[0].modules = {make_bay(0, 4700, 577, 1000, 'V')};
  Cells[0].walls[0].modules[0].group_code = "CVMOBIL_1";
  placed(1).selected = true;
  delete_selected_free_modules();
  ASSERT_EQ(modules().size(), 4u);
  EXPECT_EQ(placed(0).code, "");
  EXPECT_EQ(placed(1).code, "");
  EXPECT_EQ(Cells[0].walls[0].modules[0].group_code, "");
  EXPECT_EQ(placed(2).code, "CVFISSO_2");
  ASSERT_EQ(Cells[0].compact_groups.size(), 1u);
}

TEST_F(FreeModulePlacement, AlignOnTheFirstSelectedItemWallBaysFirst) {
  ScopedScriptedUi ui;
  Cells[0].walls = {make_wall(0, 0, 3000, 0)};
  Cells[0].walls[0].modules = {make_bay(700, 250, 500, 1000, 'H')};
  modules() = {make_free(0, 900, 500, 1000, 'H'), make_free(2000, 1300, 500, 1000, 'H')};
  placed(0).selected = placed(1).selected = true;
  Cells[0].walls[0].modules[0].selected = true;
  align_selected_free_modules('H');
  EXPECT_EQ(placed(0).y, 250.0);
  EXPECT_EQ(placed(1).y, 250.0);
  EXPECT_EQ(placed(1).x, 2000.0);
  EXPECT_EQ(ui->side_panel_refreshes, 1);
  EXPECT_EQ(ui->plan_draws, 1);
  EXPECT_EQ(UndoHistory.size(), 1u);

  Cells[0].walls[0].modules[0].selected = false;
  placed(0).selected = false;
  placed(1).x = 2100;
  align_selected_free_modules('V');  // one selected item: nothing moves
  EXPECT_EQ(placed(1).x, 2100.0);
}

}  // namespace
