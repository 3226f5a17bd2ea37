// The camera a buffer looks through: the projection from its focal length,
// depth of view, the viewport and the screen resolution; the view from its
// position towards its target (or along its direction); and the navigation
// the 3-D view uses: orbit round the target, move towards it, and turn a
// mouse delta into a displacement in a world plane.
#pragma once

#include <functional>

#include "scene3d/graph/stage_object.h"

enum TGLCameraStyle : std::uint8_t { csPerspective, csOrthogonal, csOrtho2D, csCustom, csInfinitePerspective };

struct TGLViewport {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

class TGLCamera;
using TCustomPerspectiveEvent =
    std::function<void(const TGLViewport& viewport, int width, int height, int dpi, float& viewPortRadius)>;

class TGLCamera : public TGLBaseStageObject, public IFreeNotificationSink {
 public:
  explicit TGLCamera(TComponent* owner);
  ~TGLCamera() override;
  std::string ClassName() const override { return "TGLCamera"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLCamera>(owner);
  }
  void Assign(const TPersistent* source) override;

  float FocalLength() const { return focal_length_; }
  void SetFocalLength(float value);
  float DepthOfView() const { return depth_of_view_; }
  void SetDepthOfView(float value);
  float NearPlaneBias() const { return near_plane_bias_; }
  void SetNearPlaneBias(float value);
  float SceneScale() const { return scene_scale_; }
  void SetSceneScale(float value);
  TGLCameraStyle CameraStyle() const { return camera_style_; }
  void SetCameraStyle(TGLCameraStyle value);
  TGLBaseStageObject* TargetObject() const { return target_object_; }
  void SetTargetObject(TGLBaseStageObject* value);
  float NearestPlane() const { return nearest_plane_; }
  float ViewPortRadius() const { return viewport_radius_; }
  const TVector4f& LastDirection() const { return last_direction_; }

  // The model-view matrix, after glLoadIdentity in GL_MODELVIEW mode.
  void Apply();
  // Multiplies the projection, after glLoadIdentity in GL_PROJECTION mode.
  void ApplyPerspective(const TGLViewport& viewport, int width, int height, int dpi);
  float GetFieldOfView(float viewportDimension) const;
  void SetFieldOfView(float fieldOfView, float viewportDimension);
  void OrbitAroundTarget(float pitchDelta, float turnDelta);
  void ScaleDistanceToTarget(float factor);
  float DistanceToTarget();
  TVector4f ScreenDeltaToVectorXY(int deltaX, int deltaY, float ratio);
  TVector4f ScreenDeltaToVectorXZ(int deltaX, int deltaY, float ratio);
  TVector4f ScreenDeltaToVectorYZ(int deltaX, int deltaY, float ratio);

  bool IsCamera() const override { return true; }
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  bool RayCastIntersect(const TVector4f&, const TVector4f&, TVector4f*, TVector4f*) override { return false; }
  void ObjectFreed(TObject* object) override;

  std::function<void(TGLCamera* camera)> OnDeferredApply;
  TCustomPerspectiveEvent OnCustomPerspective;

 private:
  // From the camera to the target, or the stored direction without one.
  TVector4f TargetOffset();

  float focal_length_ = 50;
  float depth_of_view_ = 100;
  float nearest_plane_ = 0;
  float near_plane_bias_ = 1;
  float viewport_radius_ = 0;
  TGLBaseStageObject* target_object_ = nullptr;
  TVector4f last_direction_;
  TGLCameraStyle camera_style_ = csPerspective;
  float scene_scale_ = 1;
};
