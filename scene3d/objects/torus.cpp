#include "scene3d/objects/torus.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/polynomials.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

void TGLTorus::SetRings(std::uint32_t value) {
  StoreOnChange(rings_, value, [this] {
    rings_ = std::max(rings_, 2u);
    StructureChanged();
  });
}
void TGLTorus::SetSides(std::uint32_t value) {
  StoreOnChange(sides_, value, [this] {
    sides_ = std::max(sides_, 3u);
    StructureChanged();
  });
}
void TGLTorus::SetMinorRadius(float value) {
  StoreOnChange(minor_radius_, value, [this] { StructureChanged(); });
}
void TGLTorus::SetMajorRadius(float value) {
  StoreOnChange(major_radius_, value, [this] { StructureChanged(); });
}

TVector4f TGLTorus::AxisAlignedDimensionsUnscaled() {
  const float outer = std::fabs(major_radius_) + std::fabs(minor_radius_);
  return {outer, outer, std::fabs(minor_radius_), 0};
}

void TGLTorus::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  constexpr float kTurn = 2 * std::numbers::pi_v<float>;
  const float ring_step = kTurn / static_cast<float>(rings_), side_step = kTurn / static_cast<float>(sides_);
  const auto rings = static_cast<float>(rings_), sides = static_cast<float>(sides_);
  float t0 = 0;
  for (int i = static_cast<int>(rings_) - 1; i >= 0; --i) {
    const float t1 = t0 + ring_step;
    gl.glBegin(GL_QUAD_STRIP);
    float p = 0;
    for (int j = static_cast<int>(sides_); j >= 0; --j) {
      p += side_step;
      const float dist = minor_radius_ * std::cos(p) + major_radius_;
      for (auto [t, s] : {std::pair{t1, static_cast<float>(i) / rings}, {t0, static_cast<float>(i + 1) / rings}}) {
        xglTexCoord2f(s, static_cast<float>(j) / sides);
        gl.glNormal3f(std::cos(t) * std::cos(p), -std::sin(t) * std::cos(p), std::sin(p));
        gl.glVertex3f(std::cos(t) * dist, -std::sin(t) * dist, minor_radius_ * std::sin(p));
      }
    }
    gl.glEnd();
    t0 = t1;
  }
}

bool TGLTorus::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                TVector4f* intersectNormal) {
  const TVector4f s4 = AbsoluteToLocal(rayStart);
  const TVector4f d4 = VectorNormalize(AbsoluteToLocal({rayVector.x, rayVector.y, rayVector.z, 0}));
  const double dx = d4.x, dy = d4.y, dz = d4.z;
  // Solved from the ray's point nearest the centre: from a distant start the
  // quartic's roots drown in its large coefficients.
  const double shift = -(s4.x * dx + s4.y * dy + s4.z * dz);
  const double sx = s4.x + shift * dx, sy = s4.y + shift * dy, sz = s4.z + shift * dz;
  const double big2 = static_cast<double>(major_radius_) * major_radius_;
  const double small2 = static_cast<double>(minor_radius_) * minor_radius_;
  const double g = sx * dx + sy * dy + sz * dz, h = sx * sx + sy * sy + sz * sz - (big2 + small2);
  const double coefficients[5] = {h * h - 4 * big2 * (small2 - sz * sz), 4 * g * h + 8 * big2 * dz * sz,
                                  4 * g * g + 2 * h + 4 * big2 * dz * dz, 4 * g, 1};
  double k = 1e20;
  for (double root : SolveQuartic(coefficients))
    if (root + shift > 0 && root + shift < k) k = root + shift;
  if (k >= 1e20) return false;
  const double ox = s4.x, oy = s4.y, oz = s4.z;
  const TAffineVector p{static_cast<float>(ox + k * dx), static_cast<float>(oy + k * dy),
                        static_cast<float>(oz + k * dz)};
  TAffineVector q{p.x, p.y, 0};
  q = AffineVectorScale(q, major_radius_ / (AffineVectorLength(q) + 1e-6f));
  const TAffineVector n = AffineVectorSubtract(p, q);
  if (intersectPoint) *intersectPoint = LocalToAbsolute({p.x, p.y, p.z, 1});
  if (intersectNormal) *intersectNormal = LocalToAbsolute({n.x, n.y, n.z, 0});
  return true;
}
