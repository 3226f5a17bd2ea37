#include "scene3d/contours/extrusion_solid.h"

#include <cmath>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

namespace {

TAffineVector Negated(const TAffineVector& v) { return {-v.x, -v.y, -v.z}; }

}  // namespace

void TGLExtrusionSolid::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLExtrusionSolid*>(source)) {
    stacks_ = other->stacks_;
    normals_ = other->normals_;
    normal_direction_ = other->normal_direction_;
    parts_ = other->parts_;
  }
  TMultiPolygonBase::Assign(source);
}

void TGLExtrusionSolid::SetStacks(int value) {
  if (value <= 0 || value == stacks_) return;
  stacks_ = value;
  StructureChanged();
}

void TGLExtrusionSolid::SetNormals(TNormalSmoothing value) {
  StoreOnChange(normals_, value, [this] { StructureChanged(); });
}

void TGLExtrusionSolid::SetNormalDirection(TNormalDirection value) {
  StoreOnChange(normal_direction_, value, [this] { StructureChanged(); });
}

void TGLExtrusionSolid::SetParts(TExtrusionSolidParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}

void TGLExtrusionSolid::SetHeight(float value) {
  StoreOnChange(height_, value, [this] { StructureChanged(); });
}

void TGLExtrusionSolid::SetMinSmoothAngle(float degrees) {
  // The smoothing of a compiled solid depends on it, so the list is rebuilt.
  if (degrees == min_smooth_angle_) return;
  min_smooth_angle_ = degrees;
  min_smooth_angle_cos_ = std::cos(degrees * 0.017453292f);
  StructureChanged();
}

TAffineVector TGLExtrusionSolid::CalcNormal(const TAffineVector& a, const TAffineVector& b) const {
  const TAffineVector n = AffineVectorNormalize({b.y - a.y, a.x - b.x, 0});
  return height_ < 0 ? Negated(n) : n;
}

void TGLExtrusionSolid::BuildStack(TAffineVector a, TAffineVector b, bool reverse, float ta, float tb,
                                   TAffineVector& running) {
  if (reverse) std::swap(a, b);
  const TAffineVector n = CalcNormal(a, b);
  if (normals_ == nsFlat || (normals_ == nsSmooth && AffineVectorDotProduct(n, running) < min_smooth_angle_cos_))
    running = n;
  const TAffineVector normalA = reverse ? n : running;
  const TAffineVector normalB = reverse ? running : n;
  running = n;
  const float deltaZ = height_ / static_cast<float>(stacks_);
  const float deltaT = 1.0f / static_cast<float>(stacks_);
  auto& gl = GL();
  auto column = [&gl](const TAffineVector& normal, float s, float t, const TAffineVector& p, float z) {
    gl.glNormal3f(normal.x, normal.y, normal.z);
    gl.glTexCoord2f(s, t);
    gl.glVertex3f(p.x, p.y, z);
  };
  gl.glBegin(GL_TRIANGLE_STRIP);
  column(normalA, 0, ta, a, a.z);
  for (int i = 1; i <= stacks_; ++i) {
    const float previousZ = i == 1 ? b.z : static_cast<float>(i - 1) * deltaZ;
    column(normalB, static_cast<float>(i - 1) * deltaT, tb, b, previousZ);
    column(normalA, static_cast<float>(i) * deltaT, ta, a, static_cast<float>(i) * deltaZ);
  }
  column(normalB, static_cast<float>(stacks_) * deltaT, tb, b, static_cast<float>(stacks_) * deltaZ);
  gl.glEnd();
}

void TGLExtrusionSolid::BuildSides(const TAffineVectorList& loop, bool inside) {
  const int n = loop.Count();
  if (n < 2) return;
  const bool invert = normal_direction_ == ndInside;
  const TAffineVector* p = loop.List();
  TAffineVector running = CalcNormal(p[n - 1], p[0]);
  // The inner pass faces the other way round.
  const bool flip = inside ? !invert : invert;
  if (flip) running = Negated(running);
  const float span = static_cast<float>(n - 1);
  for (int j = 0; j + 1 < n; ++j)
    BuildStack(p[j], p[j + 1], flip, static_cast<float>(j) / span, static_cast<float>(j + 1) / span, running);
  BuildStack(p[n - 1], p[0], flip, 1.0f, 0.0f, running);
}

void TGLExtrusionSolid::BuildCaps() {
  // Inward-facing caps turn their normal and their loops together: the winding
  // about the normal stays positive, so the tessellator still fills them.
  const bool invert = normal_direction_ == ndInside;
  TAffineVector normal = ContourNormal;
  auto& gl = GL();
  if (parts_ & espStopPolygon) {
    const TAffineVector capNormal = invert ? Negated(normal) : normal;
    gl.glPushMatrix();
    gl.glTranslatef(0, 0, height_);
    RenderTesselatedPolygon(true, &capNormal, invert);
    gl.glPopMatrix();
  }
  if (parts_ & espStartPolygon) {
    normal = Negated(normal);
    const TAffineVector capNormal = invert ? Negated(normal) : normal;
    RenderTesselatedPolygon(true, &capNormal, !invert);
  }
}

void TGLExtrusionSolid::BuildList(TRenderContextInfo&) {
  const TPolygonList& outline = Outline();
  if (outline.Count() == 0) return;
  if (height_ != 0 && (parts_ & (espInside | espOutside))) {
    for (int i = 0; i < outline.Count(); ++i) {
      if (parts_ & espInside) BuildSides(outline.Item(i), true);
      if (parts_ & espOutside) BuildSides(outline.Item(i), false);
    }
    GL().glTexCoord2f(0, 0);
  }
  if (parts_ & (espStartPolygon | espStopPolygon)) BuildCaps();
}
