#include "model/layout/module_lengths.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "layout_fixture.h"

namespace {

using Lengths = std::vector<double>;

// One call of the length choice on a wall of the current cell and what it gives.
struct ChoiceCase {
  const char* name;
  Lengths catalogue;
  int max_length_index;
  Lengths forced;
  int n;
  bool mix;
  double fill;
  Lengths previous;  // what the output holds before the call
  bool found;
  Lengths lengths;
  double leftover;
};

const Lengths kSteps = {700, 800, 900, 1000, 1100, 1200, 1300};
const int kDamagedCount = std::numeric_limits<int>::max();
// A rounding error far below the tolerance, exact beside these sums.
const double kHair = 0x1p-30;

// Names say what each case shows; a failed choice has found false.
const ChoiceCase kChoiceCases[] = {
    // avg 1250: lo 1000, hi 1300; the trials total 2000, 2300 and 2600.
    {"MixFromBelowTakesTheLargestTotalNotAboveF", {1000, 1300}, 1, {}, 2, true, 2500, {}, true, {1000, 1300}, 200},
    {"MixFromAboveTakesTheSmallestTotalNotBelowF", {1000, 1300}, 1, {}, 2, false, 2500, {}, true, {1300, 1300}, -100},
    // avg 1050: two of 1100 and three of 1000 fit; the short ones go to both ends.
    {"ShortLengthsGoToTheEnds", kSteps, 6, {}, 5, true, 5250, {}, true, {1000, 1000, 1100, 1100, 1000}, 50},
    {"FromAboveLongLengthsGoToTheEnds", kSteps, 6, {}, 5, false, 5250, {}, true, {1100, 1100, 1000, 1000, 1100}, -50},
    {"AverageAboveTheLargestAllowedLength", kSteps, 3, {}, 3, true, 3600, {}, true, {1000, 1000, 1000}, 600},
    {"AverageBelowTheSmallestLengthKeepsTheOldLengths", kSteps, 6, {}, 2, true, 1000, {5, 6}, false, {5, 6}, 989},
    {"PreferredLengthPastTheCatalogueIsClamped", kSteps, 40, {}, 1, true, 5000, {}, true, {1300}, 3700},
    {"NegativePreferredLengthIsClamped", kSteps, -1, {}, 1, true, 5000, {}, true, {700}, 4300},
    {"NoCatalogueLengths", {}, 0, {}, 1, true, 5000, {}, false, {}, 5000},
    {"ForcedLengthsMayOverfill", kSteps, 6, {1300, 1300, 1300}, 3, true, 2500, {}, true, {1300, 1300, 1300}, -1400},
    {"ShortForcedListOverridesOnlyItsPositions", kSteps, 6, {1300}, 3, true, 3000, {}, true, {1300, 1000, 1000}, -300},
    {"ForcedLengthsDoNotRescueAFailedChoice", kSteps, 6, {1300, 1300}, 2, true, 1000, {}, false, {1300, 1300}, -1600},
    // Sums a rounding error off F fit it exactly, from below and from above.
    {"SumJustAboveFStillFits", {1000, 1300}, 1, {}, 2, true, 2300 - kHair, {}, true, {1000, 1300}, -kHair},
    {"SumJustBelowFStillReachesIt", {1000, 1300}, 1, {}, 2, false, 2300 + kHair, {}, true, {1300, 1000}, kHair},
    {"ShortestLengthJustOverTheAverage", {1000, 1300}, 1, {}, 2, true, 2000 - kHair, {}, true, {1000, 1000}, -kHair},
    // A count read from a damaged file: no bays, and nothing allocated for them.
    {"DamagedCountFailsWithoutSizingTheLengths", kSteps, 6, {}, kDamagedCount, true, 3000, {}, false, {}, 3000},
};

class ModuleLengths : public CellTest, public ::testing::WithParamInterface<ChoiceCase> {
 protected:
  // One wall, from which the choice reads its forced lengths.
  void SetUp() override {
    CellTest::SetUp();
    cell().walls.assign(1, Tlinea{});
  }
};

TEST_P(ModuleLengths, ChoosesFromTheCatalogue) {
  const ChoiceCase& c = GetParam();
  LengthList = c.catalogue;
  AppState.max_length_index = c.max_length_index;
  wall(0).forced_lengths = c.forced;
  Lengths lengths = c.previous;
  double leftover = 0;
  EXPECT_EQ(choose_module_lengths(c.n, lengths, 0, c.mix, leftover, c.fill), c.found);
  EXPECT_EQ(lengths, c.lengths);
  EXPECT_EQ(leftover, c.leftover);
}

INSTANTIATE_TEST_SUITE_P(Cases, ModuleLengths, ::testing::ValuesIn(kChoiceCases),
                         [](const ::testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

// A lone run with no joins is the one-bay wall of the placement tests.
class FillLength : public CellTest {};

TEST_F(FillLength, CornerCorrectionsFollowTheJoinsAndTheNeighbours) {
  make_rectangle(6000, 4000);
  cell().clearance = 50;
  set_run(wall(0), 4, 0, 500);
  wall(3).module_depth = 400;
  wall(1).module_depth = 600;
  const double base = 6000 - 100 - 5 * 28 - 4 * 8;

  Tlinea& w = wall(0);
  w.start_join_high = true;
  EXPECT_EQ(wall_fill_length(0), base + 28 - 400);
  w.end_join_high = true;
  EXPECT_EQ(wall_fill_length(0), base + 28 - 400 + 28 - 600);
  // The neighbours are joined high at their far corners too.
  wall(1).end_join_high = true;
  wall(3).start_join_high = true;
  EXPECT_EQ(wall_fill_length(0), base + 28 - 400 + 28 - 600 - 32 - 32);

  w.start_join_high = w.end_join_high = false;
  w.start_bounded = w.end_bounded = false;
  w.start_join_low = w.end_join_low = true;
  w.start_gap = 10;
  w.end_gap = 20;
  const double base_gaps = base - 30;
  EXPECT_EQ(wall_fill_length(0), base_gaps + (10 + 100 + 400 + 32) + (20 + 100 + 600 + 32));
  w.start_join_low = w.end_join_low = false;
  w.start_join_high = w.end_join_high = true;
  // Open corners reach round the neighbours joined high.
  EXPECT_EQ(wall_fill_length(0), base_gaps + (100 + 10 + 28) + (100 + 20 + 28) + 32 + 32);
}

}  // namespace
