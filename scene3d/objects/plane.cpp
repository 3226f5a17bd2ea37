#include "scene3d/objects/plane.h"

#include <algorithm>
#include <cmath>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

TGLPlane::TGLPlane(TComponent* owner) : TGLStageObject(owner) { SetObjectStyle(ObjectStyle() | osDirectDraw); }

void TGLPlane::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLPlane*>(source)) {
    width_ = other->width_;
    height_ = other->height_;
  }
  TGLStageObject::Assign(source);
}

void TGLPlane::SetXOffset(float value) {
  StoreOnChange(x_offset_, value, [this] { StructureChanged(); });
}
void TGLPlane::SetYOffset(float value) {
  StoreOnChange(y_offset_, value, [this] { StructureChanged(); });
}
void TGLPlane::SetXScope(float value) {
  StoreOnChange(x_scope_, value, [this] {
    x_scope_ = std::min(x_scope_, 1.0f);
    StructureChanged();
  });
}
void TGLPlane::SetYScope(float value) {
  StoreOnChange(y_scope_, value, [this] {
    y_scope_ = std::min(y_scope_, 1.0f);
    StructureChanged();
  });
}
void TGLPlane::SetWidth(float value) {
  StoreOnChange(width_, value, [this] { StructureChanged(); });
}
void TGLPlane::SetHeight(float value) {
  StoreOnChange(height_, value, [this] { StructureChanged(); });
}
void TGLPlane::SetXTiles(std::uint32_t value) {
  StoreOnChange(x_tiles_, value, [this] { StructureChanged(); });
}
void TGLPlane::SetYTiles(std::uint32_t value) {
  StoreOnChange(y_tiles_, value, [this] { StructureChanged(); });
}
void TGLPlane::SetStyle(TPlaneStyle value) {
  StoreOnChange(style_, value, [this] { StructureChanged(); });
}

TVector4f TGLPlane::AxisAlignedDimensionsUnscaled() {
  return {0.5f * std::fabs(width_), 0.5f * std::fabs(height_), 0, 0};
}

bool TGLPlane::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                TVector4f* intersectNormal) {
  const TVector4f start = AbsoluteToLocal(rayStart);
  const TVector4f direction = AbsoluteToLocal({rayVector.x, rayVector.y, rayVector.z, 0});
  const bool from_front = start.z >= 0;
  if (from_front ? !(direction.z < 0) : !(direction.z > 0)) return false;
  const float k = start.z / direction.z;
  const TVector4f hit{start.x - k * direction.x, start.y - k * direction.y, 0, 1};
  // A negative size is still a rectangle of its magnitude.
  if (std::fabs(hit.x) > 0.5f * std::fabs(width_) || std::fabs(hit.y) > 0.5f * std::fabs(height_)) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute(hit);
  if (intersectNormal) *intersectNormal = from_front ? AbsoluteDirection() : VectorNegate(AbsoluteDirection());
  return true;
}

std::unique_ptr<TGLSilhouette> TGLPlane::GenerateSilhouette(const TGLSilhouetteParameters& parameters) {
  const float hw = 0.5f * width_, hh = 0.5f * height_;
  auto silhouette = std::make_unique<TGLSilhouette>();
  for (const TVector4f& corner :
       {PointFromXYZ(hw, hh, 0), PointFromXYZ(hw, -hh, 0), PointFromXYZ(-hw, -hh, 0), PointFromXYZ(-hw, hh, 0)})
    silhouette->Vertices().Add(corner);
  for (int edge : {0, 1, 1, 2, 2, 3, 3, 0}) silhouette->Indices().Add(edge);
  if (parameters.CappingRequired)
    for (int corner : {0, 1, 2, 2, 3, 0}) silhouette->CapIndices().Add(corner);
  return silhouette;
}

void TGLPlane::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  const float hw = 0.5f * width_, hh = 0.5f * height_;
  float s0 = 0, s1 = x_scope_, t0 = 0, t1 = y_scope_;
  if (style_ & psTileTexture) {
    s0 = x_offset_;
    s1 = static_cast<float>(x_tiles_) * x_scope_ + x_offset_;
    t0 = y_offset_;
    t1 = static_cast<float>(y_tiles_) * y_scope_ + y_offset_;
  }
  gl.glNormal3f(0, 0, 1);
  if (NoZWrite) gl.glDepthMask(GL_FALSE);
  if (style_ & psSingleQuad) {
    gl.glBegin(GL_QUADS);
    xglTexCoord2f(s1, t1);
    gl.glVertex2f(hw, hh);
    xglTexCoord2f(s0, t1);
    gl.glVertex2f(-hw, hh);
    xglTexCoord2f(s0, t0);
    gl.glVertex2f(-hw, -hh);
    xglTexCoord2f(s1, t0);
    gl.glVertex2f(hw, -hh);
    gl.glEnd();
  } else if (x_tiles_ > 0 && y_tiles_ > 0) {
    // No tiles would divide by zero: such a grid has no cells to draw.
    BuildGrid(s0, s1, t0, t1);
  }
  if (NoZWrite) gl.glDepthMask(GL_TRUE);
}

void TGLPlane::BuildGrid(float s0, float s1, float t0, float t1) const {
  auto& gl = GL();
  const float hw = 0.5f * width_, hh = 0.5f * height_;
  const auto columns = static_cast<float>(x_tiles_), rows = static_cast<float>(y_tiles_);
  const float ds = (s1 - s0) / columns, dt = (t1 - t0) / rows;
  const float cell_width = width_ / columns, cell_height = height_ / rows;
  for (std::uint32_t r = 0; r < y_tiles_; ++r) {
    const float y_low = -hh + static_cast<float>(r) * cell_height, y_high = y_low + cell_height;
    const float t_low = t0 + static_cast<float>(r) * dt, t_high = t_low + dt;
    gl.glBegin(GL_TRIANGLE_STRIP);
    for (std::uint32_t c = 0; c <= x_tiles_; ++c) {
      const float s = s0 + static_cast<float>(c) * ds, x = -hw + static_cast<float>(c) * cell_width;
      xglTexCoord2f(s, t_high);
      gl.glVertex2f(x, y_high);
      xglTexCoord2f(s, t_low);
      gl.glVertex2f(x, y_low);
    }
    gl.glEnd();
  }
}
