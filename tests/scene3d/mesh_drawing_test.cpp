// How mesh objects reach GL: light maps bound on texture unit 1 once per
// index, the compiled-array lock around the face groups, extra texture
// coordinate sets on their own units, the light-map library of a free form,
// and on Mesa a quad that its light map darkens.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <memory>
#include <sstream>

#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/bitmap32.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"
#include "support/recording_context.h"
#include "support/recording_gl.h"

namespace {

std::string Call(const std::string& name, const std::vector<double>& args) {
  std::ostringstream text;
  text << name;
  for (std::size_t i = 0; i < args.size(); ++i) text << (i ? "," : " ") << args[i];
  return text.str();
}

// The calls of these names, each as "name a,b,...".
std::vector<std::string> Trace(const RecordingGL& gl, const std::vector<std::string>& names) {
  std::vector<std::string> trace;
  for (const RecordedCall& call : gl.calls)
    if (std::find(names.begin(), names.end(), call.name) != names.end()) trace.push_back(Call(call.name, call.args));
  return trace;
}

// A unit quad in the z = 0 plane, drawn through face groups of four indices each.
TMeshObject& AddQuadMesh(TGLBaseMesh& form, std::vector<int> lightMapIndices) {
  auto* mesh = new TMeshObject(&form.MeshObjects());
  mesh->Mode = moFaceGroups;
  mesh->Vertices().Add3({0, 0, 0}, {1, 0, 0}, {1, 1, 0});
  mesh->Vertices().Add({0, 1, 0});
  mesh->Normals().Add3({0, 0, 1}, {0, 0, 1}, {0, 0, 1});
  mesh->Normals().Add({0, 0, 1});
  for (int lightMap : lightMapIndices) {
    auto* group = new TFGVertexIndexList(&mesh->FaceGroups());
    group->Mode = fgmQuads;
    for (int index : {0, 1, 2, 3}) group->VertexIndices.Add(index);
    group->LightMapIndex = lightMap;
  }
  return *mesh;
}

void AddLightMapCoordinates(TMeshObject& mesh) {
  for (TTexPoint point : {TTexPoint{0, 0}, TTexPoint{1, 0}, TTexPoint{1, 1}, TTexPoint{0, 1}})
    mesh.LightMapTexCoords().Add(point);
}

QImage Filled(QRgb color) {
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(color);
  return picture;
}

class MeshDrawing : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    rci.GLStates = &cache;
    XGLMapTexCoordToMain();  // the mapping is process-wide; start each test from the plain one
    form.SetObjectStyle(form.ObjectStyle() | osDirectDraw);
  }
  TGLStateCache cache;
  TRenderContextInfo rci;
  TGLFreeForm form{nullptr};
};

TEST_F(MeshDrawing, LightMapsAreBoundOnUnitOneOncePerIndex) {
  RecordingGL gl;
  RecordingContext context;
  context.CreateContext(0);
  context.Activate();
  TGLMaterialLibrary lightMaps(nullptr);
  lightMaps.AddTextureMaterial("dark", Filled(qRgb(60, 60, 60)));
  lightMaps.AddTextureMaterial("light", Filled(qRgb(250, 250, 250)));
  AddLightMapCoordinates(AddQuadMesh(form, {0, 0, -1, 1}));
  form.SetLightmapLibrary(&lightMaps);
  GLFlags().ARB_multitexture = true;
  GLFlags().EXT_compiled_vertex_array = true;
  form.DoRender(rci, true, false);  // uploads the light maps before anything is drawn
  const double dark = lightMaps.Materials().Items(0).Material().Texture().Handle();
  const double light = lightMaps.Materials().Items(1).Material().Texture().Handle();
  ASSERT_NE(dark, light);
  gl.Clear();
  form.DoRender(rci, true, false);
  const std::vector<std::string> names = {
      "glActiveTextureARB", "glClientActiveTextureARB", "glBindTexture",  "glTexEnvi",      "glEnable",
      "glDisable",          "glTexCoordPointer",        "glDrawElements", "glLockArraysEXT"};
  const auto unit = [](GLenum u) { return Call("glActiveTextureARB", {double(u)}); };
  const auto clientUnit = [](GLenum u) { return Call("glClientActiveTextureARB", {double(u)}); };
  const std::string draw = Call("glDrawElements", {GL_QUADS, 4, GL_UNSIGNED_INT});
  const std::string modulate = Call("glTexEnvi", {GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE});
  const std::vector<std::string> unitOn = {unit(GL_TEXTURE1_ARB), Call("glEnable", {GL_TEXTURE_2D}),
                                           unit(GL_TEXTURE0_ARB)};
  const std::vector<std::string> unitOff = {unit(GL_TEXTURE1_ARB), Call("glDisable", {GL_TEXTURE_2D}),
                                            unit(GL_TEXTURE0_ARB)};
  std::vector<std::string> expected = {clientUnit(GL_TEXTURE1_ARB),
                                       Call("glTexCoordPointer", {2, GL_FLOAT, 8}),  // no lock with light maps
                                       clientUnit(GL_TEXTURE0_ARB),
                                       unit(GL_TEXTURE1_ARB),
                                       Call("glBindTexture", {GL_TEXTURE_2D, dark}),
                                       modulate,
                                       unit(GL_TEXTURE0_ARB)};
  expected.insert(expected.end(), unitOn.begin(), unitOn.end());
  expected.insert(expected.end(), {draw, draw});  // the same light map stays bound
  expected.insert(expected.end(), unitOff.begin(), unitOff.end());
  expected.insert(expected.end(), {draw, unit(GL_TEXTURE1_ARB), Call("glBindTexture", {GL_TEXTURE_2D, light}), modulate,
                                   unit(GL_TEXTURE0_ARB)});
  expected.insert(expected.end(), unitOn.begin(), unitOn.end());
  expected.push_back(draw);
  expected.insert(expected.end(), unitOff.begin(), unitOff.end());  // released after the last group
  expected.insert(expected.end(), {clientUnit(GL_TEXTURE1_ARB), clientUnit(GL_TEXTURE0_ARB)});
  std::vector<std::string> drawn = Trace(gl, names);
  // What the form's own material does before the mesh draws is not the mesh's business.
  drawn.erase(drawn.begin(), std::find(drawn.begin(), drawn.end(), clientUnit(GL_TEXTURE1_ARB)));
  EXPECT_EQ(drawn, expected);

  // Releasing the form's GL names releases its light maps too.
  form.DestroyHandle();
  EXPECT_EQ(lightMaps.Materials().Items(0).Material().Texture().Handle(), 0u);
  EXPECT_EQ(lightMaps.Materials().Items(1).Material().Texture().Handle(), 0u);

  // A light map beyond the library is a programming error, never a read past its end.
  form.MeshObjects().Item(0).FaceGroups().Item(3).LightMapIndex = 2;
  EXPECT_THROW(form.DoRender(rci, true, false), EAssertionFailed);
  EXPECT_FALSE(XGLSecondTextureUnitForbidden());
}

TEST_F(MeshDrawing, ArraysAreLockedAroundTheFaceGroupsWhenGLCan) {
  TMeshObject& mesh = AddQuadMesh(form, {-1, -1});
  const std::vector<std::string> names = {"glLockArraysEXT", "glUnlockArraysEXT", "glDrawElements",
                                          "glDisableClientState"};
  const std::string draw = Call("glDrawElements", {GL_QUADS, 4, GL_UNSIGNED_INT});
  for (bool available : {false, true}) {
    RecordingGL gl;
    GLFlags().EXT_compiled_vertex_array = available;
    form.BuildList(rci);
    std::vector<std::string> expected = {Call("glDisableClientState", {GL_COLOR_ARRAY}),
                                         Call("glDisableClientState", {GL_TEXTURE_COORD_ARRAY})};  // none
    if (available) expected.push_back(Call("glLockArraysEXT", {0, 4}));
    expected.insert(expected.end(), {draw, draw});
    if (available) expected.push_back(Call("glUnlockArraysEXT", {}));
    expected.insert(expected.end(),
                    {Call("glDisableClientState", {GL_VERTEX_ARRAY}), Call("glDisableClientState", {GL_NORMAL_ARRAY})});
    EXPECT_EQ(Trace(gl, names), expected) << available;
  }
  // Light-map coordinates keep the arrays unlocked.
  AddLightMapCoordinates(mesh);
  RecordingGL gl;
  GLFlags().EXT_compiled_vertex_array = true;
  form.BuildList(rci);
  EXPECT_EQ(gl.Count("glLockArraysEXT"), 0);
  EXPECT_EQ(gl.Count("glUnlockArraysEXT"), 0);
}

TEST_F(MeshDrawing, ExtraTextureCoordinateSetsFeedTheirOwnUnits) {
  auto* mesh = new TMeshObject(&form.MeshObjects());
  mesh->Vertices().Add3({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  mesh->TexCoords().Add3({0.5f, 0.25f, 0}, {1, 0, 0}, {0, 1, 0});
  const std::vector<std::string> names = {"glTexCoord2fv", "glMultiTexCoord2fvARB", "glMultiTexCoord4fvARB",
                                          "glVertex3fv"};
  const auto traceOfFirstCorner = [&](bool multitexture) {
    RecordingGL gl;
    GLFlags().ARB_multitexture = multitexture;
    form.BuildList(rci);
    std::vector<std::string> trace = Trace(gl, names);
    trace.resize(std::find(trace.begin(), trace.end(), Call("glVertex3fv", {0, 0, 0})) - trace.begin());
    return trace;
  };
  // Without extra sets the coordinates follow the mapping.
  EXPECT_EQ(traceOfFirstCorner(true), (std::vector<std::string>{Call("glTexCoord2fv", {0.5, 0.25})}));
  // Set 1 goes to unit 1, unit 0 keeps the ordinary coordinates; a short set 2 is left out.
  for (TVector4f entry : {TVector4f{1, 2, 3, 4}, TVector4f{0, 0, 0, 1}, TVector4f{0, 0, 0, 1}})
    mesh->TexCoordsEx(1).Add(entry);
  mesh->TexCoordsEx(2).Add({9, 9, 9, 9});
  EXPECT_EQ(traceOfFirstCorner(true),
            (std::vector<std::string>{Call("glMultiTexCoord2fvARB", {GL_TEXTURE0_ARB, 0.5, 0.25}),
                                      Call("glMultiTexCoord4fvARB", {GL_TEXTURE1_ARB, 1, 2, 3, 4})}));
  // Set 0 replaces the ordinary coordinates on unit 0.
  for (TVector4f entry : {TVector4f{5, 6, 7, 8}, TVector4f{0, 0, 0, 1}, TVector4f{0, 0, 0, 1}})
    mesh->TexCoordsEx(0).Add(entry);
  EXPECT_EQ(traceOfFirstCorner(true),
            (std::vector<std::string>{Call("glMultiTexCoord4fvARB", {GL_TEXTURE0_ARB, 5, 6, 7, 8}),
                                      Call("glMultiTexCoord4fvARB", {GL_TEXTURE1_ARB, 1, 2, 3, 4})}));
  // Without multitexturing only the ordinary coordinates are sent.
  EXPECT_EQ(traceOfFirstCorner(false), (std::vector<std::string>{Call("glTexCoord2fv", {0.5, 0.25})}));

  // Through face groups every non-empty set is an array on its unit; a set shorter than the indices is a data error.
  mesh->Mode = moFaceGroups;
  mesh->TexCoordsEx(2).Clear();
  auto* group = new TFGVertexIndexList(&mesh->FaceGroups());
  group->VertexIndices.Add3(0, 1, 2);
  RecordingGL gl;
  GLFlags().ARB_multitexture = true;
  form.BuildList(rci);
  EXPECT_EQ(
      Trace(gl, {"glClientActiveTextureARB", "glTexCoordPointer"}),
      (std::vector<std::string>{
          Call("glTexCoordPointer", {2, GL_FLOAT, 12}), Call("glClientActiveTextureARB", {GL_TEXTURE0_ARB}),
          Call("glTexCoordPointer", {4, GL_FLOAT, 16}), Call("glClientActiveTextureARB", {GL_TEXTURE1_ARB}),
          Call("glTexCoordPointer", {4, GL_FLOAT, 16}), Call("glClientActiveTextureARB", {GL_TEXTURE0_ARB}),
          Call("glClientActiveTextureARB", {GL_TEXTURE0_ARB}), Call("glClientActiveTextureARB", {GL_TEXTURE1_ARB}),
          Call("glClientActiveTextureARB", {GL_TEXTURE0_ARB})}));
  mesh->TexCoordsEx(2).Add({9, 9, 9, 9});
  EXPECT_THROW(form.BuildList(rci), EReadError);
}

TEST_F(MeshDrawing, DeclaredTextureCoordinatesFollowAChangedMapping) {
  TMeshObject& mesh = AddQuadMesh(form, {-1});
  mesh.TexCoords().Add3({0, 0, 0}, {1, 0, 0}, {1, 1, 0});
  mesh.TexCoords().Add({0, 1, 0});
  RecordingGL gl;
  GLFlags().ARB_multitexture = true;
  mesh.DeclareArraysToOpenGL(rci);
  gl.Clear();
  mesh.DeclareArraysToOpenGL(rci);
  EXPECT_TRUE(gl.calls.empty());  // declared once per build
  XGLMapTexCoordToDual();         // as a second texture does between two face groups
  mesh.DeclareArraysToOpenGL(rci);
  EXPECT_EQ(Trace(gl, {"glClientActiveTextureARB", "glTexCoordPointer"}),
            (std::vector<std::string>{
                Call("glTexCoordPointer", {2, GL_FLOAT, 12}), Call("glClientActiveTextureARB", {GL_TEXTURE1_ARB}),
                Call("glTexCoordPointer", {2, GL_FLOAT, 12}), Call("glClientActiveTextureARB", {GL_TEXTURE0_ARB}),
                Call("glClientActiveTextureARB", {GL_TEXTURE1_ARB}),  // enabled on both
                Call("glClientActiveTextureARB", {GL_TEXTURE0_ARB})}));
  gl.Clear();
  mesh.DisableOpenGLArrays(rci);
  EXPECT_EQ(gl.Count("glDisableClientState"), 4);  // vertices, normals, and the coordinates on both units
  XGLMapTexCoordToMain();
}

// Records what a face group sees of the render pass it is drawn in.
class ProbeGroup : public TFaceGroup {
 public:
  using TFaceGroup::TFaceGroup;
  void BuildList(TRenderContextInfo& rci) override {
    secondUnitForbidden = XGLSecondTextureUnitForbidden();
    lightMaps = rci.lightmapLibrary;
  }
  void AddToTriangles(TAffineVectorList&, TAffineVectorList*, TAffineVectorList*) const override {}
  int TriangleCount() const override { return 0; }
  void CheckIndices() const override {}
  bool secondUnitForbidden = false;
  TObject* lightMaps = nullptr;
};

TEST_F(MeshDrawing, FreeFormLendsItsLightMapLibraryToTheRenderPass) {
  auto* mesh = new TMeshObject(&form.MeshObjects());
  mesh->Mode = moFaceGroups;
  auto* probe = new ProbeGroup(&mesh->FaceGroups());
  auto shared = std::make_unique<TGLMaterialLibrary>(nullptr);
  form.SetLightmapLibrary(shared.get());
  RecordingGL gl;
  form.DoRender(rci, true, false);
  EXPECT_TRUE(probe->secondUnitForbidden);
  EXPECT_EQ(probe->lightMaps, shared.get());
  EXPECT_FALSE(XGLSecondTextureUnitForbidden());
  EXPECT_EQ(rci.lightmapLibrary, nullptr);
  rci.ignoreMaterials = true;  // then there are no light maps to draw
  form.DoRender(rci, true, false);
  EXPECT_EQ(probe->lightMaps, nullptr);

  // One library in both roles: leaving one role keeps the other informed of its end.
  delete probe;
  form.SetMaterialLibrary(shared.get());
  TGLMaterialLibrary other(nullptr);
  form.SetMaterialLibrary(&other);
  TGLFreeForm copy(nullptr);
  copy.Assign(&form);
  EXPECT_EQ(copy.LightmapLibrary(), shared.get());
  shared.reset();
  EXPECT_EQ(form.LightmapLibrary(), nullptr);
  EXPECT_EQ(copy.LightmapLibrary(), nullptr);
  EXPECT_EQ(form.MaterialLibrary(), &other);
}

class LightMapPixels : public GLPixelTest {};

// A white quad over the whole view, its light map dark on the left half.
TEST_F(LightMapPixels, LightMappedQuadIsDarkerWhereTheMapIsDark) {
  InitializeScene3D();
  auto& gl = GL();
  ASSERT_TRUE(GLFlags().ARB_multitexture);
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  gl.glOrtho(0, 1, 0, 1, -1, 1);
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  QImage map = Filled(qRgb(255, 255, 255));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 4; ++x) map.setPixel(x, y, qRgb(64, 64, 64));
  TGLMaterialLibrary lightMaps(nullptr);
  lightMaps.AddTextureMaterial("shadow", map);
  TGLFreeForm form(nullptr);
  form.SetObjectStyle(form.ObjectStyle() | osDirectDraw);
  form.Material().FrontProperties().Diffuse().SetColor({1, 1, 1, 1});
  TMeshObject& mesh = AddQuadMesh(form, {0});
  TGLStateCache cache;
  cache.ResetAll();
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  const auto drawn = [&] {
    gl.glClearColor(0, 0, 1, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT);
    form.DoRender(rci, true, false);
    gl.glFinish();
    TGLBitmap32 bitmap;
    bitmap.ReadPixels({0, 0, kWidth, kHeight});
    return bitmap.ToPlatformBitmap32();
  };
  const QImage plain = drawn();  // without light maps the arrays are locked where GL can
  EXPECT_EQ(plain.pixel(8, 32) & 0xFFFFFF, 0xFFFFFFu);
  AddLightMapCoordinates(mesh);
  EXPECT_EQ(drawn().pixel(8, 32) & 0xFFFFFF, 0xFFFFFFu);  // coordinates without a light-map library: all white
  form.SetLightmapLibrary(&lightMaps);
  const QImage mapped = drawn();
  EXPECT_NEAR(qRed(mapped.pixel(8, 32)), 64, 2);
  EXPECT_NEAR(qBlue(mapped.pixel(8, 32)), 64, 2);
  EXPECT_EQ(mapped.pixel(56, 32) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(mapped.pixel(56, 8) & 0xFFFFFF, 0xFFFFFFu);
  // The unit is switched off again: a plain quad drawn afterwards is white everywhere.
  form.SetLightmapLibrary(nullptr);
  EXPECT_EQ(drawn().pixel(8, 32) & 0xFFFFFF, 0xFFFFFFu);
  CheckOpenGLError();
}

}  // namespace
