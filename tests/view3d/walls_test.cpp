// The room's walls: the outline contours with their openings in the order the
// winding asks, and the wall solid with its height, material and refusals.
#include "scene_tree.h"
#include "support/room_outline.h"
#include "view3d/wall_outline.h"

namespace {

TEST(WallOutline, OuterOutlineRoomOutlineAndOpeningsFollowTheWinding) {
  Tcell room = four_by_three_room();
  room.walls[2].kind = 0;  // the top wall is a door
  std::vector<PlanContour> contours = wall_contours(room);
  ASSERT_EQ(contours.size(), 3u);
  // Outer corners meet: each outer line's start takes the previous line's end.
  EXPECT_EQ(contours[0], (PlanContour{{-60, -60}, {4060, -60}, {4060, 3060}, {-60, 3060}}));
  EXPECT_EQ(contours[1], (PlanContour{{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}));
  // Counter-clockwise: the opening from the wall's start.
  EXPECT_EQ(contours[2], (PlanContour{{4000, 3000}, {4000, 3060}, {0, 3060}, {0, 3000}}));

  Tcell clockwise = room;
  std::reverse(clockwise.walls.begin(), clockwise.walls.end());
  for (Tlinea& wall : clockwise.walls) std::swap(wall.x1, wall.x2), std::swap(wall.y1, wall.y2);
  contours = wall_contours(clockwise);
  ASSERT_EQ(contours.size(), 3u);
  // Listed from the last wall to the first, so again counter-clockwise.
  EXPECT_EQ(contours[1], (PlanContour{{4000, 0}, {4000, 3000}, {0, 3000}, {0, 0}}));
  EXPECT_EQ(contours[2], (PlanContour{{4000, 3000}, {4000, 3060}, {0, 3060}, {0, 3000}}));
}

TEST(WallOutline, OnlyAnExactlyClosedOutlineIsBuilt) {
  Tcell room = four_by_three_room();
  EXPECT_TRUE(outline_closes(room));
  room.walls.back().y2 = 1e-9;
  EXPECT_FALSE(outline_closes(room));
  EXPECT_FALSE(outline_closes(Tcell{}));
}

class WallSolid : public SceneTreeTest {};

TEST_F(WallSolid, TheRingOfWallsRisesToTheWallHeightInTheWallMaterial) {
  Tcell room = four_by_three_room();
  room.walls[0].kind = 0;
  build(room);
  ASSERT_NE(walls_, nullptr);
  EXPECT_EQ(walls_->Contours().Count(), 3);
  EXPECT_EQ(walls_->Height(), 2500);
  EXPECT_EQ(walls_->Parts(), espOutside | espInside | espStartPolygon | espStopPolygon);
  EXPECT_FLOAT_EQ(walls_->Material().FrontProperties().Diffuse().Color().w, 0.6f);  // 40 % transparent
  EXPECT_EQ(walls_->Material().BlendingMode(), bmTransparency);
  EXPECT_FLOAT_EQ(walls_->Scale().X(), 0.01f);
  // A plan point (x, y) lands at (x, 0, -y): the solid rises along scene Y.
  TVector4f corner = walls_->LocalToAbsolute({4000, 3000, 0, 1});
  EXPECT_NEAR((corner.x - root_->Position().X()) * 100, 4000, 1e-2);
  EXPECT_NEAR(-(corner.z - root_->Position().Z()) * 100, 3000, 1e-2);
  EXPECT_NEAR(walls_->LocalToAbsolute({0, 0, 2500, 1}).y - root_->Position().Y(), 25, 1e-4);
}

TEST_F(WallSolid, AnOutlineTheTessellatorRefusesGivesNoWalls) {
  Tcell room = four_by_three_room();
  room.wall_thickness = 0;  // the band has no area
  build(room);
  EXPECT_EQ(walls_, nullptr);
}

}  // namespace
