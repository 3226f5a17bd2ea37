#include "model/layout/auto_fill.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>
#include <vector>

#include "layout_fixture.h"
#include "model/layout/module_lengths.h"

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
  const struct {
    double fill, module_length, clearance;
    int count;
  } cases[] = {
      {5200, 1700, 0, 3},     // 3.06
      {5200, 1100, 0, 5},     // 4.73
      {2550, 1700, 0, 2},     // 1.5
      {4250, 1700, 0, 2},     // 2.5
      {1000, 1700, 2000, 0},  // F = 1000 - 4000: none rather than less
  };
  for (const auto& c : cases) {
    one_wall(c.fill);
    cell().clearance = c.clearance;
    auto_fill_walls(c.module_length);
    EXPECT_EQ(wall(0).module_count, c.count) << c.fill << " / " << c.module_length;
  }
}

TEST_F(AutoFill, WallWithoutSizesGetsTheDefaultsAndOneWithSizesKeepsThem) {
  one_wall(5200);
  auto_fill_walls(1700);
  EXPECT_EQ(std::tuple(wall(0).shelf_count, wall(0).module_height, wall(0).module_depth, wall(0).show_dimensions),
            std::tuple(4, 1700.0, 475.0, true));
  EXPECT_EQ(wall(0).modules.size(), 3u) << "laid out";
  EXPECT_EQ(wall(1).module_count, 0) << "not selected";

  one_wall(5200);
  set_run(wall(0), 0, 0, 600, 2500, 7);
  auto_fill_walls(1700);
  EXPECT_EQ(std::tuple(wall(0).shelf_count, wall(0).module_height, wall(0).module_depth), std::tuple(7, 2500.0, 600.0));
}

TEST_F(AutoFill, SelectedOpeningIsLeftAlone) {
  make_room_with_opening();
  wall(1).selected = true;
  auto_fill_walls(1700);
  EXPECT_EQ(wall(1).module_count, 0);
  EXPECT_FALSE(wall(1).show_dimensions);
}

TEST_F(AutoFill, SeveralWallsOwnTheirCornersByLengthAndBounds) {
  make_rectangle(6000, 4000);
  for (Tlinea& w : cell().walls) w.selected = true;
  auto_fill_walls(1100);
  // Each pass moves the walls bounded at both ends to the last place in turn,
  // then the two longest: they own the corners.
  EXPECT_EQ(priorities(), (std::vector<int>{2, 0, 3, 1}));
  for (int i = 0; i < 4; ++i) EXPECT_GT(wall(i).module_count, 0) << i;
  expect_cell_invariants(cell());
}

TEST_F(AutoFill, WallBesideAnOpeningGivesWay) {
  make_room_with_opening();
  wall(2).selected = wall(3).selected = true;
  auto_fill_walls(1100);
  // Wall 3, bounded and the longest, goes to the last place; wall 2, beside
  // the opening, to the first.
  EXPECT_EQ(priorities(), (std::vector<int>{1, 2, 0, 5, 3, 4}));
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
  EXPECT_EQ((std::array{ui->side_panel_refreshes, ui->plan_draws, ui->rebuilds_3d}), (std::array{1, 1, 1}));
}

}  // namespace
