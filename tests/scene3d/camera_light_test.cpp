// The camera's projection and navigation maths and the light registry,
// without GL: projections are read from a recording GL table.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx3d/math/vector_geometry.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

using CameraAndLight = SceneTest;

TEST_F(CameraAndLight, TheProgramsFrustumAt712By480) {
  RecordingGL recording;
  ProgramScene program;
  program.camera->ApplyPerspective({0, 0, 712, 480}, 712, 480, 96);
  ASSERT_EQ(recording.Count("glFrustum"), 1);
  const std::vector<double>& args = recording.calls.back().args;
  EXPECT_NEAR(args[0], -0.5, 1e-4);
  EXPECT_NEAR(args[1], 0.5, 1e-4);
  EXPECT_NEAR(args[2], -0.3371, 1e-4);
  EXPECT_NEAR(args[3], 0.3371, 1e-4);
  EXPECT_NEAR(args[4], 4.2466, 1e-4);
  EXPECT_NEAR(args[5], 4.2466 + 100000, 1e-1);
  recording.Clear();
  program.camera->ApplyPerspective({0, 0, 0, 0}, 0, 480, 96);
  EXPECT_TRUE(recording.calls.empty());
}

TEST_F(CameraAndLight, FieldOfViewAndFocalLength) {
  TGLCamera camera(nullptr);
  camera.SetFocalLength(-5);
  EXPECT_FLOAT_EQ(camera.FocalLength(), 1);
  camera.SetFocalLength(400);
  EXPECT_NEAR(camera.GetFieldOfView(500), 64.01f, 0.01f);
  EXPECT_NEAR(camera.GetFieldOfView(480), 61.93f, 0.01f);
  camera.SetFieldOfView(61.927513f, 480);
  EXPECT_NEAR(camera.FocalLength(), 400, 0.01f);
  EXPECT_FLOAT_EQ(camera.DistanceToTarget(), 1);
}

TEST_F(CameraAndLight, ScaleDistanceToTargetMovesAlongTheSameLine) {
  ProgramScene program;
  program.target->Position().SetPoint(5, 0, 0);
  program.camera->ScaleDistanceToTarget(1);
  EXPECT_NEAR(program.camera->Position().Y(), 200, 1e-3f);
  program.camera->ScaleDistanceToTarget(1.1f);
  EXPECT_NEAR(program.camera->Position().X(), 0, 1e-3f);
  EXPECT_NEAR(program.camera->Position().Y(), 220, 1e-3f);
  EXPECT_NEAR(program.camera->Position().Z(), 220, 1e-3f);
  EXPECT_NEAR(program.camera->DistanceToTarget(), std::sqrt(2.0f) * 220, 1e-2f);
}

TEST_F(CameraAndLight, ScreenDeltasBecomePlaneVectors) {
  ProgramScene program;
  // Target offset (0, -200, -200): the XZ plane uses x and z only.
  const TVector4f xz = program.camera->ScreenDeltaToVectorXZ(10, 0, 1);
  EXPECT_NEAR(xz.x, 10, 1e-4f);
  EXPECT_NEAR(xz.z, 0, 1e-4f);
  program.camera->Position().SetPoint(0, 0, 300);
  const TVector4f xy = program.camera->ScreenDeltaToVectorXY(7, 3, 2);
  EXPECT_FLOAT_EQ(xy.x, 0);
  EXPECT_FLOAT_EQ(xy.y, 0);
}

TEST_F(CameraAndLight, ANinthLightGetsNoSlotUntilOneIsFreed) {
  TGLStage scene(nullptr);
  std::vector<TGLLightSource*> lights;
  for (int i = 0; i < 9; ++i) lights.push_back(scene.Objects().NewChildOfClass<TGLLightSource>());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(lights[static_cast<std::size_t>(i)]->LightID(), GL_LIGHT0 + i);
  EXPECT_EQ(lights[8]->LightID(), 0u);
  for (int slot = 0; slot < TGLStage::kLightSlots; ++slot) EXPECT_NE(scene.Light(slot), lights[8]);
  delete lights[3];
  auto* next = scene.Objects().NewChildOfClass<TGLLightSource>();
  EXPECT_EQ(next->LightID(), GL_LIGHT3);
}

TEST_F(CameraAndLight, SpotCutOffTakesOnlyValidAnglesAndASpotOf180SendsNoDirection) {
  RecordingGL recording;
  TGLStage scene(nullptr);
  auto* light = scene.Objects().NewChildOfClass<TGLLightSource>();
  light->SetSpotCutOff(120);
  EXPECT_FLOAT_EQ(light->SpotCutOff(), 180);
  scene.SetupLights(8);
  bool sent_direction = false;
  for (const RecordedCall& call : recording.calls)
    if (call.name == "glLightf" && call.args[1] == GL_SPOT_EXPONENT) sent_direction = true;
  EXPECT_FALSE(sent_direction);
  light->SetSpotCutOff(45);
  EXPECT_FLOAT_EQ(light->SpotCutOff(), 45);
  light->SetSpotCutOff(180);
  EXPECT_FLOAT_EQ(light->SpotCutOff(), 180);
}

}  // namespace
