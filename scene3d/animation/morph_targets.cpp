#include "scene3d/animation/morph_targets.h"

#include <algorithm>
#include <climits>

#include "gfx3d/core/library_errors.h"
#include "scene3d/meshes/typed_list_reading.h"

namespace {

constexpr const char* kUnit = "GLVectorFileObjects";

template <typename Work>
void ForMorphable(TMeshObjectList& meshes, Work work) {
  for (int i = 0; i < meshes.Count(); ++i)
    if (auto* morphable = dynamic_cast<TMorphableMeshObject*>(&meshes.Item(i))) work(*morphable);
}

}  // namespace

TMeshMorphTarget::TMeshMorphTarget(TMeshMorphTargetList* owner) : owner_(owner) {
  if (owner_) owner_->Add(this);
}

TMeshMorphTarget::~TMeshMorphTarget() {
  if (owner_) owner_->Remove(this);
}

void TMeshMorphTarget::WriteToFiler(TVirtualWriter& writer) const {
  TBaseMeshObject::WriteToFiler(writer);
  writer.WriteInteger(0);
}

void TMeshMorphTarget::ReadFromFiler(TVirtualReader& reader) {
  TBaseMeshObject::ReadFromFiler(reader);
  ReadArchiveVersion(reader, "TMeshMorphTarget", 0);
}

void TMeshMorphTargetList::Translate(const TAffineVector& delta) {
  for (int i = 0; i < Count(); ++i) Item(i).Vertices().TranslateItems(delta);
}

void TMeshMorphTargetList::Clear() {
  for (int i = 0; i < Count(); ++i) Item(i).SetOwner(nullptr);
  FreeItems();
  TPersistentObjectList::Clear();
}

void TMeshMorphTargetList::ReadFromFiler(TVirtualReader& reader) { ReadOwnedItems<TMeshMorphTarget>(*this, reader); }

void TMorphableMeshObject::Clear() {
  TMeshObject::Clear();
  morph_targets_.Clear();
}

void TMorphableMeshObject::Translate(const TAffineVector& delta) {
  TMeshObject::Translate(delta);
  morph_targets_.Translate(delta);
}

void TMorphableMeshObject::MorphTo(int index) {
  if (index == 0 && morph_targets_.Count() == 0) return;
  Assert(index >= 0 && index < morph_targets_.Count(), kUnit, __LINE__);
  const TMeshMorphTarget& target = morph_targets_.Item(index);
  if (target.Vertices().Count() > 0) Vertices().Assign(&target.Vertices());
  if (target.Normals().Count() > 0) Normals().Assign(&target.Normals());
}

void TMorphableMeshObject::Lerp(int index1, int index2, float lerpFactor) {
  Assert(index1 >= 0 && index1 < morph_targets_.Count() && index2 >= 0 && index2 < morph_targets_.Count(), kUnit,
         __LINE__);
  if (lerpFactor == 0) return MorphTo(index1);
  if (lerpFactor == 1) return MorphTo(index2);
  const TMeshMorphTarget& a = morph_targets_.Item(index1);
  const TMeshMorphTarget& b = morph_targets_.Item(index2);
  // Lists of different lengths cannot be blended item by item.
  if (a.Vertices().Count() == b.Vertices().Count()) Vertices().Lerp(a.Vertices(), b.Vertices(), lerpFactor);
  if (a.Normals().Count() == b.Normals().Count()) {
    Normals().Lerp(a.Normals(), b.Normals(), lerpFactor);
    Normals().NormalizeItems();
  }
}

void TMorphableMeshObject::WriteToFiler(TVirtualWriter& writer) const {
  TMeshObject::WriteToFiler(writer);
  writer.WriteInteger(0);
  morph_targets_.WriteToFiler(writer);
}

void TMorphableMeshObject::ReadFromFiler(TVirtualReader& reader) {
  TMeshObject::ReadFromFiler(reader);
  ReadArchiveVersion(reader, "TMorphableMeshObject", 0);
  morph_targets_.ReadFromFiler(reader);
}

int MorphTargetCount(TMeshObjectList& meshes) {
  int count = INT_MAX;
  ForMorphable(meshes, [&](TMorphableMeshObject& mesh) { count = std::min(count, mesh.MorphTargets().Count()); });
  return count == INT_MAX ? 0 : count;
}

void MorphTo(TMeshObjectList& meshes, int index) {
  ForMorphable(meshes, [&](TMorphableMeshObject& mesh) { mesh.MorphTo(index); });
}

void Lerp(TMeshObjectList& meshes, int index1, int index2, float lerpFactor) {
  ForMorphable(meshes, [&](TMorphableMeshObject& mesh) { mesh.Lerp(index1, index2, lerpFactor); });
}

void RegisterMorphTargetClasses() {
  RegisterPersistentClass<TMeshMorphTarget>();
  RegisterPersistentClass<TMorphableMeshObject>();
}
