// What every layout must keep, whatever the room: bays of joined runs never
// overlap, every bay stands inside the room, and laying out again changes
// nothing. Each room below once broke one of these; then a few hundred random
// rooms check all three.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "layout_fixture.h"
#include "layout_invariants.h"
#include "model/layout/layout_engine.h"
#include "random_rooms.h"

namespace {

class LayoutProperties : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    LengthList = {710, 800, 890, 974, 1062, 1152, 1240};  // the millimetre catalogue's standard lengths
  }
};

TEST_F(LayoutProperties, ForwardWalkClosingTheLoopEndsFourMillimetresShortOfTheFirstRun) {
  make_rectangle(6000, 4000);
  const int counts[] = {5, 2, 5, 4}, ranks[] = {3, 0, 1, 2};
  for (int i = 0; i < 4; ++i) set_run(wall(i), counts[i], ranks[i], 500);
  recompute_layout();
  expect_sound_layout("6000 x 4000, counts 5/2/5/4, priorities 3/0/1/2");
  // The walk places wall 3 from its start; where it meets wall 0 the two
  // corner bays stand as joined bays do.
  EXPECT_TRUE(wall(3).end_join_high);
  EXPECT_NEAR(separation(footprint(wall(3).modules.back()), footprint(wall(0).modules.front())), 4.0, 1e-6);
}

TEST_F(LayoutProperties, CornerRefitKeepsAShelfSoASecondLayoutMovesNothing) {
  make_rectangle(5000, 4000);
  set_run(wall(0), 3, 1, 500, 2500, 1);
  set_run(wall(1), 2, 0, 400, 1400, 5);
  recompute_layout();
  expect_sound_layout("5000 x 4000, a one-shelf run beside a lower one");
  EXPECT_GE(wall(1).shelf_count, 1);
}

TEST_F(LayoutProperties, StraightJoinContinuesTheRunWithoutCornerTerms) {
  for (int first_rank : {0, 1}) {
    make_outline({{0, 0}, {3000, 0}, {6000, 0}, {6000, 4000}, {0, 4000}});
    set_run(wall(0), 2, first_rank);
    set_run(wall(1), 2, 1 - first_rank);
    recompute_layout();
    expect_sound_layout("a wall in two straight pieces, the first ranked " + std::to_string(first_rank));
    // One upright between the pieces' runs, on one line, as within a run.
    const Tmodulo &last = wall(0).modules.back(), &next = wall(1).modules.front();
    EXPECT_DOUBLE_EQ(next.x - last.x, last.length / 2 + 36 + next.length / 2);
    EXPECT_DOUBLE_EQ(next.y, last.y);
  }
}

TEST_F(LayoutProperties, RunAfterAnUnderfilledNotchBottomStartsFromItsOwnCorner) {
  // Walked from the notch's right side, the notch bottom (wall 4) holds four
  // bays but is given three, all its leftover at its far end. Lined up with
  // that run's end, the left side's run would stand 843 mm behind its wall,
  // outside the room.
  make_outline({{0, 0}, {7635, 0}, {7635, 7000}, {5635, 7000}, {5635, 2000}, {2000, 2000}, {2000, 7000}, {0, 7000}});
  set_run(wall(3), 3, 1);
  set_run(wall(4), 4, 2);
  set_run(wall(5), 3, 0);
  recompute_layout();
  EXPECT_LT(wall(4).modules.front().length, 1240) << "four bays fill the notch bottom";
  wall(4).module_count = 3;
  recompute_layout();
  expect_sound_layout("U room, three bays on a notch bottom that holds four");
  // On its own line; it cannot meet the notch bottom's run there, so that
  // corner is not joined and the run has its own end frame.
  EXPECT_EQ(wall(5).chain_start, 0);
  const Tmodulo& first = wall(5).modules.front();
  EXPECT_DOUBLE_EQ(wall_local(wall(5), first.x, first.y).y, -250);
  EXPECT_FALSE(wall(5).start_join_high || wall(4).end_join_low);
  EXPECT_EQ(wall(5).end_frames.size(), 4u);
}

TEST_F(LayoutProperties, RunAfterAWallWithoutBaysStartsFromItsOwnCorner) {
  // Wall 0 goes first and finds no lengths (text 56); wall 1 is not joined to
  // it, ends in its own frame there and, as there is no run to keep clear of,
  // takes the whole wall: its leftover is shared between its ends.
  make_rectangle(5000, 4000);
  set_run(wall(0), 9, 1);
  set_run(wall(1), 3, 0);
  recompute_layout();
  EXPECT_TRUE(wall(0).modules.empty());
  expect_sound_layout("rectangle, a wall without bays before a joined one");
  EXPECT_FALSE(wall(1).start_join_high);
  const Ttestata& frame = wall(1).end_frames.front();
  EXPECT_EQ(frame.module_before, -1);
  EXPECT_DOUBLE_EQ(wall_local(wall(1), frame.x, frame.y).x - 14, wall(1).free_space / 2);
  EXPECT_LT(wall(1).free_space / 2, 500) << "kept clear of a 500 mm run that is not there";
}

TEST_F(LayoutProperties, WalkClosingTheLoopStandsOffOnlyAsFarAsTheFirstRunLeftRoom) {
  // Wall 0 goes first, on its wall, leaving room at its start for wall 3's run
  // on wall 3's line. The walk comes round to wall 3, which owns that corner
  // and would stand 60 mm off its wall to meet wall 2's run end: 28 mm into
  // wall 0's first bay. Where the two meet, they stand as joined bays do.
  make_rectangle(7592, 4290);
  cell().clearance = 50;
  const int counts[] = {6, 1, 5, 3}, ranks[] = {0, 2, 1, 3};
  const double depths[] = {577, 475, 300, 577};
  for (int i = 0; i < 4; ++i) set_run(wall(i), counts[i], ranks[i], depths[i]);
  recompute_layout();
  expect_sound_layout("7592 x 4290, a loop closing on a run that left room for its neighbour's own line");
  EXPECT_TRUE(wall(0).start_join_high);
  EXPECT_NEAR(separation(footprint(wall(3).modules.back()), footprint(wall(0).modules.front())), 4.0, 1e-6);
}

// Rectangles, L and U rooms, some with a wall split in two straight pieces, and
// random runs on their walls.
class RandomRoom : public RoomDice {
 public:
  explicit RandomRoom(unsigned seed) : RoomDice(seed) {}

  std::string make() {
    const double w = size(3000, 9000), h = size(3000, 7000);
    std::string name;
    const Shape shapes[] = {rectangle, l_room, u_room};  // no T rooms here
    std::vector<Tvec2> corners = shape_corners(shapes[pick(0, 2)], w, h, name);
    if (pick(0, 2) == 0) {  // split the first wall: a straight join
      corners.insert(corners.begin() + 1, {size(800, w - 800), 0});
      name += " with a split wall";
    }
    make_outline(corners);
    Tcell& cell = current_cell();
    cell.clearance = pick(0, 2) == 0 ? 50 : 0;
    std::vector<int> ranks(cell.walls.size());
    for (std::size_t i = 0; i < ranks.size(); ++i) ranks[i] = static_cast<int>(i);
    std::shuffle(ranks.begin(), ranks.end(), random_);
    for (std::size_t i = 0; i < cell.walls.size(); ++i) {
      const double depths[] = {300, 400, 475, 500, 577}, heights[] = {1400, 1700, 2000, 2500};
      // About as many bays as the wall holds, sometimes one or two fewer, sometimes none.
      const int fit = static_cast<int>(cell.walls[i].length / 1100);
      const int bays = pick(0, 5) == 0 ? 0 : std::max(0, fit - pick(0, 2));
      // One pick after the other, in this order, so that every compiler makes
      // the same rooms (the order in which arguments are worked out is not fixed).
      const int shelves = pick(1, 6);
      const double height = heights[pick(0, 3)];
      const double depth = depths[pick(0, 4)];
      set_run(cell.walls[i], bays, ranks[i], depth, height, shelves);
    }
    return name + " " + std::to_string(static_cast<int>(w)) + " x " + std::to_string(static_cast<int>(h));
  }
};

TEST_F(LayoutProperties, RandomRoomOfASeedIsTheSameInEveryBuild) {
  // The regression seeds name rooms: each compiler must build the same ones.
  RandomRoom(1593).make();
  std::string runs;
  for (const Tlinea& w : cell().walls)
    runs += std::to_string(w.module_count) + '/' + std::to_string(w.priority) + '/' + exact(w.module_depth) + '/' +
            exact(w.module_height) + '/' + std::to_string(w.shelf_count) + ' ';
  EXPECT_EQ(
      runs,
      "0/0/577/2000/4 2/4/577/2500/4 1/3/500/2000/2 1/1/300/1400/5 2/5/500/1400/4 0/6/300/1700/6 0/2/400/1400/3 ");
}

TEST_F(LayoutProperties, RandomRoomsKeepEveryProperty) {
  // CI checks a few hundred rooms; RACKWRIGHT_LAYOUT_ROOMS=2000 checks more.
  const char* rooms = std::getenv("RACKWRIGHT_LAYOUT_ROOMS");
  const unsigned last = rooms ? static_cast<unsigned>(std::strtoul(rooms, nullptr, 10)) : 300;
  std::vector<unsigned> seeds = {1593, 1710, 1864};  // rooms that once broke a property
  for (unsigned seed = 1; seed <= last; ++seed) seeds.push_back(seed);
  for (unsigned seed : seeds) {
    reset_project();
    AppState.max_length_index = static_cast<int>(LengthList.size()) - 1;
    const std::string room = RandomRoom(seed).make();
    recompute_layout();
    expect_sound_layout("seed " + std::to_string(seed) + ": " + room);
    if (HasFailure()) return;  // one room at a time is enough to read
  }
}

}  // namespace
