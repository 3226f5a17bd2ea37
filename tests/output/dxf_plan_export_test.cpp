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
  EXPECT_EQ(one[1].value("10"), "0") << "the first cell keeps its own coordinates";
  EXPECT_EQ(one[1].value("11"), "5000");
  EXPECT_EQ(one[0].value("10"), "-60") << "the outer face, joined at the corner";
  add_room(5000, 3000);
  std::vector<DxfEntity> two = plan_entities();
  ASSERT_EQ(two.size(), 16u);
  EXPECT_EQ(two[9].value("10"), "7000");
  EXPECT_EQ(two[9].value("11"), "12000");
  EXPECT_EQ(two[9].value("20"), "0") << "Y is not shifted";
}

TEST_F(PlanExportTest, AnOpeningHasItsJambs) {
  Tcell& cell = add_room(5000, 3000);
  cell.walls[2].kind = 0;
  std::vector<DxfEntity> lines = of_type(plan_entities(), "LINE");
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[6].value("10"), "5000");  // jamb from the wall's start ...
  EXPECT_EQ(lines[6].value("21"), "3060");  // ... to the outer face
}

TEST_F(PlanExportTest, ABayHasItsGridsOutlineRivetsFixingsAndLabels) {
  add_length(1000, "AB");
  Tcell& cell = add_room(5000, 3000);
  add_bottom_bay(cell, 1000, 1000).shelf_count = 4;
  std::vector<DxfEntity> all = plan_entities();
  std::vector<DxfEntity> grids = of_type(all, "INSERT");
  ASSERT_GE(grids.size(), 2u);
  EXPECT_EQ(grids[0].value("2"), "LAZ475");
  EXPECT_EQ(grids[0].value("8"), "Scaffalatura_griglie");
  EXPECT_EQ(grids[0].number("10"), 1000 - 367);
  EXPECT_EQ(grids[0].value("50"), "180") << "a wall along +x turns its parts by 180";
  EXPECT_EQ(grids[1].value("2"), "LBZ475");
  EXPECT_EQ(grids[1].number("10"), 1000 - 57);
  ASSERT_EQ(of_type(all, "LWPOLYLINE").size(), 1u);
  EXPECT_EQ(of_type(all, "LWPOLYLINE")[0].value("20"), "1.5");
  EXPECT_EQ(of_type(all, "INSERT", "rivetto").size(), 4u);
  std::vector<DxfEntity> fixings = of_type(all, "INSERT", "Attacco");
  ASSERT_EQ(fixings.size(), 4u);
  EXPECT_EQ(fixings[0].value("50"), "360");
  EXPECT_EQ(fixings[0].value("10"), "500");
  EXPECT_EQ(fixings[2].value("10"), "1500");
  std::vector<DxfEntity> texts = of_type(all, "TEXT");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].value("1"), "1000x475xh2000");
  EXPECT_TRUE(texts[1].value("1").starts_with("4 "));
  EXPECT_EQ(texts[1].number("20"), 237.5 - 80);

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
  EXPECT_EQ(joints[0].number("10"), -12.5);
  EXPECT_EQ(joints[1].number("10"), 1960.5);
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
  // The whole wall, 400 beyond the outer side (the room's edge here).
  EXPECT_EQ(dimensions[0].value("10"), "2500");
  EXPECT_EQ(dimensions[0].value("20"), "-400");
  EXPECT_EQ(dimensions[0].value("23"), "-60");
  EXPECT_EQ(dimensions[0].value("50"), "180");
  EXPECT_EQ(dimensions[0].value("2"), "*D1");
  // The run, its text in the middle of the run.
  EXPECT_EQ(dimensions[3].value("10"), "2550");
  EXPECT_EQ(dimensions[3].value("13"), "300");
  EXPECT_EQ(dimensions[3].value("14"), "4800");
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
  EXPECT_EQ(grids[0].value("50"), "0");
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
  EXPECT_EQ(bumpers[0].value("8"), "Quote");
  std::vector<std::string> scales;
  for (const DxfEntity& b : bumpers) scales.push_back(b.value("41"));
  EXPECT_EQ(scales, (std::vector<std::string>{"1", "-1", "-1", "1"}));
  EXPECT_EQ(bumpers[1].value("10"), "2495");
  EXPECT_EQ(of_type(all, "INSERT", "giunzione_475").size(), 1u);
  EXPECT_EQ(of_type(all, "INSERT", "testata_475").size(), 2u);
  EXPECT_EQ(of_type(all, "INSERT", "Attacco").size(), 6u) << "two at the start frame, four at the shared one";
  std::vector<DxfEntity> dimensions = of_type(all, "DIMENSION");
  ASSERT_EQ(dimensions.size(), 2u) << "north and east; the south clearance is 0";
  EXPECT_EQ(dimensions[0].value("24"), "3037.5");
  EXPECT_EQ(dimensions[0].value("20"), "2637.5");
  EXPECT_EQ(dimensions[1].value("13"), "3519");  // the end frame's 32 mm count from the module
  EXPECT_EQ(dimensions[1].value("14"), "4087");
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
  EXPECT_EQ(screwed[0].value("10"), "1601.5");
  EXPECT_EQ(screwed[0].value("20"), "2442.5");
  std::vector<DxfEntity> ends = of_type(all, "INSERT", "DISTANZIATORE");
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[0].value("10"), "1450");
  EXPECT_EQ(ends[0].value("50"), "270");
  EXPECT_EQ(of_type(all, "LINE").size(), 8u + 4u) << "walls and one line per spacer";
}

}  // namespace
