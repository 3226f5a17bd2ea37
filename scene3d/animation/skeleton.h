// Skeletons: trees of bones posed by key frames, colliders riding on the
// bones, and mesh objects whose vertices follow weighted bones. A skeleton
// blends frames into its current frame, computes every bone's global matrix
// from it and drags its owner's skinned mesh objects along.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gfx3d/lists/vector_lists.h"
#include "scene3d/animation/morph_targets.h"
#include "scene3d/animation/skeleton_colliders.h"

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

// The key frames a skeleton owns.
class TSkeletonFrameList : public TPersistentObjectList {
 public:
  ~TSkeletonFrameList() override { Clear(); }
  std::string ClassName() const override { return "TSkeletonFrameList"; }
  TSkeletonFrame& Item(int index) const { return *static_cast<TSkeletonFrame*>(Get(index)); }
  int AddFrame(std::unique_ptr<TSkeletonFrame> frame) { return Add(frame.release()); }
  // Frees the frames.
  void Clear();
  void ReadFromFiler(TVirtualReader& reader) override;
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
  // Draws the bones below this list for the skeleton overlay.
  virtual void BuildList(TRenderContextInfo& rci);
  // The bones read become children of this list.
  void ReadFromFiler(TVirtualReader& reader) override;
};

// The bones at the top of a skeleton; they draw in their own colours on white.
class TSkeletonRootBoneList : public TSkeletonBoneList {
 public:
  std::string ClassName() const override { return "TSkeletonRootBoneList"; }
  void BuildList(TRenderContextInfo& rci) override;
};

class TSkeletonBone : public TSkeletonBoneList {
 public:
  // Appends itself to parent when given; leaves it on destruction.
  explicit TSkeletonBone(TSkeletonBoneList* parent = nullptr);
  ~TSkeletonBone() override;
  std::string ClassName() const override { return "TSkeletonBone"; }
  TSkeletonBoneList* Parent() const { return parent_; }
  int BoneID = 0;
  std::string Name;
  // Packed R, G, B, A from the low byte up.
  std::int32_t Color = -1;
  TSkeletonBone* BoneByID(int id) override;
  TSkeletonBone* BoneByName(const std::string& name) override;
  // A point of size 5 at the bone, a line from its parent bone, then its children.
  void BuildList(TRenderContextInfo& rci) override;
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  friend class TSkeletonBoneList;
  friend class TSkeleton;
  TSkeletonBoneList* parent_;
};

// One entry of a blended interpolation: two frames and the factor between
// them, unless the caller supplies a list in place of what the frames give.
struct TBlendedLerpInfo {
  int frameIndex1 = 0;
  int frameIndex2 = 0;
  float lerpFactor = 0;
  float weight = 1;
  const TAffineVectorList* externalPositionList = nullptr;
  const TAffineVectorList* externalRotationList = nullptr;
  const TQuaternionList* externalQuaternionList = nullptr;
};

class TGLBaseMesh;

class TSkeleton : public TPersistentObject {
 public:
  explicit TSkeleton(TGLBaseMesh* owner = nullptr);
  ~TSkeleton() override;
  std::string ClassName() const override { return "TSkeleton"; }
  TGLBaseMesh* Owner() const { return owner_; }
  TSkeletonRootBoneList& RootBones() { return root_bones_; }
  TSkeletonFrameList& Frames() { return frames_; }
  TSkeletonColliderList& Colliders() { return colliders_; }
  int FrameCount() const { return frames_.Count(); }
  // An index outside the frames fails an assertion.
  TSkeletonFrame& Frame(int index);
  TSkeletonFrame& CurrentFrame();
  void SetCurrentFrame(const TSkeletonFrame& frame);
  void Lerp(int frameIndex1, int frameIndex2, float lerpFactor);
  // The first entry is the base pose (scaled by its weight when that is not 1);
  // each further entry is added on top, times its weight: translations add,
  // rotations follow one another. Layered frames thus hold offsets.
  void BlendedLerps(const std::vector<TBlendedLerpInfo>& lerpInfos);
  // The current frame becomes a copy of the reference's, and the meshes follow it.
  void Synchronize(TSkeleton& reference, bool normalizeNormals);
  // Bones and colliders, then skinned mesh objects of the owner, follow the current frame.
  void MorphMesh(bool normalizeNormals);
  // The first bone with that ID depth first, through a cache that is rebuilt
  // whenever the bones change and before every MorphMesh.
  TSkeletonBone* BoneByID(int id);
  void FlushBoneByIDCache() { bones_by_id_.clear(); }
  int BoneCount();
  void Clear();

  // Root bones, frames, colliders. Every frame must pose the same number of
  // bones, with the list of its transform mode as long as its positions.
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  TGLBaseMesh* owner_;
  TSkeletonRootBoneList root_bones_;
  TSkeletonFrameList frames_;
  TSkeletonColliderList colliders_;
  std::unique_ptr<TSkeletonFrame> current_frame_;
  std::unordered_map<int, TSkeletonBone*> bones_by_id_;
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
  // Binds to the skeleton of the mesh that read it, when that skeleton has bones.
  void ReadComplete() override;
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
