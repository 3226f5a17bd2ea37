#include "scene3d/objects/sprite.h"

#include <algorithm>
#include <cmath>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

TGLSprite::TGLSprite(TComponent* owner) : TGLStageObject(owner) {
  SetObjectStyle(ObjectStyle() | osDirectDraw | osNoVisibilityCulling);
}

void TGLSprite::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLSprite*>(source)) {
    width_ = other->width_;
    height_ = other->height_;
    rotation_ = other->rotation_;
    alpha_channel_ = other->alpha_channel_;
    no_z_write_ = other->no_z_write_;
  }
  TGLStageObject::Assign(source);
}

// Drawn every frame, so a change only needs a redraw.
void TGLSprite::SetWidth(float value) {
  StoreOnChange(width_, value, [this] { NotifyChange(this); });
}
void TGLSprite::SetHeight(float value) {
  StoreOnChange(height_, value, [this] { NotifyChange(this); });
}
void TGLSprite::SetRotation(float value) {
  StoreOnChange(rotation_, value, [this] { NotifyChange(this); });
}
void TGLSprite::SetAlphaChannel(float value) {
  StoreOnChange(alpha_channel_, std::clamp(value, 0.0f, 1.0f), [this] { NotifyChange(this); });
}
void TGLSprite::SetNoZWrite(bool value) {
  no_z_write_ = value;
  NotifyChange(this);
}
void TGLSprite::SetMirrorU(bool value) {
  mirror_u_ = value;
  NotifyChange(this);
}
void TGLSprite::SetMirrorV(bool value) {
  mirror_v_ = value;
  NotifyChange(this);
}

TVector4f TGLSprite::AxisAlignedDimensionsUnscaled() {
  return {0.5f * std::fabs(width_), 0.5f * std::fabs(height_), 0.5f * std::fabs(width_), 0};
}

void TGLSprite::BuildList(TRenderContextInfo& rci) {
  auto& gl = GL();
  if (alpha_channel_ != 1) rci.GLStates->SetGLMaterialAlphaChannel(GL_FRONT, alpha_channel_);
  if (no_z_write_) gl.glDepthMask(GL_FALSE);
  float m[16];
  gl.glGetFloatv(GL_MODELVIEW_MATRIX, m);
  // The rows of the modelview's rotation are the viewer's axes in object space.
  TAffineVector right{m[0], m[4], m[8]}, up{m[1], m[5], m[9]};
  NormalizeAffineVector(right);
  NormalizeAffineVector(up);
  ScaleAffineVector(right, 0.5f * width_);
  ScaleAffineVector(up, 0.5f * height_);
  float u_a = 1, u_b = 0, v_a = 1, v_b = 0;
  if (mirror_u_) std::swap(u_a, u_b);
  if (mirror_v_) std::swap(v_a, v_b);
  if (rotation_ != 0) {
    gl.glPushMatrix();
    gl.glRotatef(rotation_, m[2], m[6], m[10]);
  }
  const auto corner = [&gl](float fr, float fu, const TAffineVector& r, const TAffineVector& u) {
    gl.glVertex3f(fr * r.x + fu * u.x, fr * r.y + fu * u.y, fr * r.z + fu * u.z);
  };
  gl.glBegin(GL_QUADS);
  xglTexCoord2f(u_a, v_a);
  corner(1, 1, right, up);
  xglTexCoord2f(u_b, v_a);
  corner(-1, 1, right, up);
  xglTexCoord2f(u_b, v_b);
  corner(-1, -1, right, up);
  xglTexCoord2f(u_a, v_b);
  corner(1, -1, right, up);
  gl.glEnd();
  if (rotation_ != 0) gl.glPopMatrix();
  if (no_z_write_) gl.glDepthMask(GL_TRUE);
}
