// Frames copied from an off-screen viewer into a texture and drawn again on a
// plane in a later pass, read back from Mesa; and a viewer whose pbuffer
// cannot be made.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include "gfx3d/textures.h"
#include "scene3d/plane.h"
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
