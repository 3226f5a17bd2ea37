#include "scene3d/skeleton.h"

#include <cmath>

#include "gfx3d/library_errors.h"
#include "gfx3d/matrix_operations.h"
#include "gfx3d/quaternions.h"
#include "gfx3d/vector_operations.h"
#include "scene3d/base_mesh.h"

namespace {

constexpr const char* kUnit = "GLVectorFileObjects";

int ReadVersion(TVirtualReader& reader, const char* className, int highest) {
  const int version = reader.ReadInteger();
  if (version < 0 || version > highest) RaiseVersionErrorForClass(className, version);
  return version;
}

TAffineVector RotateOnly(const TAffineVector& v, const TMatrix4f& m) {
  return {v.x * m[0].x + v.y * m[1].x + v.z * m[2].x, v.x * m[0].y + v.y * m[1].y + v.z * m[2].y,
          v.x * m[0].z + v.y * m[1].z + v.z * m[2].z};
}

}  // namespace

// ---- Morph targets

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
  ReadVersion(reader, "TMeshMorphTarget", 0);
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
  ReadVersion(reader, "TMorphableMeshObject", 0);
  morph_targets_.ReadFromFiler(reader);
}

// ---- Frames

const std::vector<TMatrix4f>& TSkeletonFrame::LocalMatrixList() {
  if (!matrices_.empty() || Position.Count() == 0) return matrices_;
  matrices_.resize(static_cast<std::size_t>(Position.Count()));
  for (int i = 0; i < Position.Count(); ++i) {
    TMatrix4f m = IdentityMatrix;
    if (TransformMode == sftQuaternion && i < Quaternion.Count()) {
      m = MatrixFromQuaternion(Quaternion.GetItem(i));
    } else if (i < Rotation.Count()) {
      const TAffineVector angles = Rotation.GetItem(i);
      if (angles.x != 0) m = MatrixMultiply(m, RotationMatrixX(std::sin(angles.x), std::cos(angles.x)));
      if (angles.y != 0) m = MatrixMultiply(m, RotationMatrixY(std::sin(angles.y), std::cos(angles.y)));
      if (angles.z != 0) m = MatrixMultiply(m, RotationMatrixZ(std::sin(angles.z), std::cos(angles.z)));
    }
    const TAffineVector p = Position.GetItem(i);
    m[3] = {p.x, p.y, p.z, 1};
    matrices_[static_cast<std::size_t>(i)] = m;
  }
  return matrices_;
}

void TSkeletonFrame::WriteToFiler(TVirtualWriter& writer) const {
  TPersistentObject::WriteToFiler(writer);
  writer.WriteInteger(1);
  writer.WriteString(Name);
  Position.WriteToFiler(writer);
  Rotation.WriteToFiler(writer);
  Quaternion.WriteToFiler(writer);
  writer.WriteInteger(TransformMode);
}

void TSkeletonFrame::ReadFromFiler(TVirtualReader& reader) {
  TPersistentObject::ReadFromFiler(reader);
  const int version = ReadVersion(reader, "TSkeletonFrame", 1);
  Name = reader.ReadString();
  Position.ReadFromFiler(reader);
  Rotation.ReadFromFiler(reader);
  if (version == 1) {
    Quaternion.ReadFromFiler(reader);
    const int mode = reader.ReadInteger();
    if (mode != sftRotation && mode != sftQuaternion) throw EReadError("Unknown skeleton frame transform");
    TransformMode = static_cast<TSkeletonFrameTransform>(mode);
  }
  FlushLocalMatrixList();
}

// ---- Bones

TSkeletonBoneList::~TSkeletonBoneList() { FreeItems(); }

TSkeletonBone& TSkeletonBoneList::Item(int index) const { return *static_cast<TSkeletonBone*>(Get(index)); }

TSkeletonBone* TSkeletonBoneList::BoneByID(int id) {
  for (int i = 0; i < Count(); ++i)
    if (TSkeletonBone* found = Item(i).BoneByID(id)) return found;
  return nullptr;
}

TSkeletonBone* TSkeletonBoneList::BoneByName(const std::string& name) {
  for (int i = 0; i < Count(); ++i)
    if (TSkeletonBone* found = Item(i).BoneByName(name)) return found;
  return nullptr;
}

void TSkeletonBoneList::PrepareGlobalMatrices() {
  const std::vector<TMatrix4f>& local = Skeleton->CurrentFrame().LocalMatrixList();
  for (int i = 0; i < Count(); ++i) {
    TSkeletonBone& bone = Item(i);
    bone.Skeleton = Skeleton;
    const auto id = static_cast<std::size_t>(bone.BoneID);
    bone.GlobalMatrix = bone.BoneID >= 0 && id < local.size() ? MatrixMultiply(local[id], GlobalMatrix) : GlobalMatrix;
    bone.PrepareGlobalMatrices();
  }
}

TSkeletonBone::TSkeletonBone(TSkeletonBoneList* parent) : parent_(parent) {
  if (parent_) {
    parent_->Add(this);
    Skeleton = parent_->Skeleton;
  }
}

TSkeletonBone* TSkeletonBone::BoneByID(int id) { return BoneID == id ? this : TSkeletonBoneList::BoneByID(id); }

TSkeletonBone* TSkeletonBone::BoneByName(const std::string& name) {
  return Name == name ? this : TSkeletonBoneList::BoneByName(name);
}

void TSkeletonBone::WriteToFiler(TVirtualWriter& writer) const {
  TSkeletonBoneList::WriteToFiler(writer);
  writer.WriteInteger(0);
  writer.WriteString(Name);
  writer.WriteInteger(BoneID);
  writer.WriteInteger(Color);
}

void TSkeletonBone::ReadFromFiler(TVirtualReader& reader) {
  TSkeletonBoneList::ReadFromFiler(reader);
  ReadVersion(reader, "TSkeletonBone", 0);
  Name = reader.ReadString();
  BoneID = reader.ReadInteger();
  Color = reader.ReadInteger();
  for (int i = 0; i < Count(); ++i) {
    auto* child = dynamic_cast<TSkeletonBone*>(Get(i));
    if (!child) throw EReadError("Bone list holds another kind of object");
    child->parent_ = this;
  }
}

// ---- Skeleton

TSkeleton::TSkeleton(TGLBaseMesh* owner) : owner_(owner) { root_bones_.Skeleton = this; }

TSkeleton::~TSkeleton() = default;

TSkeletonFrame& TSkeleton::CurrentFrame() {
  if (!current_frame_) {
    current_frame_ = std::make_unique<TSkeletonFrame>();
    if (!frames_.empty()) current_frame_->Assign(frames_.front().get());
  }
  return *current_frame_;
}

void TSkeleton::SetCurrentFrame(const TSkeletonFrame& frame) {
  current_frame_ = std::make_unique<TSkeletonFrame>();
  current_frame_->Assign(&frame);
  current_frame_->FlushLocalMatrixList();
}

void TSkeleton::Lerp(int frameIndex1, int frameIndex2, float lerpFactor) {
  Assert(frameIndex1 >= 0 && frameIndex1 < FrameCount() && frameIndex2 >= 0 && frameIndex2 < FrameCount(), kUnit,
         __LINE__);
  const TSkeletonFrame& a = *frames_[static_cast<std::size_t>(frameIndex1)];
  const TSkeletonFrame& b = *frames_[static_cast<std::size_t>(frameIndex2)];
  auto frame = std::make_unique<TSkeletonFrame>();
  frame->TransformMode = a.TransformMode;
  frame->Position.Lerp(a.Position, b.Position, lerpFactor);
  if (a.TransformMode == sftRotation)
    frame->Rotation.SlerpAngles(a.Rotation, b.Rotation, lerpFactor);
  else
    frame->Quaternion.Lerp(a.Quaternion, b.Quaternion, lerpFactor);
  current_frame_ = std::move(frame);
}

void TSkeleton::MorphMesh(bool normalizeNormals) {
  if (root_bones_.Count() == 0) return;
  root_bones_.PrepareGlobalMatrices();
  if (!owner_) return;
  TMeshObjectList& meshes = owner_->MeshObjects();
  for (int i = 0; i < meshes.Count(); ++i)
    if (auto* skinned = dynamic_cast<TSkeletonMeshObject*>(&meshes.Item(i)))
      skinned->ApplyCurrentSkeletonFrame(*this, normalizeNormals);
}

int TSkeleton::BoneCount() {
  int count = 0;
  std::vector<TSkeletonBoneList*> pending{&root_bones_};
  while (!pending.empty()) {
    TSkeletonBoneList* list = pending.back();
    pending.pop_back();
    count += list->Count();
    for (int i = 0; i < list->Count(); ++i) pending.push_back(&list->Item(i));
  }
  return count;
}

void TSkeleton::Clear() {
  root_bones_.FreeItems();
  root_bones_.TPersistentObjectList::Clear();
  frames_.clear();
  current_frame_.reset();
}

// ---- Skinned mesh objects

void TSkeletonMeshObject::ResizeWeights(int rows, int bonesPerVertex) {
  Assert(rows >= 0 && bonesPerVertex >= 0, kUnit, __LINE__);
  std::vector<TVertexBoneWeight> resized(static_cast<std::size_t>(rows) * static_cast<std::size_t>(bonesPerVertex));
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int s = 0; s < std::min(bonesPerVertex, bones_per_vertex_); ++s)
      resized[static_cast<std::size_t>(r * bonesPerVertex + s)] = Weight(r, s);
  weights_ = std::move(resized);
  rows_ = rows;
  bones_per_vertex_ = bonesPerVertex;
}

void TSkeletonMeshObject::CheckWeights(TSkeleton& skeleton) const {
  if (rows_ < Vertices().Count()) throw EReadError("Bone weights missing for some vertices");
  for (const TVertexBoneWeight& weight : weights_)
    if (weight.Weight != 0 && !skeleton.RootBones().BoneByID(weight.BoneID))
      throw EReadError("Bone weight names a bone the skeleton lacks");
}

void TSkeletonMeshObject::PrepareBoneMatrixInvertedMeshes(TSkeleton& skeleton) {
  CheckWeights(skeleton);
  skeleton.RootBones().PrepareGlobalMatrices();
  bind_vertices_.assign(static_cast<std::size_t>(bones_per_vertex_), {});
  bind_normals_.assign(static_cast<std::size_t>(bones_per_vertex_), {});
  for (int slot = 0; slot < bones_per_vertex_; ++slot) {
    TAffineVectorList& vertices = bind_vertices_[static_cast<std::size_t>(slot)];
    TAffineVectorList& normals = bind_normals_[static_cast<std::size_t>(slot)];
    vertices.Assign(&Vertices());
    normals.Assign(&Normals());
    for (int i = 0; i < vertices.Count(); ++i) {
      TSkeletonBone* bone = skeleton.RootBones().BoneByID(Weight(i, slot).BoneID);
      if (!bone) continue;
      TMatrix4f inverse = bone->GlobalMatrix;
      InvertMatrix(inverse);
      vertices.SetItem(i, AffineVectorTransform(vertices.GetItem(i), inverse));
      if (i < normals.Count()) normals.SetItem(i, RotateOnly(normals.GetItem(i), inverse));
    }
  }
}

void TSkeletonMeshObject::ApplyCurrentSkeletonFrame(TSkeleton& skeleton, bool normalizeNormals) {
  if (bind_vertices_.empty()) return;
  CheckWeights(skeleton);
  for (int i = 0; i < Vertices().Count(); ++i) {
    TAffineVector vertex{0, 0, 0}, normal{0, 0, 0};
    for (int slot = 0; slot < bones_per_vertex_; ++slot) {
      const TVertexBoneWeight& weight = Weight(i, slot);
      const float factor = bones_per_vertex_ == 1 ? 1.0f : weight.Weight;
      if (factor == 0) continue;
      TSkeletonBone* bone = skeleton.RootBones().BoneByID(weight.BoneID);
      if (!bone) continue;
      const auto& bind = bind_vertices_[static_cast<std::size_t>(slot)];
      vertex = AffineVectorAdd(vertex,
                               AffineVectorScale(AffineVectorTransform(bind.GetItem(i), bone->GlobalMatrix), factor));
      const auto& bindNormals = bind_normals_[static_cast<std::size_t>(slot)];
      if (i < bindNormals.Count())
        normal =
            AffineVectorAdd(normal, AffineVectorScale(RotateOnly(bindNormals.GetItem(i), bone->GlobalMatrix), factor));
    }
    Vertices().SetItem(i, vertex);
    if (i < Normals().Count()) Normals().SetItem(i, normal);
  }
  if (normalizeNormals) Normals().NormalizeItems();
}

void TSkeletonMeshObject::WriteToFiler(TVirtualWriter& writer) const {
  TMorphableMeshObject::WriteToFiler(writer);
  writer.WriteInteger(0);
  writer.WriteInteger(rows_);
  writer.WriteInteger(bones_per_vertex_);
  if (!weights_.empty()) writer.Write(weights_.data(), weights_.size() * sizeof(TVertexBoneWeight));
}

void TSkeletonMeshObject::ReadFromFiler(TVirtualReader& reader) {
  TMorphableMeshObject::ReadFromFiler(reader);
  ReadVersion(reader, "TSkeletonMeshObject", 0);
  const int rows = reader.ReadInteger();
  const int perVertex = reader.ReadInteger();
  // The table must fit in what the stream still holds before anything is reserved.
  if (rows < 0 || perVertex < 0 ||
      static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(perVertex) * sizeof(TVertexBoneWeight) >
          reader.Stream().Remaining())
    throw EReadError("Bone weight table beyond the archive");
  std::vector<TVertexBoneWeight> weights(static_cast<std::size_t>(rows) * static_cast<std::size_t>(perVertex));
  if (!weights.empty()) reader.Read(weights.data(), weights.size() * sizeof(TVertexBoneWeight));
  weights_ = std::move(weights);
  rows_ = rows;
  bones_per_vertex_ = perVertex;
}

void RegisterSkeletonClasses() {
  RegisterPersistentClass<TMeshMorphTarget>();
  RegisterPersistentClass<TMorphableMeshObject>();
  RegisterPersistentClass<TSkeletonFrame>();
  RegisterPersistentClass<TSkeletonBone>();
  RegisterPersistentClass<TSkeletonMeshObject>();
}
