#include "scene3d/objects/cylinder.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

void TGLCone::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCone*>(source)) parts_ = other->parts_;
  TGLCylinderBase::Assign(source);
}

void TGLCone::SetParts(TConeParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}

TVector4f TGLCone::AxisAlignedDimensionsUnscaled() {
  const float r = std::fabs(BottomRadius());
  return {r, 0.5f * Height(), r, 0};
}

void TGLCone::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  TGLUQuadric quadric(*this);
  gl.glPushMatrix();
  RotateZAxisToY();
  gl.glTranslatef(0, 0, -0.5f * Height());
  if (parts_ & coSides) gl.gluCylinder(quadric.get(), BottomRadius(), 0, Height(), Slices(), Stacks());
  if (parts_ & coBottom) {
    quadric.Inverted();
    gl.gluDisk(quadric.get(), 0, BottomRadius(), Slices(), Loops());
  }
  gl.glPopMatrix();
}

void TGLCylinder::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCylinder*>(source)) {
    parts_ = other->parts_;
    top_radius_ = other->top_radius_;
  }
  TGLCylinderBase::Assign(source);
}

void TGLCylinder::SetParts(TCylinderParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}
void TGLCylinder::SetTopRadius(float value) {
  StoreOnChange(top_radius_, value, [this] { StructureChanged(); });
}
void TGLCylinder::SetAlignment(TCylinderAlignment value) {
  StoreOnChange(alignment_, value, [this] { StructureChanged(); });
}

TVector4f TGLCylinder::AxisAlignedDimensionsUnscaled() {
  const float r = std::max(std::fabs(BottomRadius()), std::fabs(top_radius_));
  return {r, 0.5f * Height(), r, 0};
}

float TGLCylinder::BottomY() const {
  switch (alignment_) {
    case caTop:
      return -Height();
    case caBottom:
      return 0;
    case caCenter:
      break;
  }
  return -0.5f * Height();
}

void TGLCylinder::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  TGLUQuadric quadric(*this);
  gl.glPushMatrix();
  RotateZAxisToY();
  gl.glTranslatef(0, 0, BottomY());
  if (parts_ & cySides) gl.gluCylinder(quadric.get(), BottomRadius(), top_radius_, Height(), Slices(), Stacks());
  if (parts_ & cyTop) {
    gl.glPushMatrix();
    gl.glTranslatef(0, 0, Height());
    gl.gluDisk(quadric.get(), 0, top_radius_, Slices(), Loops());
    gl.glPopMatrix();
  }
  if (parts_ & cyBottom) {
    quadric.Inverted();
    gl.gluDisk(quadric.get(), 0, BottomRadius(), Slices(), Loops());
  }
  gl.glPopMatrix();
}

bool TGLCylinder::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                   TVector4f* intersectNormal) {
  const TVector4f s4 = AbsoluteToLocal(rayStart);
  const TVector4f d4 = AbsoluteToLocal({rayVector.x, rayVector.y, rayVector.z, 0});
  const TAffineVector s{s4.x, s4.y, s4.z}, d{d4.x, d4.y, d4.z};
  const float y_bottom = BottomY(), y_top = y_bottom + Height();
  // The nearest of the caps and the side ahead of the start.
  bool found = false;
  double found_k = 0;
  TAffineVector normal;
  const auto accept = [&](double k, const TAffineVector& n) {
    if (found && k >= found_k) return;
    found = true;
    found_k = k;
    normal = n;
  };
  double low = -std::numeric_limits<double>::infinity(), high = std::numeric_limits<double>::infinity();
  if (d.y == 0) {
    if (s.y < y_bottom || s.y > y_top) return false;
  } else {
    const double k_top = (y_top - s.y) / d.y, k_bottom = (y_bottom - s.y) / d.y;
    const auto within = [&](double k, float radius) {
      const double x = s.x + k * d.x, z = s.z + k * d.z;
      return x * x + z * z <= static_cast<double>(radius) * radius;
    };
    if (k_top > 0 && (parts_ & cyTop) && within(k_top, top_radius_)) accept(k_top, {0, 1, 0});
    if (k_bottom > 0 && (parts_ & cyBottom) && within(k_bottom, BottomRadius())) accept(k_bottom, {0, -1, 0});
    low = std::min(k_top, k_bottom);
    high = std::max(k_top, k_bottom);
  }
  TSideHit side;
  if ((parts_ & cySides) && NearestSideHit(s, d, BottomRadius(), top_radius_, y_bottom, y_top, low, high, side))
    accept(side.k, side.normal);
  if (!found) return false;
  const TAffineVector point = AffineVectorCombine(s, d, static_cast<float>(found_k));
  if (intersectPoint) *intersectPoint = LocalToAbsolute({point.x, point.y, point.z, 1});
  if (intersectNormal) *intersectNormal = LocalToAbsolute({normal.x, normal.y, normal.z, 0});
  return true;
}
