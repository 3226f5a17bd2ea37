#include "model/modules/compact_pair_check.h"

#include <gtest/gtest.h>

#include "project_globals_fixture.h"

namespace {

class CompactPairCheck : public ProjectGlobalsTest {
 protected:
  // Two 'V' bays on an 'H' run and a free module; the test selects among them.
  void SetUp() override {
    ProjectGlobalsTest::SetUp();
    Tcell cell;
    cell.walls = {make_wall(0, 0, 5000, 0)};
    cell.walls[0].modules = {make_bay(1000, 500, 577, 1000, 'V'), make_bay(3000, 500, 577, 1000, 'V')};
    cell.free_modules = {make_free(2000, 2000, 577, 1000, 'V')};
    Cells = {Tcell{}, cell};
  }
  Tmodulo& bay(int i) { return Cells[1].walls[0].modules[static_cast<std::size_t>(i)]; }
  Tmodulo_agg& free_module() { return Cells[1].free_modules[0]; }
  void select_bays() { bay(0).selected = bay(1).selected = true; }
};

TEST_F(CompactPairCheck, FreeModulesComeFirstAndTheLastSelectedIsSecond) {
  free_module().selected = true;
  select_bays();
  const SelectedPair pair = get_two_selected_modules(1);
  EXPECT_EQ(pair.count, 3);
  EXPECT_EQ(pair.first.y, 2000.0);
  EXPECT_EQ(pair.second.x, 3000.0);
  EXPECT_EQ(check_compact_pair(1), "Devono essere selezionati 2 moduli");
}

TEST_F(CompactPairCheck, MessagesInTheirOrder) {
  EXPECT_EQ(check_compact_pair(1), "Devono essere selezionati 2 moduli");
  select_bays();
  bay(1).group_code = "CVMOBIL_1";
  bay(1).orientation = 'H';
  EXPECT_EQ(check_compact_pair(1), "Moduli già utilizzati per Corvane");
  bay(1).group_code.clear();
  EXPECT_EQ(check_compact_pair(1), "Moduli non paralleli");
  bay(1).orientation = 'V';
  bay(1).y = 600;
  bay(1).length = 800;
  bay(1).width = 500;
  EXPECT_EQ(check_compact_pair(1), "Moduli non allineati");  // before the length
  bay(1).y = 500;
  EXPECT_EQ(check_compact_pair(1), "I moduli devono avere la stessa lunghezza");
  bay(1).length = 1000;
  EXPECT_EQ(check_compact_pair(1), "I moduli devono essere larghi 577mm");
  bay(1).width = 577;
  EXPECT_EQ(check_compact_pair(1), "");
  // Modules across y must line up along it.
  bay(0).orientation = bay(1).orientation = 'H';
  EXPECT_EQ(check_compact_pair(1), "Moduli non allineati");
  bay(1).x = 1000;
  EXPECT_EQ(check_compact_pair(1), "");
}

}  // namespace
