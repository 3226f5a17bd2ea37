#include "scene3d/objects/cylinder_base.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/polynomials.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/render/connectivity.h"

void TGLCylinderBase::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCylinderBase*>(source)) {
    bottom_radius_ = other->bottom_radius_;
    slices_ = other->slices_;
    stacks_ = other->stacks_;
    loops_ = other->loops_;
    height_ = other->height_;
  }
  TGLQuadricObject::Assign(source);
}

void TGLCylinderBase::SetBottomRadius(float value) {
  StoreOnChange(bottom_radius_, value, [this] { StructureChanged(); });
}
void TGLCylinderBase::SetSlices(int value) {
  StoreOnChange(slices_, value, [this] { StructureChanged(); });
}
void TGLCylinderBase::SetStacks(int value) {
  StoreOnChange(stacks_, value, [this] { StructureChanged(); });
}
void TGLCylinderBase::SetLoops(int value) {
  if (value > 0) StoreOnChange(loops_, value, [this] { StructureChanged(); });
}
void TGLCylinderBase::SetHeight(float value) {
  StoreOnChange(height_, value, [this] { StructureChanged(); });
}

std::unique_ptr<TGLSilhouette> TGLCylinderBase::GenerateSilhouette(const TGLSilhouetteParameters& parameters) {
  // Fewer sides would not look round; the drawn Slices stay as they are.
  const int n = std::max(slices_, 5);
  const float step = 2 * std::numbers::pi_v<float> / static_cast<float>(n), h = 0.5f * height_;
  const float top = TopRadiusOfShape();
  TConnectivity connectivity(true);
  for (int i = 0; i < n; ++i) {
    const float a0 = static_cast<float>(i) * step, a1 = a0 + step;
    const TAffineVector b0{bottom_radius_ * std::cos(a0), -h, bottom_radius_ * std::sin(a0)};
    const TAffineVector b1{bottom_radius_ * std::cos(a1), -h, bottom_radius_ * std::sin(a1)};
    const TAffineVector t0{top * std::cos(a0), h, top * std::sin(a0)};
    const TAffineVector t1{top * std::cos(a1), h, top * std::sin(a1)};
    connectivity.AddFace(t0, b0, b1);
    connectivity.AddFace(t1, t0, b1);
    connectivity.AddFace({0, -h, 0}, b1, b0);
    connectivity.AddFace(t0, t1, {0, h, 0});
  }
  std::unique_ptr<TGLSilhouette> silhouette;
  connectivity.CreateSilhouette(parameters, silhouette, false);
  return silhouette;
}

void RotateZAxisToY() { GL().glRotatef(-90, 1, 0, 0); }

bool NearestSideHit(const TAffineVector& start, const TAffineVector& direction, float bottomRadius, float topRadius,
                    float bottomY, float topY, double low, double high, TSideHit& hit) {
  // The radius is a + b y along the axis; x^2 + z^2 = (a + b y)^2 on the side.
  const double b = topY == bottomY ? 0.0 : (static_cast<double>(topRadius) - bottomRadius) / (topY - bottomY);
  const double a = bottomRadius - b * bottomY;
  const double r0 = a + b * start.y, r1 = b * direction.y;
  const double sx = start.x, sz = start.z, dx = direction.x, dz = direction.z;
  const double coefficients[3] = {sx * sx + sz * sz - r0 * r0, 2 * (sx * dx + sz * dz - r0 * r1),
                                  dx * dx + dz * dz - r1 * r1};
  bool found = false;
  for (double k : SolveQuadric(coefficients)) {
    const double radius = r0 + k * r1;
    if (k < 0 || k < low || k >= high || radius < 0 || (found && k >= hit.k)) continue;
    hit.k = k;
    hit.normal = {static_cast<float>(sx + k * dx), static_cast<float>(-b * radius), static_cast<float>(sz + k * dz)};
    found = true;
  }
  return found;
}
