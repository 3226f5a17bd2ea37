// A group drawn from batches: which children are gathered, where their
// corners and normals land, how looks and chunks split the batches, and
// frames on Mesa that match drawing part by part, culled by chunk.
#include "scene3d/graph/batched_group.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "gfx3d/math/vector_operations.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene_fixture.h"

namespace {

// A box from lo to hi as twelve triangles, counter-clockwise from outside, a face normal at every corner.
void AddBox(TGLFreeForm& form, TAffineVector lo, TAffineVector hi) {
  auto* mesh = new TMeshObject(&form.MeshObjects());
  mesh->Mode = moTriangles;
  for (int axis = 0; axis < 3; ++axis)
    for (float side : {-1.0f, 1.0f}) {
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      TAffineVector corner[4];
      for (int k = 0; k < 4; ++k) {
        corner[k][axis] = side > 0 ? hi[axis] : lo[axis];
        corner[k][u] = (k == 1 || k == 2) ? hi[u] : lo[u];
        corner[k][v] = (k >= 2) ? hi[v] : lo[v];
      }
      if (side < 0) std::swap(corner[1], corner[3]);
      TAffineVector normal{0, 0, 0};
      normal[axis] = side;
      for (int k : {0, 1, 2, 0, 2, 3}) {
        mesh->Vertices().Add(corner[k]);
        mesh->Normals().Add(normal);
      }
    }
  form.StructureChanged();
}

// An element group at (x, 0, z) holding one pivot turned by turn degrees, and under it a stretched box.
TGLFreeForm& AddElement(TGLBaseStageObject& group, float x, float z, float turn, float stretch = 1) {
  auto& element = *group.NewChildOfClass<TGLDummyCube>();
  element.Position().SetPoint(x, 0, z);
  auto& pivot = *element.NewChildOfClass<TGLDummyCube>();
  pivot.SetTurnAngle(turn);
  pivot.Position().SetPoint(0, 1, 0);
  auto& form = *pivot.NewChildOfClass<TGLFreeForm>();
  AddBox(form, {0, 0, 0}, {4, 2, 3});
  form.Scale().SetVector(stretch, 1, 1);
  return form;
}

TAffineVector Affine(const TVector4f& v) { return {v.x, v.y, v.z}; }

class BatchedGroupTest : public SceneTest {
 protected:
  TGLStage scene{nullptr};
  TGLBatchedGroup& group = *scene.Objects().NewChildOfClass<TGLBatchedGroup>();
};

TEST_F(BatchedGroupTest, CornersAndNormalsLandWhereTheTreeWouldDrawThem) {
  group.Position().SetPoint(5, -10, 7);  // the group's own place stays out of the batches
  TGLFreeForm& form = AddElement(group, 20, -4, 30, 2.5f);
  group.Bake(30);
  ASSERT_EQ(group.Batches().Batches().size(), 1u);
  const TMeshBatch& batch = group.Batches().Batches()[0];
  ASSERT_EQ(batch.indices.size(), 36u);
  EXPECT_EQ(batch.vertices.size(), 24u);  // a face's two triangles share two corners
  const TAffineVector* corners = form.MeshObjects().Item(0).Vertices().List();
  auto corner = [&](std::size_t i) { return batch.vertices[batch.indices[i]]; };
  for (std::size_t i = 0; i < 36; ++i) {
    const TAffineVector expected = Affine(group.AbsoluteToLocal(form.LocalToAbsolute(PointFromAffine(corners[i]))));
    EXPECT_NEAR(VectorDistance(corner(i), expected), 0, 1e-4) << i;
  }
  // Stretched and turned, every corner's normal is still its face's, of unit length.
  for (std::size_t t = 0; t < 12; ++t) {
    const TAffineVector face =
        AffineVectorNormalize(AffineVectorCrossProduct(AffineVectorSubtract(corner(3 * t + 1), corner(3 * t)),
                                                       AffineVectorSubtract(corner(3 * t + 2), corner(3 * t))));
    for (std::size_t k = 0; k < 3; ++k)
      EXPECT_NEAR(VectorDistance(batch.normals[batch.indices[3 * t + k]], face), 0, 1e-5) << t;
  }
  EXPECT_EQ(group.Batches().TriangleCount(), 12);
}

TEST_F(BatchedGroupTest, LooksAndChunksSplitTheBatches) {
  AddElement(group, 0, 0, 0);
  AddElement(group, 10, 0, 90);  // the same chunk, the same look
  AddElement(group, 100, 0, 0);  // another chunk
  TGLFreeForm& bright = AddElement(group, 12, 5, 0);
  bright.Material().FrontProperties().Diffuse().SetColor({1.25f, 1.25f, 1.25f, 1});
  group.Bake(30);
  const TMeshBatches& batches = group.Batches();
  EXPECT_EQ(batches.Looks().size(), 2u);
  EXPECT_EQ(batches.Chunks().size(), 2u);
  ASSERT_EQ(batches.Batches().size(), 3u);
  EXPECT_EQ(batches.Batches()[0].indices.size(), 72u);
  EXPECT_EQ(batches.TriangleCount(), 48);
  // The first chunk's box holds both of its elements, turned or not.
  const TBatchChunk& first = batches.Chunks()[0];
  EXPECT_NEAR(first.min.x, 0, 1e-5);
  EXPECT_NEAR(first.max.x, 12 + 4, 1e-5);
  EXPECT_NEAR(first.min.z, -4, 1e-5);  // the turned box reaches 4 along -Z
  EXPECT_NEAR(first.max.y, 3, 1e-5);
}

TEST_F(BatchedGroupTest, OnlyPlainSubtreesAreBatchedAndAChangedChildListDropsTheBatches) {
  AddElement(group, 0, 0, 0);
  auto& walls = *group.NewChildOfClass<TGLDummyCube>();
  walls.NewChildOfClass<TGLExtrusionSolid>();
  TGLFreeForm& hidden = AddElement(group, 10, 0, 0);
  hidden.SetVisible(false);
  TGLFreeForm& blended = AddElement(group, 20, 0, 0);
  blended.Material().SetBlendingMode(bmTransparency);
  AddElement(group, 30, 0, 0).Parent()->Parent()->SetShowAxes(true);
  EXPECT_FALSE(group.Baked());
  group.Bake(30);
  EXPECT_TRUE(group.Baked());
  EXPECT_TRUE(group.ChildIsBatched(0));
  for (int i = 1; i < 5; ++i) EXPECT_FALSE(group.ChildIsBatched(i)) << i;
  EXPECT_EQ(group.Batches().TriangleCount(), 12);
  AddElement(group, 40, 0, 0);
  EXPECT_FALSE(group.Baked());
  EXPECT_FALSE(group.ChildIsBatched(0));
}

// The program's camera and light over a row of lit boxes, some turned and stretched, one brighter.
class BatchedFrames : public OffscreenSceneTest {
 protected:
  void SetUp() override {
    OffscreenSceneTest::SetUp();
    if (IsSkipped()) return;
    viewer.Buffer().SetLighting(true);
    for (int i = 0; i < 12; ++i) {
      TGLFreeForm& form = AddElement(group, -27.5f + 5.0f * static_cast<float>(i), static_cast<float>(i % 3) * 4 - 4,
                                     static_cast<float>(i * 35), 1 + 0.25f * static_cast<float>(i % 4));
      if (i % 5 == 0) form.Material().FrontProperties().Diffuse().SetColor({1.25f, 0.5f, 0.5f, 1});
    }
    group.SetVisibilityCulling(vcObjectBased);
    group.Bake(10);
  }

  static int Differing(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
  }
  static int Drawn(const QImage& frame) {
    int count = 0;
    for (int y = 0; y < frame.height(); ++y)
      for (int x = 0; x < frame.width(); ++x) count += (frame.pixel(x, y) & 0xFFFFFF) != 0 ? 1 : 0;
    return count;
  }

  TGLBatchedGroup& group = *program.scene.Objects().NewChildOfClass<TGLBatchedGroup>();
};

TEST_F(BatchedFrames, MatchTheFramesDrawnPartByPart) {
  const QImage batched = Capture();
  EXPECT_EQ(group.DrawnBatches(), static_cast<int>(group.Batches().Batches().size()));
  group.SetBatching(false);
  const QImage by_part = Capture();
  EXPECT_EQ(group.DrawnBatches(), 0);
  EXPECT_GT(Drawn(by_part), 3000);
  // Corners moved before GL moves them may round an edge pixel the other way.
  EXPECT_LE(Differing(batched, by_part), Drawn(by_part) / 200);
}

TEST_F(BatchedFrames, CloseUpOnlyTheChunksInViewAreDrawnAndTheFrameStaysTheSame) {
  program.target->Position().SetPoint(-25, 0, 0);
  program.camera->ScaleDistanceToTarget(0.1f);
  const QImage culled = Capture();
  const int drawn = group.DrawnBatches();
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn, static_cast<int>(group.Batches().Batches().size()));
  group.SetVisibilityCulling(vcNone);
  EXPECT_EQ(Differing(culled, Capture()), 0);
  EXPECT_EQ(group.DrawnBatches(), static_cast<int>(group.Batches().Batches().size()));
}

}  // namespace
