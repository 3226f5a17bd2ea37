#include "scene3d/animation/skeleton.h"

#include <cmath>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/quaternions.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/typed_list_reading.h"

namespace {

constexpr const char* kUnit = "GLVectorFileObjects";

TAffineVector RotateOnly(const TAffineVector& v, const TMatrix4f& m) {
  return {v.x * m[0].x + v.y * m[1].x + v.z * m[2].x, v.x * m[0].y + v.y * m[1].y + v.z * m[2].y,
          v.x * m[0].z + v.y * m[1].z + v.z * m[2].z};
}

float ColorByte(std::int32_t color, int byte) {
  return static_cast<float>((static_cast<std::uint32_t>(color) >> (8 * byte)) & 0xFFu) / 255.0f;
}

// One list of a blend entry: the caller's, or the entry's two frames interpolated.
template <typename List, typename Interpolate>
void EntryList(const List* external, List& list, Interpolate interpolate) {
  if (external)
    list.Assign(external);
  else
    interpolate(list);
}

// Depth first, each bone before its children, as BoneByID searches: the first bone of an ID comes first.
template <typename Visit>
void ForEachBone(TSkeletonBoneList& bones, Visit visit) {
  std::vector<TSkeletonBone*> pending;
  for (int i = bones.Count() - 1; i >= 0; --i) pending.push_back(&bones.Item(i));
  while (!pending.empty()) {
    TSkeletonBone& bone = *pending.back();
    pending.pop_back();
    visit(bone);
    for (int i = bone.Count() - 1; i >= 0; --i) pending.push_back(&bone.Item(i));
  }
}

// The fraction weight of each rotation, from no turn at all.
void ScaleQuaternions(TQuaternionList& quaternions, float weight) {
  for (int i = 0; i < quaternions.Count(); ++i)
    quaternions.List()[i] = QuaternionSlerp(IdentityQuaternion, quaternions.List()[i], weight);
}

}  // namespace

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
  const int version = ReadArchiveVersion(reader, "TSkeletonFrame", 1);
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

void TSkeletonFrameList::Clear() {
  FreeItems();
  TPersistentObjectList::Clear();
}

void TSkeletonFrameList::ReadFromFiler(TVirtualReader& reader) {
  std::vector<std::unique_ptr<TSkeletonFrame>> read = ReadItemsOfKind<TSkeletonFrame>(reader, "Frame list");
  Clear();
  for (auto& frame : read) AddFrame(std::move(frame));
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

void TSkeletonBoneList::BuildList(TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i) Item(i).BuildList(rci);
}

void TSkeletonBoneList::ReadFromFiler(TVirtualReader& reader) {
  std::vector<std::unique_ptr<TSkeletonBone>> read = ReadItemsOfKind<TSkeletonBone>(reader, "Bone list");
  FreeItems();
  TPersistentObjectList::Clear();
  for (auto& bone : read) {
    bone->parent_ = this;
    bone->Skeleton = Skeleton;
    Add(bone.release());
  }
}

void TSkeletonRootBoneList::BuildList(TRenderContextInfo& rci) {
  auto& gl = GL();
  gl.glDisable(GL_COLOR_MATERIAL);
  gl.glDisable(GL_LIGHTING);
  gl.glColor3f(1, 1, 1);
  TSkeletonBoneList::BuildList(rci);
}

TSkeletonBone::TSkeletonBone(TSkeletonBoneList* parent) : parent_(parent) {
  if (!parent_) return;
  parent_->Add(this);
  Skeleton = parent_->Skeleton;
  if (Skeleton) Skeleton->FlushBoneByIDCache();
}

TSkeletonBone::~TSkeletonBone() {
  if (parent_) parent_->Remove(this);
  if (Skeleton) Skeleton->FlushBoneByIDCache();
}

TSkeletonBone* TSkeletonBone::BoneByID(int id) { return BoneID == id ? this : TSkeletonBoneList::BoneByID(id); }

TSkeletonBone* TSkeletonBone::BoneByName(const std::string& name) {
  return Name == name ? this : TSkeletonBoneList::BoneByName(name);
}

void TSkeletonBone::BuildList(TRenderContextInfo& rci) {
  auto& gl = GL();
  gl.glColor4f(ColorByte(Color, 0), ColorByte(Color, 1), ColorByte(Color, 2), ColorByte(Color, 3));
  const TVector4f& here = GlobalMatrix[3];
  gl.glPointSize(5);
  gl.glBegin(GL_POINTS);
  gl.glVertex3fv(&here.x);
  gl.glEnd();
  if (const auto* parentBone = dynamic_cast<const TSkeletonBone*>(parent_)) {
    gl.glBegin(GL_LINES);
    gl.glVertex3fv(&parentBone->GlobalMatrix[3].x);
    gl.glVertex3fv(&here.x);
    gl.glEnd();
  }
  TSkeletonBoneList::BuildList(rci);
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
  ReadArchiveVersion(reader, "TSkeletonBone", 0);
  Name = reader.ReadString();
  BoneID = reader.ReadInteger();
  Color = reader.ReadInteger();
}

// ---- Skeleton

TSkeleton::TSkeleton(TGLBaseMesh* owner) : owner_(owner) { root_bones_.Skeleton = this; }

// The bones go while the cache they flush is still there.
TSkeleton::~TSkeleton() { Clear(); }

TSkeletonFrame& TSkeleton::Frame(int index) {
  Assert(index >= 0 && index < FrameCount(), kUnit, __LINE__);
  return frames_.Item(index);
}

TSkeletonFrame& TSkeleton::CurrentFrame() {
  if (!current_frame_) {
    current_frame_ = std::make_unique<TSkeletonFrame>();
    if (FrameCount() > 0) current_frame_->Assign(&frames_.Item(0));
  }
  return *current_frame_;
}

void TSkeleton::SetCurrentFrame(const TSkeletonFrame& frame) {
  current_frame_ = std::make_unique<TSkeletonFrame>();
  current_frame_->Assign(&frame);
  current_frame_->FlushLocalMatrixList();
}

void TSkeleton::Lerp(int frameIndex1, int frameIndex2, float lerpFactor) {
  const TSkeletonFrame& a = Frame(frameIndex1);
  const TSkeletonFrame& b = Frame(frameIndex2);
  auto frame = std::make_unique<TSkeletonFrame>();
  frame->TransformMode = a.TransformMode;
  frame->Position.Lerp(a.Position, b.Position, lerpFactor);
  if (a.TransformMode == sftRotation)
    frame->Rotation.SlerpAngles(a.Rotation, b.Rotation, lerpFactor);
  else
    frame->Quaternion.Lerp(a.Quaternion, b.Quaternion, lerpFactor);
  current_frame_ = std::move(frame);
}

void TSkeleton::BlendedLerps(const std::vector<TBlendedLerpInfo>& lerpInfos) {
  Assert(!lerpInfos.empty(), kUnit, __LINE__);
  const TBlendedLerpInfo& base = lerpInfos.front();
  if (lerpInfos.size() == 1) return Lerp(base.frameIndex1, base.frameIndex2, base.lerpFactor);
  auto frame = std::make_unique<TSkeletonFrame>();
  frame->TransformMode = Frame(base.frameIndex1).TransformMode;
  for (std::size_t i = 0; i < lerpInfos.size(); ++i) {
    const TBlendedLerpInfo& info = lerpInfos[i];
    const TSkeletonFrame& a = Frame(info.frameIndex1);
    const TSkeletonFrame& b = Frame(info.frameIndex2);
    const bool first = i == 0;
    TAffineVectorList positions;
    EntryList(info.externalPositionList, first ? frame->Position : positions,
              [&](TAffineVectorList& list) { list.Lerp(a.Position, b.Position, info.lerpFactor); });
    if (first)
      frame->Position.Scale(info.weight);
    else
      frame->Position.CombineItems(positions, info.weight);
    if (frame->TransformMode == sftRotation) {
      TAffineVectorList rotations;
      EntryList(info.externalRotationList, first ? frame->Rotation : rotations,
                [&](TAffineVectorList& list) { list.SlerpAngles(a.Rotation, b.Rotation, info.lerpFactor); });
      if (first)
        frame->Rotation.Scale(info.weight);
      else
        frame->Rotation.CombineItems(rotations, info.weight);
    } else {
      TQuaternionList quaternions;
      EntryList(info.externalQuaternionList, first ? frame->Quaternion : quaternions,
                [&](TQuaternionList& list) { list.Lerp(a.Quaternion, b.Quaternion, info.lerpFactor); });
      if (first && info.weight != 1)
        ScaleQuaternions(frame->Quaternion, info.weight);
      else if (!first)
        frame->Quaternion.CombineList(quaternions, info.weight);
    }
  }
  current_frame_ = std::move(frame);
}

void TSkeleton::Synchronize(TSkeleton& reference, bool normalizeNormals) {
  SetCurrentFrame(reference.CurrentFrame());
  MorphMesh(normalizeNormals);
}

void TSkeleton::MorphMesh(bool normalizeNormals) {
  if (root_bones_.Count() == 0) return;
  FlushBoneByIDCache();
  root_bones_.PrepareGlobalMatrices();
  colliders_.AlignColliders(*this);
  if (!owner_) return;
  TMeshObjectList& meshes = owner_->MeshObjects();
  for (int i = 0; i < meshes.Count(); ++i)
    if (auto* skinned = dynamic_cast<TSkeletonMeshObject*>(&meshes.Item(i)))
      skinned->ApplyCurrentSkeletonFrame(*this, normalizeNormals);
}

TSkeletonBone* TSkeleton::BoneByID(int id) {
  if (bones_by_id_.empty())
    ForEachBone(root_bones_, [this](TSkeletonBone& bone) { bones_by_id_.emplace(bone.BoneID, &bone); });
  const auto found = bones_by_id_.find(id);
  return found == bones_by_id_.end() ? nullptr : found->second;
}

int TSkeleton::BoneCount() {
  int count = 0;
  ForEachBone(root_bones_, [&count](TSkeletonBone&) { ++count; });
  return count;
}

void TSkeleton::Clear() {
  root_bones_.FreeItems();
  root_bones_.TPersistentObjectList::Clear();
  frames_.Clear();
  colliders_.Clear();
  current_frame_.reset();
  FlushBoneByIDCache();
}

void TSkeleton::WriteToFiler(TVirtualWriter& writer) const {
  TPersistentObject::WriteToFiler(writer);
  writer.WriteInteger(0);
  root_bones_.WriteToFiler(writer);
  frames_.WriteToFiler(writer);
  colliders_.WriteToFiler(writer);
}

void TSkeleton::ReadFromFiler(TVirtualReader& reader) {
  TPersistentObject::ReadFromFiler(reader);
  ReadArchiveVersion(reader, "TSkeleton", 0);
  // Read aside, so that a broken archive leaves this skeleton as it was.
  TSkeleton read;
  read.root_bones_.ReadFromFiler(reader);
  read.frames_.ReadFromFiler(reader);
  read.colliders_.ReadFromFiler(reader);
  Clear();
  for (int i = 0; i < read.root_bones_.Count(); ++i) {
    TSkeletonBone& bone = read.root_bones_.Item(i);
    bone.parent_ = &root_bones_;
    root_bones_.Add(&bone);
  }
  for (int i = 0; i < read.frames_.Count(); ++i) frames_.Add(&read.frames_.Item(i));
  for (int i = 0; i < read.colliders_.Count(); ++i) {
    read.colliders_.Item(i).SetOwner(&colliders_);
    colliders_.Add(&read.colliders_.Item(i));
  }
  read.root_bones_.TPersistentObjectList::Clear();
  read.frames_.TPersistentObjectList::Clear();
  read.colliders_.TPersistentObjectList::Clear();
  root_bones_.PrepareGlobalMatrices();
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
    if (weight.Weight != 0 && !skeleton.BoneByID(weight.BoneID))
      throw EReadError("Bone weight names a bone the skeleton lacks");
}

void TSkeletonMeshObject::PrepareBoneMatrixInvertedMeshes(TSkeleton& skeleton) {
  skeleton.FlushBoneByIDCache();
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
      TSkeletonBone* bone = skeleton.BoneByID(Weight(i, slot).BoneID);
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
  // Vertices or slots changed since the bind pose was prepared would read past its copies.
  Assert(bind_vertices_.size() == static_cast<std::size_t>(bones_per_vertex_) &&
             bind_vertices_.front().Count() == Vertices().Count(),
         kUnit, __LINE__);
  for (int i = 0; i < Vertices().Count(); ++i) {
    TAffineVector vertex{0, 0, 0}, normal{0, 0, 0};
    for (int slot = 0; slot < bones_per_vertex_; ++slot) {
      const TVertexBoneWeight& weight = Weight(i, slot);
      const float factor = bones_per_vertex_ == 1 ? 1.0f : weight.Weight;
      if (factor == 0) continue;
      TSkeletonBone* bone = skeleton.BoneByID(weight.BoneID);
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

void TSkeletonMeshObject::ReadComplete() {
  auto* mesh = Owner() ? dynamic_cast<TGLBaseMesh*>(Owner()->Owner()) : nullptr;
  if (mesh && mesh->Skeleton().RootBones().Count() > 0) PrepareBoneMatrixInvertedMeshes(mesh->Skeleton());
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
  ReadArchiveVersion(reader, "TSkeletonMeshObject", 0);
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
  RegisterMorphTargetClasses();
  RegisterSkeletonColliderClasses();
  RegisterPersistentClass<TSkeleton>();
  RegisterPersistentClass<TSkeletonFrame>();
  RegisterPersistentClass<TSkeletonFrameList>();
  RegisterPersistentClass<TSkeletonBone>();
  RegisterPersistentClass<TSkeletonMeshObject>();
}
