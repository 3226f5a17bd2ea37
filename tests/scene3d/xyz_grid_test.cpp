// XYZ grids: which lines the parts and lines styles give, and a step too
// small to move the value stopping at the sample count.
#include "scene3d/lines/xyz_grid.h"

#include <gtest/gtest.h>

#include "object_recording.h"
#include "scene_fixture.h"

namespace {

using XYZGrids = SceneTest;

std::vector<std::size_t> StripSizes(TGLXYZGrid& grid) {
  std::vector<std::size_t> sizes;
  for (const RecordedPrimitive& p : RecordedBuild(grid).primitives) sizes.push_back(p.vertices.size());
  return sizes;
}

TEST_F(XYZGrids, PartsAndStylesChooseTheLines) {
  TGLXYZGrid grid(nullptr);
  grid.XSamplingScale().SetMax(1);
  grid.XSamplingScale().SetStep(0.5f);  // 3 samples
  grid.YSamplingScale().SetMax(1);
  grid.YSamplingScale().SetStep(1);  // 2 samples
  grid.ZSamplingScale().SetMax(5);   // not drawn: only its Origin counts

  const RecordedBuild build(grid);
  for (const RecordedPrimitive& p : build.primitives) {
    EXPECT_EQ(p.mode, unsigned(GL_LINE_STRIP));
    for (const RecordedVertex& v : p.vertices) EXPECT_EQ(v.position[2], 0);
  }
  const struct {
    TXYZGridParts parts;
    TXYZGridLinesStyle style;
    std::vector<std::size_t> strips;
  } cases[] = {
      {gpX | gpY, glsSegments, {3, 3, 2, 2, 2}},  // along X at each y, along Y at each x
      {gpX | gpY, glsLine, {2, 2, 2, 2, 2}},
      {gpX, glsSegments, {3}},  // Y reduced to its Origin
      {gpZ, glsSegments, std::vector<std::size_t>(1, 51)},
      {0, glsSegments, {}},
  };
  for (const auto& c : cases) {
    grid.SetParts(c.parts);
    grid.SetLinesStyle(c.style);
    EXPECT_EQ(StripSizes(grid), c.strips) << int(c.parts) << " " << int(c.style);
  }
}

TEST_F(XYZGrids, StepBelowFloatResolutionStopsAtTheSampleCount) {
  TGLXYZGrid grid(nullptr);
  grid.SetParts(gpX);
  grid.XSamplingScale().SetMax(1e6f + 1);
  grid.XSamplingScale().SetMin(1e6f);
  grid.XSamplingScale().SetOrigin(1e6f);
  grid.XSamplingScale().SetStep(0.01f);  // adds nothing at 1e6
  EXPECT_EQ(StripSizes(grid), std::vector<std::size_t>(1, 101));
}

}  // namespace
