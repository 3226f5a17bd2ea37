// Material libraries: unique names, the archive in every version with its
// texture bitmaps, bad archives, and shaders around a library material.
#include "gfx3d/materials/material_library.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <memory>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/persistence/streams.h"
#include "gfx3d_fixture.h"
#include "support/recording_context.h"
#include "support/recording_gl.h"
#include "support/temp_dir.h"

namespace {

class CountingShader : public TGLShader {
 public:
  using TGLShader::TGLShader;
  int applied = 0;
  int passesLeft = 0;
  int initialized = 0;
  TGLContext* finalizedIn = nullptr;

 protected:
  void DoInitialize() override { ++initialized; }
  void DoFinalize() override { finalizedIn = CurrentGLContext(); }
  void DoApply(TRenderContextInfo&, TObject*) override { ++applied; }
  bool DoUnApply(TRenderContextInfo&) override { return passesLeft-- > 0; }
};

class MaterialLibrary : public Gfx3DTest {
 protected:
  std::string Saved(const TGLMaterialLibrary& library) {
    TStringStream stream;
    library.SaveToStream(stream);
    return stream.DataString();
  }
  TGLMaterialLibrary library{nullptr};
};

TEST_F(MaterialLibrary, NamesStayUniqueOutsideLoading) {
  EXPECT_EQ(library.Materials().Add()->Name(), "LibMaterial");
  TGLLibMaterial* second = library.Materials().Add();
  EXPECT_EQ(second->Name(), "LibMaterial1");
  second->SetName("LibMaterial");
  EXPECT_EQ(second->Name(), "LibMaterial1");
  EXPECT_EQ(library.LibMaterialByName("LibMaterial1"), second);
  EXPECT_EQ(library.LibMaterialByName("nothing"), nullptr);
  EXPECT_EQ(LibMaterialNameHash("ab"), ((2u * 2 + 'a') * 2) + 'b');
  library.SetTexturePaths("textures;/abs/");
  EXPECT_EQ(library.TexturePathList(), (std::vector<std::string>{"textures/", "/abs/"}));
}

TEST_F(MaterialLibrary, ArchiveRoundTripsWithTextures) {
  QImage picture(4, 2, QImage::Format_RGB32);
  picture.fill(qRgb(10, 200, 30));
  TGLLibMaterial& textured = library.AddTextureMaterial("wood", picture);
  textured.TextureScale().SetVector(2, 2, 1);
  textured.SetTexture2Name("metal");
  TGLLibMaterial& metal = *library.Materials().Add();
  metal.SetName("metal");
  metal.Material().FrontProperties().Diffuse().SetColor({0.25f, 0.5f, 0.75f, 0.5f});
  metal.Material().FrontProperties().SetShininess(64);
  metal.Material().SetBlendingMode(bmTransparency);
  metal.Material().TextureEx().AddItem().SetTextureIndex(3);
  const std::string bytes = Saved(library);

  TGLMaterialLibrary copy(nullptr);
  TStringStream stream(bytes);
  copy.LoadFromStream(stream);
  ASSERT_EQ(copy.Materials().Count(), 2);
  TGLLibMaterial& wood = copy.Materials().Items(0);
  EXPECT_EQ(wood.Name(), "wood");
  EXPECT_EQ(wood.Texture2Name(), "metal");
  EXPECT_FALSE(wood.TextureMatrixIsIdentity());
  auto* image = dynamic_cast<TGLPersistentImage*>(&wood.Material().Texture().Image());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Picture().pixel(3, 1), qRgb(10, 200, 30));
  TGLMaterial& read = copy.Materials().Items(1).Material();
  EXPECT_EQ(read.FrontProperties().Diffuse().Alpha(), 0.5f);
  EXPECT_EQ(read.FrontProperties().Shininess(), 64);
  EXPECT_EQ(read.BlendingMode(), bmTransparency);
  ASSERT_EQ(read.TextureEx().Count(), 1);
  EXPECT_EQ(read.TextureEx().Items(0).TextureIndex(), 3);
  EXPECT_EQ(Saved(copy), bytes);
}

TEST_F(MaterialLibrary, OlderVersionsLoadAndBadArchivesChangeNothing) {
  library.Materials().Add()->SetName("kept");
  // Version 1: one material, no extra textures.
  TStringStream written;
  TBinaryWriter writer(written);
  writer.WriteInteger(1);
  writer.WriteInteger(1);
  writer.WriteString("old");
  writer.WriteBoolean(false);
  const float color[4] = {1, 0, 0, 1};
  for (int face = 0; face < 2; ++face) {
    for (int values : {3, 4, 3, 3}) writer.Write(color, static_cast<std::size_t>(values) * 4);
    const std::uint8_t shininess = 5;
    writer.Write(&shininess, 1);
    writer.WriteInteger(0);
  }
  writer.WriteInteger(0);
  const std::string head = written.DataString();
  writer.WriteInteger(1);
  const std::uint8_t options = 0;
  writer.Write(&options, 1);
  const float offset[3] = {0, 0, 0}, scale[3] = {1, 1, 1};
  writer.Write(offset, 12);
  writer.Write(scale, 12);
  writer.WriteString("");
  TStringStream version1(written.DataString());
  library.LoadFromStream(version1);
  ASSERT_EQ(library.Materials().Count(), 1);
  EXPECT_EQ(library.Materials().Items(0).Name(), "old");
  EXPECT_EQ(library.Materials().Items(0).Material().FrontProperties().Shininess(), 5);

  std::string version3 = written.DataString();
  version3[1] = 3;
  std::string wideOptions = head;
  TStringStream rest;
  TBinaryWriter restWriter(rest);
  restWriter.WriteInteger(4);
  wideOptions += rest.DataString() + std::string(40, '\0');
  for (const std::string& bad : {version3, wideOptions, head.substr(0, head.size() - 7)}) {
    TStringStream stream(bad);
    EXPECT_THROW(library.LoadFromStream(stream), ELibraryError);
    ASSERT_EQ(library.Materials().Count(), 1);
    EXPECT_EQ(library.Materials().Items(0).Name(), "old");
  }
  TStringStream stream(version3);
  try {
    library.LoadFromStream(stream);
    FAIL() << "a version-3 archive was accepted";
  } catch (const EFilerException& error) {
    EXPECT_EQ(std::string(error.what()), "TGLMaterialLibrary : unknown archive version 3");
  }
}

TEST_F(MaterialLibrary, ShaderStylesWrapTheMaterial) {
  RecordingGL gl;
  RecordingContext context;  // a shader makes its GL handle on first use
  context.CreateContext(0);
  context.Activate();
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  TGLLibMaterial& item = *library.Materials().Add();
  item.Material().FrontProperties().Diffuse().SetColor({0.1f, 0.2f, 0.3f, 1});
  CountingShader shader(nullptr);
  item.SetShader(&shader);
  shader.ShaderStyle = ssReplace;
  gl.Clear();
  item.Apply(rci);
  EXPECT_EQ(gl.Count("glMaterialfv") + gl.Count("glColor4fv"), 0);  // the shader alone
  EXPECT_FALSE(item.UnApply(rci));
  shader.ShaderStyle = ssHighLevel;
  shader.passesLeft = 1;
  item.Apply(rci);
  EXPECT_GT(gl.Count("glMaterialfv") + gl.Count("glColor4fv"), 0);
  EXPECT_TRUE(item.UnApply(rci));  // another pass
  EXPECT_FALSE(item.UnApply(rci));
  EXPECT_EQ(shader.applied, 2);
  EXPECT_THROW(shader.UnApply(rci), EAssertionFailed);
  context.Deactivate();
}

TEST_F(MaterialLibrary, AShaderFinalisesInTheContextItWasInitialisedInOnceUpdatesEnd) {
  RecordingGL gl;
  RecordingContext first;
  RecordingContext second;
  first.CreateContext(0);
  second.CreateContext(0);
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  TGLLibMaterial& item = *library.Materials().Add();
  CountingShader shader(nullptr);
  item.SetShader(&shader);
  EXPECT_EQ(shader.Handle().Handle(), 0u);

  first.Activate();
  item.Apply(rci);
  item.UnApply(rci);
  first.Deactivate();
  EXPECT_EQ(shader.initialized, 1);
  EXPECT_EQ(shader.Handle().Handle(), 1u);
  EXPECT_EQ(shader.Handle().RenderingContext(), &first);

  second.Activate();
  shader.BeginUpdate();
  shader.SetEnabled(false);
  shader.SetEnabled(true);
  EXPECT_EQ(shader.finalizedIn, nullptr) << "nothing happens inside the bracket";
  shader.EndUpdate();
  EXPECT_EQ(shader.finalizedIn, &first) << "the handle's own context was made current for it";
  EXPECT_EQ(shader.Handle().Handle(), 0u);
  EXPECT_EQ(CurrentGLContext(), &second);

  item.Apply(rci);
  item.UnApply(rci);
  EXPECT_EQ(shader.initialized, 2) << "initialised again on next use";
  second.DestroyContext();
  EXPECT_EQ(shader.finalizedIn, &second) << "a context going away finalises the shaders it holds";
  EXPECT_EQ(shader.Handle().Handle(), 0u);
}

}  // namespace

namespace {

// Stands for the scene object that owns a linked material.
class StructureOwner : public TPersistent, public IGLStructureOwner {
 public:
  void StructureChanged() override { ++changes; }
  int changes = 0;
};

}  // namespace

TEST_F(MaterialLibrary, LinkedMaterialsFollowTheirLibraryMaterial) {
  TGLLibMaterial& glass = *library.Materials().Add();
  StructureOwner owner;
  TGLMaterial linked(&owner);
  linked.SetLibMaterialName("LibMaterial");
  EXPECT_EQ(linked.LibMaterial(), nullptr);
  linked.SetMaterialLibrary(&library);
  EXPECT_EQ(linked.LibMaterial(), &glass);
  const int before = owner.changes;
  glass.Material().SetBlendingMode(bmTransparency);
  EXPECT_GT(owner.changes, before);
  EXPECT_TRUE(linked.Blended());

  TGLMaterial copy(nullptr);
  copy.Assign(&linked);
  EXPECT_EQ(copy.LibMaterial(), &glass);
  library.Materials().Clear();
  EXPECT_EQ(linked.LibMaterial(), nullptr);
  EXPECT_EQ(linked.MaterialLibrary(), nullptr);
  EXPECT_EQ(linked.LibMaterialName(), "");
  EXPECT_FALSE(linked.Blended());
}

// Offset and scale make the texture matrix as soon as they change, and every
// user hears of it: a scene material linked to the library material, and one
// linked to another library material whose own material is linked to it.
TEST_F(MaterialLibrary, TextureOffsetAndScaleRemakeTheMatrixAndTellEveryUser) {
  TGLLibMaterial& brick = *library.Materials().Add();
  TGLLibMaterial& wall = *library.Materials().Add();
  wall.Material().SetMaterialLibrary(&library);
  wall.Material().SetLibMaterialName(brick.Name());
  StructureOwner direct, throughWall;
  TGLMaterial linkedToBrick(&direct), linkedToWall(&throughWall);
  for (auto [material, name] : {std::pair{&linkedToBrick, brick.Name()}, std::pair{&linkedToWall, wall.Name()}}) {
    material->SetMaterialLibrary(&library);
    material->SetLibMaterialName(name);
  }
  const auto elements = [](const TMatrix4f& m) {
    std::vector<float> all;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) all.push_back(m[r][c]);
    return all;
  };
  struct Step {
    const char* change;
    void (*apply)(TGLLibMaterial&);
    TMatrix4f expected;
  };
  for (const Step& step : {Step{"scale",
                                [](TGLLibMaterial& m) { m.TextureScale().SetVector(2, 3, 1); },
                                {{{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}}},
                           Step{"offset",
                                [](TGLLibMaterial& m) { m.TextureOffset().SetPoint(0.5f, 0.25f, 0); },
                                {{{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 1, 0}, {0.5f, 0.25f, 0, 1}}}}},
                           Step{"scale back to 1",
                                [](TGLLibMaterial& m) { m.TextureScale().SetVector(1, 1, 1); },
                                {{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0.5f, 0.25f, 0, 1}}}}},
                           Step{"offset back to 0",
                                [](TGLLibMaterial& m) {
                                  m.TextureOffset().SetX(0);
                                  m.TextureOffset().SetY(0);
                                },
                                IdentityMatrix}}) {
    const int heardDirectly = direct.changes, heardThroughWall = throughWall.changes;
    step.apply(brick);
    EXPECT_EQ(elements(brick.TextureMatrix()), elements(step.expected)) << step.change;
    EXPECT_EQ(brick.TextureMatrixIsIdentity(), step.change == std::string("offset back to 0")) << step.change;
    EXPECT_GT(direct.changes, heardDirectly) << step.change;
    EXPECT_GT(throughWall.changes, heardThroughWall) << step.change;
  }
}

TEST_F(MaterialLibrary, DestroyedLibraryIsForgottenAndCyclesAreCaught) {
  auto other = std::make_unique<TGLMaterialLibrary>(nullptr);
  TGLMaterial waiting(nullptr);
  waiting.SetMaterialLibrary(other.get());
  waiting.SetLibMaterialName("not yet there");
  other.reset();
  EXPECT_EQ(waiting.MaterialLibrary(), nullptr);

  TGLLibMaterial& a = *library.Materials().Add();
  TGLLibMaterial& b = *library.Materials().Add();
  a.Material().SetMaterialLibrary(&library);
  a.Material().SetLibMaterialName(b.Name());
  b.Material().SetMaterialLibrary(&library);
  try {
    b.Material().SetLibMaterialName(a.Name());
    FAIL() << "a cycle of library materials was accepted";
  } catch (const EAssertionFailed& error) {
    EXPECT_EQ(std::string(error.what()), "Error: Cyclic material reference detected! (GLMaterial)");
  }
  EXPECT_EQ(b.Material().LibMaterial(), nullptr);
  EXPECT_EQ(b.Material().LibMaterialName(), "");
}

// A picture file named by a library material is found along the library's
// texture paths, after the library's own handler had its say.
TEST_F(MaterialLibrary, PictureFilesAreLookedForAlongTheTexturePaths) {
  TempDir folder;
  QImage picture(2, 3, QImage::Format_RGB32);
  picture.fill(qRgb(200, 10, 10));
  std::filesystem::create_directories(folder.path() / "textures");
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.file("textures/brick.bmp")), "BMP"));
  library.SetTexturePaths(folder.file("missing") + ";" + folder.file("textures"));
  TGLLibMaterial& brick = *library.Materials().Add();
  TGLTexture& texture = brick.Material().Texture();
  texture.SetImageClassName("TGLPicFileImage");  // the handler follows the new image
  auto& image = static_cast<TGLPicFileImage&>(texture.Image());
  image.SetPictureFileName("brick.bmp");
  EXPECT_EQ(image.GetWidth(), 2);
  EXPECT_EQ(library.TextureFileName("brick.bmp"), folder.file("textures/brick.bmp"));
  EXPECT_EQ(library.TextureFileName("nowhere.bmp"), "nowhere.bmp");  // not found: the name stays
  EXPECT_EQ(library.TextureFileName("/abs/brick.bmp"), "/abs/brick.bmp");

  std::vector<std::string> offered;
  library.OnTextureNeeded = [&](TObject*, std::string& name) {
    offered.push_back(name);
    name = "brick.bmp";
  };
  image.SetPictureFileName("renamed.bmp");
  EXPECT_EQ(image.GetHeight(), 3);
  EXPECT_EQ(offered, (std::vector<std::string>{"renamed.bmp"}));
}

// Loading while keeping the materials updates the ones of the same name in
// place, so the scene materials linked to them keep their link.
TEST_F(MaterialLibrary, KeepingMaterialsUpdatesThemInPlaceAndLinksSurvive) {
  TGLLibMaterial& glass = *library.Materials().Add();
  glass.SetName("glass");
  library.Materials().Add()->SetName("stone");
  StructureOwner owner;
  TGLMaterial linked(&owner);
  linked.SetMaterialLibrary(&library);
  linked.SetLibMaterialName("glass");
  ASSERT_EQ(linked.LibMaterial(), &glass);

  TGLMaterialLibrary source(nullptr);
  QImage picture(2, 2, QImage::Format_RGB32);
  picture.fill(qRgb(1, 2, 3));
  TGLLibMaterial& newGlass = source.AddTextureMaterial("glass", picture);
  newGlass.Material().FrontProperties().Diffuse().SetColor({0.1f, 0.2f, 0.3f, 0.4f});
  newGlass.Material().SetBlendingMode(bmTransparency);
  newGlass.Material().TextureEx().AddItem().SetTextureIndex(2);
  source.Materials().Add()->SetName("brick");
  const std::string bytes = Saved(source);

  library.KeepMaterialsOnLoad = true;
  const int changes = owner.changes;
  TStringStream kept(bytes);
  library.LoadFromStream(kept);
  ASSERT_EQ(library.Materials().Count(), 3);
  EXPECT_EQ(&library.Materials().Items(0), &glass) << "updated in place";
  EXPECT_EQ(library.Materials().Items(1).Name(), "stone");
  EXPECT_EQ(library.Materials().Items(2).Name(), "brick") << "new entries are appended";
  EXPECT_EQ(linked.LibMaterial(), &glass);
  EXPECT_EQ(linked.MaterialLibrary(), &library);
  EXPECT_EQ(linked.LibMaterialName(), "glass");
  EXPECT_GT(owner.changes, changes) << "the linked object hears of the update";
  EXPECT_TRUE(linked.Blended());
  EXPECT_EQ(glass.Material().FrontProperties().Diffuse().Alpha(), 0.4f);
  auto* image = dynamic_cast<TGLPersistentImage*>(&glass.Material().Texture().Image());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Picture().pixel(1, 1), qRgb(1, 2, 3)) << "the archived texture too";
  EXPECT_TRUE(glass.Material().Texture().Enabled());
  TStringStream again(bytes);
  library.LoadFromStream(again);
  EXPECT_EQ(library.Materials().Count(), 3);
  ASSERT_EQ(glass.Material().TextureEx().Count(), 1) << "the archive's extra textures, not added ones";
  EXPECT_EQ(glass.Material().TextureEx().Items(0).TextureIndex(), 2);

  library.KeepMaterialsOnLoad = false;
  TStringStream replaced(bytes);
  library.LoadFromStream(replaced);
  ASSERT_EQ(library.Materials().Count(), 2) << "without the flag the library holds the archive alone";
  EXPECT_EQ(linked.LibMaterial(), nullptr);
}

TEST_F(MaterialLibrary, UnApplyMapsBackToTheMainUnitAndAnAppliedMaterialIsReportedAtTheEnd) {
  RecordingGL gl;
  GLFlags().ARB_multitexture = true;
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  auto doomed = std::make_unique<TGLMaterialLibrary>(nullptr);
  TGLLibMaterial& item = *doomed->Materials().Add();
  doomed->Materials().Add()->SetName("second");
  doomed->Materials().Items(1).Material().Texture();  // there, but not enabled
  item.SetTexture2Name("second");
  item.Apply(rci);
  XGLMapTexCoordToNull();
  EXPECT_FALSE(item.UnApply(rci));
  EXPECT_EQ(XGLCurrentMapping(), mtcmMain);

  testing::internal::CaptureStderr();
  item.Apply(rci);
  doomed.reset();
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("Unbalanced material application"), std::string::npos) << report;

  testing::internal::CaptureStderr();
  {
    TGLMaterialLibrary balanced(nullptr);
    balanced.Materials().Add()->Apply(rci);
    balanced.Materials().Items(0).UnApply(rci);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a balanced application ends quietly";
  XGLMapTexCoordToNull();
}
