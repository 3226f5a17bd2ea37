// Sampling scales and height fields: sample placement, writers, strip sizes
// and the normals of a tilted plane.
#include "scene3d/lines/height_field.h"

#include <gtest/gtest.h>

#include "object_recording.h"
#include "scene_fixture.h"

namespace {

using HeightFields = SceneTest;

TEST_F(HeightFields, SamplingScaleWritersAndFirstSample) {
  TGLSamplingScale scale(nullptr);
  scale.SetStep(0);
  EXPECT_EQ(scale.Step(), 1);
  scale.SetStep(0.1f);
  scale.SetOrigin(0.25f);
  EXPECT_NEAR(scale.FirstSample(), 0.05f, 1e-6f);
  scale.SetOrigin(0);
  EXPECT_EQ(scale.FirstSample(), 0);
  scale.SetMin(2);
  EXPECT_EQ(scale.Max(), 2);
  scale.SetMax(1);
  EXPECT_EQ(scale.Min(), 1);
}

TEST_F(HeightFields, TwoRowsOfFiveGiveEightTrianglesAndNoRangeNothing) {
  TGLHeightField field(nullptr);
  field.XSamplingScale().SetMax(4);
  field.XSamplingScale().SetStep(1);
  field.YSamplingScale().SetMax(1);
  field.YSamplingScale().SetStep(1);
  const RecordedBuild build(field);
  EXPECT_EQ(field.DrawnTriangleCount(), 8);
  ASSERT_EQ(build.primitives.size(), 1u);
  EXPECT_EQ(build.primitives[0].vertices.size(), 10u);
  field.YSamplingScale().SetMax(0);  // no range: nothing
  EXPECT_EQ(RecordedBuild(field).VertexCount(), 0);
  EXPECT_EQ(field.DrawnTriangleCount(), 0);
}

TEST_F(HeightFields, ATiltedPlaneHasTheAnalyticNormalEverywhere) {
  TGLHeightField field(nullptr);
  field.XSamplingScale().SetMax(2);
  field.XSamplingScale().SetStep(0.5f);
  field.YSamplingScale().SetMax(2);
  field.YSamplingScale().SetStep(0.5f);
  field.SetOnGetHeight([](float x, float y, float& z, TVector4f&, TTexPoint&) { z = 0.5f * x - 0.25f * y; });
  const RecordedBuild build(field);
  EXPECT_EQ(build.primitives.size(), 4u);
  const TAffineVector expected = AffineVectorNormalize({-0.5f, 0.25f, 1});
  for (const auto& strip : build.primitives)
    for (const auto& v : strip.vertices) EXPECT_NEAR(AffineVectorDotProduct(v.normal, expected), 1, 1e-5f);
}

TEST_F(HeightFields, AStepBelowTheFloatsResolutionStopsAtTheSampleCount) {
  TGLSamplingScale scale(nullptr);
  scale.SetMin(1000);
  scale.SetMax(1000.001f);
  scale.SetStep(1e-9f);
  const TGLSamplingScale::Sampling sampling = scale.SetupSampling(true);
  int visited = 0;
  for (float x = sampling.base; x <= sampling.max && visited < sampling.limit; x += sampling.step) ++visited;
  EXPECT_EQ(visited, sampling.limit);
}

}  // namespace
