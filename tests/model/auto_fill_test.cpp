#include "model/auto_fill.h"

#include <gtest/gtest.h>

#include <utility>

#include "layout_fixture.h"
#include "model/module_lengths.h"

namespace {

class AutoFill : public CellTest {
 protected:
  // A rectangle whose bottom wall alone gets a fill length of fill with one
  // bay (length - 64 with no clearances and no joins).
  void one_wall(double fill) {
    make_rectangle(fill + 64, 5000);
    wall(0).selected = true;
  }
};

TEST_F(AutoFill, CountIsTheFillLengthOverTheModuleLengthRoundedHalfToEven) {
  one_wall(5200);
  auto_fill_walls(1700);
  EXPECT_EQ(wall(0).module_count, 3);
  EXPECT_EQ(wall(0).shelf_count, 4);
  EXPECT_EQ(wall(0).module_height, 1700);
  EXPECT_EQ(wall(0).module_depth, 475);
  EXPECT_TRUE(wall(0).show_dimensions);
  EXPECT_EQ(wall(0).modules.size(), 3u) << "laid out";
  EXPECT_EQ(wall(1).module_count, 0) << "not selected";

  one_wall(5200);
  auto_fill_walls(1100);
  EXPECT_EQ(wall(0).module_count, 5);
}

TEST_F(AutoFill, HalvesGoToTheEvenCount) {
  one_wall(2550);
  auto_fill_walls(1700);
  EXPECT_EQ(wall(0).module_count, 2);
  one_wall(4250);
  auto_fill_walls(1700);
  EXPECT_EQ(wall(0).module_count, 2);
}

TEST_F(AutoFill, ExistingSizesAreKept) {
  one_wall(5200);
  set_run(wall(0), 0, 0, 600, 2500, 7);
  auto_fill_walls(1700);
  EXPECT_EQ(wall(0).shelf_count, 7);
  EXPECT_EQ(wall(0).module_height, 2500);
  EXPECT_EQ(wall(0).module_depth, 600);
}

TEST_F(AutoFill, WallTooShortForOneBayGetsNoneRatherThanLess) {
  one_wall(1000);
  cell().clearance = 2000;  // F = 1000 - 4000
  auto_fill_walls(1700);
  EXPECT_EQ(wall(0).module_count, 0);
}

TEST_F(AutoFill, OpeningsAndUnselectedWallsAreLeftAlone) {
  make_outline({{0, 0}, {2000, 0}, {2800, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  wall(1).kind = 0;
  wall(1).selected = true;
  auto_fill_walls(1700);
  EXPECT_EQ(wall(1).module_count, 0);
  EXPECT_FALSE(wall(1).show_dimensions);
}

TEST_F(AutoFill, SeveralWallsOwnTheirCornersByLengthAndBounds) {
  make_rectangle(6000, 4000);
  for (Tlinea& w : cell().walls) w.selected = true;
  auto_fill_walls(1100);
  // The two longest walls take the last places of the fill order.
  EXPECT_GT(wall(0).priority, wall(1).priority);
  EXPECT_GT(wall(2).priority, wall(1).priority);
  EXPECT_GT(wall(0).priority, wall(3).priority);
  for (int i = 0; i < 4; ++i) EXPECT_GT(wall(i).module_count, 0) << i;
  expect_cell_invariants(cell());
}

TEST_F(AutoFill, WallBesideAnOpeningGivesWay) {
  make_outline({{0, 0}, {2000, 0}, {2800, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  wall(1).kind = 0;
  wall(2).selected = wall(3).selected = true;
  auto_fill_walls(1100);
  EXPECT_LT(wall(2).priority, wall(3).priority);
}

TEST_F(AutoFill, MainButtonFillsWithShortBaysOnlyForAustralianDollars) {
  for (const auto& [currency, length] :
       {std::pair<const char*, double>{"A$", 1100}, {"a$", 1700}, {"EUR", 1700}, {"", 1700}}) {
    Company.currency = currency;
    EXPECT_EQ(standard_fill_length(), length) << currency;
  }
  Company = Tazienda{};
}

TEST_F(AutoFill, FinishesWithTheEditChain) {
  make_rectangle(4000, 3000);
  auto_fill_walls(1700);  // nothing selected: still a step
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_EQ(ui->side_panel_refreshes, 1);
  EXPECT_EQ(ui->plan_draws, 1);
  EXPECT_EQ(ui->rebuilds_3d, 1);
}

}  // namespace
