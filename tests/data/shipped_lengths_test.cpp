// The shipped lengths serve what the program builds from them: the fill
// buttons count bays of 1700 mm, and the compact kits' module lengths are
// drawn, exported and priced from the catalogue of the unit in use.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/shipped_sizes.h"
#include "data/staged_data.h"
#include "model/catalogue/catalogue.h"
#include "model/files/preferences.h"
#include "model/layout/auto_fill.h"
#include "model/layout_fixture.h"
#include "support/program_dir.h"

namespace {

class ShippedLengths : public CellTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    use_staged_program(GetParam());
    load_data_file(0);
  }
};

TEST_P(ShippedLengths, EveryKitModuleLengthIsAStandardLength) {
  for (double length : shipped_kits().module_lengths)
    EXPECT_NE(std::find(LengthList.begin(), LengthList.end(), length), LengthList.end()) << length;
}

TEST_P(ShippedLengths, FillButtonsFillLongWallsWithTheShippedPreferences) {
  {
    // A copy: reading preferences that leave the language open asks for it, holds
    // the answer against the translation file and writes it back.
    TempProgramDir copy;
    std::filesystem::copy_file(stage_dir() + "/defaults/user/preferenze.dat", copy.path() / "user/preferenze.dat");
    std::filesystem::copy_file(stage_dir() + "/data/lang.dat", copy.path() / "data/lang.dat");
    ASSERT_TRUE(read_preferences());
  }
  use_staged_program(GetParam());
  for (double wall_length : {5000.0, 7000.0, 9000.0}) {
    make_rectangle(wall_length, 5000);
    wall(0).selected = true;
    auto_fill_walls(1700);
    // Bays up to 1240 mm left 1473 mm of a 7000 mm wall empty; now less than a fifth of a bay is.
    EXPECT_LT(wall(0).free_space, 1700.0 / 5) << wall_length << " mm wall";
  }
}

INSTANTIATE_TEST_SUITE_P(MillimetresAndInches, ShippedLengths, ::testing::Bool());

}  // namespace
