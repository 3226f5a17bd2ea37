#include "model/layout_engine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "layout_fixture.h"

namespace {

class LayoutEngine : public CellTest {
 protected:
  // A 6000 x 4000 room with five bays on each long wall and three on each
  // short one, the walls ranked as given.
  void make_furnished_rectangle(const std::array<int, 4>& priorities) {
    make_rectangle(6000, 4000);
    for (int i = 0; i < 4; ++i) set_run(wall(i), i % 2 == 0 ? 5 : 3, priorities[static_cast<std::size_t>(i)]);
  }
  // An L-shaped room whose re-entrant corner joins walls 2 and 3.
  static void make_l_room() { make_outline({{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}}); }
};

// One line per wall: its flags and results, then its bays and frames.
std::string layout_summary(const Tcell& cell) {
  std::string text;
  char line[256];
  for (const Tlinea& w : cell.walls) {
    std::snprintf(line, sizeof line, "joins %d%d%d%d bounded %d%d free %g %g %g chain %g |", w.start_join_high,
                  w.start_join_low, w.end_join_high, w.end_join_low, w.start_bounded, w.end_bounded, w.free_space,
                  w.start_free, w.end_free, w.chain_start);
    text += line;
    for (const Tmodulo& m : w.modules) {
      std::snprintf(line, sizeof line, " %g@%g,%g", m.length, m.x, m.y);
      text += line;
    }
    text += " |";
    for (const Ttestata& f : w.end_frames) {
      std::snprintf(line, sizeof line, " %s%d/%d@%g,%g", f.frame_type.c_str(), f.module_before, f.module_after, f.x,
                    f.y);
      text += line;
    }
    text += "\n";
  }
  return text;
}

TEST_F(LayoutEngine, RectangleWithDistinctPriorities) {
  make_furnished_rectangle({0, 1, 2, 3});
  recompute_layout();
  expect_cell_invariants(cell());
  EXPECT_TRUE(ui->messages.empty());
  // Wall 0 (longest, stored first) is laid out first, the others by the
  // forward walk. Checked by hand: F of wall 0 = 5792 - 2 * 472 - 32 = 4816.
  EXPECT_EQ(layout_summary(cell()),
            "joins 1010 bounded 11 free 60 12 40 chain 62 | 900@-2038,-1688 1000@-1052,-1688 1000@-16,-1688 "
            "1000@1020,-1688 900@2006,-1688 | TI0/1@-1570,-1688 TI1/2@-534,-1688 TI2/3@502,-1688 TI3/4@1538,-1688\n"
            "joins 0110 bounded 11 free 62 30 62 chain 40 | 1100@2710,-1388 1100@2710,-252 1100@2710,884 | "
            "TE-1/0@2710,-1956 TI0/1@2710,-820 TI1/2@2710,316\n"
            "joins 0110 bounded 11 free 12 8 12 chain 62 | 1000@2460,1688 1100@1374,1688 1100@238,1688 "
            "1100@-898,1688 1000@-1984,1688 | TE-1/0@2978,1688 TI0/1@1942,1688 TI1/2@806,1688 TI2/3@-330,1688 "
            "TI3/4@-1466,1688\n"
            "joins 0101 bounded 11 free 4 30 34 chain 12 | 1300@-2738,1288 1300@-2738,-48 1200@-2738,-1334 | "
            "TE-1/0@-2738,1956 TI0/1@-2738,620 TI1/2@-2738,-716 TE2/-1@-2738,-1952\n");
}

TEST_F(LayoutEngine, LShapedRoomLeavesTheReentrantCornerOpen) {
  make_l_room();
  const int counts[6] = {5, 2, 2, 2, 2, 5};
  const int priorities[6] = {5, 0, 1, 2, 3, 4};
  for (int i = 0; i < 6; ++i) set_run(wall(i), counts[i], priorities[i]);
  recompute_layout();
  expect_cell_invariants(cell());
  EXPECT_FALSE(wall(2).end_bounded);
  EXPECT_FALSE(wall(3).start_bounded);
  // Checked by hand: wall 0 fills 5792 with 5700, its run 10 mm off the wall
  // to meet wall 5's run, whose trial leftover is 20.
  EXPECT_EQ(layout_summary(cell()),
            "joins 0101 bounded 11 free 20 46 46 chain 10 | 1100@-2372,-2740 1100@-1236,-2740 1200@-50,-2740 "
            "1200@1186,-2740 1100@2372,-2740 | TE-1/0@-2940,-2740 TI0/1@-1804,-2740 TI1/2@-668,-2740 "
            "TI2/3@568,-2740 TI3/4@1804,-2740 TE4/-1@2940,-2740\n"
            "joins 1010 bounded 11 free 46 10 46 chain 78 | 1000@2672,-1986 900@2672,-1000 | TI0/1@2672,-1468\n"
            "joins 0110 bounded 10 free 282 46 0 chain 46 | 1300@2272,-296 1300@936,-296 | TE-1/0@2940,-296 "
            "TI0/1@1604,-296\n"
            "joins 0110 bounded 01 free 406 0 406 chain -218 | 1300@32,104 1300@32,1440 | TE-1/0@32,-564 "
            "TI0/1@32,772\n"
            "joins 0110 bounded 11 free 78 -314 142 chain 406 | 1300@-368,2344 1300@-1704,2344 | TE-1/0@300,2344 "
            "TI0/1@-1036,2344\n"
            "joins 0110 bounded 11 free 46 374 10 chain 142 | 1000@-2608,2094 1000@-2608,1058 1000@-2608,22 "
            "1000@-2608,-1014 900@-2608,-2000 | TE-1/0@-2608,2612 TI0/1@-2608,1576 TI1/2@-2608,540 "
            "TI2/3@-2608,-496 TI3/4@-2608,-1532\n");
}

TEST_F(LayoutEngine, EqualPrioritiesMakeNoJoins) {
  make_furnished_rectangle({0, 0, 0, 0});
  cell().clearance = 25;
  recompute_layout();
  expect_cell_invariants(cell());
  // Each run is laid out by itself with both end frames and no allowance for
  // the neighbour's depth: F = 6000 - 50 - 168 - 40 = 5742.
  EXPECT_EQ(layout_summary(cell()),
            "joins 0000 bounded 11 free 42 46 46 chain 0 | 1100@-2372,-1725 1100@-1236,-1725 1200@-50,-1725 "
            "1200@1186,-1725 1100@2372,-1725 | TE-1/0@-2940,-1725 TI0/1@-1804,-1725 TI1/2@-668,-1725 "
            "TI2/3@568,-1725 TI3/4@1804,-1725 TE4/-1@2940,-1725\n"
            "joins 0000 bounded 11 free 14 32 32 chain 0 | 1200@2725,-1336 1300@2725,-50 1300@2725,1286 | "
            "TE-1/0@2725,-1954 TI0/1@2725,-718 TI1/2@2725,618 TE2/-1@2725,1954\n"
            "joins 0000 bounded 11 free 42 46 46 chain 0 | 1100@2372,1725 1100@1236,1725 1200@50,1725 "
            "1200@-1186,1725 1100@-2372,1725 | TE-1/0@2940,1725 TI0/1@1804,1725 TI1/2@668,1725 TI2/3@-568,1725 "
            "TI3/4@-1804,1725 TE4/-1@-2940,1725\n"
            "joins 0000 bounded 11 free 14 32 32 chain 0 | 1200@-2725,1336 1300@-2725,50 1300@-2725,-1286 | "
            "TE-1/0@-2725,1954 TI0/1@-2725,718 TI1/2@-2725,-618 TE2/-1@-2725,-1954\n");
}

TEST_F(LayoutEngine, EqualNeighboursLetThePrioritiesChooseTheRunToMeet) {
  make_furnished_rectangle({2, 0, 1, 3});
  recompute_layout();
  // Wall 0 is joined high at its start and low at its end, so it meets the
  // previous wall: a trial fill of wall 3 (F 3864, three bays totalling 3800)
  // leaves 64, and the run stands 64 / 2 + 32 off the wall (meeting wall 1 it
  // would be 28).
  EXPECT_EQ(wall(0).chain_start, 64);
  expect_cell_invariants(cell());
}

TEST_F(LayoutEngine, RunWithAFreeEndSharesItsLeftoverBetweenItsEnds) {
  make_l_room();
  set_run(wall(2), 2, 0);
  recompute_layout();
  // F = 3000 - 84 - 16 = 2900: two bays of 1300, 150 left at each end.
  const Tlinea& w = wall(2);
  EXPECT_EQ(w.free_space, 300);
  ASSERT_EQ(w.modules.size(), 2u);
  EXPECT_EQ(w.modules[0].x, 3000 - (150 + 32 + 650));
  EXPECT_EQ(w.modules[0].y, -250);
  EXPECT_EQ(w.start_free, 150);
  EXPECT_EQ(w.end_free, 0) << "measured only at a bounded or straight end";
}

TEST_F(LayoutEngine, FreeRunOwningTheReentrantCornerReachesRoundIt) {
  make_outline({{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6500}, {0, 6500}});
  set_run(wall(2), 2, 2);
  set_run(wall(3), 2, 3);
  recompute_layout();
  expect_cell_invariants(cell());
  // Checked by hand. Wall 3, the longer, goes first with its start free:
  // F = 3400 + 500 + 32 = 3932 takes two bays of 1300, and the run begins
  // past the corner by the depth of wall 2's run (at -500 along the wall).
  const Tlinea& owner = wall(3);
  ASSERT_EQ(owner.modules.size(), 2u);
  EXPECT_EQ(owner.modules[0].x, -250);
  EXPECT_EQ(owner.modules[0].y, -100);
  EXPECT_EQ(owner.modules[1].y, 1236);
  EXPECT_EQ(owner.end_frames.front().y, -768);
  EXPECT_EQ(owner.free_space, 328) << "the trial leftover of wall 2";
  EXPECT_EQ(owner.start_free, 0);
  EXPECT_EQ(owner.end_free, 1332);
  // Wall 2 follows backwards and ends 4 mm short of wall 3's run, whose
  // upright serves there.
  const Tlinea& lower = wall(2);
  ASSERT_EQ(lower.modules.size(), 2u);
  EXPECT_EQ(lower.modules[0].x, 1990);
  EXPECT_EQ(lower.modules[1].x, 654);
  EXPECT_EQ(lower.modules[1].y, -500);
  ASSERT_EQ(lower.end_frames.size(), 2u);
  EXPECT_EQ(lower.end_frames[0].x, 1322);
  EXPECT_EQ(lower.end_frames[1].x, 2658);
  EXPECT_EQ(lower.end_frames[1].frame_type, "TE");
}

TEST_F(LayoutEngine, FreeRunMeetingTheOwnerOfTheReentrantCornerStartsAtItsFace) {
  make_outline({{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6500}, {0, 6500}});
  set_run(wall(2), 2, 3);
  set_run(wall(3), 2, 2);
  recompute_layout();
  expect_cell_invariants(cell());
  // Checked by hand. Wall 3 goes first, joined high at its free start:
  // F = 3400 + 28 = 3428 takes two bays of 1300, all 828 left goes to its
  // end, and the run begins 4 mm along the wall, with no frame there.
  const Tlinea& lower = wall(3);
  ASSERT_EQ(lower.modules.size(), 2u);
  EXPECT_EQ(lower.modules[0].y, 404);
  EXPECT_EQ(lower.modules[1].y, 1740);
  ASSERT_EQ(lower.end_frames.size(), 2u);
  EXPECT_EQ(lower.end_frames[0].y, 1072);
  EXPECT_EQ(lower.end_frames[1].y, 2408);
  EXPECT_EQ(lower.end_free, 828);
  EXPECT_EQ(lower.free_space, 832) << "the trial leftover of wall 2";
  // Wall 2 follows backwards and reaches past the corner behind wall 3's run.
  const Tlinea& owner = wall(2);
  ASSERT_EQ(owner.modules.size(), 2u);
  EXPECT_EQ(owner.modules[0].x, 1486);
  EXPECT_EQ(owner.modules[1].x, 150);
  EXPECT_EQ(owner.end_frames.front().x, -518);
  EXPECT_EQ(owner.start_free, 832);
}

TEST_F(LayoutEngine, RunFreeAtTwoRealCornersMayReachPastItsFillLength) {
  // A U-shaped room: the bottom of the notch turns at two re-entrant corners.
  make_outline({{0, 0}, {9000, 0}, {9000, 6000}, {6000, 6000}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}});
  set_run(wall(4), 3, 0);
  recompute_layout();
  // F = 2864: from below 900 + 1000 + 900 (64 left); from above, which counts here,
  // 1000 + 900 + 1000.
  const Tlinea& w = wall(4);
  EXPECT_FALSE(w.start_bounded || w.end_bounded);
  EXPECT_EQ(w.free_space, -36);
  ASSERT_EQ(w.modules.size(), 3u);
  EXPECT_EQ(w.modules[0].length, 1000);
  EXPECT_EQ(w.modules[1].length, 900);
  EXPECT_EQ(w.modules[2].length, 1000);
  expect_cell_invariants(cell());
}

TEST_F(LayoutEngine, BackwardWalkBuildsTheRunFromTheWallsEnd) {
  make_rectangle(5000, 4000);
  set_run(wall(0), 3, 0);
  set_run(wall(3), 2, 1);
  wall(1).priority = wall(2).priority = 0;
  recompute_layout();
  expect_cell_invariants(cell());
  // Wall 0 goes first; wall 3 follows backwards from wall 0's first bay.
  const Tlinea& w = wall(3);
  ASSERT_EQ(w.end_frames.size(), 3u);
  EXPECT_EQ(w.end_frames[0].module_before, 1);
  EXPECT_EQ(w.end_frames[0].module_after, -1);
  EXPECT_EQ(w.end_frames[2].module_before, -1);
  EXPECT_EQ(w.end_frames[2].module_after, 0);
  EXPECT_LT(w.end_frames[0].y, w.end_frames[2].y) << "wall 3 runs downwards, its frames upwards";
  // Its first laid bay (the last of the run) stands 4 mm past wall 0's first bay.
  const Tmodulo& corner = wall(0).modules.front();
  EXPECT_DOUBLE_EQ(corner.x - corner.length / 2 - 4 - 250, w.modules.back().x);
}

TEST_F(LayoutEngine, ForwardWalkClosingTheRoomMeetsTheFirstRunAtItsFace) {
  make_furnished_rectangle({3, 0, 1, 2});
  recompute_layout();
  expect_cell_invariants(cell());
  // Checked by hand. Wall 0 goes first (leftover 92) and stands 44 off the wall
  // to meet wall 1 (trial leftover 88). The walk then lays out walls 1, 2 and 3,
  // each F allowing for the run offset of the wall it comes from:
  // wall 1: 3864 - 516 - 472 = 2876, wall 2: 5792 - 46 - 472 = 5274.
  // Wall 3 ends at the face of wall 0, which owns that corner; its F takes
  // wall 0's depth but not wall 0's offset: 3864 - 44 - 472 = 3348.
  EXPECT_EQ(wall(0).chain_start, 44);
  EXPECT_EQ(wall(1).free_space, 76);
  EXPECT_EQ(wall(2).free_space, 74);
  EXPECT_EQ(wall(3).free_space, 48);
}

TEST_F(LayoutEngine, BackwardWalkAllowsForTheOffsetOfTheRunItEndsAt) {
  make_rectangle(5000, 4000);
  set_run(wall(0), 4, 3);
  set_run(wall(3), 3, 0);
  recompute_layout();
  expect_cell_invariants(cell());
  // Checked by hand: wall 0 (1200 x 4, leftover 28) stands 46 off the wall
  // after a trial fill of wall 3 (F 3392, leftover 92). Walking back, wall 3's
  // F takes both the depth and that offset of wall 0: 3864 - 472 - 46 = 3346.
  EXPECT_EQ(wall(0).chain_start, 46);
  EXPECT_EQ(wall(3).free_space, 46);
  EXPECT_EQ(wall(3).chain_start, 46);
  ASSERT_EQ(wall(3).modules.size(), 3u);
  // Its last bay stops 4 mm short of wall 0's bays.
  EXPECT_EQ(wall(3).modules[2].y, -900);
  EXPECT_EQ(wall(0).modules[0].y + 250 + 4 + 550, -900);
}

TEST_F(LayoutEngine, CornersOfARectangleAreBoundedAndJoinsFollowPriorities) {
  make_rectangle(6000, 4000);
  set_run(wall(0), 2, 2);
  set_run(wall(1), 2, 0);
  set_run(wall(2), 0, 1);
  set_run(wall(3), 2, 3);
  compute_usable_lengths();
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(wall(i).start_bounded) << i;
    EXPECT_TRUE(wall(i).end_bounded) << i;
  }
  EXPECT_TRUE(wall(0).start_join_high);  // wall 3 is higher
  EXPECT_TRUE(wall(0).end_join_low);     // wall 1 is lower
  EXPECT_TRUE(wall(1).start_join_high);
  EXPECT_FALSE(wall(1).end_join_high || wall(1).end_join_low) << "wall 2 carries no bays";
  EXPECT_TRUE(wall(3).end_join_low);
  EXPECT_EQ(wall(2).length, 6000);
}

TEST_F(LayoutEngine, ClearanceAtACornerCutsTheJoinOnBothSides) {
  make_rectangle(6000, 4000);
  for (int i = 0; i < 4; ++i) set_run(wall(i), 2, i);
  wall(1).start_gap = 10;
  compute_usable_lengths();
  EXPECT_FALSE(wall(1).start_join_high || wall(1).start_join_low);
  EXPECT_FALSE(wall(0).end_join_high || wall(0).end_join_low);
  EXPECT_TRUE(wall(1).end_join_high);
}

TEST_F(LayoutEngine, OpeningCarriesNothingAndIsNeverLaidOut) {
  make_outline({{0, 0}, {2000, 0}, {2800, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  for (int i = 0; i < 6; ++i) set_run(wall(i), 2, 0);
  wall(1).kind = 0;
  recompute_layout();
  EXPECT_EQ(wall(1).module_count, 0);
  EXPECT_EQ(wall(1).shelf_count, 0);
  EXPECT_FALSE(wall(1).laid_out);
  EXPECT_TRUE(wall(1).modules.empty());
  // The pieces beside the opening are not bounded there.
  EXPECT_FALSE(wall(0).end_bounded);
  EXPECT_FALSE(wall(2).start_bounded);
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
}

TEST_F(LayoutEngine, FreePickTakesTheLongestRawLength) {
  make_l_room();
  for (int i = 0; i < 6; ++i) set_run(wall(i), 1, 0);
  compute_usable_lengths();
  // Walls 2 and 3 meet at the re-entrant corner; both are 3000 long.
  EXPECT_EQ(pick_next_free_wall(), 2);
}

TEST_F(LayoutEngine, OutlineIsCentredAndFreeModulesStay) {
  make_rectangle(6000, 4000);
  cell().free_modules.resize(1);
  cell().free_modules[0].x = 123;
  cell().free_modules[0].y = 456;
  recompute_layout();
  EXPECT_EQ(wall(0).x1, -3000);
  EXPECT_EQ(wall(0).y1, -2000);
  EXPECT_EQ(wall(2).x1, 3000);
  EXPECT_EQ(wall(2).y1, 2000);
  EXPECT_EQ(cell().free_modules[0].x, 123);
  EXPECT_EQ(cell().free_modules[0].y, 456);
  Cells[0].walls.clear();
  recompute_layout();  // an empty cell stays as it is
  EXPECT_TRUE(cell().walls.empty());
}

TEST_F(LayoutEngine, RaisingAWallToTheTopKeepsTheRanking) {
  make_outline({{0, 0}, {1000, 0}, {1000, 1000}, {2000, 1000}, {2000, 2000}, {0, 2000}});
  set_wall_priority(1, 5);
  EXPECT_EQ(wall(0).priority, 0);
  EXPECT_EQ(wall(1).priority, 5);
  for (int i = 2; i < 6; ++i) EXPECT_EQ(wall(i).priority, i - 1);
  set_wall_priority(4, 0);
  set_wall_priority(-1, 0);  // no wall: nothing changes
  set_wall_priority(6, 0);
  const int expected[6] = {1, 5, 2, 3, 0, 4};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(wall(i).priority, expected[i]) << i;
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
