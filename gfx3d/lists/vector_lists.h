// Lists of affine vectors, homogeneous vectors and quaternions.
#pragma once

#include "gfx3d/lists/typed_list.h"

class TAffineVectorList : public TTypedList<TAffineVector, TBaseVectorList> {
 public:
  std::string ClassName() const override { return "TAffineVectorList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;

  using TTypedList::Add;
  // Appends three items; returns the index of the first.
  int Add3(const TAffineVector& a, const TAffineVector& b, const TAffineVector& c);
  // Appends another list's items, growing once to the exact size.
  void AddList(const TAffineVectorList* other);
  // First item bitwise equal to v, -1 when none.
  int IndexOf(const TAffineVector& v) const;
  int FindOrAdd(const TAffineVector& v);
  void Lerp(const TBaseVectorList& list1, const TBaseVectorList& list2, float t) override;
  void Scale(float factor);
  void ScaleByVector(const TAffineVector& factors);
};

class TVectorList : public TTypedList<TVector4f, TBaseVectorList> {
 public:
  std::string ClassName() const override { return "TVectorList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;

  using TTypedList::Add;
  int AddWithW(const TAffineVector& v, float w);
  int AddPoint(const TAffineVector& v);
  int AddXYZ(float x, float y, float z);
  void Lerp(const TBaseVectorList& list1, const TBaseVectorList& list2, float t) override;
};

class TQuaternionList : public TTypedList<TQuaternion, TBaseVectorList> {
 public:
  std::string ClassName() const override { return "TQuaternionList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;

  // Spherical interpolation of each pair.
  void Lerp(const TBaseVectorList& list1, const TBaseVectorList& list2, float t) override;
  // With another quaternion list: each item followed by the fraction f of the other's rotation.
  void CombineList(const TBaseVectorList& other, float f) override;
};
