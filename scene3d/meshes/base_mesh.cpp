#include "scene3d/meshes/base_mesh.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/intersections.h"
#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/file_streams.h"
#include "scene3d/animation/actor.h"
#include "scene3d/animation/animation_controlers.h"
#include "scene3d/animation/skeleton.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/graph/stage.h"
#include "scene3d/meshes/mesh_connectivity.h"

namespace {

constexpr const char* kUnit = "GLVectorFileObjects";

}  // namespace

TGLBaseMesh::TGLBaseMesh(TComponent* owner)
    : TGLStageObject(owner),
      skeleton_(std::make_unique<TSkeleton>(this)),
      auto_scaling_(TGLCoordinates::CreateInitialized(this, {1, 1, 1, 1}, csPoint)) {
  // The mesh may turn the front face around while it draws.
  SetObjectStyle(ObjectStyle() | osResetStatesAfterRender);
}

TGLBaseMesh::~TGLBaseMesh() {
  if (material_library_) material_library_->FreeNotifier().Remove(this);
  if (lightmap_library_) lightmap_library_->FreeNotifier().Remove(this);
  mesh_objects_.Clear();
}

void TGLBaseMesh::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLBaseMesh*>(source)) {
    skeleton_->Clear();
    normals_orientation_ = other->normals_orientation_;
    dimensions_cached_ = other->dimensions_cached_;
    dimensions_cache_ = other->dimensions_cache_;
    use_mesh_materials_ = other->use_mesh_materials_;
    SetMaterialLibrary(other->material_library_);
    SetLightmapLibrary(other->lightmap_library_);
    AutoCentering = other->AutoCentering;
    auto_scaling_->Assign(other->auto_scaling_.get());
    OverlaySkeleton = other->OverlaySkeleton;
    // The skeleton first: skinned mesh objects bind to it as they are read.
    skeleton_->Assign(other->skeleton_.get());
    mesh_objects_.Assign(&other->mesh_objects_);
  }
  TGLStageObject::Assign(source);
}

void TGLBaseMesh::SetNormalsOrientation(TMeshNormalsOrientation value) {
  StoreOnChange(normals_orientation_, value, [this] { StructureChanged(); });
}

void TGLBaseMesh::SetUseMeshMaterials(bool value) {
  StoreOnChange(use_mesh_materials_, value, [this] { StructureChanged(); });
}

void TGLBaseMesh::ReplaceLibrary(TGLMaterialLibrary*& slot, TGLMaterialLibrary* value) {
  TGLMaterialLibrary* old = slot;
  // What the mesh uploaded of the old library is not kept for it.
  if (old) old->DestroyHandles();
  slot = value;
  if (old && old != material_library_ && old != lightmap_library_) old->FreeNotifier().Remove(this);
  if (value) value->FreeNotifier().Add(this);
}

void TGLBaseMesh::SetMaterialLibrary(TGLMaterialLibrary* value) {
  if (value == material_library_) return;
  DropMaterialLibraryCache();
  ReplaceLibrary(material_library_, value);
  StructureChanged();
}

void TGLBaseMesh::SetLightmapLibrary(TGLMaterialLibrary* value) {
  if (value == lightmap_library_) return;
  ReplaceLibrary(lightmap_library_, value);
  StructureChanged();
}

void TGLBaseMesh::ObjectFreed(TObject* object) {
  // One library may serve as both.
  bool changed = false;
  if (material_library_ && object == static_cast<TObject*>(material_library_)) {
    DropMaterialLibraryCache();
    material_library_ = nullptr;
    changed = true;
  }
  if (lightmap_library_ && object == static_cast<TObject*>(lightmap_library_)) {
    lightmap_library_ = nullptr;
    changed = true;
  }
  if (changed) StructureChanged();
}

void TGLBaseMesh::PrepareBuildList(TRenderContextInfo& rci) {
  mesh_objects_.PrepareBuildList(rci);
  if (lightmap_library_) lightmap_library_->Materials().PrepareBuildList();
}

void TGLBaseMesh::PrepareMaterialLibraryCache() {
  DropMaterialLibraryCache();
  mesh_objects_.PrepareMaterialLibraryCache(material_library_);
  material_cache_prepared_ = true;
}

void TGLBaseMesh::DropMaterialLibraryCache() {
  if (!material_cache_prepared_) return;
  mesh_objects_.DropMaterialLibraryCache();
  material_cache_prepared_ = false;
}

void TGLBaseMesh::LoadMeshFromFile(const std::string& fileName) {
  if (fileName.empty()) return;
  auto stream = OpenFileStream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadMeshFromStream(fileName, *stream);
}

void TGLBaseMesh::LoadMeshFromStream(const std::string& fileName, TStream& stream) {
  if (fileName.empty()) return;
  mesh_objects_.Clear();
  skeleton_->Clear();
  try {
    ReadWithFormat(fileName, stream);
  } catch (...) {
    // The cleared mesh must not keep the old display list and dimensions.
    PrepareMesh();
    throw;
  }
  PerformAutoScaling();
  PerformAutoCentering();
  PrepareMesh();
}

void TGLBaseMesh::AddMeshDataFromFile(const std::string& fileName) {
  if (fileName.empty()) return;
  auto stream = OpenFileStream(fileName, fmOpenRead | fmShareDenyWrite);
  AddMeshDataFromStream(fileName, *stream);
}

void TGLBaseMesh::AddMeshDataFromStream(const std::string& fileName, TStream& stream) {
  if (fileName.empty()) return;
  try {
    ReadWithFormat(fileName, stream);
  } catch (...) {
    PrepareMesh();
    throw;
  }
  PrepareMesh();
}

void TGLBaseMesh::ReadWithFormat(const std::string& fileName, TStream& stream) {
  const TVectorFileFormat& format = VectorFileFormatForExtension(fileName);
  std::unique_ptr<TVectorFile> file = format.VectorFileClass(this);
  file->SetResourceName(fileName);
  PrepareVectorFile(*file);
  TGLStage* scene = Scene();
  if (scene) scene->BeginUpdate();
  try {
    file->LoadFromStream(stream);
  } catch (...) {
    if (scene) scene->EndUpdate();
    throw;
  }
  if (scene) scene->EndUpdate();
}

void TGLBaseMesh::SaveMeshToFile(const std::string& fileName) {
  auto stream = OpenFileStream(fileName, fmCreate);
  SaveMeshToStream(fileName, *stream);
  stream->Commit();
}

void TGLBaseMesh::SaveMeshToStream(const std::string& fileName, TStream& stream) {
  if (fileName.empty()) return;
  std::unique_ptr<TVectorFile> file = VectorFileFormatForExtension(fileName).VectorFileClass(this);
  file->SetResourceName(fileName);
  PrepareVectorFile(*file);
  file->SaveToStream(stream);
}

void TGLBaseMesh::PerformAutoScaling() {
  const TAffineVector factors = auto_scaling_->GetAsAffineVector();
  if (factors.x == 1.0f && factors.y == 1.0f && factors.z == 1.0f) return;
  for (int i = 0; i < mesh_objects_.Count(); ++i) mesh_objects_.Item(i).Vertices().ScaleByVector(factors);
}

void TGLBaseMesh::PerformAutoCentering() {
  TAffineVector delta{0, 0, 0};
  if (AutoCentering & macUseBarycenter) {
    delta = AffineVectorNegate(GetBarycenter());
  } else {
    TAffineVector min, max;
    GetExtents(min, max);
    if (AutoCentering & macCenterX) delta.x = -(min.x + max.x) * 0.5f;
    if (AutoCentering & macCenterY) delta.y = -(min.y + max.y) * 0.5f;
    if (AutoCentering & macCenterZ) delta.z = -(min.z + max.z) * 0.5f;
  }
  mesh_objects_.Translate(delta);
}

void TGLBaseMesh::GetExtents(TAffineVector& min, TAffineVector& max) const {
  constexpr float infinity = std::numeric_limits<float>::infinity();
  min = {infinity, infinity, infinity};
  max = {-infinity, -infinity, -infinity};
  for (int i = 0; i < mesh_objects_.Count(); ++i) {
    TAffineVector itemMin, itemMax;
    mesh_objects_.Item(i).GetExtents(itemMin, itemMax);
    min = {std::min(min.x, itemMin.x), std::min(min.y, itemMin.y), std::min(min.z, itemMin.z)};
    max = {std::max(max.x, itemMax.x), std::max(max.y, itemMax.y), std::max(max.z, itemMax.z)};
  }
}

TAffineVector TGLBaseMesh::GetBarycenter() const {
  TAffineVector sum{0, 0, 0};
  int count = 0;
  for (int i = 0; i < mesh_objects_.Count(); ++i) mesh_objects_.Item(i).ContributeToBarycenter(sum, count);
  return count > 0 ? AffineVectorScale(sum, 1.0f / static_cast<float>(count)) : TAffineVector{0, 0, 0};
}

TVector4f TGLBaseMesh::AxisAlignedDimensionsUnscaled() {
  if (!dimensions_cached_) {
    TAffineVector min, max;
    mesh_objects_.GetExtents(min, max);
    dimensions_cache_ = {std::max(std::abs(min.x), std::abs(max.x)), std::max(std::abs(min.y), std::abs(max.y)),
                         std::max(std::abs(min.z), std::abs(max.z))};
    dimensions_cached_ = true;
  }
  return {dimensions_cache_.x, dimensions_cache_.y, dimensions_cache_.z, 0};
}

bool TGLBaseMesh::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                   TVector4f* intersectNormal) {
  const TAffineVectorList triangles = mesh_objects_.ExtractTriangles();
  const TVector4f localStart = AbsoluteToLocal(rayStart);
  const TVector4f localVector = AbsoluteToLocal(TVector4f{rayVector.x, rayVector.y, rayVector.z, 0});
  bool found = false;
  float nearest = 0;
  TVector4f hitPoint{};
  TAffineVector hitNormal{};
  const TAffineVector* corner = triangles.List();
  for (int i = 0; i + 2 < triangles.Count(); i += 3) {
    TVector4f point;
    TAffineVector normal;
    if (!RayTriangleIntersection(localStart, localVector, corner[i], corner[i + 1], corner[i + 2], &point, &normal))
      continue;
    const float distance = VectorDistanceSquared(localStart, point);
    if (found && distance >= nearest) continue;
    found = true;
    nearest = distance;
    hitPoint = point;
    hitNormal = normal;
  }
  if (!found) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute(hitPoint);
  if (intersectNormal) {
    TVector4f normal = LocalToAbsolute(TVector4f{hitNormal.x, hitNormal.y, hitNormal.z, 0});
    if (normals_orientation_ == mnoInvert) normal = VectorNegate(normal);
    *intersectNormal = normal;
  }
  return true;
}

std::unique_ptr<TGLSilhouette> TGLBaseMesh::GenerateSilhouette(const TGLSilhouetteParameters& parameters) {
  std::unique_ptr<TGLBaseMeshConnectivity> temporary;
  TBaseConnectivity* connectivity = Connectivity.get();
  if (!connectivity) {
    temporary = std::make_unique<TGLBaseMeshConnectivity>(*this);
    connectivity = temporary.get();
  }
  std::unique_ptr<TGLSilhouette> silhouette;
  connectivity->CreateSilhouette(parameters, silhouette, true);
  return silhouette;
}

void TGLBaseMesh::BuildList(TRenderContextInfo& rci) { mesh_objects_.BuildList(rci); }

void TGLBaseMesh::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  // Texture unit 1 carries the light maps, so materials must not map coordinates to it meanwhile.
  struct SecondUnitKept {
    bool kept;
    explicit SecondUnitKept(bool keep) : kept(keep) {
      if (kept) XGLForbidSecondTextureUnit();
    }
    ~SecondUnitKept() {
      if (kept) XGLAllowSecondTextureUnit();
    }
  } secondUnit(lightmap_library_ != nullptr);
  if (renderSelf) {
    Assert(normals_orientation_ == mnoDefault || normals_orientation_ == mnoInvert, kUnit, __LINE__);
    const bool invert = normals_orientation_ == mnoInvert && rci.GLStates;
    if (invert) rci.GLStates->InvertGLFrontFace();
    const bool withLibrary = !rci.ignoreMaterials && use_mesh_materials_ && material_library_;
    if (withLibrary) {
      if (!material_cache_prepared_) PrepareMaterialLibraryCache();
      rci.materialLibrary = material_library_;
    }
    if (!rci.ignoreMaterials) rci.lightmapLibrary = lightmap_library_;
    // Whenever a list is about to be compiled (its handle may also have been freed meanwhile).
    if (rci.amalgamating || (!(ObjectStyle() & osDirectDraw) && !HasValidDisplayList())) PrepareBuildList(rci);
    TGLStageObject::DoRender(rci, true, false);
    rci.materialLibrary = nullptr;
    rci.lightmapLibrary = nullptr;
    if (invert) rci.GLStates->InvertGLFrontFace();
  }
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
}

void TGLBaseMesh::DestroyHandle() {
  if (material_library_) material_library_->DestroyHandles();
  if (lightmap_library_) lightmap_library_->DestroyHandles();
  TGLStageObject::DestroyHandle();
}

void TGLBaseMesh::StructureChanged() {
  dimensions_cached_ = false;
  DropMaterialLibraryCache();
  mesh_objects_.Prepare();
  TGLStageObject::StructureChanged();
}

void TGLGLSMVectorFile::LoadFromStream(TStream& stream) { Owner().MeshObjects().LoadFromStream(stream); }

void TGLGLSMVectorFile::SaveToStream(TStream& stream) { Owner().MeshObjects().SaveToStream(stream); }

void RegisterMeshClasses() {
  RegisterMeshObjectClasses();
  RegisterSkeletonClasses();
  RegisterClass("TGLFreeForm", [] { return std::make_unique<TGLFreeForm>(nullptr); });
  RegisterClass("TGLActor", [] { return std::make_unique<TGLActor>(nullptr); });
  RegisterClass("TGLAnimationControler", [] { return std::make_unique<TGLAnimationControler>(nullptr); });
  RegisterMeshFileFormat<TGLGLSMVectorFile>("glsm", "Mesh object archive");
}
