#include "scene3d/lines/revolution_solid.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr float kTurn = 2 * std::numbers::pi_v<float>;

// The normal of the swept segment from p to q (both already turned).
TAffineVector SegmentNormal(const TAffineVector& p, const TAffineVector& q) {
  const TAffineVector d = AffineVectorSubtract(q, p), s = AffineVectorAdd(p, q);
  return AffineVectorNormalize({-d.y * s.x, d.x * s.x + d.z * s.z, -d.y * s.z});
}

}  // namespace

void TGLRevolutionSolid::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLRevolutionSolid*>(source)) {
    parts_ = other->parts_;
    start_angle_ = other->start_angle_;
    stop_angle_ = other->stop_angle_;
    y_offset_per_turn_ = other->y_offset_per_turn_;
    slices_ = other->slices_;
    normals_ = other->normals_;
    normal_direction_ = other->normal_direction_;
  }
  TGLPolygonBase::Assign(source);
}

void TGLRevolutionSolid::SetParts(TRevolutionSolidParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}
void TGLRevolutionSolid::SetStartAngle(float value) {
  StoreOnChange(start_angle_, value, [this] {
    if (start_angle_ > stop_angle_) stop_angle_ = start_angle_;
    StructureChanged();
  });
}
void TGLRevolutionSolid::SetStopAngle(float value) {
  StoreOnChange(stop_angle_, value, [this] {
    if (stop_angle_ < start_angle_) start_angle_ = stop_angle_;
    StructureChanged();
  });
}
void TGLRevolutionSolid::SetYOffsetPerTurn(float value) {
  StoreOnChange(y_offset_per_turn_, value, [this] { StructureChanged(); });
}
void TGLRevolutionSolid::SetSlices(int value) {
  if (value > 0) StoreOnChange(slices_, value, [this] { StructureChanged(); });
}
void TGLRevolutionSolid::SetNormals(TNormalSmoothing value) {
  StoreOnChange(normals_, value, [this] { StructureChanged(); });
}
void TGLRevolutionSolid::SetNormalDirection(TNormalDirection value) {
  StoreOnChange(normal_direction_, value, [this] { StructureChanged(); });
}

float TGLRevolutionSolid::HelixOffset(float angle) const { return y_offset_per_turn_ * angle / kTurn; }

void TGLRevolutionSolid::BuildList(TRenderContextInfo&) {
  const TGLNodes& nodes = Nodes();
  if (nodes.Count() < 2 || !(start_angle_ < stop_angle_)) return;
  const float start = DegToRad(start_angle_), stop = DegToRad(stop_angle_);
  const int steps = std::max(RoundSingle((stop - start) / kTurn * static_cast<float>(slices_)), 1);
  std::vector<TAffineVector> profile;
  if (SplineMode() == lsmLines || Division() < 2) {
    for (int i = 0; i < nodes.Count(); ++i) profile.push_back(nodes.GetItems(i)->GetAsAffineVector());
  } else {
    const std::unique_ptr<TCubicSpline> spline = nodes.CreateNewCubicSpline();
    const int samples = (nodes.Count() - 1) * Division() + 1;
    for (int i = 0; i < samples; ++i)
      profile.push_back(spline->AffineVectorAt(static_cast<float>(i) / static_cast<float>(Division())));
  }
  if (parts_ & rspInside) BuildSide(profile, normal_direction_ == ndInside, start, stop, steps);
  if (parts_ & rspOutside) BuildSide(profile, normal_direction_ == ndOutside, start, stop, steps);
  if (parts_ & rspStartPolygon) BuildCap(start, normal_direction_ == ndOutside);
  if (parts_ & rspStopPolygon) BuildCap(stop, normal_direction_ == ndInside);
}

void TGLRevolutionSolid::BuildSide(const std::vector<TAffineVector>& profile, bool swap, float start, float stop,
                                   int steps) const {
  auto& gl = GL();
  const float step = (stop - start) / static_cast<float>(steps);
  const auto last = static_cast<float>(profile.size() - 1);
  // The previous segment's normals per angle, shared at a common point when smoothing.
  std::vector<TAffineVector> previous(static_cast<std::size_t>(steps) + 1);
  for (std::size_t k = 0; k + 1 < profile.size(); ++k) {
    TAffineVector p = profile[k], q = profile[k + 1];
    float tp = static_cast<float>(k) / last, tq = static_cast<float>(k + 1) / last;
    if (swap) std::swap(p, q), std::swap(tp, tq);
    gl.glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= steps; ++i) {
      const float angle = start + static_cast<float>(i) * step;
      const TAffineVector rise{0, HelixOffset(angle), 0};
      const TAffineVector tp3 = AffineVectorAdd(RotateAboutY(p, angle), rise);
      const TAffineVector tq3 = AffineVectorAdd(RotateAboutY(q, angle), rise);
      const TAffineVector normal = SegmentNormal(tp3, tq3);
      const bool smooth_start = normals_ == nsSmooth && k > 0;
      // The point shared with the previous segment is p unswapped, q swapped.
      const TAffineVector& shared_normal = smooth_start ? previous[static_cast<std::size_t>(i)] : normal;
      const float s = static_cast<float>(i) / static_cast<float>(steps);
      gl.glNormal3fv(&(swap ? normal : shared_normal).x);
      xglTexCoord2f(s, tp);
      gl.glVertex3fv(&tp3.x);
      gl.glNormal3fv(&(swap ? shared_normal : normal).x);
      xglTexCoord2f(s, tq);
      gl.glVertex3fv(&tq3.x);
      previous[static_cast<std::size_t>(i)] = normal;
    }
    gl.glEnd();
  }
  xglTexCoord2f(0, 0);
}

void TGLRevolutionSolid::BuildCap(float angle, bool flip) const {
  const std::unique_ptr<TGLNodes> polygon = Nodes().CreateCopy(nullptr);
  polygon->RotateAroundY(RadToDeg(angle));
  polygon->Translate({0, HelixOffset(angle), 0});
  const float turn = angle + 0.5f * std::numbers::pi_v<float> + (flip ? std::numbers::pi_v<float> : 0.0f);
  const TAffineVector normal = RotateAboutY(AffineVectorNormalize(Nodes().Barycenter()), turn);
  polygon->RenderTesselatedPolygon(true, &normal, false, SplineMode() == lsmLines ? 1 : Division());
}
