#include "scene3d/meshes/mesh_objects.h"

#include <algorithm>
#include <limits>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "scene3d/meshes/strip_conversion.h"
#include "scene3d/meshes/typed_list_reading.h"

namespace {

constexpr const char* kUnit = "MeshObjects";

const GLenum kFaceGroupPrimitive[] = {GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLES, GL_TRIANGLE_FAN, GL_QUADS};

GLenum FaceGroupPrimitive(TFaceGroupMode mode) {
  Assert(mode <= fgmQuads, kUnit, __LINE__);
  return kFaceGroupPrimitive[mode];
}

[[noreturn]] void RaiseIndexOutOfRange() { throw EReadError("Face group index out of range"); }

// Every index must address an entry of a list of count entries.
void CheckIndexRange(const TIntegerList& indices, int count) {
  for (int i = 0; i < indices.Count(); ++i)
    if (indices.List()[i] < 0 || indices.List()[i] >= count) RaiseIndexOutOfRange();
}

// How many triangle corners n indices make in the mode.
int CornerCount(TFaceGroupMode mode, int n) {
  switch (mode) {
    case fgmTriangles:
    case fgmFlatTriangles:
      return n / 3 * 3;
    case fgmTriangleStrip:
    case fgmTriangleFan:
      return std::max(n - 2, 0) * 3;
    case fgmQuads:
      return n / 4 * 6;
  }
  Assert(false, kUnit, __LINE__);
  return 0;
}

// Appends source[indices[...]] as triangle corners in the face group's mode.
void AddToList(const TAffineVectorList& source, TAffineVectorList* dest, const TIntegerList& indices,
               TFaceGroupMode mode) {
  const int n = indices.Count();
  if (!dest || n < 3) return;
  const std::int32_t* index = indices.List();
  if (source.Count() == 0) {
    // Keeps parallel lists aligned with the vertices.
    dest->AppendZeroed(CornerCount(mode, n));
    return;
  }
  const TAffineVector* v = source.List();
  switch (mode) {
    case fgmTriangles:
    case fgmFlatTriangles:
      dest->EnsureCapacity(dest->Count() + n / 3 * 3);
      for (int i = 0; i < n / 3 * 3; ++i) dest->Add(v[index[i]]);
      break;
    case fgmTriangleStrip:
      ConvertIndexedStripToList(source, indices, *dest);
      break;
    case fgmTriangleFan:
      for (int i = 2; i < n; ++i) dest->Add3(v[index[0]], v[index[i - 1]], v[index[i]]);
      break;
    case fgmQuads:
      for (int q = 0; q + 3 < n; q += 4) {
        dest->Add3(v[index[q]], v[index[q + 1]], v[index[q + 2]]);
        dest->Add3(v[index[q]], v[index[q + 2]], v[index[q + 3]]);
      }
      break;
    default:
      Assert(false, kUnit, __LINE__);
  }
}

// One attribute of corners drawn in immediate mode: corner i reads data[index[i]], or data[i] without indices.
template <typename T>
struct CornerAttribute {
  const T* data = nullptr;
  const std::int32_t* index = nullptr;
  const float* At(int corner) const { return &data[index ? index[corner] : corner].x; }
};

struct CornerAttributes {
  CornerAttribute<TAffineVector> vertices, normals, texCoords;
  CornerAttribute<TVector4f> colors;
  // Zero sends texCoords through the multitexture mapping; otherwise to this unit alone.
  GLenum texCoordUnit = 0;
  // Further coordinate sets, each to its own unit.
  std::vector<std::pair<GLenum, CornerAttribute<TVector4f>>> unitTexCoords;
};

// The one immediate-mode loop of mesh objects and face groups: per corner the
// normal, colour and texture coordinates, then the vertex.
void DrawCorners(GLenum primitive, int count, const CornerAttributes& corners) {
  auto& gl = GL();
  gl.glBegin(primitive);
  for (int i = 0; i < count; ++i) {
    if (corners.normals.data) gl.glNormal3fv(corners.normals.At(i));
    if (corners.colors.data) gl.glColor4fv(corners.colors.At(i));
    if (corners.texCoords.data) {
      if (corners.texCoordUnit)
        gl.glMultiTexCoord2fvARB(corners.texCoordUnit, corners.texCoords.At(i));
      else
        xglTexCoord2fv(corners.texCoords.At(i));
    }
    for (const auto& [unit, set] : corners.unitTexCoords) gl.glMultiTexCoord4fvARB(unit, set.At(i));
    gl.glVertex3fv(corners.vertices.At(i));
  }
  gl.glEnd();
}

// Applies the material (none draws once) and draws as many passes as it asks for.
template <typename Draw>
void DrawWithMaterial(TGLLibMaterial* material, TRenderContextInfo& rci, Draw draw) {
  if (!material) {
    draw();
    return;
  }
  material->Apply(rci);
  do draw();
  while (material->UnApply(rci));
}

// The units the multitexture mapping feeds now; 0 while it feeds none.
unsigned CurrentTexCoordMapping() {
  const TMapTexCoordMode mode = XGLCurrentMapping();
  return mode == mtcmNull || mode == mtcmUndefined ? 0 : XGLGetBitWiseMapping();
}

// 2-D texturing on or off on one unit; the active unit returns to 0.
void SwitchTextureUnit(GLenum unit, bool on) {
  auto& gl = GL();
  gl.glActiveTextureARB(unit);
  if (on)
    gl.glEnable(GL_TEXTURE_2D);
  else
    gl.glDisable(GL_TEXTURE_2D);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void SetClientState(GLenum array, bool enabled) {
  if (enabled)
    GL().glEnableClientState(array);
  else
    GL().glDisableClientState(array);
}

}  // namespace

// ---- TBaseMeshObject

void TBaseMeshObject::WriteToFiler(TVirtualWriter& writer) const {
  TPersistentObject::WriteToFiler(writer);
  writer.WriteInteger(1);
  writer.WriteString(Name);
  vertices_.WriteToFiler(writer);
  normals_.WriteToFiler(writer);
  writer.WriteBoolean(Visible);
}

void TBaseMeshObject::ReadFromFiler(TVirtualReader& reader) {
  TPersistentObject::ReadFromFiler(reader);
  const int version = ReadArchiveVersion(reader, "TBaseMeshObject", 1);
  Name = reader.ReadString();
  vertices_.ReadFromFiler(reader);
  normals_.ReadFromFiler(reader);
  Visible = version >= 1 ? reader.ReadBoolean() : true;
}

// ---- Face groups

TFaceGroup::TFaceGroup(TFaceGroups* owner) : owner_(owner) {
  if (owner_) owner_->Add(this);
}

TFaceGroup::~TFaceGroup() {
  if (owner_) owner_->Remove(this);
}

void TFaceGroup::PrepareMaterialLibraryCache(const TGLMaterialLibrary* library) {
  MaterialCache = library && !MaterialName.empty() ? library->LibMaterialByName(MaterialName) : nullptr;
}

TMeshObject* TFaceGroup::MeshObject() const { return owner_ ? owner_->Owner() : nullptr; }

void TFaceGroup::WriteToFiler(TVirtualWriter& writer) const {
  TPersistentObject::WriteToFiler(writer);
  writer.WriteInteger(LightMapIndex >= 0 ? 1 : 0);
  writer.WriteString(MaterialName);
  if (LightMapIndex >= 0) writer.WriteInteger(LightMapIndex);
}

void TFaceGroup::ReadFromFiler(TVirtualReader& reader) {
  TPersistentObject::ReadFromFiler(reader);
  const int version = ReadArchiveVersion(reader, "TFaceGroup", 1);
  MaterialName = reader.ReadString();
  LightMapIndex = version == 1 ? reader.ReadInteger() : -1;
}

TFaceGroups::~TFaceGroups() { Clear(); }

void TFaceGroups::Clear() {
  // Each group leaves the list as it goes.
  while (Count() > 0) delete static_cast<TFaceGroup*>(Get(Count() - 1));
}

void TFaceGroups::ReadFromFiler(TVirtualReader& reader) { ReadOwnedItems<TFaceGroup>(*this, reader); }

void TFGVertexIndexList::BuildList(TRenderContextInfo& rci) {
  if (VertexIndices.Count() == 0) return;
  MeshObject()->DeclareArraysToOpenGL(rci);
  MeshObject()->AttachLightMap(LightMapIndex, rci);
  GL().glDrawElements(FaceGroupPrimitive(Mode), VertexIndices.Count(), GL_UNSIGNED_INT, VertexIndices.List());
}

void TFGVertexIndexList::AddToTriangles(TAffineVectorList& vertices, TAffineVectorList* texCoords,
                                        TAffineVectorList* normals) const {
  const TMeshObject& mesh = *MeshObject();
  AddToList(mesh.Vertices(), &vertices, VertexIndices, Mode);
  AddToList(mesh.TexCoords(), texCoords, VertexIndices, Mode);
  AddToList(mesh.Normals(), normals, VertexIndices, Mode);
}

int TFGVertexIndexList::TriangleCount() const {
  const int n = VertexIndices.Count();
  switch (Mode) {
    case fgmTriangles:
    case fgmFlatTriangles:
      return n / 3;
    case fgmTriangleStrip:
    case fgmTriangleFan:
      return std::max(n - 2, 0);
    case fgmQuads:
      return n / 2;
  }
  Assert(false, kUnit, __LINE__);
  return 0;
}

void TFGVertexIndexList::CheckIndices() const {
  const TMeshObject& mesh = *MeshObject();
  CheckIndexRange(VertexIndices, mesh.Vertices().Count());
  // The arrays drawn through these indices are the non-empty parallel lists.
  for (int count :
       {mesh.Normals().Count(), mesh.TexCoords().Count(), mesh.Colors().Count(), mesh.LightMapTexCoords().Count()})
    if (count > 0) CheckIndexRange(VertexIndices, count);
  for (int k = 0; k < mesh.TexCoordsExCount(); ++k)
    if (mesh.TexCoordsEx(k).Count() > 0) CheckIndexRange(VertexIndices, mesh.TexCoordsEx(k).Count());
}

void TFGVertexIndexList::WriteToFiler(TVirtualWriter& writer) const {
  TFaceGroup::WriteToFiler(writer);
  writer.WriteInteger(0);
  VertexIndices.WriteToFiler(writer);
  writer.WriteInteger(Mode);
}

void TFGVertexIndexList::ReadFromFiler(TVirtualReader& reader) {
  TFaceGroup::ReadFromFiler(reader);
  ReadArchiveVersion(reader, "TFGVertexIndexList", 0);
  VertexIndices.ReadFromFiler(reader);
  const int mode = reader.ReadInteger();
  if (mode < fgmTriangles || mode > fgmQuads) throw EReadError("Unknown face group mode");
  Mode = static_cast<TFaceGroupMode>(mode);
}

void TFGVertexNormalTexIndexList::BuildList(TRenderContextInfo&) {
  Assert(Mode != fgmQuads, kUnit, __LINE__);
  const TMeshObject& mesh = *MeshObject();
  const TIntegerList& normalIndices = NormalIndices.Count() > 0 ? NormalIndices : VertexIndices;
  const TIntegerList& texIndices = TexCoordIndices.Count() > 0 ? TexCoordIndices : VertexIndices;
  Assert(normalIndices.Count() >= VertexIndices.Count() && texIndices.Count() >= VertexIndices.Count(), kUnit,
         __LINE__);
  CornerAttributes corners;
  corners.vertices = {mesh.Vertices().List(), VertexIndices.List()};
  if (mesh.Normals().Count() > 0) corners.normals = {mesh.Normals().List(), normalIndices.List()};
  if (mesh.TexCoords().Count() > 0) corners.texCoords = {mesh.TexCoords().List(), texIndices.List()};
  DrawCorners(FaceGroupPrimitive(Mode), VertexIndices.Count(), corners);
}

void TFGVertexNormalTexIndexList::AddToTriangles(TAffineVectorList& vertices, TAffineVectorList* texCoords,
                                                 TAffineVectorList* normals) const {
  const TMeshObject& mesh = *MeshObject();
  AddToList(mesh.Vertices(), &vertices, VertexIndices, Mode);
  AddToList(mesh.TexCoords(), texCoords, TexCoordIndices, Mode);
  AddToList(mesh.Normals(), normals, NormalIndices, Mode);
}

void TFGVertexNormalTexIndexList::CheckIndices() const {
  const TMeshObject& mesh = *MeshObject();
  CheckIndexRange(VertexIndices, mesh.Vertices().Count());
  if (mesh.Normals().Count() > 0)
    CheckIndexRange(NormalIndices.Count() > 0 ? NormalIndices : VertexIndices, mesh.Normals().Count());
  if (mesh.TexCoords().Count() > 0)
    CheckIndexRange(TexCoordIndices.Count() > 0 ? TexCoordIndices : VertexIndices, mesh.TexCoords().Count());
}

void TFGVertexNormalTexIndexList::WriteToFiler(TVirtualWriter& writer) const {
  TFGVertexIndexList::WriteToFiler(writer);
  writer.WriteInteger(0);
  NormalIndices.WriteToFiler(writer);
  TexCoordIndices.WriteToFiler(writer);
}

void TFGVertexNormalTexIndexList::ReadFromFiler(TVirtualReader& reader) {
  TFGVertexIndexList::ReadFromFiler(reader);
  ReadArchiveVersion(reader, "TFGVertexNormalTexIndexList", 0);
  NormalIndices.ReadFromFiler(reader);
  TexCoordIndices.ReadFromFiler(reader);
}

void TFGIndexTexCoordList::BuildList(TRenderContextInfo&) {
  Assert(Mode != fgmQuads && TexCoords.Count() == VertexIndices.Count(), kUnit, __LINE__);
  const TMeshObject& mesh = *MeshObject();
  const int vertexCount = mesh.Vertices().Count();
  const std::int32_t* index = VertexIndices.List();
  CornerAttributes corners;
  corners.vertices = {mesh.Vertices().List(), index};
  corners.texCoords = {TexCoords.List()};
  if (mesh.Colors().Count() == vertexCount) corners.colors = {mesh.Colors().List(), index};
  if (mesh.Normals().Count() == vertexCount) corners.normals = {mesh.Normals().List(), index};
  DrawCorners(FaceGroupPrimitive(Mode), VertexIndices.Count(), corners);
}

void TFGIndexTexCoordList::AddToTriangles(TAffineVectorList& vertices, TAffineVectorList* texCoords,
                                          TAffineVectorList* normals) const {
  const TMeshObject& mesh = *MeshObject();
  AddToList(mesh.Vertices(), &vertices, VertexIndices, Mode);
  AddToList(mesh.Normals(), normals, VertexIndices, Mode);
  if (!texCoords) return;
  Assert(Mode != fgmQuads, kUnit, __LINE__);
  TIntegerList own;
  own.SetCount(TexCoords.Count());
  for (int i = 0; i < own.Count(); ++i) own.List()[i] = i;
  AddToList(TexCoords, texCoords, own, Mode);
}

void TFGIndexTexCoordList::CheckIndices() const {
  TFGVertexIndexList::CheckIndices();
  if (TexCoords.Count() != VertexIndices.Count()) RaiseIndexOutOfRange();
}

void TFGIndexTexCoordList::WriteToFiler(TVirtualWriter& writer) const {
  TFGVertexIndexList::WriteToFiler(writer);
  writer.WriteInteger(0);
  TexCoords.WriteToFiler(writer);
}

void TFGIndexTexCoordList::ReadFromFiler(TVirtualReader& reader) {
  TFGVertexIndexList::ReadFromFiler(reader);
  ReadArchiveVersion(reader, "TFGIndexTexCoordList", 0);
  TexCoords.ReadFromFiler(reader);
}

// ---- TMeshObject

TMeshObject::TMeshObject(TMeshObjectList* owner) : owner_(owner) {
  if (owner_) owner_->Add(this);
}

TMeshObject::~TMeshObject() {
  if (owner_) owner_->ItemsFreeing();
  free_notifier_.NotifyFreed(this);
  face_groups_.Clear();
  if (owner_) owner_->Remove(this);
}

TVectorList& TMeshObject::TexCoordsEx(int index) {
  while (static_cast<int>(tex_coords_ex_.size()) <= index) tex_coords_ex_.push_back(std::make_unique<TVectorList>());
  return *tex_coords_ex_[static_cast<std::size_t>(index)];
}

void TMeshObject::SetTangentsTexCoordIndex(int value) {
  Assert(value >= 0, kUnit, __LINE__);
  tangents_tex_coord_index_ = value;
}

void TMeshObject::SetBinormalsTexCoordIndex(int value) {
  Assert(value >= 0, kUnit, __LINE__);
  binormals_tex_coord_index_ = value;
}

void TMeshObject::Clear() {
  Vertices().Clear();
  Normals().Clear();
  tex_coords_.Clear();
  light_map_tex_coords_.Clear();
  colors_.Clear();
  face_groups_.Clear();
  for (auto& set : tex_coords_ex_) set->Clear();
}

void TMeshObject::GetExtents(TAffineVector& min, TAffineVector& max) const { Vertices().ComputeExtents(min, max); }

void TMeshObject::Translate(const TAffineVector& delta) { Vertices().TranslateItems(delta); }

void TMeshObject::ContributeToBarycenter(TAffineVector& sum, int& count) const {
  const TAffineVector own = Vertices().SumItems();
  sum = {sum.x + own.x, sum.y + own.y, sum.z + own.z};
  count += Vertices().Count();
}

TAffineVectorList TMeshObject::ExtractTriangles(TAffineVectorList* texCoords, TAffineVectorList* normals) const {
  TAffineVectorList result;
  switch (Mode) {
    case moTriangles:
      // Only whole triangles are taken: a list with a partial one gives no corners at all.
      // The other lists come whole either way; they are appended, as in the other modes.
      if (Vertices().Count() % 3 == 0) result.AddList(&Vertices());
      if (texCoords) texCoords->AddList(&tex_coords_);
      if (normals) normals->AddList(&Normals());
      break;
    case moTriangleStrip:
      ConvertStripToList(Vertices(), result);
      if (texCoords) ConvertStripToList(tex_coords_, *texCoords);
      if (normals) ConvertStripToList(Normals(), *normals);
      break;
    case moFaceGroups:
      CheckFaceGroups();
      for (int i = 0; i < face_groups_.Count(); ++i) face_groups_.Item(i).AddToTriangles(result, texCoords, normals);
      break;
    default:
      Assert(false, kUnit, __LINE__);
  }
  return result;
}

int TMeshObject::TriangleCount() const {
  switch (Mode) {
    case moTriangles:
      return Vertices().Count() / 3;
    case moTriangleStrip:
      return std::max(Vertices().Count() - 2, 0);
    case moFaceGroups: {
      int sum = 0;
      for (int i = 0; i < face_groups_.Count(); ++i) sum += face_groups_.Item(i).TriangleCount();
      return sum;
    }
  }
  Assert(false, kUnit, __LINE__);
  return 0;
}

void TMeshObject::Prepare() {
  for (int i = 0; i < face_groups_.Count(); ++i) face_groups_.Item(i).Prepare();
}

void TMeshObject::PrepareMaterialLibraryCache(const TGLMaterialLibrary* library) {
  for (int i = 0; i < face_groups_.Count(); ++i) face_groups_.Item(i).PrepareMaterialLibraryCache(library);
}

void TMeshObject::DropMaterialLibraryCache() {
  for (int i = 0; i < face_groups_.Count(); ++i) face_groups_.Item(i).DropMaterialLibraryCache();
}

void TMeshObject::DrawGroupsWithMaterials(TRenderContextInfo& rci) {
  int i = 0;
  while (i < face_groups_.Count()) {
    TGLLibMaterial* material = face_groups_.Item(i).MaterialCache;
    // A group without a material draws alone; one with a material takes the groups after it that share it.
    int end = i + 1;
    while (material && end < face_groups_.Count() && face_groups_.Item(end).MaterialCache == material) ++end;
    DrawWithMaterial(material, rci, [&] {
      for (int k = i; k < end; ++k) face_groups_.Item(k).BuildList(rci);
    });
    i = end;
  }
}

void TMeshObject::DrawGroupsByMaterial(TRenderContextInfo& rci) {
  // Each pass takes a new tag, so groups drawn earlier in this pass are told apart.
  static int pass = 1;
  const int tag = pass++;
  for (int i = 0; i < face_groups_.Count(); ++i) {
    if (face_groups_.Item(i).RenderGroupID == tag) continue;
    TGLLibMaterial* material = face_groups_.Item(i).MaterialCache;
    DrawWithMaterial(material, rci, [&] {
      for (int k = i; k < face_groups_.Count(); ++k) {
        TFaceGroup& group = face_groups_.Item(k);
        if (group.MaterialCache == material && group.RenderGroupID != tag) group.BuildList(rci);
      }
    });
    for (int k = i; k < face_groups_.Count(); ++k)
      if (face_groups_.Item(k).MaterialCache == material) face_groups_.Item(k).RenderGroupID = tag;
  }
}

void TMeshObject::PrepareBuildList(TRenderContextInfo& rci) {
  if (Mode != moFaceGroups || !rci.materialLibrary) return;
  for (int i = 0; i < face_groups_.Count(); ++i)
    if (TGLLibMaterial* material = face_groups_.Item(i).MaterialCache) material->PrepareBuildList();
}

void TMeshObject::CheckFaceGroups() const {
  for (int i = 0; i < face_groups_.Count(); ++i) face_groups_.Item(i).CheckIndices();
}

bool TMeshObject::PointInObject(const TAffineVector& point) const {
  TAffineVector min, max;
  GetExtents(min, max);
  return point.x >= min.x && point.y >= min.y && point.z >= min.z && point.x <= max.x && point.y <= max.y &&
         point.z <= max.z;
}

std::vector<int> TMeshObject::UsedTexCoordsEx() const {
  std::vector<int> used;
  if (!GLFlags().ARB_multitexture) return used;
  for (int k = 0; k < TexCoordsExCount(); ++k)
    if (tex_coords_ex_[static_cast<std::size_t>(k)]->Count() == Vertices().Count()) used.push_back(k);
  return used;
}

void TMeshObject::DrawImmediate(std::uint32_t primitive) {
  const int n = Vertices().Count();
  CornerAttributes corners;
  corners.vertices = {Vertices().List()};
  if (Normals().Count() == n) corners.normals = {Normals().List()};
  if (colors_.Count() == n) corners.colors = {colors_.List()};
  if (tex_coords_.Count() == n) corners.texCoords = {tex_coords_.List()};
  // Extra sets feed their own units; set 0 replaces the texture coordinates on unit 0.
  for (int k : UsedTexCoordsEx()) {
    const CornerAttribute<TVector4f> set{tex_coords_ex_[static_cast<std::size_t>(k)]->List()};
    if (k == 0) corners.texCoords = {};
    corners.unitTexCoords.emplace_back(GL_TEXTURE0_ARB + static_cast<GLenum>(k), set);
  }
  if (!corners.unitTexCoords.empty() && corners.texCoords.data) corners.texCoordUnit = GL_TEXTURE0_ARB;
  DrawCorners(primitive, n, corners);
}

void TMeshObject::BuildList(TRenderContextInfo& rci) {
  arrays_declared_ = false;
  last_texture_mapping_ = 0;
  auto& gl = GL();
  const bool colored = colors_.Count() == Vertices().Count() && colors_.Count() > 0;
  if (colored) {
    gl.glPushAttrib(GL_ENABLE_BIT);
    gl.glEnable(GL_COLOR_MATERIAL);
    gl.glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    if (rci.GLStates) rci.GLStates->ResetGLMaterialColors();
  }
  switch (Mode) {
    case moTriangles:
      if (Vertices().Count() > 0) DrawImmediate(GL_TRIANGLES);
      break;
    case moTriangleStrip:
      if (Vertices().Count() > 0) DrawImmediate(GL_TRIANGLE_STRIP);
      break;
    case moFaceGroups:
      CheckFaceGroups();
      if (!rci.materialLibrary) {
        for (int i = 0; i < face_groups_.Count(); ++i) face_groups_.Item(i).BuildList(rci);
        break;
      }
      if (RenderingOptions & mroGroupByMaterial)
        DrawGroupsByMaterial(rci);
      else
        DrawGroupsWithMaterials(rci);
      // A material may have changed culling behind the context's back.
      if (rci.GLStates) {
        const bool culling = rci.GLStates->IsEnabled(stCullFace);
        if (rci.bufferFaceCull && !culling) rci.GLStates->Enable(stCullFace);
        if (!rci.bufferFaceCull && culling) rci.GLStates->Disable(stCullFace);
      }
      break;
    default:
      Assert(false, kUnit, __LINE__);
  }
  if (colored) gl.glPopAttrib();
  DisableOpenGLArrays(rci);
}

std::vector<TMeshObject::UnitArray> TMeshObject::UnitTexCoordArrays() const {
  std::vector<UnitArray> arrays;
  if (!GLFlags().ARB_multitexture) return arrays;
  if (light_map_tex_coords_.Count() > 0)
    arrays.push_back({GL_TEXTURE1_ARB, 2, sizeof(TTexPoint), light_map_tex_coords_.List()});
  for (int k = 0; k < TexCoordsExCount(); ++k) {
    const TVectorList& set = *tex_coords_ex_[static_cast<std::size_t>(k)];
    if (set.Count() > 0) arrays.push_back({GL_TEXTURE0_ARB + static_cast<GLenum>(k), 4, sizeof(TVector4f), set.List()});
  }
  return arrays;
}

void TMeshObject::DeclareArraysToOpenGL(TRenderContextInfo& rci, bool evenIfAlreadyDeclared) {
  const bool materials = !rci.ignoreMaterials;
  const bool texCoords = tex_coords_.Count() > 0;
  if (arrays_declared_ && !evenIfAlreadyDeclared) {
    // A material applied between face groups may have moved the texture coordinates to other units.
    const unsigned mapping = CurrentTexCoordMapping();
    if (materials && texCoords && mapping != last_texture_mapping_) {
      xglTexCoordPointer(2, GL_FLOAT, sizeof(TAffineVector), tex_coords_.List());
      xglEnableClientState(GL_TEXTURE_COORD_ARRAY);
      last_texture_mapping_ = mapping;
    }
    return;
  }
  auto& gl = GL();
  const int n = Vertices().Count();
  if (n > 0) gl.glVertexPointer(3, GL_FLOAT, 0, Vertices().List());
  SetClientState(GL_VERTEX_ARRAY, n > 0);
  if (materials) {
    if (Normals().Count() > 0) gl.glNormalPointer(GL_FLOAT, 0, Normals().List());
    SetClientState(GL_NORMAL_ARRAY, Normals().Count() > 0);
    if (colors_.Count() > 0) gl.glColorPointer(4, GL_FLOAT, 0, colors_.List());
    SetClientState(GL_COLOR_ARRAY, colors_.Count() > 0);
    if (texCoords) {
      xglTexCoordPointer(2, GL_FLOAT, sizeof(TAffineVector), tex_coords_.List());
      xglEnableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
      xglDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    const std::vector<UnitArray> unitArrays = UnitTexCoordArrays();
    for (const UnitArray& array : unitArrays) {
      gl.glClientActiveTextureARB(array.unit);
      gl.glTexCoordPointer(array.size, GL_FLOAT, array.stride, array.data);
      gl.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (GLFlags().ARB_multitexture) gl.glClientActiveTextureARB(GL_TEXTURE0_ARB);
  } else {
    gl.glDisableClientState(GL_NORMAL_ARRAY);
    gl.glDisableClientState(GL_COLOR_ARRAY);
    xglDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  // Locked arrays let GL transform the shared vertices once for all face groups.
  arrays_locked_ = GLFlags().EXT_compiled_vertex_array && light_map_tex_coords_.Count() == 0 && n > 0;
  if (arrays_locked_) gl.glLockArraysEXT(0, n);
  last_light_map_index_ = -1;
  arrays_declared_ = true;
  light_map_array_enabled_ = false;
  last_texture_mapping_ = CurrentTexCoordMapping();
}

void TMeshObject::DisableOpenGLArrays(TRenderContextInfo& rci) {
  if (!arrays_declared_) return;
  DisableLightMapArray();
  auto& gl = GL();
  if (arrays_locked_) gl.glUnlockArraysEXT();
  arrays_locked_ = false;
  if (Vertices().Count() > 0) gl.glDisableClientState(GL_VERTEX_ARRAY);
  if (!rci.ignoreMaterials) {
    if (Normals().Count() > 0) gl.glDisableClientState(GL_NORMAL_ARRAY);
    if (colors_.Count() > 0) gl.glDisableClientState(GL_COLOR_ARRAY);
    if (tex_coords_.Count() > 0) xglDisableClientState(GL_TEXTURE_COORD_ARRAY);
    const std::vector<UnitArray> unitArrays = UnitTexCoordArrays();
    for (const UnitArray& array : unitArrays) {
      gl.glClientActiveTextureARB(array.unit);
      gl.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (!unitArrays.empty()) gl.glClientActiveTextureARB(GL_TEXTURE0_ARB);
  }
  arrays_declared_ = false;
}

void TMeshObject::AttachLightMap(int lightMapIndex, TRenderContextInfo& rci) {
  auto* library = dynamic_cast<TGLMaterialLibrary*>(rci.lightmapLibrary);
  if (!GLFlags().ARB_multitexture || rci.ignoreMaterials || !library || lightMapIndex == last_light_map_index_) return;
  last_light_map_index_ = lightMapIndex;
  if (lightMapIndex < 0) {
    DisableLightMapArray();
    return;
  }
  Assert(lightMapIndex < library->Materials().Count(), kUnit, __LINE__);
  TGLTexture& texture = library->Materials().Items(lightMapIndex).Material().Texture();
  Assert(texture.Image().NativeTextureTarget() == GL_TEXTURE_2D, kUnit, __LINE__);
  auto& gl = GL();
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  rci.GLStates->SetGLCurrentTexture(1, GL_TEXTURE_2D, texture.GetHandle());
  gl.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
  EnableLightMapArray();
}

void TMeshObject::EnableLightMapArray() {
  if (light_map_array_enabled_) return;
  SwitchTextureUnit(GL_TEXTURE1_ARB, true);
  light_map_array_enabled_ = true;
}

void TMeshObject::DisableLightMapArray() {
  if (!light_map_array_enabled_) return;
  SwitchTextureUnit(GL_TEXTURE1_ARB, false);
  light_map_array_enabled_ = false;
}

void TMeshObject::WriteToFiler(TVirtualWriter& writer) const {
  TBaseMeshObject::WriteToFiler(writer);
  writer.WriteInteger(2);
  tex_coords_.WriteToFiler(writer);
  light_map_tex_coords_.WriteToFiler(writer);
  colors_.WriteToFiler(writer);
  face_groups_.WriteToFiler(writer);
  writer.WriteInteger(Mode);
  writer.WriteInteger(1);
  writer.Write(&RenderingOptions, 1);
  writer.WriteInteger(TexCoordsExCount());
  for (const auto& set : tex_coords_ex_) set->WriteToFiler(writer);
  writer.WriteInteger(binormals_tex_coord_index_);
  writer.WriteInteger(tangents_tex_coord_index_);
}

void TMeshObject::ReadFromFiler(TVirtualReader& reader) {
  TBaseMeshObject::ReadFromFiler(reader);
  const int version = ReadArchiveVersion(reader, "TMeshObject", 2);
  tex_coords_.ReadFromFiler(reader);
  if (version >= 1)
    light_map_tex_coords_.ReadFromFiler(reader);
  else
    light_map_tex_coords_.Clear();
  colors_.ReadFromFiler(reader);
  face_groups_.ReadFromFiler(reader);
  const int mode = reader.ReadInteger();
  if (mode < moTriangles || mode > moFaceGroups) throw EReadError("Unknown mesh object mode");
  Mode = static_cast<TMeshObjectMode>(mode);
  if (reader.ReadInteger() != 1) throw EReadError("Unexpected size of the rendering options");
  reader.Read(&RenderingOptions, 1);
  if (version >= 2) {
    const int sets = reader.ReadInteger();
    // Each set's archive takes several bytes, so a count beyond the stream is forged.
    if (sets < 0 || static_cast<std::uint64_t>(sets) > reader.Stream().Remaining()) RaiseIndexOutOfRange();
    tex_coords_ex_.clear();
    for (int i = 0; i < sets; ++i) TexCoordsEx(i).ReadFromFiler(reader);
    const int binormals = reader.ReadInteger();
    const int tangents = reader.ReadInteger();
    if (binormals < 0 || tangents < 0) throw EReadError("Negative texture coordinate set index");
    binormals_tex_coord_index_ = binormals;
    tangents_tex_coord_index_ = tangents;
  }
  CheckFaceGroups();
}

// ---- TMeshObjectList

TMeshObjectList::~TMeshObjectList() {
  Clear();
  // Holders of an empty list still keep a pointer to it.
  items_free_notifier_.NotifyFreed(this);
}

void TMeshObjectList::Clear() {
  if (Count() > 0) ItemsFreeing();
  for (int i = 0; i < Count(); ++i) Item(i).SetOwner(nullptr);
  FreeItems();
  TPersistentObjectList::Clear();
}

void TMeshObjectList::ItemsFreeing() {
  if (items_freeing_) items_freeing_();
  items_free_notifier_.NotifyFreed(this);
}

void TMeshObjectList::GetExtents(TAffineVector& min, TAffineVector& max) const {
  min = {1e30f, 1e30f, 1e30f};
  max = {-1e30f, -1e30f, -1e30f};
  for (int i = 0; i < Count(); ++i) {
    TAffineVector itemMin, itemMax;
    Item(i).GetExtents(itemMin, itemMax);
    min = {std::min(min.x, itemMin.x), std::min(min.y, itemMin.y), std::min(min.z, itemMin.z)};
    max = {std::max(max.x, itemMax.x), std::max(max.y, itemMax.y), std::max(max.z, itemMax.z)};
  }
}

void TMeshObjectList::Translate(const TAffineVector& delta) {
  for (int i = 0; i < Count(); ++i) Item(i).Translate(delta);
}

TAffineVectorList TMeshObjectList::ExtractTriangles(TAffineVectorList* texCoords, TAffineVectorList* normals) const {
  TAffineVectorList result;
  for (int i = 0; i < Count(); ++i) {
    TAffineVectorList own = Item(i).ExtractTriangles(texCoords, normals);
    result.AddList(&own);
  }
  return result;
}

int TMeshObjectList::TriangleCount() const {
  int sum = 0;
  for (int i = 0; i < Count(); ++i) sum += Item(i).TriangleCount();
  return sum;
}

void TMeshObjectList::Prepare() {
  for (int i = 0; i < Count(); ++i) Item(i).Prepare();
}

void TMeshObjectList::PrepareMaterialLibraryCache(const TGLMaterialLibrary* library) {
  for (int i = 0; i < Count(); ++i) Item(i).PrepareMaterialLibraryCache(library);
}

void TMeshObjectList::DropMaterialLibraryCache() {
  for (int i = 0; i < Count(); ++i) Item(i).DropMaterialLibraryCache();
}

void TMeshObjectList::PrepareBuildList(TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i)
    if (Item(i).Visible) Item(i).PrepareBuildList(rci);
}

void TMeshObjectList::BuildList(TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i)
    if (Item(i).Visible) Item(i).BuildList(rci);
}

void TMeshObjectList::ReadFromFiler(TVirtualReader& reader) {
  ReadOwnedItems<TMeshObject>(*this, reader, [](TMeshObject& item) { item.ReadComplete(); });
}

void RegisterMeshObjectClasses() {
  RegisterPersistentClass<TMeshObject>();
  RegisterPersistentClass<TFGVertexIndexList>();
  RegisterPersistentClass<TFGVertexNormalTexIndexList>();
  RegisterPersistentClass<TFGIndexTexCoordList>();
}
