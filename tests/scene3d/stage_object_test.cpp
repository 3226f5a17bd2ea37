// The transform, hierarchy, change notification and child ordering of scene
// objects, computed without GL (drawing goes to a recording table).
#include <gtest/gtest.h>

#include <cmath>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/vector_geometry.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

void ExpectNear(const TVector4f& actual, const TVector4f& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
  EXPECT_NEAR(actual.w, expected.w, tolerance);
}

void ExpectIdentity(const TMatrix4f& m) {
  for (int r = 0; r < 4; ++r) ExpectNear(m[r], IdentityMatrix[r]);
}

// Renders the scene's objects once through a recording GL table.
void RenderRecorded(TGLStage& scene, TVector4f eye = {0, 0, 0, 1}) {
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  rci.objectsSorting = scene.ObjectsSorting();
  rci.visibilityCulling = scene.VisibilityCulling();
  rci.cameraPosition = eye;
  scene.Objects().Render(rci);
}

using StageObjects = SceneTest;

TEST_F(StageObjects, PitchAngleWrapsAndTurnsUpAndDirectionByTheDifference) {
  TGLStage scene(nullptr);
  auto* object = scene.Objects().NewChildOfClass<TGLDummyCube>();
  object->SetPitchAngle(370);
  EXPECT_FLOAT_EQ(object->PitchAngle(), 10);
  // Turned by 370 degrees about the right vector, that is by 10.
  const float angle = DegToRad(10);
  EXPECT_NEAR(std::fabs(object->Up().Y()), std::cos(angle), 1e-4f);
  EXPECT_NEAR(VectorLength(object->Up().AsVector()), 1, 1e-5f);
  const TVector4f up = object->Up().AsVector();
  object->SetPitchAngle(10);
  ExpectNear(object->Up().AsVector(), up, 0);
}

TEST_F(StageObjects, OrbitPastThePoleStopsJustShortOfItAtTheSameDistance) {
  ProgramScene program;
  const float distance = program.camera->DistanceToTarget();
  program.camera->OrbitAroundTarget(0, 0);
  ExpectNear(program.camera->Position().AsVector(), {0, 200, 200, 1}, 1e-2f);
  program.camera->OrbitAroundTarget(-170, 0);
  const TVector4f offset = VectorSubtract(program.camera->AbsolutePosition(), program.target->AbsolutePosition());
  EXPECT_NEAR(VectorLength(offset), distance, 1e-2f);
  EXPECT_NEAR(std::acos(offset.y / VectorLength(offset)), 0.025f, 1e-4f);
}

TEST_F(StageObjects, AbsoluteTimesInverseIsTheIdentityWithRigidAndScaledTransforms) {
  for (float scale : {1.0f, 2.0f}) {
    TGLStage scene(nullptr);
    auto* parent = scene.Objects().NewChildOfClass<TGLDummyCube>();
    parent->Position().SetPoint(3, -2, 7);
    parent->SetTurnAngle(30);
    auto* child = parent->NewChildOfClass<TestBox>();
    child->Position().SetPoint(1, 4, -5);
    child->SetPitchAngle(-20);
    child->Scale().SetVector(scale, scale, scale);
    ExpectIdentity(MatrixMultiply(child->AbsoluteMatrix(), child->InvAbsoluteMatrix()));
  }
}

TEST_F(StageObjects, TurningAboutAWorldAxisKeepsThePositionAndAnUprightUp) {
  TGLStage scene(nullptr);
  auto* object = scene.Objects().NewChildOfClass<TestBox>();
  object->Position().SetPoint(10, 0, 5);
  object->RotateAboutWorldAxes(0, 90, 0);
  ExpectNear(object->Up().AsVector(), {0, 1, 0, 0});
  ExpectNear(object->AbsolutePosition(), {10, 0, 5, 1});
  EXPECT_NEAR(std::fabs(object->Direction().X()), 1, 1e-5f);
}

TEST_F(StageObjects, DirectionSetParallelToUpIsRepairedIntoAnOrthonormalFrame) {
  TGLStage scene(nullptr);
  auto* object = scene.Objects().NewChildOfClass<TestBox>();
  object->Direction().SetVector(0, 1, 0);
  ExpectNear(object->Direction().AsVector(), {0, 1, 0, 0});
  ExpectNear(object->Up().AsVector(), {0, 0, -1, 0});
  // (x, y, 0) maps to (x, 0, -y).
  ExpectNear(object->LocalToAbsolute({3, 2, 0, 1}), {3, 0, -2, 1});
  EXPECT_NEAR(object->LocalToAbsolute({1, 0, 0, 0}).y, 0, 1e-6f);
  ExpectNear(object->LocalToAbsolute({0, 1, 0, 0}), {0, 0, -1, 0});
}

TEST_F(StageObjects, ARootParentCountsAsTheIdentity) {
  TGLStage scene(nullptr);
  scene.Objects().Position().SetPoint(100, 0, 0);
  auto* object = scene.Objects().NewChildOfClass<TestBox>();
  object->Position().SetPoint(1, 2, 3);
  ExpectNear(object->AbsolutePosition(), {1, 2, 3, 1});
}

TEST_F(StageObjects, FreeAllChildrenFreesCameraChildrenFirstAndTheirTargetsForget) {
  TGLStage scene(nullptr);
  auto* group = scene.Objects().NewChildOfClass<TGLDummyCube>();
  auto* target = group->NewChildOfClass<TGLDummyCube>();
  auto* camera = target->NewChildOfClass<TGLCamera>();
  camera->NewChildOfClass<TestBox>();
  camera->SetTargetObject(target);
  auto* outside = scene.Cameras().NewChildOfClass<TGLCamera>();
  outside->SetTargetObject(target);
  group->FreeAllChildren();
  EXPECT_EQ(group->Count(), 0);
  EXPECT_EQ(outside->TargetObject(), nullptr);
}

TEST_F(StageObjects, UpdatesNotifyTheBuffersOnceAndUnbalancedEndsAreAssertions) {
  TGLStage scene(nullptr);
  TGLStageBuffer buffer(nullptr);
  int changes = 0;
  buffer.OnChange = [&](TGLStageBuffer*) { ++changes; };
  scene.AddBuffer(&buffer);
  scene.AddBuffer(&buffer);
  EXPECT_EQ(scene.BufferCount(), 1);
  auto* object = scene.Objects().NewChildOfClass<TestBox>();
  changes = 0;
  object->BeginUpdate();
  object->Position().SetPoint(1, 1, 1);
  object->SetVisible(false);
  EXPECT_EQ(changes, 0);
  object->EndUpdate();
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(object->EndUpdate(), EAssertionFailed);
  EXPECT_THROW(scene.EndUpdate(), EAssertionFailed);
  scene.RemoveBuffer(&buffer);
}

TEST_F(StageObjects, AnExtraTextureChangeRebuildsItsObjectAndRedrawsTheScene) {
  TGLStage scene(nullptr);
  TGLStageBuffer buffer(nullptr);
  int redraws = 0;
  buffer.OnChange = [&](TGLStageBuffer*) { ++redraws; };
  scene.AddBuffer(&buffer);
  auto* object = scene.Objects().NewChildOfClass<TestBox>();
  TGLTextureExItem& item = object->Material().TextureEx().AddItem();
  object->ClearStructureChanged();
  redraws = 0;
  item.Texture().SetDisabled(false);
  EXPECT_TRUE(object->Changes() & chStructure);
  EXPECT_GT(redraws, 0);
  scene.RemoveBuffer(&buffer);
}

TEST_F(StageObjects, BlendedChildrenComeLastFarthestFirstAndNearestFirstMeansNearestFirst) {
  RecordingGL recording;
  TGLStage scene(nullptr);
  std::vector<std::string> log;
  auto add = [&](const char* name, float z, bool blended) {
    auto* child = scene.Objects().NewChildOfClass<DrawLogger>();
    child->Log = &log;
    child->Name = name;
    child->Blend = blended;
    child->Position().SetPoint(0, 0, z);
  };
  add("near glass", 1, true);
  add("wall", 5, false);
  add("far glass", 9, true);
  add("floor", 2, false);
  RenderRecorded(scene);
  EXPECT_EQ(log, (std::vector<std::string>{"wall", "floor", "far glass", "near glass"}));

  log.clear();
  scene.Objects().SetObjectsSorting(osRenderNearestFirst);
  RenderRecorded(scene);
  EXPECT_EQ(log, (std::vector<std::string>{"near glass", "floor", "wall", "far glass"}));
}

TEST_F(StageObjects, HierarchicalCullingTestsTheBoxWhereItIsInTheWorld) {
  RecordingGL recording;
  TGLStage scene(nullptr);
  std::vector<std::string> log;
  auto* logger = scene.Objects().NewChildOfClass<DrawLogger>();
  logger->Log = &log;
  logger->Name = "far away";
  logger->Position().SetPoint(1000, 0, 0);
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  rci.visibilityCulling = vcHierarchical;
  // A frustum of the box -10..10 on every axis.
  rci.rcci.frustum = {{1, 0, 0, 10}, {0, -1, 0, 10}, {-1, 0, 0, 10}, {0, 1, 0, 10}, {0, 0, 1, 10}, {0, 0, -1, 10}};
  scene.Objects().Render(rci);
  EXPECT_TRUE(log.empty());
  logger->Position().SetPoint(0, 0, 0);
  scene.Objects().Render(rci);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(StageObjects, AssignCopiesTransformAndChildrenByClass) {
  TGLStage scene(nullptr);
  auto* source = scene.Objects().NewChildOfClass<TGLDummyCube>();
  source->Position().SetPoint(1, 2, 3);
  source->NewChildOfClass<TGLDummyCube>()->Position().SetPoint(4, 5, 6);
  auto* copy = scene.Objects().NewChildOfClass<TGLDummyCube>();
  copy->Assign(source);
  ASSERT_EQ(copy->Count(), 1);
  EXPECT_EQ(copy->Children(0)->ClassName(), "TGLDummyCube");
  ExpectNear(copy->Children(0)->AbsolutePosition(), {5, 7, 9, 1});
}

}  // namespace
