#include "gfx3d/geometry/nodes.h"

#include <charconv>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"

namespace {

// Fixed four decimals with "." whatever the process locale says.
std::string FormatFixed4(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  return std::string(buffer, result.ptr);
}

}  // namespace

void TGLNode::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLNode*>(source)) {
    coords_ = other->coords_;
    return;
  }
  TCollectionItem::Assign(source);
}

std::string TGLNode::GetDisplayName() const {
  return FormatFixed4(coords_.x) + "; " + FormatFixed4(coords_.y) + "; " + FormatFixed4(coords_.z);
}

void TGLNode::SetAsVector(const TVector4f& v) {
  coords_ = v;
  if (auto* nodes = dynamic_cast<TGLNodes*>(Collection())) nodes->NotifyChange();
}

void TGLNode::SetCoordinate(int index, float value) {
  Assert(index >= 0 && index <= 3, "GLMisc", 0);
  TVector4f v = coords_;
  v[index] = value;
  SetAsVector(v);
}

TGLNodes::TGLNodes(TPersistent* owner, TItemClass itemClass)
    : TOwnedCollection(
          owner, itemClass ? std::move(itemClass) : [] { return std::make_unique<TGLNode>(); }) {}

std::unique_ptr<TGLNodes> TGLNodes::CreateCopy(TPersistent* owner) const {
  auto copy = std::make_unique<TGLNodes>(owner, ItemClass());
  copy->Assign(this);
  return copy;
}

void TGLNodes::AddNode(float x, float y, float z) { Add()->SetAsVector({x, y, z, 1}); }

TAffineVector TGLNodes::Barycenter() const {
  TAffineVector sum;
  if (Count() == 0) return sum;
  for (int i = 0; i < Count(); ++i) AddAffineVector(sum, GetItems(i)->GetAsAffineVector());
  return AffineVectorScale(sum, 1.0f / static_cast<float>(Count()));
}

TAffineVector TGLNodes::Normal() const {
  if (Count() < 3) return {};
  return TriangleNormal(GetItems(0)->GetAsAffineVector(), GetItems(1)->GetAsAffineVector(),
                        GetItems(2)->GetAsAffineVector());
}

TAffineVector TGLNodes::Vector(int i) const {
  Assert(i >= 0 && i < Count(), "GLMisc", 1276);
  auto at = [this](int k) { return GetItems(k)->GetAsAffineVector(); };
  TAffineVector tangent;
  if (i == 0) {
    if (Count() > 1) tangent = AffineVectorSubtract(at(1), at(0));
  } else if (i < Count() - 1) {
    tangent = AffineVectorSubtract(at(i + 1), at(i - 1));
  } else {
    tangent = AffineVectorSubtract(at(i), at(i - 1));
  }
  if (AffineVectorSquaredLength(tangent) < 1e-5f) return {};
  return AffineVectorNormalize(tangent);
}

void TGLNodes::Translate(const TAffineVector& v) {
  for (int i = 0; i < Count(); ++i) {
    TVector4f* p = GetItems(i)->AsAddress();
    p->x += v.x;
    p->y += v.y;
    p->z += v.z;
  }
  NotifyChange();
}

void TGLNodes::RotateAroundY(float angleDegrees) {
  const float angle = DegToRad(angleDegrees);
  for (int i = 0; i < Count(); ++i) {
    TVector4f* p = GetItems(i)->AsAddress();
    const TAffineVector turned = RotateAboutY(GetItems(i)->GetAsAffineVector(), angle);
    p->x = turned.x;
    p->z = turned.z;
  }
  NotifyChange();
}

std::unique_ptr<TCubicSpline> TGLNodes::CreateNewCubicSpline() const {
  std::vector<float> x(static_cast<std::size_t>(Count())), y(x.size()), z(x.size());
  for (int i = 0; i < Count(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    x[k] = GetItems(i)->X();
    y[k] = GetItems(i)->Y();
    z[k] = GetItems(i)->Z();
  }
  return std::make_unique<TCubicSpline>(x.data(), y.data(), z.data(), nullptr, Count());
}

void TGLNodes::NotifyChange() {
  if (UpdateCount() != 0) return;
  if (auto* owner = dynamic_cast<TGLUpdateAbleComponent*>(GetOwner())) owner->NotifyChange(this);
}

void TGLNodes::Update(TCollectionItem* item) {
  TOwnedCollection::Update(item);
  NotifyChange();
}
