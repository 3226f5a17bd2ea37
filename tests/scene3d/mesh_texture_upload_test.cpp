// A free form drawn through a display list uploads the textures of its face
// groups' library materials before the list is compiled, never inside it.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/material_library.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene_fixture.h"
#include "support/recording_context.h"
#include "support/recording_gl.h"

namespace {

// GL calls recorded in a context that is current for the whole test.
class MeshTextureUpload : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    context.CreateContext(0);
    context.Activate();
    rci.GLStates = &cache;
  }

  // A material of the library whose texture is a small picture of one colour.
  static TGLLibMaterial& AddPicture(TGLMaterialLibrary& library, const std::string& name, QRgb colour) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(colour);
    return library.AddTextureMaterial(name, picture);
  }

  RecordingGL gl;
  RecordingContext context;
  TGLStateCache cache;
  TRenderContextInfo rci;
};

// A triangle of one face group in the named material.
TMeshObject& AddTriangle(TGLBaseMesh& form, const std::string& material, TMeshObjectMode mode = moFaceGroups) {
  auto* mesh = new TMeshObject(&form.MeshObjects());
  mesh->Mode = mode;
  mesh->Vertices().Add3({0, 0, 0}, {1, 0, 0}, {1, 1, 0});
  auto* group = new TFGVertexIndexList(&mesh->FaceGroups());
  group->VertexIndices.Add3(0, 1, 2);
  group->MaterialName = material;
  return *mesh;
}

std::size_t Position(const std::vector<std::string>& names, const std::string& name) {
  return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// A display list was compiled, and the first texture was uploaded before it.
void ExpectUploadBeforeList(const RecordingGL& gl) {
  const std::vector<std::string> names = gl.Names();
  const std::size_t list = Position(names, "glNewList");
  ASSERT_LT(list, names.size()) << "drawn through a display list";
  EXPECT_LT(Position(names, "glGenTextures"), list);
}

TEST_F(MeshTextureUpload, FaceGroupTexturesAreUploadedBeforeTheListIsCompiled) {
  TGLMaterialLibrary library(nullptr);
  TGLLibMaterial& wood = AddPicture(library, "wood", qRgb(200, 100, 50));
  TGLFreeForm form(nullptr);
  AddTriangle(form, "wood");
  form.SetMaterialLibrary(&library);
  form.DoRender(rci, true, false);
  ExpectUploadBeforeList(gl);
  EXPECT_EQ(gl.Count("glGenTextures"), 1);
  EXPECT_NE(wood.Material().Texture().Handle(), 0u);
}

TEST_F(MeshTextureUpload, OnlyFaceGroupsWithALibraryPrepareTheirMaterials) {
  TGLMaterialLibrary library(nullptr);
  TGLLibMaterial& wood = AddPicture(library, "wood", qRgb(10, 20, 30));
  TGLFreeForm form(nullptr);
  TMeshObject& triangles = AddTriangle(form, "wood", moTriangles);
  TMeshObject& grouped = AddTriangle(form, "wood");
  triangles.PrepareMaterialLibraryCache(&library);
  grouped.PrepareMaterialLibraryCache(&library);
  grouped.PrepareBuildList(rci);  // no library in the context
  triangles.PrepareBuildList(rci);
  rci.materialLibrary = &library;
  triangles.PrepareBuildList(rci);  // not drawn through its groups
  EXPECT_EQ(wood.Material().Texture().Handle(), 0u);
  grouped.PrepareBuildList(rci);
  EXPECT_NE(wood.Material().Texture().Handle(), 0u);
}

// Counts the preparations that upload textures before a list is compiled.
class PreparationCounter : public TGLFreeForm {
 public:
  using TGLFreeForm::TGLFreeForm;
  int prepared = 0;

 protected:
  void PrepareBuildList(TRenderContextInfo& rci) override {
    ++prepared;
    TGLFreeForm::PrepareBuildList(rci);
  }
};

TEST_F(MeshTextureUpload, AMeshWithoutAValidListUploadsItsTexturesBeforeCompilingTheNextOne) {
  TGLMaterialLibrary library(nullptr);
  TGLLibMaterial& wood = AddPicture(library, "wood", qRgb(1, 2, 3));
  PreparationCounter form(nullptr);
  AddTriangle(form, "wood");
  form.SetMaterialLibrary(&library);
  form.DoRender(rci, true, false);
  form.DoRender(rci, true, false);
  EXPECT_EQ(form.prepared, 1) << "a valid list is called, not prepared again";

  form.DestroyHandles();  // as when the mesh moves to another scene
  ASSERT_EQ(wood.Material().Texture().Handle(), 0u);
  gl.Clear();
  form.DoRender(rci, true, false);
  ExpectUploadBeforeList(gl);
  EXPECT_EQ(form.prepared, 2);

  form.SetObjectStyle(form.ObjectStyle() | osDirectDraw);
  form.DoRender(rci, true, false);
  form.DoRender(rci, true, false);
  EXPECT_EQ(form.prepared, 2) << "drawing directly never compiles a list";
}

TEST_F(MeshTextureUpload, ALibraryTheMeshLetsGoOfFreesItsTextures) {
  TGLMaterialLibrary materials(nullptr);
  TGLMaterialLibrary lightmaps(nullptr);
  TGLLibMaterial& wood = AddPicture(materials, "wood", qRgb(9, 8, 7));
  TGLLibMaterial& shade = AddPicture(lightmaps, "shade", qRgb(9, 8, 7));
  TGLFreeForm form(nullptr);
  AddTriangle(form, "wood");
  form.SetMaterialLibrary(&materials);
  form.SetLightmapLibrary(&lightmaps);
  form.DoRender(rci, true, false);
  ASSERT_NE(wood.Material().Texture().Handle(), 0u);
  ASSERT_NE(shade.Material().Texture().Handle(), 0u);
  form.SetMaterialLibrary(nullptr);
  EXPECT_EQ(wood.Material().Texture().Handle(), 0u);
  form.SetLightmapLibrary(&materials);
  EXPECT_EQ(shade.Material().Texture().Handle(), 0u);
}

}  // namespace
