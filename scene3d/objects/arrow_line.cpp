#include "scene3d/objects/arrow_line.h"

#include "gfx3d/gl/gl_binding.h"
#include "scene3d/graph/change_setters.h"

void TGLArrowLine::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLArrowLine*>(source)) {
    parts_ = other->parts_;
    top_radius_ = other->top_radius_;
    top_head_height_ = other->top_head_height_;
    top_head_radius_ = other->top_head_radius_;
    bottom_head_height_ = other->bottom_head_height_;
    bottom_head_radius_ = other->bottom_head_radius_;
    head_stacking_style_ = other->head_stacking_style_;
  }
  TGLCylinderBase::Assign(source);
}

void TGLArrowLine::SetParts(TArrowLineParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}
void TGLArrowLine::SetTopRadius(float value) {
  StoreOnChange(top_radius_, value, [this] { StructureChanged(); });
}
void TGLArrowLine::SetTopArrowHeadHeight(float value) {
  StoreOnChange(top_head_height_, value, [this] { StructureChanged(); });
}
void TGLArrowLine::SetTopArrowHeadRadius(float value) {
  StoreOnChange(top_head_radius_, value, [this] { StructureChanged(); });
}
void TGLArrowLine::SetBottomArrowHeadHeight(float value) {
  StoreOnChange(bottom_head_height_, value, [this] { StructureChanged(); });
}
void TGLArrowLine::SetBottomArrowHeadRadius(float value) {
  StoreOnChange(bottom_head_radius_, value, [this] { StructureChanged(); });
}
void TGLArrowLine::SetHeadStackingStyle(TArrowHeadStackingStyle value) {
  StoreOnChange(head_stacking_style_, value, [this] { StructureChanged(); });
}

void TGLArrowLine::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  static constexpr float kInset[] = {0, 0.5f, 1};
  const float f = kInset[head_stacking_style_], h = Height();
  const bool line = parts_ & alLine;
  float length = h, z0 = -0.5f * h;
  TGLUQuadric quadric(*this);
  // A head: a cone from its base at z (after any turn) to its point, closed by a ring round the shaft.
  const auto head = [&](float z, float height, float radius, float shaft_radius) {
    gl.glTranslatef(0, 0, z);
    quadric.Outward();
    gl.gluCylinder(quadric.get(), radius, 0, height, Slices(), Stacks());
    quadric.Inverted();
    gl.gluDisk(quadric.get(), line ? shaft_radius : 0, radius, Slices(), Loops());
  };
  if (parts_ & alTopArrow) {
    length -= top_head_height_ * f;
    gl.glPushMatrix();
    head(0.5f * h - top_head_height_ * f, top_head_height_, top_head_radius_, top_radius_);
    gl.glPopMatrix();
  }
  if (parts_ & alBottomArrow) {
    length -= bottom_head_height_ * f;
    z0 += bottom_head_height_ * f;
    gl.glPushMatrix();
    gl.glRotatef(180, 1, 0, 0);
    head(0.5f * h - bottom_head_height_ * f, bottom_head_height_, bottom_head_radius_, BottomRadius());
    gl.glPopMatrix();
  }
  if (line && length > 0) {
    gl.glPushMatrix();
    gl.glTranslatef(0, 0, z0);
    quadric.Outward();
    gl.gluCylinder(quadric.get(), BottomRadius(), top_radius_, length, Slices(), Stacks());
    if (!(parts_ & alTopArrow)) {
      gl.glPushMatrix();
      gl.glTranslatef(0, 0, length);
      gl.gluDisk(quadric.get(), 0, top_radius_, Slices(), Loops());
      gl.glPopMatrix();
    }
    if (!(parts_ & alBottomArrow)) {
      quadric.Inverted();
      gl.gluDisk(quadric.get(), 0, BottomRadius(), Slices(), Loops());
    }
    gl.glPopMatrix();
  }
}
