// The connectivity of a mesh's face groups, for its silhouettes: one
// connectivity per mesh object over that object's own vertex list, gathered
// per mesh. Meshes drawn as plain triangle lists or strips have no face
// groups and give no faces.
#pragma once

#include <memory>
#include <vector>

#include "gfx3d/core/free_notification.h"
#include "scene3d/render/connectivity.h"

class TMeshObject;
class TGLBaseMesh;

// Once its mesh object is freed it holds nothing of it, until given one again.
class TFaceGroupConnectivity : public TConnectivity, public IFreeNotificationSink {
 public:
  explicit TFaceGroupConnectivity(bool precomputeFaceNormal) : TConnectivity(precomputeFaceNormal) {}
  TFaceGroupConnectivity(TMeshObject& meshObject, bool precomputeFaceNormal);
  ~TFaceGroupConnectivity() override;
  TMeshObject* MeshObject() const { return mesh_object_; }
  // Shares the mesh object's vertices (never changing them) and rebuilds the edges;
  // a mesh object whose edges cannot be built is not kept.
  void SetMeshObject(TMeshObject* meshObject);
  void ObjectFreed(TObject* object) override;
  bool OwnsVertices() const { return mesh_object_ == nullptr; }
  // Quads raise "Not supported"; groups without vertex indices are assertion failures.
  void RebuildEdgeList();
  // Rebuilds first when the mesh object's vertices have shrunk since: its faces would be read past them.
  void CreateSilhouette(const TGLSilhouetteParameters& parameters, std::unique_ptr<TGLSilhouette>& silhouette,
                        bool addToSilhouette) override;

 private:
  void Forget();

  TMeshObject* mesh_object_ = nullptr;
  int built_vertex_count_ = 0;
};

// Built from the mesh objects as they are; once any of them is freed (a load,
// a clear, the mesh's end) it holds nothing of the mesh, not even the mesh,
// until it is given one again.
class TGLBaseMeshConnectivity : public TBaseConnectivity, public IFreeNotificationSink {
 public:
  explicit TGLBaseMeshConnectivity(bool precomputeFaceNormal) : TBaseConnectivity(precomputeFaceNormal) {}
  explicit TGLBaseMeshConnectivity(TGLBaseMesh& baseMesh);
  ~TGLBaseMeshConnectivity() override;
  TGLBaseMesh* BaseMesh() const { return base_mesh_; }
  void SetBaseMesh(TGLBaseMesh* baseMesh);
  void ObjectFreed(TObject* object) override;
  // With keep each connectivity is emptied, otherwise they are freed.
  void ClearConnectivities(bool keep);
  int EdgeCount() const override;
  int FaceCount() const override;
  void CreateSilhouette(const TGLSilhouetteParameters& parameters, std::unique_ptr<TGLSilhouette>& silhouette,
                        bool addToSilhouette) override;

 private:
  TGLBaseMesh* base_mesh_ = nullptr;
  std::vector<std::unique_ptr<TFaceGroupConnectivity>> face_group_connectivities_;
};
