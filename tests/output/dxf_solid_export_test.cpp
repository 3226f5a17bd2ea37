// The solid drawing of a project: the height, turn and stretch of each part.
#include <gtest/gtest.h>

#include "dxf_fixture.h"
#include "dxf_sample_project.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace {

using SolidExportTest = DxfExportTest;

std::vector<double> numbers(const std::vector<DxfEntity>& entities, const std::string& code) {
  std::vector<double> values;
  for (const DxfEntity& e : entities) values.push_back(e.number(code));
  return values;
}

TEST_F(SolidExportTest, ShelfLevelsFollowThePattern) {
  Tcell& cell = add_room(5000, 3000);
  add_bottom_bay(cell, 487, 974).shelf_pattern = "101";
  std::vector<DxfEntity> all = solid_entities();
  std::vector<DxfEntity> rails = of_type(all, "INSERT", "Fiancata974");
  ASSERT_EQ(rails.size(), 4u);
  EXPECT_EQ(numbers(rails, "30"), (std::vector<double>{1920.4, 1920.4, 1620.4, 1620.4}));
  expect_pairs(rails[0], "50=360 10=0 20=17.4");  // 17.4 inside the bay's edge
  std::vector<DxfEntity> panels = of_type(all, "INSERT");
  std::erase_if(panels, [](const DxfEntity& e) { return e.value("8") != "Scaffalatura_griglie"; });
  ASSERT_EQ(panels.size(), 2u * 3u) << "974 is \"ABB\"";
  expect_pairs(panels[0], "30=1966.4 10=133");
  expect_pairs(panels[3], "30=1666.4");
  EXPECT_EQ(of_type(all, "INSERT", "Giunzione").size(), 8u);

  cell.walls[0].modules[0].shelf_pattern = "000";
  EXPECT_TRUE(of_type(solid_entities(), "INSERT").empty());
}

TEST_F(SolidExportTest, PanelsOfAnABShelf) {
  add_length(1000, "AB");
  Tcell& cell = add_room(5000, 3000);
  add_bottom_bay(cell, 500, 1000);
  std::vector<DxfEntity> panels = of_type(solid_entities(), "INSERT");
  std::erase_if(panels, [](const DxfEntity& e) { return e.value("8") != "Scaffalatura_griglie"; });
  EXPECT_EQ(numbers(panels, "10"), (std::vector<double>{133, 443}));
}

TEST_F(SolidExportTest, CornerJoinsReplaceTheJointsOfTheirEnd) {
  Tcell& cell = add_room(5000, 3000);
  add_bottom_bay(cell, 487, 974).shelf_pattern = "11";
  cell.walls[0].start_join_high = cell.walls[0].end_join_high = true;
  std::vector<DxfEntity> all = solid_entities();
  std::vector<DxfEntity> corners = of_type(all, "INSERT", "Giunzione_angolo_475");
  ASSERT_EQ(corners.size(), 4u);
  expect_pairs(corners[0], "50=450 10=-21.5");
  expect_pairs(corners[1], "50=270");
  EXPECT_TRUE(of_type(all, "INSERT", "Giunzione").empty());
}

TEST_F(SolidExportTest, FramesOfAWallHaveUprightsAndCrossbars) {
  Tcell& cell = add_room(5000, 3000);
  cell.walls[0].end_frames.push_back({0, 237.5, 2000, 475, 'H', "TE"});
  std::vector<DxfEntity> all = solid_entities();
  std::vector<DxfEntity> uprights = of_type(all, "INSERT", "Piant_2000");
  ASSERT_EQ(uprights.size(), 2u);
  expect_pairs(uprights[0], "20=17.5");  // along the wall's outward normal
  EXPECT_EQ(numbers(of_type(all, "INSERT", "Traverso475"), "30"), (std::vector<double>{190, 1040, 1890}));
  EXPECT_EQ(of_type(all, "INSERT", "Traverso475")[0].value("50"), "270");
}

TEST_F(SolidExportTest, CompactModulesHaveTheirOwnLevelsAndFrames) {
  Tcell& cell = add_room(6000, 4000);
  Tmodulo_agg mobile = make_free(3000, 2000, 577, 974, 'H', "CVMOBIL_1");
  mobile.shelf_pattern = "1";
  mobile.side_flags = {0, 0, 1, 0, 0, 0};
  mobile.frame_height_a = 2000;
  cell.free_modules.push_back(mobile);
  Tmodulo_agg fixed = mobile;
  fixed.code = "CVFISSO_1";
  fixed.y = 3000;
  cell.free_modules.push_back(fixed);
  std::vector<DxfEntity> all = solid_entities();
  EXPECT_EQ(numbers(of_type(all, "INSERT", "Fiancata974"), "30"),
            (std::vector<double>{1750.4, 1750.4, 1770.4, 1770.4}));
  std::vector<DxfEntity> uprights = of_type(all, "INSERT", "Piant_2000s");
  ASSERT_EQ(uprights.size(), 2u);
  EXPECT_EQ(uprights[0].number("30"), 108.5);
  std::vector<DxfEntity> crossbars = of_type(all, "INSERT", "Traverso577");
  ASSERT_EQ(crossbars.size(), 3u + 3u);
  EXPECT_EQ(numbers(crossbars, "30"), (std::vector<double>{330, 1080, 1830, 190, 1040, 1890}));
  EXPECT_EQ(of_type(all, "INSERT", "Piant_2000").size(), 2u);
  EXPECT_EQ(of_type(all, "INSERT", "Giunzione")[1].value("50"), "-180");
}

TEST_F(SolidExportTest, ATrolleyStandsOnItsWheels) {
  Tcell& cell = add_room(6000, 4000);
  Tmodulo_agg trolley = make_free(3000, 2000, 475, 974, 'H', "CARRELLO");
  trolley.shelf_pattern = "1";
  cell.free_modules.push_back(trolley);
  std::vector<DxfEntity> all = solid_entities();
  EXPECT_EQ(of_type(all, "INSERT", "Fiancata974")[0].value("30"), "2032");
  EXPECT_EQ(numbers(of_type(all, "INSERT", "Ruota"), "30"), (std::vector<double>{151.6, 151.6}));
  EXPECT_EQ(of_type(all, "INSERT", "Ruota_freno").size(), 2u);
  EXPECT_EQ(of_type(all, "INSERT", "Ruota_freno")[0].value("10"), "3505");

  // A length without a shelf row keeps wheels and bars.
  cell.free_modules[0].length = 1200;
  all = solid_entities();
  EXPECT_TRUE(of_type(all, "INSERT", "Fiancata1200").empty());
  std::vector<DxfEntity> bars = of_type(all, "INSERT", "Traverso373");
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_NEAR(bars[0].number("41"), 1208.0 / 310.0, 1e-12);
  expect_pairs(bars[0], "30=234.1 20=2220");
  EXPECT_EQ(of_type(all, "INSERT", "Ruota").size(), 2u);
}

TEST_F(SolidExportTest, CompactGroupsHaveArchesClampsRailsOvalsAndSpacers) {
  Tcell& cell = add_room(6000, 6000);
  // Groups of modules 974 and 890 long, as the kits make them.
  cell.compact_groups.push_back(make_compact_group(3000, 1500, 1082, {0, 0, 0, 0}));
  cell.compact_groups.push_back(make_compact_group(3000, 4000, 998, {0, 0, 80, 0}));
  std::vector<DxfEntity> inserts = of_type(solid_entities(), "INSERT");
  ASSERT_EQ(inserts.size(), 12u + 14u);
  expect_pairs(inserts[0], "2=ArchettoCV 10=4211.5 20=2005");
  expect_pairs(inserts[8], "2=BinarioCV2645 10=1677.5");
  expect_pairs(inserts[10], "2=Ovale998 50=90");
  expect_pairs(inserts[11], "50=270");
  expect_pairs(inserts[22], "2=Ovale914");  // each group's ovals span its own depth
  expect_pairs(inserts[24], "2=3D_distanziatore 10=1420 30=1876");
}

TEST_F(SolidExportTest, CellsAreShiftedAndMissingBlocksNamed) {
  for (double width : {5000.0, 3000.0, 4000.0}) add_room(width, 3000);
  std::vector<DxfEntity> lines = solid_entities();
  EXPECT_EQ(numbers({lines[1], lines[9], lines[17]}, "10"), (std::vector<double>{0, 6000, 11500}));

  add_length(1000, "");
  add_bottom_bay(Cells[0], 500, 1000);
  DxfDrawing drawing = dxf_3d_drawing(Cells, solid_template);
  EXPECT_EQ(drawing.missing_blocks, (std::set<std::string>{"Fiancata1000"}));
  EXPECT_EQ(of_type(read_entities(drawing.text), "INSERT", "Giunzione").size(), 4u) << "the rest is written";

  ScopedScriptedUi ui;
  TempDir folder;
  export_dxf_3d(folder.file("solid.dxf"));
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("Fiancata1000"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "solid.dxf"));
}

}  // namespace
