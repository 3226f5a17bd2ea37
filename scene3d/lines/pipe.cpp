#include "scene3d/lines/pipe.h"

#include <cmath>
#include <cstdio>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

TGLPipeNode::TGLPipeNode(TCollection* collection)
    : TGLNode(collection), color_(std::make_unique<TGLColor>(this, TVector4f{0, 0, 0, 1}, [this](TObject*) {
        if (auto* nodes = dynamic_cast<TGLNodes*>(Collection())) nodes->NotifyChange();
      })) {}

TGLPipeNode::~TGLPipeNode() = default;

void TGLPipeNode::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLPipeNode*>(source)) {
    radius_factor_ = other->radius_factor_;
    color_->SetColor(other->color_->Color());
  }
  TGLNode::Assign(source);
}

std::string TGLPipeNode::GetDisplayName() const {
  char factor[32];
  std::snprintf(factor, sizeof factor, "%.3f", static_cast<double>(radius_factor_));
  return TGLNode::GetDisplayName() + " / rf = " + factor;
}

void TGLPipeNode::SetRadiusFactor(float value) {
  StoreOnChange(radius_factor_, value, [this] { Changed(false); });
}

TGLPipeNodes::TGLPipeNodes(TPersistent* owner) : TGLNodes(owner, [] { return std::make_unique<TGLPipeNode>(); }) {}

std::unique_ptr<TGLNodes> TGLPipeNodes::CreateCopy(TPersistent* owner) const {
  auto copy = std::make_unique<TGLPipeNodes>(owner);
  copy->Assign(this);
  return copy;
}

TGLPipe::TGLPipe(TComponent* owner) : TGLPolygonBase(owner) { ReplaceNodes(std::make_unique<TGLPipeNodes>(this)); }

void TGLPipe::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLPipe*>(source)) {
    slices_ = other->slices_;
    parts_ = other->parts_;
    radius_ = other->radius_;
    nodes_color_mode_ = other->nodes_color_mode_;
  }
  TGLPolygonBase::Assign(source);
}

void TGLPipe::SetParts(TPipeParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}
void TGLPipe::SetSlices(int value) {
  if (value > 0) StoreOnChange(slices_, value, [this] { StructureChanged(); });
}
void TGLPipe::SetRadius(float value) {
  StoreOnChange(radius_, value, [this] { StructureChanged(); });
}
void TGLPipe::SetNodesColorMode(TPipeNodesColorMode value) {
  StoreOnChange(nodes_color_mode_, value, [this] { StructureChanged(); });
}

std::vector<TGLPipe::Ring> TGLPipe::CentreLine() const {
  const TGLPipeNodes& nodes = PipeNodes();
  const int count = nodes.Count();
  std::vector<Ring> rings;
  if (SplineMode() == lsmCubicSpline && count >= 2) {
    std::vector<float> x, y, z, factor;
    for (int i = 0; i < count; ++i) {
      const TGLPipeNode* node = nodes.GetItems(i);
      x.push_back(node->X()), y.push_back(node->Y()), z.push_back(node->Z());
      factor.push_back(node->RadiusFactor());
    }
    const TCubicSpline spline(x.data(), y.data(), z.data(), factor.data(), count);
    const int division = Division();
    for (int i = 0; i <= (count - 1) * division; ++i) {
      const float t = static_cast<float>(i) / static_cast<float>(division);
      const TVector4f v = spline.VectorAt(t);
      const int k = std::min(i / division, count - 2);
      const TVector4f color = VectorLerp(nodes.GetItems(k)->Color().Color(), nodes.GetItems(k + 1)->Color().Color(),
                                         t - static_cast<float>(k));
      rings.push_back({{v.x, v.y, v.z}, {}, radius_ * v.w, color});
    }
  } else {
    for (int i = 0; i < count; ++i) {
      const TGLPipeNode* node = nodes.GetItems(i);
      rings.push_back({node->GetAsAffineVector(), {}, radius_ * node->RadiusFactor(), node->Color().Color()});
    }
  }
  for (std::size_t i = 0; i < rings.size(); ++i) {
    const TAffineVector& before = rings[i == 0 ? 0 : i - 1].centre;
    const TAffineVector& after = rings[i + 1 == rings.size() ? i : i + 1].centre;
    rings[i].direction = AffineVectorSubtract(after, before);
  }
  return rings;
}

TAffineVector TGLPipe::RingPoint(const Ring& ring, int slice, TAffineVector& normal) const {
  TAffineVector first = XVector, second = ZVector;
  if (AffineVectorLength(ring.direction) > 0) {
    first = AffineVectorCrossProduct(ZVector, ring.direction);
    if (AffineVectorLength(first) <= 1e-7f) first = AffineVectorCrossProduct(XVector, ring.direction);
    second = AffineVectorCrossProduct(ring.direction, first);
    NormalizeAffineVector(first);
    NormalizeAffineVector(second);
  }
  const auto s = static_cast<std::size_t>(slice);
  normal = AffineVectorCombine2(first, second, cosines_[s], sines_[s]);
  return AffineVectorCombine(ring.centre, normal, ring.radius);
}

void TGLPipe::BuildDisk(const Ring& ring, bool facingBack) const {
  auto& gl = GL();
  TAffineVector axis = AffineVectorNormalize(ring.direction);
  if (facingBack) NegateAffineVector(axis);
  gl.glBegin(GL_TRIANGLE_FAN);
  gl.glNormal3fv(&axis.x);
  gl.glVertex3fv(&ring.centre.x);
  for (int j = 0; j <= slices_; ++j) {
    TAffineVector normal;
    // Counter-clockwise seen from the side the disk faces.
    const TAffineVector p = RingPoint(ring, facingBack ? slices_ - j : j, normal);
    gl.glVertex3fv(&p.x);
  }
  gl.glEnd();
}

void TGLPipe::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  const auto entries = static_cast<std::size_t>(slices_) + 1;
  if (sines_.size() != entries) {
    sines_.resize(entries);
    cosines_.resize(entries);
    FillSinCosTable(sines_, cosines_, 0, 360);
  }
  const std::vector<Ring> rings = CentreLine();
  if (rings.size() < 2) return;
  const bool colored = nodes_color_mode_ != pncmNone;
  if (colored) {
    static constexpr GLenum kModes[] = {GL_NONE, GL_EMISSION, GL_AMBIENT, GL_DIFFUSE, GL_AMBIENT_AND_DIFFUSE};
    gl.glPushAttrib(GL_ENABLE_BIT);
    gl.glEnable(GL_COLOR_MATERIAL);
    gl.glColorMaterial(GL_FRONT_AND_BACK, kModes[nodes_color_mode_]);
  }
  const auto last = static_cast<float>(rings.size() - 1);
  for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
    for (bool inside : {false, true}) {
      if (!(parts_ & (inside ? ppInside : ppOutside))) continue;
      gl.glBegin(GL_TRIANGLE_STRIP);
      for (int j = 0; j <= slices_; ++j) {
        // Outside: the far ring first, so the strip winds counter-clockwise seen from outside.
        for (std::size_t r : {inside ? i : i + 1, inside ? i + 1 : i}) {
          TAffineVector normal;
          const TAffineVector p = RingPoint(rings[r], j, normal);
          if (inside) NegateAffineVector(normal);
          if (colored) gl.glColor4fv(&rings[r].color.x);
          gl.glNormal3fv(&normal.x);
          xglTexCoord2f(static_cast<float>(j) / static_cast<float>(slices_), static_cast<float>(r) / last);
          gl.glVertex3fv(&p.x);
        }
      }
      gl.glEnd();
    }
  }
  if (parts_ & ppStartDisk) BuildDisk(rings.front(), true);
  if (parts_ & ppStopDisk) BuildDisk(rings.back(), false);
  if (colored) gl.glPopAttrib();
}
