// Frames copied from an off-screen viewer into a texture and drawn again on a
// plane in a later pass, or into one face of a cube map, read back from Mesa;
// and a viewer whose pbuffer cannot be made.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

#include "gfx3d/materials/textures.h"
#include "scene3d/objects/plane.h"
#include "scene_fixture.h"

namespace {

constexpr int kSize = 64;
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kGreen = RGB(0, 255, 0);
constexpr QRgb kRed = 0xFFFF0000;

class TextureCopy : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    program.camera->Position().SetPoint(0, 0, 200);
    box = program.AddBox(0, 0, 0, {1, 0, 0, 1});
    plane = program.scene.Objects().NewChildOfClass<TGLPlane>();
    plane->SetWidth(3);
    plane->SetHeight(3);
    TGLTexture& texture = plane->Material().Texture();
    texture.SetImageClassName("TGLBlankImage");
    static_cast<TGLBlankImage&>(texture.Image()).SetWidth(kSize);
    static_cast<TGLBlankImage&>(texture.Image()).SetHeight(kSize);
    texture.SetTextureMode(tmReplace);
    texture.SetDisabled(false);
    viewer.SetWidth(kSize);
    viewer.SetHeight(kSize);
    viewer.Buffer().SetLighting(false);
    viewer.SetCamera(program.camera);
  }

  // The box alone on the given background: the frame that goes into the texture.
  void RenderSource(TColor background) {
    plane->SetVisible(false);
    box->SetVisible(true);
    viewer.Buffer().SetBackgroundColor(background);
    viewer.Render();
  }

  // The plane alone on black, wearing the texture.
  QImage RenderPlane() {
    box->SetVisible(false);
    plane->SetVisible(true);
    viewer.Buffer().SetBackgroundColor(0);
    viewer.Render();
    return viewer.Buffer().CaptureFrameBitmap()->ToPlatformBitmap32().copy(0, 0, kSize, kSize);
  }

  // Where the plane landed: the pixels that are not the black background.
  static QRect PlaneArea(const QImage& picture) {
    QRect area;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if ((picture.pixel(x, y) & 0xFFFFFF) != 0) area |= QRect(x, y, 1, 1);
    return area;
  }

  ProgramScene program;
  TestBox* box = nullptr;
  TGLPlane* plane = nullptr;
  TGLMemoryViewer viewer{nullptr};
};

}  // namespace

TEST_F(TextureCopy, ACopiedFrameShowsOnAPlaneInTheNextPassAndALaterCopyReplacesIt) {
  try {
    RenderSource(kBlue);
  } catch (const std::exception& error) {
    SKIP_OR_FAIL_WITHOUT_GL(error.what());
  }
  TGLTexture& texture = plane->Material().Texture();
  viewer.CopyToTexture(texture);
  EXPECT_NE(texture.Handle(), 0u);

  QImage shown = RenderPlane();
  QRect area = PlaneArea(shown);
  ASSERT_GT(area.width(), kSize / 4);
  EXPECT_EQ(shown.pixel(area.center()), kRed) << "the box in the middle of the copied frame";
  EXPECT_EQ(shown.pixel(area.left() + 2, area.top() + 2), 0xFF0000FF) << "the copied background round it";
  EXPECT_EQ(shown.pixel(area.right() - 2, area.bottom() - 2), 0xFF0000FF);

  // The texture has its name now: the next copy goes into the existing image.
  RenderSource(kGreen);
  viewer.CopyToTexture(texture);
  shown = RenderPlane();
  area = PlaneArea(shown);
  EXPECT_EQ(shown.pixel(area.center()), kRed);
  EXPECT_EQ(shown.pixel(area.left() + 2, area.top() + 2), 0xFF00FF00);
}

TEST_F(TextureCopy, WithoutAContextNothingIsCopied) {
  TGLTexture texture(nullptr);
  viewer.CopyToTexture(texture);
  EXPECT_EQ(texture.Handle(), 0u);
}

TEST_F(TextureCopy, AViewerWhosePbufferCannotBeMadeReportsItAndKeepsNothing) {
  viewer.Buffer().OnPrepareGLContext = [](TGLStageBuffer* buffer) {
    buffer->RenderingContext()->SetStencilBits(64);  // more than any configuration holds
  };
  try {
    viewer.Render();
    ADD_FAILURE() << "rendered without a pbuffer";
  } catch (const std::exception& error) {
    if (std::string(error.what()).find("pbuffer") == std::string::npos) SKIP_OR_FAIL_WITHOUT_GL(error.what());
    EXPECT_STREQ(error.what(), "Format not supported for pbuffer operation.");
  }
  EXPECT_FALSE(viewer.Buffer().RCInstantiated());
  EXPECT_FALSE(viewer.Buffer().Rendering());
  EXPECT_EQ(viewer.Buffer().FrameCount(), 0);

  viewer.Buffer().OnPrepareGLContext = nullptr;
  viewer.Render();
  EXPECT_TRUE(viewer.Buffer().RCInstantiated());
  EXPECT_EQ(viewer.Buffer().FrameCount(), 1) << "the next render makes its context";
}

TEST_F(TextureCopy, AFrameCopiedToACubeFaceFillsThatFace) {
  try {
    RenderSource(kBlue);
  } catch (const std::exception& error) {
    SKIP_OR_FAIL_WITHOUT_GL(error.what());
  }
  TGLTexture cube(nullptr);
  cube.SetImageClassName("TGLCubeMapImage");
  viewer.Buffer().CopyToTexture(cube, 0, 0, kSize, kSize, 0, 0, GL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB);
  ASSERT_NE(cube.Handle(), 0u);
  EXPECT_EQ(cube.TexWidth(), kSize) << "the copy stands for the image";
  TGLTexture whole_cube(nullptr);
  whole_cube.SetImageClassName("TGLCubeMapImage");
  viewer.CopyToTexture(whole_cube);
  EXPECT_EQ(whole_cube.TexWidth(), 0) << "GL takes no 2-D image for the cube as a whole; its faces stay to upload";

  TGLContext& context = *viewer.Buffer().RenderingContext();
  context.Activate();
  glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, cube.Handle());
  GLint width = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB, 0, GL_TEXTURE_WIDTH, &width);
  std::vector<std::uint8_t> face(kSize * kSize * 4);
  glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB, 0, GL_RGBA, GL_UNSIGNED_BYTE, face.data());
  GLint other_width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB, 0, GL_TEXTURE_WIDTH, &other_width);
  context.Deactivate();
  EXPECT_EQ(width, kSize);
  EXPECT_EQ(other_width, 0) << "only the face asked for";
  const std::uint8_t* middle = &face[(kSize / 2 * kSize + kSize / 2) * 4];
  const std::uint8_t* corner = &face[(kSize + 1) * 4];
  EXPECT_EQ((std::vector<int>{middle[0], middle[1], middle[2]}), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ((std::vector<int>{corner[0], corner[1], corner[2]}), (std::vector<int>{0, 0, 255}));
}
