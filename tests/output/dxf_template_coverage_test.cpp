// The shipped templates define every block the exports can ask for: both
// drawings of rooms holding every module the catalogues allow (both units,
// optional sizes, every structure type, plain, trolley and compact), the
// groups of every kit the kit tables offer and of any two catalogue modules
// joined by hand, name no missing part; the menu command shows no message.
#include <gtest/gtest.h>

#include "dxf_fixture.h"
#include "dxf_sample_project.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/part_names.h"
#include "model/layout/compact_groups.h"
#include "model/modules/free_module_placement.h"
#include "model/modules/kit_choice.h"
#include "output/dxf/dxf_export_command.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

class DxfTemplateCoverage : public DxfExportTest {
 protected:
  void TearDown() override {
    set_ui(nullptr);
    DxfExportTest::TearDown();
  }

  void expect_no_missing_block(const std::string& what) {
    EXPECT_EQ(dxf_2d_drawing(Cells, plan_template).missing_blocks, std::set<std::string>{}) << what;
    EXPECT_EQ(dxf_3d_drawing(Cells, solid_template).missing_blocks, std::set<std::string>{}) << what;
  }

  // A free module with one shelf level, a corner joint at one end and a frame at the other.
  static void add_module(Tcell& cell, double width, double length, double height, const std::string& code) {
    Tmodulo_agg module = make_free(3000, 3000, width, length, 'H', code);
    module.shelf_pattern = "1";
    module.side_flags = {1, 0, 1, 0, 0, 0};
    module.height = module.frame_height_a = height;
    cell.free_modules.push_back(module);
  }

  // The groups joined by hand from two modules of each catalogue length, in every kit length class.
  static void add_groups_of_every_length(Tcell& cell) {
    const double kits[] = {2245, 2645, 3045};
    for (std::size_t i = 0; i < LengthList.size(); ++i) {
      Tcorvane group = make_compact_group(3000, 3000, compact_group_depth(LengthList[i]), {40, 40, 40, 40});
      group.kit_length = kits[i % 3];
      cell.compact_groups.push_back(group);
    }
  }

  ScriptedUi ui_;
};

TEST_F(DxfTemplateCoverage, EveryModuleOfBothCataloguesFindsItsBlocks) {
  for (bool inches : {false, true}) {
    use_staged_program(inches);
    load_data_file(1);  // optional sizes included
    ASSERT_FALSE(StructureTypes.empty());
    for (std::size_t type = 0; type < StructureTypes.size(); ++type) {
      Cells.clear();
      Tcell& cell = add_room(6000, 6000);
      cell.structure_type = static_cast<int>(type);
      for (const std::string code : {"", "CARRELLO", "CVFISSO_1", "CVMOBIL_1"})
        for (double width : WidthList) {
          for (double length : LengthList) add_module(cell, width, length, HeightList.front(), code);
          for (double height : HeightList) add_module(cell, width, LengthList.front(), height, code);
        }
      add_groups_of_every_length(cell);
      expect_no_missing_block((inches ? "inches, type " : "millimetres, type ") + std::to_string(type));
    }
  }
}

TEST_F(DxfTemplateCoverage, TheGroupOfEveryKitFindsItsOvals) {
  set_ui(&ui_);
  load_kit_lists();
  ASSERT_FALSE(kit_width_items().empty());
  for (const std::string& width : kit_width_items())
    for (const std::string& length : kit_length_items()) {
      Cells.clear();
      add_room(8000, 8000);
      ASSERT_FALSE(find_kit_for_size(width, length).empty()) << width << " " << length;
      AppState.compact_template.x = AppState.compact_template.y = 4000;
      ASSERT_TRUE(add_compact_block());
      ASSERT_EQ(Cells[0].compact_groups.size(), 1u);
      expect_no_missing_block(width + " " + length);
      const std::string oval = oval_block(Cells[0].compact_groups[0].depth);
      EXPECT_EQ(of_type(solid_entities(), "INSERT", oval).size(), 2u) << oval;
    }
}

TEST_F(DxfTemplateCoverage, TheSolidExportOfAKitShowsNoMessage) {
  set_ui(&ui_);
  load_kit_lists();
  add_room(8000, 8000);
  ASSERT_EQ(find_kit_for_size("974", "2600-2245"), "CV2245-1-097");
  AppState.compact_template.x = AppState.compact_template.y = 4000;
  ASSERT_TRUE(add_compact_block());
  TempDir folder;
  ui_.file_answers = {folder.file("solid.dxf")};
  run_dxf_export(true);
  EXPECT_EQ(ui_.messages, std::vector<std::string>{});
  EXPECT_EQ(of_type(read_entities(folder.read("solid.dxf")), "INSERT", "Ovale998").size(), 2u);
}

}  // namespace
