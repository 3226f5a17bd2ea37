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

using MeshTextureUpload = SceneTest;

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

TEST_F(MeshTextureUpload, FaceGroupTexturesAreUploadedBeforeTheListIsCompiled) {
  RecordingGL gl;
  RecordingContext context;
  context.CreateContext(0);
  context.Activate();
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  TGLMaterialLibrary library(nullptr);
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(qRgb(200, 100, 50));
  TGLLibMaterial& wood = library.AddTextureMaterial("wood", picture);
  TGLFreeForm form(nullptr);
  AddTriangle(form, "wood");
  form.SetMaterialLibrary(&library);
  form.DoRender(rci, true, false);
  const std::vector<std::string> names = gl.Names();
  const std::size_t upload = Position(names, "glGenTextures"), list = Position(names, "glNewList");
  ASSERT_LT(list, names.size()) << "drawn through a display list";
  EXPECT_LT(upload, list);
  EXPECT_EQ(gl.Count("glGenTextures"), 1);
  EXPECT_NE(wood.Material().Texture().Handle(), 0u);
}

TEST_F(MeshTextureUpload, OnlyFaceGroupsWithALibraryPrepareTheirMaterials) {
  RecordingGL gl;
  RecordingContext context;
  context.CreateContext(0);
  context.Activate();
  TGLMaterialLibrary library(nullptr);
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(qRgb(10, 20, 30));
  TGLLibMaterial& wood = library.AddTextureMaterial("wood", picture);
  TGLFreeForm form(nullptr);
  TMeshObject& triangles = AddTriangle(form, "wood", moTriangles);
  TMeshObject& grouped = AddTriangle(form, "wood");
  triangles.PrepareMaterialLibraryCache(&library);
  grouped.PrepareMaterialLibraryCache(&library);
  TRenderContextInfo rci;
  grouped.PrepareBuildList(rci);  // no library in the context
  triangles.PrepareBuildList(rci);
  rci.materialLibrary = &library;
  triangles.PrepareBuildList(rci);  // not drawn through its groups
  EXPECT_EQ(wood.Material().Texture().Handle(), 0u);
  grouped.PrepareBuildList(rci);
  EXPECT_NE(wood.Material().Texture().Handle(), 0u);
}

}  // namespace
