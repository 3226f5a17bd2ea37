// Colours, faces and materials turned into GL state, on the recording table.
#include "gfx3d/materials/materials.h"

#include <gtest/gtest.h>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/persistence/streams.h"
#include "gfx3d_fixture.h"
#include "support/recording_context.h"
#include "support/recording_gl.h"

namespace {

// Stands for a scene object: counts the rebuilds its material asks for.
class StructureOwner : public TPersistent, public IGLStructureOwner {
 public:
  void StructureChanged() override { ++changes; }
  int changes = 0;
};

// Keeps the binary properties an object defines, as the form writer would.
class CapturingDefiner : public TPropertyDefiner {
 public:
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                            const std::function<void(TStream&)>& write, bool hasData) override {
    names.push_back(name);
    if (hasData) write(stream);
    stream.SetPosition(0);
    reader = read;
  }
  std::vector<std::string> names;
  TStringStream stream;
  std::function<void(TStream&)> reader;
};

class MaterialTest : public Gfx3DTest {
 protected:
  void SetUp() override {
    Gfx3DTest::SetUp();
    rci.GLStates = &cache;
  }
  RecordingGL gl;
  TGLStateCache cache;
  TRenderContextInfo rci;
};

}  // namespace

TEST_F(MaterialTest, ColoursNotifyTheirObjectOnlyOnChange) {
  StructureOwner object;
  TGLMaterial material(&object);
  material.FrontProperties().Diffuse().SetColorComponent(0, 0.8f);
  EXPECT_EQ(object.changes, 0);
  material.FrontProperties().Diffuse().SetColorComponent(0, 1.25f);
  EXPECT_GE(object.changes, 1);
  EXPECT_EQ(material.FrontProperties().Diffuse().Red(), 1.25f);

  TGLMaterial fresh(nullptr);
  EXPECT_FALSE(fresh.HasBackProperties());
  EXPECT_EQ(fresh.BackProperties().Ambient().Red(), 0.2f);
  EXPECT_EQ(fresh.BackProperties().Diffuse().Green(), 0.8f);

  CapturingDefiner written;
  material.FrontProperties().Diffuse().DefineProperties(written);
  EXPECT_EQ(written.names, std::vector<std::string>{"Color"});
  EXPECT_EQ(written.stream.DataString().size(), 16u);
  TGLColor restored(nullptr);
  CapturingDefiner into;
  restored.DefineProperties(into);
  into.reader(written.stream);
  EXPECT_EQ(restored.Red(), 1.25f);
  EXPECT_EQ(restored.Alpha(), 1.0f);

  TGLMaterial copy(nullptr);
  material.SetBlendingMode(bmTransparency);
  copy.Assign(&material);
  EXPECT_EQ(copy.FrontProperties().Diffuse().Red(), 1.25f);
  EXPECT_TRUE(copy.Blended());
  EXPECT_FALSE(copy.HasBackProperties());
}

TEST_F(MaterialTest, FaceCullingAndBlendingFollowTheTables) {
  cache.Enable(stLighting);
  cache.Enable(stCullFace);
  cache.ResetGLMaterialColors();
  gl.Clear();
  TGLMaterial no_cull(nullptr);
  no_cull.SetFaceCulling(fcNoCull);
  no_cull.Apply(rci);
  EXPECT_FALSE(cache.IsEnabled(stCullFace));
  int front = 0, back = 0;
  for (const RecordedCall& call : gl.calls)
    if (call.name == "glMaterialfv") ++(call.args[0] == GL_FRONT ? front : back);
  EXPECT_EQ(front, 4);
  EXPECT_EQ(back, 4);

  TGLMaterial cull(nullptr);
  cull.SetFaceCulling(fcCull);
  cull.SetBlendingMode(bmAlphaTest50);
  cull.Apply(rci);
  EXPECT_TRUE(cache.IsEnabled(stCullFace));
  EXPECT_TRUE(cache.IsEnabled(stAlphaTest));
  gl.Clear();
  cull.UnApply(rci);
  EXPECT_TRUE(cache.IsEnabled(stAlphaTest));
  ASSERT_EQ(gl.Names(), std::vector<std::string>{"glAlphaFunc"});
  EXPECT_EQ(gl.calls[0].args, (std::vector<double>{GL_GREATER, 0}));

  rci.ignoreBlendingRequests = true;
  gl.Clear();
  TGLMaterial additive(nullptr);
  additive.SetBlendingMode(bmAdditive);
  additive.Apply(rci);
  EXPECT_EQ(gl.Count("glBlendFunc"), 0);
}

TEST_F(MaterialTest, NestedUnlitMaterialsRestoreLightingAtTheOutermost) {
  cache.Enable(stLighting);
  cache.Enable(stFog);
  TGLMaterial outer(nullptr), inner(nullptr);
  outer.SetMaterialOptions(moNoLighting | moIgnoreFog);
  inner.SetMaterialOptions(moNoLighting | moIgnoreFog);
  outer.Apply(rci);
  inner.Apply(rci);
  inner.UnApply(rci);
  EXPECT_FALSE(cache.IsEnabled(stLighting));
  EXPECT_FALSE(cache.IsEnabled(stFog));
  outer.UnApply(rci);
  EXPECT_TRUE(cache.IsEnabled(stLighting));
  EXPECT_TRUE(cache.IsEnabled(stFog));

  cache.Disable(stLighting);
  TGLMaterial unlit(nullptr);
  unlit.SetMaterialOptions(moNoLighting);
  unlit.Apply(rci);
  unlit.UnApply(rci);
  EXPECT_FALSE(cache.IsEnabled(stLighting)) << "lighting that was off stays off";
}

TEST_F(MaterialTest, TexturesUploadOnlyWhatChanged) {
  RecordingContext context;
  context.CreateContext(0);
  context.Activate();
  TGLMaterial material(nullptr);
  QImage picture(4, 4, QImage::Format_RGB888);
  picture.fill(Qt::red);
  const TGLPictureSource source(picture);
  material.Texture().Image().Assign(&source);
  material.Apply(rci);
  EXPECT_FALSE(cache.IsEnabled(stTexture2D)) << "a new texture is disabled";
  EXPECT_EQ(gl.Count("glTexImage2D"), 0);

  material.Texture().SetDisabled(false);
  material.Texture().SetMinFilter(miLinear);
  material.Apply(rci);
  EXPECT_TRUE(cache.IsEnabled(stTexture2D));
  EXPECT_EQ(gl.Count("glTexImage2D"), 1);
  EXPECT_EQ(XGLCurrentMapping(), mtcmMain);
  material.UnApply(rci);
  EXPECT_FALSE(cache.IsEnabled(stTexture2D));

  struct Case {
    const char* change;
    void (*apply)(TGLTexture&);
    int uploads, parameters;
  };
  for (const Case& c :
       {Case{"mag filter", [](TGLTexture& t) { t.SetMagFilter(maNearest); }, 0, 4},
        Case{"gamma", [](TGLTexture& t) { t.SetImageGamma(2.0f); }, 1, 0}, Case{"nothing", [](TGLTexture&) {}, 0, 0}}) {
    c.apply(material.Texture());
    gl.Clear();
    material.Apply(rci);
    EXPECT_EQ(gl.Count("glTexImage2D"), c.uploads) << c.change;
    EXPECT_EQ(gl.Count("glTexParameteri"), c.parameters) << c.change;
    EXPECT_EQ(gl.Count("glGenTextures"), 0) << c.change;
    material.UnApply(rci);
  }
  context.Deactivate();
}

TEST_F(MaterialTest, CubeMapsOfUnequalFacesStayEmptyAndAnisotropyIsTwo) {
  RecordingContext context;
  context.CreateContext(0);
  context.Activate();
  GLFlags().ARB_texture_cube_map = true;
  GLFlags().EXT_texture_filter_anisotropic = true;
  TGLTexture cube(nullptr);
  cube.SetImageClassName("TGLCubeMapImage");
  auto& faces = static_cast<TGLCubeMapImage&>(cube.Image());
  QImage face(4, 4, QImage::Format_RGB888);
  face.fill(Qt::white);
  for (GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB; target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB; ++target)
    faces.SetPicture(target, target == GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB ? face.scaled(8, 8) : face);
  cube.SetFilteringQuality(tfAnisotropic);
  cube.GetHandle();
  EXPECT_EQ(gl.Count("glTexImage2D") + gl.Count("gluBuild2DMipmaps"), 0);
  bool anisotropy_two = false;
  for (const RecordedCall& call : gl.calls)
    if (call.name == "glTexParameteri" && call.args[1] == 0x84FE) anisotropy_two = call.args[2] == 2;
  EXPECT_TRUE(anisotropy_two);

  faces.SetPicture(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB, face);
  gl.Clear();
  cube.GetHandle();
  EXPECT_EQ(gl.Count("glTexImage2D") + gl.Count("gluBuild2DMipmaps"), 6);
  context.Deactivate();
}

TEST_F(MaterialTest, ExtraTexturesFeedTheirOwnUnits) {
  RecordingContext context;
  context.CreateContext(0);
  context.Activate();
  GLFlags().ARB_multitexture = true;
  gl.integers[GL_MAX_TEXTURE_UNITS_ARB] = 4;
  TGLMaterial material(nullptr);
  TGLTextureExItem& item = material.TextureEx().AddItem();
  item.SetTextureIndex(1);
  item.Texture().SetDisabled(false);
  item.TextureScale().SetVector(2, 2, 1);
  EXPECT_TRUE(material.TextureEx().IsTextureEnabled(1));
  material.Apply(rci);
  EXPECT_GT(gl.Count("glActiveTextureARB"), 0);
  bool scaled = false;
  for (const RecordedCall& call : gl.calls)
    if (call.name == "glLoadMatrixf") scaled = call.args[0] == 2;
  EXPECT_TRUE(scaled) << "the item's scale reaches the texture matrix";
  material.UnApply(rci);
  EXPECT_EQ(gl.calls.back().args[0], GL_TEXTURE0_ARB);
  context.Deactivate();
  XGLMapTexCoordToNull();
}

TEST_F(MaterialTest, SetTextureExCopiesTheItemsAndNullLeavesAMaterialWithoutThemAlone) {
  TGLMaterial material(nullptr);
  material.SetTextureEx(nullptr);
  EXPECT_FALSE(material.HasTextureEx()) << "null makes no collection";

  TGLMaterial source(nullptr);
  TGLTextureExItem& item = source.TextureEx().AddItem();
  item.SetTextureIndex(3);
  item.Texture().SetDisabled(false);
  item.TextureOffset().SetPoint(0.5f, 0, 0);
  material.SetTextureEx(&source.TextureEx());
  ASSERT_TRUE(material.HasTextureEx());
  ASSERT_EQ(material.TextureEx().Count(), 1);
  EXPECT_EQ(material.TextureEx().Items(0).TextureIndex(), 3);
  EXPECT_TRUE(material.TextureEx().IsTextureEnabled(3));
  EXPECT_FLOAT_EQ(material.TextureEx().Items(0).TextureOffset().X(), 0.5f);
  EXPECT_NE(&material.TextureEx().Items(0), &item) << "copied, not shared";
  EXPECT_THROW(material.SetTextureEx(nullptr), EConvertError) << "a collection takes no nil, as any toolkit object";
  EXPECT_EQ(material.TextureEx().Count(), 1);
}

TEST_F(MaterialTest, ACopyEndsWithExactlyTheSourcesExtraTextures) {
  TGLMaterial target(nullptr);
  target.TextureEx().AddItem().Texture().SetDisabled(false);
  target.TextureEx().AddItem();
  TGLMaterial plain(nullptr);
  target.Assign(&plain);
  EXPECT_FALSE(target.HasTextureEx() && target.TextureEx().Count() > 0) << "the source has none";
  EXPECT_FALSE(target.HasTextureEx() && target.TextureEx().IsTextureEnabled(0));

  TGLMaterial source(nullptr);
  source.TextureEx().AddItem().SetTextureIndex(2);
  target.TextureEx().AddItem();
  target.TextureEx().AddItem();
  target.Assign(&source);
  ASSERT_EQ(target.TextureEx().Count(), 1);
  EXPECT_EQ(target.TextureEx().Items(0).TextureIndex(), 2);
}

TEST_F(MaterialTest, ExtraTexturesTellTheirObjectOfEveryChange) {
  StructureOwner object;
  TGLMaterial material(&object);
  TGLTextureExItem& item = material.TextureEx().AddItem();
  struct Case {
    const char* change;
    void (*apply)(TGLTextureExItem&);
    bool notifies;
  };
  for (const Case& c : {Case{"enabling", [](TGLTextureExItem& i) { i.Texture().SetDisabled(false); }, true},
                        Case{"disabling", [](TGLTextureExItem& i) { i.Texture().SetDisabled(true); }, true},
                        Case{"nothing", [](TGLTextureExItem& i) { i.Texture().SetDisabled(true); }, false},
                        Case{"a filter", [](TGLTextureExItem& i) { i.Texture().SetMagFilter(maNearest); }, true},
                        Case{"the scale", [](TGLTextureExItem& i) { i.TextureScale().SetVector(2, 2, 1); }, true}}) {
    const int changes = object.changes;
    c.apply(item);
    EXPECT_EQ(object.changes > changes, c.notifies) << c.change;
  }
}

TEST_F(MaterialTest, UnlitBackFacesGetTheirMaterialAndStrayValuesAreCaught) {
  cache.Disable(stLighting);
  cache.Enable(stCullFace);
  cache.ResetGLMaterialColors();
  gl.Clear();
  TGLMaterial material(nullptr);
  material.BackProperties().Diffuse().SetColor({0, 1, 0, 1});
  material.SetFaceCulling(fcNoCull);
  material.Apply(rci);
  int back = 0;
  for (const RecordedCall& call : gl.calls)
    if (call.name == "glMaterialfv" && call.args[0] == GL_BACK) ++back;
  EXPECT_EQ(back, 4) << "the back face is applied as when lit";
  ASSERT_EQ(gl.Count("glColor4fv"), 1) << "the one current colour stays the front face's";
  for (const RecordedCall& call : gl.calls) {
    if (call.name == "glColor4fv") {
      EXPECT_EQ(call.args, (std::vector<double>{0.8f, 0.8f, 0.8f, 1}));
    }
  }
  material.UnApply(rci);

  TGLMaterial stray(nullptr);
  stray.SetFaceCulling(static_cast<TFaceCulling>(3));
  EXPECT_THROW(stray.Apply(rci), EAssertionFailed);
  stray.SetFaceCulling(fcCull);
  stray.SetBlendingMode(static_cast<TBlendingMode>(6));
  EXPECT_THROW(stray.Apply(rci), EAssertionFailed);
  rci.ignoreBlendingRequests = true;
  EXPECT_NO_THROW(stray.Apply(rci)) << "blending that is not asked for is not looked at";
}
