#include "scene3d/contours/contours.h"

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "scene3d/contours/contour_tessellation.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr const char* kUnit = "GLMultiPolygon";

}  // namespace

TGLContourNodes::TGLContourNodes(TGLContour* contour) : TGLNodes(nullptr), contour_(contour) {}

void TGLContourNodes::NotifyChange() {
  if (UpdateCount() == 0) contour_->NodesChanged();
}

TGLContour::TGLContour(TCollection* collection) : TCollectionItem(collection) {}

void TGLContour::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLContour*>(source)) {
    nodes_.Assign(&other->nodes_);
    division_ = other->division_;
    spline_mode_ = other->spline_mode_;
    Description = other->Description;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

std::string TGLContour::GetDisplayName() const {
  return Description.empty() ? "GLContour: " + std::to_string(nodes_.Count()) + " nodes" : Description;
}

void TGLContour::SetNodes(const TGLNodes& value) {
  nodes_.Assign(&value);
  Changed(false);
}

void TGLContour::SetDivision(int value) {
  value = std::max(value, 1);
  if (value == division_) return;
  division_ = value;
  Changed(false);
}

void TGLContour::SetSplineMode(TLineSplineMode value) {
  if (value == spline_mode_) return;
  spline_mode_ = value;
  Changed(false);
}

std::vector<TAffineVector> TGLContour::Points() const {
  std::vector<TAffineVector> points;
  const int steps = spline_mode_ == lsmLines ? 0 : division_;
  if (steps < 2) {
    points.reserve(static_cast<std::size_t>(nodes_.Count()));
    for (int k = 0; k < nodes_.Count(); ++k) points.push_back(nodes_.GetItems(k)->GetAsAffineVector());
    return points;
  }
  const std::unique_ptr<TCubicSpline> spline = nodes_.CreateNewCubicSpline();
  const int last = (nodes_.Count() - 1) * steps;
  for (int i = 0; i <= last; ++i)
    points.push_back(spline->AffineVectorAt(static_cast<float>(i) / static_cast<float>(steps)));
  return points;
}

TGLContours::TGLContours(TMultiPolygonBase* owner)
    : TNotifyCollection(owner, [] { return std::make_unique<TGLContour>(); }) {
  OnNotifyChange = [owner](TObject*) { owner->ContoursChanged(); };
}

int TPolygonList::PointCount() const {
  int count = 0;
  for (const auto& polygon : polygons_) count += polygon->Count();
  return count;
}

TMultiPolygonBase::TMultiPolygonBase(TComponent* owner) : TGLStageObject(owner) {}

void TMultiPolygonBase::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TMultiPolygonBase*>(source)) contours_.Assign(&other->contours_);
  TGLStageObject::Assign(source);
}

TGLNodes& TMultiPolygonBase::Path(int index) {
  Assert(index >= 0, kUnit, __LINE__);
  while (contours_.Count() <= index) contours_.Add();
  return contours_.GetItems(index)->Nodes();
}

const TPolygonList& TMultiPolygonBase::Outline() {
  if (!outline_) {
    auto outline = std::make_unique<TPolygonList>();
    RetrieveOutline(*outline);
    outline_ = std::move(outline);
  }
  return *outline_;
}

void TMultiPolygonBase::ContoursChanged() {
  if (!outline_) return;
  outline_.reset();
  StructureChanged();
}

void TMultiPolygonBase::RetrieveOutline(TPolygonList& list) const {
  list.Clear();
  if (contours_.Count() == 0 || contours_.GetItems(0)->Nodes().Count() < 3) return;
  std::vector<TContourPoints> contours;
  std::vector<bool> reversed;
  for (int i = 0; i < contours_.Count(); ++i) {
    contours.push_back(contours_.GetItems(i)->Points());
    reversed.push_back(i > 0);
  }
  TessellateOutline(contours, reversed, ContourNormal, list);
}

void TMultiPolygonBase::RenderTesselatedPolygon(bool textured, const TAffineVector* normal, bool invertNormals) {
  const TPolygonList& outline = Outline();
  if (outline.Count() == 0 || outline.Item(0).Count() < 2) return;
  if (normal) GL().glNormal3f(normal->x, normal->y, normal->z);
  TessellateFill(outline, invertNormals, normal ? *normal : TAffineVector{0, 0, 0}, textured);
}

void TGLMultiPolygon::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLMultiPolygon*>(source)) parts_ = other->parts_;
  TMultiPolygonBase::Assign(source);
}

void TGLMultiPolygon::SetParts(TPolygonParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}

void TGLMultiPolygon::BuildList(TRenderContextInfo&) {
  if (Outline().Count() == 0) return;
  TAffineVector normal = ContourNormal;
  if (parts_ & ppTop) RenderTesselatedPolygon(true, &normal, false);
  if (parts_ & ppBottom) {
    normal = {-normal.x, -normal.y, -normal.z};
    RenderTesselatedPolygon(true, &normal, true);
  }
}
