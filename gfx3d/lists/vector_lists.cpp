#include "gfx3d/lists/vector_lists.h"

#include <cstring>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/quaternions.h"
#include "gfx3d/math/vector_operations.h"

namespace {

constexpr const char* kUnit = "Source/Base/VectorLists";

// Interpolation only between two lists of the list's own class: sizes the list
// like the first and lets fill(from, to, count) compute the items.
template <typename List, typename Fill>
void InterpolateLists(List& list, const TBaseVectorList& list1, const TBaseVectorList& list2, Fill fill) {
  const auto* from = dynamic_cast<const List*>(&list1);
  const auto* to = dynamic_cast<const List*>(&list2);
  if (!from || !to) return;
  Assert(from->Count() == to->Count(), kUnit, 0);
  list.SetCapacity(from->Count());
  list.SetCount(from->Count());
  fill(*from, *to, static_cast<std::size_t>(list.Count()));
}

}  // namespace

std::unique_ptr<TPersistentObject> TAffineVectorList::CreateOfSameClass() const {
  return std::make_unique<TAffineVectorList>();
}

int TAffineVectorList::Add3(const TAffineVector& a, const TAffineVector& b, const TAffineVector& c) {
  const int first = AppendSlots(3);
  List()[first] = a;
  List()[first + 1] = b;
  List()[first + 2] = c;
  return first;
}

void TAffineVectorList::AddList(const TAffineVectorList* other) {
  if (!other || other->Count() == 0) return;
  const int first = Count();
  const int n = other->Count();
  EnsureCapacity(first + n);
  SetCount(first + n);
  std::memcpy(List() + first, other->List(), static_cast<std::size_t>(n) * sizeof(TAffineVector));
}

int TAffineVectorList::IndexOf(const TAffineVector& v) const {
  for (int i = 0; i < Count(); ++i)
    if (AffineVectorEquals(List()[i], v)) return i;
  return -1;
}

int TAffineVectorList::FindOrAdd(const TAffineVector& v) {
  const int found = IndexOf(v);
  return found >= 0 ? found : Add(v);
}

void TAffineVectorList::Lerp(const TBaseVectorList& list1, const TBaseVectorList& list2, float t) {
  InterpolateLists(*this, list1, list2, [&](const TAffineVectorList& from, const TAffineVectorList& to, std::size_t n) {
    AffineVectorArrayLerp(from.List(), to.List(), t, n, List());
  });
}

void TAffineVectorList::Scale(float factor) {
  if (Count() == 0 || factor == 1.0f) return;
  ScaleFloatArray(&List()->x, static_cast<std::size_t>(Count()) * 3, factor);
}

void TAffineVectorList::ScaleByVector(const TAffineVector& factors) {
  for (int i = 0; i < Count(); ++i) ScaleAffineVectorComponents(List()[i], factors);
}

std::unique_ptr<TPersistentObject> TVectorList::CreateOfSameClass() const { return std::make_unique<TVectorList>(); }

int TVectorList::AddWithW(const TAffineVector& v, float w) { return Add(Vector4FromAffine(v, w)); }
int TVectorList::AddPoint(const TAffineVector& v) { return Add(PointFromAffine(v)); }
int TVectorList::AddXYZ(float x, float y, float z) { return Add(PointFromXYZ(x, y, z)); }

void TVectorList::Lerp(const TBaseVectorList& list1, const TBaseVectorList& list2, float t) {
  InterpolateLists(*this, list1, list2, [&](const TVectorList& from, const TVectorList& to, std::size_t n) {
    VectorArrayLerp(from.List(), to.List(), t, n, List());
  });
}

std::unique_ptr<TPersistentObject> TQuaternionList::CreateOfSameClass() const {
  return std::make_unique<TQuaternionList>();
}

void TQuaternionList::Lerp(const TBaseVectorList& list1, const TBaseVectorList& list2, float t) {
  InterpolateLists(*this, list1, list2, [&](const TQuaternionList& from, const TQuaternionList& to, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) List()[i] = QuaternionSlerp(from.List()[i], to.List()[i], t);
  });
}

void TQuaternionList::CombineList(const TBaseVectorList& other, float f) {
  Assert(other.Count() >= Count(), kUnit, 2718);
  const auto* quaternions = dynamic_cast<const TQuaternionList*>(&other);
  if (!quaternions) {
    TBaseVectorList::CombineList(other, f);
    return;
  }
  for (int i = 0; i < Count(); ++i) List()[i] = QuaternionCombine(List()[i], quaternions->List()[i], f);
}
