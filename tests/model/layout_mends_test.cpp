// Rooms whose first layout is not sound, and what the mended layout keeps: a
// run that comes back gives up no more than its overlap, a wall left without
// bays leaves nothing of itself behind, and a fit that is exact but for the
// rounding of its sums still fits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout_fixture.h"
#include "layout_invariants.h"
#include "model/layout/layout_engine.h"

namespace {

const std::vector<double> kMillimetreLengths = {710, 800, 890, 974, 1062, 1152, 1240};
const std::vector<double> kInchLengths = {762, 890, 914.4, 974, 1066.8, 1152, 1219.2, 1524, 1676.4, 1828.8};

// A wall's run as a room is described: bays, priority, depth, height, shelves.
struct WallRun {
  int bays, priority;
  double depth, height;
  int shelves;
};

class LayoutMends : public CellTest {
 protected:
  void make_room(double width, double height, double clearance, const std::vector<double>& lengths, int largest_index,
                 const std::vector<WallRun>& runs) {
    make_room({{0, 0}, {width, 0}, {width, height}, {0, height}}, clearance, lengths, largest_index, runs);
  }

  // A room of any outline, in a project of its own.
  void make_room(const std::vector<Tvec2>& corners, double clearance, const std::vector<double>& lengths,
                 int largest_index, const std::vector<WallRun>& runs) {
    reset_project();
    ui->messages.clear();
    LengthList = lengths;
    AppState.max_length_index = largest_index;
    make_outline(corners);
    cell().clearance = clearance;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const WallRun& r = runs[i];
      set_run(wall(static_cast<int>(i)), r.bays, r.priority, r.depth, r.height, r.shelves);
    }
  }

  std::vector<double> lengths_of(int i) {
    std::vector<double> lengths;
    for (const Tmodulo& m : wall(i).modules) lengths.push_back(m.length);
    return lengths;
  }

  // Whether the corner after wall i is joined: the lower run's corner bay
  // marked, the two bays 4 mm apart.
  void expect_joined(int i, const std::string& room) {
    const int next = (i + 1) % static_cast<int>(cell().walls.size());
    ASSERT_FALSE(wall(i).modules.empty() || wall(next).modules.empty()) << room;
    EXPECT_TRUE(wall(i).modules.back().corner_joint_end == 1 || wall(next).modules.front().corner_joint_start == 1)
        << room << ": corner " << i << " unjoined";
    EXPECT_NEAR(separation(footprint(wall(i).modules.back()), footprint(wall(next).modules.front())), 4.0, 1e-6)
        << room;
  }
};

TEST_F(LayoutMends, RunComingBackGivesUpItsOverlapOnly) {
  // Wall 2 overlaps wall 3's run where wall 3's start clearance cuts their
  // corner. Coming back by that overlap alone, its five bays still fit.
  make_room(6199, 4261, 95, kMillimetreLengths, 5,
            {{5, 3, 577, 1850, 1}, {2, 2, 500, 2000, 4}, {5, 0, 500, 1700, 1}, {3, 1, 300, 1400, 6}});
  wall(1).start_gap = 206;
  wall(3).start_gap = 514;
  recompute_layout();
  const std::string room = "6199 x 4261, a run coming back from a clearance";
  expect_sound_layout(room);
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_EQ(lengths_of(2), (std::vector<double>{974, 974, 1062, 974, 974}));
  expect_joined(1, room);
}

TEST_F(LayoutMends, WallWithoutBaysIsLaidOutAsIfItHadNone) {
  // Wall 1's five bays do not fit; the room is laid out as if it had none,
  // and the corner of walls 2 and 3 stays joined.
  make_room(3317, 4270, 36, kInchLengths, 4,
            {{0, 3, 300, 2000, 2}, {5, 1, 475, 2000, 4}, {1, 2, 475, 2000, 2}, {2, 0, 400, 2500, 3}});
  recompute_layout();
  const std::string failed = runs_summary(cell());
  EXPECT_EQ(ui->messages, std::vector<std::string>{"text 56"});
  EXPECT_TRUE(wall(1).modules.empty());
  expect_joined(2, "3317 x 4270, a wall without bays beside a joined corner");

  wall(1).module_count = 0;
  ui->messages.clear();
  recompute_layout();
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_EQ(failed, runs_summary(cell()));
}

TEST_F(LayoutMends, ExactFitClosingTheLoopJoinsItsCorner) {
  // The walk round the room comes back to wall 0 with exactly room for
  // 914.4 + 914.4 + 974 + 914.4, but for the rounding of the sums.
  make_room(4640, 5346, 24, kInchLengths, 9,
            {{4, 0, 475, 2500, 5}, {5, 2, 300, 1400, 3}, {4, 1, 500, 1700, 2}, {5, 3, 400, 2000, 3}});
  recompute_layout();
  const std::string room = "4640 x 5346, an exact fit closing the loop";
  expect_sound_layout(room);
  EXPECT_EQ(lengths_of(0), (std::vector<double>{914.4, 914.4, 974, 914.4}));
  expect_joined(0, room);
}

TEST_F(LayoutMends, RunComesBackOnlyOnceTheCornersOfItsRoundAreUnjoined) {
  // In each room a round of mending unjoins a corner, and the run beside it
  // moves. A run that would come back in the same round, measured against
  // the runs as they stood joined, would give up room for an overlap that
  // is gone: a wall that fits emptied, or short bays and an empty stretch.
  const std::vector<Tvec2> u_room = {{0, 0},       {5207, 0},    {5207, 6333}, {3870, 6333},
                                     {3870, 3504}, {1111, 3504}, {1111, 6333}, {0, 6333}};
  make_room(u_room, 88, kInchLengths, 4,
            {{6, 1, 400, 1850, 2},
             {5, 2, 475, 1700, 3},
             {1, 4, 300, 1400, 5},
             {1, 7, 300, 2000, 5},
             {2, 3, 577, 1400, 5},
             {1, 0, 475, 2000, 5},
             {0, 5, 400, 2000, 1},
             {3, 6, 500, 1400, 1}});
  wall(0).start_gap = 369;
  recompute_layout();
  EXPECT_EQ(ui->messages, std::vector<std::string>{"text 56"});
  EXPECT_EQ(lengths_of(5), std::vector<double>{1066.8});
  expect_sound_layout("U room 5207 x 6333, one bay in the notch");

  const std::vector<Tvec2> with_door = {{0, 0},       {2573, 0},    {3342, 0},    {6166, 0},    {6166, 5799},
                                        {4057, 5799}, {4057, 3380}, {1087, 3380}, {1087, 5799}, {0, 5799}};
  make_room(with_door, 85, kInchLengths, 5,
            {{4, 1, 500, 2500, 4},
             {0, 8, 500, 1850, 4},
             {5, 9, 475, 1850, 2},
             {3, 4, 300, 2000, 1},
             {0, 0, 400, 2500, 2},
             {1, 7, 400, 1700, 3},
             {2, 6, 400, 2500, 5},
             {1, 3, 500, 1700, 1},
             {0, 2, 300, 2500, 4},
             {4, 5, 500, 2000, 6}});
  wall(1).kind = 0;
  wall(1).start_gap = 868;
  wall(5).end_gap = 509;
  recompute_layout();
  EXPECT_EQ(ui->messages, std::vector<std::string>(3, "text 56"));
  EXPECT_TRUE(wall(7).modules.empty());
  EXPECT_EQ(lengths_of(9), std::vector<double>(4, 1152));
  expect_sound_layout("U room 6166 x 5799 with a door, a lower wall giving way");

  const std::vector<Tvec2> split_wall = {{0, 0},       {4193, 0},    {8139, 0},    {8139, 4067}, {6471, 4067},
                                         {6471, 2678}, {1162, 2678}, {1162, 4067}, {0, 4067}};
  make_room(split_wall, 84, kMillimetreLengths, 4,
            {{0, 8, 300, 1400, 6},
             {3, 6, 475, 1850, 6},
             {2, 4, 577, 1400, 2},
             {0, 0, 577, 2000, 5},
             {0, 1, 577, 1850, 1},
             {2, 5, 500, 2500, 3},
             {1, 2, 577, 1700, 5},
             {1, 7, 577, 1400, 3},
             {2, 3, 577, 1700, 2}});
  wall(0).start_gap = 937;
  wall(7).start_gap = 489;
  recompute_layout();
  EXPECT_EQ(ui->messages, std::vector<std::string>{"text 56"});
  EXPECT_EQ(lengths_of(8), (std::vector<double>{1062, 1062}));
  expect_sound_layout("U room 8139 x 4067 with a split wall, a higher run at full length");
}

}  // namespace
