// Drawing through the state cache with materials and textures on Mesa, read
// back as upright pictures with the expected colours, and the texels a
// texture's alpha rule and gamma make of a picture.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "gfx3d/materials/bitmap32.h"
#include "gfx3d/materials/materials.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/materials/texture_images.h"
#include "support/gl_pixel_fixture.h"

namespace {

std::string TestPicture(const char* name) {
  const char* source = std::getenv("RACKWRIGHT_SOURCE_DIR");
  return std::string(source ? source : ".") + "/tests/gfx3d/data/" + name;
}

class GLPixels : public GLPixelTest {
 protected:
  void SetUp() override {
    GLPixelTest::SetUp();
    if (!context_) return;
    cache.ResetAll();
    rci.GLStates = &cache;
    GL().glMatrixMode(GL_PROJECTION);
    GL().glLoadIdentity();
    GL().glOrtho(0, 1, 0, 1, -1, 1);
    GL().glMatrixMode(GL_MODELVIEW);
    GL().glLoadIdentity();
  }

  // The quad (x0, y0)-(x1, y1) in the unit square, y up, texture coordinates over the whole texture.
  static void Quad(float x0, float y0, float x1, float y1) {
    GL().glBegin(GL_QUADS);
    GL().glNormal3f(0, 0, 1);
    xglTexCoord2f(0, 0);
    GL().glVertex2f(x0, y0);
    xglTexCoord2f(1, 0);
    GL().glVertex2f(x1, y0);
    xglTexCoord2f(1, 1);
    GL().glVertex2f(x1, y1);
    xglTexCoord2f(0, 1);
    GL().glVertex2f(x0, y1);
    GL().glEnd();
  }

  QImage ReadBack() {
    GL().glFinish();
    TGLBitmap32 bitmap;
    bitmap.ReadPixels({0, 0, kWidth, kHeight});
    return bitmap.ToPlatformBitmap32();
  }

  TGLStateCache cache;
  TRenderContextInfo rci;
};

void ExpectColor(const QImage& image, int x, int y, QColor expected, int tolerance, const std::string& what) {
  const QColor got = image.pixelColor(x, y);
  EXPECT_NEAR(got.red(), expected.red(), tolerance) << what << " at " << x << "," << y;
  EXPECT_NEAR(got.green(), expected.green(), tolerance) << what << " at " << x << "," << y;
  EXPECT_NEAR(got.blue(), expected.blue(), tolerance) << what << " at " << x << "," << y;
}

// Four colours, each filling one column of a 4 x 4 picture, alpha 200. The
// bottom-left pixel, the first one stored, is the first colour.
constexpr std::array<std::array<int, 3>, 4> kColours = {{{10, 200, 30}, {0, 0, 0}, {90, 120, 150}, {255, 255, 255}}};
constexpr int kAlpha = 200;

QImage Picture() {
  QImage picture(4, 4, QImage::Format_ARGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      picture.setPixelColor(x, y, QColor(kColours[x][0], kColours[x][1], kColours[x][2], kAlpha));
  return picture;
}

int Intensity(const std::array<int, 3>& c) { return (c[0] + c[1] + c[2]) / 3; }
int SquareRoot(int value) { return static_cast<int>(255 * std::sqrt(value / 255.0)); }

// The alpha each rule gives a colour, worked out from the rules' own words.
int ExpectedAlpha(TGLTextureImageAlpha rule, const std::array<int, 3>& c) {
  switch (rule) {
    case tiaDefault:
      return kAlpha;
    case tiaAlphaFromIntensity:
    case tiaLuminance:
      return Intensity(c);
    case tiaSuperBlackTransparent:
      return c == std::array<int, 3>{0, 0, 0} ? 0 : 255;
    case tiaLuminanceSqrt:
      return SquareRoot(Intensity(c));
    case tiaOpaque:
      return 255;
    case tiaTopLeftPointColorTransparent:
      return c == kColours[0] ? 0 : 255;
    case tiaInverseLuminance:
      return 255 - Intensity(c);
    case tiaInverseLuminanceSqrt:
      return 255 - SquareRoot(Intensity(c));
  }
  return -1;
}

// A material whose texture shows Picture() texel for texel.
class PictureTexture {
 public:
  PictureTexture() {
    texture.SetMinFilter(miNearest);
    texture.SetMagFilter(maNearest);
    texture.SetTextureMode(tmReplace);
    texture.SetDisabled(false);
    static_cast<TGLPictureImage&>(texture.Image()).SetPicture(Picture());
  }
  // The level-0 texels Mesa holds for the texture, bottom row first.
  std::vector<unsigned char> Texels(TRenderContextInfo& rci) {
    material.Apply(rci);
    std::vector<unsigned char> texels(4 * 4 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    material.UnApply(rci);
    return texels;
  }

  TGLMaterial material{nullptr};
  TGLTexture& texture = material.Texture();
};

}  // namespace

TEST_F(GLPixels, QuadrantsComeBackUprightWithRedAndBlueInPlace) {
  struct Quadrant {
    float x0, y0;
    QColor color;
    int x, y;  // a pixel of it in the upright picture
  };
  const Quadrant quadrants[] = {{0, 0.5f, Qt::red, 10, 10},
                                {0.5f, 0.5f, Qt::green, 50, 10},
                                {0, 0, Qt::blue, 10, 50},
                                {0.5f, 0, Qt::white, 50, 50}};
  for (const Quadrant& q : quadrants) {
    GL().glColor3f(q.color.redF(), q.color.greenF(), q.color.blueF());
    Quad(q.x0, q.y0, q.x0 + 0.5f, q.y0 + 0.5f);
  }
  const QImage image = ReadBack();
  ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
  for (const Quadrant& q : quadrants) ExpectColor(image, q.x, q.y, q.color, 0, "quadrant");

  TGLBitmap32 wide;
  wide.ReadPixels({0, 0, 642, 1});
  EXPECT_EQ(wide.Width(), 640);
  EXPECT_EQ(GL().glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLPixels, TransparentMaterialBlendsOverWhatIsThere) {
  GL().glClearColor(1, 0, 0, 1);
  GL().glClear(GL_COLOR_BUFFER_BIT);
  TGLMaterial glass(nullptr);
  glass.FrontProperties().Diffuse().SetColor({0, 0, 1, 0.25f});
  glass.SetBlendingMode(bmTransparency);
  glass.Apply(rci);
  Quad(0, 0, 1, 1);
  glass.UnApply(rci);
  ExpectColor(ReadBack(), 32, 32, QColor(191, 0, 64), 2, "a quarter of blue over red");
}

TEST_F(GLPixels, DiffuseAboveOneLightsBrighter) {
  const GLfloat light_diffuse[] = {0.5f, 0.5f, 0.5f, 1};
  const GLfloat light_direction[] = {0, 0, 1, 0};
  const GLfloat no_ambient[] = {0, 0, 0, 1};
  GL().glLightfv(GL_LIGHT0, GL_DIFFUSE, light_diffuse);
  GL().glLightfv(GL_LIGHT0, GL_POSITION, light_direction);
  GL().glLightModelfv(GL_LIGHT_MODEL_AMBIENT, no_ambient);
  GL().glEnable(GL_LIGHT0);
  cache.Enable(stLighting);
  for (float diffuse : {1.0f, 1.25f}) {
    TGLMaterial material(nullptr);
    material.FrontProperties().Ambient().SetColor({0, 0, 0, 1});
    material.FrontProperties().Diffuse().SetColor({diffuse, 0, 0, 1});
    material.Apply(rci);
    const float x0 = diffuse == 1.0f ? 0.0f : 0.5f;
    Quad(x0, 0, x0 + 0.5f, 1);
    material.UnApply(rci);
  }
  const QImage image = ReadBack();
  EXPECT_NEAR(image.pixelColor(10, 32).red(), 128, 1);
  EXPECT_NEAR(image.pixelColor(50, 32).red(), 159, 1);
}

TEST_F(GLPixels, PicturesReadBackAsTexels) {
  struct Case {
    const char* file;
    int tolerance;
  };
  for (const Case& c : {Case{"quadrants.bmp", 0}, Case{"quadrants_alpha.png", 0}, Case{"quadrants.jpg", 8}}) {
    GL().glClearColor(0, 0, 0, 1);
    GL().glClear(GL_COLOR_BUFFER_BIT);
    TGLMaterial material(nullptr);
    TGLTexture& texture = material.Texture();
    texture.SetImageClassName("TGLPicFileImage");
    static_cast<TGLPicFileImage&>(texture.Image()).SetPictureFileName(TestPicture(c.file));
    texture.SetTextureMode(tmReplace);
    texture.SetMinFilter(miNearest);
    texture.SetMagFilter(maNearest);
    texture.SetDisabled(false);
    material.Apply(rci);
    Quad(0, 0, 1, 1);
    material.UnApply(rci);
    const QImage image = ReadBack();
    const QImage picture(QString::fromStdString(TestPicture(c.file)));
    ASSERT_FALSE(picture.isNull()) << c.file;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        ExpectColor(image, x * 8 + 4, y * 8 + 4, picture.pixelColor(x, y), c.tolerance, c.file);
    EXPECT_EQ(texture.TexWidth(), 8);
  }
  CheckOpenGLError();
}

TEST_F(GLPixels, EveryImageAlphaRuleGivesItsAlphaAndKeepsTheColours) {
  PictureTexture picture;
  for (TGLTextureImageAlpha rule :
       {tiaDefault, tiaAlphaFromIntensity, tiaSuperBlackTransparent, tiaLuminance, tiaLuminanceSqrt, tiaOpaque,
        tiaTopLeftPointColorTransparent, tiaInverseLuminance, tiaInverseLuminanceSqrt}) {
    picture.texture.SetImageAlpha(rule);
    const std::vector<unsigned char> texels = picture.Texels(rci);
    for (int x = 0; x < 4; ++x) {
      const unsigned char* texel = &texels[static_cast<std::size_t>(x) * 4];
      for (int channel = 0; channel < 3; ++channel)
        EXPECT_EQ(texel[channel], kColours[x][channel]) << "rule " << int(rule) << " column " << x;
      EXPECT_EQ(texel[3], ExpectedAlpha(rule, kColours[x])) << "rule " << int(rule) << " column " << x;
    }
  }
  EXPECT_NO_THROW(CheckOpenGLError());
}

TEST_F(GLPixels, GammaCorrectionBendsTheColoursOnScreen) {
  PictureTexture picture;
  for (float gamma : {1.0f, 2.2f, 0.5f, 0.05f}) {
    picture.texture.SetImageGamma(gamma);
    const double exponent = gamma >= 0.1f ? 1.0 / gamma : 10.0;
    const std::vector<unsigned char> texels = picture.Texels(rci);
    for (int x = 0; x < 4; ++x)
      for (int channel = 0; channel < 3; ++channel) {
        const double expected = 255 * std::pow(kColours[x][channel] / 255.0, exponent);
        EXPECT_NEAR(texels[static_cast<std::size_t>(x) * 4 + channel], expected, 0.5)
            << "gamma " << gamma << " column " << x;
      }
    GL().glClearColor(0, 0, 0, 1);
    GL().glClear(GL_COLOR_BUFFER_BIT);
    picture.material.Apply(rci);
    Quad(0, 0, 1, 1);
    picture.material.UnApply(rci);
    const QColor grey = ReadBack().pixelColor(2 * kWidth / 4 + 8, kHeight / 2);
    EXPECT_EQ(grey.red(), texels[2 * 4]) << "the screen shows the corrected texel, gamma " << gamma;
    EXPECT_EQ(grey.blue(), texels[2 * 4 + 2]);
  }
}
