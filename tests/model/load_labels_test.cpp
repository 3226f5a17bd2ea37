#include "model/layout/load_labels.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

#include "model/layout/compact_groups.h"
#include "project_globals_fixture.h"

namespace {

class LoadLabels : public ProjectGlobalsTest {
 protected:
  void SetUp() override {
    ProjectGlobalsTest::SetUp();
    MaxLoadTable = {{"L", "P", "PH", "LIM"}, {"1000", "300", "250", "200"}, {"1300", "280", "240", "200"}};
  }
};

TEST_F(LoadLabels, NormalHeavyAndCustomLoadOfBaysAndFreeModules) {
  Tmodulo bay = make_bay(0, 0, 500, 1000, 'H');
  Tmodulo_agg module = make_free(0, 0, 500, 1300, 'V');
  EXPECT_EQ(max_load_label(bay), "Max 300 Kg");
  EXPECT_EQ(max_load_label_free(module), "Max 280 Kg");
  bay.heavy = module.heavy = true;
  EXPECT_EQ(max_load_label(bay), "Max 250 Kg");
  EXPECT_EQ(max_load_label_free(module), "Max 240 Kg");
  bay.custom_load = true;
  bay.custom_load_value = 212.5;
  EXPECT_EQ(max_load_label(bay), "Max 212.5 Kg");
  bay.length = 1200;  // a length without row has no label, even with a custom load
  EXPECT_EQ(max_load_label(bay), "");
  EXPECT_EQ(max_load_lookup(1200), 0.0);
}

TEST_F(LoadLabels, LaterRowWinsAndHeaderIsNeverARow) {
  MaxLoadTable.push_back({"1000", "310", "260", "190"});
  MaxLoadTable[0] = {"1000", "999", "999", "999"};
  EXPECT_EQ(max_load_label(make_bay(0, 0, 500, 1000, 'H')), "Max 310 Kg");
  EXPECT_EQ(max_load_lookup(1000), 310.0);
  EXPECT_EQ(max_load_pair(1000, 1300), 190.0);
}

// A load text that is not a number is shown as it stands, and counts as 0
// wherever a load is compared; a column the row lacks gives nothing.
TEST_F(LoadLabels, TextsThatAreNoNumberAreShownAndLookedUpAsZero) {
  MaxLoadTable = {{"L"}, {"1000", "abc", "on request", "n/a"}, {"1300", "280"}};
  Tmodulo bay = make_bay(0, 0, 500, 1000, 'H');
  EXPECT_EQ(max_load_label(bay), "Max abc Kg");
  EXPECT_EQ(max_load_lookup(1000), 0.0);
  bay.heavy = true;
  EXPECT_EQ(max_load_label(bay), "Max on request Kg");
  EXPECT_EQ(max_load_pair(1000, 1300), 0.0);
  Tmodulo_agg short_row = make_free(0, 0, 500, 1300, 'H');
  short_row.heavy = true;
  EXPECT_EQ(max_load_label_free(short_row), "");
  EXPECT_EQ(max_load_pair(1300, 1300), 0.0);  // no limit column: counts as absent
}

TEST_F(LoadLabels, DecimalCommaIsReadAndShownAsWritten) {
  MaxLoadTable.push_back({"914.4", "150,5", "140", "120"});
  EXPECT_EQ(max_load_label(make_bay(0, 0, 500, 914.4, 'H')), "Max 150,5 Kg");
  EXPECT_EQ(max_load_lookup(914.4), 150.5);
}

TEST_F(LoadLabels, PairTakesTheSmallerOfOwnLoadAndNeighbourLimit) {
  EXPECT_EQ(max_load_pair(1300, 1000), 200.0);
  MaxLoadTable[2][3] = "400";
  EXPECT_EQ(max_load_pair(1300, 1000), 300.0);
  EXPECT_EQ(max_load_pair(1200, 1000), 0.0);  // neighbour without row
}

class LoadOverrides : public LoadLabels {
 protected:
  // A rectangular room: walls 0 (south, 'H') and 1 (east, 'V') carry bays.
  void SetUp() override {
    LoadLabels::SetUp();
    Tcell cell;
    cell.walls = {make_wall(0, 0, 4000, 0), make_wall(4000, 0, 4000, 3000), make_wall(4000, 3000, 0, 3000),
                  make_wall(0, 3000, 0, 0)};
    cell.walls[0].modules = {make_bay(1000, 250, 500, 1300, 'H'), make_bay(2336, 250, 500, 1300, 'H')};
    cell.walls[1].modules = {make_bay(3750, 800, 500, 1000, 'V'), make_bay(3750, 1836, 500, 1000, 'V')};
    Cells = {cell};
  }
  Tcell& cell() { return Cells[0]; }
};

TEST_F(LoadOverrides, HighCornerLimitsTheBayByItsNeighbourAndStaleOverridesAreCleared) {
  Tmodulo& stale = cell().walls[0].modules[1];
  stale.heavy = stale.custom_load = true;
  stale.custom_load_value = 5;
  cell().walls[1].start_join_high = true;
  recompute_load_overrides();
  EXPECT_EQ(std::tuple(stale.heavy, stale.custom_load, stale.custom_load_value), std::tuple(false, false, 0.0));
  const Tmodulo& first = cell().walls[1].modules[0];
  EXPECT_TRUE(first.custom_load);
  EXPECT_EQ(max_load_label(first), "Max 200 Kg");
  EXPECT_EQ(max_load_label(cell().walls[1].modules[1]), "Max 300 Kg");
}

// The plan's rebuild skips a cell it has brought up to date, but not once the
// load table has changed.
TEST_F(LoadOverrides, RebuildFollowsAChangedLoadTable) {
  cell().walls[1].start_join_high = true;
  rebuild_derived_values();
  const Tcells& cells = Cells;
  EXPECT_EQ(cells[0].walls[1].modules[0].custom_load_value, 200.0);
  MaxLoadTable[2][3] = "150";  // the limit a 1300 neighbour imposes
  rebuild_derived_values();
  EXPECT_EQ(cells[0].walls[1].modules[0].custom_load_value, 150.0);
}

TEST_F(LoadOverrides, CornersWrapAroundTheWallList) {
  cell().walls[0].start_join_high = true;  // previous wall is the last one, without bays
  cell().walls[1].end_join_high = true;    // next wall has no bays
  cell().walls[3].modules = {make_bay(250, 1500, 500, 1000, 'V')};
  recompute_load_overrides();
  EXPECT_EQ(cell().walls[0].modules[0].custom_load_value, max_load_pair(1000, 1300));
  EXPECT_FALSE(cell().walls[1].modules[1].custom_load);
}

TEST_F(LoadOverrides, LowCornersMarkTheEndBaysHeavy) {
  cell().walls[0].start_join_low = true;
  cell().walls[1].end_join_low = true;
  recompute_load_overrides();
  const Tlinea* walls = cell().walls.data();
  EXPECT_EQ((std::array{walls[0].modules[0].heavy, walls[0].modules[1].heavy, walls[1].modules[1].heavy}),
            (std::array{true, false, true}));
}

TEST_F(LoadOverrides, FreeModuleAgainstABayWithinFiveMillimetres) {
  // Bay at x 3750, half width 250; a free module of length 1000 reaches it with its centre 755 away.
  cell().free_modules = {make_free(3750 - 755, 800 + 500, 500, 1000, 'H')};
  recompute_load_overrides();
  // The span's end counts; the module's own 300 is limited to the bay's 200.
  EXPECT_EQ(std::pair(cell().walls[1].modules[0].heavy, cell().walls[1].modules[1].heavy), std::pair(true, false));
  const Tmodulo_agg& module = cell().free_modules[0];
  EXPECT_EQ(std::pair(module.custom_load, module.custom_load_value), std::pair(true, 200.0));

  cell().free_modules[0].x -= 1.0;
  recompute_load_overrides();
  EXPECT_FALSE(cell().walls[1].modules[0].heavy || cell().free_modules[0].custom_load);
}

TEST_F(LoadOverrides, FreeModuleBetweenTwoBaysIsLimitedByTheLaterWall) {
  // Reaching the east wall's first bay (length 1000) and a bay of length 1300 on the last wall.
  cell().walls[3].modules = {make_bay(2240, 500, 500, 1300, 'V')};
  cell().free_modules = {make_free(2995, 500, 500, 1000, 'H')};
  MaxLoadTable[1][3] = "150";
  recompute_load_overrides();
  EXPECT_TRUE(cell().walls[1].modules[0].heavy && cell().walls[3].modules[0].heavy);
  EXPECT_EQ(cell().free_modules[0].custom_load_value, 200.0);  // not the east wall's 150
  cell().walls[3].modules[0].x -= 1.0;
  recompute_load_overrides();
  EXPECT_EQ(cell().free_modules[0].custom_load_value, 150.0);
}

}  // namespace
