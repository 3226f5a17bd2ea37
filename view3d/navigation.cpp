#include "view3d/navigation.h"

#include <cmath>

#include "scene3d/graph/dummy_cube.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"

namespace {

// The powers are taken in extended precision and handed on as floats.
float power_of_1_1(long double exponent) { return static_cast<float>(std::pow(1.1L, exponent)); }

}  // namespace

void light_follows_camera(NavigationRig& rig) { rig.light.Position().Assign(&rig.camera.Position()); }

void Navigation::press(int x, int y) {
  last_x_ = x;
  last_y_ = y;
}

void Navigation::move(NavigationRig& rig, int x, int y, MouseState mouse) {
  const int dx = last_x_ - x, dy = last_y_ - y;
  last_x_ = x;
  last_y_ = y;
  if (mouse.left && !mouse.shift)
    rig.camera.OrbitAroundTarget(static_cast<float>(dy / 4.0), static_cast<float>(dx / 4.0));
  if (mouse.left && mouse.shift) {
    const float ratio = rig.camera.DistanceToTarget() * 0.12f / rig.camera.FocalLength();
    const TVector4f shift = rig.camera.ScreenDeltaToVectorXZ(dx, -dy, ratio);
    rig.target.Position().Translate(TAffineVector{shift[0], shift[1], shift[2]});
    rig.camera.TransformationChanged();
  }
  if (mouse.right) rig.camera.ScaleDistanceToTarget(power_of_1_1(dy / 50.0L));
  light_follows_camera(rig);
}

void Navigation::wheel(NavigationRig& rig, int angle_delta) {
  wheel_sum_ += angle_delta;
  while (wheel_sum_ >= kWheelStep || wheel_sum_ <= -kWheelStep) {
    const bool away = wheel_sum_ > 0;
    wheel_sum_ += away ? -kWheelStep : kWheelStep;
    rig.camera.ScaleDistanceToTarget(power_of_1_1(away ? 3 : -3));
    light_follows_camera(rig);
  }
}
