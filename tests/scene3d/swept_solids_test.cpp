// Revolution solids and pipes: strips, normals against winding, and writers.
#include <gtest/gtest.h>

#include <cmath>

#include "object_recording.h"
#include "scene3d/lines/pipe.h"
#include "scene3d/lines/revolution_solid.h"
#include "scene_fixture.h"

namespace {

using SweptSolids = SceneTest;

// Each strip triangle's winding agrees with its first vertex's normal.
void ExpectStripsWoundWithTheirNormals(const RecordedBuild& build) {
  for (const auto& strip : build.primitives) {
    if (strip.mode != GL_TRIANGLE_STRIP) continue;
    for (std::size_t i = 0; i + 2 < strip.vertices.size(); ++i) {
      TAffineVector winding = WindingNormal(strip.vertices[i], strip.vertices[i + 1], strip.vertices[i + 2]);
      if (i % 2) NegateAffineVector(winding);  // a strip flips every other triangle
      if (AffineVectorLength(winding) < 1e-6f) continue;
      EXPECT_GT(AffineVectorDotProduct(winding, strip.vertices[i].normal), 0) << "triangle " << i;
    }
  }
}

TEST_F(SweptSolids, AFullRevolutionOfOneSegment) {
  TGLRevolutionSolid solid(nullptr);
  solid.AddNode(1, 0, 0);
  solid.AddNode(1, 1, 0);
  solid.SetParts(rspOutside | rspInside);
  const RecordedBuild build(solid);
  ASSERT_EQ(build.primitives.size(), 2u);
  const auto& outside = build.primitives[1].vertices;
  ASSERT_EQ(outside.size(), 34u);
  for (const auto& v : outside) {
    const TAffineVector radial = AffineVectorNormalize({v.position.x, 0, v.position.z});
    EXPECT_NEAR(AffineVectorDotProduct(v.normal, radial), 1, 1e-5f);
  }
  EXPECT_NEAR(AffineVectorDotProduct(build.primitives[0].vertices[0].normal, {1, 0, 0}), -1, 1e-5f);
  ExpectStripsWoundWithTheirNormals(build);
}

TEST_F(SweptSolids, WritersAndNothingToDraw) {
  TGLRevolutionSolid solid(nullptr);
  solid.SetStartAngle(400);
  EXPECT_EQ(solid.StopAngle(), 400);
  solid.SetSlices(0);
  EXPECT_EQ(solid.Slices(), 16);
  solid.AddNode(1, 0, 0);
  solid.AddNode(1, 1, 0);
  EXPECT_TRUE(RecordedBuild(solid).calls.empty());  // start equals stop
  solid.SetStartAngle(0);
  solid.Nodes().Delete(1);
  EXPECT_TRUE(RecordedBuild(solid).calls.empty());  // one node

  TGLPipe pipe(nullptr);
  pipe.SetSlices(-1);
  EXPECT_EQ(pipe.Slices(), 16);
  pipe.AddNode(0, 0, 0);
  TGLPipeNode* node = pipe.PipeNodes().GetItems(0);
  EXPECT_FALSE(node->StoreRadiusFactor());
  pipe.ClearStructureChanged();
  node->SetRadiusFactor(2);
  EXPECT_TRUE(node->StoreRadiusFactor());
  EXPECT_TRUE(pipe.Changes() & chStructure);
  EXPECT_EQ(node->GetDisplayName().substr(node->GetDisplayName().size() - 13), " / rf = 2.000");
}

TEST_F(SweptSolids, PipeRingsFollowTheCentreLineAndWindOutwards) {
  TGLPipe pipe(nullptr);
  pipe.SetSlices(8);
  pipe.SetParts(ppOutside | ppInside | ppStartDisk | ppStopDisk);
  pipe.AddNode(0, 0, 0);
  pipe.AddNode(0, 2, 0);
  pipe.AddNode(1, 3, 0);
  pipe.PipeNodes().GetItems(2)->SetRadiusFactor(0.5f);
  const RecordedBuild build(pipe);
  ASSERT_EQ(build.primitives.size(), 6u);  // two strips per joint, two disks
  for (const auto& v : build.primitives[0].vertices) {
    if (v.position.y == 0) {
      EXPECT_NEAR(std::hypot(v.position.x, v.position.z), 1, 1e-5f);
    }
  }
  ExpectStripsWoundWithTheirNormals(build);
  for (const auto& disk : {build.primitives[4], build.primitives[5]}) {
    ASSERT_EQ(disk.mode, static_cast<unsigned>(GL_TRIANGLE_FAN));
    const TAffineVector winding = WindingNormal(disk.vertices[0], disk.vertices[1], disk.vertices[2]);
    EXPECT_GT(AffineVectorDotProduct(winding, disk.vertices[0].normal), 0);
  }
}

}  // namespace
