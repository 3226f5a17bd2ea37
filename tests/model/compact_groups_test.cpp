#include "model/layout/compact_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/base/rounding.h"
#include "project_globals_fixture.h"

namespace {

// Fixed ends standing across a group that runs along x: width 577 along x, rails 1000 deep.
Tmodulo_agg fixed_end(double x, double y, int group, char orientation = 'V') {
  return make_free(x, y, 577, 1000, orientation, "CVFISSO_" + std::to_string(group));
}

Tmodulo_agg mobile_unit(double x, double y, int group) {
  return make_free(x, y, 577, 1000, 'V', "CVMOBIL_" + std::to_string(group));
}

// A group's shape in one line: orientation, overall length and depth, extent,
// centre, kit length, aisle and code.
std::string shape(const Tcorvane& g) {
  auto k = [](double value) { return size_key(value); };
  return std::string(1, g.orientation) + " " + k(g.overall_length) + " deep " + k(g.depth) + " extent " +
         k(g.extent_x) + "x" + k(g.extent_y) + " at " + k(g.x) + "," + k(g.y) + " kit " + k(g.kit_length) + " aisle " +
         k(g.aisle_x) + "," + k(g.aisle_y) + " " + g.group_code;
}

using CompactGroups = ProjectGlobalsTest;

TEST_F(CompactGroups, GroupAlongXFromTwoFixedEnds) {
  add_cell({fixed_end(2000, 0, 1), fixed_end(0, 0, 1)});  // right end listed first: still the second end
  rebuild_derived_values();
  ASSERT_EQ(Cells[0].compact_groups.size(), 1u);
  const Tcorvane& group = Cells[0].compact_groups[0];
  // No mobile unit, no aisle.
  EXPECT_EQ(shape(group), "H 2577 deep 1108 extent 2577x1108 at 1000,0 kit 2245 aisle 0,0 K11_000000");
  EXPECT_EQ(group.wall_gaps, (std::array<double, 4>{-1, -1, -1, -1}));
}

TEST_F(CompactGroups, GroupAlongYFromWallBays) {
  Tcell& cell = add_cell();
  cell.walls = {make_wall(0, -1000, 0, 4000)};
  cell.walls[0].modules = {make_bay(500, 3000, 577, 800, 'H'), make_bay(500, 0, 577, 800, 'H')};
  for (Tmodulo& bay : cell.walls[0].modules) bay.group_code = "CVFISSO_1";
  rebuild_derived_values();
  ASSERT_EQ(cell.compact_groups.size(), 1u);
  const Tcorvane& group = cell.compact_groups[0];
  EXPECT_EQ(shape(group), "V 3577 deep 908 extent 908x3577 at 500,1500 kit 3045 aisle 0,0 K11_000000");
  // The wall at x 0 is left of the ends: 500 - 400 - 54 = 46 mm beside the rails.
  EXPECT_EQ(group.wall_gaps[1], 46.0);
}

TEST(CompactKitLength, ClassBoundaries) {
  const std::pair<double, double> kits[]{{2650, 2245}, {2650.5, 2645}, {3050, 2645}, {3051, 3045}};
  for (const auto& [overall_length, kit] : kits) EXPECT_EQ(compact_kit_length(overall_length), kit) << overall_length;
}

TEST_F(CompactGroups, CodesCountGroupsPerCellInGroupOrder) {
  add_cell({fixed_end(0, 5000, 3), fixed_end(0, 0, 1), fixed_end(2000, 0, 1), fixed_end(2000, 5000, 3)});
  add_cell({fixed_end(0, 0, 1), fixed_end(1500, 0, 1)});
  rebuild_derived_values();
  std::vector<std::string> codes_and_places;
  for (const Tcell& cell : Cells)
    for (const Tcorvane& g : cell.compact_groups) codes_and_places.push_back(g.group_code.substr(0, 4) + size_key(g.y));
  EXPECT_EQ(codes_and_places, (std::vector<std::string>{"K11_0", "K12_5000", "K21_0"}));
}

TEST_F(CompactGroups, LoneOrExtraFixedEndsAndDamagedCodes) {
  add_cell({fixed_end(0, 0, 1), fixed_end(900, 0, 1), fixed_end(3000, 0, 1), fixed_end(0, 4000, 2),
            make_free(0, 8000, 577, 1000, 'V', "CVFISSO_x"), make_free(900, 8000, 577, 1000, 'V', "CVFISSO_x"),
            make_free(0, 9000, 577, 1000, 'V', "CVFISSO_07"), make_free(900, 9000, 577, 1000, 'V', "CVFISSO_07")});
  rebuild_derived_values();
  ASSERT_EQ(Cells[0].compact_groups.size(), 1u);                 // group 2 has one end; damaged codes name no group
  EXPECT_EQ(Cells[0].compact_groups[0].overall_length, 3577.0);  // first and last of three ends
  EXPECT_EQ(max_fixed_compact_number(0), 7);
}

TEST_F(CompactGroups, EndsOnNoCommonAxisStillCountButHaveNoShape) {
  add_cell({fixed_end(0, 0, 1), fixed_end(2000, 10, 1), fixed_end(0, 3000, 2), fixed_end(2000, 3000, 2)});
  rebuild_derived_values();
  ASSERT_EQ(Cells[0].compact_groups.size(), 2u);
  const Tcorvane& unshaped = Cells[0].compact_groups[0];
  EXPECT_EQ(std::tuple(unshaped.group_code, unshaped.overall_length, unshaped.kit_length), std::tuple("", 0.0, 2245.0));
  EXPECT_EQ(Cells[0].compact_groups[1].group_code.substr(0, 4), "K12_");
}

TEST_F(CompactGroups, AisleBesideTheEndWhoseNearestMobileUnitIsFarAway) {
  // Units 600 apart from end A; the last one in the list is close to B, the nearest to B decides.
  add_cell({fixed_end(0, 0, 1), fixed_end(3000, 0, 1), mobile_unit(600, 0, 1), mobile_unit(2400, 0, 1),
            mobile_unit(1200, 0, 1)});
  rebuild_derived_values();
  const Tcorvane& tight = Cells[0].compact_groups[0];
  EXPECT_EQ(std::pair(tight.aisle_x, tight.aisle_y), std::pair(0.0, 0.0));

  Cells[0].free_modules[3].x = 2200;  // now 223 mm from B's face
  rebuild_derived_values();
  const Tcorvane& open = Cells[0].compact_groups[0];
  EXPECT_DOUBLE_EQ(open.aisle_x, 3000 - (223.0 / 2 + 288.5));
  EXPECT_EQ(open.aisle_y, 0.0);
}

TEST_F(CompactGroups, PositionCharactersComeFromTheCellBeingRebuilt) {
  add_cell();
  // Beside end A across the group (100 mm face to face) an ordinary module;
  // along end A's length a lone fixed end of another group; mobile units never count.
  add_cell({fixed_end(0, 0, 1), fixed_end(2000, 0, 1), make_free(-677, 0, 577, 1000, 'V'), fixed_end(0, 1100, 2),
            mobile_unit(2000, -1100, 1)});
  rebuild_derived_values();
  EXPECT_EQ(Cells[1].compact_groups[0].group_code, "K21_200010");
}

TEST_F(CompactGroups, PositionCharactersOfEndsAlongY) {
  // Ends oriented 'H': the group runs along y; the upper end numbers c5, c1, c2.
  add_cell({fixed_end(0, 0, 1, 'H'), fixed_end(0, 2000, 1, 'H'), make_free(0, 2677, 577, 1000, 'H'),
            make_free(-1100, 0, 577, 1000, 'H')});
  rebuild_derived_values();
  EXPECT_EQ(Cells[0].compact_groups[0].group_code, "K11_000110");
}

TEST_F(CompactGroups, WallGapsUpTo350Millimetres) {
  Tcell& cell = add_cell({fixed_end(0, 0, 1), fixed_end(2000, 0, 1)});
  // End faces at -288.5 and 2288.5; rails reach 554 mm either side of y 0.
  cell.walls = {make_wall(-638.5, -2000, -638.5, 2000), make_wall(2639.5, -2000, 2639.5, 2000),
                make_wall(-1000, 904, 3000, 904), make_wall(-1000, -904, 3000, -904)};
  rebuild_derived_values();
  EXPECT_EQ(cell.compact_groups[0].wall_gaps, (std::array<double, 4>{350.0, -1.0, 350.0, -1.0}));

  cell.walls[3] = make_wall(-1000, -903, 3000, -903);
  rebuild_derived_values();
  EXPECT_EQ(cell.compact_groups[0].wall_gaps[1], 349.0);
}

TEST_F(CompactGroups, MaxFixedNumberLooksAtFreeModulesAndBays) {
  Tcell& cell = add_cell({fixed_end(0, 0, 2), mobile_unit(0, 0, 9)});
  EXPECT_EQ(max_fixed_compact_number(0), 2);
  cell.walls = {make_wall(0, 0, 1000, 0)};
  cell.walls[0].modules = {make_bay(0, 0, 577, 1000, 'H')};
  cell.walls[0].modules[0].group_code = "CVFISSO_5";
  EXPECT_EQ(max_fixed_compact_number(0), 5);
  Cells.emplace_back();
  EXPECT_EQ(max_fixed_compact_number(1), 0);
}

}  // namespace
