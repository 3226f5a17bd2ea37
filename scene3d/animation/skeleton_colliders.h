// Collision volumes that ride on a skeleton's bones: each collider names a
// bone and holds its own placement relative to it; aligning takes it to
// where the bone is in the current frame.
#pragma once

#include <string>

#include "gfx3d/lists/persistent_object_list.h"
#include "gfx3d/math/vector_types.h"

class TSkeleton;
class TSkeletonColliderList;

class TSkeletonCollider : public TPersistentObject {
 public:
  // Appends itself to owner when given; leaves it on destruction.
  explicit TSkeletonCollider(TSkeletonColliderList* owner = nullptr);
  ~TSkeletonCollider() override;
  TSkeletonCollider(const TSkeletonCollider&) = delete;
  TSkeletonCollider& operator=(const TSkeletonCollider&) = delete;
  std::string ClassName() const override { return "TSkeletonCollider"; }
  TSkeletonColliderList* Owner() const { return owner_; }
  void SetOwner(TSkeletonColliderList* owner) { owner_ = owner; }

  int BoneID = 0;
  // The collider in its bone's frame.
  TMatrix4f LocalMatrix = IdentityMatrix;
  // The collider in the skeleton's frame, as of the last alignment.
  const TMatrix4f& GlobalMatrix() const { return global_matrix_; }
  // Follows the bone's global matrix; a collider whose bone is gone hangs from the skeleton's origin.
  virtual void AlignCollider(TSkeleton& skeleton);

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  TSkeletonColliderList* owner_;
  TMatrix4f global_matrix_ = IdentityMatrix;
};

class TSkeletonColliderList : public TPersistentObjectList {
 public:
  ~TSkeletonColliderList() override { Clear(); }
  std::string ClassName() const override { return "TSkeletonColliderList"; }
  TSkeletonCollider& Item(int index) const { return *static_cast<TSkeletonCollider*>(Get(index)); }
  void AlignColliders(TSkeleton& skeleton);
  // Frees the colliders.
  void Clear();
  void ReadFromFiler(TVirtualReader& reader) override;
};

void RegisterSkeletonColliderClasses();
