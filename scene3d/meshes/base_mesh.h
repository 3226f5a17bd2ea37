// The scene object that shows polygon meshes read from files, and its
// published form, the free form. The format is picked from the file name's
// extension through the mesh format registry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "scene3d/graph/stage_object.h"
#include "scene3d/meshes/mesh_file_formats.h"
#include "scene3d/meshes/mesh_objects.h"
#include "scene3d/render/connectivity.h"

class TSkeleton;

enum TMeshAutoCentering : std::uint8_t {
  macCenterX = 1,
  macCenterY = 2,
  macCenterZ = 4,
  macUseBarycenter = 8,
};
using TMeshAutoCenterings = std::uint8_t;

class TGLBaseMesh : public TGLStageObject, public IFreeNotificationSink {
 public:
  explicit TGLBaseMesh(TComponent* owner);
  ~TGLBaseMesh() override;
  std::string ClassName() const override { return "TGLBaseMesh"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLBaseMesh>(owner);
  }
  void Assign(const TPersistent* source) override;

  TMeshObjectList& MeshObjects() { return mesh_objects_; }
  const TMeshObjectList& MeshObjects() const { return mesh_objects_; }
  // Empty unless the mesh animates; cleared by every load.
  TSkeleton& Skeleton() { return *skeleton_; }
  TMeshNormalsOrientation NormalsOrientation() const { return normals_orientation_; }
  void SetNormalsOrientation(TMeshNormalsOrientation value);
  TMeshAutoCenterings AutoCentering = 0;
  TGLCoordinates& AutoScaling() { return *auto_scaling_; }
  void SetAutoScaling(const TGLCoordinates& value) { auto_scaling_->Assign(&value); }
  // A connectivity kept for repeated silhouettes, owned by the mesh; null builds one per call.
  // It points into the mesh objects, so it goes whenever any of them is freed.
  std::unique_ptr<TBaseConnectivity> Connectivity;
  // The library the face groups' material names refer to; forgotten when it is destroyed.
  TGLMaterialLibrary* MaterialLibrary() const { return material_library_; }
  void SetMaterialLibrary(TGLMaterialLibrary* value);
  // The library whose materials' textures are the face groups' light maps, by index on texture unit 1.
  TGLMaterialLibrary* LightmapLibrary() const { return lightmap_library_; }
  void SetLightmapLibrary(TGLMaterialLibrary* value);
  bool UseMeshMaterials() const { return use_mesh_materials_; }
  void SetUseMeshMaterials(bool value);
  // Draw the skeleton's bones over the mesh; only the actor does.
  bool OverlaySkeleton = false;

  // Replace the content; an empty name does nothing. Reader errors pass to the caller.
  void LoadMeshFromFile(const std::string& fileName);
  virtual void LoadMeshFromStream(const std::string& fileName, TStream& stream);
  void SaveMeshToFile(const std::string& fileName);
  void SaveMeshToStream(const std::string& fileName, TStream& stream);
  // Append to the content, without auto-scaling and auto-centring.
  void AddMeshDataFromFile(const std::string& fileName);
  void AddMeshDataFromStream(const std::string& fileName, TStream& stream);

  void PerformAutoScaling();
  void PerformAutoCentering();
  void GetExtents(TAffineVector& min, TAffineVector& max) const;
  TAffineVector GetBarycenter() const;

  // Per axis the larger of |min| and |max|: the extent from the mesh's own origin.
  TVector4f AxisAlignedDimensionsUnscaled() override;
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters& parameters) override;
  void BuildList(TRenderContextInfo& rci) override;
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void StructureChanged() override;
  // Also frees the textures of both libraries; they are uploaded again at their next use.
  void DestroyHandle() override;
  void PrepareMesh() { StructureChanged(); }
  void PrepareMaterialLibraryCache();
  void DropMaterialLibraryCache();
  void ObjectFreed(TObject* object) override;

 protected:
  virtual void PrepareVectorFile(TVectorFile& file) { file.NormalsOrientation = normals_orientation_; }
  // Textures are uploaded here, never while a display list is compiled.
  virtual void PrepareBuildList(TRenderContextInfo& rci);

 private:
  // Reads with the scene's notifications held back; the scene hears of it once.
  void ReadWithFormat(const std::string& fileName, TStream& stream);
  // Points a library slot elsewhere, keeping the free notification while either slot holds the library.
  void ReplaceLibrary(TGLMaterialLibrary*& slot, TGLMaterialLibrary* value);

  TMeshNormalsOrientation normals_orientation_ = mnoDefault;
  TMeshObjectList mesh_objects_{this, [this] { Connectivity.reset(); }};
  std::unique_ptr<TSkeleton> skeleton_;
  std::unique_ptr<TGLCoordinates> auto_scaling_;
  bool use_mesh_materials_ = true;
  TGLMaterialLibrary* material_library_ = nullptr;
  TGLMaterialLibrary* lightmap_library_ = nullptr;
  bool material_cache_prepared_ = false;
  bool dimensions_cached_ = false;
  TAffineVector dimensions_cache_{};
};

class TGLFreeForm : public TGLBaseMesh {
 public:
  using TGLBaseMesh::TGLBaseMesh;
  std::string ClassName() const override { return "TGLFreeForm"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLFreeForm>(owner);
  }
};

// The library's own mesh format: the mesh object list's archive.
class TGLGLSMVectorFile : public TVectorFile {
 public:
  using TVectorFile::TVectorFile;
  static constexpr const char* kClassName = "TGLGLSMVectorFile";
  std::string ClassName() const override { return kClassName; }
  static TDataFileCapabilities SupportedOperations() { return dfcRead | dfcWrite; }
  std::unique_ptr<TDataFile> NewOfSameClass(TPersistent* owner) const override {
    return std::make_unique<TGLGLSMVectorFile>(owner);
  }
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
};

// The mesh classes and the "glsm" format.
void RegisterMeshClasses();
