#include "scene3d/render/camera.h"

#include <cmath>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_geometry.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr const char* kUnit = "SceneGraph";

}  // namespace

TGLCamera::TGLCamera(TComponent* owner) : TGLBaseStageObject(owner) { Direction().Initialize({0, 0, -1, 0}); }

TGLCamera::~TGLCamera() { SetTargetObject(nullptr); }

void TGLCamera::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCamera*>(source)) {
    depth_of_view_ = other->depth_of_view_;
    focal_length_ = other->focal_length_;
    scene_scale_ = other->scene_scale_;
    near_plane_bias_ = other->near_plane_bias_;
    camera_style_ = other->camera_style_;
    SetTargetObject(other->target_object_);
  }
  TGLBaseStageObject::Assign(source);
}

void TGLCamera::SetFocalLength(float value) {
  if (value <= 0) value = 1;
  if (value == focal_length_) return;
  focal_length_ = value;
  TransformationChanged();
}

void TGLCamera::SetDepthOfView(float value) {
  StoreOnChange(depth_of_view_, value, [this] { TransformationChanged(); });
}

void TGLCamera::SetNearPlaneBias(float value) {
  if (value <= 0) value = 1;
  if (value == near_plane_bias_) return;
  near_plane_bias_ = value;
  NotifyChange(this);
}

void TGLCamera::SetSceneScale(float value) {
  if (value == 0) value = 1;
  if (value == scene_scale_) return;
  scene_scale_ = value;
  NotifyChange(this);
}

void TGLCamera::SetCameraStyle(TGLCameraStyle value) {
  StoreOnChange(camera_style_, value, [this] { NotifyChange(this); });
}

void TGLCamera::SetTargetObject(TGLBaseStageObject* value) {
  if (value == target_object_) return;
  if (target_object_) target_object_->FreeNotifier().Remove(this);
  target_object_ = value;
  if (target_object_) target_object_->FreeNotifier().Add(this);
  TransformationChanged();
}

void TGLCamera::ObjectFreed(TObject* object) {
  if (object == target_object_) target_object_ = nullptr;
}

void TGLCamera::Apply() {
  if (OnDeferredApply) {
    OnDeferredApply(this);
    return;
  }
  const TVector4f eye = AbsolutePosition();
  if (target_object_) {
    const TVector4f centre = target_object_->AbsolutePosition();
    last_direction_ = VectorNormalize(VectorSubtract(centre, eye));
    last_direction_.w = 0;
    GL().gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, Up().X(), Up().Y(), Up().Z());
  } else {
    const TMatrix4f& parent = Parent() ? Parent()->AbsoluteMatrix() : IdentityMatrix;
    const TVector4f d = VectorTransform(Direction().AsVector(), parent);
    const TVector4f u = VectorTransform(Up().AsVector(), parent);
    last_direction_ = d;
    GL().gluLookAt(eye.x, eye.y, eye.z, eye.x + d.x, eye.y + d.y, eye.z + d.z, u.x, u.y, u.z);
  }
  ClearStructureChanged();
}

void TGLCamera::ApplyPerspective(const TGLViewport& viewport, int width, int height, int dpi) {
  if (width < 1 || height < 1) return;
  if (camera_style_ == csOrtho2D) {
    GL().gluOrtho2D(0, width, 0, height);
    nearest_plane_ = -1;
    viewport_radius_ = static_cast<float>(std::sqrt(double(width) * width + double(height) * height) / 2);
    return;
  }
  if (camera_style_ == csCustom) {
    viewport_radius_ = static_cast<float>(std::sqrt(double(width) * width + double(height) * height) / 2);
    if (OnCustomPerspective) OnCustomPerspective(viewport, width, height, dpi, viewport_radius_);
    return;
  }
  const double w = width, h = height;
  const double m = std::max(w, h);
  const bool ortho = camera_style_ == csOrthogonal;
  const double fx =
      ortho ? near_plane_bias_ * 100.0 / (w * focal_length_ * scene_scale_) : near_plane_bias_ / (w * scene_scale_);
  const double fy =
      ortho ? near_plane_bias_ * 100.0 / (h * focal_length_ * scene_scale_) : near_plane_bias_ / (h * scene_scale_);
  const float right = static_cast<float>(w * (2.0 * viewport.Left + 2.0 * viewport.Width - w) * fx / (2 * m));
  const float left = static_cast<float>(-w * (w - 2.0 * viewport.Left) * fx / (2 * m));
  const float top = static_cast<float>(h * (2.0 * viewport.Top + 2.0 * viewport.Height - h) * fy / (2 * m));
  const float bottom = static_cast<float>(-h * (h - 2.0 * viewport.Top) * fy / (2 * m));
  nearest_plane_ = static_cast<float>(dpi * double(focal_length_) * 2 / (25.4 * m) * near_plane_bias_);
  const float n = nearest_plane_;
  const float far_plane = n + depth_of_view_;
  switch (camera_style_) {
    case csPerspective:
      GL().glFrustum(left, right, bottom, top, n, far_plane);
      break;
    case csOrthogonal:
      GL().glOrtho(left, right, bottom, top, n, far_plane);
      break;
    case csInfinitePerspective: {
      constexpr float e = 0.0001f;
      TMatrix4f p = IdentityMatrix;
      p[0][0] = 2 * n / (right - left);
      p[1][1] = 2 * n / (top - bottom);
      p[2][0] = (right + left) / (right - left);
      p[2][1] = (top + bottom) / (top - bottom);
      p[2][2] = e - 1;
      p[2][3] = -1;
      p[3][2] = (e - 2) * n;
      p[3][3] = 0;
      GL().glMultMatrixf(&p[0].x);
      break;
    }
    default:
      Assert(false, kUnit, __LINE__, "Unknown camera style");
  }
  viewport_radius_ = std::sqrt(right * right + top * top) / n;
}

float TGLCamera::GetFieldOfView(float viewportDimension) const {
  if (focal_length_ == 0) return 0;
  return RadToDeg(2 * std::atan(viewportDimension * 0.5f / focal_length_));
}

void TGLCamera::SetFieldOfView(float fieldOfView, float viewportDimension) {
  SetFocalLength(viewportDimension / (2 * std::tan(DegToRad(fieldOfView / 2))));
}

void TGLCamera::OrbitAroundTarget(float pitchDelta, float turnDelta) {
  MoveAroundObject(target_object_, pitchDelta, turnDelta);
}

void TGLCamera::ScaleDistanceToTarget(float factor) {
  if (!target_object_) return;
  const TVector4f target = target_object_->AbsolutePosition();
  TVector4f position = VectorCombine(target, VectorSubtract(AbsolutePosition(), target), factor);
  position.w = 1;
  if (Parent()) position = Parent()->AbsoluteToLocal(position);
  Position().SetAsVector(position);
}

float TGLCamera::DistanceToTarget() {
  if (!target_object_) return 1;
  return VectorDistance(target_object_->AbsolutePosition(), AbsolutePosition());
}

TVector4f TGLCamera::TargetOffset() {
  if (target_object_) return VectorSubtract(target_object_->AbsolutePosition(), AbsolutePosition());
  return Direction().AsVector();
}

TVector4f TGLCamera::ScreenDeltaToVectorXY(int deltaX, int deltaY, float ratio) {
  const TVector4f v = TargetOffset();
  const float length = std::sqrt(v.x * v.x + v.y * v.y);
  const float r = length > 1e-10f ? ratio / length : ratio;
  const float a = static_cast<float>(deltaX) * r, b = static_cast<float>(deltaY) * r;
  return {v.y * a + v.x * b, v.y * b - v.x * a, 0, 0};
}

TVector4f TGLCamera::ScreenDeltaToVectorXZ(int deltaX, int deltaY, float ratio) {
  const TVector4f v = TargetOffset();
  const float length = std::sqrt(v.x * v.x + v.z * v.z);
  const float r = length > 1e-10f ? ratio / length : ratio;
  const float a = static_cast<float>(deltaX) * r, b = static_cast<float>(deltaY) * r;
  return {-v.z * a + v.x * b, 0, v.z * b + v.x * a, 0};
}

TVector4f TGLCamera::ScreenDeltaToVectorYZ(int deltaX, int deltaY, float ratio) {
  const TVector4f v = TargetOffset();
  const float length = std::sqrt(v.y * v.y + v.z * v.z);
  const float r = length > 1e-10f ? ratio / length : ratio;
  const float a = static_cast<float>(deltaX) * r, b = static_cast<float>(deltaY) * r;
  return {0, v.z * a + v.y * b, v.z * b - v.y * a, 0};
}

void TGLCamera::DoRender(TRenderContextInfo& rci, bool, bool renderChildren) {
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
}
