// The skeleton overlay on Mesa: bones drawn over the mesh even from behind
// it, in their own colours, with the line to each child; the GL state as it
// was afterwards.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "gfx3d/persistence/streams.h"
#include "scene3d/animation/actor.h"
#include "scene3d/animation/skeleton.h"
#include "scene3d/graph/scene_initialization.h"
#include "support/gl_pixel_fixture.h"
#include "support/stl_samples.h"

namespace {

class SkeletonOverlayPixels : public GLPixelTest {};

TEST_F(SkeletonOverlayPixels, BonesShowThroughTheMeshInTheirColours) {
  InitializeScene3D();
  TGLActor actor(nullptr);
  TStringStream stream(BinaryStl(CubeFacets(10)));
  actor.LoadMeshFromStream("cube.stl", stream);
  // A red root far behind the cube, on the centre of pixel column 32, and a green child 8 units above it.
  auto* root = new TSkeletonBone(&actor.Skeleton().RootBones());
  root->Color = 0xFF0000FF;
  auto* child = new TSkeletonBone(root);
  child->BoneID = 1;
  child->Color = static_cast<std::int32_t>(0xFF00FF00);
  auto frame = std::make_unique<TSkeletonFrame>();
  frame->Position.Add({0.15625f, 0, -50});
  frame->Position.Add({0, 8, 0});
  actor.Skeleton().Frames().AddFrame(std::move(frame));
  actor.SetReference(aarSkeleton);
  actor.OverlaySkeleton = true;

  auto& gl = GL();
  gl.glClearColor(0, 0, 0, 1);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  gl.glOrtho(-10, 10, -10, 10, -100, 100);
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  gl.glEnable(GL_DEPTH_TEST);
  gl.glColor3f(0, 0, 1);
  TRenderContextInfo rci;
  actor.BuildList(rci);
  gl.glFinish();
  std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
  gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  const auto at = [&](int x, int y) {
    const std::uint8_t* p = &pixels[static_cast<std::size_t>((y * kWidth + x) * 4)];
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  EXPECT_EQ(at(20, 20), (std::array<int, 3>{0, 0, 255}));  // the cube, in the colour it was given
  EXPECT_EQ(at(30, 32), (std::array<int, 3>{255, 0, 0}));  // the root's point of 5, through the cube
  EXPECT_EQ(at(32, 44), (std::array<int, 3>{0, 255, 0}));  // the line to the child, in the child's colour
  EXPECT_EQ(at(32, 57), (std::array<int, 3>{0, 255, 0}));  // the child's point, beyond the cube
  EXPECT_EQ(at(40, 56), (std::array<int, 3>{0, 0, 0}));

  GLfloat pointSize = 0;
  gl.glGetFloatv(GL_POINT_SIZE, &pointSize);
  EXPECT_EQ(pointSize, 1);
  EXPECT_TRUE(gl.glIsEnabled(GL_DEPTH_TEST));
}

}  // namespace
