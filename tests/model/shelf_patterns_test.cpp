#include "model/shelf_patterns.h"

#include <gtest/gtest.h>

#include "model/globals.h"
#include "model/scripted_ui.h"

namespace {

Tlinea wall(double x1, double y1, double x2, double y2, double normal_x, double normal_y) {
  Tlinea w;
  w.x1 = x1;
  w.y1 = y1;
  w.x2 = x2;
  w.y2 = y2;
  w.normal_x = normal_x;
  w.normal_y = normal_y;
  w.length = std::abs(x2 - x1) + std::abs(y2 - y1);
  return w;
}

// A 4000 x 3000 room drawn counter-clockwise from the origin; normals point out.
Tcell square_room() {
  Tcell cell;
  cell.walls = {wall(0, 0, 4000, 0, 0, -1), wall(4000, 0, 4000, 3000, 1, 0), wall(4000, 3000, 0, 3000, 0, 1),
                wall(0, 3000, 0, 0, -1, 0)};
  return cell;
}

Tmodulo bay(int shelves, double width, double height) {
  Tmodulo m;
  m.shelf_count = shelves;
  m.width = width;
  m.height = height;
  return m;
}

}  // namespace

TEST(ShelfPatterns, SlotCountRoundsHalvesToEven) {
  EXPECT_EQ(slot_count(1700), 11);
  EXPECT_EQ(slot_count(2000), 13);
  EXPECT_EQ(slot_count(2075), 13);  // 12.5 goes down to 12
  EXPECT_EQ(slot_count(2225), 15);  // 13.5 goes up to 14
  EXPECT_EQ(slot_count(125), 1);    // -0.5 goes to 0
  EXPECT_EQ(slot_count(124), 0);
}

TEST(ShelfPatterns, GeneratedPatterns) {
  EXPECT_EQ(shelf_pattern(4, 1700), "10010010010");
  EXPECT_EQ(shelf_pattern(5, 2000), "1001001001001");
  EXPECT_EQ(shelf_pattern(3, 1100), "1001001");
  EXPECT_EQ(shelf_pattern(1, 1700), "10000000000");
  EXPECT_EQ(shelf_pattern(2, 1700), "10000000001");
  EXPECT_EQ(shelf_pattern(0, 1700), "00000000000");
  EXPECT_EQ(shelf_pattern(20, 1100), "1000000");  // more shelves than slots: step 0
  EXPECT_EQ(shelf_pattern(3, 100), "");           // no slot, no shelf, no fault
  EXPECT_EQ(shelf_pattern(2, 124), "");
}

TEST(ShelfPatterns, Height1850IsAlwaysEveryThirdSlot) {
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

TEST(ShelfPatterns, AsksOnlyWhenABayHasCustomShelves) {
  ScopedScriptedUi ui;
  LangTable.assign(200, "");
  LangTable[107] = "Shelves edited by hand will be lost. Continue?";
  Cells = {Tcell{}, square_room()};
  AppState.current_cell = 1;
  Cells[1].walls[2].modules = {bay(4, 475, 1700), bay(4, 475, 1700)};
  Cells[0].walls = square_room().walls;
  Cells[0].walls[0].modules = {bay(4, 475, 1700)};
  Cells[0].walls[0].modules[0].custom_shelves = 1;  // another cell: not looked at

  EXPECT_TRUE(confirm_if_custom_shelves());
  EXPECT_TRUE(ui->questions.empty());

  Cells[1].walls[2].modules[1].custom_shelves = 1;
  ui->yes_no_answers = {false, true};
  EXPECT_FALSE(confirm_if_custom_shelves());
  EXPECT_TRUE(confirm_if_custom_shelves());
  ASSERT_EQ(ui->questions.size(), 2u);
  EXPECT_EQ(ui->questions[0], LangTable[107]);
}

TEST(CellNameMultiplier, ReadsTheMarkerAndCountsAMalformedOneOnce) {
  const std::vector<std::pair<std::string, int>> cases{
      {"Archive ( X 2 )", 2},
      {"Store (x3)", 3},
      {"Store (X12) north", 12},
      {"Store", 1},
      {"Store (x0)", 0},
      // Malformed markers must not stop the pages that print the cell.
      {"Store (x)", 1},
      {"Store (xa)", 1},
      {"Store (x3", 1},
      {"Store (x-2)", 1},
      {"Store (x99999999999)", 1},
  };
  for (const auto& [name, multiplier] : cases) EXPECT_EQ(parse_multiplier(name), multiplier) << name;
}

TEST(SplitToStringList, KeepsEmptyParts) {
  EXPECT_EQ(split_to_string_list("400-500,5", "-"), (Tstringlist{"400", "500,5"}));
  EXPECT_EQ(split_to_string_list("a--b--", "--"), (Tstringlist{"a", "b", ""}));
  EXPECT_EQ(split_to_string_list("", "-"), (Tstringlist{""}));
}

TEST(ModuleTemplate, ListsTheSizesOfTheCell) {
  Cells = {square_room()};
  Cells[0].walls[0].modules = {bay(5, 475, 2000), bay(4, 300, 1700)};
  Tmodulo_agg free;
  free.shelf_count = 5;
  free.width = 475.5;
  free.height = 2000;
  Cells[0].free_modules = {free};

  EXPECT_EQ(expand_module_template("H %h", 0), "H 1700/2000");
  EXPECT_EQ(expand_module_template("%n shelves, depth %l, height %h mm", 0),
            "4/5 shelves, depth 300/475/475.5, height 1700/2000 mm");
  EXPECT_EQ(expand_module_template("%h and %h", 0), "1700/2000 and %h");
  EXPECT_EQ(expand_module_template("No markers", 0), "No markers");
  Cells[0].walls[0].modules.clear();
  Cells[0].free_modules.clear();
  EXPECT_EQ(expand_module_template("[%h]", 0), "[]");
}

TEST(OutlineWinding, ReadsTheRightmostVerticalWall) {
  Tcell room = square_room();
  EXPECT_EQ(outline_winding(room), "ANTIORARIO");
  for (Tlinea& w : room.walls) {
    std::swap(w.x1, w.x2);
    std::swap(w.y1, w.y2);
  }
  EXPECT_EQ(outline_winding(room), "ORARIO");
  EXPECT_EQ(outline_winding(Tcell{}), "ANTIORARIO");
  Tcell open;
  open.walls = {wall(0, 0, 4000, 0, 0, -1)};  // unfinished outline: no vertical wall on the right
  EXPECT_EQ(outline_winding(open), "ANTIORARIO");
}

TEST(WallNeighbourhood, OverlapInFrontOfTheOuterFace) {
  Cells = {square_room()};
  for (int w = 0; w < 4; ++w) EXPECT_FALSE(wall_overlap_test(w, 0)) << w;

  // A wall 500 mm outside the bottom wall, within its length.
  Cells[0].walls.push_back(wall(1000, -500, 2000, -500, 0, -1));
  EXPECT_TRUE(wall_overlap_test(0, 0));
  // Straddling the start of the bottom wall.
  Cells[0].walls.back() = wall(-300, -500, 300, -500, 0, -1);
  EXPECT_TRUE(wall_overlap_test(0, 0));
  // Outside, but beyond the end of the bottom wall.
  Cells[0].walls.back() = wall(4500, -500, 5000, -500, 0, -1);
  EXPECT_FALSE(wall_overlap_test(0, 0));
}

TEST(WallNeighbourhood, OpeningBeforeOrAfterWrapsRoundTheOutline) {
  Cells = {square_room()};
  AppState.current_cell = 0;
  EXPECT_FALSE(neighbour_wall_is_opening(0));
  Cells[0].walls[3].kind = 0;
  EXPECT_TRUE(neighbour_wall_is_opening(0));  // wraps to the last wall
  EXPECT_TRUE(neighbour_wall_is_opening(2));
  EXPECT_FALSE(neighbour_wall_is_opening(1));
}
