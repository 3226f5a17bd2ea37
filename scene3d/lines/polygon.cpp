#include "scene3d/lines/polygon.h"

#include <algorithm>

#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

TGLPolygonBase::TGLPolygonBase(TComponent* owner) : TGLStageObject(owner), nodes_(std::make_unique<TGLNodes>(this)) {}

TGLPolygonBase::~TGLPolygonBase() = default;

void TGLPolygonBase::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLPolygonBase*>(source)) {
    SetNodes(*other->nodes_);
    division_ = other->division_;
    spline_mode_ = other->spline_mode_;
  }
  TGLStageObject::Assign(source);
}

void TGLPolygonBase::NotifyChange(TObject* sender) {
  if (sender == nodes_.get()) StructureChanged();
  TGLStageObject::NotifyChange(sender);
}

void TGLPolygonBase::SetDivision(int value) {
  StoreOnChange(division_, std::max(value, 1), [this] { StructureChanged(); });
}

void TGLPolygonBase::SetSplineMode(TLineSplineMode value) {
  StoreOnChange(spline_mode_, value, [this] { StructureChanged(); });
}

void TGLPolygonBase::SetNodes(const TGLNodes& value) {
  if (&value != nodes_.get()) nodes_->Assign(&value);
  StructureChanged();
}

void TGLPolygon::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLPolygon*>(source)) parts_ = other->parts_;
  TGLPolygonBase::Assign(source);
}

void TGLPolygon::SetParts(TPolygonParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}

void TGLPolygon::BuildList(TRenderContextInfo&) {
  const TGLNodes& nodes = Nodes();
  if (nodes.Count() < 2) return;
  TAffineVector normal = nodes.Normal();
  // Two nodes (or three in a line) span no plane: drawn without a normal.
  const bool has_normal = AffineVectorSquaredLength(normal) > 0;
  const int divisions = SplineMode() == lsmLines ? 1 : Division();
  if (Parts() & ppTop) nodes.RenderTesselatedPolygon(true, has_normal ? &normal : nullptr, false, divisions);
  if (Parts() & ppBottom) {
    NegateAffineVector(normal);
    nodes.RenderTesselatedPolygon(true, has_normal ? &normal : nullptr, true, divisions);
  }
}
