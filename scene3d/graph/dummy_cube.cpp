#include "scene3d/graph/dummy_cube.h"

#include <cmath>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr const char* kUnit = "GLObjects";

}  // namespace

void CubeWireframeBuildList(TRenderContextInfo& rci, bool stipple, const TVector4f& color, float size) {
  auto& gl = GL();
  gl.glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  gl.glDisable(GL_LIGHTING);
  gl.glEnable(GL_LINE_SMOOTH);
  if (stipple) {
    gl.glEnable(GL_LINE_STIPPLE);
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl.glLineStipple(1, 0xCCCC);
  }
  gl.glLineWidth(1);
  const float h = size * 0.5f;
  rci.GLStates->ResetGLMaterialColors();
  gl.glColorMaterial(GL_FRONT, GL_EMISSION);
  gl.glEnable(GL_COLOR_MATERIAL);
  gl.glColor4fv(&color.x);
  gl.glBegin(GL_LINE_STRIP);
  gl.glVertex3f(h, -h, -h);
  gl.glVertex3f(h, h, -h);
  gl.glVertex3f(h, h, h);
  gl.glVertex3f(h, -h, h);
  gl.glVertex3f(h, -h, -h);
  gl.glVertex3f(-h, -h, -h);
  gl.glVertex3f(-h, -h, h);
  gl.glVertex3f(-h, h, h);
  gl.glVertex3f(-h, h, -h);
  gl.glVertex3f(h, h, -h);
  gl.glEnd();
  gl.glBegin(GL_LINES);
  gl.glVertex3f(h, h, h);
  gl.glVertex3f(-h, h, h);
  gl.glVertex3f(-h, -h, -h);
  gl.glVertex3f(-h, h, -h);
  gl.glVertex3f(h, -h, h);
  gl.glVertex3f(-h, -h, h);
  gl.glEnd();
  gl.glPopAttrib();
}

TGLDummyCube::TGLDummyCube(TComponent* owner)
    : TGLCameraInvariantObject(owner),
      edge_color_(std::make_unique<TGLColor>(this, TVector4f{1, 1, 1, 1})),
      group_list_(std::make_unique<TGLListHandle>()) {
  SetObjectStyle(ObjectStyle() | osDirectDraw);
}

TGLDummyCube::~TGLDummyCube() = default;

void TGLDummyCube::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLDummyCube*>(source)) {
    cube_size_ = other->cube_size_;
    edge_color_->SetColor(other->edge_color_->Color());
    visible_at_run_time_ = other->visible_at_run_time_;
    NotifyChange(this);
  }
  TGLCameraInvariantObject::Assign(source);
}

void TGLDummyCube::SetCubeSize(float value) {
  StoreOnChange(cube_size_, value, [this] { StructureChanged(); });
}

void TGLDummyCube::SetEdgeColor(const TGLColor& value) {
  if (&value == edge_color_.get()) return;
  edge_color_->SetColor(value.Color());
  StructureChanged();
}

void TGLDummyCube::SetVisibleAtRunTime(bool value) {
  StoreOnChange(visible_at_run_time_, value, [this] { StructureChanged(); });
}

void TGLDummyCube::SetAmalgamate(bool value) {
  if (value == amalgamate_) return;
  amalgamate_ = value;
  if (value) {
    SetObjectStyle(ObjectStyle() | osResetStatesAfterRender);
  } else {
    group_list_->DestroyHandle();
    SetObjectStyle(ObjectStyle() & static_cast<TGLObjectStyle>(~osResetStatesAfterRender));
  }
  StructureChanged();
}

TVector4f TGLDummyCube::BarycenterAbsolutePosition() {
  if (Count() == 0) return AbsolutePosition();
  TVector4f sum{0, 0, 0, 0};
  for (int i = 0; i < Count(); ++i) {
    auto* cube = dynamic_cast<TGLDummyCube*>(Children(i));
    AddVector(sum, cube ? cube->BarycenterAbsolutePosition() : Children(i)->AbsolutePosition());
  }
  ScaleVector(sum, 1.0f / static_cast<float>(Count()));
  return sum;
}

TVector4f TGLDummyCube::AxisAlignedDimensionsUnscaled() {
  const float half = std::fabs(cube_size_) * 0.5f;
  return {half, half, half, 0};
}

void TGLDummyCube::BuildList(TRenderContextInfo& rci) {
  // The program never runs in design state, so only the run-time switch shows the cube.
  if (visible_at_run_time_) CubeWireframeBuildList(rci, true, edge_color_->Color(), cube_size_);
}

void TGLDummyCube::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (OnVisibilityDetermination && !OnVisibilityDetermination(this, rci)) return;
  if (!amalgamate_ || rci.amalgamating) {
    TGLCameraInvariantObject::DoRender(rci, renderSelf, renderChildren);
    return;
  }
  if (group_list_->Handle() == 0) {
    group_list_->AllocateHandle();
    Assert(group_list_->Handle() != 0, kUnit, __LINE__, "Handle=0 for " + ClassName());
    GL().glNewList(group_list_->Handle(), GL_COMPILE);
    rci.amalgamating = true;
    try {
      TGLCameraInvariantObject::DoRender(rci, renderSelf, renderChildren);
    } catch (...) {
      rci.amalgamating = false;
      GL().glEndList();
      group_list_->DestroyHandle();
      throw;
    }
    rci.amalgamating = false;
    GL().glEndList();
  }
  GL().glCallList(group_list_->Handle());
}

void TGLDummyCube::StructureChanged() {
  if (amalgamate_) group_list_->DestroyHandle();
  TGLCameraInvariantObject::StructureChanged();
}
