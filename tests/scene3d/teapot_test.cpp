// The teapot: its patch table's anchors, how often each patch is evaluated,
// and its mirror symmetry on Mesa.
#include "scene3d/objects/teapot.h"

#include <gtest/gtest.h>

#include "object_recording.h"
#include "scene3d/objects/teapot_patches.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"

namespace {

using Teapot = SceneTest;

TEST_F(Teapot, PatchTableAnchors) {
  EXPECT_EQ(kTeapotPatches[0][0], 102);
  EXPECT_EQ(kTeapotPatches[0][3], 105);
  EXPECT_EQ(kTeapotPoints[0][0], 0.2f);
  EXPECT_EQ(kTeapotPoints[0][1], 0);
  EXPECT_EQ(kTeapotPoints[0][2], 2.7f);
  for (const auto& patch : kTeapotPatches)
    for (int index : patch) {
      EXPECT_GE(index, 0);
      EXPECT_LT(index, 127);
    }
}

TEST_F(Teapot, RoundPatchesFourTimesHandleAndSpoutTwice) {
  TGLTeapot teapot(nullptr);
  const RecordedBuild build(teapot);
  EXPECT_EQ(build.Count("glEvalMesh2"), 6 * 4 + 4 * 2);
  EXPECT_EQ(build.Count("glMapGrid2f"), 10);
  EXPECT_EQ(build.Count("glFrontFace"), 2);
  const TVector4f extent = teapot.AxisAlignedDimensionsUnscaled();
  EXPECT_EQ(extent.x, 0.35f);
  EXPECT_EQ(extent.z, 0.55f);
}

class TeapotPixels : public GLPixelTest {
 protected:
  void SetUp() override {
    GLPixelTest::SetUp();
    InitializeScene3D();
  }
};

TEST_F(TeapotPixels, SeenFromAboveItIsMirrorSymmetric) {
  if (!context_) return;
  auto& gl = GL();
  gl.glClearColor(0, 0, 0, 1);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  gl.glColor3f(1, 1, 1);
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  gl.glScalef(1.5f, 1.5f, 0.5f);
  gl.glRotatef(90, 1, 0, 0);  // look down the teapot's up axis
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  TGLTeapot teapot(nullptr);
  teapot.BuildList(rci);
  std::vector<unsigned char> pixels(kWidth * kHeight * 4);
  gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  const auto lit = [&](int x, int y) { return pixels[4 * (y * kWidth + x)] > 128; };
  int on = 0, asymmetric = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      on += lit(x, y);
      asymmetric += lit(x, y) != lit(x, kHeight - 1 - y);
    }
  EXPECT_GT(on, 400);
  EXPECT_LT(asymmetric, on / 50);
}

}  // namespace
