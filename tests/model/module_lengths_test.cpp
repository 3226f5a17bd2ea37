#include "model/module_lengths.h"

#include <gtest/gtest.h>

#include <vector>

#include "layout_fixture.h"

namespace {

class ModuleLengths : public CellTest {
 protected:
  // One wall on which the choice reads its forced lengths.
  void SetUp() override {
    CellTest::SetUp();
    cell().walls.assign(1, Tlinea{});
  }
};

TEST_F(ModuleLengths, MixFromBelowTakesTheLargestTotalNotAboveF) {
  LengthList = {1000, 1300};
  AppState.max_length_index = 1;
  std::vector<double> lengths;
  double leftover = 0;
  ASSERT_TRUE(choose_module_lengths(2, lengths, 0, true, leftover, 2500));
  EXPECT_EQ(lengths, (std::vector<double>{1000, 1300}));
  EXPECT_EQ(leftover, 200);
}

TEST_F(ModuleLengths, MixFromAboveTakesTheSmallestTotalNotBelowF) {
  LengthList = {1000, 1300};
  AppState.max_length_index = 1;
  std::vector<double> lengths;
  double leftover = 0;
  ASSERT_TRUE(choose_module_lengths(2, lengths, 0, false, leftover, 2500));
  EXPECT_EQ(lengths, (std::vector<double>{1300, 1300}));
  EXPECT_EQ(leftover, -100);
}

TEST_F(ModuleLengths, ShortLengthsGoToBothEndsOfTheRun) {
  // avg 1050: lo 1000, hi 1100; five lengths, total at most 5250: two hi, three lo.
  std::vector<double> lengths;
  double leftover = 0;
  ASSERT_TRUE(choose_module_lengths(5, lengths, 0, true, leftover, 5250));
  EXPECT_EQ(lengths, (std::vector<double>{1000, 1000, 1100, 1100, 1000}));
  EXPECT_EQ(leftover, 50);
  // From above the long lengths go to the ends.
  ASSERT_TRUE(choose_module_lengths(5, lengths, 0, false, leftover, 5250));
  EXPECT_EQ(lengths, (std::vector<double>{1100, 1100, 1000, 1000, 1100}));
  EXPECT_EQ(leftover, -50);
}

TEST_F(ModuleLengths, AverageAboveTheLargestAllowedLengthFillsWithIt) {
  AppState.max_length_index = 3;  // up to 1000
  std::vector<double> lengths;
  double leftover = 0;
  ASSERT_TRUE(choose_module_lengths(3, lengths, 0, true, leftover, 3600));
  EXPECT_EQ(lengths, (std::vector<double>{1000, 1000, 1000}));
  EXPECT_EQ(leftover, 600);
}

TEST_F(ModuleLengths, AverageBelowTheSmallestLengthFailsAndKeepsTheLengths) {
  std::vector<double> lengths{5, 6};
  double leftover = 0;
  EXPECT_FALSE(choose_module_lengths(2, lengths, 0, true, leftover, 1000));
  EXPECT_EQ(lengths, (std::vector<double>{5, 6}));
  EXPECT_EQ(leftover, 989);
}

TEST_F(ModuleLengths, PreferredLengthOutsideTheCatalogueIsClamped) {
  std::vector<double> lengths;
  double leftover = 0;
  AppState.max_length_index = 40;  // from a longer catalogue
  ASSERT_TRUE(choose_module_lengths(1, lengths, 0, true, leftover, 5000));
  EXPECT_EQ(lengths, (std::vector<double>{1300}));
  AppState.max_length_index = -1;
  ASSERT_TRUE(choose_module_lengths(1, lengths, 0, true, leftover, 5000));
  EXPECT_EQ(lengths, (std::vector<double>{700}));
  LengthList.clear();
  EXPECT_FALSE(choose_module_lengths(1, lengths, 0, true, leftover, 5000));
}

TEST_F(ModuleLengths, ForcedLengthsReplaceTheChoiceEvenWhenTheyOverfill) {
  wall(0).forced_lengths = {1300, 1300, 1300};
  std::vector<double> lengths;
  double leftover = 0;
  EXPECT_TRUE(choose_module_lengths(3, lengths, 0, true, leftover, 2500));
  EXPECT_EQ(lengths, (std::vector<double>{1300, 1300, 1300}));
  EXPECT_EQ(leftover, -1400);
}

TEST_F(ModuleLengths, ShortForcedListOverridesOnlyItsPositions) {
  wall(0).forced_lengths = {1300};
  std::vector<double> lengths;
  double leftover = 0;
  ASSERT_TRUE(choose_module_lengths(3, lengths, 0, true, leftover, 3000));
  EXPECT_EQ(lengths, (std::vector<double>{1300, 1000, 1000}));
  EXPECT_EQ(leftover, -300);
}

TEST_F(ModuleLengths, ForcedLengthsDoNotRescueAFailedChoice) {
  wall(0).forced_lengths = {1300, 1300};
  std::vector<double> lengths;
  double leftover = 0;
  EXPECT_FALSE(choose_module_lengths(2, lengths, 0, true, leftover, 1000));
  EXPECT_EQ(lengths, (std::vector<double>{1300, 1300}));
  EXPECT_EQ(leftover, -1600);
}

class FillLength : public CellTest {};

TEST_F(FillLength, LoneRunLosesClearancesUprightsAndGaps) {
  make_rectangle(6000, 4000);
  cell().clearance = 50;
  set_run(wall(0), 4, 0);
  wall(0).length = 6000;
  wall(0).start_gap = 30;
  wall(0).end_gap = 20;
  // 6000 - 100 - 50 - 5 * 28 - 4 * 8
  EXPECT_EQ(wall_fill_length(0), 5678);
}

TEST_F(FillLength, CornerCorrectionsFollowTheJoinsAndTheNeighbours) {
  make_rectangle(6000, 4000);
  cell().clearance = 50;
  for (int i = 0; i < 4; ++i) wall(i).length = i % 2 == 0 ? 6000 : 4000;
  set_run(wall(0), 4, 0, 500);
  wall(3).module_depth = 400;
  wall(1).module_depth = 600;
  const double base = 6000 - 100 - 5 * 28 - 4 * 8;

  wall(0).start_join_high = wall(0).start_bounded = true;
  EXPECT_EQ(wall_fill_length(0), base + 28 - 400);
  wall(0).end_join_high = wall(0).end_bounded = true;
  EXPECT_EQ(wall_fill_length(0), base + 28 - 400 + 28 - 600);
  // Rows 9 and 10: the neighbours are joined high at their far corners too.
  wall(1).end_join_high = wall(1).end_bounded = true;
  wall(3).start_join_high = wall(3).start_bounded = true;
  EXPECT_EQ(wall_fill_length(0), base + 28 - 400 + 28 - 600 - 32 - 32);

  Tlinea& w = wall(0);
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
