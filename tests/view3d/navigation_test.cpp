// Navigation of the 3-D view on the view's own camera rig, without a window:
// orbit with its pole limit, pan, zoom by drag and by wheel, and the light
// that follows the camera.
#include "view3d/navigation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/graph/stage.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"

namespace {

class NavigationTest : public testing::Test {
 protected:
  void SetUp() override {
    InitializeScene3D();
    light = stage.Objects().NewChildOfClass<TGLLightSource>();
    light->Position().SetPoint(10, 10, 10);
    target = stage.Objects().NewChildOfClass<TGLDummyCube>();
    camera = target->NewChildOfClass<TGLCamera>();
    camera->SetTargetObject(target);
    camera->Position().SetPoint(0, 200, 200);
    camera->SetFocalLength(400);
    camera->SetDepthOfView(100000);
  }
  NavigationRig rig() { return {*camera, *target, *light}; }
  TVector4f camera_offset() { return camera->Position().AsVector(); }

  TGLStage stage{nullptr};
  TGLLightSource* light = nullptr;
  TGLDummyCube* target = nullptr;
  TGLCamera* camera = nullptr;
  Navigation navigation;
};

const MouseState kNone{}, kLeft{true, false, false}, kRight{false, true, false}, kShiftLeft{true, false, true};

TEST_F(NavigationTest, AMoveWithoutButtonsOnlyRemembersThePlaceAndMovesTheLight) {
  NavigationRig r = rig();
  const TVector4f before = camera_offset();
  navigation.move(r, 120, 80, kNone);
  EXPECT_EQ(navigation.last_x(), 120);
  EXPECT_EQ(navigation.last_y(), 80);
  EXPECT_EQ(camera_offset().y, before.y);
  EXPECT_EQ(target->Position().X(), 0);
  EXPECT_EQ(light->Position().Y(), 200);  // the camera's offset from its target
  EXPECT_EQ(light->Position().Z(), 200);
}

TEST_F(NavigationTest, RightDragOf50PixelsScalesTheDistanceBy1_1) {
  NavigationRig r = rig();
  const float start = camera->DistanceToTarget();
  navigation.press(100, 300);
  navigation.move(r, 100, 250, kRight);  // upwards: away
  EXPECT_NEAR(camera->DistanceToTarget() / start, 1.1, 1e-5);
  navigation.move(r, 100, 300, kRight);  // back down: closer
  EXPECT_NEAR(camera->DistanceToTarget() / start, 1.0, 1e-5);
}

TEST_F(NavigationTest, TheFirstMoveCountsFromThePress) {
  NavigationRig r = rig();
  navigation.move(r, 0, 0, kNone);
  const float start = camera->DistanceToTarget();
  navigation.press(500, 500);
  navigation.move(r, 500, 450, kRight);
  EXPECT_NEAR(camera->DistanceToTarget() / start, 1.1, 1e-5);
}

TEST_F(NavigationTest, WheelDownThenUpRestoresTheDistanceAndPartialNotchesAddUp) {
  NavigationRig r = rig();
  const float start = camera->DistanceToTarget();
  navigation.wheel(r, -120);
  EXPECT_NEAR(camera->DistanceToTarget() / start, 0.7513148, 1e-5);
  navigation.wheel(r, 120);
  EXPECT_NEAR(camera->DistanceToTarget() / start, 1.0, 1e-5);
  for (int i = 0; i < 3; ++i) navigation.wheel(r, 30);
  EXPECT_NEAR(camera->DistanceToTarget() / start, 1.0, 1e-5);
  navigation.wheel(r, 30);
  EXPECT_NEAR(camera->DistanceToTarget() / start, 1.331, 1e-5);
}

TEST_F(NavigationTest, OrbitStopsShortOfThePole) {
  NavigationRig r = rig();
  navigation.press(0, 0);
  for (int i = 1; i <= 20; ++i) navigation.move(r, 0, -100 * i, kLeft);
  const TVector4f c = camera->AbsolutePosition(), t = target->AbsolutePosition();
  const TVector4f to_camera{c.x - t.x, c.y - t.y, c.z - t.z, 0};
  const TVector4f up = camera->AbsoluteUp();
  const double length = std::sqrt(to_camera.x * to_camera.x + to_camera.y * to_camera.y + to_camera.z * to_camera.z);
  const double cosine = (to_camera.x * up.x + to_camera.y * up.y + to_camera.z * up.z) / length;
  const double angle = std::acos(std::clamp(cosine, -1.0, 1.0));
  EXPECT_GE(angle, 0.025 - 1e-4);
  EXPECT_LE(angle, M_PI - 0.025 + 1e-4);
  EXPECT_NEAR(std::min(angle, M_PI - angle), 0.025, 1e-3);
}

TEST_F(NavigationTest, BothButtonsOrbitAndZoomInOneMove) {
  NavigationRig r = rig();
  const float start = camera->DistanceToTarget();
  const TVector4f before = camera_offset();
  navigation.press(0, 0);
  navigation.move(r, 40, -50, {true, true, false});
  EXPECT_NEAR(camera->DistanceToTarget() / start, 1.1, 1e-4);
  EXPECT_NE(camera_offset().x, before.x);
}

TEST_F(NavigationTest, PanningMovesTheTargetFurtherWhenTheCameraIsFarther) {
  NavigationRig r = rig();
  navigation.press(0, 0);
  navigation.move(r, 10, 0, kShiftLeft);
  const float near_shift = std::fabs(target->Position().X());
  EXPECT_GT(near_shift, 0);
  EXPECT_EQ(target->Position().Y(), 0);  // in the horizontal plane
  target->Position().SetPoint(0, 0, 0);
  camera->ScaleDistanceToTarget(2);
  navigation.move(r, 20, 0, kShiftLeft);
  EXPECT_NEAR(std::fabs(target->Position().X()) / near_shift, 2, 1e-3);
}

}  // namespace
