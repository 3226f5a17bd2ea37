// Frames of the program's scene rendered off screen on Mesa and read back:
// where the camera puts things, how orbit, zoom and pan move them, the
// background, capture orientation, and display-list handling in real GL.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/vector_geometry.h"
#include "lit_region.h"
#include "scene3d/objects/sprite.h"
#include "scene3d/sky/earth_sky_dome.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"

namespace {

constexpr int kWidth = 712;
constexpr int kHeight = 480;
constexpr TVector4f kRed{1, 0, 0, 1};
constexpr TVector4f kGreen{0, 1, 0, 1};

struct Centroid {
  double x = 0, y = 0;
  int count = 0;
};

// The mean pixel of the picture's pixels of one pure colour, picture rows top-down.
Centroid CentroidOf(const QImage& picture, QRgb color) {
  Centroid c;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if ((picture.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) {
        c.x += x + 0.5;
        c.y += y + 0.5;
        ++c.count;
      }
  if (c.count) c.x /= c.count, c.y /= c.count;
  return c;
}

// Where a world point appears, computed independently of the library: the
// camera's frame towards its target and the frustum of the focal length at 96 DPI.
Centroid Project(const TVector4f& point, const TVector4f& eye, const TVector4f& centre, float focalLength) {
  const TAffineVector forward = AffineVectorNormalize({centre.x - eye.x, centre.y - eye.y, centre.z - eye.z});
  const TAffineVector right = AffineVectorNormalize(AffineVectorCrossProduct(forward, YVector));
  const TAffineVector up = AffineVectorCrossProduct(right, forward);
  const TAffineVector d{point.x - eye.x, point.y - eye.y, point.z - eye.z};
  const double depth = AffineVectorDotProduct(d, forward);
  const double near_plane = 96.0 * focalLength * 2 / (25.4 * kWidth);
  const double half_width = 0.5, half_height = 0.5 * kHeight / kWidth;
  const double sx = AffineVectorDotProduct(d, right) / depth * near_plane / half_width;
  const double sy = AffineVectorDotProduct(d, up) / depth * near_plane / half_height;
  return {(sx + 1) * kWidth / 2, (1 - sy) * kHeight / 2, 1};
}

class RenderedScene : public OffscreenSceneTest {
 protected:
  void ExpectAt(const Centroid& actual, const Centroid& expected, double tolerance = 1.5) {
    ASSERT_GT(actual.count, 0);
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
  }

  Centroid Predicted(const TVector4f& point) {
    return Project(point, program.camera->AbsolutePosition(), program.target->AbsolutePosition(), 400);
  }
};

TEST_F(RenderedScene, TheProgramsCameraSeesItsTargetInTheMiddleAndTenUnitsAs107PixelsRight) {
  program.AddBox(0, 0, 0, kRed);
  program.AddBox(10, 0, 0, kGreen);
  const QImage picture = Capture();
  ExpectAt(CentroidOf(picture, qRgb(255, 0, 0)), {356, 240, 1});
  const Centroid green = CentroidOf(picture, qRgb(0, 255, 0));
  ExpectAt(green, {356 + 106.9, 240, 1});
}

TEST_F(RenderedScene, TheCaptureReadsTheBufferTheFrameWasDrawnInto) {
  // A pbuffer may have one colour buffer or two, whatever the buffer's options ask.
  program.AddBox(0, 0, 0, kRed);
  EXPECT_GT(CentroidOf(Capture(), qRgb(255, 0, 0)).count, 0);
  viewer.Buffer().RenderingContext()->Activate();
  GLint drawn = 0, read = 0;
  GL().glGetIntegerv(GL_DRAW_BUFFER, &drawn);
  GL().glGetIntegerv(GL_READ_BUFFER, &read);
  const GLenum error = GL().glGetError();
  viewer.Buffer().RenderingContext()->Deactivate();
  EXPECT_EQ(read, drawn);
  EXPECT_EQ(error, static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderedScene, OrbitZoomAndPanMoveThePictureAsComputed) {
  program.AddBox(10, 0, 0, kGreen);
  program.camera->OrbitAroundTarget(-15, 30);
  ExpectAt(CentroidOf(Capture(), qRgb(0, 255, 0)), Predicted({10, 0, 0, 1}));
  program.camera->ScaleDistanceToTarget(0.5f);
  ExpectAt(CentroidOf(Capture(), qRgb(0, 255, 0)), Predicted({10, 0, 0, 1}));
  const TVector4f pan = program.camera->ScreenDeltaToVectorXZ(-40, 0, 0.1f);
  program.target->Position().Translate({pan.x, pan.y, pan.z});
  ExpectAt(CentroidOf(Capture(), qRgb(0, 255, 0)), Predicted({10, 0, 0, 1}));
}

TEST_F(RenderedScene, ASpriteStillFacesTheCameraAfterAnOrbit) {
  auto* sprite = program.scene.Objects().NewChildOfClass<TGLSprite>();
  sprite->SetWidth(20);
  sprite->SetHeight(20);
  const LitRegion before = LitRegionOf(Capture());
  // 20 units at the target's distance: twice the 106.9 pixels of ten units.
  EXPECT_NEAR(before.Width(), 213.8, 2);
  program.camera->OrbitAroundTarget(-15, 30);
  const LitRegion after = LitRegionOf(Capture());
  // Still an upright square of the same size: a quad left in its old plane
  // would now be foreshortened and slanted, filling less of its box.
  EXPECT_NEAR(after.Width(), before.Width(), 2);
  EXPECT_NEAR(after.Height(), before.Height(), 2);
  EXPECT_NEAR(after.Width(), after.Height(), 2);
  EXPECT_GT(after.Fill(), 0.99);
  const Centroid centre = Predicted({0, 0, 0, 1});
  EXPECT_NEAR((after.left + after.right + 1) / 2.0, centre.x, 1.5);
  EXPECT_NEAR((after.top + after.bottom + 1) / 2.0, centre.y, 1.5);
}

TEST_F(RenderedScene, AnEmptyFrameShowsTheBackgroundThroughTheSystemColourTable) {
  viewer.Buffer().SetBackgroundColor(clBtnFace);
  const QImage picture = Capture();
  const TVector4f expected = ConvertWinColor(clBtnFace);
  const QRgb pixel = picture.pixel(100, 100);
  EXPECT_NEAR(qRed(pixel), expected.x * 255, 1);
  EXPECT_NEAR(qGreen(pixel), expected.y * 255, 1);
  EXPECT_NEAR(qBlue(pixel), expected.z * 255, 1);
}

TEST_F(RenderedScene, SceneUpIsTheTopOfTheCapture) {
  program.AddBox(0, 15, 0, kRed);
  const Centroid red = CentroidOf(Capture(), qRgb(255, 0, 0));
  ASSERT_GT(red.count, 0);
  EXPECT_LT(red.y, 200);
}

TEST_F(RenderedScene, ADummyCubeVisibleAtRunTimeDrawsOnlyAStippledOutline) {
  auto* cube = program.scene.Objects().NewChildOfClass<TGLDummyCube>();
  cube->SetCubeSize(20);
  cube->SetVisibleAtRunTime(true);
  const QImage picture = Capture();
  int lit = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (qGreen(picture.pixel(x, y)) > 128) ++lit;
  EXPECT_GT(lit, 50);
  // Only edges: the middle of the cube's front face stays background.
  EXPECT_EQ(picture.pixel(300, 160) & 0xFFFFFF, 0u);
  // Stippled: along the top front edge some pixels are left out.
  EXPECT_LT(lit, 2000);
}

TEST_F(RenderedScene, TwoRendersAndACaptureGiveTheLastFrame) {
  auto* box = program.AddBox(0, 0, 0, kRed);
  viewer.Render();
  box->Color = kGreen;
  box->StructureChanged();
  viewer.Render();
  const QImage picture = Capture();
  EXPECT_EQ(CentroidOf(picture, qRgb(255, 0, 0)).count, 0);
  EXPECT_GT(CentroidOf(picture, qRgb(0, 255, 0)).count, 0);
  EXPECT_GT(viewer.Buffer().FrameCount(), 2);
  EXPECT_GT(viewer.Buffer().FramesPerSecond(), 0);
}

TEST_F(RenderedScene, AmalgamationReplaysItsListUntilAStructureChange) {
  auto* group = program.scene.Objects().NewChildOfClass<TGLDummyCube>();
  std::vector<std::string> log;
  auto* child = group->NewChildOfClass<DrawLogger>();
  child->Log = &log;
  child->Name = "child";
  group->SetAmalgamate(true);
  viewer.Render();
  viewer.Render();
  viewer.Render();
  EXPECT_EQ(log.size(), 1u);
  group->SetCubeSize(2);
  viewer.Render();
  EXPECT_EQ(log.size(), 2u);
}

// The list is replayed from every viewpoint, so culling must not leave out
// what the camera does not see while it is compiled.
TEST_F(RenderedScene, AnAmalgamatedListHoldsThePartsOutOfSightWhenItWasCompiled) {
  auto* group = program.scene.Objects().NewChildOfClass<TGLDummyCube>();
  group->SetVisibilityCulling(vcObjectBased);
  group->SetAmalgamate(true);
  group->NewChildOfClass<TestBox>()->Color = kRed;
  auto* far = group->NewChildOfClass<TestBox>();
  far->Color = kGreen;
  far->Position().SetPoint(200, 0, 0);
  EXPECT_EQ(CentroidOf(Capture(), qRgb(0, 255, 0)).count, 0);
  program.target->Position().SetPoint(200, 0, 0);
  const QImage moved = Capture();
  EXPECT_GT(CentroidOf(moved, qRgb(0, 255, 0)).count, 0);
  EXPECT_EQ(CentroidOf(moved, qRgb(255, 0, 0)).count, 0);
}

using DisplayLists = GLPixelTest;

TEST_F(DisplayLists, ABuildListThatRaisesLeavesGLOutOfCompileModeAndTheNameFreed) {
  InitializeScene3D();
  TGLStage scene(nullptr);
  struct Failing : TGLStageObject {
    using TGLStageObject::TGLStageObject;
    void BuildList(TRenderContextInfo&) override { throw ELibraryError("no part file"); }
  };
  auto* failing = scene.Objects().NewChildOfClass<Failing>();
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  EXPECT_THROW(failing->GetHandle(rci), ELibraryError);
  GLint list_index = -1;
  GL().glGetIntegerv(GL_LIST_INDEX, &list_index);
  EXPECT_EQ(list_index, 0);
  EXPECT_EQ(GL().glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(failing->Changes() & chStructure);
}

}  // namespace

namespace {

TEST_F(RenderedScene, AnEarthSkyDomeFillsTheFrameBehindTheScene) {
  // Drawn first, as a sky must be: it writes no depth.
  program.scene.Objects().NewChildOfClass<TGLEarthSkyDome>()->SetSunElevation(20);
  program.AddBox(0, 0, 0, kRed)->Size = 40;
  viewer.Render();
  const QImage picture = Capture();
  for (const auto& [x, y] : {std::pair{2, 2}, std::pair{kWidth - 3, 2}, std::pair{2, kHeight - 3}})
    EXPECT_NE(picture.pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
  EXPECT_EQ(picture.pixel(kWidth / 2, kHeight / 2) & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
