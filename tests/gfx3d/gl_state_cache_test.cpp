// The state cache reaches GL only on a change, and its mirror agrees with Mesa.
#include "gfx3d/gl/gl_state_cache.h"

#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <utility>

#include "gfx3d/materials/textures.h"
#include "support/gl_pixel_fixture.h"
#include "support/recording_gl.h"

namespace {

const TVector4f kBlack{0, 0, 0, 1};

}  // namespace

TEST(GLStateCache, SendsOnlyChanges) {
  RecordingGL gl;
  TGLStateCache cache;
  EXPECT_TRUE(gl.calls.empty());

  cache.Enable(stBlend);
  cache.Enable(stBlend);
  cache.Disable(stFog);
  EXPECT_EQ(gl.Names(), std::vector<std::string>{"glEnable"});
  EXPECT_EQ(gl.calls[0].args[0], GL_BLEND);

  gl.Clear();
  cache.ResetGLMaterialColors();
  EXPECT_EQ(gl.Count("glMaterialfv"), 4);
  gl.Clear();
  cache.SetGLMaterialColors(GL_FRONT, kBlack, kBlack, kBlack, kBlack, 0);
  EXPECT_EQ(gl.Count("glMaterialfv"), 4) << "black after a reset still reaches GL";
  EXPECT_EQ(gl.Count("glMateriali"), 0);

  struct Case {
    const char* change;
    TVector4f diffuse, specular;
    int calls;
  };
  for (const Case& c : {Case{"diffuse alpha", {0, 0, 0, 0.5f}, kBlack, 1},
                        Case{"specular alpha", {0, 0, 0, 0.5f}, {0, 0, 0, 0.25f}, 0}}) {
    gl.Clear();
    cache.SetGLMaterialColors(GL_FRONT, kBlack, kBlack, c.diffuse, c.specular, 0);
    EXPECT_EQ(gl.Count("glMaterialfv"), c.calls) << c.change;
  }
  gl.Clear();
  cache.SetGLMaterialColors(GL_BACK, kBlack, kBlack, kBlack, kBlack, 0);
  EXPECT_EQ(gl.Count("glMaterialfv"), 4) << "the back face keeps its own mirror";
  gl.Clear();
  cache.SetGLMaterialColors(GL_BACK, {1.25f, 0, 0, 1}, kBlack, kBlack, kBlack, 0);
  ASSERT_EQ(gl.calls.size(), 1u);
  EXPECT_EQ(gl.calls[0].args, (std::vector<double>{GL_BACK, GL_EMISSION, 1.25, 0, 0, 1}));

  gl.Clear();
  cache.SetGLPolygonMode(GL_FRONT, GL_LINE);
  cache.SetGLPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  cache.SetGLPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  cache.SetGLPolygonMode(GL_BACK, GL_LINE);
  cache.SetGLPolygonMode(0x1234, GL_FILL);
  EXPECT_EQ(gl.Count("glPolygonMode"), 2);

  gl.Clear();
  cache.InvertGLFrontFace();
  cache.InvertGLFrontFace();
  ASSERT_EQ(gl.Count("glFrontFace"), 2);
  EXPECT_EQ(gl.calls[1].args[0], GL_CCW);
  EXPECT_TRUE(cache.FrontFaceCCW());

  gl.Clear();
  cache.SetGLCurrentTexture(0, GL_TEXTURE_2D, 0);
  cache.ResetGLCurrentTexture();
  cache.SetGLCurrentTexture(0, GL_TEXTURE_2D, 0);
  cache.SetGLCurrentTexture(0, GL_TEXTURE_2D, 0);
  cache.ResetGLTextureMatrix();
  EXPECT_EQ(gl.Names(), std::vector<std::string>{"glBindTexture"});
}

// Reads back what the texture units of the current context hold.
class GLStateCacheOnMesa : public GLPixelTest {
 protected:
  static constexpr int kUnits = TGLStateCache::kTextureUnits;

  static GLint Integer(GLenum name) {
    GLint value = 0;
    GL().glGetIntegerv(name, &value);
    return value;
  }
  static GLenum ActiveUnit() { return static_cast<GLenum>(Integer(GL_ACTIVE_TEXTURE_ARB)); }
  // Reads one value with unit (from 0) active, then makes unit 0 active again.
  template <typename Read>
  static auto OnUnit(int unit, Read read) {
    GL().glActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(unit));
    const auto value = read();
    GL().glActiveTextureARB(GL_TEXTURE0_ARB);
    return value;
  }
  // What unit has bound and enabled.
  static std::pair<GLuint, bool> Bound(int unit) {
    return OnUnit(unit, [unit] {
      return std::pair{static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)),
                       unit < kUnits && GL().glIsEnabled(GL_TEXTURE_2D)};
    });
  }
  static GLint TextureStackDepth(int unit) {
    return OnUnit(unit, [] { return Integer(GL_TEXTURE_STACK_DEPTH); });
  }
  // GL reads no stack depth on a unit beyond its coordinate sets, but a pop
  // there tells whether a matrix was pushed.
  static bool PopsATextureMatrix(int unit) {
    return OnUnit(unit, [] {
      GL().glMatrixMode(GL_TEXTURE);
      GL().glPopMatrix();
      GL().glMatrixMode(GL_MODELVIEW);
      return GL().glGetError() == GL_NO_ERROR;
    });
  }
  // An enabled texture of a plain red picture, not yet made in GL.
  static void MakeRed(TGLTexture& texture) {
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    static_cast<TGLPictureImage&>(texture.Image()).SetPicture(picture);
    texture.SetDisabled(false);
  }
};

TEST_F(GLStateCacheOnMesa, MirrorAgreesWithGL) {
  TGLStateCache cache;
  cache.ResetAll();
  cache.Enable(stLighting);
  cache.Enable(stCullFace);
  cache.Disable(stCullFace);
  cache.SetGLMaterialColors(GL_FRONT, kBlack, {0.1f, 0.2f, 0.3f, 1}, {1.25f, 0.5f, 0, 0.75f}, kBlack, 12);
  for (int state = 0; state < kGLStateCount; ++state) {
    // GL starts with dithering on while the cache assumes everything off; Mesa has no rectangle textures.
    if (state == stDither || state == stTextureRect) continue;
    EXPECT_EQ(GL().glIsEnabled(GLStateToGLEnum(static_cast<TGLState>(state))) == GL_TRUE,
              cache.IsEnabled(static_cast<TGLState>(state)))
        << state;
  }
  GLfloat diffuse[4] = {};
  GL().glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  EXPECT_FLOAT_EQ(diffuse[0], 1.25f);
  EXPECT_FLOAT_EQ(diffuse[3], 0.75f);
  GLfloat shininess = 0;
  GL().glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_EQ(shininess, 12.0f);
  EXPECT_EQ(GL().glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A texture asked onto a unit the cache does not mirror is refused before GL
// hears of it: the active unit, the enables and the bindings stay as they were.
TEST_F(GLStateCacheOnMesa, ATextureOnAUnitBeyondTheMirrorLeavesGLAsItWas) {
  TGLStateCache cache;
  cache.ResetAll();
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  TGLTexture texture(nullptr);
  MakeRed(texture);

  EXPECT_THROW(texture.ApplyAsTextureN(kUnits + 1, rci), ELibraryError);
  EXPECT_EQ(ActiveUnit(), GLenum{GL_TEXTURE0_ARB});
  EXPECT_EQ(GL().glGetError(), GLenum{GL_NO_ERROR});
  EXPECT_EQ(texture.Handle(), 0u) << "no texture made";
  EXPECT_EQ(Bound(0), std::pair(0u, false));
  if (Integer(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS) > kUnits) {
    EXPECT_EQ(Bound(kUnits).first, 0u);
  }

  texture.ApplyAsTextureN(kUnits, rci);
  EXPECT_EQ(ActiveUnit(), GLenum{GL_TEXTURE0_ARB});
  EXPECT_NE(texture.Handle(), 0u);
  EXPECT_EQ(Bound(kUnits - 1), std::pair(texture.Handle(), true)) << "the last unit mirrored takes it";
  texture.UnApplyAsTextureN(kUnits, rci);
  EXPECT_EQ(GL().glGetError(), GLenum{GL_NO_ERROR});
}

// An extra texture is refused the same way, before its unit is selected and
// its texture matrix pushed.
TEST_F(GLStateCacheOnMesa, AnExtraTextureOnAUnitBeyondTheMirrorLeavesGLAsItWas) {
  TGLStateCache cache;
  cache.ResetAll();
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  TGLTextureExItem item;
  MakeRed(item.Texture());
  item.SetTextureIndex(kUnits);

  EXPECT_THROW(item.Apply(rci), ELibraryError);
  EXPECT_EQ(ActiveUnit(), GLenum{GL_TEXTURE0_ARB});
  EXPECT_EQ(GL().glGetError(), GLenum{GL_NO_ERROR});
  EXPECT_FALSE(PopsATextureMatrix(kUnits)) << "a texture matrix was left pushed";
  EXPECT_EQ(item.Texture().Handle(), 0u) << "no texture made";
  item.UnApply(rci);
  EXPECT_EQ(GL().glGetError(), GLenum{GL_NO_ERROR}) << "nothing applied, nothing popped";

  item.SetTextureIndex(kUnits - 1);
  item.Apply(rci);
  EXPECT_EQ(ActiveUnit(), GLenum{GL_TEXTURE0_ARB});
  EXPECT_EQ(TextureStackDepth(kUnits - 1), 2);
  EXPECT_EQ(Bound(kUnits - 1), std::pair(item.Texture().Handle(), true)) << "the last unit mirrored takes it";
  item.UnApply(rci);
  EXPECT_EQ(TextureStackDepth(kUnits - 1), 1);
  EXPECT_EQ(GL().glGetError(), GLenum{GL_NO_ERROR});
}

TEST(GLStateCache, RefusesTextureUnitsBeyondTheOnesItMirrors) {
  RecordingGL gl;
  TGLStateCache cache;
  cache.SetGLCurrentTexture(TGLStateCache::kTextureUnits - 1, GL_TEXTURE_2D, 3);
  for (int unit : {TGLStateCache::kTextureUnits, -1}) {
    try {
      cache.SetGLCurrentTexture(unit, GL_TEXTURE_2D, 4);
      ADD_FAILURE() << "unit " << unit << " was taken";
    } catch (const ELibraryError& error) {
      EXPECT_NE(std::string(error.what()).find(std::to_string(unit)), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(gl.Count("glBindTexture"), 1) << "a refused unit binds nothing";
  cache.SetGLPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  EXPECT_EQ(gl.Count("glPolygonMode"), 1) << "the modes beside the units are untouched";
}
