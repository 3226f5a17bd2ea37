// Contours merged into outlines and filled, and the extrusion solid's walls
// and caps, checked from the calls the recording table sees; the wall ring
// with a door is also drawn on Mesa.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "gfx3d/gl/gl_state_cache.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"
#include "support/recording_gl.h"

namespace {

struct Square {
  float x0, y0, x1, y1;
};

// Adds a rectangle contour, counter-clockwise unless clockwise.
void AddRectangle(TMultiPolygonBase& polygon, const Square& s, bool clockwise = false) {
  TGLNodes& nodes = polygon.Contours().Add()->Nodes();
  const float corners[4][2] = {{s.x0, s.y0}, {s.x1, s.y0}, {s.x1, s.y1}, {s.x0, s.y1}};
  for (int k = 0; k < 4; ++k) {
    const int i = clockwise ? 3 - k : k;
    nodes.AddNode(corners[i][0], corners[i][1], 0);
  }
}

// What the recorded triangles cover, signed by their turn seen from +Z; and how many strips.
struct Drawn {
  double area = 0;
  int strips = 0;
  int stripVertices = 0;
};

Drawn Measure(const RecordingGL& gl) {
  Drawn drawn;
  int mode = -1;
  std::vector<std::array<double, 2>> v;
  auto triangle = [&](std::size_t a, std::size_t b, std::size_t c) {
    drawn.area += ((v[b][0] - v[a][0]) * (v[c][1] - v[a][1]) - (v[c][0] - v[a][0]) * (v[b][1] - v[a][1])) / 2;
  };
  for (const RecordedCall& call : gl.calls) {
    if (call.name == "glBegin") {
      mode = static_cast<int>(call.args[0]);
      v.clear();
    } else if (call.name == "glVertex3f") {
      v.push_back({call.args[0], call.args[1]});
    } else if (call.name == "glEnd") {
      if (mode == GL_TRIANGLE_STRIP && v.size() > 0) {
        ++drawn.strips;
        drawn.stripVertices += static_cast<int>(v.size());
      }
      for (std::size_t i = 0; i + 2 < v.size(); ++i) {
        if (mode == GL_TRIANGLES && i % 3 == 0) triangle(i, i + 1, i + 2);
        if (mode == GL_TRIANGLE_FAN) triangle(0, i + 1, i + 2);
        if (mode == GL_TRIANGLE_STRIP) i % 2 ? triangle(i + 1, i, i + 2) : triangle(i, i + 1, i + 2);
      }
    }
  }
  return drawn;
}

class Contours : public SceneTest {};

TEST_F(Contours, HolesAndAdditionsFollowTheTurn) {
  TGLMultiPolygon polygon(nullptr);
  polygon.SetParts(ppTop);
  AddRectangle(polygon, {0, 0, 10, 10});
  AddRectangle(polygon, {3, 3, 7, 7});
  EXPECT_EQ(polygon.Outline().Count(), 2);
  RecordingGL gl;
  TRenderContextInfo rci;
  polygon.BuildList(rci);
  EXPECT_NEAR(Measure(gl).area, 84, 1e-4);
  polygon.Contours().Delete(1);
  AddRectangle(polygon, {3, 3, 7, 7}, true);
  EXPECT_EQ(polygon.Outline().Count(), 1);
  gl.Clear();
  polygon.BuildList(rci);
  EXPECT_NEAR(Measure(gl).area, 100, 1e-4);
}

TEST_F(Contours, ShortFirstContourSplinesAndNames) {
  TGLMultiPolygon polygon(nullptr);
  polygon.Path(0).AddNode(0, 0, 0);
  polygon.Path(0).AddNode(1, 0, 0);
  AddRectangle(polygon, {0, 0, 5, 5}, true);  // would add area
  EXPECT_EQ(polygon.Outline().Count(), 0);
  TGLContour& contour = *polygon.Contours().GetItems(0);
  contour.Nodes().AddNode(1, 1, 0);
  EXPECT_EQ(polygon.Outline().Count(), 1);  // the node dropped the cached outline
  EXPECT_EQ(contour.GetDisplayName(), "GLContour: 3 nodes");
  contour.SetSplineMode(lsmCubicSpline);
  EXPECT_EQ(contour.Points().size(), 21u);
  contour.SetDivision(0);
  EXPECT_EQ(contour.Division(), 1);
  EXPECT_EQ(contour.Points().size(), 3u);
}

class Extrusion : public SceneTest {
 protected:
  Drawn Build(TGLExtrusionSolid& solid) {
    RecordingGL gl;
    TRenderContextInfo rci;
    solid.BuildList(rci);
    return Measure(gl);
  }
};

TEST_F(Extrusion, SquareGivesFourStripsAndCapsFaceOutwards) {
  TGLExtrusionSolid solid(nullptr);
  AddRectangle(solid, {0, 0, 2, 2});
  Drawn drawn = Build(solid);
  EXPECT_EQ(drawn.strips, 4);
  EXPECT_EQ(drawn.stripVertices, 16);
  EXPECT_NEAR(drawn.area, 0, 1e-6);
  solid.SetStacks(0);
  solid.SetStacks(-3);
  EXPECT_EQ(solid.Stacks(), 1);
  solid.SetParts(espStopPolygon);
  EXPECT_NEAR(Build(solid).area, 4, 1e-5);
  solid.SetParts(espStartPolygon);
  EXPECT_NEAR(Build(solid).area, -4, 1e-5);
  // Inward caps still fill, turned the other way.
  solid.SetNormalDirection(ndInside);
  EXPECT_NEAR(Build(solid).area, 4, 1e-5);
  solid.SetParts(espStopPolygon);
  EXPECT_NEAR(Build(solid).area, -4, 1e-5);
  solid.SetHeight(0);
  solid.SetParts(espOutside);
  EXPECT_EQ(Build(solid).strips, 0);
}

TEST_F(Extrusion, AssignKeepsHeightAndSmoothAngleRebuilds) {
  TGLExtrusionSolid a(nullptr), b(nullptr);
  a.SetHeight(3);
  a.SetStacks(4);
  b.Assign(&a);
  EXPECT_EQ(b.Height(), 1);
  EXPECT_EQ(b.Stacks(), 4);
  b.ClearStructureChanged();
  b.SetMinSmoothAngle(100);
  EXPECT_TRUE(b.Changes() & chStructure);
}

// The room walls: outer outline, room outline, and a door rectangle through the ring.
void AddWallRing(TGLExtrusionSolid& walls) {
  AddRectangle(walls, {-10, -10, 10, 10});
  AddRectangle(walls, {-8, -8, 8, 8});
  AddRectangle(walls, {-2, 7, 2, 11});
  walls.SetParts(espOutside | espInside | espStartPolygon | espStopPolygon);
}

TEST_F(Extrusion, DoorCutsTheRing) {
  TGLExtrusionSolid walls(nullptr);
  AddWallRing(walls);
  walls.SetParts(espStopPolygon);
  EXPECT_NEAR(Build(walls).area, 400 - 256 - 4 * 2, 1e-3);
}

class WallPixels : public GLPixelTest {};

TEST_F(WallPixels, RingFromAboveShowsWallsCentreAndDoorGap) {
  InitializeScene3D();
  auto& gl = GL();
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  gl.glOrtho(-16, 16, -16, 16, -100, 100);
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  gl.glEnable(GL_CULL_FACE);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (float alpha : {1.0f, 0.0f}) {
    gl.glClearColor(0, 0, 1, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT);
    gl.glColor4f(1, 1, 1, alpha);
    TGLExtrusionSolid walls(nullptr);
    AddWallRing(walls);
    walls.SetHeight(3);
    TRenderContextInfo rci;
    walls.BuildList(rci);
    std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
    gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    if (const char* folder = std::getenv("SCENE3D_SHOT_DIR"))
      QImage(pixels.data(), kWidth, kHeight, QImage::Format_RGBA8888)
          .mirrored()
          .scaled(256, 256)
          .save(QString(folder) + "/wall_ring_" + QString::number(alpha) + ".png");
    // Pixel at scene point (x, y): 2 pixels per unit, origin in the middle.
    auto wall = [&](float x, float y) {
      const int px = static_cast<int>((x + 16) * 2), py = static_cast<int>((y + 16) * 2);
      return pixels[(py * kWidth + px) * 4] > 128;
    };
    const bool opaque = alpha == 1.0f;
    EXPECT_EQ(wall(-9, 0), opaque);
    EXPECT_EQ(wall(9, -9), opaque);
    EXPECT_EQ(wall(5, 8.9f), opaque);
    EXPECT_FALSE(wall(0, 0));      // the room
    EXPECT_FALSE(wall(0, 9));      // the door gap
    EXPECT_FALSE(wall(-14, -14));  // outside
  }
}

}  // namespace
