// Animation data of meshes: mesh objects that morph between stored vertex
// sets, skeletons of bones with key frames, and mesh objects whose vertices
// follow weighted bones.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx3d/vector_lists.h"
#include "scene3d/mesh_objects.h"

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
  void Clear();
  void Translate(const TAffineVector& delta);
  void MorphTo(int index);
  void Lerp(int index1, int index2, float lerpFactor);
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  TMeshMorphTargetList morph_targets_;
};

enum TSkeletonFrameTransform : std::uint8_t { sftRotation, sftQuaternion };

class TSkeletonFrame : public TPersistentObject {
 public:
  std::string ClassName() const override { return "TSkeletonFrame"; }
  std::string Name;
  TAffineVectorList Position;
  TAffineVectorList Rotation;  // Euler angles X, Y, Z in radians per bone
  TQuaternionList Quaternion;
  TSkeletonFrameTransform TransformMode = sftRotation;
  // The local matrix of each bone, computed on demand.
  const std::vector<TMatrix4f>& LocalMatrixList();
  void FlushLocalMatrixList() { matrices_.clear(); }
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  std::vector<TMatrix4f> matrices_;
};

class TSkeleton;
class TSkeletonBone;

// Child bones and the global matrix they hang from.
class TSkeletonBoneList : public TPersistentObjectList {
 public:
  ~TSkeletonBoneList() override;
  std::string ClassName() const override { return "TSkeletonBoneList"; }
  TSkeletonBone& Item(int index) const;
  TMatrix4f GlobalMatrix = IdentityMatrix;
  TSkeleton* Skeleton = nullptr;
  // Depth first, the bone itself before its children.
  virtual TSkeletonBone* BoneByID(int id);
  virtual TSkeletonBone* BoneByName(const std::string& name);
  // The global matrices below this list, from the skeleton's current frame.
  void PrepareGlobalMatrices();
};

class TSkeletonBone : public TSkeletonBoneList {
 public:
  explicit TSkeletonBone(TSkeletonBoneList* parent = nullptr);
  std::string ClassName() const override { return "TSkeletonBone"; }
  TSkeletonBoneList* Parent() const { return parent_; }
  int BoneID = 0;
  std::string Name;
  std::int32_t Color = -1;
  TSkeletonBone* BoneByID(int id) override;
  TSkeletonBone* BoneByName(const std::string& name) override;
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  friend class TSkeletonBoneList;
  TSkeletonBoneList* parent_;
};

class TGLBaseMesh;

class TSkeleton : public TPersistentObject {
 public:
  explicit TSkeleton(TGLBaseMesh* owner = nullptr);
  ~TSkeleton() override;
  std::string ClassName() const override { return "TSkeleton"; }
  TSkeletonBoneList& RootBones() { return root_bones_; }
  std::vector<std::unique_ptr<TSkeletonFrame>>& Frames() { return frames_; }
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  TSkeletonFrame& CurrentFrame();
  void SetCurrentFrame(const TSkeletonFrame& frame);
  void Lerp(int frameIndex1, int frameIndex2, float lerpFactor);
  // Bones, then skinned mesh objects of the owner, follow the current frame.
  void MorphMesh(bool normalizeNormals);
  int BoneCount();
  void Clear();

 private:
  TGLBaseMesh* owner_;
  TSkeletonBoneList root_bones_;
  std::vector<std::unique_ptr<TSkeletonFrame>> frames_;
  std::unique_ptr<TSkeletonFrame> current_frame_;
};

struct TVertexBoneWeight {
  std::int32_t BoneID = 0;
  float Weight = 0;
};

class TSkeletonMeshObject : public TMorphableMeshObject {
 public:
  using TMorphableMeshObject::TMorphableMeshObject;
  std::string ClassName() const override { return "TSkeletonMeshObject"; }
  int VerticeBoneWeightCount() const { return rows_; }
  int BonesPerVertex() const { return bones_per_vertex_; }
  // Keeps the overlapping part of the old table.
  void ResizeWeights(int rows, int bonesPerVertex);
  TVertexBoneWeight& Weight(int row, int slot) {
    return weights_[static_cast<std::size_t>(row * bones_per_vertex_ + slot)];
  }
  // One copy of the vertices and normals per bone slot, in each bone's own frame.
  void PrepareBoneMatrixInvertedMeshes(TSkeleton& skeleton);
  void ApplyCurrentSkeletonFrame(TSkeleton& skeleton, bool normalizeNormals);
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  // Every row must name a bone the skeleton has and every vertex a row.
  void CheckWeights(TSkeleton& skeleton) const;

  int rows_ = 0;
  int bones_per_vertex_ = 0;
  std::vector<TVertexBoneWeight> weights_;
  std::vector<TAffineVectorList> bind_vertices_, bind_normals_;
};

void RegisterSkeletonClasses();
