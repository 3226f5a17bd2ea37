// The texture matrix a cube-map texture loads for each of its mapping modes,
// and the coordinate generation that goes with it, on the recording table.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/materials/textures.h"
#include "gfx3d_fixture.h"
#include "support/recording_context.h"
#include "support/recording_gl.h"

namespace {

using Floats = std::vector<double>;

// Rows as stored, so the 16 floats GL receives read row by row.
Floats FloatsOf(const TMatrix4f& m) {
  Floats out;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) out.push_back(m[row][column]);
  return out;
}

TMatrix4f Transposed(const TMatrix4f& m) {
  TMatrix4f t;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) t[row][column] = m[column][row];
  return t;
}

// Quarter turn about Z, scaled by 2, moved to (5, 6, 7): only the turn may reach the texture matrix.
constexpr TMatrix4f kModelView{{{{0, 2, 0, 0}, {-2, 0, 0, 0}, {0, 0, 2, 0}, {5, 6, 7, 1}}}};
constexpr TMatrix4f kQuarterTurn{{{{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}};
// The first light turned a quarter about X and placed at (1, 2, 3).
constexpr TMatrix4f kLight{{{{1, 0, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0}, {1, 2, 3, 1}}}};
constexpr TMatrix4f kLightTurn{{{{1, 0, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0}, {0, 0, 0, 1}}}};

class CubeMapTexture : public Gfx3DTest {
 protected:
  void SetUp() override {
    Gfx3DTest::SetUp();
    context.CreateContext(0);
    context.Activate();
    GLFlags().ARB_texture_cube_map = true;
    texture.SetImageClassName("TGLCubeMapImage");
    auto& cube = static_cast<TGLCubeMapImage&>(texture.Image());
    QImage face(2, 2, QImage::Format_RGB32);
    face.fill(Qt::gray);
    for (GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB; target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB; ++target)
      cube.SetPicture(target, face);
    texture.SetDisabled(false);
    texture.GetHandle();
    rci.GLStates = &cache;
    rci.modelViewMatrix = &kModelView;
    rci.cameraDirection = {0, 0, -1, 0};
    rci.cameraUp = {0, 1, 0, 0};
  }
  void TearDown() override { context.Deactivate(); }

  // The calls made while the texture matrix was selected, by Apply in the given mode.
  std::vector<RecordedCall> TextureMatrixCalls(TGLTextureMappingMode mode) {
    texture.SetMappingMode(mode);
    gl.Clear();
    texture.Apply(rci);
    std::vector<RecordedCall> inside;
    double mode_now = GL_MODELVIEW;
    for (const RecordedCall& call : gl.calls) {
      if (call.name == "glMatrixMode")
        mode_now = call.args[0];
      else if (mode_now == GL_TEXTURE)
        inside.push_back(call);
    }
    EXPECT_EQ(mode_now, GL_MODELVIEW) << "the matrix mode returns to model-view";
    texture.UnApply(rci);
    return inside;
  }

  RecordingGL gl;
  RecordingContext context;
  TGLStateCache cache;
  TRenderContextInfo rci;
  TGLTexture texture{nullptr};
};

}  // namespace

TEST_F(CubeMapTexture, ReflectionAndNormalModesLoadTheViewsTurnTransposed) {
  for (TGLTextureMappingMode mode : {tmmCubeMapReflection, tmmCubeMapNormal}) {
    const std::vector<RecordedCall> calls = TextureMatrixCalls(mode);
    ASSERT_EQ(calls.size(), 1u) << mode;
    EXPECT_EQ(calls[0].name, "glLoadMatrixf");
    EXPECT_EQ(calls[0].args, FloatsOf(Transposed(kQuarterTurn))) << mode;
  }
  GLFlags().ARB_transpose_matrix = true;
  const std::vector<RecordedCall> calls = TextureMatrixCalls(tmmCubeMapReflection);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].name, "glLoadTransposeMatrixfARB");
  EXPECT_EQ(calls[0].args, FloatsOf(kQuarterTurn)) << "the driver transposes";
}

TEST_F(CubeMapTexture, TheLightModeNeedsALightAndTurnsItBackByTheView) {
  EXPECT_TRUE(TextureMatrixCalls(tmmCubeMapLight0).empty()) << "no light, no matrix";
  rci.lights = {&kLight};
  const std::vector<RecordedCall> calls = TextureMatrixCalls(tmmCubeMapLight0);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].name, "glLoadMatrixf");
  EXPECT_EQ(calls[0].args, FloatsOf(Transposed(kLightTurn)));
  EXPECT_EQ(calls[1].name, "glMultMatrixf");
  EXPECT_EQ(calls[1].args, FloatsOf(Transposed(kQuarterTurn)));
}

TEST_F(CubeMapTexture, TheCameraModeBuildsItsFrameFromUpAndDirection) {
  const std::vector<RecordedCall> calls = TextureMatrixCalls(tmmCubeMapCamera);
  ASSERT_EQ(calls.size(), 1u);
  // Rows: up x direction, -direction, up.
  constexpr TMatrix4f kCameraFrame{{{{-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 1}}}};
  EXPECT_EQ(calls[0].args, FloatsOf(Transposed(kCameraFrame)));
}

TEST_F(CubeMapTexture, GenerationFollowsTheModeAndUnApplyResetsTheMatrix) {
  struct Case {
    TGLTextureMappingMode mode;
    GLint generation;
  };
  for (const Case& c :
       {Case{tmmCubeMapReflection, GL_REFLECTION_MAP_ARB}, Case{tmmCubeMapCamera, GL_REFLECTION_MAP_ARB},
        Case{tmmCubeMapNormal, GL_NORMAL_MAP_ARB}, Case{tmmCubeMapLight0, GL_NORMAL_MAP_ARB}}) {
    texture.SetMappingMode(c.mode);
    gl.Clear();
    texture.Apply(rci);
    int generated = 0;
    for (const RecordedCall& call : gl.calls)
      if (call.name == "glTexGeni" && call.args[2] == c.generation) ++generated;
    EXPECT_EQ(generated, 3) << c.mode << ": S, T and R";
    gl.Clear();
    texture.UnApply(rci);
    const std::vector<std::string> names = gl.Names();
    const auto identity = std::find(names.begin(), names.end(), "glLoadIdentity");
    ASSERT_NE(identity, names.end()) << c.mode;
    EXPECT_EQ(gl.calls[static_cast<std::size_t>(identity - names.begin()) - 1].args[0], GL_TEXTURE);
    EXPECT_FALSE(cache.IsEnabled(stTextureCubeMap));
  }
}

TEST_F(CubeMapTexture, WithoutTheExtensionOnlyBindingAndTheCubeModesAreLeftOut) {
  GLFlags().ARB_texture_cube_map = false;
  XGLMapTexCoordToNull();
  texture.SetMappingMode(tmmSphere);
  texture.SetTextureMode(tmModulate);
  gl.Clear();
  texture.Apply(rci);
  EXPECT_EQ(gl.Count("glBindTexture"), 0);
  EXPECT_FALSE(cache.IsEnabled(stTextureCubeMap));
  EXPECT_EQ(gl.Count("glMatrixMode"), 0) << "no cube-map matrix";
  ASSERT_EQ(gl.Count("glTexEnvi"), 1);
  for (const RecordedCall& call : gl.calls) {
    if (call.name == "glTexEnvi") {
      EXPECT_EQ(call.args[2], GL_MODULATE);
    }
    if (call.name == "glTexGeni") {
      EXPECT_EQ(call.args[2], GL_SPHERE_MAP);
    }
  }
  EXPECT_EQ(gl.Count("glTexGeni"), 2) << "S and T";
  EXPECT_EQ(XGLCurrentMapping(), mtcmMain);

  texture.SetMappingMode(tmmCubeMapReflection);
  gl.Clear();
  texture.Apply(rci);
  EXPECT_EQ(gl.Count("glTexGeni"), 0) << "the cube-map generation needs the extension";
  EXPECT_EQ(gl.Count("glTexEnvi"), 1);
  texture.UnApply(rci);
  XGLMapTexCoordToNull();
}
