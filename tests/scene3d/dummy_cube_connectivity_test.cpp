// Dummy cubes as grouping nodes, and outlines from mesh connectivity and
// from the base object's disc.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx3d/math/vector_geometry.h"
#include "scene3d/render/connectivity.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

using DummyCubes = SceneTest;

TEST_F(DummyCubes, TheMeanOfTheChildrenIsItsOwnOperationNotTheAbsolutePosition) {
  TGLStage scene(nullptr);
  auto* cube = scene.Objects().NewChildOfClass<TGLDummyCube>();
  cube->Position().SetPoint(4, 0, 0);
  EXPECT_FLOAT_EQ(cube->BarycenterAbsolutePosition().x, 4);
  auto* a = cube->NewChildOfClass<TGLDummyCube>();
  auto* b = cube->NewChildOfClass<TGLDummyCube>();
  a->Position().SetPoint(-4, 0, 0);
  b->Position().SetPoint(-2, 0, 0);
  const TVector4f mean = cube->BarycenterAbsolutePosition();
  EXPECT_FLOAT_EQ(mean.x, 1);
  EXPECT_FLOAT_EQ(mean.w, 1);
  // The camera target's position is its own, so a camera child does not look at itself.
  EXPECT_FLOAT_EQ(cube->AbsolutePosition().x, 4);
}

TEST_F(DummyCubes, ExtentsRayCastsAndAssign) {
  TGLDummyCube cube(nullptr);
  cube.SetCubeSize(-3);
  EXPECT_FLOAT_EQ(cube.AxisAlignedDimensionsUnscaled().x, 1.5f);
  EXPECT_FALSE(cube.RayCastIntersect({0, 0, -10, 1}, {0, 0, 1, 0}, nullptr, nullptr));
  TGLDummyCube other(nullptr);
  other.SetAmalgamate(true);
  cube.SetVisibleAtRunTime(true);
  cube.EdgeColor().SetColor({0, 1, 0, 1});
  other.Assign(&cube);
  EXPECT_FLOAT_EQ(other.CubeSize(), -3);
  EXPECT_FLOAT_EQ(other.EdgeColor().Green(), 1);
  EXPECT_TRUE(other.VisibleAtRunTime());
  EXPECT_TRUE(other.Amalgamate());
}

TEST_F(DummyCubes, AtRunTimeWithoutVisibleAtRunTimeItDrawsNothingOfItsOwn) {
  RecordingGL recording;
  TGLDummyCube cube(nullptr);
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  cube.BuildList(rci);
  EXPECT_TRUE(recording.calls.empty());
  cube.SetVisibleAtRunTime(true);
  cube.BuildList(rci);
  EXPECT_EQ(recording.Count("glLineStipple"), 1);
  EXPECT_EQ(recording.Count("glVertex3f"), 16);
}

using Silhouettes = SceneTest;

TEST_F(Silhouettes, TwoTrianglesFacingApartGiveOneEdgeFromTheTurnedAwaySide) {
  TConnectivity connectivity(true);
  // Face 0 in the plane z = 0 facing +z; face 1 folded down to face -x.
  connectivity.AddFace({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  connectivity.AddFace({0, 1, 0}, {1, 0, 0}, {1, 0, -1});
  std::unique_ptr<TGLSilhouette> silhouette;
  TGLSilhouetteParameters seen;
  seen.SeenFrom = {0.2f, 0.2f, 5};
  connectivity.CreateSilhouette(seen, silhouette, false);
  // The shared edge plus the facing face's two borders are not outline; the other face's are.
  ASSERT_NE(silhouette, nullptr);
  int shared = 0;
  for (int i = 0; i + 1 < silhouette->Indices().Count(); i += 2) {
    const TVector4f a = silhouette->Vertices().GetItem(silhouette->Indices().GetItem(i));
    const TVector4f b = silhouette->Vertices().GetItem(silhouette->Indices().GetItem(i + 1));
    if (a.z == 0 && b.z == 0 && a.x + a.y == 1 && b.x + b.y == 1) ++shared;
  }
  EXPECT_EQ(shared, 1);
}

TEST_F(Silhouettes, ALoneTriangleTurnedAwayGivesThreeEdgesAndACap) {
  TConnectivity connectivity(false);
  connectivity.AddFace({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  std::unique_ptr<TGLSilhouette> silhouette;
  TGLSilhouetteParameters seen;
  seen.SeenFrom = {0, 0, -5};
  seen.CappingRequired = true;
  connectivity.CreateSilhouette(seen, silhouette, false);
  EXPECT_EQ(silhouette->Indices().Count(), 6);
  EXPECT_EQ(silhouette->CapIndices().Count(), 3);
  seen.SeenFrom = {0, 0, 5};
  connectivity.CreateSilhouette(seen, silhouette, false);
  EXPECT_EQ(silhouette->Indices().Count(), 0);
  EXPECT_EQ(silhouette->CapIndices().Count(), 0);
}

TEST_F(Silhouettes, TheSameQuadTwiceMakesTheLastFaceTheSecondOfEverySharedEdge) {
  TConnectivity connectivity(false);
  const TAffineVector p1{0, 0, 0}, p2{1, 0, 0}, p3{0, 1, 0}, p4{1, 1, 0};
  connectivity.AddQuad(p1, p2, p3, p4);
  connectivity.AddQuad(p1, p2, p3, p4);
  EXPECT_EQ(connectivity.FaceCount(), 4);
  EXPECT_EQ(connectivity.EdgeCount(), 5);
  for (int edge = 0; edge < connectivity.EdgeCount(); ++edge)
    EXPECT_GE(connectivity.EdgeFaces().GetItem(2 * edge + 1), 2);
}

TEST_F(Silhouettes, TheBaseObjectGivesA21SidedDisc) {
  TGLDummyCube cube(nullptr);
  TGLSilhouetteParameters seen;
  seen.SeenFrom = {0, 0, 10};
  seen.Style = ssParallel;
  seen.CappingRequired = true;
  const std::unique_ptr<TGLSilhouette> disc = cube.TGLBaseStageObject::GenerateSilhouette(seen);
  EXPECT_EQ(disc->Vertices().Count(), 22);
  EXPECT_EQ(disc->Indices().Count(), 42);
  EXPECT_EQ(disc->CapIndices().Count(), 63);
  EXPECT_NEAR(VectorLength(disc->Vertices().GetItem(0)), 0.98f * std::sqrt(0.75f), 1e-4f);
}

}  // namespace
