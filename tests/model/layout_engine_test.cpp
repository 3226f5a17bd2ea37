#include "model/layout/layout_engine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "layout_fixture.h"
#include "layout_invariants.h"
#include "model/layout/layout_passes.h"

namespace {

class LayoutEngine : public CellTest {
 protected:
  // A 6000 x 4000 room with five bays on each long wall and three on each
  // short one, the walls ranked as given.
  void make_furnished_rectangle(const std::array<int, 4>& priorities) {
    make_rectangle(6000, 4000);
    for (int i = 0; i < 4; ++i) set_run(wall(i), i % 2 == 0 ? 5 : 3, priorities[static_cast<std::size_t>(i)]);
  }
};

// Golden layouts of small rooms, checked by hand once, then frozen.

TEST_F(LayoutEngine, RectangleWithDistinctPriorities) {
  make_furnished_rectangle({0, 1, 2, 3});
  recompute_layout();
  expect_cell_invariants(cell());
  EXPECT_TRUE(ui->messages.empty());
  // Wall 0 (longest, stored first) is laid out first, the others by the
  // forward walk. The walk comes round to wall 3, 78 mm off its wall to meet
  // wall 2, where it cannot meet wall 0's first bay: that corner is not
  // joined, and wall 0 ends there in its own frame, clear of wall 3's run (its
  // depth, the most a run stands off its wall, and a gap). Checked by hand: F
  // of wall 0 = 5792 - 604 - 472 - 32 = 4684.
  EXPECT_EQ(
      layout_summary(cell()),
      "joins 0010 bounded 11 free 60 646 74 chain 62 | 900@-1872,-1688 900@-936,-1688 1000@50,-1688 900@1036,-1688 "
      "900@1972,-1688 | TE-1/0@-2340,-1688 TI0/1@-1404,-1688 TI1/2@-468,-1688 TI2/3@568,-1688 TI3/4@1504,-1688\njoins "
      "0110 bounded 11 free 62 30 62 chain 74 | 1100@2676,-1388 1100@2676,-252 1100@2676,884 | TE-1/0@2676,-1956 "
      "TI0/1@2676,-820 TI1/2@2676,316\njoins 0110 bounded 11 free 78 42 78 chain 62 | 1000@2426,1688 1000@1390,1688 "
      "1100@304,1688 1100@-832,1688 1000@-1918,1688 | TE-1/0@2944,1688 TI0/1@1908,1688 TI1/2@872,1688 TI2/3@-264,1688 "
      "TI3/4@-1400,1688\njoins 0100 bounded 11 free 34 30 34 chain 78 | 1200@-2672,1338 1300@-2672,52 1300@-2672,-1284 "
      "| TE-1/0@-2672,1956 TI0/1@-2672,720 TI1/2@-2672,-616 TE2/-1@-2672,-1952\n");
}

TEST_F(LayoutEngine, LShapedRoomLeavesTheReentrantCornerOpen) {
  make_l_room();
  const int counts[6] = {5, 2, 2, 2, 2, 5};
  const int ranks[6] = {5, 0, 1, 2, 3, 4};
  for (int i = 0; i < 6; ++i) set_run(wall(i), counts[i], ranks[i]);
  recompute_layout();
  expect_cell_invariants(cell());
  // Checked by hand: wall 0 fills 5792 with 5700, its run 10 mm off the wall
  // to meet wall 5's run, whose trial leftover is 20. Walls 2 and 3 are not
  // bounded at the re-entrant corner; wall 2's two bays stop short of it,
  // where wall 3 cannot meet them on its own wall, so that corner is not
  // joined: wall 2 ends in its own frame, and wall 3 starts from its corner
  // with its own, lined up with wall 4's run.
  EXPECT_EQ(layout_summary(cell()),
            "joins 0101 bounded 11 free 20 46 46 chain 10 | 1100@-2372,-2740 1100@-1236,-2740 1200@-50,-2740 "
            "1200@1186,-2740 1100@2372,-2740 | TE-1/0@-2940,-2740 TI0/1@-1804,-2740 TI1/2@-668,-2740 TI2/3@568,-2740 "
            "TI3/4@1804,-2740 TE4/-1@2940,-2740\njoins 1010 bounded 11 free 46 10 46 chain 78 | 1000@2672,-1986 "
            "900@2672,-1000 | TI0/1@2672,-1468\njoins 0100 bounded 10 free 254 46 0 chain 46 | 1300@2272,-296 "
            "1300@936,-296 | TE-1/0@2940,-296 TI0/1@1604,-296 TE1/-1@268,-296\njoins 0010 bounded 01 free 86 0 42 "
            "chain 82 | 1200@-332,718 1100@-332,1904 | TI0/1@-332,1336 TE-1/0@-332,100\njoins 0110 bounded 11 free 82 "
            "50 78 chain 42 | 1200@-682,2708 1100@-1868,2708 | TI0/1@-1300,2708 TE-1/0@-64,2708\njoins 0110 bounded 11 "
            "free 42 10 10 chain 78 | 1000@-2672,2458 1100@-2672,1372 1100@-2672,236 1100@-2672,-900 1000@-2672,-1986 "
            "| TI3/4@-2672,-1468 TI2/3@-2672,-332 TI1/2@-2672,804 TI0/1@-2672,1940 TE-1/0@-2672,2976\n");
}

TEST_F(LayoutEngine, EqualPrioritiesMakeNoJoins) {
  make_furnished_rectangle({0, 0, 0, 0});
  cell().clearance = 25;
  recompute_layout();
  expect_cell_invariants(cell());
  // Each run is laid out by itself with both end frames and no allowance for
  // the neighbour's depth: F = 6000 - 50 - 168 - 40 = 5742.
  EXPECT_EQ(wall_summary(wall(0)),
            "joins 0000 bounded 11 free 42 46 46 chain 0 | 1100@-2372,-1725 1100@-1236,-1725 1200@-50,-1725 "
            "1200@1186,-1725 1100@2372,-1725 | TE-1/0@-2940,-1725 TI0/1@-1804,-1725 TI1/2@-668,-1725 TI2/3@568,-1725 "
            "TI3/4@1804,-1725 TE4/-1@2940,-1725");
  // Where two runs of one rank would cross at a corner, the later one keeps
  // clear of the other with shorter bays, still with both end frames.
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(wall(i).end_frames.size(), wall(i).modules.size() + 1) << i;
    EXPECT_GT(separation(footprint(wall(i).modules.front()), footprint(wall(i - 1).modules.back())), 0) << i;
  }
  EXPECT_GT(separation(footprint(wall(3).modules.back()), footprint(wall(0).modules.front())), 0);
}

// The corner terms of both walks and the choice of the run a wall meets, each
// room checked by hand.
struct WalkCase {
  const char* name;
  std::vector<Tvec2> corners;
  std::vector<std::array<int, 3>> runs;  // {wall, module count, priority}
  std::vector<int> checked;              // the walls whose summaries follow
  std::vector<std::string> summaries;
};

const WalkCase kWalkCases[] = {
    // Wall 0 is joined high at its start and low at its end, so it meets the
    // previous wall: a trial fill of wall 3 (F 3864, three bays totalling
    // 3800) leaves 64, and the run stands 64 / 2 + 32 off the wall (meeting
    // wall 1 it would be 28).
    {"EqualNeighboursLetThePrioritiesChooseTheRunToMeet",
     {{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}},
     {{0, 5, 2}, {1, 3, 0}, {2, 5, 1}, {3, 3, 3}},
     {0},
     {"joins 1001 bounded 11 free 64 10 10 chain 64 | 1000@-1986,-1686 1100@-900,-1686 1100@236,-1686 1100@1372,-1686 "
      "1000@2458,-1686 | TI0/1@-1468,-1686 TI1/2@-332,-1686 TI2/3@804,-1686 TI3/4@1940,-1686 TE4/-1@2976,-1686"}},
    // Wall 0 goes first (leftover 92) and stands 44 off the wall to meet
    // wall 1 (trial leftover 88). The walk then lays out walls 1, 2 and 3,
    // each F allowing for the run offset of the wall it comes from: wall 1:
    // 3864 - 516 - 472 = 2876, wall 2: 5792 - 46 - 472 = 5274. Wall 3, lined
    // up with wall 2's run, has its leftover at its far end, so its last bay
    // cannot meet wall 0's first bay there: that corner is not joined, and
    // wall 3 ends in its own frame clear of wall 0's run (depth, offset, gap).
    {"ForwardWalkShortOfTheFirstRunLeavesThatCornerUnjoined",
     {{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}},
     {{0, 5, 3}, {1, 3, 0}, {2, 5, 1}, {3, 3, 2}},
     {0, 1, 2, 3},
     {"joins 0001 bounded 11 free 88 46 46 chain 44 | 1100@-2372,-1706 1100@-1236,-1706 1200@-50,-1706 1200@1186,-1706 "
      "1100@2372,-1706 | TE-1/0@-2940,-1706 TI0/1@-1804,-1706 TI1/2@-668,-1706 TI2/3@568,-1706 TI3/4@1804,-1706 "
      "TE4/-1@2940,-1706",
      "joins 1010 bounded 11 free 76 44 76 chain 78 | 900@2672,-1002 1000@2672,-16 900@2672,970 | TI0/1@2672,-534 "
      "TI1/2@2672,502",
      "joins 0110 bounded 11 free 74 46 74 chain 76 | 1000@2422,1674 1000@1386,1674 1100@300,1674 1100@-836,1674 "
      "1000@-1922,1674 | TE-1/0@2940,1674 TI0/1@1904,1674 TI1/2@868,1674 TI2/3@-268,1674 TI3/4@-1404,1674",
      "joins 0100 bounded 11 free 72 44 620 chain 74 | 1000@-2676,1424 1100@-2676,338 1100@-2676,-798 | "
      "TE-1/0@-2676,1942 TI0/1@-2676,906 TI1/2@-2676,-230 TE2/-1@-2676,-1366"}},
    // Wall 0 goes first, 32 mm off its wall (past wall 3's upright): lined up
    // with under-filled wall 3 (trial leftover 1300) it would stand far off.
    // Centred, its first bay is out of reach of wall 3's run on its wall, so
    // wall 0, joined at that corner alone, stands at it, its leftover at its
    // far end. Wall 3 follows backwards from wall 0's first bay, storing its
    // frames from its end, and its last bay stands 4 mm past that bay.
    {"BackwardWalkBuildsTheRunFromTheWallsEnd",
     {{0, 0}, {5000, 0}, {5000, 4000}, {0, 4000}},
     {{0, 3, 0}, {3, 2, 1}},
     {0, 3},
     {"joins 1000 bounded 11 free 1300 0 492 chain 32 | 1300@-1346,-1718 1300@-10,-1718 1300@1326,-1718 | "
      "TI0/1@-678,-1718 TI1/2@658,-1718 TE2/-1@1994,-1718",
      "joins 0001 bounded 11 free 1300 1300 0 chain 0 | 1300@-2250,18 1300@-2250,-1318 | TE1/-1@-2250,-1986 "
      "TI0/1@-2250,-650 TE-1/0@-2250,686"}},
    // Wall 0 (1200 x 4, leftover 28) stands 46 off the wall after a trial
    // fill of wall 3 (F 3392, leftover 92). Walking back, wall 3's F takes
    // both the depth and that offset of wall 0: 3864 - 472 - 46 = 3346, and
    // its last bay stops 4 mm short of wall 0's bays.
    {"BackwardWalkAllowsForTheOffsetOfTheRunItEndsAt",
     {{0, 0}, {5000, 0}, {5000, 4000}, {0, 4000}},
     {{0, 4, 3}, {3, 3, 0}},
     {0, 3},
     {"joins 0100 bounded 11 free 92 14 14 chain 46 | 1200@-1854,-1704 1200@-618,-1704 1200@618,-1704 1200@1854,-1704 "
      "| TE-1/0@-2472,-1704 TI0/1@-1236,-1704 TI1/2@0,-1704 TI2/3@1236,-1704 TE3/-1@2472,-1704",
      "joins 0010 bounded 11 free 46 46 46 chain 46 | 1100@-2204,1372 1100@-2204,236 1100@-2204,-900 | "
      "TI1/2@-2204,-332 TI0/1@-2204,804 TE-1/0@-2204,1940"}},
    // F = 3000 - 84 - 16 = 2900: two bays of 1300, 150 left at each end; the
    // gap at the free end is measured only at a bounded or straight end.
    {"RunWithAFreeEndSharesItsLeftoverBetweenItsEnds",
     {{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}},
     {{2, 2, 0}},
     {2},
     {"joins 0000 bounded 10 free 300 150 0 chain 0 | 1300@2168,-250 1300@832,-250 | TE-1/0@2836,-250 TI0/1@1500,-250 "
      "TE1/-1@164,-250"}},
    // Wall 3, the longer, goes first with its start free: F = 3400 + 500 + 32
    // = 3932 takes two bays of 1300, and the run begins past the corner by
    // the depth of wall 2's run (at -500 along the wall); its free space is
    // the trial leftover of wall 2. Wall 2 follows backwards and ends 4 mm
    // short of wall 3's run, whose upright serves there.
    {"FreeRunOwningTheReentrantCornerReachesRoundIt",
     {{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6500}, {0, 6500}},
     {{2, 2, 2}, {3, 2, 3}},
     {2, 3},
     {"joins 0010 bounded 10 free 328 328 0 chain 0 | 1300@1990,-500 1300@654,-500 | TI0/1@1322,-500 TE-1/0@2658,-500",
      "joins 0100 bounded 01 free 328 0 1332 chain 0 | 1300@-250,-100 1300@-250,1236 | TE-1/0@-250,-768 TI0/1@-250,568 "
      "TE1/-1@-250,1904"}},
    // Wall 3 goes first, joined high at its free start: F = 3400 + 28 = 3428
    // takes two bays of 1300, all 828 left goes to its end, and the run
    // begins 4 mm along the wall, with no frame there. Wall 2 follows
    // backwards and reaches past the corner behind wall 3's run.
    {"FreeRunMeetingTheOwnerOfTheReentrantCornerStartsAtItsFace",
     {{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6500}, {0, 6500}},
     {{2, 2, 3}, {3, 2, 2}},
     {2, 3},
     {"joins 0001 bounded 10 free 832 832 0 chain 0 | 1300@1486,-500 1300@150,-500 | TE1/-1@-518,-500 TI0/1@818,-500 "
      "TE-1/0@2154,-500",
      "joins 1000 bounded 01 free 832 0 828 chain 0 | 1300@-250,404 1300@-250,1740 | TI0/1@-250,1072 "
      "TE1/-1@-250,2408"}},
    // Wall 2's two bays of 1300 leave 360: lined up with them, wall 1 would
    // stand 180 mm off its wall, so it goes first on its wall. Walked from
    // it, wall 2 would stand as far off its own, so that corner is not
    // joined: wall 2 starts past wall 1's run in its own frame and reaches
    // past the re-entrant corner, and wall 3 starts 4 mm past wall 2's run
    // along its own wall (F = 2892: 900, 1000, 900).
    {"RunsNextToAnUnderfilledWallKeepToTheirWalls",
     {{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}},
     {{1, 2, 2}, {2, 2, 1}, {3, 3, 0}},
     {1, 2, 3},
     {"joins 0000 bounded 11 free 300 150 150 chain 0 | 1300@2750,-2168 1300@2750,-832 | TE-1/0@2750,-2836 "
      "TI0/1@2750,-1500 TE1/-1@2750,-164",
      "joins 0001 bounded 10 free 92 832 0 chain 0 | 1300@1486,-250 1300@150,-250 | TE-1/0@2154,-250 TI0/1@818,-250 "
      "TE1/-1@-518,-250",
      "joins 1000 bounded 01 free 92 0 92 chain 0 | 900@-250,454 1000@-250,1440 900@-250,2426 | TI0/1@-250,922 "
      "TI1/2@-250,1958 TE2/-1@-250,2894"}},
    // A U-shaped room: the bottom of the notch turns at two re-entrant
    // corners. F = 2864: from below 900 + 1000 + 900 (64 left); from above,
    // which counts here, 1000 + 900 + 1000.
    {"RunFreeAtTwoRealCornersMayReachPastItsFillLength",
     {{0, 0}, {9000, 0}, {9000, 6000}, {6000, 6000}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}},
     {{4, 3, 0}},
     {4},
     {"joins 0000 bounded 00 free -36 0 0 chain 0 | 1000@986,-250 900@0,-250 1000@-986,-250 | TE-1/0@1504,-250 "
      "TI0/1@468,-250 TI1/2@-468,-250 TE2/-1@-1504,-250"}},
};

TEST_F(LayoutEngine, WalksThroughJoinedAndOpenCorners) {
  for (const WalkCase& c : kWalkCases) {
    SCOPED_TRACE(c.name);
    make_outline(c.corners);
    for (const auto& [w, count, priority] : c.runs) set_run(wall(w), count, priority);
    recompute_layout();
    expect_cell_invariants(cell());
    for (std::size_t i = 0; i < c.checked.size(); ++i) EXPECT_EQ(wall_summary(wall(c.checked[i])), c.summaries[i]);
  }
}

TEST_F(LayoutEngine, ClearanceAtACornerCutsTheJoinOnBothSidesOfItOnly) {
  make_rectangle(6000, 4000);
  for (int i = 0; i < 4; ++i) set_run(wall(i), 2, i);
  wall(1).start_gap = 10;
  compute_usable_lengths();
  EXPECT_FALSE(wall(1).start_join_high || wall(1).start_join_low);
  EXPECT_FALSE(wall(0).end_join_high || wall(0).end_join_low);
  EXPECT_TRUE(wall(1).end_join_high);
}

TEST_F(LayoutEngine, OpeningCarriesNothingAndIsNeverLaidOut) {
  make_room_with_opening();
  for (int i = 0; i < 6; ++i) set_run(wall(i), 2, 0);
  recompute_layout();
  EXPECT_EQ(wall(1).module_count, 0);
  EXPECT_EQ(wall(1).shelf_count, 0);
  EXPECT_FALSE(wall(1).laid_out);
  EXPECT_TRUE(wall(1).modules.empty());
  // The pieces beside the opening are not bounded there.
  EXPECT_FALSE(wall(0).end_bounded || wall(2).start_bounded);
  expect_cell_invariants(cell());
}

TEST_F(LayoutEngine, PicksTakeTheLongestUsableWallAndTheFirstOnTies) {
  make_rectangle(6000, 4000);
  for (int i = 0; i < 4; ++i) set_run(wall(i), 1, 0);
  compute_usable_lengths();
  EXPECT_EQ(pick_next_bounded_wall(), 0);
  wall(0).start_gap = 1;
  EXPECT_EQ(pick_next_bounded_wall(), 2);
  wall(2).laid_out = wall(0).laid_out = true;
  EXPECT_EQ(pick_next_bounded_wall(), 1);
  EXPECT_EQ(pick_next_free_wall(), -1);
  EXPECT_FALSE(all_walls_laid_out());
  wall(1).laid_out = wall(3).laid_out = true;
  EXPECT_TRUE(all_walls_laid_out());
  // The free pick takes the longest raw length: walls 2 and 3 of the L meet
  // at the re-entrant corner, both 3000 long.
  make_l_room();
  for (int i = 0; i < 6; ++i) set_run(wall(i), 1, 0);
  compute_usable_lengths();
  EXPECT_EQ(pick_next_free_wall(), 2);
}

// The goldens show the outline centred on every recompute.
TEST_F(LayoutEngine, FreeModulesStayWhenTheOutlineIsCentred) {
  make_rectangle(6000, 4000);
  cell().free_modules.resize(1);
  cell().free_modules[0].x = 123;
  cell().free_modules[0].y = 456;
  recompute_layout();
  EXPECT_EQ(wall(0).x1, -3000);
  EXPECT_EQ(cell().free_modules[0].x, 123);
  EXPECT_EQ(cell().free_modules[0].y, 456);
  cell().walls.clear();
  recompute_layout();  // an empty cell stays as it is
  EXPECT_TRUE(cell().walls.empty());
}

TEST_F(LayoutEngine, RaisingAWallToTheTopKeepsTheRanking) {
  make_outline({{0, 0}, {1000, 0}, {1000, 1000}, {2000, 1000}, {2000, 2000}, {0, 2000}});
  set_wall_priority(1, 5);
  EXPECT_EQ(priorities(), (std::vector<int>{0, 5, 1, 2, 3, 4}));
  set_wall_priority(4, 0);
  set_wall_priority(-1, 0);  // no wall: nothing changes
  set_wall_priority(6, 0);
  EXPECT_EQ(priorities(), (std::vector<int>{1, 5, 2, 3, 0, 4}));
}

TEST_F(LayoutEngine, MalformedWallsDoNotStopThePass) {
  make_rectangle(6000, 4000);
  for (int i = 0; i < 4; ++i) set_run(wall(i), 2, i);
  wall(1).y2 = std::numeric_limits<double>::quiet_NaN();
  wall(2).module_count = std::numeric_limits<int>::max();  // a damaged count
  recompute_layout();                                      // returns
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(wall(i).laid_out) << i;
  EXPECT_TRUE(wall(2).modules.empty());
  // Neither damaged wall finds lengths: one message each.
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"text 56", "text 56"}));
}

}  // namespace
