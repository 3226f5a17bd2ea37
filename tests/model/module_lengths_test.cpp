#include "model/module_lengths.h"

#include <gtest/gtest.h>

#include <vector>

#include "layout_fixture.h"

namespace {

struct Choice {
  bool found = false;
  std::vector<double> lengths;
  double leftover = 0;
};

class ModuleLengths : public CellTest {
 protected:
  // One wall, from which the choice reads its forced lengths.
  void SetUp() override {
    CellTest::SetUp();
    cell().walls.assign(1, Tlinea{});
  }
  static Choice choose(int n, bool mix, double fill, std::vector<double> previous = {}) {
    Choice choice{false, std::move(previous), 0};
    choice.found = choose_module_lengths(n, choice.lengths, 0, mix, choice.leftover, fill);
    return choice;
  }
  static void use_lengths(std::vector<double> lengths) {
    LengthList = std::move(lengths);
    AppState.max_length_index = static_cast<int>(LengthList.size()) - 1;
  }
};

using Lengths = std::vector<double>;

TEST_F(ModuleLengths, MixFromBelowTakesTheLargestTotalNotAboveF) {
  use_lengths({1000, 1300});
  const Choice c = choose(2, true, 2500);
  ASSERT_TRUE(c.found);
  EXPECT_EQ(c.lengths, (Lengths{1000, 1300}));
  EXPECT_EQ(c.leftover, 200);
}

TEST_F(ModuleLengths, MixFromAboveTakesTheSmallestTotalNotBelowF) {
  use_lengths({1000, 1300});
  const Choice c = choose(2, false, 2500);
  ASSERT_TRUE(c.found);
  EXPECT_EQ(c.lengths, (Lengths{1300, 1300}));
  EXPECT_EQ(c.leftover, -100);
}

TEST_F(ModuleLengths, ShortLengthsGoToBothEndsOfTheRun) {
  // avg 1050: lo 1000, hi 1100; five lengths, total at most 5250: two hi, three lo.
  Choice c = choose(5, true, 5250);
  EXPECT_EQ(c.lengths, (Lengths{1000, 1000, 1100, 1100, 1000}));
  EXPECT_EQ(c.leftover, 50);
  // From above the long lengths go to the ends.
  c = choose(5, false, 5250);
  EXPECT_EQ(c.lengths, (Lengths{1100, 1100, 1000, 1000, 1100}));
  EXPECT_EQ(c.leftover, -50);
}

TEST_F(ModuleLengths, AverageAboveTheLargestAllowedLengthFillsWithIt) {
  AppState.max_length_index = 3;  // up to 1000
  const Choice c = choose(3, true, 3600);
  ASSERT_TRUE(c.found);
  EXPECT_EQ(c.lengths, (Lengths{1000, 1000, 1000}));
  EXPECT_EQ(c.leftover, 600);
}

TEST_F(ModuleLengths, AverageBelowTheSmallestLengthFailsAndKeepsTheLengths) {
  const Choice c = choose(2, true, 1000, {5, 6});
  EXPECT_FALSE(c.found);
  EXPECT_EQ(c.lengths, (Lengths{5, 6}));
  EXPECT_EQ(c.leftover, 989);
}

TEST_F(ModuleLengths, PreferredLengthOutsideTheCatalogueIsClamped) {
  AppState.max_length_index = 40;  // from a longer catalogue
  EXPECT_EQ(choose(1, true, 5000).lengths, (Lengths{1300}));
  AppState.max_length_index = -1;
  EXPECT_EQ(choose(1, true, 5000).lengths, (Lengths{700}));
  LengthList.clear();
  EXPECT_FALSE(choose(1, true, 5000).found);
}

TEST_F(ModuleLengths, ForcedLengthsReplaceTheChoiceEvenWhenTheyOverfill) {
  wall(0).forced_lengths = {1300, 1300, 1300};
  const Choice c = choose(3, true, 2500);
  EXPECT_TRUE(c.found);
  EXPECT_EQ(c.lengths, (Lengths{1300, 1300, 1300}));
  EXPECT_EQ(c.leftover, -1400);
}

TEST_F(ModuleLengths, ShortForcedListOverridesOnlyItsPositions) {
  wall(0).forced_lengths = {1300};
  const Choice c = choose(3, true, 3000);
  EXPECT_EQ(c.lengths, (Lengths{1300, 1000, 1000}));
  EXPECT_EQ(c.leftover, -300);
}

TEST_F(ModuleLengths, ForcedLengthsDoNotRescueAFailedChoice) {
  wall(0).forced_lengths = {1300, 1300};
  const Choice c = choose(2, true, 1000);
  EXPECT_FALSE(c.found);
  EXPECT_EQ(c.lengths, (Lengths{1300, 1300}));
  EXPECT_EQ(c.leftover, -1600);
}

class FillLength : public CellTest {};

TEST_F(FillLength, LoneRunLosesClearancesUprightsAndGaps) {
  make_rectangle(6000, 4000);
  cell().clearance = 50;
  set_run(wall(0), 4, 0);
  wall(0).start_gap = 30;
  wall(0).end_gap = 20;
  // 6000 - 100 - 50 - 5 * 28 - 4 * 8
  EXPECT_EQ(wall_fill_length(0), 5678);
}

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
  // Rows 9 and 10: the neighbours are joined high at their far corners too.
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
  // Rows 3, 4, 7 and 8: open corners reach round the neighbours joined high.
  EXPECT_EQ(wall_fill_length(0), base_gaps + (100 + 10 + 28) + (100 + 20 + 28) + 32 + 32);
}

}  // namespace
