// The outline by bands: points in and out of an L room and on its walls, the
// walls through a box each listed once however many bands they span.
#include "model/layout/outline_index.h"

#include <gtest/gtest.h>

#include <vector>

#include "layout_fixture.h"

namespace {

class OutlineIndexTest : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    make_l_room();  // 6000 x 6000 less the 3000 x 3000 corner at top right
  }
};

TEST_F(OutlineIndexTest, PointsInsideOnAndOutsideTheRoom) {
  const OutlineIndex room(cell());
  EXPECT_TRUE(room.contains(1000, 1000));
  EXPECT_TRUE(room.contains(1000, 5000));   // up the left arm
  EXPECT_FALSE(room.contains(5000, 5000));  // in the missing corner
  EXPECT_FALSE(room.contains(-1, 3000));
  EXPECT_TRUE(room.contains(0, 3000));     // on a wall
  EXPECT_TRUE(room.contains(3000, 3000));  // on the re-entrant corner
  EXPECT_FALSE(room.contains(6000.5, 6000));
}

TEST_F(OutlineIndexTest, WallsThroughABoxEachOnceAlongASideNone) {
  const OutlineIndex room(cell());
  std::vector<const Tlinea*> through;
  // Across the left wall, a box almost as tall as the room: the wall spans
  // every band.
  room.walls_through({-100, 100, 100, 5900}, through);
  ASSERT_EQ(through.size(), 1u);
  EXPECT_EQ(through.front(), &wall(5));
  through.clear();
  // Over the re-entrant corner: both walls that meet there.
  room.walls_through({2900, 2900, 3100, 3100}, through);
  EXPECT_EQ(through.size(), 2u);
  through.clear();
  // Lying along the bottom wall and against the notch's side, inside the room.
  room.walls_through({0, 0, 3000, 500}, through);
  room.walls_through({2500, 3000, 3000, 6000}, through);
  EXPECT_TRUE(through.empty());
}

TEST(YBandsTest, ItemsMeetOnceWhateverTheBandsTheySpan) {
  YBands bands(0, 1000, 10);
  bands.add(0, 0, 1000);     // every band
  bands.add(1, 450, 460);    // one band
  bands.add(2, 2000, 3000);  // above the bands: the last one
  bands.add(3, -50, -10);    // below: the first one
  std::vector<int> met;
  bands.for_each_near(420, 990, [&](int item) { met.push_back(item); });
  EXPECT_EQ(met, (std::vector<int>{0, 1, 2}));
  met.clear();
  bands.for_each_near(-500, 50, [&](int item) { met.push_back(item); });
  EXPECT_EQ(met, (std::vector<int>{0, 3}));
}

}  // namespace
