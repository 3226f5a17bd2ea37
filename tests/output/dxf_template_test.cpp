// The template procedure and the shipped template drawings.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dxf_fixture.h"
#include "model/base/file_io.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/part_names.h"
#include "model/layout/compact_groups.h"
#include "support/program_dir.h"

namespace {

std::string seed_of(const std::string& text) {
  std::size_t at = text.find("$HANDSEED\r\n  5\r\n");
  if (at == std::string::npos) return "";
  at += 16;
  return text.substr(at, text.find("\r\n", at) - at);
}

TEST_F(DxfExportTest, TheHandleSeedFollowsTheLastEntity) {
  EXPECT_EQ(seed_of(dxf_2d_drawing(Cells, plan_template).text), "2711");
  EXPECT_EQ(seed_of(dxf_3d_drawing(Cells, solid_template).text), "C351");
  // Five walls give ten lines, the last with handle C35A.
  Tcell& cell = Cells.emplace_back();
  for (int i = 0; i < 5; ++i) cell.walls.push_back(make_wall(0, 1000.0 * i, 500, 1000.0 * i));
  DxfDrawing drawing = dxf_3d_drawing(Cells, solid_template);
  EXPECT_EQ(read_entities(drawing.text).size(), 10u);
  EXPECT_EQ(read_entities(drawing.text).back().value("5"), "C35A");
  EXPECT_EQ(seed_of(drawing.text), "C35B");
  EXPECT_TRUE(drawing.text.ends_with("  0\r\nEOF\r\n"));
}

TEST(DxfTemplateTest, TheEntitiesLineIsFoundAmongBlanksAndKept) {
  DxfTemplate drawing = parse_dxf_template("  0\nSECTION\n  2\n  ENTITIES  \n  0\nENDSEC\n  0\nEOF", "t");
  EXPECT_EQ(drawing.head, "  0\r\nSECTION\r\n  2\r\n  ENTITIES  \r\n");
  EXPECT_EQ(drawing.tail, "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  EXPECT_THROW(parse_dxf_template("  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n", "t"), FileError);
}

TEST(DxfTemplateTest, TheSeedPatchWalksPairsAndALastLineGetsItsPair) {
  std::string text = "  9\r\n$HANDSEED\r\n 70\r\n1\r\n  5\r\nFF\r\n  5\r\n99\r\n";
  patch_handle_seed(text, 0xC35B);
  EXPECT_EQ(text, "  9\r\n$HANDSEED\r\n 70\r\n1\r\n  5\r\nC35B\r\n  5\r\n99\r\n");
  DxfTemplate odd = parse_dxf_template("  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n999", "t");
  DxfEntities entities(odd.head);
  entities.dxf_line("0", 0, 0, 1, 1);
  EXPECT_TRUE(finish_dxf(entities, odd).ends_with("  0\r\nEOF\r\n999\r\n\r\n"));
  std::string without_pair = "  9\r\n$HANDSEED\r\n 70\r\n1\r\n";
  patch_handle_seed(without_pair, 0x2711);
  EXPECT_EQ(without_pair, "  9\r\n$HANDSEED\r\n 70\r\n1\r\n");
  // A "5" line out of step with the pairs is a value, not a code.
  std::string shifted = "  9\r\n$HANDSEED\r\nx\r\n  5\r\n  5\r\n10\r\n";
  patch_handle_seed(shifted, 0x2711);
  EXPECT_EQ(shifted, "  9\r\n$HANDSEED\r\nx\r\n  5\r\n  5\r\n2711\r\n");
}

TEST(DxfTemplateTest, ADamagedTemplateWritesNothing) {
  TempProgramDir folder;
  folder.write("data/export.dat", "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  std::string target = folder.write("plan.dxf", "previous drawing");
  try {
    export_dxf_2d(target);
    FAIL() << "a template without ENTITIES is refused";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("export.dat"), std::string::npos);
  }
  EXPECT_EQ(folder.read("plan.dxf"), "previous drawing");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "temp.tmp"));
  EXPECT_THROW(export_dxf_3d(target), FileError) << "a missing template";
  EXPECT_EQ(folder.read("plan.dxf"), "previous drawing");
}

// The form every template keeps: ASCII, CR LF, whole pairs, the header pair
// the exports patch, its handles below the entities', and the entity section
// after every other "ENTITIES" line.
void expect_template_form(const std::string& text, unsigned first_entity_handle) {
  EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c > 0 && c < 127; }));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n') % 2, 0);
  EXPECT_TRUE(text.ends_with("  0\r\nEOF\r\n"));
  EXPECT_NE(text.find("  9\r\n$HANDSEED\r\n  5\r\n"), std::string::npos);
  EXPECT_EQ(text.find("ENTITIES"), text.find("  2\r\nENTITIES\r\n") + 5);
  for (const DxfEntity& entity : read_entities(text)) ADD_FAILURE() << "the entity section is empty: " << entity.type;
  std::set<unsigned> handles;
  std::istringstream lines(text);
  std::string previous;
  for (std::string code, value; std::getline(lines, code) && std::getline(lines, value); previous = value) {
    if ((code != "  5\r" && code != "105\r") || previous == "$HANDSEED\r") continue;
    unsigned handle = static_cast<unsigned>(std::stoul(value, nullptr, 16));
    EXPECT_LT(handle, first_entity_handle);
    EXPECT_TRUE(handles.insert(handle).second) << "handle " << value << " twice";
  }
  EXPECT_EQ(seed_of(text), dxf_handle_text(*handles.rbegin() + 1));
}

TEST_F(DxfExportTest, TheShippedTemplatesDefineEveryBlockOfBothCatalogues) {
  expect_template_form(read_file_bytes(program_path("data/export.dat")), 0x2711);
  expect_template_form(read_file_bytes(program_path("data/export3d.dat")), 0xC351);
  const std::set<std::string>& plan = plan_template.block_names;
  const std::set<std::string>& solid = solid_template.block_names;
  for (Part part : {Part::Rivet, Part::Fixing, Part::Bumper, Part::SlidingBracket, Part::Operator, Part::ScrewedSpacer,
                    Part::EndSpacer}) {
    const std::string name = plan_block(part);
    EXPECT_TRUE(plan.contains(name)) << name;
  }
  for (Part part : {Part::Joint, Part::Wheel, Part::BrakedWheel, Part::TrolleyBar, Part::Arch, Part::CompactClamps,
                    Part::ScrewedSpacer, Part::EndSpacer}) {
    const std::string name = solid_block(part);
    EXPECT_TRUE(solid.contains(name)) << name;
  }
  for (double kit : {2245.0, 2645.0, 3045.0}) {
    EXPECT_TRUE(plan.contains(plan_block(Part::CompactRail, kit)));
    EXPECT_TRUE(solid.contains(solid_block(Part::CompactRail, kit)));
  }
  for (bool inches : {false, true}) {
    use_staged_program(inches);
    load_data_file(1);
    for (double w : WidthList) {
      for (const Tstructure_type& type : StructureTypes)
        for (char letter : {'A', 'B'}) {
          const std::string variant = grid_panel_variant(letter, type.shelf_suffix);
          EXPECT_TRUE(plan.contains(plan_block(Part::GridPanel, w, variant))) << w;
          EXPECT_TRUE(solid.contains(solid_block(Part::GridPanel, w, variant))) << w;
        }
      for (const std::string& name : {plan_block(Part::CornerJoint, w), plan_block(Part::EndFrame, w)})
        EXPECT_TRUE(plan.contains(name)) << name;
      for (const std::string& name : {solid_block(Part::CornerJoint, w), solid_block(Part::Crossbar, w)})
        EXPECT_TRUE(solid.contains(name)) << name;
    }
    // A group's depth comes from the length of its fixed ends.
    for (double l : LengthList) EXPECT_TRUE(solid.contains(oval_block(compact_group_depth(l)))) << l;
    for (double h : HeightList)
      for (Part upright : {Part::Upright, Part::MobileCompactUpright})
        EXPECT_TRUE(solid.contains(solid_block(upright, h))) << h;
    for (double l : LengthList) EXPECT_TRUE(solid.contains(solid_block(Part::SideRail, l))) << l;
  }
}

}  // namespace
