#include "model/modules/compact_placement.h"

#include <gtest/gtest.h>

#include <tuple>

#include "layout_fixture.h"
#include "model/layout/compact_groups.h"
#include "model/modules/kit_choice.h"
#include "support/plan_builders.h"
#include "support/scripted_ui.h"

namespace {

class CompactPlacement : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    WidthList = {400, 475, 577};
    // Two fixed modules 3000 mm apart along y, each running along x.
    cell().free_modules = {make_free(0, 0, 577, 1000, 'H'), make_free(0, 3000, 577, 1000, 'H')};
    for (Tmodulo_agg& m : cell().free_modules) m.selected = true;
    form = compact_placement_form(as_bay(cell().free_modules[0]), as_bay(cell().free_modules[1]));
  }
  void TearDown() override {
    WidthList.clear();
    CellTest::TearDown();
  }
  static Tmodulo as_bay(const Tmodulo_agg& m) { return make_bay(m.x, m.y, m.width, m.length, m.orientation); }

  CompactPlacementForm form;
};

TEST_F(CompactPlacement, TheCorridorIsWhatTheUnitsLeaveAndBelow500ItIsRefused) {
  EXPECT_EQ(form.side, PackSide::Up);  // ends running along x pack up or down
  set_mobile_unit_count(form, 4);
  EXPECT_EQ(compact_overall_size(form), 3577);
  EXPECT_EQ(compact_corridor(form), 731);  // 3000 - 577 - 4 * 423

  set_mobile_unit_count(form, 5);
  EXPECT_FALSE(compact_corridor(form));
  const Tcells before = Cells;
  EXPECT_FALSE(place_mobile_units(form));
  EXPECT_EQ(Cells, before);
}

TEST_F(CompactPlacement, ADepthChangePropagatesDownwardsOnly) {
  set_mobile_unit_count(form, 6);
  choose_unit_depth(form, 1, 2);
  EXPECT_EQ(form.depths, (std::vector<int>{0, 2, 2, 2, 2, 2}));
}

TEST_F(CompactPlacement, UnitsArePackedAgainstTheChosenEndAndTheGroupIsBuilt) {
  set_mobile_unit_count(form, 2);
  form.side = PackSide::Down;  // against the lower end, the corridor at the top
  const std::size_t steps = UndoHistory.size();
  ScopedScriptedUi ui;
  ASSERT_TRUE(place_mobile_units(form));
  const auto& modules = cell().free_modules;
  ASSERT_EQ(modules.size(), 4u);
  EXPECT_EQ(std::tuple(modules[0].code, modules[0].height, modules[0].shelf_pattern),
            std::tuple("CVFISSO_1", 1850.0, "100100100100"));
  EXPECT_EQ(modules[2].code, "CVMOBIL_1");
  // The first unit 23 mm from the fixed end's face, the next 423 further.
  EXPECT_EQ(std::pair(modules[2].y, modules[3].y), std::pair(288.5 + 23 + 200, 288.5 + 23 + 200 + 423));
  EXPECT_EQ(modules[3].height, 1700);
  EXPECT_EQ(cell().compact_groups.size(), 1u);
  EXPECT_EQ(UndoHistory.size(), steps + 1);
  EXPECT_EQ(ui->rebuilds_3d, 1) << "an open 3-D view shows the new units";
}

TEST_F(CompactPlacement, AShelfCountThatIsNotAWholeNumberIsRefusedWithAMessage) {
  form.shelves = "4,5";
  EXPECT_FALSE(place_mobile_units(form));
  EXPECT_EQ(ui->messages, std::vector<std::string>{"text 8"});
  EXPECT_EQ(cell().free_modules.size(), 2u);
}

TEST_F(CompactPlacement, AKitIsFoundByWidthAndLengthTheLaterRowWinning) {
  KitWidthTable = {{"LARGHEZZA", "SUFFISSO"}, {"974", "-097"}};
  KitTable = {{"L", "B", "M", "P", "C"},
              {"2600", "2245", "1", "577 577 577", "CV2245-1"},
              {"2600", "2245", "2", "577 475 577", "CV2245-2"}};
  EXPECT_EQ(kit_length_items(), (std::vector<std::string>{"2600-2245", "2600-2245"}));
  EXPECT_EQ(find_kit_for_size("974", ""), "");
  EXPECT_EQ(find_kit_for_size("974", "2600-2245"), "CV2245-2-097");
  const Tcorvane& t = AppState.compact_template;
  EXPECT_EQ(t.depth, 974);
  EXPECT_EQ(t.overall_length, 2600);
  EXPECT_EQ(t.unit_depths, (Tstringlist{"577", "475", "577"}));
  KitTable.clear();
  KitWidthTable.clear();
}

}  // namespace
