#include "scene3d/objects/annulus.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

void TGLAnnulus::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLAnnulus*>(source)) {
    parts_ = other->parts_;
    top_radius_ = other->top_radius_;
    top_inner_radius_ = other->top_inner_radius_;
    bottom_inner_radius_ = other->bottom_inner_radius_;
  }
  TGLCylinderBase::Assign(source);
}

void TGLAnnulus::SetParts(TAnnulusParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}
void TGLAnnulus::SetBottomInnerRadius(float value) {
  StoreOnChange(bottom_inner_radius_, value, [this] { StructureChanged(); });
}
void TGLAnnulus::SetTopInnerRadius(float value) {
  StoreOnChange(top_inner_radius_, value, [this] { StructureChanged(); });
}
void TGLAnnulus::SetTopRadius(float value) {
  StoreOnChange(top_radius_, value, [this] { StructureChanged(); });
}

TVector4f TGLAnnulus::AxisAlignedDimensionsUnscaled() {
  const float r = std::max(std::fabs(BottomRadius()), std::fabs(top_radius_));
  return {r, 0.5f * Height(), r, 0};
}

void TGLAnnulus::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  TGLUQuadric quadric(*this);
  gl.glPushMatrix();
  RotateZAxisToY();
  gl.glTranslatef(0, 0, -0.5f * Height());
  if (parts_ & anOuterSides) gl.gluCylinder(quadric.get(), BottomRadius(), top_radius_, Height(), Slices(), Stacks());
  if (parts_ & anTop) {
    gl.glPushMatrix();
    gl.glTranslatef(0, 0, Height());
    gl.gluDisk(quadric.get(), top_inner_radius_, top_radius_, Slices(), Loops());
    gl.glPopMatrix();
  }
  if (parts_ & (anInnerSides | anBottom)) {
    quadric.Inverted();
    if (parts_ & anBottom) gl.gluDisk(quadric.get(), bottom_inner_radius_, BottomRadius(), Slices(), Loops());
    if (parts_ & anInnerSides)
      gl.gluCylinder(quadric.get(), bottom_inner_radius_, top_inner_radius_, Height(), Slices(), Stacks());
  }
  gl.glPopMatrix();
}

bool TGLAnnulus::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                  TVector4f* intersectNormal) {
  const TVector4f s4 = AbsoluteToLocal(rayStart);
  const TVector4f d4 = AbsoluteToLocal({rayVector.x, rayVector.y, rayVector.z, 0});
  const TAffineVector s{s4.x, s4.y, s4.z}, d{d4.x, d4.y, d4.z};
  const float h = 0.5f * Height();
  bool found = false;
  double found_k = 0;
  TAffineVector normal;
  double low = -std::numeric_limits<double>::infinity(), high = std::numeric_limits<double>::infinity();
  bool first_cap_hit = false;
  if (d.y == 0) {
    if (s.y < -h || s.y > h) return false;
  } else {
    struct Cap {
      bool wanted;
      float y, normal_y;
    };
    const Cap bottom{(parts_ & anBottom) != 0, -h, -1}, top{(parts_ & anTop) != 0, h, 1};
    const Cap caps[2] = {d.y >= 0 ? bottom : top, d.y >= 0 ? top : bottom};
    for (int i = 0; i < 2; ++i) {
      const double k = (caps[i].y - s.y) / d.y;
      const double x = s.x + k * d.x, z = s.z + k * d.z, r2 = x * x + z * z;
      const bool on_ring = r2 >= static_cast<double>(top_inner_radius_) * top_inner_radius_ &&
                           r2 <= static_cast<double>(top_radius_) * top_radius_;
      if (k > 0 && caps[i].wanted && on_ring && (!found || k < found_k)) {
        found = true;
        found_k = k;
        normal = {0, caps[i].normal_y, 0};
        if (i == 0) first_cap_hit = true;
      }
    }
    low = std::min((h - s.y) / d.y, (-h - s.y) / d.y);
    high = std::max((h - s.y) / d.y, (-h - s.y) / d.y);
  }
  if (!first_cap_hit) {
    // The nearest wall ahead inside the slab between the end planes.
    for (auto [wanted, radius] : {std::pair{(parts_ & anOuterSides) != 0, top_radius_},
                                  std::pair{(parts_ & anInnerSides) != 0, top_inner_radius_}}) {
      TSideHit side;
      if (wanted && NearestSideHit(s, d, radius, radius, -h, h, low, high, side) && (!found || side.k < found_k)) {
        found = true;
        found_k = side.k;
        normal = side.normal;
      }
    }
  }
  if (!found) return false;
  const TAffineVector point = AffineVectorCombine(s, d, static_cast<float>(found_k));
  if (intersectPoint) *intersectPoint = LocalToAbsolute({point.x, point.y, point.z, 1});
  if (intersectNormal) *intersectNormal = LocalToAbsolute({normal.x, normal.y, normal.z, 0});
  return true;
}
