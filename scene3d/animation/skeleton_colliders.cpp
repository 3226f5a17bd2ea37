#include "scene3d/animation/skeleton_colliders.h"

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/matrix_operations.h"
#include "scene3d/animation/skeleton.h"
#include "scene3d/meshes/typed_list_reading.h"

TSkeletonCollider::TSkeletonCollider(TSkeletonColliderList* owner) : owner_(owner) {
  if (owner_) owner_->Add(this);
}

TSkeletonCollider::~TSkeletonCollider() {
  if (owner_) owner_->Remove(this);
}

void TSkeletonCollider::AlignCollider(TSkeleton& skeleton) {
  const TSkeletonBone* bone = skeleton.BoneByID(BoneID);
  global_matrix_ = bone ? MatrixMultiply(LocalMatrix, bone->GlobalMatrix) : LocalMatrix;
}

void TSkeletonCollider::WriteToFiler(TVirtualWriter& writer) const {
  TPersistentObject::WriteToFiler(writer);
  writer.WriteInteger(0);
  writer.WriteInteger(BoneID);
  writer.Write(&LocalMatrix, sizeof LocalMatrix);
}

void TSkeletonCollider::ReadFromFiler(TVirtualReader& reader) {
  TPersistentObject::ReadFromFiler(reader);
  ReadArchiveVersion(reader, "TSkeletonCollider", 0);
  const int boneID = reader.ReadInteger();
  if (reader.Stream().Remaining() < sizeof LocalMatrix) throw EReadError("Collider matrix beyond the archive");
  TMatrix4f local;
  reader.Read(&local, sizeof local);
  BoneID = boneID;
  LocalMatrix = local;
  global_matrix_ = local;
}

void TSkeletonColliderList::AlignColliders(TSkeleton& skeleton) {
  for (int i = 0; i < Count(); ++i) Item(i).AlignCollider(skeleton);
}

void TSkeletonColliderList::Clear() {
  for (int i = 0; i < Count(); ++i) Item(i).SetOwner(nullptr);
  FreeItems();
  TPersistentObjectList::Clear();
}

void TSkeletonColliderList::ReadFromFiler(TVirtualReader& reader) { ReadOwnedItems<TSkeletonCollider>(*this, reader); }

void RegisterSkeletonColliderClasses() {
  RegisterPersistentClass<TSkeletonCollider>();
  RegisterPersistentClass<TSkeletonColliderList>();
}
