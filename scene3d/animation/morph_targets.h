// Mesh objects that morph between stored vertex sets: each target holds a
// whole vertex list (and normal list) of the mesh object it belongs to.
#pragma once

#include <string>

#include "gfx3d/lists/vector_lists.h"
#include "scene3d/meshes/mesh_objects.h"

class TMeshMorphTargetList;

class TMeshMorphTarget : public TBaseMeshObject {
 public:
  explicit TMeshMorphTarget(TMeshMorphTargetList* owner = nullptr);
  ~TMeshMorphTarget() override;
  TMeshMorphTarget(const TMeshMorphTarget&) = delete;
  TMeshMorphTarget& operator=(const TMeshMorphTarget&) = delete;
  std::string ClassName() const override { return "TMeshMorphTarget"; }
  void SetOwner(TMeshMorphTargetList* owner) { owner_ = owner; }
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  TMeshMorphTargetList* owner_;
};

class TMeshMorphTargetList : public TPersistentObjectList {
 public:
  ~TMeshMorphTargetList() override { Clear(); }
  std::string ClassName() const override { return "TMeshMorphTargetList"; }
  TMeshMorphTarget& Item(int index) const { return *static_cast<TMeshMorphTarget*>(Get(index)); }
  void Translate(const TAffineVector& delta);
  void Clear();
  void ReadFromFiler(TVirtualReader& reader) override;
};

class TMorphableMeshObject : public TMeshObject {
 public:
  using TMeshObject::TMeshObject;
  std::string ClassName() const override { return "TMorphableMeshObject"; }
  TMeshMorphTargetList& MorphTargets() { return morph_targets_; }
  void Clear() override;
  void Translate(const TAffineVector& delta) override;
  void MorphTo(int index);
  void Lerp(int index1, int index2, float lerpFactor);
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  TMeshMorphTargetList morph_targets_;
};

// The morph operations of a mesh list, applied to its morphable items.
// The target count is the smallest among them, 0 when there is none.
int MorphTargetCount(TMeshObjectList& meshes);
void MorphTo(TMeshObjectList& meshes, int index);
void Lerp(TMeshObjectList& meshes, int index1, int index2, float lerpFactor);

void RegisterMorphTargetClasses();
