#include "model/layout/shelf_patterns.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "layout_fixture.h"
#include "model/layout/outline_queries.h"
#include "model/quote/module_template.h"
#include "support/plan_builders.h"
#include "support/room_outline.h"

TEST(ShelfPatterns, SlotCountRoundsHalvesToEven) {
  const std::vector<std::pair<double, int>> slots{
      {1700, 11}, {2000, 13}, {2075, 13} /* 12.5 down */, {2225, 15} /* 13.5 up */, {125, 1}, {124, 0}};
  for (const auto& [height, count] : slots) EXPECT_EQ(slot_count(height), count) << height;
}

// A height from a damaged file or catalogue makes no pattern longer than any
// bay can have; the slots within a bay run from its top level to the floor,
// and every pattern the program makes stands within its bay.
TEST(ShelfPatterns, NoHeightGivesMoreSlotsThanABayCanHave) {
  EXPECT_EQ(slot_count(14000), 93);
  EXPECT_EQ(slot_count(1e300), kMostShelfSlots);
  EXPECT_EQ(shelf_pattern(4, 1e12).size(), static_cast<std::size_t>(kMostShelfSlots));
  EXPECT_EQ(top_shelf_level("CVMOBIL_2", 1700), 1780);
  const std::vector<std::pair<double, int>> within{
      {1780, 12}, {150, 2}, {149.9, 1}, {0, 1}, {-0.1, 0}, {std::nan(""), 0}, {1e9, kMostShelfSlots}};
  for (const auto& [top, slots] : within) EXPECT_EQ(slots_within(top), slots) << top;
  for (double height : {125.0, 1100.0, 1850.0, 2075.0, 14000.0})
    EXPECT_LE(shelf_pattern(3, height).size(), static_cast<std::size_t>(slots_within(top_shelf_level("", height))));
}

TEST(ShelfPatterns, GeneratedPatterns) {
  struct Case {
    int shelves;
    double height;
    std::string pattern;
  };
  const std::vector<Case> cases{
      {4, 1700, "10010010010"},
      {5, 2000, "1001001001001"},
      {3, 1100, "1001001"},
      {1, 1700, "10000000000"},
      {2, 1700, "10000000001"},
      {0, 1700, "00000000000"},
      {20, 1100, "1000000"},       // more shelves than slots: step 0
      {INT_MAX, 1100, "1000000"},  // a corrupt count: answered at once
      {3, 100, ""},
      {2, 124, ""},  // no slot, no shelf
  };
  for (const Case& c : cases) EXPECT_EQ(shelf_pattern(c.shelves, c.height), c.pattern) << c.shelves << "@" << c.height;
  for (int n : {0, 1, 2, 4, 6, 12}) EXPECT_EQ(shelf_pattern(n, 1850), "100100100100") << n;
}

TEST(ShelfPatterns, RefitKeepsTheBottomShelves) {
  std::string fitted = fit_shelf_pattern("1001001001001", 3, 1700);
  EXPECT_EQ(fitted, "00001001001");
  EXPECT_EQ(shelf_count(fitted), 3);
  EXPECT_EQ(fit_shelf_pattern("1001001", 5, 2000), "1001001");  // never padded
  EXPECT_EQ(fit_shelf_pattern("10010010010", 0, 1700), "00000000000");
  EXPECT_EQ(fit_shelf_pattern("", 3, 1700), "");
}

TEST(OutlineQueries, WindingOfTheRightmostVerticalWall) {
  Tcell room;
  room.walls = four_by_three_walls();
  EXPECT_EQ(outline_winding(room), "ANTIORARIO");
  room.walls = walls_through({{0, 0}, {0, 3000}, {4000, 3000}, {4000, 0}});
  EXPECT_EQ(outline_winding(room), "ORARIO");
  room.walls = {make_wall(0, 0, 4000, 0)};  // unfinished: no vertical wall on the right
  EXPECT_EQ(outline_winding(room), "ANTIORARIO");
  EXPECT_EQ(outline_winding(Tcell{}), "ANTIORARIO");
}

// A 4000 x 3000 room drawn anticlockwise: bottom, right, top and left wall.
class ShelvesOfACell : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    make_rectangle(4000, 3000);
  }
};

TEST_F(ShelvesOfACell, AsksOnlyWhenABayOfTheCurrentCellHasCustomShelves) {
  wall(2).modules = {make_bay(0, 0, 475, 1000, 'H'), make_bay(0, 0, 475, 1000, 'H')};
  Cells.push_back(cell());
  Cells[1].walls[2].modules[0].custom_shelves = 1;  // another cell: not looked at
  EXPECT_TRUE(confirm_if_custom_shelves());
  EXPECT_TRUE(ui->questions.empty());

  wall(2).modules[1].custom_shelves = 1;
  ui->yes_no_answers = {false, true};
  EXPECT_FALSE(confirm_if_custom_shelves());
  EXPECT_TRUE(confirm_if_custom_shelves());
  EXPECT_EQ(ui->questions, (std::vector<std::string>{"text 107", "text 107"}));
}

TEST_F(ShelvesOfACell, TemplateListsTheSizesOfTheCell) {
  wall(0).modules = {make_bay(0, 0, 475, 1000, 'H', 5), make_bay(0, 0, 300, 1000, 'H', 4)};
  wall(0).modules[1].height = 1700;
  cell().free_modules = {make_free(0, 0, 475.5, 1000, 'H')};  // 5 shelves, 2000 high

  EXPECT_EQ(expand_module_template("H %h", cell()), "H 1700/2000");
  EXPECT_EQ(expand_module_template("%n shelves, depth %l, height %h mm", cell()),
            "4/5 shelves, depth 300/475/475.5, height 1700/2000 mm");
  EXPECT_EQ(expand_module_template("%h and %h", cell()), "1700/2000 and %h");
  EXPECT_EQ(expand_module_template("No markers", cell()), "No markers");
  wall(0).modules.clear();
  cell().free_modules.clear();
  EXPECT_EQ(expand_module_template("[%h]", cell()), "[]");
}

TEST_F(ShelvesOfACell, OverlapInFrontOfTheOuterFace) {
  for (int w = 0; w < 4; ++w) EXPECT_FALSE(wall_overlap_test(cell(), w)) << w;
  cell().walls.push_back(make_wall(1000, -500, 2000, -500));  // outside the bottom wall, within its length
  EXPECT_TRUE(wall_overlap_test(cell(), 0));
  cell().walls.back() = make_wall(-300, -500, 300, -500);  // straddling its start
  EXPECT_TRUE(wall_overlap_test(cell(), 0));
  cell().walls.back() = make_wall(4500, -500, 5000, -500);  // beyond its end
  EXPECT_FALSE(wall_overlap_test(cell(), 0));
}

TEST_F(ShelvesOfACell, NeighboursWrapRoundTheOutline) {
  EXPECT_FALSE(neighbour_wall_is_opening(0));
  wall(3).kind = 0;
  EXPECT_TRUE(neighbour_wall_is_opening(0));  // the last wall comes before the first
  EXPECT_TRUE(neighbour_wall_is_opening(2));
  EXPECT_FALSE(neighbour_wall_is_opening(1));
  EXPECT_THROW(neighbour_wall_is_opening(4), std::out_of_range);

  wall(1).start_bounded = true;
  wall(1).end_bounded = false;
  EXPECT_FALSE(wall_both_ends_bounded(1));
  wall(1).end_bounded = true;
  EXPECT_TRUE(wall_both_ends_bounded(1));
}
