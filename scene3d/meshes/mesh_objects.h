// The geometry of a mesh: mesh objects holding vertex, normal, colour and
// texture-coordinate lists, drawn as a triangle list, one triangle strip, or
// through face groups that index into those lists. They archive themselves
// as persistent objects; that archive is the content of the native mesh format.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "gfx3d/core/free_notification.h"
#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/render_context_info.h"
#include "gfx3d/lists/persistent_object_list.h"
#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/lists/vector_lists.h"

enum TMeshObjectMode : std::uint8_t { moTriangles, moTriangleStrip, moFaceGroups };
enum TMeshObjectRenderingOption : std::uint8_t { mroGroupByMaterial = 1 };
using TMeshObjectRenderingOptions = std::uint8_t;
enum TFaceGroupMode : std::uint8_t { fgmTriangles, fgmTriangleStrip, fgmFlatTriangles, fgmTriangleFan, fgmQuads };

class TMeshObject;
class TMeshObjectList;
class TGLLibMaterial;
class TGLMaterialLibrary;

class TBaseMeshObject : public TPersistentObject {
 public:
  std::string ClassName() const override { return "TBaseMeshObject"; }
  std::string Name;
  TAffineVectorList& Vertices() { return vertices_; }
  const TAffineVectorList& Vertices() const { return vertices_; }
  TAffineVectorList& Normals() { return normals_; }
  const TAffineVectorList& Normals() const { return normals_; }
  bool Visible = true;

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  TAffineVectorList vertices_;
  TAffineVectorList normals_;
};

class TFaceGroups;

class TFaceGroup : public TPersistentObject {
 public:
  // Appends itself to owner when given; leaves it on destruction.
  explicit TFaceGroup(TFaceGroups* owner = nullptr);
  ~TFaceGroup() override;
  TFaceGroup(const TFaceGroup&) = delete;
  TFaceGroup& operator=(const TFaceGroup&) = delete;
  std::string ClassName() const override { return "TFaceGroup"; }

  TFaceGroups* Owner() const { return owner_; }
  void SetOwner(TFaceGroups* owner) { owner_ = owner; }
  TMeshObject* MeshObject() const;
  std::string MaterialName;
  // The library material named MaterialName, resolved before drawing with a library.
  TGLLibMaterial* MaterialCache = nullptr;
  void PrepareMaterialLibraryCache(const TGLMaterialLibrary* library);
  void DropMaterialLibraryCache() { MaterialCache = nullptr; }
  int LightMapIndex = -1;
  int RenderGroupID = 0;

  virtual void BuildList(TRenderContextInfo& rci) = 0;
  // Appends the group's corners; absent lists are skipped, empty sources give zero vectors.
  virtual void AddToTriangles(TAffineVectorList& vertices, TAffineVectorList* texCoords,
                              TAffineVectorList* normals) const = 0;
  virtual int TriangleCount() const = 0;
  // Raises a data error when an index points outside the list it reads.
  virtual void CheckIndices() const = 0;
  virtual void Reverse() {}
  virtual void Prepare() {}

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  TFaceGroups* owner_ = nullptr;
};

class TFaceGroups : public TPersistentObjectList {
 public:
  explicit TFaceGroups(TMeshObject* owner = nullptr) : owner_(owner) {}
  ~TFaceGroups() override;
  std::string ClassName() const override { return "TFaceGroups"; }
  TMeshObject* Owner() const { return owner_; }
  TFaceGroup& Item(int index) const { return *static_cast<TFaceGroup*>(Get(index)); }
  void ReadFromFiler(TVirtualReader& reader) override;
  // Frees the groups.
  void Clear();

 private:
  TMeshObject* owner_;
};

class TFGVertexIndexList : public TFaceGroup {
 public:
  using TFaceGroup::TFaceGroup;
  std::string ClassName() const override { return "TFGVertexIndexList"; }
  TIntegerList VertexIndices;
  TFaceGroupMode Mode = fgmTriangles;

  void BuildList(TRenderContextInfo& rci) override;
  void AddToTriangles(TAffineVectorList& vertices, TAffineVectorList* texCoords,
                      TAffineVectorList* normals) const override;
  int TriangleCount() const override;
  void CheckIndices() const override;
  void Reverse() override { VertexIndices.Reverse(); }

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;
};

class TFGVertexNormalTexIndexList : public TFGVertexIndexList {
 public:
  using TFGVertexIndexList::TFGVertexIndexList;
  std::string ClassName() const override { return "TFGVertexNormalTexIndexList"; }
  TIntegerList NormalIndices;
  TIntegerList TexCoordIndices;

  void BuildList(TRenderContextInfo& rci) override;
  void AddToTriangles(TAffineVectorList& vertices, TAffineVectorList* texCoords,
                      TAffineVectorList* normals) const override;
  void CheckIndices() const override;

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;
};

class TFGIndexTexCoordList : public TFGVertexIndexList {
 public:
  using TFGVertexIndexList::TFGVertexIndexList;
  std::string ClassName() const override { return "TFGIndexTexCoordList"; }
  TAffineVectorList TexCoords;

  void BuildList(TRenderContextInfo& rci) override;
  void AddToTriangles(TAffineVectorList& vertices, TAffineVectorList* texCoords,
                      TAffineVectorList* normals) const override;
  void CheckIndices() const override;

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;
};

class TMeshObject : public TBaseMeshObject {
 public:
  // Appends itself to owner when given; leaves it on destruction.
  explicit TMeshObject(TMeshObjectList* owner = nullptr);
  ~TMeshObject() override;
  TMeshObject(const TMeshObject&) = delete;
  TMeshObject& operator=(const TMeshObject&) = delete;
  std::string ClassName() const override { return "TMeshObject"; }

  TMeshObjectList* Owner() const { return owner_; }
  void SetOwner(TMeshObjectList* owner) { owner_ = owner; }
  // Holders of pointers into this object hear when it goes, in a list or alone.
  TFreeNotifier& FreeNotifier() { return free_notifier_; }
  TAffineVectorList& TexCoords() { return tex_coords_; }
  const TAffineVectorList& TexCoords() const { return tex_coords_; }
  TTexPointList& LightMapTexCoords() { return light_map_tex_coords_; }
  const TTexPointList& LightMapTexCoords() const { return light_map_tex_coords_; }
  TVectorList& Colors() { return colors_; }
  const TVectorList& Colors() const { return colors_; }
  TFaceGroups& FaceGroups() { return face_groups_; }
  const TFaceGroups& FaceGroups() const { return face_groups_; }
  TMeshObjectMode Mode = moTriangles;
  TMeshObjectRenderingOptions RenderingOptions = 0;
  // The extra texture-coordinate set at index, made (with those before it) when missing.
  TVectorList& TexCoordsEx(int index);
  int TexCoordsExCount() const { return static_cast<int>(tex_coords_ex_.size()); }
  const TVectorList& TexCoordsEx(int index) const { return *tex_coords_ex_[static_cast<std::size_t>(index)]; }
  int TangentsTexCoordIndex() const { return tangents_tex_coord_index_; }
  void SetTangentsTexCoordIndex(int value);
  int BinormalsTexCoordIndex() const { return binormals_tex_coord_index_; }
  void SetBinormalsTexCoordIndex(int value);

  // Overridden by objects that keep more vertex sets (morph targets) to clear and move them too.
  virtual void Clear();
  void GetExtents(TAffineVector& min, TAffineVector& max) const;
  virtual void Translate(const TAffineVector& delta);
  void ContributeToBarycenter(TAffineVector& sum, int& count) const;
  // Three corners per triangle; texCoords and normals, when given, get the matching entries.
  TAffineVectorList ExtractTriangles(TAffineVectorList* texCoords = nullptr,
                                     TAffineVectorList* normals = nullptr) const;
  int TriangleCount() const;
  void Prepare();
  void PrepareMaterialLibraryCache(const TGLMaterialLibrary* library);
  void DropMaterialLibraryCache();
  // Raises a data error when a face group indexes outside the lists.
  void CheckFaceGroups() const;
  // With face groups and a material library in the context, each group's material
  // uploads its textures here, before a display list is compiled.
  virtual void PrepareBuildList(TRenderContextInfo& rci);
  virtual void BuildList(TRenderContextInfo& rci);
  // Called by the list that read it, once the object knows its owner and before
  // the list takes it; raising refuses the whole archive.
  virtual void ReadComplete() {}
  virtual bool PointInObject(const TAffineVector& point) const;

  // The vertex, normal, colour and texture arrays for glDrawElements, once per build; once
  // declared, only the texture coordinates follow a change of the multitexture mapping.
  void DeclareArraysToOpenGL(TRenderContextInfo& rci, bool evenIfAlreadyDeclared = false);
  void DisableOpenGLArrays(TRenderContextInfo& rci);
  // Binds the light map of that index in the context's light-map library to texture unit 1;
  // a negative index switches the unit off. Nothing happens while the index stays the same.
  void AttachLightMap(int lightMapIndex, TRenderContextInfo& rci);

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  void DrawImmediate(std::uint32_t primitive);
  // Extra sets with an entry per vertex, when GL can feed their units.
  std::vector<int> UsedTexCoordsEx() const;
  void EnableLightMapArray();
  void DisableLightMapArray();
  // The light-map coordinates for unit 1 and each non-empty extra set for its unit, as vertex arrays.
  struct UnitArray {
    std::uint32_t unit;
    int size, stride;
    const void* data;
  };
  std::vector<UnitArray> UnitTexCoordArrays() const;
  // Face groups with the library of the render context: runs of one material share its application.
  void DrawGroupsWithMaterials(TRenderContextInfo& rci);
  void DrawGroupsByMaterial(TRenderContextInfo& rci);

  TMeshObjectList* owner_ = nullptr;
  TFreeNotifier free_notifier_;
  TAffineVectorList tex_coords_;
  TTexPointList light_map_tex_coords_;
  TVectorList colors_;
  TFaceGroups face_groups_{this};
  std::vector<std::unique_ptr<TVectorList>> tex_coords_ex_;
  int tangents_tex_coord_index_ = 1;
  int binormals_tex_coord_index_ = 2;
  bool arrays_declared_ = false;
  bool arrays_locked_ = false;
  bool light_map_array_enabled_ = false;
  int last_light_map_index_ = -1;
  // The units fed by the multitexture mapping when the texture coordinates were last declared.
  unsigned last_texture_mapping_ = 0;
};

class TMeshObjectList : public TPersistentObjectList {
 public:
  // itemsFreeing runs before any item is freed (by the list, or by itself while
  // in it), so what points into the items can go first.
  explicit TMeshObjectList(TObject* owner = nullptr, std::function<void()> itemsFreeing = {})
      : owner_(owner), items_freeing_(std::move(itemsFreeing)) {}
  ~TMeshObjectList() override;
  std::string ClassName() const override { return "TMeshObjectList"; }
  TObject* Owner() const { return owner_; }
  // Holders of pointers into the items hear, after itemsFreeing, that items are
  // about to be freed, and when the list itself goes; each is then forgotten.
  TFreeNotifier& ItemsFreeNotifier() { return items_free_notifier_; }
  TMeshObject& Item(int index) const { return *static_cast<TMeshObject*>(Get(index)); }

  // Frees every mesh object.
  void Clear();
  // From 1e30 / -1e30, merged per component.
  void GetExtents(TAffineVector& min, TAffineVector& max) const;
  void Translate(const TAffineVector& delta);
  TAffineVectorList ExtractTriangles(TAffineVectorList* texCoords = nullptr,
                                     TAffineVectorList* normals = nullptr) const;
  int TriangleCount() const;
  void Prepare();
  void PrepareMaterialLibraryCache(const TGLMaterialLibrary* library);
  void DropMaterialLibraryCache();
  void PrepareBuildList(TRenderContextInfo& rci);
  void BuildList(TRenderContextInfo& rci);

  void ReadFromFiler(TVirtualReader& reader) override;

 private:
  friend class TMeshObject;
  void ItemsFreeing();

  TObject* owner_;
  std::function<void()> items_freeing_;
  TFreeNotifier items_free_notifier_;
};

// The persistent classes above, for archives that name them.
void RegisterMeshObjectClasses();
