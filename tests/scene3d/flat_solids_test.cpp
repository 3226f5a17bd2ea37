// Planes, sprites, cubes, frusta and polygons: their recorded geometry,
// writers, ray casts and stored sizes, and what Mesa makes of them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gfx3d/core/library_errors.h"
#include "gl_feedback.h"
#include "object_recording.h"
#include "scene3d/lines/polygon.h"
#include "scene3d/objects/cube.h"
#include "scene3d/objects/frustum.h"
#include "scene3d/objects/plane.h"
#include "scene3d/objects/sprite.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"

namespace {

using FlatSolids = SceneTest;

void ExpectNear(const TVector4f& actual, const TAffineVector& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Every face's normal points away from the centre for ndOutside and towards it
// for ndInside, while the winding stays counter-clockwise seen from outside.
void ExpectNormalsAgainstWinding(TGLBaseStageObject& solid, TNormalDirection direction, int faces,
                                 const TAffineVector& middle = {0, 0, 0}) {
  const RecordedBuild build(solid);
  ASSERT_EQ(build.primitives.size(), 1u);
  const auto& quads = build.primitives[0].vertices;
  ASSERT_EQ(static_cast<int>(quads.size()), 4 * faces);
  const float sign = direction == ndOutside ? 1.0f : -1.0f;
  for (std::size_t q = 0; q < quads.size(); q += 4) {
    const TAffineVector winding = WindingNormal(quads[q], quads[q + 1], quads[q + 2]);
    TAffineVector centre = AffineVectorScale(middle, -4);
    for (int c = 0; c < 4; ++c) centre = AffineVectorAdd(centre, quads[q + c].position);
    EXPECT_GT(AffineVectorDotProduct(winding, centre), 0) << "face " << q / 4 << " wound inwards";
    EXPECT_GT(sign * AffineVectorDotProduct(quads[q].normal, winding), 0) << "face " << q / 4;
    EXPECT_NEAR(AffineVectorLength(quads[q].normal), 1, 1e-5f);
  }
}

TEST_F(FlatSolids, PlaneGridAndTextureRanges) {
  TGLPlane plane(nullptr);
  plane.SetStyle(0);
  plane.SetXTiles(2);
  plane.SetYTiles(2);
  plane.SetXScope(3);
  EXPECT_EQ(plane.XScope(), 1);
  plane.SetYScope(0.5f);
  {
    const RecordedBuild build(plane);
    ASSERT_EQ(build.primitives.size(), 2u);
    for (const auto& strip : build.primitives) {
      EXPECT_EQ(strip.mode, static_cast<unsigned>(GL_TRIANGLE_STRIP));
      EXPECT_EQ(strip.vertices.size(), 6u);
    }
    const RecordedVertex& first = build.primitives[0].vertices[1];
    const RecordedVertex& last = build.primitives[1].vertices[4];
    EXPECT_EQ(first.s, 0);
    EXPECT_EQ(first.t, 0);
    EXPECT_EQ(last.s, 1);
    EXPECT_EQ(last.t, 0.5f);
  }
  // Offsets shift the tiled range the same way in the single quad and the grid.
  plane.SetYScope(1);
  plane.SetXTiles(1);
  plane.SetYTiles(1);
  plane.SetXOffset(0.5f);
  plane.SetYOffset(0.25f);
  for (TPlaneStyle style : {TPlaneStyle(psTileTexture | psSingleQuad), TPlaneStyle(psTileTexture)}) {
    plane.SetStyle(style);
    const RecordedBuild build(plane);
    float s_min = 9, s_max = -9, t_min = 9, t_max = -9;
    for (const auto& v : build.primitives.at(0).vertices) {
      s_min = std::min(s_min, v.s), s_max = std::max(s_max, v.s);
      t_min = std::min(t_min, v.t), t_max = std::max(t_max, v.t);
    }
    EXPECT_EQ(s_min, 0.5f);
    EXPECT_EQ(s_max, 1.5f);
    EXPECT_EQ(t_min, 0.25f);
    EXPECT_EQ(t_max, 1.25f);
  }
  // No tiles draws nothing rather than vertices divided by zero.
  plane.SetStyle(0);
  plane.SetXTiles(0);
  EXPECT_EQ(RecordedBuild(plane).VertexCount(), 0);
}

TEST_F(FlatSolids, PlaneRayCasts) {
  TGLStage scene(nullptr);
  auto* plane = scene.Objects().NewChildOfClass<TGLPlane>();
  plane->SetWidth(-2);  // a negative size is still two units wide
  TVector4f point, normal;
  EXPECT_FALSE(plane->RayCastIntersect({0, 0, 1, 1}, {1, 0, 0, 0}, &point, &normal));
  ASSERT_TRUE(plane->RayCastIntersect({0.9f, 0, 1, 1}, {0, 0, -1, 0}, &point, &normal));
  ExpectNear(point, {0.9f, 0, 0});
  ExpectNear(normal, {0, 0, 1});
  ASSERT_TRUE(plane->RayCastIntersect({0, 0.4f, -1, 1}, {0, 0, 1, 0}, &point, &normal));
  ExpectNear(normal, {0, 0, -1});
  EXPECT_FALSE(plane->RayCastIntersect({0, 0.6f, -1, 1}, {0, 0, 1, 0}, &point, &normal));
  EXPECT_FALSE(plane->RayCastIntersect({0, 0, 1, 1}, {0, 0, 1, 0}, &point, &normal));
}

TEST_F(FlatSolids, SpriteWriters) {
  TGLSprite sprite(nullptr);
  for (auto [given, stored] : {std::pair{-0.5f, 0.0f}, {2.0f, 1.0f}, {0.25f, 0.25f}}) {
    sprite.SetAlphaChannel(given);
    EXPECT_EQ(sprite.AlphaChannel(), stored);
  }
}

TEST_F(FlatSolids, CubeNormalsAgainstWindingAndParts) {
  TGLCube cube(nullptr);
  cube.SetCubeWidth(2);
  ExpectNormalsAgainstWinding(cube, ndOutside, 6);
  cube.SetNormalDirection(ndInside);
  ExpectNormalsAgainstWinding(cube, ndInside, 6);
  cube.SetParts(cpTop | cpLeft);
  ExpectNormalsAgainstWinding(cube, ndInside, 2);
  cube.SetParts(0);
  const RecordedBuild empty(cube);
  EXPECT_EQ(empty.Count("glBegin"), 1);
  EXPECT_EQ(empty.VertexCount(), 0);
}

TEST_F(FlatSolids, CubeRayCastsFindTheEntryFaceOnlyAhead) {
  TGLStage scene(nullptr);
  auto* cube = scene.Objects().NewChildOfClass<TGLCube>();
  cube->Position().SetPoint(10, 0, 0);
  cube->SetCubeWidth(2);
  TVector4f point, normal;
  ASSERT_TRUE(cube->RayCastIntersect({0, 0.2f, 0, 1}, {1, 0, 0, 0}, &point, &normal));
  ExpectNear(point, {9, 0.2f, 0});
  ExpectNear(normal, {-1, 0, 0});
  ASSERT_TRUE(cube->RayCastIntersect({10, 5, 0.3f, 1}, {0, -2, 0, 0}, &point, &normal));
  ExpectNear(point, {10, 0.5f, 0.3f});
  ExpectNear(normal, {0, 1, 0});
  EXPECT_FALSE(cube->RayCastIntersect({10, 0, 0, 1}, {1, 0, 0, 0}, &point, &normal));  // from inside
  EXPECT_FALSE(cube->RayCastIntersect({12, 0, 0, 1}, {1, 0, 0, 0}, &point, &normal));  // behind
}

TEST_F(FlatSolids, SizesTravelAsOneBinaryPropertyOnlyWhenChanged) {
  TGLCube cube(nullptr);
  EXPECT_FALSE(BinaryProperties(cube).Stored("CubeSize"));
  cube.SetCubeDepth(3);
  BinaryProperties written(cube);
  ASSERT_TRUE(written.Stored("CubeSize"));
  const std::string bytes = written.Written("CubeSize");
  ASSERT_EQ(bytes.size(), 12u);
  TGLCube copy(nullptr);
  BinaryProperties(copy).Read("CubeSize", bytes);
  EXPECT_EQ(copy.CubeWidth(), 1);
  EXPECT_EQ(copy.CubeDepth(), 3);

  TGLFrustrum frustum(nullptr);
  EXPECT_FALSE(BinaryProperties(frustum).Stored("FrustrumSize"));
  frustum.SetBaseWidth(2);
  const std::string frustum_bytes = BinaryProperties(frustum).Written("FrustrumSize");
  ASSERT_EQ(frustum_bytes.size(), 16u);
  float sizes[4];
  std::memcpy(sizes, frustum_bytes.data(), sizeof sizes);
  EXPECT_EQ(sizes[2], 2);
  EXPECT_EQ(sizes[3], 0.5f);
}

TEST_F(FlatSolids, FrustumHeightsDragEachOtherAndIgnoreNegatives) {
  TGLFrustrum frustum(nullptr);
  frustum.SetHeight(2);
  EXPECT_EQ(frustum.ApexHeight(), 2);
  frustum.SetApexHeight(0.25f);
  EXPECT_EQ(frustum.Height(), 0.25f);
  frustum.SetBaseWidth(-1);
  EXPECT_EQ(frustum.BaseWidth(), 1);
}

TEST_F(FlatSolids, FrustumFacesAndItsDegenerateShapes) {
  TGLFrustrum frustum(nullptr);
  ExpectNormalsAgainstWinding(frustum, ndOutside, 6, {0, 0.25f, 0});
  frustum.SetNormalDirection(ndInside);
  ExpectNormalsAgainstWinding(frustum, ndInside, 6, {0, 0.25f, 0});
  frustum.SetNormalDirection(ndOutside);
  // Cut at the apex: no top, and the slanted faces meet in one point.
  frustum.SetHeight(1);
  const RecordedBuild pyramid(frustum);
  EXPECT_EQ(pyramid.VertexCount(), 20);
  const auto& apex = pyramid.primitives[0].vertices[0].position;
  EXPECT_EQ(apex.x, 0);
  EXPECT_EQ(apex.z, 0);
  // No height: the base alone, with no NaN anywhere.
  frustum.SetApexHeight(0);
  const RecordedBuild flat(frustum);
  EXPECT_EQ(flat.VertexCount(), 4);
  for (const auto& v : flat.primitives[0].vertices) EXPECT_FALSE(std::isnan(v.position.x + v.normal.y));
}

TEST_F(FlatSolids, PolygonWritersAndNodeChangesRebuild) {
  TGLPolygon polygon(nullptr);
  polygon.SetDivision(0);
  EXPECT_EQ(polygon.Division(), 1);
  polygon.ClearStructureChanged();
  polygon.AddNode(0, 0, 0);
  EXPECT_TRUE(polygon.Changes() & chStructure);
  polygon.ClearStructureChanged();
  polygon.Nodes().GetItems(0)->SetCoordinate(0, 1);
  EXPECT_TRUE(polygon.Changes() & chStructure);
  EXPECT_EQ(RecordedBuild(polygon).VertexCount(), 0);  // one node draws nothing
}

class FlatSolidPixels : public GLPixelTest {
 protected:
  void SetUp() override {
    GLPixelTest::SetUp();
    InitializeScene3D();
  }
};

TEST_F(FlatSolidPixels, APolygonSquareCoversItsAreaOnEachSide) {
  if (!context_) return;
  TGLPolygon polygon(nullptr);
  for (auto [x, y] : {std::pair{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}}) polygon.AddNode(x, y, 0);
  const auto polygons = FeedbackOf(polygon);
  double top = 0, bottom = 0;
  for (const auto& p : polygons) (p.Area() > 0 ? top : bottom) += p.Area();
  // The unit square is half the viewport's width on each axis: 32 x 32 pixels, once per side.
  EXPECT_NEAR(top, 1024, 1e-3);
  EXPECT_NEAR(bottom, -1024, 1e-3);
}

}  // namespace
