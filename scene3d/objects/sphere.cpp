#include "scene3d/objects/sphere.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/intersections.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr const char* kUnit = "GLObjects";

void Normal(const TAffineVector& n, float sign) { GL().glNormal3f(sign * n.x, sign * n.y, sign * n.z); }

}  // namespace

void TGLSphere::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLSphere*>(source)) {
    radius_ = other->radius_;
    slices_ = other->slices_;
    stacks_ = other->stacks_;
    top_ = other->top_;
    bottom_ = other->bottom_;
    start_ = other->start_;
    stop_ = other->stop_;
  }
  TGLQuadricObject::Assign(source);
}

void TGLSphere::SetRadius(float value) {
  StoreOnChange(radius_, value, [this] { StructureChanged(); });
}
void TGLSphere::SetSlices(int value) {
  StoreOnChange(slices_, std::max(value, 1), [this] { StructureChanged(); });
}
void TGLSphere::SetStacks(int value) {
  StoreOnChange(stacks_, std::max(value, 1), [this] { StructureChanged(); });
}
void TGLSphere::SetTop(std::int8_t value) {
  StoreOnChange(top_, std::clamp<std::int8_t>(value, -90, 90), [this] { StructureChanged(); });
}
void TGLSphere::SetBottom(std::int8_t value) {
  StoreOnChange(bottom_, std::clamp<std::int8_t>(value, -90, 90), [this] { StructureChanged(); });
}
void TGLSphere::SetStart(std::uint16_t value) {
  if (value == start_) return;
  Assert(value <= stop_, kUnit, __LINE__, "Assertion failure");
  StoreOnChange(start_, std::min<std::uint16_t>(value, 360), [this] { StructureChanged(); });
}
void TGLSphere::SetStop(std::uint16_t value) {
  if (value == stop_) return;
  Assert(value >= start_, kUnit, __LINE__, "Assertion failure");
  StoreOnChange(stop_, std::min<std::uint16_t>(value, 360), [this] { StructureChanged(); });
}
void TGLSphere::SetTopCap(TCapType value) {
  StoreOnChange(top_cap_, value, [this] { StructureChanged(); });
}
void TGLSphere::SetBottomCap(TCapType value) {
  StoreOnChange(bottom_cap_, value, [this] { StructureChanged(); });
}

TVector4f TGLSphere::AxisAlignedDimensionsUnscaled() {
  const float r = std::fabs(radius_);
  return {r, r, r, 0};
}

bool TGLSphere::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                 TVector4f* intersectNormal) {
  const TVector4f start = AbsoluteToLocal(rayStart);
  const TVector4f direction = VectorNormalize(AbsoluteToLocal({rayVector.x, rayVector.y, rayVector.z, 0}));
  TVector4f first, second;
  if (RaySphereIntersection(start, direction, {0, 0, 0, 1}, radius_, first, second) == 0) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute({first.x, first.y, first.z, 1});
  // The hit point taken as a direction: as long as the radius, scaled with the sphere.
  if (intersectNormal) *intersectNormal = LocalToAbsolute({first.x, first.y, first.z, 0});
  return true;
}

std::unique_ptr<TGLSilhouette> TGLSphere::GenerateSilhouette(const TGLSilhouetteParameters& parameters) {
  const int n = std::max(slices_, stacks_);
  const TAffineVector& seen_from = parameters.SeenFrom;
  TAffineVector a = AffineVectorCrossProduct(seen_from, XVector);
  if (AffineVectorLength(a) < 0.001f) a = AffineVectorCrossProduct(seen_from, YVector);
  TAffineVector b = AffineVectorCrossProduct(seen_from, a);
  NormalizeAffineVector(a);
  NormalizeAffineVector(b);
  auto silhouette = std::make_unique<TGLSilhouette>();
  for (int i = 0; i < n; ++i) {
    const float angle = 2 * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(n);
    const TAffineVector v = AffineVectorCombine2(a, b, radius_ * std::sin(angle), radius_ * std::cos(angle));
    silhouette->Vertices().AddPoint(v);
    silhouette->Indices().Add2(i, (i + 1) % n);
    if (parameters.CappingRequired) silhouette->CapIndices().Add3(n, i, (i + 1) % n);
  }
  if (parameters.CappingRequired) silhouette->Vertices().AddPoint({0, 0, 0});
  return silhouette;
}

void TGLSphere::BuildList(TRenderContextInfo& rci) {
  auto& gl = GL();
  const bool inside = NormalDirection() == ndInside;
  const float sign = inside ? -1.0f : 1.0f;
  gl.glPushAttrib(GL_POLYGON_BIT);
  if (inside) rci.GLStates->InvertGLFrontFace();
  gl.glPushMatrix();
  gl.glScalef(radius_, radius_, radius_);
  const float top = DegToRad(top_), bottom = DegToRad(bottom_);
  const float start = DegToRad(start_), stop = DegToRad(stop_);
  const float step_h = (stop - start) / static_cast<float>(slices_);
  const float step_v = (top - bottom) / static_cast<float>(stacks_);
  if (top_ < 90) BuildCap(top_cap_, top, 1);
  for (int j = 0; j < stacks_; ++j) {
    const float p1 = top - static_cast<float>(j) * step_v, p2 = p1 - step_v;
    const float t1 = 1 - static_cast<float>(j) / static_cast<float>(stacks_);
    const float t2 = 1 - static_cast<float>(j + 1) / static_cast<float>(stacks_);
    gl.glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= slices_; ++i) {
      const float a = start + static_cast<float>(i) * step_h, s = static_cast<float>(i) / static_cast<float>(slices_);
      for (auto [p, t] : {std::pair{p1, t1}, {p2, t2}}) {
        const TAffineVector v{std::cos(p) * std::sin(a), std::sin(p), std::cos(p) * std::cos(a)};
        xglTexCoord2f(s, t);
        Normal(v, sign);
        gl.glVertex3f(v.x, v.y, v.z);
      }
    }
    gl.glEnd();
  }
  if (bottom_ > -90) BuildCap(bottom_cap_, bottom, -1);
  gl.glPopMatrix();
  if (inside) rci.GLStates->InvertGLFrontFace();
  gl.glPopAttrib();
}

void TGLSphere::BuildCap(TCapType cap, float latitude, float side) const {
  if (cap == ctNone) return;
  auto& gl = GL();
  const float sign = NormalDirection() == ndInside ? -1.0f : 1.0f;
  const TAffineVector axis{0, side, 0};
  const float start = DegToRad(start_), stop = DegToRad(stop_);
  const float step_h = (stop - start) / static_cast<float>(slices_);
  gl.glBegin(GL_TRIANGLE_FAN);
  xglTexCoord2f(0.5f, 0.5f);
  Normal(axis, sign);
  gl.glVertex3f(0, cap == ctCenter ? 0 : std::sin(latitude), 0);
  for (int i = 0; i <= slices_; ++i) {
    // The bottom rim runs the other way round, so both fans face outwards.
    const float a = side > 0 ? start + static_cast<float>(i) * step_h : stop - static_cast<float>(i) * step_h;
    const TAffineVector v{std::cos(latitude) * std::sin(a), std::sin(latitude), std::cos(latitude) * std::cos(a)};
    xglTexCoord2f(0.5f + 0.5f * std::sin(a), 0.5f + 0.5f * std::cos(a));
    Normal(cap == ctFlat ? axis : VectorOrthogonalPart(axis, v), sign);
    gl.glVertex3f(v.x, v.y, v.z);
  }
  gl.glEnd();
}
