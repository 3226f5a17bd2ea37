// The plan drawing of a project: what goes where for each kind of element.
#include <gtest/gtest.h>

#include <cmath>

#include "dxf_fixture.h"
#include "dxf_sample_project.h"

namespace {

using PlanExportTest = DxfExportTest;

TEST_F(PlanExportTest, CellsStandSideBySide) {
  add_room(5000, 3000);
  std::vector<DxfEntity> one = plan_entities();
  ASSERT_EQ(of_type(one, "LINE").size(), 8u);
  expect_pairs(one[1], "10=0 11=5000");  // the first cell keeps its own coordinates
  expect_pairs(one[0], "10=-60");        // the outer face, joined at the corner
  add_room(5000, 3000);
  std::vector<DxfEntity> two = plan_entities();
  ASSERT_EQ(two.size(), 16u);
  expect_pairs(two[9], "10=7000 11=12000 20=0");  // Y is not shifted
}

TEST_F(PlanExportTest, AnOpeningHasItsJambs) {
  Tcell& cell = add_room(5000, 3000);
  cell.walls[2].kind = 0;
  std::vector<DxfEntity> lines = of_type(plan_entities(), "LINE");
  ASSERT_EQ(lines.size(), 10u);
  expect_pairs(lines[6], "10=5000 21=3060");  // jamb from the wall's start to the outer face
}

TEST_F(PlanExportTest, ABayHasItsGridsOutlineRivetsFixingsAndLabels) {
  add_length(1000, "AB");
  Tcell& cell = add_room(5000, 3000);
  add_bottom_bay(cell, 1000, 1000).shelf_count = 4;
  std::vector<DxfEntity> all = plan_entities();
  std::vector<DxfEntity> grids = of_type(all, "INSERT");
  ASSERT_GE(grids.size(), 2u);
  expect_pairs(grids[0], "2=LAZ475 8=Scaffalatura_griglie 10=633 50=180");  // a wall along +x turns its parts
  expect_pairs(grids[1], "2=LBZ475 10=943");
  ASSERT_EQ(of_type(all, "LWPOLYLINE").size(), 1u);
  EXPECT_EQ(of_type(all, "LWPOLYLINE")[0].value("20"), "1.5");
  EXPECT_EQ(of_type(all, "INSERT", "rivetto").size(), 4u);
  std::vector<DxfEntity> fixings = of_type(all, "INSERT", "Attacco");
  ASSERT_EQ(fixings.size(), 4u);
  expect_pairs(fixings[0], "50=360 10=500");
  expect_pairs(fixings[2], "10=1500");
  std::vector<DxfEntity> texts = of_type(all, "TEXT");
  ASSERT_EQ(texts.size(), 2u);
  expect_pairs(texts[0], "1=1000x475xh2000");
  EXPECT_TRUE(texts[1].value("1").starts_with("4 "));
  expect_pairs(texts[1], "20=157.5");

  // A length the catalogue lacks gets no grids, but its outline.
  LengthList.pop_back();
  all = plan_entities();
  EXPECT_TRUE(of_type(all, "INSERT", "LAZ475").empty());
  EXPECT_EQ(of_type(all, "LWPOLYLINE").size(), 1u);
}

TEST_F(PlanExportTest, CornerJoinsAndFramesFollowTheCodeTable) {
  Tcell& cell = add_room(5000, 3000);
  add_bottom_bay(cell, 487, 974);
  add_bottom_bay(cell, 1461, 974);
  cell.walls[0].start_join_high = cell.walls[0].end_join_high = true;
  for (double x : {0.0, 974.0, 1948.0}) cell.walls[0].end_frames.push_back({x, 237.5, 2000, 475, 'H', "TE"});
  std::vector<DxfEntity> all = plan_entities();
  std::vector<DxfEntity> joints = of_type(all, "INSERT", "giunzione_475");
  ASSERT_EQ(joints.size(), 2u);
  expect_pairs(joints[0], "10=-12.5");
  expect_pairs(joints[1], "10=1960.5");
  EXPECT_EQ(of_type(all, "INSERT", "Attacco").size(), 4u) << "the two fixings between the bays, each side";
  EXPECT_EQ(of_type(all, "INSERT", "testata_475").size(), 3u);

  // Without a shelf row the bays go, the frames stay.
  std::erase_if(CodesTable, [](const Tcodice& row) { return row.tipo == "R"; });
  all = plan_entities();
  EXPECT_TRUE(of_type(all, "LWPOLYLINE").empty());
  EXPECT_EQ(of_type(all, "INSERT").size(), 3u);
}

TEST_F(PlanExportTest, WallDimensionsMeasureTheWallAndItsRun) {
  Tcell& cell = add_room(5000, 3000);
  Tlinea& wall = cell.walls[0];
  wall.start_free = 300;
  wall.end_free = 200;
  EXPECT_TRUE(of_type(plan_entities(), "DIMENSION").empty()) << "dimensions off";
  wall.show_dimensions = true;
  std::vector<DxfEntity> dimensions = of_type(plan_entities(), "DIMENSION");
  ASSERT_EQ(dimensions.size(), 4u);
  // The whole wall, 400 beyond the outer side (the room's edge here); then
  // the run, its text in the middle of the run.
  expect_pairs(dimensions[0], "10=2500 20=-400 23=-60 50=180 2=*D1");
  expect_pairs(dimensions[3], "10=2550 13=300 14=4800");
}

TEST_F(PlanExportTest, ADiagonalWallTurnsNothing) {
  Tcell& cell = Cells.emplace_back();
  cell.walls = {make_wall(0, 0, 3000, 3000)};
  cell.walls[0].normal_x = std::sqrt(0.5);
  cell.walls[0].normal_y = -std::sqrt(0.5);
  Tmodulo bay = make_bay(1500, 1500, 475, 974, 'H');
  cell.walls[0].modules.push_back(bay);
  std::vector<DxfEntity> grids = of_type(plan_entities(), "INSERT");
  ASSERT_FALSE(grids.empty());
  expect_pairs(grids[0], "50=0");
}

TEST_F(PlanExportTest, FreeModulesTrolleysAndTheirClearances) {
  Tcell& cell = add_room(6000, 4000);
  Tmodulo_agg trolley = make_free(3000, 2000, 475, 974, 'H', "CARRELLO");
  trolley.shelf_pattern = "1";
  trolley.dim_n = trolley.dim_s = trolley.dim_e = true;
  trolley.clear_n = 800;
  trolley.clear_e = 600;
  trolley.side_flags = {1, 0, 1, 0, 0, 1};
  cell.free_modules.push_back(trolley);
  std::vector<DxfEntity> all = plan_entities();
  std::vector<DxfEntity> bumpers = of_type(all, "INSERT", "BUMPER");
  ASSERT_EQ(bumpers.size(), 4u);
  expect_pairs(bumpers[0], "8=Quote");
  std::vector<std::string> scales;
  for (const DxfEntity& b : bumpers) scales.push_back(b.value("41"));
  EXPECT_EQ(scales, (std::vector<std::string>{"1", "-1", "-1", "1"}));
  expect_pairs(bumpers[1], "10=2495");
  EXPECT_EQ(of_type(all, "INSERT", "giunzione_475").size(), 1u);
  EXPECT_EQ(of_type(all, "INSERT", "testata_475").size(), 2u);
  EXPECT_EQ(of_type(all, "INSERT", "Attacco").size(), 6u) << "two at the start frame, four at the shared one";
  std::vector<DxfEntity> dimensions = of_type(all, "DIMENSION");
  ASSERT_EQ(dimensions.size(), 2u) << "north and east; the south clearance is 0";
  expect_pairs(dimensions[0], "24=3037.5 20=2637.5");
  expect_pairs(dimensions[1], "13=3519 14=4087");  // the end frame's 32 mm count from the module
}

TEST_F(PlanExportTest, ACompactGroupHasRailsOperatorEndUnitsAndSpacers) {
  Tcell& cell = add_room(6000, 4000);
  cell.compact_groups.push_back(make_compact_group(3000, 2000, 685, {100, 0, 50, -1}));
  std::vector<DxfEntity> all = plan_entities();
  EXPECT_EQ(of_type(all, "INSERT", "BINARIO_CV_2645").size(), 2u);
  EXPECT_EQ(of_type(all, "INSERT", "CV_OPERATORE")[0].value("50"), "90");
  EXPECT_EQ(of_type(all, "LWPOLYLINE").size(), 2u);
  std::vector<DxfEntity> screwed = of_type(all, "INSERT", "DISTANZIATORE_FISS_VITI");
  ASSERT_EQ(screwed.size(), 2u);
  expect_pairs(screwed[0], "10=1601.5 20=2442.5");
  std::vector<DxfEntity> ends = of_type(all, "INSERT", "DISTANZIATORE");
  ASSERT_EQ(ends.size(), 2u);
  expect_pairs(ends[0], "10=1450 50=270");
  EXPECT_EQ(of_type(all, "LINE").size(), 8u + 4u) << "walls and one line per spacer";
}

// The spacers of a group in drawing order, "block x,y", each one checked to be
// followed by its line.
std::vector<std::string> spacers_in_order(const std::vector<DxfEntity>& all) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const std::string block = all[i].value("2");
    if (all[i].type != "INSERT" || block.rfind("DISTANZIATORE", 0) != 0) continue;
    EXPECT_TRUE(i + 1 < all.size() && all[i + 1].type == "LINE") << "a spacer without its line";
    found.push_back(block + " " + all[i].value("10") + "," + all[i].value("20"));
  }
  return found;
}

TEST_F(PlanExportTest, SpacersComeAsOnePairPerGapInTheOrderOfTheSides) {
  Tcell& cell = add_room(6000, 4000);
  cell.compact_groups.push_back(make_compact_group(3000, 2000, 685, {100, 80, 50, 60}));
  const std::string screwed = "DISTANZIATORE_FISS_VITI ", plain = "DISTANZIATORE ";
  EXPECT_EQ(spacers_in_order(plan_entities()),
            (std::vector<std::string>{screwed + "1601.5,2442.5", screwed + "4398.5,2442.5", screwed + "1601.5,1577.5",
                                      screwed + "4398.5,1577.5", plain + "1450,2210.5", plain + "1450,1789.5",
                                      plain + "4560,2210.5", plain + "4560,1789.5"}));
  cell.compact_groups[0].orientation = 'V';
  EXPECT_EQ(spacers_in_order(plan_entities()),
            (std::vector<std::string>{screwed + "3442.5,3398.5", screwed + "3442.5,601.5", screwed + "2577.5,3398.5",
                                      screwed + "2577.5,601.5", plain + "3210.5,3550", plain + "2789.5,3550",
                                      plain + "3210.5,440", plain + "2789.5,440"}));
}

}  // namespace
