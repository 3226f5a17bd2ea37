#include "scene3d/meshes/mesh_connectivity.h"

#include "gfx3d/core/library_errors.h"
#include "scene3d/animation/actor.h"

namespace {

constexpr const char* kUnit = "GLVectorFileObjects";

}  // namespace

TFaceGroupConnectivity::TFaceGroupConnectivity(TMeshObject& meshObject, bool precomputeFaceNormal)
    : TConnectivity(precomputeFaceNormal) {
  SetMeshObject(&meshObject);
}

TFaceGroupConnectivity::~TFaceGroupConnectivity() { SetMeshObject(nullptr); }

void TFaceGroupConnectivity::SetMeshObject(TMeshObject* meshObject) {
  if (mesh_object_) mesh_object_->FreeNotifier().Remove(this);
  Forget();
  if (!meshObject) return;
  mesh_object_ = meshObject;
  ShareVertices(&meshObject->Vertices());
  try {
    RebuildEdgeList();
  } catch (...) {
    // Registered only once built: a throwing constructor runs no destructor to unregister.
    Forget();
    throw;
  }
  meshObject->FreeNotifier().Add(this);
}

void TFaceGroupConnectivity::ObjectFreed(TObject*) {
  // The notifier has forgotten this holder already.
  Forget();
}

void TFaceGroupConnectivity::Forget() {
  Clear();
  ShareVertices(nullptr);
  mesh_object_ = nullptr;
}

void TFaceGroupConnectivity::RebuildEdgeList() {
  Clear();
  // Indices read from an archive are trusted only once they fit the vertices.
  mesh_object_->CheckFaceGroups();
  const TFaceGroups& groups = mesh_object_->FaceGroups();
  for (int g = 0; g < groups.Count(); ++g) {
    const auto* group = dynamic_cast<const TFGVertexIndexList*>(&groups.Item(g));
    Assert(group != nullptr, kUnit, __LINE__, "Method only works for descendants of TFGVertexIndexList.");
    const std::int32_t* index = group->VertexIndices.List();
    const int n = group->VertexIndices.Count();
    switch (group->Mode) {
      case fgmTriangles:
      case fgmFlatTriangles:
        for (int i = 0; i + 2 < n; i += 3) AddIndexedFace(index[i], index[i + 1], index[i + 2]);
        break;
      case fgmTriangleStrip:
        for (int i = 0; i + 2 < n; ++i)
          if (i % 2 == 0)
            AddIndexedFace(index[i], index[i + 1], index[i + 2]);
          else
            AddIndexedFace(index[i + 2], index[i + 1], index[i]);
        break;
      case fgmTriangleFan:
        for (int i = 2; i < n; ++i) AddIndexedFace(index[0], index[i - 1], index[i]);
        break;
      case fgmQuads:
        Assert(false, kUnit, __LINE__, "Not supported");
    }
  }
  built_vertex_count_ = mesh_object_->Vertices().Count();
}

void TFaceGroupConnectivity::CreateSilhouette(const TGLSilhouetteParameters& parameters,
                                              std::unique_ptr<TGLSilhouette>& silhouette, bool addToSilhouette) {
  if (mesh_object_ && mesh_object_->Vertices().Count() < built_vertex_count_) RebuildEdgeList();
  TConnectivity::CreateSilhouette(parameters, silhouette, addToSilhouette);
}

TGLBaseMeshConnectivity::TGLBaseMeshConnectivity(TGLBaseMesh& baseMesh) : TBaseConnectivity(true) {
  SetBaseMesh(&baseMesh);
}

TGLBaseMeshConnectivity::~TGLBaseMeshConnectivity() { SetBaseMesh(nullptr); }

void TGLBaseMeshConnectivity::SetBaseMesh(TGLBaseMesh* baseMesh) {
  if (base_mesh_) base_mesh_->MeshObjects().ItemsFreeNotifier().Remove(this);
  face_group_connectivities_.clear();
  base_mesh_ = nullptr;
  if (!baseMesh) return;
  // An actor's vertices move every frame, so its face normals are not kept.
  SetPrecomputeFaceNormal(dynamic_cast<TGLActor*>(baseMesh) == nullptr);
  TMeshObjectList& meshes = baseMesh->MeshObjects();
  // Built aside: a mesh that cannot be connected leaves nothing pointing into it.
  std::vector<std::unique_ptr<TFaceGroupConnectivity>> built;
  for (int i = 0; i < meshes.Count(); ++i)
    built.push_back(std::make_unique<TFaceGroupConnectivity>(meshes.Item(i), PrecomputeFaceNormal()));
  face_group_connectivities_ = std::move(built);
  base_mesh_ = baseMesh;
  meshes.ItemsFreeNotifier().Add(this);
}

void TGLBaseMeshConnectivity::ObjectFreed(TObject*) {
  // The notifier has forgotten this holder already.
  face_group_connectivities_.clear();
  base_mesh_ = nullptr;
}

void TGLBaseMeshConnectivity::ClearConnectivities(bool keep) {
  if (!keep) {
    face_group_connectivities_.clear();
    return;
  }
  for (auto& connectivity : face_group_connectivities_) connectivity->Clear();
}

int TGLBaseMeshConnectivity::EdgeCount() const {
  int sum = 0;
  for (const auto& connectivity : face_group_connectivities_) sum += connectivity->EdgeCount();
  return sum;
}

int TGLBaseMeshConnectivity::FaceCount() const {
  int sum = 0;
  for (const auto& connectivity : face_group_connectivities_) sum += connectivity->FaceCount();
  return sum;
}

void TGLBaseMeshConnectivity::CreateSilhouette(const TGLSilhouetteParameters& parameters,
                                               std::unique_ptr<TGLSilhouette>& silhouette, bool addToSilhouette) {
  if (!silhouette)
    silhouette = std::make_unique<TGLSilhouette>();
  else if (!addToSilhouette)
    silhouette->Flush();
  for (auto& connectivity : face_group_connectivities_) connectivity->CreateSilhouette(parameters, silhouette, true);
}
