// Mesh objects: triangle counts and extraction in every mode, archives of
// every class and version, index checks, drawing order, and the connectivity
// of their face groups.
#include <gtest/gtest.h>

#include <memory>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/animation/actor.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/mesh_connectivity.h"
#include "scene3d/meshes/vertex_array_mesh.h"
#include "scene_fixture.h"
#include "support/recording_context.h"
#include "support/recording_gl.h"
#include "support/stl_samples.h"

namespace {

TAffineVector P(float x) { return {x, 0, 0}; }

void AddPoints(TAffineVectorList& list, int n) {
  for (int i = 0; i < n; ++i) list.Add(P(static_cast<float>(i)));
}

std::vector<float> Xs(const TAffineVectorList& list) {
  std::vector<float> xs;
  for (int i = 0; i < list.Count(); ++i) xs.push_back(list.GetItem(i).x);
  return xs;
}

TFGVertexIndexList& AddIndexGroup(TMeshObject& mesh, TFaceGroupMode mode, std::vector<int> indices) {
  auto* group = new TFGVertexIndexList(&mesh.FaceGroups());
  group->Mode = mode;
  for (int index : indices) group->VertexIndices.Add(index);
  return *group;
}

class MeshObjects : public SceneTest {};

TEST_F(MeshObjects, TriangleCountsAndExtraction) {
  TMeshObject mesh;
  EXPECT_EQ(mesh.TriangleCount(), 0);
  AddPoints(mesh.Vertices(), 7);
  AddPoints(mesh.Normals(), 7);
  EXPECT_EQ(mesh.TriangleCount(), 2);
  AddPoints(mesh.TexCoords(), 5);
  // The texture coordinates and normals come whole, whether the corners are taken or not.
  for (int vertices : {7, 6}) {
    mesh.Vertices().SetCount(vertices);
    TAffineVectorList texCoords, normals;
    const TAffineVectorList corners = mesh.ExtractTriangles(&texCoords, &normals);
    EXPECT_EQ(Xs(texCoords), Xs(mesh.TexCoords())) << vertices;
    EXPECT_EQ(Xs(normals), Xs(mesh.Normals())) << vertices;
    if (vertices == 7)
      EXPECT_EQ(corners.Count(), 0) << "a list that is not whole triangles gives none";
    else
      EXPECT_EQ(Xs(corners), (std::vector<float>{0, 1, 2, 3, 4, 5}));
  }
  mesh.TexCoords().Clear();
  mesh.Mode = moTriangleStrip;
  mesh.Vertices().Clear();
  AddPoints(mesh.Vertices(), 4);
  EXPECT_EQ(Xs(mesh.ExtractTriangles()), (std::vector<float>{0, 1, 2, 3, 2, 1}));
  AddPoints(mesh.Vertices(), 1);
  EXPECT_EQ(mesh.TriangleCount(), 3);

  mesh.Mode = moFaceGroups;
  AddIndexGroup(mesh, fgmTriangleFan, {0, 1, 2, 3});
  AddIndexGroup(mesh, fgmQuads, {0, 1, 2, 3, 0, 1, 2, 3});
  EXPECT_EQ(mesh.TriangleCount(), 2 + 4);
  TAffineVectorList texCoords;
  EXPECT_EQ(Xs(mesh.ExtractTriangles(&texCoords)),
            (std::vector<float>{0, 1, 2, 0, 2, 3, 0, 1, 2, 0, 2, 3, 0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(texCoords.Count(), 18);  // zero entries for the missing texture coordinates
  AddIndexGroup(mesh, fgmTriangles, {0, 9, 1});
  EXPECT_THROW(mesh.ExtractTriangles(), EReadError);
}

TEST_F(MeshObjects, ArchivesRoundTripAndRejectBadData) {
  TGLFreeForm form(nullptr);
  auto* mesh = new TMeshObject(&form.MeshObjects());
  mesh->Name = "part";
  mesh->Mode = moFaceGroups;
  AddPoints(mesh->Vertices(), 4);
  for (int i = 0; i < 4; ++i) mesh->TexCoordsEx(1).AddXYZ(1, 2, 3);
  AddIndexGroup(*mesh, fgmTriangleStrip, {0, 1, 2, 3}).LightMapIndex = 2;
  auto* normals = new TFGVertexNormalTexIndexList(&mesh->FaceGroups());
  normals->VertexIndices.Add3(0, 1, 2);
  auto* own = new TFGIndexTexCoordList(&mesh->FaceGroups());
  own->VertexIndices.Add3(1, 2, 3);
  own->TexCoords.Add3(P(1), P(2), P(3));
  TStringStream stream;
  form.SaveMeshToStream("a.glsm", stream);
  stream.SetPosition(0);
  TGLFreeForm copy(nullptr);
  copy.LoadMeshFromStream("a.glsm", stream);
  ASSERT_EQ(copy.MeshObjects().Count(), 1);
  const TMeshObject& read = copy.MeshObjects().Item(0);
  EXPECT_EQ(read.Name, "part");
  EXPECT_EQ(read.Owner(), &copy.MeshObjects());
  ASSERT_EQ(read.FaceGroups().Count(), 3);
  EXPECT_EQ(read.FaceGroups().Item(0).LightMapIndex, 2);
  EXPECT_EQ(read.FaceGroups().Item(1).ClassName(), "TFGVertexNormalTexIndexList");
  EXPECT_EQ(read.FaceGroups().Item(2).MeshObject(), &read);
  EXPECT_EQ(read.TriangleCount(), 4);
  EXPECT_EQ(Xs(read.ExtractTriangles()), Xs(mesh->ExtractTriangles()));

  // An index beyond the vertices, an unknown version, a forged options size.
  const std::string good = stream.DataString();
  auto expectRejected = [&](std::string bytes) {
    TStringStream bad(std::move(bytes));
    EXPECT_THROW(copy.LoadMeshFromStream("a.glsm", bad), ELibraryError);
  };
  mesh->Vertices().SetCount(3);
  TStringStream shortened;
  form.SaveMeshToStream("a.glsm", shortened);
  expectRejected(shortened.DataString());
  TMeshObject versioned;
  TStringStream archive;
  versioned.SaveToStream(archive);
  std::string bytes = archive.DataString();
  const std::size_t version = bytes.find("\x02\x02", 0);  // int8 2 of the mesh object level
  ASSERT_NE(version, std::string::npos);
  bytes[version + 1] = 3;
  TStringStream third(bytes);
  try {
    versioned.LoadFromStream(third);
    FAIL();
  } catch (const EFilerException& error) {
    EXPECT_EQ(std::string(error.what()), "TMeshObject : unknown archive version 3");
  }
}

TEST_F(MeshObjects, RecorderSeesTheNormalBeforeEachVertex) {
  TGLFreeForm form(nullptr);
  TStringStream stream(BinaryStl(CubeFacets(2)));
  form.LoadMeshFromStream("c.stl", stream);
  RecordingGL gl;
  TRenderContextInfo rci;
  form.BuildList(rci);
  std::vector<std::string> names = gl.Names();
  ASSERT_EQ(gl.Count("glVertex3fv"), 36);
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == "glVertex3fv") {
      EXPECT_EQ(names[i - 1], "glNormal3fv");
    }
  EXPECT_EQ(names.front(), "glBegin");
}

TEST_F(MeshObjects, ConnectivityOfFaceGroups) {
  TGLFreeForm form(nullptr);
  TStringStream stream(BinaryStl(CubeFacets(2)));
  form.LoadMeshFromStream("c.stl", stream);
  TGLSilhouetteParameters parameters;
  parameters.SeenFrom = {5, 5, 5};
  EXPECT_EQ(form.GenerateSilhouette(parameters)->Indices().Count(), 0);  // no face groups

  auto* tetra = new TMeshObject(&form.MeshObjects());
  tetra->Mode = moFaceGroups;
  tetra->Vertices().Add3({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  tetra->Vertices().Add({0, 0, 1});
  AddIndexGroup(*tetra, fgmTriangles, {0, 2, 1, 0, 1, 3, 1, 2, 3, 0, 3, 2});
  {
    TGLBaseMeshConnectivity connectivity(form);
    EXPECT_EQ(connectivity.EdgeCount(), 6);
    EXPECT_EQ(connectivity.FaceCount(), 4);
  }
  EXPECT_EQ(tetra->Vertices().Count(), 4);                               // the shared vertices outlive the connectivity
  EXPECT_EQ(form.GenerateSilhouette(parameters)->Indices().Count(), 6);  // three outline edges
  AddIndexGroup(*tetra, fgmQuads, {0, 1, 2, 3});
  try {
    TGLBaseMeshConnectivity connectivity(form);
    FAIL();
  } catch (const EAssertionFailed& error) {
    EXPECT_NE(std::string(error.what()).find("Not supported"), std::string::npos);
  }
}

TEST_F(MeshObjects, ConnectivityGivenItsMeshLaterDerivesWhetherToKeepFaceNormals) {
  TGLActor actor(nullptr);
  TGLFreeForm form(nullptr);
  TGLBaseMeshConnectivity connectivity(true);
  connectivity.SetBaseMesh(&actor);
  EXPECT_FALSE(connectivity.PrecomputeFaceNormal()) << "an actor's vertices move every frame";
  connectivity.SetBaseMesh(&form);
  EXPECT_TRUE(connectivity.PrecomputeFaceNormal());
}

}  // namespace

namespace {

TEST(VertexArrayMesh, DrawsItsRecordsInOneCall) {
  TGLMesh mesh(nullptr);
  EXPECT_EQ(mesh.Vertices().Count(), 3);
  RecordingGL gl;
  TRenderContextInfo rci;
  mesh.BuildList(rci);
  EXPECT_EQ(gl.Count("glInterleavedArrays"), 1);
  EXPECT_EQ(gl.Count("glDrawArrays"), 1);
  EXPECT_EQ(gl.calls[gl.calls.size() - 6].args, (std::vector<double>{GL_TRIANGLE_STRIP, 0, 3}));
  gl.Clear();
  mesh.SetVertexMode(vmVT);
  mesh.BuildList(rci);
  EXPECT_EQ(gl.Count("glInterleavedArrays"), 0);
  EXPECT_EQ(gl.Count("glTexCoordPointer"), 1);
  EXPECT_EQ(gl.Count("glNormalPointer"), 0);
  for (int i = mesh.Vertices().Count(); i < 256; ++i) mesh.Vertices().AddVertex({}, {}, {}, {});
  EXPECT_EQ(mesh.Vertices().Capacity(), 256);
  mesh.Vertices().AddVertex({}, {}, {}, {});
  EXPECT_EQ(mesh.Vertices().Capacity(), 512);
  mesh.Vertices().SetLocked(true);
  EXPECT_FALSE(mesh.Vertices().Locked()) << "no vertex-array-range extension, no context";
}

// Driver memory handed out by the stand-in for the extension's allocator.
std::vector<TVertexData> driver_memory;
void* freed_memory = nullptr;

TEST(VertexArrayMesh, ALockedListDrawsFromDriverMemoryAndTakesNoMoreRecords) {
  TGLMesh mesh(nullptr);
  RecordingGL gl;
  RecordingContext context;
  context.CreateContext(0);
  context.Activate();
  GLFlags().NV_vertex_array_range = true;
  driver_memory.assign(3, TVertexData{});
  GL().wglAllocateMemoryNV = [](GLsizei size, GLfloat, GLfloat, GLfloat) -> void* {
    return size == 3 * static_cast<GLsizei>(sizeof(TVertexData)) ? driver_memory.data() : nullptr;
  };
  GL().wglFreeMemoryNV = [](void* memory) { freed_memory = memory; };
  mesh.Vertices().SetLocked(true);
  ASSERT_TRUE(mesh.Vertices().Locked());
  EXPECT_EQ(mesh.Vertices().First(), driver_memory.data());
  EXPECT_EQ(driver_memory[1].coord.y, 1) << "the records are copied into driver memory";
  EXPECT_THROW(mesh.Vertices().AddVertex({}, {}, {}, {}), EAssertionFailed);

  mesh.SetObjectStyle(mesh.ObjectStyle() | osDirectDraw);
  TRenderContextInfo rci;
  gl.Clear();
  mesh.BuildList(rci);
  ASSERT_GE(gl.calls.size(), 4u);
  EXPECT_EQ(gl.calls[0].name, "glVertexArrayRangeNV");
  EXPECT_EQ(gl.calls[1].name, "glEnable");
  EXPECT_EQ(gl.calls[gl.calls.size() - 2].name, "glDisable");
  EXPECT_EQ(gl.calls.back().name, "glFlushVertexArrayRangeNV");

  mesh.Vertices().SetLocked(false);
  EXPECT_FALSE(mesh.Vertices().Locked());
  EXPECT_EQ(freed_memory, driver_memory.data());
  EXPECT_NE(mesh.Vertices().First(), driver_memory.data());
  mesh.Vertices().AddVertex({}, {}, {}, {});
  EXPECT_EQ(mesh.Vertices().Count(), 4);

  GL().wglAllocateMemoryNV = [](GLsizei, GLfloat, GLfloat, GLfloat) -> void* { return nullptr; };
  mesh.Vertices().SetLocked(true);
  EXPECT_FALSE(mesh.Vertices().Locked()) << "the driver had no memory";
}

}  // namespace

namespace {

class PassCountingShader : public TGLShader {
 public:
  using TGLShader::TGLShader;
  int applied = 0;

 protected:
  void DoApply(TRenderContextInfo&, TObject*) override { ++applied; }
};

TEST_F(MeshObjects, FaceGroupsShareTheirLibraryMaterial) {
  TGLMaterialLibrary library(nullptr);
  PassCountingShader wood(nullptr), metal(nullptr);
  library.Materials().Add()->SetName("wood");
  library.Materials().Add()->SetName("metal");
  library.LibMaterialByName("wood")->SetShader(&wood);
  library.LibMaterialByName("metal")->SetShader(&metal);
  TGLFreeForm form(nullptr);
  auto* mesh = new TMeshObject(&form.MeshObjects());
  mesh->Mode = moFaceGroups;
  AddPoints(mesh->Vertices(), 3);
  for (const char* name : {"wood", "wood", "metal", "wood", "missing"})
    AddIndexGroup(*mesh, fgmTriangles, {0, 1, 2}).MaterialName = name;
  form.SetMaterialLibrary(&library);
  RecordingGL gl;
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  form.SetObjectStyle(form.ObjectStyle() | osDirectDraw);
  form.DoRender(rci, true, false);
  EXPECT_EQ(gl.Count("glDrawElements"), 5);
  EXPECT_EQ(wood.applied, 2);  // two runs of wood
  EXPECT_EQ(metal.applied, 1);
  EXPECT_EQ(rci.materialLibrary, nullptr);
  mesh->RenderingOptions = mroGroupByMaterial;
  form.DoRender(rci, true, false);
  EXPECT_EQ(gl.Count("glDrawElements"), 10);
  EXPECT_EQ(wood.applied, 3);  // all wood groups in one application
  form.SetMaterialLibrary(nullptr);
  EXPECT_EQ(mesh->FaceGroups().Item(0).MaterialCache, nullptr);

  // A destroyed library is forgotten, with the face groups' cached materials.
  auto doomed = std::make_unique<TGLMaterialLibrary>(nullptr);
  doomed->Materials().Add()->SetName("wood");
  form.SetMaterialLibrary(doomed.get());
  form.PrepareMaterialLibraryCache();
  EXPECT_NE(mesh->FaceGroups().Item(0).MaterialCache, nullptr);
  doomed.reset();
  EXPECT_EQ(form.MaterialLibrary(), nullptr);
  EXPECT_EQ(mesh->FaceGroups().Item(0).MaterialCache, nullptr);
}

}  // namespace
