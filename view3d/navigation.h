// The mouse and wheel navigation of the 3-D view, apart from any widget: the
// left button orbits the camera round its target, Shift+left pans the target
// in the horizontal plane, the right button and the wheel change the
// distance. After every step the light takes the camera's offset from the
// target, so the model is lit from where it is seen.
#pragma once

class TGLCamera;
class TGLDummyCube;
class TGLLightSource;

struct NavigationRig {
  TGLCamera& camera;
  TGLDummyCube& target;
  TGLLightSource& light;
};

struct MouseState {
  bool left = false;
  bool right = false;
  bool shift = false;
};

class Navigation {
 public:
  static constexpr int kWheelStep = 120;  // one notch of a wheel

  void press(int x, int y);
  void move(NavigationRig& rig, int x, int y, MouseState mouse);
  // angle_delta in eighths of a degree, positive away from the user; partial notches add up.
  void wheel(NavigationRig& rig, int angle_delta);

  int last_x() const { return last_x_; }
  int last_y() const { return last_y_; }

 private:
  int last_x_ = 0;
  int last_y_ = 0;
  int wheel_sum_ = 0;
};

void light_follows_camera(NavigationRig& rig);
