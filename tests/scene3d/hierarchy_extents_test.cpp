// Moving objects between parents and positions, their extents, hit tests
// and ray casts through the scene, and the GL the light set-up sends.
#include <gtest/gtest.h>

#include "gfx3d/math/vector_geometry.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

using Hierarchy = SceneTest;

TEST_F(Hierarchy, MovingAndReorderingChildrenKeepsParentsScenesAndLightsConsistent) {
  TGLStage scene(nullptr);
  auto* a = scene.Objects().NewChildOfClass<TGLDummyCube>();
  auto* b = scene.Objects().NewChildOfClass<TGLDummyCube>();
  auto* light = a->NewChildOfClass<TGLLightSource>();
  EXPECT_EQ(scene.Light(0), light);
  light->MoveToParent(b);
  EXPECT_EQ(light->Parent(), b);
  EXPECT_EQ(scene.Light(0), light);
  light->MoveToParent(nullptr);
  EXPECT_EQ(light->Scene(), nullptr);
  EXPECT_EQ(scene.Light(0), nullptr);
  b->AddChild(light);
  EXPECT_EQ(light->Scene(), &scene);

  auto* first = scene.Objects().NewFirstChildOfClass<TGLDummyCube>();
  EXPECT_EQ(first->Index(), 0);
  first->SetIndex(99);
  EXPECT_EQ(first->Index(), scene.Objects().Count() - 1);
  EXPECT_EQ(scene.Objects().Children(scene.Objects().Count()), nullptr);
}

TEST_F(Hierarchy, RemovingAChildButKeepingItsChildrenHandsThemToTheParent) {
  TGLStage scene(nullptr);
  auto* parent = scene.Objects().NewChildOfClass<TGLDummyCube>();
  auto* middle = parent->NewChildOfClass<TGLDummyCube>();
  middle->NewChildOfClass<TestBox>();
  middle->NewChildOfClass<TestBox>();
  parent->RemoveChild(middle, true);
  EXPECT_EQ(middle->Parent(), nullptr);
  EXPECT_EQ(middle->Count(), 0);
  EXPECT_EQ(parent->Count(), 2);
  delete middle;
}

TEST_F(Hierarchy, BoxesIncludeChildrenAndPointsAndRaysFindTheObjects) {
  TGLStage scene(nullptr);
  auto* parent = scene.Objects().NewChildOfClass<TestBox>();
  parent->Scale().SetVector(2, 2, 2);
  auto* child = parent->NewChildOfClass<TestBox>();
  child->Position().SetPoint(3, 0, 0);
  const TAABB unscaled = parent->BoundingBoxUnscaled();
  EXPECT_FLOAT_EQ(unscaled.max.x, 3.5f);
  EXPECT_FLOAT_EQ(unscaled.min.x, -0.5f);
  EXPECT_FLOAT_EQ(parent->BoundingBox().max.x, 7);
  EXPECT_TRUE(child->PointInObject({6, 0, 0, 1}));
  EXPECT_FALSE(child->PointInObject({6, 2, 0, 1}));

  TVector4f point, normal;
  EXPECT_EQ(scene.RayCastIntersect({6, 0, -20, 1}, {0, 0, 1, 0}, &point, &normal), child);
  EXPECT_LT(point.z, 0);
  EXPECT_NEAR(normal.z, -1, 1e-5f);
  child->SetVisible(false);
  EXPECT_EQ(scene.RayCastIntersect({6, 0, -20, 1}, {0, 0, 1, 0}, &point, &normal), nullptr);
}

TEST_F(Hierarchy, OmniLightsArePlacedInTheirParentsFrameAndParallelOnesGiveADirection) {
  RecordingGL recording;
  TGLStage scene(nullptr);
  auto* group = scene.Objects().NewChildOfClass<TGLDummyCube>();
  group->Position().SetPoint(5, 0, 0);
  auto* omni = group->NewChildOfClass<TGLLightSource>();
  omni->SetLightStyle(lsOmni);
  omni->Position().SetPoint(1, 2, 3);
  auto* sun = scene.Objects().NewChildOfClass<TGLLightSource>();
  sun->SetLightStyle(lsParallel);
  sun->SetShining(false);
  scene.SetupLights(8);
  std::vector<std::vector<double>> positions;
  std::vector<double> parent_matrix;
  for (const RecordedCall& call : recording.calls) {
    if (call.name == "glMultMatrixf" && parent_matrix.empty()) parent_matrix = call.args;
    if (call.name == "glLightfv" && call.args[1] == GL_POSITION) positions.push_back(call.args);
  }
  ASSERT_EQ(positions.size(), 1u);  // the parallel light is not shining
  ASSERT_EQ(parent_matrix.size(), 16u);
  EXPECT_FLOAT_EQ(static_cast<float>(parent_matrix[12]), 5);
  EXPECT_EQ(recording.Count("glDisable"), 1 + 6);  // the dark light and the six empty slots
}

TEST_F(Hierarchy, TheOrthogonalAndInfiniteStylesProjectFromTheSameFrustum) {
  RecordingGL recording;
  TGLCamera camera(nullptr);
  camera.SetFocalLength(400);
  camera.SetCameraStyle(csOrthogonal);
  camera.ApplyPerspective({0, 0, 712, 480}, 712, 480, 96);
  ASSERT_EQ(recording.Count("glOrtho"), 1);
  EXPECT_NEAR(recording.calls.back().args[1], 0.125, 1e-6);  // 100 / focal length, halved
  camera.SetCameraStyle(csInfinitePerspective);
  camera.ApplyPerspective({0, 0, 712, 480}, 712, 480, 96);
  ASSERT_EQ(recording.Count("glMultMatrixf"), 1);
  const std::vector<double>& m = recording.calls.back().args;
  EXPECT_NEAR(m[0], 2 * camera.NearestPlane() / 1.0, 1e-4);
  EXPECT_FLOAT_EQ(static_cast<float>(m[11]), -1);
  EXPECT_FLOAT_EQ(static_cast<float>(m[15]), 0);
  camera.SetCameraStyle(csOrtho2D);
  camera.ApplyPerspective({0, 0, 712, 480}, 712, 480, 96);
  EXPECT_EQ(recording.Count("gluOrtho2D"), 1);
  EXPECT_FLOAT_EQ(camera.NearestPlane(), -1);
}

}  // namespace
