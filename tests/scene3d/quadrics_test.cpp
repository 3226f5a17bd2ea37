// Spheres, discs, the cylinder family and tori: recorded and fed-back
// geometry, writers and ray casts, and a sphere's footprint on Mesa.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "gfx3d/core/library_errors.h"
#define GL_FEEDBACK_LEAK_SUPPRESSION
#include "gl_feedback.h"
#include "object_recording.h"
#include "scene3d/objects/annulus.h"
#include "scene3d/objects/arrow_line.h"
#include "scene3d/objects/cylinder.h"
#include "scene3d/objects/disk.h"
#include "scene3d/objects/sphere.h"
#include "scene3d/objects/torus.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"

namespace {

using Quadrics = SceneTest;

void ExpectNear(const TVector4f& actual, const TAffineVector& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST_F(Quadrics, SphereStripsAndCaps) {
  TGLSphere sphere(nullptr);
  sphere.SetSlices(8);
  sphere.SetStacks(4);
  sphere.SetTopCap(ctFlat);  // no cut at 90 degrees, so no cap
  {
    const RecordedBuild build(sphere);
    ASSERT_EQ(build.primitives.size(), 4u);
    for (const auto& strip : build.primitives) EXPECT_EQ(strip.vertices.size(), 2u * (8 + 1));
    for (const auto& v : build.primitives[1].vertices) {
      EXPECT_NEAR(AffineVectorLength(v.position), 1, 1e-5f);
      EXPECT_GT(AffineVectorDotProduct(v.normal, v.position), 0.99f);
    }
  }
  sphere.SetTop(45);
  const RecordedBuild capped(sphere);
  ASSERT_EQ(capped.primitives.size(), 5u);
  const auto& cap = capped.primitives[0];
  EXPECT_EQ(cap.mode, static_cast<unsigned>(GL_TRIANGLE_FAN));
  for (const auto& v : cap.vertices) {
    EXPECT_NEAR(v.position.y, std::sin(std::numbers::pi / 4), 1e-5);
    ExpectNear({v.normal.x, v.normal.y, v.normal.z, 0}, {0, 1, 0});
  }
  sphere.SetNormalDirection(ndInside);
  const RecordedBuild inside(sphere);
  EXPECT_LT(inside.primitives[1].vertices[0].normal.y, 0);  // the flat cap turned inwards
  EXPECT_EQ(inside.Count("glFrontFace"), 2);
}

TEST_F(Quadrics, WritersClampAndRefuse) {
  TGLSphere sphere(nullptr);
  sphere.SetSlices(0);
  EXPECT_EQ(sphere.Slices(), 1);
  sphere.SetStop(180);
  EXPECT_THROW(sphere.SetStart(200), EAssertionFailed);
  EXPECT_EQ(sphere.Start(), 0);
  sphere.SetStart(180);
  EXPECT_THROW(sphere.SetStop(90), EAssertionFailed);
  EXPECT_EQ(sphere.Stop(), 180);
  TGLTorus torus(nullptr);
  torus.SetRings(1);
  torus.SetSides(2);
  EXPECT_EQ(torus.Rings(), 2u);
  EXPECT_EQ(torus.Sides(), 3u);
  TGLCylinder cylinder(nullptr);
  cylinder.SetLoops(0);
  EXPECT_EQ(cylinder.Loops(), 1);
}

TEST_F(Quadrics, TorusStripsLieOnTheTube) {
  TGLTorus torus(nullptr);
  torus.SetRings(6);
  torus.SetSides(5);
  const RecordedBuild build(torus);
  ASSERT_EQ(build.primitives.size(), 6u);
  for (const auto& strip : build.primitives) {
    EXPECT_EQ(strip.vertices.size(), 2u * 6);
    for (const auto& v : strip.vertices) {
      const float ring = std::hypot(v.position.x, v.position.y) - 0.4f;
      EXPECT_NEAR(std::hypot(ring, v.position.z), 0.1f, 1e-5f);
      EXPECT_NEAR(AffineVectorLength(v.normal), 1, 1e-5f);
    }
  }
}

TEST_F(Quadrics, ArrowLineHeadsIncludedKeepTheOverallLength) {
  TGLArrowLine arrow(nullptr);
  arrow.SetParts(alLine | alTopArrow | alBottomArrow);
  arrow.SetHeadStackingStyle(ahssIncluded);
  arrow.SetHeight(3);
  const RecordedBuild build(arrow);
  std::vector<double> lengths;
  for (const auto& call : build.calls)
    if (call.name == "gluCylinder") lengths.push_back(call.args[2]);  // base, top, height
  ASSERT_EQ(lengths.size(), 3u);
  EXPECT_DOUBLE_EQ(lengths[0] + lengths[1] + lengths[2], 3);
  EXPECT_DOUBLE_EQ(lengths[2], 2);  // the shaft, shortened by both heads
}

TEST_F(Quadrics, RayCasts) {
  TGLStage scene(nullptr);
  TVector4f point{9, 9, 9, 9}, normal;
  auto* disk = scene.Objects().NewChildOfClass<TGLDisk>();
  disk->SetInnerRadius(0.2f);
  EXPECT_FALSE(disk->RayCastIntersect({0.1f, 0, 1, 1}, {0, 0, -1, 0}, &point, &normal));
  ExpectNear(point, {0.1f, 0, 0});  // written although in the hole
  EXPECT_TRUE(disk->RayCastIntersect({0.3f, 0, 1, 1}, {0, 0, -1, 0}, &point, &normal));
  ExpectNear(normal, {0, 0, 1});

  auto* cylinder = scene.Objects().NewChildOfClass<TGLCylinder>();
  cylinder->SetBottomRadius(1);
  cylinder->SetTopRadius(0.25f);
  struct Case {
    TVector4f start, direction;
    bool hit;
    TAffineVector point, normal;
  };
  const Case cases[] = {
      {{0.5f, 5, 0, 1}, {0, -1, 0, 0}, true, {0.5f, 1 / 6.0f, 0}, {0.5f, 0.375f, 0}},  // past the top, onto the side
      {{0.1f, 5, 0, 1}, {0, -1, 0, 0}, true, {0.1f, 0.5f, 0}, {0, 1, 0}},
      {{0.8f, -5, 0, 1}, {0, 1, 0, 0}, true, {0.8f, -0.5f, 0}, {0, -1, 0}},  // bottom is as wide as its radius
      {{0, 0, 0, 1}, {0, -1, 0, 0}, true, {0, -0.5f, 0}, {0, -1, 0}},        // from inside, down
      {{5, 0, 0, 1}, {-1, 0, 0, 0}, true, {0.625f, 0, 0}, {0.625f, 0.46875f, 0}},
      {{5, 2, 0, 1}, {-1, 0, 0, 0}, false, {}, {}},  // parallel to the caps, above the slab
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start.x << ", " << c.start.y);
    ASSERT_EQ(cylinder->RayCastIntersect(c.start, c.direction, &point, &normal), c.hit);
    if (!c.hit) continue;
    ExpectNear(point, c.point);
    ExpectNear(normal, c.normal);
  }

  auto* annulus = scene.Objects().NewChildOfClass<TGLAnnulus>();
  ASSERT_TRUE(annulus->RayCastIntersect({0.4f, -5, 0, 1}, {0, 1, 0, 0}, &point, &normal));
  ExpectNear(normal, {0, -1, 0});
  EXPECT_FALSE(annulus->RayCastIntersect({0.1f, -5, 0, 1}, {0, 1, 0, 0}, &point, &normal));  // through the hole

  auto* torus = scene.Objects().NewChildOfClass<TGLTorus>();
  torus->Position().SetPoint(0, 0, 10);
  // Aimed at the tube's centre line at 45 degrees, from well outside.
  ASSERT_TRUE(torus->RayCastIntersect({5.4f, 0, 15, 1}, {-1, 0, -1, 0}, &point, &normal));
  const float offset = 0.1f / std::numbers::sqrt2_v<float>;
  ExpectNear(point, {0.4f + offset, 0, 10 + offset}, 1e-3f);
  ExpectNear(VectorNormalize(normal), {std::numbers::sqrt2_v<float> / 2, 0, std::numbers::sqrt2_v<float> / 2}, 1e-3f);
  EXPECT_FALSE(torus->RayCastIntersect({5.4f, 0, 15, 1}, {1, 0, 1, 0}, &point, &normal));
  EXPECT_FALSE(torus->RayCastIntersect({0, 0, 20, 1}, {0, 0, -1, 0}, &point, &normal));  // through the middle
  // Parallel to the axis, through the tube: the quartic has no odd powers.
  ASSERT_TRUE(torus->RayCastIntersect({0.4f, 0, 20, 1}, {0, 0, -1, 0}, &point, &normal));
  ExpectNear(point, {0.4f, 0, 10.1f}, 1e-3f);
  ExpectNear(VectorNormalize(normal), {0, 0, 1}, 1e-3f);
  ASSERT_TRUE(torus->RayCastIntersect({-0.45f, 0, 0, 1}, {0, 0, 1, 0}, &point, &normal));
  EXPECT_NEAR(point.z, 10 - std::sqrt(0.1f * 0.1f - 0.05f * 0.05f), 1e-3f);

  auto* sphere = scene.Objects().NewChildOfClass<TGLSphere>();
  sphere->Position().SetPoint(0, 10, 0);
  sphere->Scale().SetVector(4, 4, 4);
  ASSERT_TRUE(sphere->RayCastIntersect({0, 20, 0, 1}, {0, -1, 0, 0}, &point, &normal));
  ExpectNear(point, {0, 12, 0});
  ExpectNear(normal, {0, 2, 0});  // the hit point as a direction, scaled with the sphere, not normalised
}

class QuadricPixels : public GLPixelTest {
 protected:
  void SetUp() override {
    GLPixelTest::SetUp();
    InitializeScene3D();
  }
};

TEST_F(QuadricPixels, GluCylinderSendsTwoTrianglesPerSliceAndStack) {
  if (!context_) return;
  TGLCylinder cylinder(nullptr);
  cylinder.SetParts(cySides);
  cylinder.SetSlices(12);
  cylinder.SetStacks(3);
  EXPECT_EQ(FeedbackOf(cylinder).size(), 2u * 12 * 3);
}

TEST_F(QuadricPixels, AnOrthographicSphereCoversItsDisc) {
  if (!context_) return;
  TGLSphere sphere(nullptr);
  sphere.SetRadius(0.8f);
  sphere.SetSlices(48);
  sphere.SetStacks(24);
  auto& gl = GL();
  gl.glClearColor(0, 0, 0, 1);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.glDisable(GL_LIGHTING);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glColor3f(1, 1, 1);
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  sphere.BuildList(rci);
  std::vector<unsigned char> pixels(kWidth * kHeight * 4);
  gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  int lit = 0;
  for (int i = 0; i < kWidth * kHeight; ++i) lit += pixels[4 * i] > 128;
  const double radius = 0.8 * kWidth / 2;
  EXPECT_NEAR(lit, std::numbers::pi * radius * radius, 0.02 * std::numbers::pi * radius * radius);
}

}  // namespace
